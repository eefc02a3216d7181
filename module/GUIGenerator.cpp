#include "module/GUIGenerator.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <algorithm>

#include "library/HvException.h"

namespace {

constexpr int kRowHeight = 21;
constexpr int kGap = 5;
constexpr int kCheckWidth = 20;
constexpr int kMsgHeight = 50;

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

forms::Button* glyphButton(QWidget* parent, const char* caption, const char* glyph) {
    auto* b = new forms::Button(QString::fromUtf8(caption), parent);
    // The glyphs are optional pictures beside the working folder.
    const QString file = QDir::current().filePath(QString::fromUtf8(glyph));
    if (QFileInfo::exists(file)) b->setGlyph(QPixmap(file));
    return b;
}

bool writable(uint32_t access) {
    return (access & HvAccess::WriteOnly) != 0;
}

}  // namespace

// ---- TCtrlBtnPanel ----------------------------------------------------------------------------

TCtrlBtnPanel::TCtrlBtnPanel(QWidget* parent) : forms::Panel(parent) {
    CaptionLabel = new forms::Label(QStringLiteral("Rows"), this);
    Counter = new forms::StaticText(QStringLiteral("0"), this);
    Counter->setAlignment(Qt::AlignCenter);
    Counter->setFrameShape(QFrame::Panel);
    Counter->setFrameShadow(QFrame::Sunken);
    Counter->setAutoSize(false);
    RefreshBtn = glyphButton(this, "Refresh", "Get.bmp");
    EditBtn = glyphButton(this, "Edit", "Set.bmp");
    SetCheckedBtn = glyphButton(this, "Set Checked", "SetCheck.bmp");
    AddBtn = glyphButton(this, "Add", "Add.bmp");
    DeleteBtn = glyphButton(this, "Delete", "Delete.bmp");
    CheckAllBtn = glyphButton(this, "Check All", "SelectAll.bmp");
    ClearChecksBtn = glyphButton(this, "Clear Checks", "SelectNone.bmp");
    CloseBtn = glyphButton(this, "Close", "Close.bmp");
    AddBtn->setVisible(false);
    DeleteBtn->setVisible(false);
    stacked = {CaptionLabel, Counter,   RefreshBtn,  EditBtn,        SetCheckedBtn,
               AddBtn,       DeleteBtn, CheckAllBtn, ClearChecksBtn, CloseBtn};
    setFixedWidth(2 * leftMargin + kButtonWidth);
}

void TCtrlBtnPanel::ArrangeCtrlBtn() {
    int top = topMargin;
    for (forms::Control* c : stacked) {
        if (!c->visible()) continue;
        const int height = c == CaptionLabel ? 13 : 25;
        c->setBounds(leftMargin, top, kButtonWidth, height);
        top += height + kGap;
    }
}

TMsgPanel::TMsgPanel(QWidget* parent) : forms::Panel(parent) {
    Messages = new forms::Memo(this);
    Messages->setReadOnly(true);
    setMinimumHeight(kMsgHeight);
    setFixedHeight(kMsgHeight);
    Messages->setBounds(0, 0, 0, kMsgHeight);
}

// ---- TEditsPanel --------------------------------------------------------------------------------

TEditsPanel::TEditsPanel(QWidget* parent) : forms::Panel(parent) {
    m_box = new forms::ScrollBox(this);
    m_rows = new QWidget;
    m_box->setWidget(m_rows);
}

TEditsPanel::~TEditsPanel() {
    if (!m_request) return;
    for (int32_t i = 0; i < static_cast<int32_t>(m_vars.size()); ++i) m_request->removeControls(i);
}

const UISnmpVar& TEditsPanel::var(int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(m_vars.size()))
        throw HvException("aIdx is overtop!\n you may define < " + std::to_string(m_vars.size()));
    return m_vars[static_cast<size_t>(index)];
}

void TEditsPanel::SetRequest(HvSNMPRequest2Edits* request) {
    m_request = request;
    const HvSNMPVarList& list = request->request.varList;
    for (int32_t i = 0; i < list.count(); ++i) {
        const HvVarItem& item = list.item(i);
        UISnmpVar v;
        const bool canWrite = writable(item.access);
        v.kind = item.optionList ? (canWrite ? UISnmpVar::Combo : UISnmpVar::ReadOnlyEnum)
                                 : (canWrite ? UISnmpVar::Edit : UISnmpVar::ReadOnlyEdit);
        v.check = new forms::CheckBox(m_rows);
        v.check->setFocusPolicy(Qt::NoFocus);
        v.check->OnClick = [this](QObject*) { CheckBoxClick(); };
        v.label = new forms::Label(q(item.name), m_rows);
        if (v.kind == UISnmpVar::Combo) {
            auto* combo = new forms::ComboBox(m_rows);
            request->addComboBox(i, combo);
            combo->OnChange = [this, i](QObject*) { ComboChange(i); };
            v.control = combo;
        } else {
            auto* edit = new forms::Edit(m_rows);
            edit->setReadOnly(!canWrite);
            request->addEdit(i, v.format, {edit});
            v.control = edit;
        }
        m_vars.push_back(v);
    }
    SetDefaultChecked(false);
    Layout(2, true);
}

