#pragma once

// Unit Multissid2: the page "Advanced \ Multi-SSID" of devices with VLANs. It edits the device's
// multi-SSID table (the Primary row and seven more), one row at a time, each written in two sets:
// the SSID first, then the columns the row's security needs. It switches the multi-SSID and VLAN
// functions, which the device applies after a restart. While the table's walk or a row's write is
// out, the page takes no other row, save or delete, and does not close.

#include <QPointer>

#include <functional>
#include <vector>

#include "module/HvPage.h"
#include "pages/wireless/Multissid2Rules.h"

class TFM_MultiSSIDNewForm : public HvPage {
public:
    explicit TFM_MultiSSIDNewForm(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_MultiSSIDNewForm() override;

    // Published components (layout in Multissid2Layout.cpp).
    forms::GroupBox* GroupBox1 = nullptr;
    forms::CheckBox* CB_VLanState = nullptr;
    forms::ComboBox* BandComboBox = nullptr;
    forms::CheckBox* IfEnabMuSSID = nullptr;
    forms::GroupBox* GroupBox2 = nullptr;
    forms::ComboBox* CB_Idx = nullptr;
    forms::Edit* Ed_SSID = nullptr;
    forms::ComboBox* CB_Sec = nullptr;
    forms::ComboBox* CB_SecShow = nullptr;
    forms::Edit* Ed_WLANID = nullptr;
    forms::Button* SaveButton = nullptr;
    forms::GroupBox* GP_KeySetting = nullptr;
    forms::ComboBox* CB_KeyType = nullptr;
    forms::ComboBox* CB_KeySize = nullptr;
    forms::Edit* Ed_KeyValue = nullptr;
    forms::ComboBox* CB_IdxTmp = nullptr;
    forms::ComboBox* CB_KeyIndex = nullptr;
    forms::GroupBox* GP_PSK = nullptr;
    forms::ComboBox* CB_CipherType = nullptr;
    forms::Edit* Ed_GrpKey = nullptr;
    forms::Label* Label_PassPhrase = nullptr;
    forms::Edit* Ed_PassPhrase = nullptr;
    forms::Label* Label_RadiusServ = nullptr;
    forms::Edit* Ed_RiduisServ = nullptr;
    forms::Label* Label_RadiusPort = nullptr;
    forms::Edit* Ed_RadiusPort = nullptr;
    forms::Label* Label_RadiusSec = nullptr;
    forms::Edit* Ed_RadiusSec = nullptr;
    forms::GroupBox* MultiGroupBox = nullptr;
    forms::ListView* LV_MultiSSID_User = nullptr;
    forms::Button* DelButton = nullptr;
    forms::ListView* MulSSIDListView = nullptr;
    forms::ComboBox* CB_MultiIndex = nullptr;
    forms::ComboBox* CB_Security = nullptr;
    forms::ComboBox* CB_Encry = nullptr;
    forms::ComboBox* CB_IdvState = nullptr;
    forms::ComboBox* CB_ApMode = nullptr;
    forms::ComboBox* CB_SuperMode = nullptr;
    forms::Label* Lab_IfIdx = nullptr;
    forms::Label* Lab_Idx = nullptr;
    forms::Button* ApplyBtn = nullptr;
    forms::Button* CancelBtn = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;

    // The requests; null until the creation step has built them.
    HvSNMPRequest2Edits* reqApMode = nullptr;
    HvSNMPRequest2Edits* reqMultiState = nullptr;
    HvSNMPRequest2Edits* reqVlanState = nullptr;
    HvSNMPRequest2Edits* reqGroupKey = nullptr;
    HvSNMPRequest2Edits* reqRadius = nullptr;
    HvSNMPRequest2Edits* tableRequest = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;

    // Page state. pageIdle is false while the walk or a row's write is out.
    bool pageIdle = false;
    bool warnOnEnable = false;
    bool listClickActive = false;
    bool otherRowUsesWpa = false;
    bool vlanEnabled = false;
    bool secondPhasePending = false;
    QString savedGroupKeyText;

    void FormCreate();
    void FormCloseQuery(QObject* sender, bool& canClose);
    void CB_VLanStateClick(QObject* sender);
    void IfEnabMuSSIDClick(QObject* sender);
    void CB_IdxChange(QObject* sender);
    void CB_SecChange(QObject* sender);
    void CB_SecShowChange(QObject* sender);
    void CB_KeySizeChange(QObject* sender);
    void CB_IdxTmpChange(QObject* sender);
    void LV_MultiSSID_UserClick(QObject* sender);
    void LV_MultiSSID_UserExit(QObject*) {}
    void SaveButtonClick(QObject* sender);
    void DelButtonClick(QObject* sender);
    void ApplyBtnClick(QObject* sender);
    void CancelBtnClick(QObject* sender);
    void OnTableGetDone(HvSNMPError* error);
    void OnTableSetDone(HvSNMPError* error);

    // The walked rows by item, in table order.
    std::vector<Multissid2Rules::TableRow> tableRows() const;

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    HvSNMPRequest2Edits* makeTable();
    QString cell(int row, int item) const;
    bool primaryRow() const { return CB_Idx->itemIndex() == 0; }
    int secIndex() const;
    void SyncSecurityCombo();
    void UpdatePrimarySecurityView();
    void ShowSecurityGroup();
    void UpdateEnabledControls();
    void FillUserList();
    void FillKeyIndexChoices();
    void SetKeyMaxLength();
    void SetEditLimits();
    Multissid2Rules::SaveInput saveInput() const;
    // The two state objects, synchronously; the VLAN state's success updates vlanEnabled.
    bool setStates();
    void saveWarnings();
    // A table write of the selected row with the items chosen; false when it did not go out.
    bool writeTable(const std::vector<bool>& items, const QString* key = nullptr);
    void rewalk();
    // The walk or the row's write has ended: the page is idle, and no longer busy.
    void becomeIdle();
    // One of the writes a Save makes besides the table's, synchronous; a refused one is noted in the
    // save's failures and shown at once.
    bool saveWrite(HvSNMPRequest2Edits* request, const QString& what, const std::function<bool()>& write);
    // The status after a Save whose table writes went through but another write did not.
    static QString saveIncomplete(const QStringList& failures);

    Multissid2Rules::SecondPhase m_secondPhase;
    // CB_Idx's position whose row the editors show, so that a refused change can be undone.
    int m_shownIdx = 0;
    std::vector<Multissid2Rules::UserRow> m_userRows;
    // The key as the shown row loaded it: until the user changes it, it is the device's own.
    QString m_keyRead;
    bool m_writeOut = false;      // a row's write is out: the page is busy
    QStringList m_saveFailures;   // the writes of the Save under way that the device refused
};

extern QPointer<TFM_MultiSSIDNewForm> FM_MultiSSIDNewForm;
