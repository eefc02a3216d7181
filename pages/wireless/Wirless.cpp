#include "pages/wireless/Wirless.h"

#include "module/Main.h"
#include "module/Misc.h"

using namespace WirlessRules;

QPointer<TFM_Wirless> FM_Wirless;
QString savedChannelText;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The old library's single-border window: the caption and the frame around the client area.
constexpr int kFrameHeight = 31;

}  // namespace

TFM_Wirless::TFM_Wirless(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kWirlessLayout);
    findControls();
    // The capabilities are taken once: the main window clears its fields every few seconds, and
    // the page must keep to the requests it created.
    const TMainForm& m = mainForm;
    m_caps =
        capabilitiesFrom({m.NewMultiSupport->text(), m.ifMultiSSID_Edit->text(), m.Ed_FwVer->text(),
                          m.Ed_KeyTypeSup->text(), m.APModeSupport->text(),
                          m.ApmodeStringChangeSupport->text(), m.mssidAndWdssupport->text(), q(ModelName)});
    m_variant = pageVariant(m_caps);
    TS_11g->setEnabled(false);
    m_panel = StatusBar->addPanel(50);
    setResultControl(StatusBar);
    Ed_SSIDa->setMaxLength(32);
    Ed_SSIDg->setMaxLength(32);
    wireHandlers();
    FormCreate();
}

TFM_Wirless::~TFM_Wirless() {
    Timer1->setEnabled(false);
    closeRequests();
}

void TFM_Wirless::findControls() {
    PC_Wirless = control<forms::PageControl>("PC_Wirless");
    TS_11a = control<forms::TabSheet>("TS_11a");
    TS_11g = control<forms::TabSheet>("TS_11g");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar = control<forms::StatusBar>("StatusBar");
    Timer1 = findChild<forms::Timer*>(QStringLiteral("Timer1"));
    Label1 = control<forms::Label>("Label1");
    Ed_SSIDa = control<forms::Edit>("Ed_SSIDa");
    CbxRadio = control<forms::ComboBox>("CbxRadio");
    CB_Chana = control<forms::ComboBox>("CB_Chana");
    Ed_RaFreqa = control<forms::Edit>("Ed_RaFreqa");
    CB_AuSc = control<forms::CheckBox>("CB_AuSc");
    ED_ApMode = control<forms::Label>("ED_ApMode");
    ED_APModeComboBox = control<forms::ComboBox>("ED_APModeComboBox");
    ED_APModeTempComboBox = control<forms::ComboBox>("ED_APModeTempComboBox");
    Lab_SSIDBcasta = control<forms::Label>("Lab_SSIDBcasta");
    CB_SSIDBcasta = control<forms::ComboBox>("CB_SSIDBcasta");
    Label24 = control<forms::Label>("Label24");
    AD_SuperMode = control<forms::ComboBox>("AD_SuperMode");
    GroupBox1 = control<forms::GroupBox>("GroupBox1");
    for (int i = 0; i < 8; ++i)
        Ed_ReMAddra[i] = control<forms::Edit>(("Ed_ReMAddra" + std::to_string(i)).c_str());
    GroupBox2 = control<forms::GroupBox>("GroupBox2");
    Ed_RoMAddra0 = control<forms::Edit>("Ed_RoMAddra0");
    Ed_CRoMAddra0 = control<forms::Edit>("Ed_CRoMAddra0");
    Ed_SSID = control<forms::Edit>("Ed_SSID");
    GroupBox3 = control<forms::GroupBox>("GroupBox3");
    SiteScan = control<forms::Button>("SiteScan");
    SiteServeyListView = control<forms::ListView>("SiteServeyListView");
    Authentication = control<forms::Label>("Authentication");
    Ed_SecAutha = control<forms::ComboBox>("Ed_SecAutha");
    Ed_SecAuthaTemp = control<forms::ComboBox>("Ed_SecAuthaTemp");
    GroupBox4 = control<forms::GroupBox>("GroupBox4");
    Ed_SecEncypa = control<forms::ComboBox>("Ed_SecEncypa");
    Ed_KeyType = control<forms::ComboBox>("Ed_KeyType");
    Ed_KeySize = control<forms::ComboBox>("Ed_KeySize");
    Ed_SecValKeya = control<forms::ComboBox>("Ed_SecValKeya");
    for (int i = 0; i < 4; ++i)
        Ed_Keya[i] = control<forms::Edit>(("Ed_Key" + std::to_string(i + 1) + "a").c_str());
    GroupBox5 = control<forms::GroupBox>("GroupBox5");
    CiphertypeComboBox = control<forms::ComboBox>("CiphertypeComboBox");
    RadiusportEdit = control<forms::Edit>("RadiusportEdit");
    GroupKeyEdit = control<forms::Edit>("GroupKeyEdit");
    RadiusServerEdit = control<forms::Edit>("RadiusServerEdit");
    RadiusSecretEdit = control<forms::Edit>("RadiusSecretEdit");
    GroupBox6 = control<forms::GroupBox>("GroupBox6");
    CipherforPSKBox = control<forms::ComboBox>("CipherforPSKBox");
    GroupKeyPSKEdit = control<forms::Edit>("GroupKeyPSKEdit");
    PassPhrasePSKEdit = control<forms::Edit>("PassPhrasePSKEdit");
    Ed_Chana = control<forms::Edit>("Ed_Chana");
    Ed_ChanLista = control<forms::Edit>("Ed_ChanLista");
    Ed_DynChLista = control<forms::Edit>("Ed_DynChLista");
    Ed_StatChLista = control<forms::Edit>("Ed_StatChLista");
    CB_gmultioverwds = control<forms::ComboBox>("CB_gmultioverwds");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    SiteScanComboBox = control<forms::ComboBox>("SiteScanComboBox");
    LV_Multi2 = control<forms::ListView>("LV_Multi2");
    CB_MultEnable = control<forms::ComboBox>("CB_MultEnable");
    for (int i = 0; i < 7; ++i) {
        CB_MultEncyt[i] = control<forms::ComboBox>(("CB_MultEncyt" + std::to_string(i + 1)).c_str());
        CB_MultiAuth[i] = control<forms::ComboBox>(("CB_MultiAuth" + std::to_string(i + 1)).c_str());
    }
    Master_ComboBox = control<forms::ComboBox>("Master_ComboBox");
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        Guest_ComboBox[i] = control<forms::ComboBox>(("Guest" + n + "_ComboBox").c_str());
        GuestKeyIndex_ComboBox[i] = control<forms::ComboBox>(("GuestKeyIndex" + n + "_ComboBox").c_str());
        GuestEncry_ComboBox[i] = control<forms::ComboBox>(("GuestEncry" + n + "_ComboBox").c_str());
    }
    Ed_SSIDg = control<forms::Edit>("Ed_SSIDg");
    CB_SSIDBcastg = control<forms::ComboBox>("CB_SSIDBcastg");
    CB_Chang = control<forms::ComboBox>("CB_Chang");
    Ed_RaFreqg = control<forms::Edit>("Ed_RaFreqg");
    Ed_ChanListg = control<forms::Edit>("Ed_ChanListg");
    Ed_Chang = control<forms::Edit>("Ed_Chang");
}

