#include "pages/wireless/Multissid2.h"

#include <utility>

#include "library/HvValueText.h"
#include "module/Main.h"
#include "module/MainMenuRules.h"
#include "module/Misc.h"
#include "module/PageRules.h"
#include "module/SendFlags.h"
#include "pages/wireless/Multissid2Layout.h"

using namespace Multissid2Rules;

QPointer<TFM_MultiSSIDNewForm> FM_MultiSSIDNewForm;

namespace {

constexpr int kTableTimeout = 2000;  // 20 s, in 10 ms units

}  // namespace

TFM_MultiSSIDNewForm::TFM_MultiSSIDNewForm(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kMultissid2Layout);
    findControls();
    setResultControl(StatusBar1);
    savedGroupKeyText.clear();
    GP_PSK->setVisible(false);
    for (forms::Control* c :
         {static_cast<forms::Control*>(DelButton), static_cast<forms::Control*>(Ed_RadiusPort),
          static_cast<forms::Control*>(Ed_RiduisServ), static_cast<forms::Control*>(Ed_RadiusSec)})
        c->asWidget()->setEnabled(false);
    wireHandlers();
    setCloseControls({CancelBtn});
    forgetOnEnd(reqApMode, reqMultiState, reqVlanState, reqGroupKey, reqRadius, tableRequest, reqCluster);
    FormCreate();
}

TFM_MultiSSIDNewForm::~TFM_MultiSSIDNewForm() = default;

void TFM_MultiSSIDNewForm::findControls() {
    GroupBox1 = control<forms::GroupBox>("GroupBox1");
    CB_VLanState = control<forms::CheckBox>("CB_VLanState");
    BandComboBox = control<forms::ComboBox>("BandComboBox");
    IfEnabMuSSID = control<forms::CheckBox>("IfEnabMuSSID");
    GroupBox2 = control<forms::GroupBox>("GroupBox2");
    CB_Idx = control<forms::ComboBox>("CB_Idx");
    Ed_SSID = control<forms::Edit>("Ed_SSID");
    CB_Sec = control<forms::ComboBox>("CB_Sec");
    CB_SecShow = control<forms::ComboBox>("CB_SecShow");
    Ed_WLANID = control<forms::Edit>("Ed_WLANID");
    SaveButton = control<forms::Button>("SaveButton");
    GP_KeySetting = control<forms::GroupBox>("GP_KeySetting");
    CB_KeyType = control<forms::ComboBox>("CB_KeyType");
    CB_KeySize = control<forms::ComboBox>("CB_KeySize");
    Ed_KeyValue = control<forms::Edit>("Ed_KeyValue");
    CB_IdxTmp = control<forms::ComboBox>("CB_IdxTmp");
    CB_KeyIndex = control<forms::ComboBox>("CB_KeyIndex");
    GP_PSK = control<forms::GroupBox>("GP_PSK");
    CB_CipherType = control<forms::ComboBox>("CB_CipherType");
    Ed_GrpKey = control<forms::Edit>("Ed_GrpKey");
    Label_PassPhrase = control<forms::Label>("Label_PassPhrase");
    Ed_PassPhrase = control<forms::Edit>("Ed_PassPhrase");
    Label_RadiusServ = control<forms::Label>("Label_RadiusServ");
    Ed_RiduisServ = control<forms::Edit>("Ed_RiduisServ");
    Label_RadiusPort = control<forms::Label>("Label_RadiusPort");
    Ed_RadiusPort = control<forms::Edit>("Ed_RadiusPort");
    Label_RadiusSec = control<forms::Label>("Label_RadiusSec");
    Ed_RadiusSec = control<forms::Edit>("Ed_RadiusSec");
    MultiGroupBox = control<forms::GroupBox>("MultiGroupBox");
    LV_MultiSSID_User = control<forms::ListView>("LV_MultiSSID_User");
    DelButton = control<forms::Button>("DelButton");
    MulSSIDListView = control<forms::ListView>("MulSSIDListView");
    CB_MultiIndex = control<forms::ComboBox>("CB_MultiIndex");
    CB_Security = control<forms::ComboBox>("CB_Security");
    CB_Encry = control<forms::ComboBox>("CB_Encry");
    CB_IdvState = control<forms::ComboBox>("CB_IdvState");
    CB_ApMode = control<forms::ComboBox>("CB_ApMode");
    CB_SuperMode = control<forms::ComboBox>("CB_SuperMode");
    Lab_IfIdx = control<forms::Label>("Lab_IfIdx");
    Lab_Idx = control<forms::Label>("Lab_Idx");
    ApplyBtn = control<forms::Button>("ApplyBtn");
    CancelBtn = control<forms::Button>("CancelBtn");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    StatusBar1 = control<forms::StatusBar>("StatusBar1");
}

