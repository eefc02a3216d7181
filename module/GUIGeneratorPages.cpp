// The generic page builder's page frames: the editor page over scalar rows and the table page whose
// rows are added, edited and deleted through dialogs over the same request.
#include "module/GUIGenerator.h"

#include <QMouseEvent>

#include <algorithm>

#include "library/HvException.h"
#include "module/HvPage.h"
#include "module/SendFlags.h"

namespace {

constexpr int kMsgHeight = 50;
constexpr int kSplitter1 = 3;
constexpr int kSplitter2 = 5;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The request's mode for one write, given back whatever the write does.
class SynchronousScope {
public:
    explicit SynchronousScope(HvSNMPRequest2Controls& r) : m_r(r), m_mode(r.mode) { r.mode = 0; }
    ~SynchronousScope() { m_r.mode = m_mode; }
    SynchronousScope(const SynchronousScope&) = delete;
    SynchronousScope& operator=(const SynchronousScope&) = delete;

private:
    HvSNMPRequest2Controls& m_r;
    uint8_t m_mode;
};

// The text of a list row's column.
QString cell(const forms::ListItem& row, std::ptrdiff_t column) {
    return column == 0 ? row.caption() : row.subItem(static_cast<int>(column - 1));
}

}  // namespace

// ---- TListViewPanel -------------------------------------------------------------------------------

TListViewPanel::TListViewPanel(QWidget* parent) : forms::Panel(parent) {
    List = new forms::ListView(this);
    List->setReadOnly(true);
    List->setRowSelect(true);
    List->setGridLines(true);
    List->setHideSelection(false);
}

void TListViewPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    List->setBounds(0, 0, width(), height());
}

// ---- TSNMPPanel -----------------------------------------------------------------------------------

TSNMPPanel::TSNMPPanel(QWidget* parent, HvSNMPRequest2Edits* request, TMsgPanel* sharedMsg)
    : forms::Panel(parent), m_request(request), m_sharedMsg(sharedMsg != nullptr) {
    Splitter1 = new forms::Splitter(this);
    Splitter1->setOrientation(Qt::Horizontal);
    Splitter1->setHandleWidth(kSplitter1);
    Splitter1->setChildrenCollapsible(false);
    ClientPanel = new TFillPanel(Splitter1);
    CtrlBtns = new TCtrlBtnPanel(Splitter1);
    Splitter1->addWidget(ClientPanel);
    Splitter1->addWidget(CtrlBtns);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter2 = new forms::Splitter(ClientPanel);
    Splitter2->setOrientation(Qt::Vertical);
    Splitter2->setHandleWidth(kSplitter2);
    Splitter2->setChildrenCollapsible(false);
    ClientPanel->setFill(Splitter2);
    if (sharedMsg) {
        Msg = sharedMsg;
    } else {
        Msg = new TMsgPanel(Splitter2);
        Splitter2->addWidget(Msg);
    }
    m_request->setMessagePanel(Msg->Messages);
    CtrlBtns->RefreshBtn->OnClick = [this](QObject*) { RefreshClick(); };
    CtrlBtns->CloseBtn->OnClick = [this](QObject*) { CloseClick(); };
}

void TSNMPPanel::SetContent(QWidget* content) {
    m_content = content;
    Splitter2->insertWidget(0, content);
    Splitter2->setStretchFactor(0, 1);
    content->show();
    const int width = content->width() + kSplitter1 + CtrlBtns->width();
    const int messages = m_sharedMsg ? 0 : kSplitter2 + kMsgHeight;
    const int height = std::max(content->height() + messages, 360);
    resize(width, height);
    if (m_sharedMsg)
        Splitter2->setSizes({height});
    else
        Splitter2->setSizes({height - messages, kMsgHeight});
}

void TSNMPPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    Splitter1->setBounds(0, 0, width(), height());
}

