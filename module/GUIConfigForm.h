#pragma once

// Unit GUIConfigForm: the window of a page made by the generic page builder. It owns the requests it
// is given and the panel it builds over one of them, as an editor of scalars or a table of rows.

#include <memory>
#include <vector>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "module/GUIGenerator.h"
#include "platform/forms/Forms.h"

class TConfigForm : public forms::Form {
public:
    enum FormType { None = 0, Editor = 1, Table = 2 };

    explicit TConfigForm(QWidget* owner = nullptr);
    // The requests go first: no answer reaches a panel that is going away.
    ~TConfigForm() override;

    // Takes the request (owned from now on) and builds the editor page over it.
    TSNMPEditorPanel* SetEditorRequest(std::unique_ptr<HvSNMPRequest2Edits> request);
    // Takes the request and builds the table page; a column of -1 has no add or delete status.
    TSNMPListViewPanel* SetListViewRequest(std::unique_ptr<HvSNMPRequest2Edits> request, int32_t addColumn,
                                           const QString& addValue, int32_t deleteColumn,
                                           const QString& deleteValue);
    // Reads the page's request; the constructor posts it, so a page reads once it is shown.
    void InitialRefresh();
    void FormClose(QObject* sender, forms::CloseAction& action);

    int formType() const { return m_type; }
    TSNMPPanel* panel() const { return m_panel; }
    // A request the page's owner creates for this form before handing it over.
    std::unique_ptr<HvSNMPRequest2Edits> newRequest() { return std::make_unique<HvSNMPRequest2Edits>(this); }

private:
    void releaseRequests();

    std::vector<std::unique_ptr<HvSNMPRequest2Edits>> m_requests;
    TSNMPPanel* m_panel = nullptr;
    int m_type = None;
};