void TFM_MultiSSIDNewForm::wireHandlers() {
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    CB_VLanState->OnClick = [this](QObject* s) { CB_VLanStateClick(s); };
    IfEnabMuSSID->OnClick = [this](QObject* s) { IfEnabMuSSIDClick(s); };
    CB_Idx->OnChange = [this](QObject* s) { CB_IdxChange(s); };
    CB_Sec->OnChange = [this](QObject* s) { CB_SecChange(s); };
    CB_SecShow->OnChange = [this](QObject* s) { CB_SecShowChange(s); };
    CB_KeySize->OnChange = [this](QObject* s) { CB_KeySizeChange(s); };
    CB_KeyType->OnChange = [this](QObject* s) { CB_KeySizeChange(s); };
    CB_IdxTmp->OnChange = [this](QObject* s) { CB_IdxTmpChange(s); };
    LV_MultiSSID_User->OnClick = [this](QObject* s) { LV_MultiSSID_UserClick(s); };
    LV_MultiSSID_User->OnExit = [this](QObject* s) { LV_MultiSSID_UserExit(s); };
    SaveButton->OnClick = [this](QObject* s) { SaveButtonClick(s); };
    DelButton->OnClick = [this](QObject* s) { DelButtonClick(s); };
    ApplyBtn->OnClick = [this](QObject* s) { ApplyBtnClick(s); };
    CancelBtn->OnClick = [this](QObject* s) { CancelBtnClick(s); };
}

// ---- Creation ------------------------------------------------------------------------------------

void TFM_MultiSSIDNewForm::FormCreate() {
    create([this] { buildRequests(); }, {SaveButton, DelButton, ApplyBtn});
    // No walk is out after a failed creation: nothing would ever make the page idle again.
    if (!tableRequest || !tableRequest->busy) becomeIdle();
    CB_Idx->setItemIndex(0);
    BandComboBox->setItemIndex(1);
    BandComboBox->setEnabled(false);
    if (!created()) UpdateEnabledControls();
}

void TFM_MultiSSIDNewForm::buildRequests() {
    // No answer chooses a read: the five, the table's first row and the AP-domain state go out
    // together and are taken below in the page's order.
    readTogether({[this] {
                      reqApMode = makeRequest(kMibT088, MVT_SV, 0);
                      reqApMode->addComboBox(0, CB_ApMode);
                      reqApMode->addComboBox(1, CB_SuperMode);
                      return reqApMode;
                  },
                  [this] {
                      reqMultiState = makeRequest(kMibT092, SVT_SV, 0);
                      reqMultiState->addCheckBox(0, IfEnabMuSSID);
                      reqMultiState->setStatusBar(StatusBar1);
                      return reqMultiState;
                  },
                  [this] {
                      reqVlanState = makeRequest(kMibT090, SVT_SV, 0);
                      reqVlanState->addCheckBox(0, CB_VLanState);
                      return reqVlanState;
                  },
                  [this] {
                      reqGroupKey = makeRequest(kMibT093, SVT_SV, 0);
                      reqGroupKey->addEdit(0, "%u{n300x9999999}", {Ed_GrpKey});
                      return reqGroupKey;
                  },
                  [this] {
                      reqRadius = makeRequest(kMibT094, SVT_SV, 0);
                      reqRadius->addEdit(0, "%s", {Ed_RiduisServ});
                      reqRadius->addEdit(1, "%u{n1x65535}", {Ed_RadiusPort});
                      reqRadius->addEdit(2, "%s", {Ed_RadiusSec});
                      return reqRadius;
                  },
                  walkTogether([this] { return makeTable(); }),
                  [this] { return reqCluster = makeClusterState(CB_Clus, false); }});
    reqApMode->get();
    if (reqMultiState->get()) warnOnEnable = true;
    reqVlanState->get();
    vlanEnabled = CB_VLanState->checked();
    reqGroupKey->get();
    savedGroupKeyText = Ed_GrpKey->text();
    reqRadius->get();
    tableRequest->get();
    reqCluster->get();
}

