#pragma once

// Unit GUIGenerator: the generic page builder's panels. A page is made at run time from one request:
// an editor over a group of scalar objects (one row per object: check box, name, value control), or
// a table whose rows are listed and added, edited and deleted through dialogs over the same request.

#include <QColor>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "platform/forms/Forms.h"

// The button column at the right of a page.
class TCtrlBtnPanel : public forms::Panel {
public:
    explicit TCtrlBtnPanel(QWidget* parent);

    // Stacks the visible controls from the top margin down, 5 pixels apart.
    virtual void ArrangeCtrlBtn();

    forms::Label* CaptionLabel;
    forms::StaticText* Counter;
    forms::Button* RefreshBtn;
    forms::Button* EditBtn;
    forms::Button* SetCheckedBtn;
    forms::Button* AddBtn;
    forms::Button* DeleteBtn;
    forms::Button* CheckAllBtn;
    forms::Button* ClearChecksBtn;
    forms::Button* CloseBtn;
    std::vector<forms::Control*> stacked;  // in stacking order
    int leftMargin = 10;
    int topMargin = 10;
    static constexpr int kButtonWidth = 96;
};

// The request's messages, at the bottom of a page.
class TMsgPanel : public forms::Panel {
public:
    explicit TMsgPanel(QWidget* parent);
    forms::Memo* Messages;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

// A panel its one child fills.
class TFillPanel : public forms::Panel {
public:
    explicit TFillPanel(QWidget* parent) : forms::Panel(parent) {}
    void setFill(QWidget* child) { m_fill = child; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_fill;
};

// How the bits of a bit-string row are shown: how many (0: eight per octet of the value) and how many
// check boxes one line of the grid holds.
struct UISnmpBitLayout {
    int32_t bitCount = 0;
    int32_t columns = 8;
};

// One row of an edits panel.
struct UISnmpVar {
    enum Kind : int32_t { End = 0, ReadOnlyEdit = 1, Edit = 2, Combo = 3, ReadOnlyEnum = 4 };
    int32_t kind = End;
    std::string format = "%s";
    forms::Control* control = nullptr;
    forms::CheckBox* check = nullptr;
    forms::Label* label = nullptr;
    const UISnmpBitLayout* bits = nullptr;  // a bit-string row; not owned
    forms::Button* bitsButton = nullptr;    // opens the bits of a bit-string row
};

// The bits of a bit-string value: one numbered check box per bit, the most significant bit of the
// first octet first.
class TBitsDialog : public forms::Form {
public:
    TBitsDialog(QWidget* owner, const QString& caption, int32_t bitCount, int32_t columns);
    std::vector<forms::CheckBox*> Bits;
    forms::Button* OkBtn;
    forms::Button* CancelBtn;
    forms::Button* CheckAllBtn;
    forms::Button* ClearChecksBtn;
};

class TEditsPanel : public forms::Panel {
public:
    // When the source row's combo selects index, the target rows are enabled (or disabled).
    struct ComboRule {
        int32_t source;
        int32_t index;
        std::vector<int32_t> targets;
        bool enable;
    };

    explicit TEditsPanel(QWidget* parent);
    // Takes the bindings it made off the request: the request may outlive the panel.
    ~TEditsPanel() override;

    // One row per variable of the request, bound to it; then all unchecked, one row per variable.
    void SetRequest(HvSNMPRequest2Edits* request);
    // Takes every row's bindings off the request and deletes its controls.
    void DestroyCtrls();
    void SetEditWidth(int width);
    // Binds an edit row again with another format.
    void SetVarFormat(int32_t index, const std::string& format);
    // Mode 1: every row on one line; mode 2: one row per variable. resize: the panel takes the
    // extent of its rows plus 40.
    void Layout(int mode, bool resize);
    // Disabled: the read-only look in the disabled colours, the check box hidden; enabled: black on
    // white with the check box shown.
    void DisableVar(int32_t index);
    void EnableVar(int32_t index);
    void SetDisabledColors(const QColor& fontColor, const QColor& color);
    QColor disabledFontColor() const { return m_disabledFont; }
    QColor disabledColor() const { return m_disabledColor; }
    void HideVar(int32_t index);
    void ShowVar(int32_t index);
    void ClearVar(int32_t index);
    void ClearAll();
    bool IsReadOnly(int32_t index) const;
    bool IsKey(int32_t index) const;
    bool IsVarEmpty(int32_t index) const;
    // Checks or unchecks every row; writable non-key rows enabled, the others disabled.
    void SetDefaultChecked(bool checked);
    // Makes an octet-string edit row a bit string, edited through EditBits.
    void SetVarBits(int32_t index, const UISnmpBitLayout* layout);
    // The bits of the row's value in a modal dialog; OK writes them back into the row's text. True
    // when the text was written.
    bool EditBits(int32_t index);
    // A key or secret row: its edit shows asterisks, and a value still showing only asterisks is the
    // device's mask, never written back.
    void SetSecretVar(int32_t index);
    bool IsSecret(int32_t index) const;
    bool IsMasked(int32_t index) const;
    bool IsHidden(int32_t index) const;
    void CheckBoxClick();
    void ComboChange(int32_t row);
    bool AnyChecked() const;

