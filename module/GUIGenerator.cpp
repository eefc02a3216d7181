#include "module/GUIGenerator.h"

#include <QDir>
#include <QFileInfo>
#include <QPixmap>

#include <algorithm>

#include "library/HvException.h"
#include "library/HvSNMPVarList.h"
#include "module/KeyRules.h"

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
    resize(width(), kMsgHeight);
}

void TMsgPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    Messages->setBounds(0, 0, width(), height());
}

void TFillPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    if (m_fill) m_fill->setGeometry(0, 0, width(), height());
}

// ---- TEditsPanel --------------------------------------------------------------------------------

TEditsPanel::TEditsPanel(QWidget* parent) : forms::Panel(parent) {
    m_box = new forms::ScrollBox(this);
    m_rows = new QWidget;
    m_box->setWidget(m_rows);
    m_disabledColor = palette().color(QPalette::Active, QPalette::Button);
}

void TEditsPanel::resizeEvent(QResizeEvent* event) {
    forms::Panel::resizeEvent(event);
    m_box->setBounds(0, 0, width(), height());
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

forms::Edit* TEditsPanel::editOf(const UISnmpVar& v) const {
    switch (v.kind) {
    case UISnmpVar::ReadOnlyEdit:
    case UISnmpVar::Edit:
    case UISnmpVar::ReadOnlyEnum:
        return static_cast<forms::Edit*>(v.control);
    case UISnmpVar::Combo:
        return nullptr;
    default:
        throw HvException("Unknow UI Control type!");
    }
}

forms::ComboBox* TEditsPanel::comboOf(const UISnmpVar& v) const {
    return editOf(v) ? nullptr : static_cast<forms::ComboBox*>(v.control);
}

void TEditsPanel::DestroyCtrls() {
    // Every row's kind is checked before anything goes: a row of no known kind leaves the panel whole.
    for (const UISnmpVar& v : m_vars)
        if (v.kind < UISnmpVar::ReadOnlyEdit || v.kind > UISnmpVar::ReadOnlyEnum)
            throw HvException("TCtrlsList:DestroyCtrls()-Unknown Control!");
    for (int32_t i = 0; i < static_cast<int32_t>(m_vars.size()); ++i) {
        const UISnmpVar& v = m_vars[static_cast<size_t>(i)];
        if (m_request) m_request->removeControls(i);
        delete v.control;
        delete v.check;
        delete v.label;
        delete v.bitsButton;
    }
    m_vars.clear();
    m_secrets.clear();
}

void TEditsPanel::SetRequest(HvSNMPRequest2Edits* request) {
    DestroyCtrls();
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

void TEditsPanel::SetVarFormat(int32_t index, const std::string& format) {
    var(index);
    UISnmpVar& v = m_vars[static_cast<size_t>(index)];
    forms::Edit* edit = editOf(v);
    if (!edit) throw HvException("Can not set Var format to a ComboBox!");
    m_request->removeControls(index);
    m_request->addEdit(index, format, {edit});
    v.format = format;
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
        int controlRight = controlLeft + m_editWidth;
        if (v.bitsButton) {
            v.bitsButton->setBounds(controlRight + kGap, top, kRowHeight, height);
            controlRight += kGap + kRowHeight;
        }
        v.check->setBounds(left, top + (height - 17) / 2, kCheckWidth, 17);
        v.label->setBounds(labelLeft, top + (height - v.label->height()) / 2, v.label->width(),
                           v.label->height());
        right = std::max(right, controlRight);
        bottom = std::max(bottom, top + height);
        if (mode == 1)
            left = controlRight + kGap;
        else
            top += height + kGap;
    }
    m_rows->resize(right, bottom);
    if (!resize) return;
    this->resize(right + 40, bottom + 40);
    m_box->setBounds(0, 0, width(), height());
}

void TEditsPanel::SetDisabledColors(const QColor& fontColor, const QColor& color) {
    m_disabledFont = fontColor;
    m_disabledColor = color;
    for (const UISnmpVar& v : m_vars)
        if (!v.check->visible()) paint(v, fontColor, color);
}

void TEditsPanel::paint(const UISnmpVar& v, const QColor& fontColor, const QColor& color) const {
    if (forms::Edit* edit = editOf(v)) {
        edit->setColor(color);
        edit->setFontColor(fontColor);
    } else {
        comboOf(v)->setColor(color);
        comboOf(v)->setFontColor(fontColor);
    }
}

void TEditsPanel::DisableVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (forms::Edit* edit = editOf(v))
        edit->setReadOnly(true);
    else
        v.control->asWidget()->setEnabled(false);
    if (v.bitsButton) v.bitsButton->setEnabled(false);
    paint(v, m_disabledFont, m_disabledColor);
    v.check->setVisible(false);
}