void TFM_Wirless::wireHandlers() {
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    OnCloseQuery = [this](QObject*, bool& canClose) { canClose = FormCloseQuery(); };
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
    SiteScan->OnClick = [this](QObject* s) { SiteScanClick(s); };
    SiteServeyListView->OnClick = [this](QObject* s) { SiteServeyListViewClick(s); };
    CB_Chana->OnChange = [this](QObject* s) { CB_ChanaChange(s); };
    CB_AuSc->OnClick = [this](QObject* s) { CB_AuScChange(s); };
    AD_SuperMode->OnChange = [this](QObject* s) { AD_SuperModeChange(s); };
    Ed_SSIDa->OnChange = [this](QObject* s) { Ed_SSIDaChange(s); };
    Ed_SSID->OnChange = [this](QObject* s) { Ed_SSIDChange(s); };
    ED_APModeTempComboBox->OnChange = [this](QObject* s) { ED_APModeTempComboBoxtestChange(s); };
    Ed_SecAuthaTemp->OnChange = [this](QObject* s) { Ed_SecAuthaTempChange(s); };
    Ed_SecEncypa->OnChange = [this](QObject* s) { Ed_SecEncypaChange(s); };
    Ed_KeyType->OnChange = [this](QObject* s) { Ed_KeyTypeChange(s); };
    Ed_KeySize->OnChange = [this](QObject* s) { Ed_KeyTypeChange(s); };
    Ed_SecValKeya->OnChange = [this](QObject* s) { Ed_SecValKeyaChange(s); };
    // The guest and master combos are value carriers: the user never chooses in them, so the mode
    // handler the old form shared with them never runs from there.
}

// ---- Creation and refresh -------------------------------------------------------------------------