    HvSNMPRequest2Edits* request() const { return m_request; }
    const std::vector<UISnmpVar>& vars() const { return m_vars; }
    std::vector<UISnmpVar>& vars() { return m_vars; }
    std::vector<ComboRule> comboRules;
    std::vector<int32_t> requiredRows;
    // Runs when the rows' checks change: whether any row is checked.
    std::function<void(bool anyChecked)> OnChecksChanged;

private:
    const UISnmpVar& var(int32_t index) const;
    forms::Edit* editOf(const UISnmpVar& v) const;
    forms::ComboBox* comboOf(const UISnmpVar& v) const;
    void paint(const UISnmpVar& v, const QColor& fontColor, const QColor& color) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    forms::ScrollBox* m_box;
    QWidget* m_rows;
    HvSNMPRequest2Edits* m_request = nullptr;
    std::vector<UISnmpVar> m_vars;
    std::vector<int32_t> m_secrets;
    int m_editWidth = 121;
    QColor m_disabledFont{Qt::black};
    QColor m_disabledColor;  // the button face
};

// A table request's rows.
class TListViewPanel : public forms::Panel {
public:
    explicit TListViewPanel(QWidget* parent);
    forms::ListView* List;
    void resizeEvent(QResizeEvent* event) override;
    int32_t addColumn = -1;
    QString addValue;
    int32_t deleteColumn = -1;
    QString deleteValue;
};

// The page frame: buttons at the right beyond a splitter; in the client panel the content above a
// second splitter and the messages. A caller may give a message panel of its own to share; the page
// then has none.
class TSNMPPanel : public forms::Panel {
public:
    TSNMPPanel(QWidget* parent, HvSNMPRequest2Edits* request, TMsgPanel* sharedMsg = nullptr);

    void SetContent(QWidget* content);
    // Centres form on the main window, grows its client area to the page (at most 800 x 550) and lets
    // the page fill it.
    void AttachToForm(forms::Form* form);
    virtual void RefreshClick();
    void CloseClick();
    virtual void ArrangeCtrlBtn() { CtrlBtns->ArrangeCtrlBtn(); }

    HvSNMPRequest2Edits* request() const { return m_request; }
    TCtrlBtnPanel* CtrlBtns;
    forms::Splitter* Splitter1;  // between the client panel and the buttons
    TFillPanel* ClientPanel;
    forms::Splitter* Splitter2;  // between the content and the messages, 5 wide
    TMsgPanel* Msg;              // the page's own or the shared one
    bool sharesMsg() const { return m_sharedMsg; }
    forms::Form* host() const { return m_host; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QWidget* content() const { return m_content; }

private:
    HvSNMPRequest2Edits* m_request;
    QPointer<QWidget> m_content;
    forms::Form* m_host = nullptr;
    bool m_sharedMsg = false;
};

class TSNMPEditorPanel : public TSNMPPanel {
public:
    TSNMPEditorPanel(QWidget* parent, HvSNMPRequest2Edits* request, bool withEdits = true,
                     TMsgPanel* sharedMsg = nullptr);

    void SetEditWidth(int width);
    // Writes the checked rows: the others are left out of the set, and the marks and the mode are
    // given back afterwards whatever the outcome. Refused while the request's walk runs. True when
    // the device took the write; an add or edit dialog hosting the panel then closes.
    bool SetCheckedClick();
    void CheckAllClick();
    void ClearChecksClick();
    void ArrangeCtrlBtn() override;

    TEditsPanel* Edits = nullptr;  // null on a table page
    bool closesHostOnSet = false;   // hosted by an add or edit dialog
    // Hosted by an add dialog: the row's keys are the key rows' texts, not the list's selected row.
    bool addsRow = false;
};

class TSNMPListViewPanel : public TSNMPEditorPanel {
public:
    TSNMPListViewPanel(QWidget* parent, HvSNMPRequest2Edits* request);

    void SetAddStatus(int32_t column, const QString& value);
    void SetDeleteStatus(int32_t column, const QString& value);
    // Add, Edit and Delete are refused while the request's walk runs: they change its flags and mode.
    void AddClick();
    void EditClick();
    void DeleteClick();
    void RefreshClick() override;
    void ArrangeCtrlBtn() override;
    // The hint of a row: each column's caption with the row's value.
    QString RowHint(int32_t row) const;
    // The list's hint follows the row under the mouse (list client coordinates).
    void ListMouseMove(QObject* sender, int x, int y);

    TListViewPanel* ListPanel;

protected:
    // Before the add dialog: its rows start empty.
    virtual void BeforeAdd(TEditsPanel& edits);
    // After the add dialog and the read that follows it: the row the device took is selected once
    // the list holds it.
    virtual void AfterAdd(bool added, const std::vector<QString>& keys);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dialog's result: whether the device took its write; keys gets the key rows' texts.
    bool runRowDialog(bool adding, std::vector<QString>* keys = nullptr);
    void listChanged();
    void selectPendingRow();
    std::vector<QString> m_selectKeys;  // the added row, selected once the list holds it
};
