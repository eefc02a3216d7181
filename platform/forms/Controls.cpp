#include "platform/forms/Controls.h"

#include <algorithm>

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBlock>
#include <QValidator>
#include <QVBoxLayout>

#include "platform/forms/Form.h"

namespace forms {

// Limits what the user adds to the maximum length, as the Windows edit does: a typed character that
// does not fit is refused, a paste is cut to what fits. A text already longer (set in code) stays as
// it is and may still be shortened.
class Edit::LengthLimit : public QValidator {
public:
    explicit LengthLimit(Edit* edit) : QValidator(edit), m_edit(edit) {}
    State validate(QString& input, int& pos) const override {
        const int max = m_edit->m_maxLength;
        const QString& before = m_edit->m_lastText;
        if (m_edit->m_settingText || max == 0) return Acceptable;
        if (input.size() <= max || input.size() <= before.size()) return Acceptable;
        // The inserted part is what lies between the common start and the common end.
        const int shorter = static_cast<int>(std::min(input.size(), before.size()));
        int head = 0;
        while (head < shorter && input[head] == before[head]) ++head;
        int tail = 0;
        while (tail < shorter - head && input[input.size() - 1 - tail] == before[before.size() - 1 - tail])
            ++tail;
        const int inserted = static_cast<int>(input.size()) - head - tail;
        const int room = std::max(0, max - (static_cast<int>(input.size()) - inserted));
        const QString fitted =
            input.left(head) + input.mid(head, std::min(room, inserted)) + input.right(tail);
        if (fitted.size() > before.size() || fitted != before) {
            if (fitted.size() > std::max<qsizetype>(max, before.size())) return Invalid;
            input = fitted;
            pos = head + std::min(room, inserted);
            return Acceptable;
        }
        return Invalid;
    }

private:
    Edit* m_edit;
};

void InputColors::applyColors(QWidget* widget, const QColor& color, const QColor& fontColor) {
    m_color = color;
    m_fontColor = fontColor;
    QPalette p = widget->palette();
    // Every group: a read-only or disabled control keeps the colours it was given.
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
            p.setColor(group, role, color);
        for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            p.setColor(group, role, fontColor);
    }
    widget->setPalette(p);
}

Edit::Edit(QWidget* parent) : ControlT<QLineEdit>(parent) {
    // Qt's own limit cuts text set in code; the edit keeps Qt's at its widest and limits typing itself.
    QLineEdit::setMaxLength(32767);
    setValidator(new LengthLimit(this));
    // textChanged, not textEdited: a change made in code fires OnChange too.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_lastText = text;
        fire(OnChange, this);
    });
}

void Edit::setText(const QString& text) {
    const bool outer = !m_settingText;
    m_settingText = true;
    QLineEdit::setText(text);
    if (outer) m_settingText = false;
}

void Edit::setPasswordChar(QChar c) {
    m_passwordChar = c;
    setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void Edit::userType(const QString& text) {
    if (!focused() && !setFocus()) return;
    for (QChar c : text) userKey(0, Qt::NoModifier, QString(c));
}

void Edit::userBackspace(int count) {
    if (!focused() && !setFocus()) return;
    for (int i = 0; i < count; ++i) userKey(Qt::Key_Backspace);
}

// ComboBox

ComboBox::ComboBox(QWidget* parent) : ControlT<QComboBox>(parent) {
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    // activated is the user's choice only; currentIndexChanged would also fire for code.
    connect(this, &QComboBox::activated, this, [this](int) {
        fire(OnClick, this);
        fire(OnChange, this);
    });
}

void ComboBox::setComboStyle(Style style) {
    const bool editable = style == Style::DropDown;
    if (editable == isEditable()) return;
    const int index = currentIndex();
    setEditable(editable);
    if (editable) {
        lineEdit()->setValidator(nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
            // Typing leaves no item chosen, as the Windows combo box does, unless it spells one.
            const int cursor = lineEdit()->cursorPosition();
            keepSelection(indexOf(text) >= 0 && itemText(indexOf(text)) == text ? indexOf(text) : -1, text);
            lineEdit()->setCursorPosition(cursor);
            fire(OnChange, this);
        });
    }
    keepSelection(index, index >= 0 ? itemText(index) : QString());
}

void ComboBox::keepSelection(int index, const QString& editText) {
    if (currentIndex() != index) QComboBox::setCurrentIndex(index);
    if (isEditable() && lineEdit()->text() != editText) lineEdit()->setText(editText);
}

QStringList ComboBox::items() const {
    QStringList out;
    for (int i = 0; i < count(); ++i) out << itemText(i);
    return out;
}

void ComboBox::setItems(const QStringList& items) {
    const QString edit = isEditable() ? currentText() : QString();
    clear();
    QComboBox::addItems(items);
    // Qt selects the first item of a list that was empty; the list the pages know does not.
    keepSelection(-1, edit);
}