void TEditsPanel::SetEditWidth(int width) {
    m_editWidth = width;
    Layout(2, true);
}

void TEditsPanel::Layout(int mode, bool resize) {
    const HvSNMPVarList* list = m_request ? &m_request->request.varList : nullptr;
    auto hidden = [&](size_t i) {
        return list && (list->item(static_cast<int32_t>(i)).access & HvAccess::Hidden);
    };
    int widestLabel = 0;
    for (size_t i = 0; i < m_vars.size(); ++i)
        if (!hidden(i)) widestLabel = std::max(widestLabel, m_vars[i].label->width());
    int right = 0, bottom = 0;
    int top = 20, left = kCheckWidth;
    for (size_t i = 0; i < m_vars.size(); ++i) {
        const UISnmpVar& v = m_vars[i];
        if (hidden(i)) continue;
        QWidget* control = v.control->asWidget();
        const int height =
            std::max(kRowHeight, control->height() < 20 ? kRowHeight : control->sizeHint().height());
        int labelLeft, controlLeft;
        if (mode == 1) {
            labelLeft = left + kCheckWidth + kGap;
            controlLeft = labelLeft + v.label->width() + kGap;
        } else {
            left = kCheckWidth;
            labelLeft = left + kCheckWidth + kGap;
            controlLeft = labelLeft + widestLabel + kGap;
        }
        v.control->setBounds(controlLeft, top, m_editWidth, height);
        v.check->setBounds(left, top + (height - 17) / 2, kCheckWidth, 17);
        v.label->setBounds(labelLeft, top + (height - v.label->height()) / 2, v.label->width(),
                           v.label->height());
        right = std::max(right, controlLeft + m_editWidth);
        bottom = std::max(bottom, top + height);
        if (mode == 1)
            left = controlLeft + m_editWidth + kGap;
        else
            top += height + kGap;
    }
    m_rows->resize(right, bottom);
    if (resize) resizeTo(right + 40, bottom + 40);
}

void TEditsPanel::resizeTo(int width, int height) {
    setFixedSize(width, height);
    m_box->setBounds(0, 0, width, height);
}

void TEditsPanel::DisableVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (auto* edit = dynamic_cast<forms::Edit*>(v.control))
        edit->setReadOnly(true);
    else
        v.control->asWidget()->setEnabled(false);
    QPalette p = v.control->asWidget()->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    v.control->asWidget()->setPalette(p);
    v.check->setVisible(false);
}

void TEditsPanel::EnableVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (auto* edit = dynamic_cast<forms::Edit*>(v.control))
        edit->setReadOnly(false);
    else
        v.control->asWidget()->setEnabled(true);
    v.control->asWidget()->setPalette(QPalette());
    v.check->setVisible(true);
}

void TEditsPanel::HideVar(int32_t index) {
    const UISnmpVar& v = var(index);
    m_request->request.varList.item(index).access |= HvAccess::Hidden;
    for (forms::Control* c :
         {v.control, static_cast<forms::Control*>(v.check), static_cast<forms::Control*>(v.label)})
        c->asWidget()->setVisible(false);
}

void TEditsPanel::ShowVar(int32_t index) {
    const UISnmpVar& v = var(index);
    m_request->request.varList.item(index).access &= ~HvAccess::Hidden;
    v.control->asWidget()->setVisible(true);
    v.label->setVisible(true);
    if (!IsReadOnly(index) && !IsKey(index)) v.check->setVisible(true);
}

void TEditsPanel::ClearVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (auto* edit = dynamic_cast<forms::Edit*>(v.control)) edit->setText(QString());
    if (auto* combo = dynamic_cast<forms::ComboBox*>(v.control)) combo->setItemIndex(-1);
}

void TEditsPanel::ClearAll() {
    for (int32_t i = 0; i < static_cast<int32_t>(m_vars.size()); ++i) ClearVar(i);
}

bool TEditsPanel::IsReadOnly(int32_t index) const {
    var(index);
    return !writable(m_request->request.varList.item(index).access);
}

bool TEditsPanel::IsKey(int32_t index) const {
    var(index);
    return index < m_request->request.varList.keyCount();
}