void TFM_Wirless::FormCreate() {
    // A survey that ended while the page was being made could not give the buttons back yet.
    if (create([this] { buildRequests(); }, {Bt_Apply, Bt_Refresh, SiteScan}) && surveyIdle)
        setSurveyButtons(true);
}

void TFM_Wirless::applyVariant() {
    const VariantTops t = variantTops(m_variant);
    if (m_variant == Variant::Basic)
        for (const char* name : kBasicHidden)
            if (auto* c = findChild<QWidget*>(QString::fromLatin1(name))) c->setVisible(false);
    Lab_SSIDBcasta->setTop(t.ssidBroadcastLabel);
    CB_SSIDBcasta->setTop(t.ssidBroadcast);
    Label24->setTop(t.superModeLabel);
    AD_SuperMode->setTop(t.superMode);
    if (t.buttonsShift == 0) return;
    for (auto* b : {Bt_Apply, Bt_Refresh, Bt_Close}) b->setTop(b->top() + t.buttonsShift);
    PC_Wirless->setHeight(PC_Wirless->height() + t.buttonsShift);
    setClientHeight(clientHeight() + t.buttonsShift);
}

// The control steps after the full variant's reads, at creation and on Refresh.
void TFM_Wirless::afterReads() {
    FillKeySizeChoices();
    SetKeyMaxLengths();
    ShowApMode();
    ResetMacEdits();
    SetMaxLengths();
    UpdateSecurityControls();
    if (m_caps.keyTypeSupported && Ed_KeyType->text() == u"ASCII") ShowKeysAsText();
}

void TFM_Wirless::SetMaxLengths() {
    Ed_SSIDa->setMaxLength(32);
    for (auto* e : Ed_ReMAddra) e->setMaxLength(12);
    Ed_RoMAddra0->setMaxLength(12);
    Ed_SSID->setMaxLength(32);
    GroupKeyEdit->setMaxLength(7);
    RadiusServerEdit->setMaxLength(15);
    RadiusSecretEdit->setMaxLength(64);
    GroupKeyPSKEdit->setMaxLength(7);
    PassPhrasePSKEdit->setMaxLength(64);
    RadiusportEdit->setMaxLength(5);
}

void TFM_Wirless::Bt_RefreshClick(QObject*) {
    guarded([this] {
        if (reqBasic) readBasic();
        if (reqSuperMode) reqSuperMode->get();
        if (reqDynChannels && reqStatChannels) readChannelLists();
        if (reqRadioWave) reqRadioWave->get();
        if (m_variant == Variant::Full) {
            if (reqAutoChannelScan) reqAutoChannelScan->get();
            if (reqApMode) reqApMode->get();
            if (reqRootAp) readRootAp();
            if (reqSecurity) {
                // The device's valid key whatever the last read left: the secondary SSIDs that cut
                // the choices may have changed since.
                Ed_SecValKeya->setItems(kValidKeysAll);
                reqSecurity->get();
            }
            if (!m_caps.keyTypeSupported)
                Ed_KeyType->setItemIndex(0);
            else if (reqKeyType)
                hasKeyType = reqKeyType->get();
            // The sets follow the capabilities taken at creation, never the main window's fields now.
            if (reqGuest) reqGuest->get();
            if (reqGuestKeyIndex) reqGuestKeyIndex->get();
            if (reqMultiSsidList) {
                reqMultiSsidList->get();
                if (reqMultiSsidState) reqMultiSsidState->get();
                savedValidKey = Ed_SecValKeya->text();
                UpdateKeyIndexChoices();
            }
            if (reqCipherRadius) readCipherRadius();
            if (reqCipherPsk) reqCipherPsk->get();
            if (reqSiteSurvey && surveyIdle && surveysAtOnce(deviceMode())) startSurveyWalk(kSurveyRefresh);
            if (reqCluster) reqCluster->get();
            ResetMacEdits();
            UpdateKeyFields();
            SetKeyMaxLengths();
            ShowApMode();
            SetMaxLengths();
            UpdateSecurityControls();
            if (m_caps.keyTypeSupported && Ed_KeyType->text() == u"ASCII") ShowKeysAsText();
        }
        AD_SuperModeChange(nullptr);
    });
}

void TFM_Wirless::Bt_CloseClick(QObject*) {
    close();
}

bool TFM_Wirless::FormCloseQuery() {
    // A survey's walk answers into the list; the page stays until it has.
    if (!surveyIdle) return false;
    Timer1->setEnabled(false);
    return true;
}

