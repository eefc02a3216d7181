#pragma once

// Unit GUIGenerator: the generic page builder's panels. A page is made at run time from one request:
// an editor over a group of scalar objects (one row per object: check box, name, value control), or
// a table whose rows are listed and added, edited and deleted through dialogs over the same request.

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
};

// One row of an edits panel.
struct UISnmpVar {
    enum Kind : int32_t { End = 0, ReadOnlyEdit = 1, Edit = 2, Combo = 3, ReadOnlyEnum = 4 };
    int32_t kind = End;
    std::string format = "%s";
    forms::Control* control = nullptr;
    forms::CheckBox* check = nullptr;
    forms::Label* label = nullptr;
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
    void SetEditWidth(int width);
    // Mode 1: every row on one line; mode 2: one row per variable. resize: the panel takes the
    // extent of its rows plus 40.
    void Layout(int mode, bool resize);
    void DisableVar(int32_t index);
    void EnableVar(int32_t index);
    void HideVar(int32_t index);
    void ShowVar(int32_t index);
    void ClearVar(int32_t index);
    void ClearAll();
    bool IsReadOnly(int32_t index) const;
    bool IsKey(int32_t index) const;
    bool IsVarEmpty(int32_t index) const;
    // Checks or unchecks every row; writable non-key rows enabled, the others disabled.
    void SetDefaultChecked(bool checked);
    void CheckBoxClick();
    void ComboChange(int32_t row);
    bool AnyChecked() const;

    HvSNMPRequest2Edits* request() const { return m_request; }
    const std::vector<UISnmpVar>& vars() const { return m_vars; }
    std::vector<ComboRule> comboRules;
    std::vector<int32_t> requiredRows;
    // Runs when the rows' checks change: whether any row is checked.
    std::function<void(bool anyChecked)> OnChecksChanged;

private:
    const UISnmpVar& var(int32_t index) const;
    void resizeTo(int width, int height);
    forms::ScrollBox* m_box;
    QWidget* m_rows;
    HvSNMPRequest2Edits* m_request = nullptr;
    std::vector<UISnmpVar> m_vars;
    int m_editWidth = 121;
};

// A table request's rows.
class TListViewPanel : public forms::Panel {
public:
    explicit TListViewPanel(QWidget* parent);
    forms::ListView* List;
    int32_t addColumn = -1;
    QString addValue;
    int32_t deleteColumn = -1;
    QString deleteValue;
};

// The page frame: buttons at the right, the content above the messages.
class TSNMPPanel : public forms::Panel {
public:
    TSNMPPanel(QWidget* parent, HvSNMPRequest2Edits* request);

    void SetContent(QWidget* content);
    // Centres form on the main window, grows its client area to the page (at most 800 x 550) and lets
    // the page fill it.
    void AttachToForm(forms::Form* form);
    virtual void RefreshClick();
    void CloseClick();
    virtual void ArrangeCtrlBtn() { CtrlBtns->ArrangeCtrlBtn(); }

    HvSNMPRequest2Edits* request() const { return m_request; }
    TCtrlBtnPanel* CtrlBtns;
    TMsgPanel* Msg;
    forms::Form* host() const { return m_host; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QWidget* content() const { return m_content; }

private:
    HvSNMPRequest2Edits* m_request;
    QPointer<QWidget> m_content;
    forms::Form* m_host = nullptr;
};

class TSNMPEditorPanel : public TSNMPPanel {
public:
    TSNMPEditorPanel(QWidget* parent, HvSNMPRequest2Edits* request, bool withEdits = true);

    void SetEditWidth(int width);
    // Writes the checked rows: the others are left out of the set, and the marks and the mode are
    // given back afterwards whatever the outcome. True when the device took the write.
    bool SetCheckedClick();
    void CheckAllClick();
    void ClearChecksClick();
    void ArrangeCtrlBtn() override;

    TEditsPanel* Edits = nullptr;  // null on a table page
};

class TSNMPListViewPanel : public TSNMPEditorPanel {
public:
    TSNMPListViewPanel(QWidget* parent, HvSNMPRequest2Edits* request);

    void SetAddStatus(int32_t column, const QString& value);
    void SetDeleteStatus(int32_t column, const QString& value);
    void AddClick();
    void EditClick();
    void DeleteClick();
    void RefreshClick() override;
    void ArrangeCtrlBtn() override;
    // The hint of a row: each column's caption with the row's value.
    QString RowHint(int32_t row) const;

    TListViewPanel* ListPanel;
    // Runs the add or edit dialog modally; tests replace it to act inside the dialog.
    std::function<void(forms::Form& dialog, TSNMPEditorPanel& panel)> runDialog;

private:
    void runRowDialog(bool adding);
    void listChanged();
};