HvSNMPRequest2Edits* TFM_MultiSSIDNewForm::makeTable() {
    tableRequest = makeRequest(kMibT091, MVT_UMV, 2, false, kTableTimeout);
    tableRequest->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnTableGetDone(e); };
    tableRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { OnTableSetDone(e); };
    tableRequest->setListView(MulSSIDListView, false);
    tableRequest->addLabel(kIfIndex, Lab_IfIdx);
    tableRequest->addLabel(kMssidIndex, Lab_Idx);
    tableRequest->addComboBox(kIdvState, CB_IdvState);
    tableRequest->addEdit(kSsid, "%s", {Ed_SSID});
    tableRequest->addComboBox(kAuth, CB_Security);
    tableRequest->addComboBox(kEncryption, CB_Encry);
    tableRequest->addComboBox(kKeyIndex, CB_KeyIndex);
    tableRequest->addEdit(kKey, "%s", {Ed_KeyValue});
    tableRequest->addEdit(kVlanTag, "%u{n1x4094}", {Ed_WLANID});
    tableRequest->addComboBox(kCipher, CB_CipherType);
    tableRequest->addEdit(kPassPhrase, "%s", {Ed_PassPhrase});
    tableRequest->addComboBox(kKeyType, CB_KeyType);
    for (int i = kIdvState; i < kItemCount; ++i)
        tableRequest->request.varList.item(i).access = HvAccess::ReadWrite;
    return tableRequest;
}

// ---- The walked table ----------------------------------------------------------------------------

QString TFM_MultiSSIDNewForm::cell(int row, int item) const {
    forms::ListItem* r = MulSSIDListView->item(row);
    if (!r || !tableRequest) return {};
    return HvWalkedCell(*tableRequest, *r, item);
}

std::vector<TableRow> TFM_MultiSSIDNewForm::tableRows() const {
    std::vector<TableRow> rows;
    for (int i = 0; i < MulSSIDListView->itemCount(); ++i)
        rows.push_back({cell(i, kMssidIndex), cell(i, kIdvState), cell(i, kSsid), cell(i, kAuth),
                        cell(i, kEncryption), cell(i, kKeyIndex), cell(i, kVlanTag)});
    return rows;
}

void TFM_MultiSSIDNewForm::becomeIdle() {
    pageIdle = true;
    // The row's editors come back before the row's values and states are shown again.
    if (m_writeOut) {
        m_writeOut = false;
        endBusy();
    }
}

void TFM_MultiSSIDNewForm::OnTableGetDone(HvSNMPError* error) {
    if (error && error->code != 0) {
        showResult(QString::fromStdString(error->message));
        becomeIdle();
        UpdateEnabledControls();
        return;
    }
    // The walk after a Save that the device refused in part keeps saying so.
    showResult(m_saveFailures.isEmpty() ? kGetOk : saveIncomplete(m_saveFailures));
    m_saveFailures.clear();
    becomeIdle();
    CB_IdxChange(nullptr);
}

