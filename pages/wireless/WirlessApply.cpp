// The wireless page's Apply and its site survey.

#include "pages/wireless/Wirless.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFontMetrics>
#include <QTimer>

#include "module/Main.h"
#include "module/SendFlags.h"

using namespace WirlessRules;

namespace {

void selectText(forms::ComboBox* c, const QString& text) {
    c->setItemIndex(c->indexOf(text));
}

}  // namespace

// ---- Apply ----------------------------------------------------------------------------------------

void TFM_Wirless::Bt_ApplyClick(QObject*) {
    if (!created() || closing() || m_applying || !surveyIdle || !reqBasic) return;
    if (TS_11a->tabVisible())
        if (auto a = chosenAuth()) selectText(Ed_SecAutha, authText(*a));
    ApplyPlan plan;
    if (!runChecks(plan)) return;
    if (CB_Chana->itemIndex() >= 0) Ed_Chana->setText(CB_Chana->text());
    if (CB_Chang->itemIndex() >= 0) Ed_Chang->setText(CB_Chang->text());

    m_applying = true;
    bool written = false;
    guarded([&] { written = m_variant == Variant::Basic ? applyBasic() : applyFull(plan); });
    m_applying = false;
    if (!written) return;

    // Every write of the sequence has been answered with success; only now the device restarts.
    if (m_variant == Variant::Basic) {
        showWaiting({false});
    } else {
        HvWaitingDefaults d{false};
        if (auto ticks = waitTicksFor(pageMode())) d.waitTicks = *ticks;
        afterSetting(d);
    }
    Bt_RefreshClick(nullptr);
    StatusBar->setSimpleText(kSettingSuccess);
}

bool TFM_Wirless::runChecks(ApplyPlan& plan) {
    ApplyInput in;
    in.variant = m_variant;
    in.newMultiSupport = m_caps.newMultiSupport;
    in.ssidA = Ed_SSIDa->text();
    in.ssidG = Ed_SSIDg->text();
    in.repeaterSsid = Ed_SSID->text();
    in.mode = pageMode();
    in.device = deviceMode();
    in.multiSsidEnabled = CB_MultEnable->text() == u"Enabled";
    in.secondaries = secondaryRows();
    for (int i = 0; i < 8; ++i) in.wds[i] = Ed_ReMAddra[i]->text();
    in.rootMac = Ed_RoMAddra0->text();
    SecurityInput& s = in.security;
    s.auth = authForApply(chosenAuth(), deviceAuth());
    s.encryptionIndex = Ed_SecEncypa->itemIndex();
    s.keyTypeIndex = std::max(0, Ed_KeyType->itemIndex());
    s.keySizeIndex = std::max(0, Ed_KeySize->itemIndex());
    s.validKeyIndex = Ed_SecValKeya->itemIndex();
    s.validKeyCount = Ed_SecValKeya->itemCount();
    for (int i = 0; i < 4; ++i) s.keys[i] = Ed_Keya[i]->text();
    s.groupKeyPsk = GroupKeyPSKEdit->text();
    s.passPhrase = PassPhrasePSKEdit->text();
    s.groupKey = GroupKeyEdit->text();
    s.radiusServer = RadiusServerEdit->text();
    s.radiusPort = RadiusportEdit->text();
    s.radiusSecret = RadiusSecretEdit->text();
    in.validKeyEnabled = Ed_SecValKeya->enabled() && Ed_SecValKeya->itemCount() != 2;
    for (int i = 0; i < 3; ++i)
        in.guests[i] = {GuestKeyIndex_ComboBox[i]->itemIndex(), GuestEncry_ComboBox[i]->itemIndex() == 1,
                        Guest_ComboBox[i]->itemIndex() == 1};
    in.superGDisabled = AD_SuperMode->text() == u"Disable";

    auto result = checkApply(in);
    if (auto* f = std::get_if<CheckFailure>(&result)) {
        showFailure(*f);
        return false;
    }
    plan = std::get<ApplyPlan>(result);
    return true;
}

