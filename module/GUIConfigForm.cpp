#include "module/GUIConfigForm.h"

#include "library/HvException.h"

TConfigForm::TConfigForm(QWidget* owner) : forms::Form(owner) {
    setBorderStyle(BorderStyle::Sizeable);
    setPosition(Position::MainFormCenter);
    OnClose = [this](QObject* sender, forms::CloseAction& action) { FormClose(sender, action); };
    postMessage([this] { InitialRefresh(); });
}

TConfigForm::~TConfigForm() {
    // The panel takes its bindings off the requests, so it goes before them.
    delete m_panel;
    m_panel = nullptr;
    releaseRequests();
}

TSNMPEditorPanel* TConfigForm::SetEditorRequest(std::unique_ptr<HvSNMPRequest2Edits> request) {
    if (m_type != None) throw HvException("Can not change Type of a Config Form!");
    auto* panel = new TSNMPEditorPanel(this, request.get());
    m_requests.push_back(std::move(request));
    m_type = Editor;
    m_panel = panel;
    panel->AttachToForm(this);
    return panel;
}

TSNMPListViewPanel* TConfigForm::SetListViewRequest(std::unique_ptr<HvSNMPRequest2Edits> request,
                                                    int32_t addColumn, const QString& addValue,
                                                    int32_t deleteColumn, const QString& deleteValue) {
    if (m_type != None) throw HvException("Can not change Type of a Config Form!");
    auto* panel = new TSNMPListViewPanel(this, request.get());
    m_requests.push_back(std::move(request));
    m_type = Table;
    m_panel = panel;
    if (addColumn >= 0) panel->SetAddStatus(addColumn, addValue);
    if (deleteColumn >= 0) panel->SetDeleteStatus(deleteColumn, deleteValue);
    panel->AttachToForm(this);
    return panel;
}

void TConfigForm::InitialRefresh() {
    if (m_type == None) throw HvException("Refresh a Form with unknown Form Type!");
    m_panel->RefreshClick();
}

void TConfigForm::FormClose(QObject*, forms::CloseAction&) {
    // No new operation starts from a closed page; the destructor ends the requests.
    if (m_panel) m_panel->setEnabled(false);
}

void TConfigForm::releaseRequests() {
    // Each request waits for its outstanding answers in its destructor; the newest goes first.
    while (!m_requests.empty()) m_requests.pop_back();
}