void TFM_MultiSSIDNewForm::OnTableSetDone(HvSNMPError* error) {
    if (error && error->code != 0) {
        // A failed write ends the save: its second half is never sent later by another write.
        secondPhasePending = false;
        m_secondPhase = {};
        becomeIdle();
        showResult(QString::fromStdString(error->message));
        UpdateEnabledControls();
        return;
    }
    if (secondPhasePending) {
        secondPhasePending = false;
        const SecondPhase phase = std::exchange(m_secondPhase, {});
        if (writeTable(phase.items, phase.items[kKey] ? &phase.key : nullptr)) {
            ShowSecurityGroup();
        } else {
            becomeIdle();
            UpdateEnabledControls();
        }
        return;
    }
    // A write of the save that the device refused is not covered by the table's success.
    showResult(m_saveFailures.isEmpty() ? kSaved : saveIncomplete(m_saveFailures));
    rewalk();
}

void TFM_MultiSSIDNewForm::rewalk() {
    if (!guard([this] { tableRequest->get(); }) || !tableRequest->busy) {
        becomeIdle();
        UpdateEnabledControls();
    }
}

bool TFM_MultiSSIDNewForm::writeTable(const std::vector<bool>& items, const QString* key) {
    bool sent = false;
    guard([&] {
        std::vector<bool> chosen = items;
        chosen.resize(kItemCount, false);
        chosen[kIfIndex] = chosen[kMssidIndex] = true;
        HvSendOnly only(tableRequest->request.varList, chosen);
        if (key) {
            // The key goes out in hex whatever the edit shows; the edit keeps what the user typed.
            tableRequest->controlsToValues();
            tableRequest->request.varList.item(kKey).value = HvQStringToDisplay(*key);
            sent = tableRequest->set(false, false);
        } else {
            sent = tableRequest->set(false, true);
        }
    });
    if (sent) {
        pageIdle = false;
        // Until the row has been walked again nothing on the page changes what the write sends:
        // its second half takes the controls as they were at Save.
        if (!m_writeOut) {
            m_writeOut = true;
            beginBusy();
        }
    }
    return sent;
}

// ---- Row selection and the row's controls --------------------------------------------------------

int TFM_MultiSSIDNewForm::secIndex() const {
    return CB_Sec->itemIndex();
}

void TFM_MultiSSIDNewForm::CB_IdxChange(QObject* sender) {
    if (!created() || closing()) return;
    // The row a write is out for stays the row shown.
    if (sender && !pageIdle) {
        CB_Idx->setItemIndex(m_shownIdx);
        return;
    }
    otherRowUsesWpa = false;
    m_shownIdx = CB_Idx->itemIndex();
    const std::optional<int> row = rowAt(m_shownIdx, MulSSIDListView->itemCount());
    // Deselected first, so that the same row is loaded again after a walk.
    MulSSIDListView->setSelected(nullptr);
    if (row) MulSSIDListView->setSelected(MulSSIDListView->item(*row));
    CB_VLanStateClick(nullptr);
    m_keyRead.clear();
    if (!row) return;
    SyncSecurityCombo();
    CB_SecChange(nullptr);
    ShowSecurityGroup();
    CB_KeySize->setItemIndex(0);
    CB_KeySize->setItemIndex(keySizeFromKey(Ed_KeyValue->text()));
    SetKeyMaxLength();
    SetEditLimits();
    UpdateEnabledControls();
    otherRowUsesWpa = Multissid2Rules::otherRowUsesWpa(tableRows(), cell(*row, kMssidIndex));
    FillKeyIndexChoices();
    if (CB_KeyType->itemIndex() == 1) Ed_KeyValue->setText(keyShown(1, Ed_KeyValue->text()));
    m_keyRead = Ed_KeyValue->text();
}

void TFM_MultiSSIDNewForm::SyncSecurityCombo() {
    const SecurityView v = securityView(CB_Encry->text() == kEnabled, CB_Security->text());
    CB_Sec->setComboStyle(v.editable ? forms::ComboBox::Style::DropDown
                                     : forms::ComboBox::Style::DropDownList);
    if (v.editable)
        CB_Sec->setText(v.text);
    else
        CB_Sec->setItemIndex(v.index);
    UpdatePrimarySecurityView();
}