void TFM_Wirless::showFailure(const CheckFailure& f) {
    // No caption: the plain message window, titled with the application's name.
    forms::Application::messageBox(
        this, f.message, f.caption.isEmpty() ? forms::Application::title() : f.caption, forms::MB_OK);
    if (f.resetMacs) ResetMacEdits();
    if (f.unlockRepeaterSsid) setLocked(Ed_SSID, false);
    if (f.focus.isEmpty()) return;
    if (auto* w = findChild<QWidget*>(f.focus)) {
        if (f.emptyFocus)
            if (auto* e = dynamic_cast<forms::Edit*>(w)) e->setText(QString());
        focusControl(w);
    }
}

bool TFM_Wirless::setAndWait(HvSNMPRequest2Edits* r) {
    if (!r) return false;
    // A read still outstanding (the creation's asynchronous ones) ends first.
    QDeadlineTimer deadline(60000);
    while (r->busy && !deadline.hasExpired() && !closing()) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (r->busy) return false;
    // Synchronously, whatever the request's own mode: a write counts only once the device took it.
    const uint8_t mode = r->mode;
    r->mode = 0;
    bool ok = false;
    try {
        ok = r->set(true, true);
    } catch (...) {
        r->mode = mode;
        throw;
    }
    r->mode = mode;
    return ok;
}

bool TFM_Wirless::anyItemSent(const HvSNMPRequest2Edits* r) const {
    if (!r) return false;
    const auto& list = r->request.varList;
    for (int i = 0; i < list.count(); ++i)
        if (!(list.item(i).access & HvAccess::Invalid) && (list.item(i).access & HvAccess::WriteOnly))
            return true;
    return false;
}

bool TFM_Wirless::applyBasic() {
    bool ok = setAndWait(reqBasic);
    if (ok && reqSuperMode) ok = setAndWait(reqSuperMode);
    if (ok && hasAutoChannelScan && reqAutoChannelScan) ok = setAndWait(reqAutoChannelScan);
    if (ok && reqRadioWave) ok = setAndWait(reqRadioWave);
    if (!ok) StatusBar->setSimpleText(kSettingError);
    return ok;
}

namespace {

// A write of r that sends the items it reads, but for the choices given; nothing without r.
void sendReadItems(std::vector<std::unique_ptr<HvSendOnly>>& writes, HvSNMPRequest2Edits* r,
                   const std::vector<std::pair<int, bool>>& choices) {
    if (!r) return;
    HvSNMPVarList& list = r->request.varList;
    std::vector<bool> read;
    for (int32_t i = 0; i < list.count(); ++i) read.push_back(!(list.item(i).access & HvAccess::Invalid));
    auto only = std::make_unique<HvSendOnly>(list, read);
    for (const auto& [item, sent] : choices) only->send(item, sent);
    writes.push_back(std::move(only));
}

}  // namespace

std::vector<std::unique_ptr<HvSendOnly>> TFM_Wirless::plannedWrites(const ApplyPlan& plan) {
    std::vector<std::unique_ptr<HvSendOnly>> writes;
    const MacPlan& m = plan.macs;
    std::vector<std::pair<int, bool>> apMode{{0, m.apModeSent}};
    for (int i = 0; i < 8; ++i) {
        Ed_ReMAddra[i]->setText(m.wds[i]);
        apMode.emplace_back(i + 1, m.wdsSent[i]);
    }
    sendReadItems(writes, reqApMode, apMode);
    if (TS_11a->tabVisible()) sendReadItems(writes, reqBasic, {{0, m.primarySsidSent}});
    sendReadItems(writes, reqRootAp, {{0, m.rootMacSent}, {1, m.repeaterSsidSent}});

    const SecurityPlan& s = plan.security;
    if (auto a = authForApply(chosenAuth(), deviceAuth())) selectText(Ed_SecAutha, authText(*a));
    std::vector<std::pair<int, bool>> security{{0, s.authSent}, {1, s.encryptionSent}, {2, s.validKeySent}};
    for (int i = 0; i < 4; ++i) security.emplace_back(6 + i, s.keySent[i]);
    sendReadItems(writes, reqSecurity, security);
    if (s.validKeyText) {
        const int edit = keyEditFor(Ed_SecValKeya->itemIndex(), Ed_SecValKeya->itemCount());
        if (edit >= 0) Ed_Keya[edit]->setText(*s.validKeyText);
    }
    sendReadItems(writes, reqCipherPsk, {{0, s.pskSent}, {1, s.pskSent}, {2, s.passPhraseSent}});
    std::vector<std::pair<int, bool>> radius;
    for (int i = 0; i < 4; ++i) radius.emplace_back(i, s.radiusSent);
    radius.emplace_back(4, s.radiusSecretSent);
    sendReadItems(writes, reqCipherRadius, radius);
    return writes;
}