// ---- Channels and Super G -------------------------------------------------------------------------

bool TFM_Wirless::FillChannelCombo(forms::ComboBox* combo, forms::Edit* listEdit, forms::Edit* channelEdit) {
    const ChannelFill fill = fillChannels(listEdit->text(), channelEdit->text());
    combo->setItems(fill.items);
    combo->setItemIndex(fill.index);
    return fill.index >= 0;
}

void TFM_Wirless::AD_SuperModeChange(QObject*) {
    const bool multiOn = CB_MultEnable->text() == u"Enabled";
    const SuperGPlan plan = superGChange(m_caps.newMultiSupport, AD_SuperMode->text(), pageMode(), multiOn);
    if (plan.restoreSavedChannel) Ed_Chana->setText(savedChannelText);
    forms::Edit* source = plan.source == ChannelSource::Static    ? Ed_StatChLista
                          : plan.source == ChannelSource::Dynamic ? Ed_DynChLista
                                                                  : Ed_ChanLista;
    if (!FillChannelCombo(CB_Chana, source, Ed_Chana)) CB_Chana->setItemIndex(0);
    if (plan.autoScanEnabled) CB_AuSc->setEnabled(*plan.autoScanEnabled);
    if (plan.channelEnabled) CB_Chana->setEnabled(*plan.channelEnabled);
    if (plan.autoScanRule) UpdateChannelControls();
    if (!plan.warning.isEmpty()) forms::Application::messageBox(this, plan.warning, kWarning, forms::MB_OK);
}

void TFM_Wirless::CB_ChanaChange(QObject*) {
    savedChannelText = CB_Chana->text();
}

void TFM_Wirless::CB_AuScChange(QObject*) {
    UpdateChannelControls();
}

void TFM_Wirless::UpdateChannelControls() {
    CB_Chana->setEnabled(!CB_AuSc->checked());
}

void TFM_Wirless::Ed_SSIDaChange(QObject*) {
    if (m_mirroring) return;
    m_mirroring = true;
    Ed_SSID->setText(Ed_SSIDa->text());
    m_mirroring = false;
}

void TFM_Wirless::Ed_SSIDChange(QObject*) {
    if (m_mirroring) return;
    m_mirroring = true;
    Ed_SSIDa->setText(Ed_SSID->text());
    m_mirroring = false;
}

// ---- Modes ----------------------------------------------------------------------------------------

std::optional<ApMode> TFM_Wirless::deviceMode() const {
    return apModeFromText(ED_APModeComboBox->text());
}

std::optional<PageMode> TFM_Wirless::pageMode() const {
    const int i = ED_APModeTempComboBox->itemIndex();
    std::optional<PageMode> chosen;
    if (i >= 0 && i < static_cast<int>(m_modeEntries.size())) chosen = m_modeEntries[i].mode;
    return effectiveMode(chosen, deviceMode(), m_caps);
}

std::optional<Auth> TFM_Wirless::chosenAuth() const {
    const int i = Ed_SecAuthaTemp->itemIndex();
    if (i >= 0 && i < static_cast<int>(m_authEntries.size())) return m_authEntries[i].auth;
    return std::nullopt;
}

std::optional<Auth> TFM_Wirless::deviceAuth() const {
    return authFromText(Ed_SecAutha->text());
}

void TFM_Wirless::ShowApMode() {
    m_modeEntries = apModeEntries(m_caps);
    QStringList texts;
    for (const auto& e : m_modeEntries) texts << e.text;
    ED_APModeTempComboBox->setItems(texts);
    ED_APModeTempComboBox->setItemIndex(apModeEntryFor(m_modeEntries, deviceMode(), m_caps));
    UpdateModeLayout();
}

void TFM_Wirless::ED_APModeTempComboBoxtestChange(QObject*) {
    const int i = ED_APModeTempComboBox->itemIndex();
    if (i < 0 || i >= static_cast<int>(m_modeEntries.size())) return;
    const PageMode chosen = m_modeEntries[i].mode;
    ED_APModeComboBox->setItemIndex(ED_APModeComboBox->indexOf(apModeText(deviceModeFor(chosen, m_caps))));
    Ed_RoMAddra0->setText(savedRootMac);
    Ed_SSID->setText(savedRepeaterSsid);
    UpdateModeLayout();
    ResetMacEdits();
    UpdateSecurityControls();
    const QString warning = modeChoiceWarning(chosen, m_caps, CB_MultEnable->text() == u"Enabled");
    if (!warning.isEmpty()) forms::Application::messageBox(this, warning, kWarning, forms::MB_OK);
}