void TFM_MultiSSIDNewForm::UpdatePrimarySecurityView() {
    const SecurityView current{CB_Sec->comboStyle() == forms::ComboBox::Style::DropDown, CB_Sec->itemIndex(),
                               CB_Sec->text()};
    const ShowView s = showView(cell(0, kAuth), current);
    CB_SecShow->setVisible(s.shown);
    CB_Sec->setVisible(!s.shown);
    if (!s.shown) return;
    CB_SecShow->setComboStyle(s.view.editable ? forms::ComboBox::Style::DropDown
                                              : forms::ComboBox::Style::DropDownList);
    if (s.view.editable)
        CB_SecShow->setText(s.view.text);
    else
        CB_SecShow->setItemIndex(s.view.index);
}

void TFM_MultiSSIDNewForm::CB_SecChange(QObject*) {
    const int i = secIndex();
    if (i >= 0 && i <= 2) {
        GP_PSK->setVisible(false);
        GP_KeySetting->setVisible(true);
    }
    CB_Security->setItemIndex(authIndexFor(CB_Sec->text()));
    ShowSecurityGroup();
    UpdateEnabledControls();
}

void TFM_MultiSSIDNewForm::CB_SecShowChange(QObject* sender) {
    CB_Sec->setComboStyle(forms::ComboBox::Style::DropDownList);
    CB_Sec->setItemIndex(std::max(0, CB_Sec->indexOf(CB_SecShow->text())));
    CB_SecChange(sender);
}

void TFM_MultiSSIDNewForm::CB_IdxTmpChange(QObject*) {
    CB_KeyIndex->setItemIndex(CB_KeyIndex->indexOf(CB_IdxTmp->text()));
}

void TFM_MultiSSIDNewForm::CB_KeySizeChange(QObject*) {
    Ed_KeyValue->setText({});
    SetKeyMaxLength();
}

void TFM_MultiSSIDNewForm::ShowSecurityGroup() {
    const Groups g = securityGroups(secIndex());
    GP_PSK->setVisible(g.psk);
    GP_KeySetting->setVisible(!g.psk);
    if (!g.psk) return;
    GP_PSK->setCaption(g.pskCaption);
    Label_PassPhrase->setVisible(g.passPhrase);
    Ed_PassPhrase->setVisible(g.passPhrase);
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             Label_RadiusServ, Ed_RiduisServ, Label_RadiusPort, Ed_RadiusPort, Label_RadiusSec, Ed_RadiusSec})
        c->asWidget()->setVisible(g.radius);
}

void TFM_MultiSSIDNewForm::UpdateEnabledControls() {
    const Enables e = enables(IfEnabMuSSID->checked(), CB_VLanState->checked(), primaryRow(), secIndex());
    // Without a row of the device's table there is nothing to edit or write.
    const bool row = MulSSIDListView->selected() != nullptr;
    GroupBox2->setEnabled(e.rows);
    MultiGroupBox->setEnabled(e.rows);
    CB_Idx->setEnabled(e.rows);
    SaveButton->setEnabled(e.rows && row && created());
    Ed_WLANID->setEnabled(e.vlanId && row);
    Ed_SSID->setEnabled(e.ssid && row);
    CB_Sec->setEnabled(e.security && row);
    CB_SecShow->setEnabled(e.security && row);
    CB_CipherType->setEnabled(e.cipher && row);
    Ed_GrpKey->setEnabled(e.groupKey && row);
    Ed_PassPhrase->setEnabled(e.passPhrase && row);
    for (QWidget* w :
         std::initializer_list<QWidget*>{CB_KeyType, CB_KeySize, CB_KeyIndex, CB_IdxTmp, Ed_KeyValue})
        w->setEnabled(e.keys && row);
    for (QWidget* w : std::initializer_list<QWidget*>{Ed_RiduisServ, Ed_RadiusPort, Ed_RadiusSec})
        w->setEnabled(e.radius && row);
}