bool TFM_Wirless::applyFull(const ApplyPlan& plan) {
    if (m_caps.newMultiSupport == 0 && plan.guests.set && !applyGuestRule(plan.guests)) {
        StatusBar->setSimpleText(kSettingError);
        return false;
    }
    if (m_caps.newMultiSupport == 1 && CB_MultEnable->text() == u"Enabled" && !applyMultiSsidRule()) {
        StatusBar->setSimpleText(kSettingError);
        return false;
    }
    // The plan's items for the writes below; every item the page reads comes back after them.
    const auto writes = plannedWrites(plan);
    bool ok = true;
    // An AP mode that was never read is not written: the device keeps its own.
    if (anyItemSent(reqApMode) && !setAndWait(reqApMode)) {
        forms::Application::messageBox(this, kApModeSetFailed, kWarning, forms::MB_OK);
        ok = false;
    }
    for (auto* r : {reqBasic, reqSuperMode, reqRootAp, reqRadioWave})
        if (r && anyItemSent(r) && !setAndWait(r)) ok = false;
    if (!setSelectedGroup()) {
        forms::Application::messageBox(this, kSelectSetFailed, kWarning, forms::MB_OK);
        ok = false;
    }
    if (ok && hasAutoChannelScan && reqAutoChannelScan) ok = setAndWait(reqAutoChannelScan);
    if (ok && hasKeyType && reqKeyType) ok = setAndWait(reqKeyType);
    if (ok && reqMultiOverWds) {
        CB_gmultioverwds->setItemIndex(1);
        ok = setAndWait(reqMultiOverWds);
    }
    if (!ok) StatusBar->setSimpleText(kSettingError);
    return ok;
}

bool TFM_Wirless::setSelectedGroup() {
    const auto requests = selectedGroup(pageMode(), authForApply(chosenAuth(), deviceAuth()));
    if (!requests) return false;
    for (SecurityRequest r : *requests) {
        HvSNMPRequest2Edits* req = r == SecurityRequest::Security    ? reqSecurity
                                   : r == SecurityRequest::CipherPsk ? reqCipherPsk
                                                                     : reqCipherRadius;
        if (!setAndWait(req)) return false;
    }
    return true;
}

bool TFM_Wirless::applyGuestRule(const GuestPlan& plan) {
    if (!reqGuest) return false;
    const QString off = QStringLiteral("disabled");
    if (plan.vlanOff) selectText(Master_ComboBox, off);
    for (int i = 0; i < 3; ++i) {
        if (plan.statesOff) selectText(Guest_ComboBox[i], off);
        if (plan.encryptionsOff) selectText(GuestEncry_ComboBox[i], off);
    }
    return setAndWait(reqGuest);
}

bool TFM_Wirless::applyMultiSsidRule() {
    MultiSsidInput in;
    in.primary = authForApply(chosenAuth(), deviceAuth());
    in.encryptionOn = Ed_SecEncypa->itemIndex() > 0;
    in.validKeyText = Ed_SecValKeya->text();
    in.groupKey = GroupKeyEdit->text();
    in.groupKeyPsk = GroupKeyPSKEdit->text();
    in.savedGroupKey = savedGroupKey;
    in.secondaries = secondaryRows();
    const MultiSsidPlan plan = multiSsidRule(in);
    for (const QString& w : plan.warningsBefore)
        forms::Application::messageBox(this, w, kWarning, forms::MB_OK);
    if (!plan.toOpen.empty()) {
        if (!reqMultiSsidEncryption || !reqMultiSsidAuth) return false;
        // Only the SSIDs opened; the encryptions are read whole again afterwards.
        HvSendOnly encryptions(reqMultiSsidEncryption->request.varList, std::vector<bool>{});
        HvSendOnly auths(reqMultiSsidAuth->request.varList, std::vector<bool>{});
        for (int ssid : plan.toOpen) {
            const int e = multiSsidEncryptionItem(ssid), a = multiSsidAuthItem(ssid);
            if (e < 0 || a < 7) continue;
            selectText(CB_MultEncyt[e], QStringLiteral("Disable"));
            selectText(CB_MultiAuth[a - 7], QStringLiteral("Open System"));
            encryptions.send(e, true);
            auths.send(a, true);
        }
        if (!setAndWait(reqMultiSsidEncryption) || !setAndWait(reqMultiSsidAuth)) return false;
    }
    if (plan.groupKey) {
        savedGroupKey = *plan.groupKey;
        GroupKeyEdit->setText(*plan.groupKey);
        GroupKeyPSKEdit->setText(*plan.groupKey);
    }
    for (const QString& w : plan.warningsAfter)
        forms::Application::messageBox(this, w, kWarning, forms::MB_OK);
    return true;
}