void TFM_Wirless::UpdateModeLayout() {
    if (m_variant != Variant::Full) return;
    const std::optional<PageMode> mode = pageMode();
    const ModeLayout l = modeLayout(mode);
    Label1->setVisible(l.ssidRowVisible);
    Ed_SSIDa->setVisible(l.ssidRowVisible);
    GroupBox1->setVisible(l.wdsVisible);
    if (!l.wdsCaption.isEmpty()) GroupBox1->setCaption(l.wdsCaption);
    GroupBox2->setVisible(l.repeaterVisible);
    GroupBox3->setVisible(l.repeaterVisible);
    if (!l.repeaterCaption.isEmpty()) GroupBox2->setCaption(l.repeaterCaption);
    GroupBox2->setTop(l.repeaterTop);
    GroupBox3->setTop(l.surveyTop);
    Authentication->setTop(l.authLabelTop);
    Ed_SecAutha->setTop(l.authComboTop);
    Ed_SecAuthaTemp->setTop(l.authComboTop);
    for (auto* g : {GroupBox4, GroupBox5, GroupBox6}) g->setTop(l.securityTop);
    for (auto* b : {Bt_Apply, Bt_Refresh, Bt_Close}) b->setTop(l.buttonsTop);
    PC_Wirless->setHeight(l.pageHeight);
    // A shown window of fixed border keeps its size against a resize: the mode's height becomes the
    // fixed one.
    if (isVisible() && borderStyle() != BorderStyle::Sizeable)
        setFixedHeight(l.formHeight - kFrameHeight + menuHeight());
    else
        setClientHeight(l.formHeight - kFrameHeight);

    m_authEntries = authEntries(m_caps.newMultiSupport, mode);
    QStringList texts;
    for (const auto& e : m_authEntries) texts << e.text;
    Ed_SecAuthaTemp->setItems(texts);
    // A device authentication this mode does not offer shows no choice; Apply then keeps it.
    Ed_SecAuthaTemp->setItemIndex(authEntryFor(m_authEntries, deviceAuth()));
    CB_SSIDBcasta->setEnabled(l.ssidBroadcastEnabled);
    FillPskCiphers();
    UpdateScanControls();
}

void TFM_Wirless::Ed_SecAuthaTempChange(QObject*) {
    if (auto a = chosenAuth()) Ed_SecAutha->setItemIndex(Ed_SecAutha->indexOf(authText(*a)));
    UpdateSecurityControls();
}

void TFM_Wirless::Ed_SecEncypaChange(QObject*) {
    UpdateSecurityControls();
}

void TFM_Wirless::UpdateSecurityControls() {
    if (!TS_11a->tabVisible() || m_variant != Variant::Full) return;
    const std::optional<Auth> auth = authForApply(chosenAuth(), deviceAuth());
    const auto group = securityGroup(pageMode(), auth);
    if (group) {
        GroupBox4->setVisible(*group == SecurityGroup::Keys);
        GroupBox5->setVisible(*group == SecurityGroup::Radius);
        GroupBox6->setVisible(*group == SecurityGroup::PassPhrase);
        const EncryptionRule r = encryptionRule(*group, auth);
        if (r.selectIndex) Ed_SecEncypa->setItemIndex(*r.selectIndex);
        Ed_SecEncypa->setEnabled(r.enabled);
    }
    const bool on = Ed_SecEncypa->itemIndex() > 0;
    if (on) UpdateKeyFields();
    for (auto* c : {Ed_KeyType, Ed_KeySize, Ed_SecValKeya}) c->setEnabled(on);
    if (!on)
        for (auto* k : Ed_Keya) setLocked(k, true);
}

// ---- Keys -----------------------------------------------------------------------------------------

void TFM_Wirless::FillKeySizeChoices() {
    const int size = Ed_KeySize->itemIndex();
    Ed_KeySize->setItems(kKeySizes);
    Ed_KeySize->setItemIndex(size >= 0 ? size : 0);
    if (!m_caps.keyTypeSupported) {
        Ed_KeyType->setItems(kKeyTypes);
        Ed_KeyType->setItemIndex(0);
    }
    UpdateKeyFields();
}

void TFM_Wirless::SetKeyMaxLengths() {
    const auto length = keyLength(Ed_KeyType->itemIndex(), Ed_KeySize->itemIndex());
    for (auto* k : Ed_Keya) k->setMaxLength(length.value_or(32));
}