void TSNMPPanel::AttachToForm(forms::Form* form) {
    m_host = form;
    setParent(form);
    form->setPosition(forms::Form::Position::MainFormCenter);
    const int w = std::min(800, std::max(form->clientWidth(), width()));
    const int h = std::min(550, std::max(form->clientHeight(), height()));
    form->setClientSize(w, h);
    setBounds(0, 0, w, h);
    show();
    auto previous = form->OnResize;
    form->OnResize = [this, form, previous](QObject* sender) {
        setBounds(0, 0, form->clientWidth(), form->clientHeight());
        if (previous) previous(sender);
    };
}

void TSNMPPanel::RefreshClick() {
    try {
        m_request->get();
    } catch (const std::exception& e) {
        Msg->Messages->addLine(QString::fromUtf8(e.what()));
    }
}

void TSNMPPanel::CloseClick() {
    if (!m_host) throw HvException("Please initial close form");
    m_host->close();
}

// ---- TSNMPEditorPanel -----------------------------------------------------------------------------

TSNMPEditorPanel::TSNMPEditorPanel(QWidget* parent, HvSNMPRequest2Edits* request, bool withEdits,
                                   TMsgPanel* sharedMsg)
    : TSNMPPanel(parent, request, sharedMsg) {
    CtrlBtns->SetCheckedBtn->OnClick = [this](QObject*) { SetCheckedClick(); };
    CtrlBtns->CheckAllBtn->OnClick = [this](QObject*) { CheckAllClick(); };
    CtrlBtns->ClearChecksBtn->OnClick = [this](QObject*) { ClearChecksClick(); };
    if (!withEdits) return;
    Edits = new TEditsPanel(this);
    Edits->OnChecksChanged = [this](bool any) { CtrlBtns->SetCheckedBtn->setEnabled(any); };
    Edits->SetRequest(request);
    SetContent(Edits);
    ArrangeCtrlBtn();
}

void TSNMPEditorPanel::SetEditWidth(int width) {
    if (!Edits) return;
    Edits->SetEditWidth(width);
    SetContent(Edits);
}

void TSNMPEditorPanel::ArrangeCtrlBtn() {
    if (!Edits) throw HvException("TEditsPanel:ArrangeCtrlBtn - EditCtrl is NULL!");
    TCtrlBtnPanel& b = *CtrlBtns;
    b.CaptionLabel->setVisible(false);
    b.Counter->setVisible(false);
    b.RefreshBtn->setVisible(true);
    b.EditBtn->setVisible(false);
    b.AddBtn->setVisible(false);
    b.DeleteBtn->setVisible(false);
    b.CloseBtn->setVisible(true);
    bool anyWritable = false;
    for (int32_t i = 0; i < static_cast<int32_t>(Edits->vars().size()); ++i)
        anyWritable = anyWritable || (!Edits->IsReadOnly(i) && !Edits->IsKey(i));
    for (forms::Button* w : {b.SetCheckedBtn, b.CheckAllBtn, b.ClearChecksBtn}) w->setVisible(anyWritable);
    b.ArrangeCtrlBtn();
}

bool TSNMPEditorPanel::SetCheckedClick() {
    HvSNMPRequest2Edits* r = request();
    // The walk under way owns the request's flags and mode.
    if (!Edits || r->busy) return false;
    const auto& vars = Edits->vars();
    for (int32_t i = 0; i < static_cast<int32_t>(vars.size()); ++i) {
        const bool checked = vars[static_cast<size_t>(i)].check->checked();
        const bool required =
            std::find(Edits->requiredRows.begin(), Edits->requiredRows.end(), i) != Edits->requiredRows.end();
        if ((checked || required) && Edits->IsVarEmpty(i)) {
            forms::Application::messageBox(this, QStringLiteral("Some items are empty!"),
                                           QStringLiteral("Warning"));
            return false;
        }
    }
    // Only the checked rows go out, a secret the device shows masked never; every mark and the mode
    // are given back whatever happens, so the next read takes every object again.
    std::vector<bool> sent(vars.size());
    for (int32_t i = 0; i < static_cast<int32_t>(vars.size()); ++i)
        sent[static_cast<size_t>(i)] = vars[static_cast<size_t>(i)].check->checked() && !Edits->IsMasked(i);
    bool ok = true;
    if (std::find(sent.begin(), sent.end(), true) != sent.end()) {
        HvSendOnly only(r->request.varList, sent);
        SynchronousScope sync(*r);
        if (addsRow) {
            // A new row has no list row behind it: its keys are what the user typed.
            r->readControls(-1);
            for (int32_t k = 0; k < r->request.varList.keyCount(); ++k)
                if (auto* key = dynamic_cast<forms::Edit*>(vars[static_cast<size_t>(k)].control))
                    r->request.varList.item(k).value = key->text().toStdString();
            ok = r->set(false, false);
        } else {
            ok = r->set(false, true);
        }
    }
    if (ok && closesHostOnSet && host() && host()->modal()) host()->setModalResult(forms::mrOk);
    return ok;
}