// ---- Site survey ----------------------------------------------------------------------------------

void TFM_Wirless::sizeSurveyColumns() {
    // Read whole: a BSSID, an SSID of the longest, 32 characters, in the widest letter, and the
    // longest of the WPA security names a survey reports.
    const QFontMetrics fm = SiteServeyListView->fontMetrics();
    const auto& layout = reqSiteSurvey->rowLayout();
    for (size_t c = 0; c < layout.size(); ++c) {
        const int widest = layout[c] == 6   ? fm.horizontalAdvance(QString(32, u'W'))
                           : layout[c] == 5 ? std::max(fm.horizontalAdvance(QStringLiteral("WPA-Auto-PSK")),
                                                       fm.horizontalAdvance(QStringLiteral("WPA-Auto-EAP")))
                           : layout[c] == 4 ? fm.horizontalAdvance(QStringLiteral("DD:DD:DD:DD:DD:DD"))
                                            : 0;
        if (widest > 0) SiteServeyListView->setColumnWidth(static_cast<int>(c), widest + 16);
    }
}

void TFM_Wirless::setSurveyButtons(bool enabled) {
    for (auto* b : {SiteScan, Bt_Apply, Bt_Refresh, Bt_Close}) b->setEnabled(enabled && created());
    Bt_Close->setEnabled(enabled);
}

void TFM_Wirless::SiteScanClick(QObject*) {
    if (!reqRefresh || !reqSiteSurvey || !surveyIdle) return;
    setPanel(kDetecting);
    selectText(SiteScanComboBox, QStringLiteral("refresh"));
    surveyIdle = false;
    surveyCountdown = 1;
    setSurveyButtons(false);
    // A refused trigger does not stop the survey: the walk still shows what the device has.
    guard([this] { reqRefresh->set(true, true); });
}

void TFM_Wirless::Timer1Timer(QObject*) {
    if (surveyIdle || !reqSiteSurvey) return;
    if (surveyTick(surveyCountdown)) startSurveyWalk(QString());
}

void TFM_Wirless::startSurveyWalk(const QString& panelText) {
    surveyIdle = false;
    setSurveyButtons(false);
    if (!panelText.isEmpty()) setPanel(panelText);
    // A walk that cannot start ends the survey with its reason, never with success.
    try {
        reqSiteSurvey->get();
    } catch (const std::exception& e) {
        endSurvey(QString::fromUtf8(e.what()));
    }
}

void TFM_Wirless::surveyDone(HvSNMPError* error) {
    endSurvey(error && error->code != 0 ? QString::fromStdString(error->message) : QStringLiteral("Get OK!"));
}

void TFM_Wirless::endSurvey(const QString& result) {
    surveyIdle = true;
    surveyCountdown = -1;
    setSurveyButtons(true);
    setPanel(result);
}

void TFM_Wirless::SiteServeyListViewClick(QObject*) {
    forms::ListItem* row = SiteServeyListView->selected();
    if (!row || !reqSiteSurvey) return;
    QString bssid = HvWalkedCell(*reqSiteSurvey, *row, 4);
    bssid.remove(QLatin1Char(':')).remove(QLatin1Char('-')).remove(QLatin1Char(' '));
    const auto choice = surveyChoice(pageMode(), bssid, HvWalkedCell(*reqSiteSurvey, *row, 6));
    if (!choice) return;
    Ed_RoMAddra0->setText(choice->rootMac);
    Ed_SSID->setText(choice->ssid);
    setLocked(Ed_SSID, true);
}
