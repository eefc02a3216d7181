#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "platform/HvItemsControl.h"
#include "platform/forms/Control.h"

namespace forms {

// Where a request writes its result line: a memo appends it, a status bar shows it as its simple
// text, a status panel as its text.
class ResultSink {
public:
    virtual ~ResultSink() = default;
    virtual void showLine(const QString& line) = 0;
};

// The fill and text colours of an input control, as the form library's Color and Font->Color: white
// and black until set. They hold in every state of the control, read-only and disabled included.
class InputColors {
public:
    QColor color() const { return m_color; }
    QColor fontColor() const { return m_fontColor; }

protected:
    void applyColors(QWidget* widget, const QColor& color, const QColor& fontColor);

private:
    QColor m_color{Qt::white};
    QColor m_fontColor{Qt::black};
};

// A single-line edit. Setting its text in code fires OnChange when the text differs, as typing does.
// The maximum length limits what the user types; text set in code is never cut. 0 means no limit.
class Edit : public ControlT<QLineEdit>, public InputColors {
public:
    explicit Edit(QWidget* parent = nullptr);

    void setColor(const QColor& color) { applyColors(this, color, fontColor()); }
    void setFontColor(const QColor& color) { applyColors(this, this->color(), color); }

    QString text() const { return QLineEdit::text(); }
    void setText(const QString& text);
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length > 0 ? length : 0; }
    // '\0' shows the text; any other character hides it.
    QChar passwordChar() const { return m_passwordChar; }
    void setPasswordChar(QChar c);
    bool readOnly() const { return isReadOnly(); }
    int selStart() const { return cursorPosition(); }
    void setSelStart(int position) { setCursorPosition(position); }

    NotifyEvent OnChange;

    // Test API, acting as the user: takes the focus, then types each character at the caret.
    void userType(const QString& text);
    void userBackspace(int count = 1);
    void userSelectAll() { selectAll(); }
    void userPaste(const QString& text) { insert(text); }

private:
    class LengthLimit;
    friend class LengthLimit;
    int m_maxLength = 0;
    QChar m_passwordChar;
    QString m_lastText;  // the text before the edit the validator is judging
    bool m_settingText = false;
};

// A combo box. Setting its item index in code fires nothing; only the user's choice fires OnClick and
// then OnChange (and typing into the editable style fires OnChange). Adding items leaves the
// selection alone: no item is chosen behind the caller's back.
class ComboBox : public ControlT<QComboBox>, public HvItemsControl, public InputColors {
public:
    enum class Style { DropDown, DropDownList };

    explicit ComboBox(QWidget* parent = nullptr);

    void setColor(const QColor& color) { applyColors(this, color, fontColor()); }
    void setFontColor(const QColor& color) { applyColors(this, this->color(), color); }

    Style comboStyle() const { return isEditable() ? Style::DropDown : Style::DropDownList; }
    void setComboStyle(Style style);

    QStringList items() const;
    void setItems(const QStringList& items);
    void clearItems() override;
    void addItem(const QString& text);
    void addItem(const std::string& text) override { addItem(QString::fromStdString(text)); }
    void addItem(const char* text) { addItem(QString::fromUtf8(text)); }
    int itemCount() const override { return count(); }
    std::string itemString(int32_t index) const override { return itemText(index).toStdString(); }
    QString item(int index) const { return itemText(index); }
    // Items as one text: "a,b,\"c d\"" (quoted where an item holds a blank, a comma or a quote).
    QString commaText() const;
    void setCommaText(const QString& text);
    int indexOf(const QString& text) const;  // ignoring case, as the item lists compare

    int itemIndex() const override { return currentIndex(); }
    // -1 or an index outside the items selects nothing.
    void setItemIndex(int index) override;
    // The drop-down list's text is the selected item's; the editable style's is what the edit holds.
    QString text() const;
    void setText(const QString& text);

    NotifyEvent OnChange;
    NotifyEvent OnClick;

    // Test API, acting as the user.
    bool userSelect(int index);
    void userType(const QString& text);

private:
    void keepSelection(int index, const QString& editText);
};