void ComboBox::clearItems() {
    const QString edit = isEditable() ? currentText() : QString();
    clear();
    keepSelection(-1, edit);
}

void ComboBox::addItem(const QString& text) {
    const int index = currentIndex();
    const QString edit = isEditable() ? currentText() : QString();
    QComboBox::addItem(text);
    keepSelection(index, edit);
}

QString ComboBox::commaText() const {
    QStringList out;
    for (const QString& item : items()) {
        const bool quote = item.isEmpty() || item.contains(QLatin1Char(',')) ||
                           item.contains(QLatin1Char('"')) || item.contains(QLatin1Char(' '));
        if (!quote) {
            out << item;
            continue;
        }
        QString quoted = item;
        quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        out << QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return out.join(QLatin1Char(','));
}

void ComboBox::setCommaText(const QString& text) {
    // The form library's rule: items are separated by commas or blanks; a quoted item may hold both,
    // with "" for a quote.
    QStringList out;
    int i = 0;
    const int n = static_cast<int>(text.size());
    auto isSep = [](QChar c) { return c == QLatin1Char(',') || c.unicode() <= ' '; };
    while (i < n && text[i].unicode() <= ' ') ++i;
    while (i < n) {
        QString item;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && !isSep(text[i])) item += text[i++];
        }
        out << item;
        while (i < n && text[i].unicode() <= ' ') ++i;
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            while (i < n && text[i].unicode() <= ' ') ++i;
            if (i == n) out << QString();
        }
    }
    setItems(out);
}

int ComboBox::indexOf(const QString& text) const {
    for (int i = 0; i < count(); ++i)
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void ComboBox::setItemIndex(int index) {
    if (index < -1 || index >= count()) index = -1;
    QComboBox::setCurrentIndex(index);
}

QString ComboBox::text() const {
    if (isEditable()) return currentText();
    return currentIndex() >= 0 ? itemText(currentIndex()) : QString();
}

void ComboBox::setText(const QString& text) {
    const int index = indexOf(text);
    if (isEditable())
        keepSelection(index, text);
    else
        setItemIndex(index);
}

bool ComboBox::userSelect(int index) {
    if (!isEnabled() || index < 0 || index >= count()) return false;
    if (!focused() && !setFocus()) return false;
    QComboBox::setCurrentIndex(index);
    // What the drop-down list reports when the user picks an item.
    emit activated(index);
    return true;
}

void ComboBox::userType(const QString& text) {
    if (!isEditable() || !isEnabled()) return;
    if (!focused() && !setFocus()) return;
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(lineEdit(), &press);
    }
}

// CheckBox, RadioButton

CheckBox::CheckBox(QWidget* parent) : ControlT<QCheckBox>(parent) {
    // toggled fires for a click and for a change in code, never for a set to the same state.
    connect(this, &QAbstractButton::toggled, this, [this](bool) { fire(OnClick, this); });
}

bool CheckBox::userClick() {
    if (!isEnabled() || !canFocus()) return false;
    if ((focusPolicy() & Qt::ClickFocus) && !focused() && !setFocus()) return false;
    click();
    return true;
}

RadioButton::RadioButton(QWidget* parent) : ControlT<QRadioButton>(parent) {
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on) fire(OnClick, this);
    });
}

bool RadioButton::userClick() {
    if (!isEnabled() || !canFocus()) return false;
    if ((focusPolicy() & Qt::ClickFocus) && !focused() && !setFocus()) return false;
    click();
    return true;
}

// RadioGroup

RadioGroup::RadioGroup(QWidget* parent) : ControlT<QGroupBox>(parent) {
    new QVBoxLayout(this);
    m_group.setExclusive(true);
    // idClicked is a click only; a check set in code does not report it.
    connect(&m_group, &QButtonGroup::idClicked, this, [this](int) { fire(OnClick, this); });
}

void RadioGroup::setItems(const QStringList& items) {
    m_items = items;
    rebuild(-1);
}

void RadioGroup::clearItems() {
    setItems({});
}

void RadioGroup::addItem(const QString& text) {
    m_items << text;
    rebuild(itemIndex());
}

void RadioGroup::rebuild(int keepIndex) {
    for (QRadioButton* b : m_buttons) {
        m_group.removeButton(b);
        delete b;
    }
    m_buttons.clear();
    for (int i = 0; i < m_items.size(); ++i) {
        auto* b = new QRadioButton(m_items[i], this);
        m_group.addButton(b, i);
        layout()->addWidget(b);
        m_buttons.push_back(b);
    }
    setItemIndex(keepIndex);
}

void RadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < static_cast<int>(m_buttons.size())) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group cannot uncheck its last button; open it for a moment.
    m_group.setExclusive(false);
    for (QRadioButton* b : m_buttons) b->setChecked(false);
    m_group.setExclusive(true);
}

