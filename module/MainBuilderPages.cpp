// The main window's pages of the generic page builder: each a window made at run time over one of the
// main window's object tables. No menu item binds these handlers.

#include <vector>

#include "module/GUIConfigForm.h"
#include "module/Main.h"
#include "module/Misc.h"

struct TMainForm::BuilderPage {
    const char* name;
    const MibObjectDef* table;
    bool walked;  // a table walk into the page's list view, one key column
    bool synchronous;
    int32_t timeout;  // 10 ms units; 0 keeps the session's default
    int editWidth;    // 0 keeps the panel's
    // Rows holding keys or secrets: shown as asterisks, and never written back while they still show
    // the device's mask.
    std::vector<int32_t> secrets = {};
};

void TMainForm::openBuilderPage(const BuilderPage& def) {
    tableName = def.name;
    TConfigForm page;
    page.setCaption(QString::fromStdString(tableName + " : " + ipAddress()));
    auto request = page.newRequest();
    request->request.varList = HvSNMPVarList(def.table, def.walked ? MVT_FMV : SVT_SV, def.walked ? 1 : 0);
    if (def.synchronous) request->mode = 0;
    if (def.timeout > 0) request->request.timeout = def.timeout;
    if (def.walked) {
        page.SetListViewRequest(std::move(request), -1, {}, -1, {});
    } else {
        TSNMPEditorPanel* panel = page.SetEditorRequest(std::move(request));
        for (int32_t row : def.secrets) panel->Edits->SetSecretVar(row);
        if (def.editWidth > 0) {
            panel->SetEditWidth(def.editWidth);
            panel->AttachToForm(&page);
        }
    }
    page.setClientSize(500, page.clientHeight());
    runPage(page);
}

void TMainForm::adSecSettingKey1Click(QObject*) {
    openBuilderPage({"SecSettingKeyTable", kMibT035, false, false, 0, 0, {0, 1, 2, 3, 4, 5, 6, 7}});
}

void TMainForm::Function1Click(QObject*) {
    openBuilderPage({"AdDynamicFunction", kMibT060, false, true, 0, 0});
}

void TMainForm::DynamicTable1Click(QObject*) {
    openBuilderPage({"AdDynamicTable", kMibT061, false, true, 0, 0});
}

void TMainForm::adStatic2Click(QObject*) {
    openBuilderPage({"StaticTable", kMibT040, true, false, 0, 0});
}

void TMainForm::adSecServSet1Click(QObject*) {
    openBuilderPage({"SecServSetting", kMibT029, false, false, 0, 0, {0, 7}});
}

void TMainForm::dot11g1Click(QObject*) {
    openBuilderPage({"PtMPReAPMACAddress_80211g", kMibT010, false, false, 10000, 0});
}

void TMainForm::dot11b1Click(QObject*) {
    openBuilderPage({"PtMPReAPMACAddress_80211a", kMibT009, false, false, 10000, 0});
}

void TMainForm::N80211a3Click(QObject*) {
    openBuilderPage({"PerformanceTable-80211a", kMibT011, false, false, 0, 200});
}

void TMainForm::N80211g3Click(QObject*) {
    openBuilderPage({"PerformanceTable-80211g", kMibT017, false, false, 0, 200});
}
