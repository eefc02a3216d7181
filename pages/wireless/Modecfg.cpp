#include "pages/wireless/Modecfg.h"

#include <variant>
#include <vector>

#include "module/Main.h"
#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/wireless/ModecfgLayout.h"

using namespace ModecfgRules;

QPointer<TFM_ModeCFG> FM_ModeCFG;

TFM_ModeCFG::TFM_ModeCFG(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kModecfgLayout);
    findControls();
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    CB_11a_APM->OnChange = [this](QObject* s) { CB_11a_APMChange(s); };
    CB_11g_APM->OnChange = [this](QObject* s) { CB_11g_APMChange(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_ModeCFG::findControls() {
    PC_Mode = control<forms::PageControl>("PC_Mode");
    TS_80211a = control<forms::TabSheet>("TS_80211a");
    TS_80211g = control<forms::TabSheet>("TS_80211g");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar = control<forms::StatusBar>("StatusBar");
    CB_11a_APM = control<forms::ComboBox>("CB_11a_APM");
    CB_11g_APM = control<forms::ComboBox>("CB_11g_APM");
    for (int n = 0; n < 8; ++n) {
        Ed_ReMAddra[size_t(n)] = control<forms::Edit>(remoteEdit(Tab::A, n).toLatin1().constData());
        Ed_ReMAddrg[size_t(n)] = control<forms::Edit>(remoteEdit(Tab::G, n).toLatin1().constData());
    }
    Ed_RoMAddra0 = control<forms::Edit>("Ed_RoMAddra0");
    Ed_RoMAddrg0 = control<forms::Edit>("Ed_RoMAddrg0");
    Lab_SSID = control<forms::Label>("Lab_SSID");
    Ed_SSID = control<forms::Edit>("Ed_SSID");
}

TFM_ModeCFG::TabControls TFM_ModeCFG::tabA() {
    return {Tab::A, TS_80211a, CB_11a_APM, Ed_ReMAddra, Ed_RoMAddra0, Ed_SSID, reqModeA};
}

TFM_ModeCFG::TabControls TFM_ModeCFG::tabG() {
    return {Tab::G, TS_80211g, CB_11g_APM, Ed_ReMAddrg, Ed_RoMAddrg0, nullptr, reqModeG};
}

void TFM_ModeCFG::FormCreate() {
    create(
        [this] {
            // A tab is built only when it is shown; the shown tabs' reads go out together.
            const bool a = TS_80211a->tabVisible(), g = TS_80211g->tabVisible();
            readTogether({[this, a] { return a ? makeTab(tabA()) : nullptr; },
                          [this, g] { return g ? makeTab(tabG()) : nullptr; }});
            if (a) readTab(tabA());
            if (g) readTab(tabG());
        },
        {Bt_Apply, Bt_Refresh});
}

HvSNMPRequest2Edits* TFM_ModeCFG::makeTab(TabControls t) {
    t.sheet->setCaption(QString::fromStdString(t.tab == Tab::A ? BandNameA : BandNameG));
    if (t.ssid) {
        // The SSID is read along but never shown or written here.
        t.ssid->setVisible(false);
        Lab_SSID->setVisible(false);
    }
    t.request = makeRequest(t.tab == Tab::A ? kMibT005 : kMibT006, MVT_SV, 0);
    t.request->addComboBox(kModeItem, t.mode);
    for (int n = 0; n < 8; ++n) t.request->addEdit(kFirstRemoteItem + n, "%h", {t.remote[size_t(n)]});
    t.request->addEdit(kRootItem, "%h", {t.root});
    if (t.ssid) {
        t.request->addEdit(kSsidItem, "%s", {t.ssid});
        t.ssid->setMaxLength(kSsidMaxLength);
    }
    return t.request;
}

void TFM_ModeCFG::readTab(TabControls t) {
    t.request->get();
    updateModeControls(t);
    for (auto* e : t.remote) e->setMaxLength(kMacMaxLength);
    t.root->setMaxLength(kMacMaxLength);
}

Macs TFM_ModeCFG::macsOf(const TabControls& t) {
    Macs m;
    for (size_t n = 0; n < 8; ++n) m.remote[n] = t.remote[n]->text();
    m.root = t.root->text();
    if (t.ssid) m.ssid = t.ssid->text();
    return m;
}

void TFM_ModeCFG::showMacs(const TabControls& t, const Macs& macs) {
    for (size_t n = 0; n < 8; ++n) t.remote[n]->setText(macs.remote[n]);
    t.root->setText(macs.root);
    if (t.ssid) t.ssid->setText(macs.ssid);
}

void TFM_ModeCFG::updateModeControls(const TabControls& t) {
    const auto mode = modeAt(t.mode->itemIndex());
    showMacs(t, shownMacs(mode, macsOf(t)));
    const auto e = editable(mode);
    if (!e) return;
    for (size_t n = 0; n < 8; ++n) setLocked(t.remote[n], !e->remote[n], QPalette::Window);
    setLocked(t.root, !e->root, QPalette::Window);
    if (t.ssid) setLocked(t.ssid, !e->ssid, QPalette::Window);
}

void TFM_ModeCFG::UpdateModeControlsA() {
    updateModeControls(tabA());
}

void TFM_ModeCFG::UpdateModeControlsG() {
    updateModeControls(tabG());
}

void TFM_ModeCFG::CB_11a_APMChange(QObject*) {
    UpdateModeControlsA();
}

void TFM_ModeCFG::CB_11g_APMChange(QObject*) {
    UpdateModeControlsG();
}

bool TFM_ModeCFG::applyTab(const TabControls& t) {
    if (!t.request) return false;
    const auto checked = checkApply(t.tab, modeAt(t.mode->itemIndex()), macsOf(t));
    if (const auto* failure = std::get_if<CheckFailure>(&checked)) {
        refuseInput(*failure);
        return false;
    }
    const WritePlan& plan = std::get<WritePlan>(checked);
    showMacs(t, plan.texts);
    std::vector<bool> sent(size_t(itemCount(t.tab)));
    for (size_t i = 0; i < sent.size(); ++i) sent[i] = plan.flags[i] == HvAccess::ReadWrite;
    bool ok = false;
    const bool ran = guarded([&] {
        // Every flag comes back with the scope, so that Refresh reads the peers and the SSID again.
        HvSendOnly only(t.request->request.varList, sent);
        ok = t.request->set(true, true);
    });
    // A step that raised has put its own message in the status bar.
    if (!ran) return false;
    if (!ok) {
        StatusBar->setSimpleText(settingError(t.tab));
        return false;
    }
    StatusBar->setSimpleText(settingSuccess(t.tab));
    showMacs(t, afterSuccess(macsOf(t)));
    return true;
}

void TFM_ModeCFG::Bt_ApplyClick(QObject*) {
    if (!created() || closing()) return;
    if (TS_80211a->tabVisible() && !applyTab(tabA())) return;
    if (TS_80211g->tabVisible() && !applyTab(tabG())) return;
    // The device restarts into its new mode; no question first.
    showWaiting(HvWaitingFrom(kApplyWaiting, false));
}

void TFM_ModeCFG::Bt_RefreshClick(QObject*) {
    guarded([this] {
        for (const TabControls& t : {tabA(), tabG()}) {
            if (!t.sheet->tabVisible() || !t.request) continue;
            t.request->get();
            updateModeControls(t);
        }
    });
}

void TFM_ModeCFG::Bt_CloseClick(QObject*) {
    close();
}