bool TEditsPanel::IsVarEmpty(int32_t index) const {
    const UISnmpVar& v = var(index);
    if (auto* edit = dynamic_cast<forms::Edit*>(v.control)) return edit->text().isEmpty();
    if (auto* combo = dynamic_cast<forms::ComboBox*>(v.control)) return combo->itemIndex() < 0;
    return true;
}

void TEditsPanel::SetDefaultChecked(bool checked) {
    for (int32_t i = 0; i < static_cast<int32_t>(m_vars.size()); ++i) {
        m_vars[static_cast<size_t>(i)].check->setChecked(checked);
        if (!IsReadOnly(i) && !IsKey(i))
            EnableVar(i);
        else
            DisableVar(i);
    }
    CheckBoxClick();
}

bool TEditsPanel::AnyChecked() const {
    return std::any_of(m_vars.begin(), m_vars.end(), [](const UISnmpVar& v) { return v.check->checked(); });
}

void TEditsPanel::CheckBoxClick() {
    if (OnChecksChanged) OnChecksChanged(AnyChecked());
}

void TEditsPanel::ComboChange(int32_t row) {
    auto* combo = dynamic_cast<forms::ComboBox*>(var(row).control);
    if (!combo) return;
    for (const ComboRule& rule : comboRules) {
        if (rule.source != row || combo->itemIndex() != rule.index) continue;
        for (int32_t target : rule.targets) rule.enable ? EnableVar(target) : DisableVar(target);
    }
}

// ---- TListViewPanel -------------------------------------------------------------------------------

TListViewPanel::TListViewPanel(QWidget* parent) : forms::Panel(parent) {
    List = new forms::ListView(this);
    List->setReadOnly(true);
    List->setRowSelect(true);
    List->setGridLines(true);
    List->setHideSelection(false);
}

// ---- TSNMPPanel -----------------------------------------------------------------------------------

TSNMPPanel::TSNMPPanel(QWidget* parent, HvSNMPRequest2Edits* request)
    : forms::Panel(parent), m_request(request) {
    CtrlBtns = new TCtrlBtnPanel(this);
    Msg = new TMsgPanel(this);
    m_request->setMessagePanel(Msg->Messages);
    CtrlBtns->RefreshBtn->OnClick = [this](QObject*) { RefreshClick(); };
    CtrlBtns->CloseBtn->OnClick = [this](QObject*) { CloseClick(); };
}

void TSNMPPanel::SetContent(QWidget* content) {
    m_content = content;
    content->setParent(this);
    content->show();
    const int width = content->width() + CtrlBtns->width();
    const int height = std::max(content->height() + kMsgHeight, 360);
    resize(width, height);
}

void TSNMPPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    const int buttons = CtrlBtns->width();
    CtrlBtns->setBounds(width() - buttons, 0, buttons, height());
    Msg->setBounds(0, height() - kMsgHeight, width() - buttons, kMsgHeight);
    Msg->Messages->setBounds(0, 0, Msg->width(), kMsgHeight);
    if (m_content) m_content->setGeometry(0, 0, width() - buttons, height() - kMsgHeight);
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

TSNMPEditorPanel::TSNMPEditorPanel(QWidget* parent, HvSNMPRequest2Edits* request, bool withEdits)
    : TSNMPPanel(parent, request) {
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
    TCtrlBtnPanel& b = *CtrlBtns;
    b.CaptionLabel->setVisible(false);
    b.Counter->setVisible(false);
    b.RefreshBtn->setVisible(true);
    b.EditBtn->setVisible(false);
    b.AddBtn->setVisible(false);
    b.DeleteBtn->setVisible(false);
    b.CloseBtn->setVisible(true);
    bool anyWritable = false;
    if (Edits)
        for (int32_t i = 0; i < static_cast<int32_t>(Edits->vars().size()); ++i)
            anyWritable = anyWritable || (!Edits->IsReadOnly(i) && !Edits->IsKey(i));
    for (forms::Button* w : {b.SetCheckedBtn, b.CheckAllBtn, b.ClearChecksBtn}) w->setVisible(anyWritable);
    b.ArrangeCtrlBtn();
}