void TSNMPEditorPanel::CheckAllClick() {
    if (!Edits) return;
    for (int32_t i = 0; i < static_cast<int32_t>(Edits->vars().size()); ++i)
        if (!Edits->IsReadOnly(i) && !Edits->IsKey(i) && !Edits->IsHidden(i))
            Edits->vars()[static_cast<size_t>(i)].check->setChecked(true);
}

void TSNMPEditorPanel::ClearChecksClick() {
    if (!Edits) return;
    for (const UISnmpVar& v : Edits->vars()) v.check->setChecked(false);
}

// ---- TSNMPListViewPanel ---------------------------------------------------------------------------

TSNMPListViewPanel::TSNMPListViewPanel(QWidget* parent, HvSNMPRequest2Edits* request)
    : TSNMPEditorPanel(parent, request, false) {
    ListPanel = new TListViewPanel(this);
    request->setListView(ListPanel->List, false);
    request->buildListColumns();
    int chars = 0;
    for (int c = 0; c < ListPanel->List->columnCount(); ++c)
        chars += ListPanel->List->columnCaption(c).size();
    const int width = std::min(450, 8 * chars + 10);
    ListPanel->resize(width, 350);
    ListPanel->List->setBounds(0, 0, width, 350);
    // The hint follows the mouse over the rows, without a button held.
    ListPanel->List->viewport()->setMouseTracking(true);
    ListPanel->List->viewport()->installEventFilter(this);
    CtrlBtns->AddBtn->OnClick = [this](QObject*) { AddClick(); };
    CtrlBtns->EditBtn->OnClick = [this](QObject*) { EditClick(); };
    CtrlBtns->DeleteBtn->OnClick = [this](QObject*) { DeleteClick(); };
    auto previous = ListPanel->List->OnSelectItem;
    ListPanel->List->OnSelectItem = [this, previous](QObject* s, forms::ListItem* item, bool selected) {
        if (previous) previous(s, item, selected);
        listChanged();
    };
    // The counter follows the rows a walk brings, also when it ends later than the read's call.
    auto previousDone = request->onAsyncGetDone;
    request->onAsyncGetDone = [this, previousDone](HvSNMPRequest2Controls* sender, HvSNMPError* error) {
        if (previousDone) previousDone(sender, error);
        listChanged();
        selectPendingRow();
    };
    SetContent(ListPanel);
    ArrangeCtrlBtn();
}

bool TSNMPListViewPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && watched == ListPanel->List->viewport()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        ListMouseMove(ListPanel->List, at.x(), at.y());
    }
    return TSNMPEditorPanel::eventFilter(watched, event);
}

void TSNMPListViewPanel::ListMouseMove(QObject*, int x, int y) {
    forms::ListView* list = ListPanel->List;
    auto* row = static_cast<forms::ListItem*>(list->itemAt(x, y));
    const QString hint = row ? RowHint(row->index()) : QString();
    if (list->toolTip() != hint) list->setToolTip(hint);
}

void TSNMPListViewPanel::listChanged() {
    const bool selected = ListPanel->List->selected() != nullptr;
    CtrlBtns->EditBtn->setEnabled(selected);
    CtrlBtns->DeleteBtn->setEnabled(selected);
    CtrlBtns->Counter->setCaption(QString::number(ListPanel->List->itemCount()));
}