void TFM_Wirless::Ed_KeyTypeChange(QObject*) {
    SetKeyMaxLengths();
}

void TFM_Wirless::UpdateKeyFields() {
    const int edit = keyEditFor(Ed_SecValKeya->itemIndex(), Ed_SecValKeya->itemCount());
    if (edit < 0) return;
    if (auto size = keySizeFor(Ed_Keya[edit]->text().size())) Ed_KeySize->setItemIndex(*size);
    for (int i = 0; i < 4; ++i) setLocked(Ed_Keya[i], i != edit);
}

void TFM_Wirless::Ed_SecValKeyaChange(QObject*) {
    UpdateKeyFields();
    if (m_caps.newMultiSupport == 0) {
        std::array<GuestSsid, 3> guests;
        for (int i = 0; i < 3; ++i)
            guests[i] = {GuestKeyIndex_ComboBox[i]->itemIndex(), GuestEncry_ComboBox[i]->itemIndex() == 1,
                         Guest_ComboBox[i]->itemIndex() == 1};
        if (Ed_SecValKeya->itemCount() == 2) return;
        if (auto f = checkGuestKeyIndex(Ed_SecValKeya->enabled(), Ed_SecValKeya->itemIndex() + 1,
                                        authForApply(chosenAuth(), deviceAuth()), guests))
            forms::Application::messageBox(this, f->message, f->caption, forms::MB_OK);
    }
}

std::vector<MultiSsidRow> TFM_Wirless::secondaryRows() const {
    if (!reqMultiSsidList) return {};
    auto cell = [&](forms::ListItem* row, int item) { return HvWalkedCell(*reqMultiSsidList, *row, item); };
    std::vector<std::array<QString, 6>> cells;
    for (int i = 0; i < LV_Multi2->itemCount(); ++i) {
        forms::ListItem* row = LV_Multi2->item(i);
        cells.push_back({cell(row, 1), cell(row, 2), cell(row, 3), cell(row, 4), cell(row, 5), cell(row, 6)});
    }
    return secondarySsids(cells);
}

void TFM_Wirless::UpdateKeyIndexChoices() {
    const bool wpa = wpaSecondaryUsesKeys(secondaryRows());
    Ed_SecValKeya->setItems(wpa ? kValidKeysWpa : kValidKeysAll);
    Ed_SecValKeya->setItemIndex(indexOrFirst(Ed_SecValKeya->items(), savedValidKey));
}

void TFM_Wirless::ShowKeysAsText() {
    for (auto* k : Ed_Keya) k->setText(keyAsText(k->text()));
}

void TFM_Wirless::FillPskCiphers() {
    // The device's cipher, also after a mode whose list lacks it: a kept selection would be one
    // that mode forced, and Apply would write it.
    const QStringList items = pskCiphers(pageMode());
    CipherforPSKBox->setItems(items);
    CipherforPSKBox->setItemIndex(indexOrFirst(items, savedCipher));
}

void TFM_Wirless::UpdateScanControls() {
    const ScanControls s = scanControls(pageMode(), AD_SuperMode->itemIndex());
    if (s.untick) CB_AuSc->setChecked(false);
    if (s.autoScanEnabled) CB_AuSc->setEnabled(*s.autoScanEnabled);
    if (s.autoScanRule) UpdateChannelControls();
    if (s.channelEnabled) CB_Chana->setEnabled(*s.channelEnabled);
}

void TFM_Wirless::ClearEmptyMacs() {
    for (auto* e : Ed_ReMAddra) e->setText(clearEmptyMac(e->text()));
    Ed_RoMAddra0->setText(clearEmptyMac(Ed_RoMAddra0->text()));
    Ed_CRoMAddra0->setText(clearEmptyMac(Ed_CRoMAddra0->text()));
}

void TFM_Wirless::ResetMacEdits() {
    ClearEmptyMacs();
    const MacEditable e = macEditable(deviceMode());
    for (int i = 0; i < 8; ++i) setLocked(Ed_ReMAddra[i], !e.wds[i]);
    setLocked(Ed_RoMAddra0, !e.rootMac);
    setLocked(Ed_CRoMAddra0, !e.clientRootMac);
    setLocked(Ed_SSID, !e.repeaterSsid);
}

void TFM_Wirless::setPanel(const QString& text) {
    if (m_panel) m_panel->setText(text);
    // The bar shows its simple text, where the result lines go; the survey's state goes there too,
    // or the user would never see it.
    StatusBar->setSimpleText(text);
}