void TEditsPanel::EnableVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (forms::Edit* edit = editOf(v))
        edit->setReadOnly(false);
    else
        v.control->asWidget()->setEnabled(true);
    if (v.bitsButton) v.bitsButton->setEnabled(true);
    paint(v, Qt::black, Qt::white);
    v.check->setVisible(!IsHidden(index));
}

void TEditsPanel::HideVar(int32_t index) {
    const UISnmpVar& v = var(index);
    m_request->request.varList.item(index).access |= HvAccess::Hidden;
    // A row the user cannot see is not written either.
    v.check->setChecked(false);
    for (forms::Control* c : {v.control, static_cast<forms::Control*>(v.check),
                              static_cast<forms::Control*>(v.label), static_cast<forms::Control*>(v.bitsButton)})
        if (c) c->asWidget()->setVisible(false);
}

void TEditsPanel::ShowVar(int32_t index) {
    const UISnmpVar& v = var(index);
    m_request->request.varList.item(index).access &= ~HvAccess::Hidden;
    v.control->asWidget()->setVisible(true);
    v.label->setVisible(true);
    if (v.bitsButton) v.bitsButton->setVisible(true);
    // A disabled row keeps its check box hidden.
    forms::Edit* edit = editOf(v);
    v.check->setVisible(edit ? !edit->readOnly() : v.control->enabled());
}

bool TEditsPanel::IsHidden(int32_t index) const {
    var(index);
    return (m_request->request.varList.item(index).access & HvAccess::Hidden) != 0;
}

void TEditsPanel::ClearVar(int32_t index) {
    const UISnmpVar& v = var(index);
    if (forms::Edit* edit = editOf(v))
        edit->setText(QString());
    else
        comboOf(v)->setItemIndex(-1);
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
    if (forms::Edit* edit = editOf(v)) return edit->text().isEmpty();
    return comboOf(v)->itemIndex() < 0;
}

void TEditsPanel::SetSecretVar(int32_t index) {
    forms::Edit* edit = editOf(var(index));
    if (!edit) return;
    edit->setPasswordChar(QLatin1Char('*'));
    if (!IsSecret(index)) m_secrets.push_back(index);
}

bool TEditsPanel::IsSecret(int32_t index) const {
    return std::find(m_secrets.begin(), m_secrets.end(), index) != m_secrets.end();
}

bool TEditsPanel::IsMasked(int32_t index) const {
    return IsSecret(index) && KeyRules::isMaskedKey(editOf(var(index))->text());
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
    forms::ComboBox* combo = comboOf(var(row));
    if (!combo) return;
    for (const ComboRule& rule : comboRules) {
        if (rule.source != row || combo->itemIndex() != rule.index) continue;
        for (int32_t target : rule.targets) rule.enable ? EnableVar(target) : DisableVar(target);
    }
}

// ---- bit strings ------------------------------------------------------------------------------------