void TSNMPListViewPanel::ArrangeCtrlBtn() {
    TCtrlBtnPanel& b = *CtrlBtns;
    b.CaptionLabel->setVisible(true);
    b.Counter->setVisible(true);
    b.RefreshBtn->setVisible(true);
    b.EditBtn->setVisible(true);
    b.EditBtn->setEnabled(false);
    b.DeleteBtn->setEnabled(false);
    b.SetCheckedBtn->setVisible(false);
    b.AddBtn->setVisible(ListPanel->addColumn >= 0);
    b.DeleteBtn->setVisible(ListPanel->deleteColumn >= 0);
    b.CheckAllBtn->setVisible(false);
    b.ClearChecksBtn->setVisible(false);
    b.CloseBtn->setVisible(true);
    b.ArrangeCtrlBtn();
}

namespace {

bool optionHasValue(const HvSNMPVarList& list, int32_t column, const QString& value) {
    if (column < 0 || column >= list.count()) return false;
    const HvOptionList* options = list.item(column).optionList;
    if (!options) return true;
    for (int32_t i = 0; i < options->count(); ++i)
        if (q(options->GetItem(i).text).compare(value, Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace

void TSNMPListViewPanel::SetAddStatus(int32_t column, const QString& value) {
    if (!optionHasValue(request()->request.varList, column, value))
        throw HvException("TSNMPListViewPanel::SetAddStatus - Wrong AddStatusValue:" + value.toStdString());
    ListPanel->addColumn = column;
    ListPanel->addValue = value;
    ArrangeCtrlBtn();
}

void TSNMPListViewPanel::SetDeleteStatus(int32_t column, const QString& value) {
    if (!optionHasValue(request()->request.varList, column, value))
        throw HvException("TSNMPListViewPanel::SetDeleteStatus - Wrong DeleteStatusValue:" +
                          value.toStdString());
    ListPanel->deleteColumn = column;
    ListPanel->deleteValue = value;
    ArrangeCtrlBtn();
}

QString TSNMPListViewPanel::RowHint(int32_t row) const {
    forms::ListItem* item = ListPanel->List->item(row);
    if (!item) return {};
    QStringList parts;
    for (int c = 0; c < ListPanel->List->columnCount(); ++c)
        parts << ListPanel->List->columnCaption(c) + QStringLiteral(": ") + cell(*item, c);
    return parts.join(QLatin1Char('\n'));
}

void TSNMPListViewPanel::BeforeAdd(TEditsPanel& edits) {
    edits.ClearAll();
}

void TSNMPListViewPanel::AfterAdd(bool added, const std::vector<QString>& keys) {
    m_selectKeys.clear();
    if (!added) return;
    m_selectKeys = keys;
    selectPendingRow();
}

void TSNMPListViewPanel::selectPendingRow() {
    if (m_selectKeys.empty() || request()->busy) return;
    const auto& layout = request()->rowLayout();
    forms::ListView* list = ListPanel->List;
    for (int r = 0; r < list->itemCount(); ++r) {
        bool same = true;
        for (size_t k = 0; k < m_selectKeys.size() && same; ++k) {
            const auto key = static_cast<int32_t>(k);
            // A key without a column matches no row, not even with an empty key.
            same = std::find(layout.begin(), layout.end(), key) != layout.end() &&
                   HvWalkedCell(*request(), *list->item(r), key) == m_selectKeys[k];
        }
        if (same) {
            list->setItemIndex(r);
            break;
        }
    }
    // One look once the rows are in: a row the device did not list is not looked for later.
    m_selectKeys.clear();
}

bool TSNMPListViewPanel::runRowDialog(bool adding, std::vector<QString>* keys) {
    // The dialog is this panel's: it and its panel are gone when it has closed, and its bindings are
    // taken off the request with them. The page's messages come back to the page's own panel.
    forms::ResultSink* pageMessages = request()->resultControl();
    int result = forms::mrNone;
    {
        forms::Form dialog(this);
        dialog.setCaption((host() ? host()->caption() : QString()) +
                          (adding ? QStringLiteral(" (Add)") : QString()));
        dialog.setBorderStyle(forms::Form::BorderStyle::Single);
        TSNMPEditorPanel panel(&dialog, request());
        panel.closesHostOnSet = true;
        TEditsPanel& edits = *panel.Edits;
        if (adding) {
            panel.addsRow = true;
            BeforeAdd(edits);
            for (int32_t k = 0; k < request()->request.varList.keyCount(); ++k) edits.requiredRows.push_back(k);
            for (int32_t i = 0; i < static_cast<int32_t>(edits.vars().size()); ++i) {
                const bool status = i == ListPanel->addColumn;
                if (edits.IsKey(i) && !status) edits.EnableVar(i);
                if (!status) continue;
                if (auto* combo = dynamic_cast<forms::ComboBox*>(edits.vars()[static_cast<size_t>(i)].control))
                    combo->setItemIndex(combo->indexOf(ListPanel->addValue));
                edits.vars()[static_cast<size_t>(i)].check->setChecked(true);
                edits.DisableVar(i);
            }
        } else {
            panel.SetEditWidth(200);
            request()->writeControls(-1);
        }
        panel.ArrangeCtrlBtn();
        panel.AttachToForm(&dialog);
        result = dialog.showModal();
        if (keys)
            for (int32_t k = 0; k < request()->request.varList.keyCount(); ++k) {
                auto* edit = dynamic_cast<forms::Edit*>(edits.vars()[static_cast<size_t>(k)].control);
                keys->push_back(edit ? edit->text() : QString());
            }
    }
    request()->setMessagePanel(pageMessages);
    return result == forms::mrOk;
}

void TSNMPListViewPanel::AddClick() {
    if (request()->busy) return;
    std::vector<QString> keys;
    const bool added = runRowDialog(true, &keys);
    RefreshClick();
    AfterAdd(added, keys);
}

void TSNMPListViewPanel::EditClick() {
    if (request()->busy || !ListPanel->List->selected()) return;
    runRowDialog(false);
    RefreshClick();
}

void TSNMPListViewPanel::DeleteClick() {
    forms::ListItem* row = ListPanel->List->selected();
    if (request()->busy || !row || ListPanel->deleteColumn < 0) return;
    if (forms::Application::messageBox(this, QStringLiteral("Are you sure to delete ?"),
                                       QStringLiteral("Delete"), forms::MB_YESNO) != forms::IDYES)
        return;
    HvSNMPVarList& list = request()->request.varList;
    // The write takes the row's keys and its status cell, which says delete.
    std::vector<bool> sent(static_cast<size_t>(list.count()));
    for (int32_t i = 0; i < list.count(); ++i)
        sent[static_cast<size_t>(i)] = i < list.keyCount() || i == ListPanel->deleteColumn;
    const auto& layout = request()->rowLayout();
    const auto column = std::find(layout.begin(), layout.end(), ListPanel->deleteColumn) - layout.begin();
    if (column == 0)
        row->setCaption(ListPanel->deleteValue);
    else if (column < static_cast<std::ptrdiff_t>(layout.size()))
        row->setSubItem(static_cast<int>(column - 1), ListPanel->deleteValue);
    try {
        HvSendOnly only(list, sent);
        SynchronousScope sync(*request());
        request()->set(false, true);
    } catch (const std::exception& e) {
        Msg->Messages->addLine(QString::fromUtf8(e.what()));
    }
    RefreshClick();
}

void TSNMPListViewPanel::RefreshClick() {
    CtrlBtns->EditBtn->setEnabled(false);
    CtrlBtns->DeleteBtn->setEnabled(false);
    // An asynchronous walk still under way brings the rows itself.
    if (request()->busy) return;
    TSNMPPanel::RefreshClick();
    listChanged();
    selectPendingRow();
}