// A check box. Setting its state in code fires OnClick when the state changes, as a click does.
class CheckBox : public ControlT<QCheckBox> {
public:
    explicit CheckBox(QWidget* parent = nullptr);
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr) : CheckBox(parent) {
        setCaption(caption);
    }

    bool checked() const { return isChecked(); }
    void setChecked(bool checked) { QCheckBox::setChecked(checked); }
    QString caption() const { return QCheckBox::text(); }
    void setCaption(const QString& caption) { QCheckBox::setText(caption); }

    NotifyEvent OnClick;

    bool userClick();
};

// A radio button; the buttons of one parent exclude each other. OnClick fires when it becomes checked,
// by a click or in code.
class RadioButton : public ControlT<QRadioButton> {
public:
    explicit RadioButton(QWidget* parent = nullptr);
    explicit RadioButton(const QString& caption, QWidget* parent = nullptr) : RadioButton(parent) {
        setCaption(caption);
    }

    bool checked() const { return isChecked(); }
    void setChecked(bool checked) { QRadioButton::setChecked(checked); }
    QString caption() const { return QRadioButton::text(); }
    void setCaption(const QString& caption) { QRadioButton::setText(caption); }

    NotifyEvent OnClick;

    bool userClick();
};

// A group of radio buttons made from its items. Setting the item index in code fires nothing; the
// user's choice fires OnClick.
class RadioGroup : public ControlT<QGroupBox>, public HvItemsControl {
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QString caption() const { return title(); }
    void setCaption(const QString& caption) { setTitle(caption); }

    QStringList items() const { return m_items; }
    void setItems(const QStringList& items);
    void clearItems() override;
    void addItem(const QString& text);
    void addItem(const std::string& text) override { addItem(QString::fromStdString(text)); }
    void addItem(const char* text) { addItem(QString::fromUtf8(text)); }
    int itemCount() const override { return static_cast<int>(m_items.size()); }
    std::string itemString(int32_t index) const override { return item(index).toStdString(); }
    QString item(int index) const {
        return index >= 0 && index < m_items.size() ? m_items[index] : QString();
    }

    int itemIndex() const override { return m_group.checkedId(); }
    void setItemIndex(int index) override;
    // The selected item's text, or empty.
    QString text() const { return item(itemIndex()); }

    NotifyEvent OnClick;

    bool userSelect(int index);

private:
    void rebuild(int keepIndex);
    QButtonGroup m_group;
    QStringList m_items;
    std::vector<QRadioButton*> m_buttons;
};

// A label. It sizes itself to its caption, as the layouts expect.
class Label : public ControlT<QLabel> {
public:
    explicit Label(QWidget* parent = nullptr);
    explicit Label(const QString& caption, QWidget* parent = nullptr) : Label(parent) { setCaption(caption); }

    QString caption() const { return QLabel::text(); }
    void setCaption(const QString& caption);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    NotifyEvent OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_autoSize = true;
};

// The static text control: a label in all the kit cares about (a binding tests Label first).
class StaticText : public Label {
public:
    using Label::Label;
};

class Button : public ControlT<QPushButton> {
public:
    explicit Button(QWidget* parent = nullptr);
    explicit Button(const QString& caption, QWidget* parent = nullptr) : Button(parent) {
        setCaption(caption);
    }

    QString caption() const { return QPushButton::text(); }
    void setCaption(const QString& caption) { QPushButton::setText(caption); }
    // A click sets this result on the button's form (when it is not mrNone) before OnClick.
    int modalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    void setGlyph(const QPixmap& glyph) { setIcon(glyph); }

    NotifyEvent OnClick;

    // Test API: the focus moves to the button first, which runs the exit handler of the control that
    // had it; when that handler keeps the focus (a refused entry) the click is lost, as with a mouse.
    bool userClick();

private:
    void clickedNow();
    int m_modalResult = 0;
};

using BitBtn = Button;