TBitsDialog::TBitsDialog(QWidget* owner, const QString& caption, int32_t bitCount, int32_t columns)
    : forms::Form(owner) {
    setCaption(caption);
    setBorderStyle(BorderStyle::Dialog);
    setPosition(Position::OwnerFormCenter);
    columns = std::max(1, columns);
    constexpr int kBoxWidth = 40, kBoxHeight = 17, kMargin = 10, kButtonWidth = 75, kButtonHeight = 25;
    for (int32_t bit = 0; bit < bitCount; ++bit) {
        auto* box = new forms::CheckBox(QString::number(bit + 1), this);
        box->setBounds(kMargin + (bit % columns) * kBoxWidth, kMargin + (bit / columns) * (kBoxHeight + kGap),
                       kBoxWidth, kBoxHeight);
        Bits.push_back(box);
    }
    const int lines = (bitCount + columns - 1) / columns;
    const int buttonsTop = kMargin + lines * (kBoxHeight + kGap) + kGap;
    OkBtn = new forms::Button(QStringLiteral("OK"), this);
    CancelBtn = new forms::Button(QStringLiteral("Cancel"), this);
    CheckAllBtn = new forms::Button(QStringLiteral("Check All"), this);
    ClearChecksBtn = new forms::Button(QStringLiteral("Clear Checks"), this);
    int left = kMargin;
    for (forms::Button* b : {OkBtn, CancelBtn, CheckAllBtn, ClearChecksBtn}) {
        b->setBounds(left, buttonsTop, kButtonWidth, kButtonHeight);
        left += kButtonWidth + kGap;
    }
    OkBtn->setModalResult(forms::mrOk);
    CancelBtn->setModalResult(forms::mrCancel);
    CheckAllBtn->OnClick = [this](QObject*) {
        for (forms::CheckBox* b : Bits) b->setChecked(true);
    };
    ClearChecksBtn->OnClick = [this](QObject*) {
        for (forms::CheckBox* b : Bits) b->setChecked(false);
    };
    setClientSize(std::max(left, kMargin + columns * kBoxWidth) + kMargin - kGap,
                  buttonsTop + kButtonHeight + kMargin);
}

void TEditsPanel::SetVarBits(int32_t index, const UISnmpBitLayout* layout) {
    var(index);
    UISnmpVar& v = m_vars[static_cast<size_t>(index)];
    if (m_request->request.varList.item(index).syntax != HvSyntax::OctetStr || !editOf(v))
        throw HvException("You can only assign Octet Item to a Edit!");
    v.bits = layout;
    if (!v.bitsButton) {
        v.bitsButton = new forms::Button(QStringLiteral("..."), m_rows);
        v.bitsButton->OnClick = [this, index](QObject*) { EditBits(index); };
        v.bitsButton->setEnabled(!editOf(v)->readOnly());
        v.bitsButton->setVisible(!IsHidden(index));
    }
    Layout(2, true);
}

bool TEditsPanel::EditBits(int32_t index) {
    const UISnmpVar& v = var(index);
    forms::Edit* edit = editOf(v);
    if (m_request->request.varList.item(index).syntax != HvSyntax::OctetStr || !edit)
        throw HvException("You can only assign Octet Item to a Edit!");
    // The value's octets as the row shows them; a digit that is no hex digit counts as no bit set.
    const QString text = edit->text();
    std::vector<uint8_t> octets(static_cast<size_t>((text.size() + 1) / 2), 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        bool ok = false;
        const int digit = QString(text[i]).toInt(&ok, 16);
        if (ok) octets[static_cast<size_t>(i / 2)] |= static_cast<uint8_t>(digit << (i % 2 ? 0 : 4));
    }
    const int32_t count = v.bits && v.bits->bitCount > 0 ? v.bits->bitCount
                                                         : static_cast<int32_t>(octets.size() * 8);
    // Bits past the value's end read 0; bits of the value past the layout's count are kept as they are.
    octets.resize(std::max(octets.size(), static_cast<size_t>((count + 7) / 8)), 0);
    TBitsDialog dialog(this, v.label->caption(), count, v.bits ? v.bits->columns : 8);
    for (int32_t bit = 0; bit < count; ++bit)
        dialog.Bits[static_cast<size_t>(bit)]->setChecked((octets[static_cast<size_t>(bit / 8)] >> (7 - bit % 8)) & 1);
    dialog.OkBtn->setEnabled(!edit->readOnly());
    if (dialog.showModal() != forms::mrOk || edit->readOnly()) return false;
    for (int32_t bit = 0; bit < count; ++bit) {
        const auto mask = static_cast<uint8_t>(1u << (7 - bit % 8));
        uint8_t& octet = octets[static_cast<size_t>(bit / 8)];
        octet = dialog.Bits[static_cast<size_t>(bit)]->checked() ? (octet | mask) : (octet & ~mask);
    }
    QString hex;
    for (uint8_t o : octets) hex += QStringLiteral("%1").arg(o, 2, 16, QLatin1Char('0')).toUpper();
    edit->setText(hex);
    return true;
}