bool TSNMPEditorPanel::SetCheckedClick() {
    if (!Edits) return false;
    HvSNMPRequest2Edits* r = request();
    HvSNMPVarList& list = r->request.varList;
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
    // Only the checked rows go out; every mark and the mode are given back whatever happens, so the
    // next read takes every object again.
    std::vector<uint32_t> access;
    for (int32_t i = 0; i < list.count(); ++i) access.push_back(list.item(i).access);
    const uint8_t mode = r->mode;
    auto restore = [&] {
        for (int32_t i = 0; i < list.count(); ++i) list.item(i).access = access[static_cast<size_t>(i)];
        r->mode = mode;
    };
    for (int32_t i = 0; i < static_cast<int32_t>(vars.size()); ++i)
        if (!vars[static_cast<size_t>(i)].check->checked()) list.item(i).access |= HvAccess::Invalid;
    r->mode = 0;
    bool ok = false;
    try {
        ok = r->set(false, true);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    if (ok && host() && host()->modal() && host() != forms::Form::mainForm())
        host()->setModalResult(forms::mrOk);
    return ok;
}

void TSNMPEditorPanel::CheckAllClick() {
    if (!Edits) return;
    for (int32_t i = 0; i < static_cast<int32_t>(Edits->vars().size()); ++i)
        if (!Edits->IsReadOnly(i) && !Edits->IsKey(i))
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
    ListPanel->setFixedSize(width, 350);
    ListPanel->List->setBounds(0, 0, width, 350);
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
    };
    runDialog = [](forms::Form& dialog, TSNMPEditorPanel&) { dialog.showModal(); };
    SetContent(ListPanel);
    ArrangeCtrlBtn();
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
        parts << ListPanel->List->columnCaption(c) + QStringLiteral(": ") +
                     (c == 0 ? item->caption() : item->subItem(c - 1));
    return parts.join(QLatin1Char('\n'));
}

void TSNMPListViewPanel::runRowDialog(bool adding) {
    // The dialog is this panel's: it and its panel are gone when it has closed, and its bindings are
    // taken off the request with them.
    forms::Form dialog(this);
    dialog.setCaption((host() ? host()->caption() : QString()) +
                      (adding ? QStringLiteral(" (Add)") : QString()));
    dialog.setBorderStyle(forms::Form::BorderStyle::Single);
    {
        TSNMPEditorPanel panel(&dialog, request());
        TEditsPanel& edits = *panel.Edits;
        if (adding) {
            edits.ClearAll();
            for (int32_t i = 0; i < static_cast<int32_t>(edits.vars().size()); ++i) {
                const bool status = i == ListPanel->addColumn;
                if (edits.IsKey(i) && !status) edits.EnableVar(i);
                if (status) {
                    if (auto* combo =
                            dynamic_cast<forms::ComboBox*>(edits.vars()[static_cast<size_t>(i)].control))
                        combo->setItemIndex(combo->indexOf(ListPanel->addValue));
                    edits.vars()[static_cast<size_t>(i)].check->setChecked(true);
                    edits.DisableVar(i);
                }
            }
        } else {
            panel.SetEditWidth(200);
            request()->writeControls(-1);
        }
        panel.ArrangeCtrlBtn();
        panel.AttachToForm(&dialog);
        runDialog(dialog, panel);
    }
    RefreshClick();
}

void TSNMPListViewPanel::AddClick() {
    runRowDialog(true);
}

void TSNMPListViewPanel::EditClick() {
    if (!ListPanel->List->selected()) return;
    runRowDialog(false);
}

void TSNMPListViewPanel::DeleteClick() {
    forms::ListItem* row = ListPanel->List->selected();
    if (!row || ListPanel->deleteColumn < 0) return;
    if (forms::Application::messageBox(this, QStringLiteral("Are you sure to delete ?"),
                                       QStringLiteral("Delete"), forms::MB_YESNO) != forms::IDYES)
        return;
    HvSNMPVarList& list = request()->request.varList;
    std::vector<uint32_t> access;
    for (int32_t i = 0; i < list.count(); ++i) access.push_back(list.item(i).access);
    for (int32_t i = list.keyCount(); i < list.count(); ++i)
        if (i != ListPanel->deleteColumn) list.item(i).access |= HvAccess::Invalid;
    const uint8_t mode = request()->mode;
    request()->mode = 0;
    // The status cell of the row says delete; the write takes the row's keys and that cell.
    const auto& layout = request()->rowLayout();
    const auto column = std::find(layout.begin(), layout.end(), ListPanel->deleteColumn) - layout.begin();
    if (column == 0)
        row->setCaption(ListPanel->deleteValue);
    else if (column < static_cast<std::ptrdiff_t>(layout.size()))
        row->setSubItem(static_cast<int>(column - 1), ListPanel->deleteValue);
    try {
        request()->set(false, true);
    } catch (const std::exception& e) {
        Msg->Messages->addLine(QString::fromUtf8(e.what()));
    }
    for (int32_t i = 0; i < list.count(); ++i) list.item(i).access = access[static_cast<size_t>(i)];
    request()->mode = mode;
    RefreshClick();
}

void TSNMPListViewPanel::RefreshClick() {
    CtrlBtns->EditBtn->setEnabled(false);
    CtrlBtns->DeleteBtn->setEnabled(false);
    // An asynchronous walk still under way brings the rows itself.
    if (request()->busy) return;
    TSNMPPanel::RefreshClick();
    listChanged();
}