void TFM_MultiSSIDNewForm::SetKeyMaxLength() {
    const KeyLimit limit = keyLimit(CB_KeyType->itemIndex(), CB_KeySize->itemIndex());
    if (!limit.message.isEmpty()) {
        forms::Application::messageBox(this, limit.message, forms::Application::title(), forms::MB_OK);
        return;
    }
    Ed_KeyValue->setMaxLength(limit.maxLength);
}

void TFM_MultiSSIDNewForm::SetEditLimits() {
    Ed_WLANID->setMaxLength(4);
    Ed_SSID->setMaxLength(32);
    Ed_GrpKey->setMaxLength(7);
    Ed_PassPhrase->setMaxLength(63);
    Ed_RadiusSec->setMaxLength(32);
    Ed_RadiusPort->setMaxLength(5);
    Ed_RiduisServ->setMaxLength(15);
}

void TFM_MultiSSIDNewForm::FillKeyIndexChoices() {
    CB_IdxTmp->setItems(keyIndexChoices(otherRowUsesWpa));
    CB_IdxTmp->setItemIndex(std::max(0, CB_IdxTmp->indexOf(CB_KeyIndex->text())));
}

// ---- The two functions and the user's list -------------------------------------------------------

void TFM_MultiSSIDNewForm::CB_VLanStateClick(QObject* sender) {
    if (!created() || closing()) return;
    if (CB_VLanState->checked()) {
        // The multi-SSID function stays on while VLANs are.
        IfEnabMuSSID->setChecked(true);
        IfEnabMuSSID->setEnabled(false);
    } else {
        IfEnabMuSSID->setEnabled(true);
    }
    IfEnabMuSSIDClick(sender);
}

void TFM_MultiSSIDNewForm::IfEnabMuSSIDClick(QObject*) {
    if (!created() || closing()) return;
    if (!IfEnabMuSSID->checked()) {
        LV_MultiSSID_User->clearItems();
        m_userRows.clear();
        DelButton->setEnabled(false);
        warnOnEnable = true;
    } else {
        if (!listClickActive) FillUserList();
        if (warnOnEnable) {
            const forms::Edit* wds = mainForm().mssidAndWdssupport;
            const bool withWds = wds && MainMenuRules::intOrZero(wds->text()) == 1;
            const QString warning = enableWarning(CB_ApMode->itemIndex(), CB_SuperMode->text(), withWds);
            if (!warning.isEmpty())
                forms::Application::messageBox(this, warning, PageRules::kWarning, forms::MB_OK);
            warnOnEnable = false;
        }
    }
    UpdateEnabledControls();
}

void TFM_MultiSSIDNewForm::FillUserList() {
    m_userRows = userRows(tableRows(), vlanEnabled);
    LV_MultiSSID_User->clearItems();
    for (const UserRow& u : m_userRows)
        LV_MultiSSID_User->addItem(u.caption, {u.ssid, u.encryption, u.vlan, u.band});
    DelButton->setEnabled(false);
}

void TFM_MultiSSIDNewForm::LV_MultiSSID_UserClick(QObject*) {
    if (!created() || closing() || !pageIdle) return;
    listClickActive = true;
    if (forms::ListItem* selected = LV_MultiSSID_User->selected()) {
        const int idx = idxOfCaption(selected->caption());
        CB_Idx->setItemIndex(idx);
        DelButton->setEnabled(idx > 0);
        CB_IdxChange(nullptr);
    } else {
        DelButton->setEnabled(false);
    }
    listClickActive = false;
}

// ---- Closing -------------------------------------------------------------------------------------

void TFM_MultiSSIDNewForm::CancelBtnClick(QObject*) {
    close();
}

void TFM_MultiSSIDNewForm::FormCloseQuery(QObject*, bool& canClose) {
    // Its requests have ended already: nothing is out.
    if (closing()) {
        canClose = true;
        return;
    }
    // Not while the walk or a row's write is out: its completion would land in a closed page.
    if (!pageIdle && tableRequest && tableRequest->busy) {
        canClose = false;
        return;
    }
    closeRequests();
    canClose = true;
}