bool RadioGroup::userSelect(int index) {
    if (!isEnabled() || index < 0 || index >= static_cast<int>(m_buttons.size())) return false;
    if (!focused() && !setFocus()) return false;
    m_buttons[index]->click();
    return true;
}

// Label, Button, Memo, Shape, Image

Label::Label(QWidget* parent) : ControlT<QLabel>(parent) {
    // Captions are plain text, whatever they hold (device texts included): never markup.
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    if (m_autoSize) adjustSize();
}

void Label::setAutoSize(bool autoSize) {
    m_autoSize = autoSize;
    if (autoSize) adjustSize();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        fire(OnClick, this);
}

Button::Button(QWidget* parent) : ControlT<QPushButton>(parent) {
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, [this](bool) { clickedNow(); });
}

void Button::clickedNow() {
    if (m_modalResult != 0)
        if (Form* f = form()) f->setModalResult(m_modalResult);
    fire(OnClick, this);
}

bool Button::userClick() {
    if (!isEnabled() || !canFocus()) return false;
    if ((focusPolicy() & Qt::ClickFocus) && !focused() && !setFocus()) return false;
    click();
    return true;
}

Memo::Memo(QWidget* parent) : ControlT<QPlainTextEdit>(parent) {
    connect(this, &QPlainTextEdit::textChanged, this, [this] { fire(OnChange, this); });
}

QStringList Memo::lines() const {
    QStringList out;
    if (document()->isEmpty()) return out;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

void Shape::setBrushColor(const QColor& color) {
    if (color == m_brush) return;
    m_brush = color;
    update();
}

void Shape::setPenColor(const QColor& color) {
    m_pen = color;
    update();
}

void Shape::setShape(Kind kind) {
    m_kind = kind;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(m_pen);
    p.setBrush(m_brush);
    QRect r = rect().adjusted(0, 0, -1, -1);
    if (m_kind == Kind::Square || m_kind == Kind::Circle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    switch (m_kind) {
        case Kind::Ellipse:
        case Kind::Circle:
            p.drawEllipse(r);
            break;
        case Kind::RoundRect:
            p.drawRoundedRect(r, 4, 4);
            break;
        default:
            p.drawRect(r);
            break;
    }
}

bool Image::loadFromFile(const QString& path) {
    QPixmap picture;
    if (!picture.load(path)) return false;
    setPixmap(picture);
    return true;
}

void Image::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        fire(OnClick, this);
}

// StatusBar

StatusPanel::StatusPanel(StatusBar* bar, QLabel* label, int width)
    : m_bar(bar), m_label(label), m_width(width) {
    m_label->setFixedWidth(width);
}

void StatusPanel::setText(const QString& text) {
    m_text = text;
    m_label->setText(text);
}

void StatusPanel::setWidth(int width) {
    m_width = width;
    m_label->setFixedWidth(width);
}

StatusBar::StatusBar(QWidget* parent) : ControlT<QFrame>(parent), m_simpleLabel(new QLabel(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    row->addWidget(m_simpleLabel, 1);
    m_simpleLabel->setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    resize(parent ? parent->width() : 100, 19);
    if (parent) {
        parent->installEventFilter(this);
        dock();
    }
    relayout();
}

StatusBar::~StatusBar() = default;

void StatusBar::setSimpleText(const QString& text) {
    m_simpleText = text;
    m_simpleLabel->setText(text);
}

void StatusBar::setSimplePanel(bool simple) {
    m_simplePanel = simple;
    relayout();
}

StatusPanel* StatusBar::addPanel(int width) {
    auto* label = new QLabel(this);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    static_cast<QHBoxLayout*>(layout())->insertWidget(layout()->count(), label);
    m_panels.push_back(std::unique_ptr<StatusPanel>(new StatusPanel(this, label, width)));
    relayout();
    return m_panels.back().get();
}

StatusPanel* StatusBar::panel(int index) const {
    return index >= 0 && index < panelCount() ? m_panels[index].get() : nullptr;
}

void StatusBar::clearPanels() {
    for (auto& p : m_panels) delete p->m_label;
    m_panels.clear();
    relayout();
}

void StatusBar::relayout() {
    // No panels: the simple text is all there is to show.
    const bool simple = m_simplePanel || m_panels.empty();
    m_simpleLabel->setVisible(simple);
    for (auto& p : m_panels) p->m_label->setVisible(!simple);
}

void StatusBar::setHeight(int height) {
    resize(width(), height);
    if (parentWidget()) dock();
}

void StatusBar::dock() {
    QWidget* p = parentWidget();
    setGeometry(0, p->height() - height(), p->width(), height());
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) dock();
    return ControlT<QFrame>::eventFilter(watched, event);
}

}  // namespace forms