class GroupBox : public ControlT<QGroupBox> {
public:
    explicit GroupBox(QWidget* parent = nullptr) : ControlT<QGroupBox>(parent) {}
    explicit GroupBox(const QString& caption, QWidget* parent = nullptr) : GroupBox(parent) {
        setCaption(caption);
    }
    QString caption() const { return title(); }
    void setCaption(const QString& caption) { setTitle(caption); }
};

class Panel : public ControlT<QFrame> {
public:
    explicit Panel(QWidget* parent = nullptr) : ControlT<QFrame>(parent) {}
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

private:
    QString m_caption;
};

class ScrollBox : public ControlT<QScrollArea> {
public:
    explicit ScrollBox(QWidget* parent = nullptr) : ControlT<QScrollArea>(parent) {}
};

class Splitter : public ControlT<QSplitter> {
public:
    explicit Splitter(QWidget* parent = nullptr) : ControlT<QSplitter>(parent) {}
};

// A multi-line text; its lines can be added one by one (a result control).
class Memo : public ControlT<QPlainTextEdit>, public ResultSink {
public:
    explicit Memo(QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }
    QStringList lines() const;
    int lineCount() const { return static_cast<int>(lines().size()); }
    void addLine(const QString& line) { appendPlainText(line); }
    void clearLines() { clear(); }
    bool readOnly() const { return isReadOnly(); }

    void showLine(const QString& line) override { addLine(line); }

    NotifyEvent OnChange;
};

// A filled shape: the LEDs of the main window are shapes whose brush colour shows the state.
class Shape : public ControlT<QWidget> {
public:
    enum class Kind { Rectangle, Square, RoundRect, Ellipse, Circle };

    explicit Shape(QWidget* parent = nullptr) : ControlT<QWidget>(parent) {}

    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return m_pen; }
    void setPenColor(const QColor& color);
    Kind shape() const { return m_kind; }
    void setShape(Kind kind);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_brush = Qt::white;
    QColor m_pen = Qt::black;
    Kind m_kind = Kind::Rectangle;
};

class Image : public ControlT<QLabel> {
public:
    explicit Image(QWidget* parent = nullptr) : ControlT<QLabel>(parent) {}

    QPixmap picture() const { return pixmap(); }
    void setPicture(const QPixmap& picture) { setPixmap(picture); }
    // False (and the picture unchanged) when the file is missing or not a picture.
    bool loadFromFile(const QString& path);
    bool stretch() const { return hasScaledContents(); }
    void setStretch(bool stretch) { setScaledContents(stretch); }

    NotifyEvent OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class StatusBar;

// One panel of a status bar; not a widget of its own to the pages.
class StatusPanel : public ResultSink {
public:
    QString text() const { return m_text; }
    void setText(const QString& text);
    int width() const { return m_width; }
    void setWidth(int width);
    void showLine(const QString& line) override { setText(line); }

private:
    friend class StatusBar;
    StatusPanel(StatusBar* bar, QLabel* label, int width);
    StatusBar* m_bar;
    QLabel* m_label;
    QString m_text;
    int m_width;
};

// A status bar along the bottom of its parent. With simplePanel it shows its simple text; otherwise
// its panels. Both stay readable whichever is shown.
class StatusBar : public ControlT<QFrame>, public ResultSink {
public:
    explicit StatusBar(QWidget* parent = nullptr);
    ~StatusBar() override;

    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString& text);
    bool simplePanel() const { return m_simplePanel; }
    void setSimplePanel(bool simple);

    StatusPanel* addPanel(int width = 50);
    int panelCount() const { return static_cast<int>(m_panels.size()); }
    StatusPanel* panel(int index) const;
    void clearPanels();

    void showLine(const QString& line) override { setSimpleText(line); }

    // The bar stays docked: a new height takes room from the client area above it.
    void setHeight(int height);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class StatusPanel;
    void dock();
    void relayout();
    QLabel* m_simpleLabel;
    QString m_simpleText;
    bool m_simplePanel = false;
    std::vector<std::unique_ptr<StatusPanel>> m_panels;
};

}  // namespace forms
