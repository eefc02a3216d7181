#pragma once

// Unit Performace: the page "Advanced \ Performance". It reads and writes the radio's performance
// settings, the optional radio features (802.11g only, XR, WMM, preamble) that a firmware may lack,
// and, where the firmware has data-rate control, the state of the twelve data rates.

#include <QPointer>

#include <array>
#include <memory>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "pages/wireless/PerformaceRules.h"
#include "platform/forms/Forms.h"

class TMainForm;
class TFM_Waiting;

class TFM_Performace : public forms::Form {
public:
    // owner: the Qt parent (null for the application, as the menu creates it). mainForm: the window
    // whose capability fields the page reads and whose poll the waiting dialog watches.
    TFM_Performace(QWidget* owner, TMainForm* mainForm);
    // Ends the requests first: no answer reaches a control that is going away.
    ~TFM_Performace() override;

    // Published components (layout in PerformaceLayout.cpp).
    forms::PageControl* PC_Performace = nullptr;
    forms::TabSheet* TabSheetA = nullptr;
    forms::TabSheet* TabSheetG = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    forms::GroupBox* GroupBox1 = nullptr;
    forms::ComboBox* CB_DtRta = nullptr;
    forms::Edit* Ed_BeInta = nullptr;
    forms::Edit* Ed_DTIMa = nullptr;
    forms::Edit* Ed_FragLena = nullptr;
    forms::Edit* Ed_RTSa = nullptr;
    forms::ComboBox* CB_TranPa = nullptr;
    forms::Label* La_Gonly = nullptr;
    forms::ComboBox* CB_Gonly = nullptr;
    forms::Label* La_XRa = nullptr;
    forms::ComboBox* CB_XRa = nullptr;
    forms::Label* La_WMM = nullptr;
    forms::ComboBox* CB_WMM = nullptr;
    forms::Label* La_Preamble = nullptr;
    forms::ComboBox* CB_Preamble = nullptr;
    // Hidden carriers of device values.
    forms::Edit* Ed_Freqa = nullptr;
    forms::Edit* Ed_DtRta = nullptr;
    forms::Edit* Ed_DtLista = nullptr;
    forms::ComboBox* CB_SupModea = nullptr;
    forms::ComboBox* CB_APModea = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::Edit* Ed_dataratecontrolsupport = nullptr;

    forms::GroupBox* GroupBox2 = nullptr;
    forms::ComboBox* CB_DateStatus = nullptr;
    // CB_DRate[n - 1] is CB_DRate<n>, which shows row n - 1 of the device's rate table.
    std::array<forms::ComboBox*, PerformaceRules::kRateCount> CB_DRate{};
    forms::Button* BT_RDateRate = nullptr;
    forms::ListView* ListView1 = nullptr;
    forms::Button* Bt_Apply_a = nullptr;
    forms::Button* Bt_Refresh_a = nullptr;

    // Tab G, the radio of slot 2 (hidden in this device's layout).
    forms::ComboBox* CB_SupModeg = nullptr;
    forms::Edit* Ed_Freqg = nullptr;
    forms::ComboBox* CB_Chang = nullptr;
    forms::Edit* Ed_Chang = nullptr;
    forms::Edit* Ed_ChListg = nullptr;
    forms::ComboBox* CB_DtRtg = nullptr;
    forms::Edit* Ed_DtRtg = nullptr;
    forms::Edit* Ed_DtListg = nullptr;
    forms::Edit* Ed_BeIntg = nullptr;
    forms::Edit* Ed_DTIMg = nullptr;
    forms::Edit* Ed_FragLeng = nullptr;
    forms::Edit* Ed_RTSg = nullptr;
    forms::ComboBox* CB_TranPg = nullptr;
    forms::ComboBox* CB_RadWavg = nullptr;
    forms::Label* La_XRg = nullptr;
    forms::ComboBox* CB_XRg = nullptr;
    forms::Button* Bt_Apply_g = nullptr;
    forms::Button* Bt_Refresh_g = nullptr;

    // The requests; null until the creation step has built them.
    std::unique_ptr<HvSNMPRequest2Edits> reqRadioA;
    std::unique_ptr<HvSNMPRequest2Edits> reqRadioG;
    std::unique_ptr<HvSNMPRequest2Edits> reqXRA;
    std::unique_ptr<HvSNMPRequest2Edits> reqXRG;
    std::unique_ptr<HvSNMPRequest2Edits> reqGOnly;
    std::unique_ptr<HvSNMPRequest2Edits> reqWMM;
    std::unique_ptr<HvSNMPRequest2Edits> reqPreamble;
    std::unique_ptr<HvSNMPRequest2Edits> reqCluster;
    std::unique_ptr<HvSNMPRequest2Edits> reqRateControl;
    std::unique_ptr<HvSNMPRequest2Edits> reqRateSupport;
    std::unique_ptr<HvSNMPRequest2Edits> reqRateTable;
    std::unique_ptr<HvSNMPRequest2Edits> reqAPMode;
    bool hasXRA = false;
    bool hasXRG = false;
    bool hasGOnly = false;
    bool hasWMM = false;
    bool hasPreamble = false;

    // The rows of ListView1 that a finished walk delivered (at most 12); 0 while a walk runs or
    // after one failed. Rate combos and writes use only these rows.
    int rateRowsLoaded() const { return m_rateRows; }
    // The waiting dialog of the last Apply, while it is shown.
    QPointer<TFM_Waiting> FM_Waiting;

    // Handlers.
    void FormCreate();
    void Bt_Apply_aClick(QObject* sender);
    void Bt_Refresh_aClick(QObject* sender);
    void Bt_Apply_gClick(QObject* sender);
    void Bt_Refresh_gClick(QObject* sender);
    void PC_PerformaceChange(QObject* sender);
    void CB_SupModeaChange(QObject* sender);
    void CB_SupModegChange(QObject* sender);
    void CB_DateStatusChange(QObject* sender);
    void CB_GonlyChange(QObject* sender);
    void CB_GonlyClick(QObject* sender);
    void BT_RDateRateClick(QObject* sender);
    void Ed_BeIntaExit(QObject* sender);
    void Ed_DTIMaExit(QObject* sender);
    void Ed_FragLenaExit(QObject* sender);
    void Ed_RTSaExit(QObject* sender);
    void CB_ChanaChange(QObject*) {}
    void CB_AuScChange(QObject*) {}

    // Page operations.
    void FillDataRateCombo(forms::Edit* listEdit, forms::ComboBox* combo, forms::Edit* rateEdit);
    void ComboToDataRate(forms::ComboBox* combo, forms::Edit* edit);
    bool FillComboFromList(forms::Edit* listEdit, forms::ComboBox* combo, forms::Edit* valueEdit);
    void UpdateModeControlsA();
    void UpdateChannelListG();
    void DataRateTableDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);

private:
    void buildLayout();
    void buildTabG();
    void applyGeometry();
    void setClientHeightKeepingTabs(int height);
    PerformaceRules::ModeState modeState() const;
    void applyRateControls(const PerformaceRules::RateControls& r);
    void applyMandatoryRows(const PerformaceRules::MandatoryRows& m);
    void gonlyClickRule();
    bool rateControlSupported() const;
    void startRateWalk();
    void writeRateRows();
    // The four range checks of an Apply; false (with the box shown) at the first bad field.
    bool checkRanges(const std::array<forms::Edit*, 4>& edits);
    // A leave handler's check: a box and the focus back when the text is out of range.
    void exitCheck(forms::Edit* edit, PerformaceRules::Field field, bool emptyAfterwards);
    std::unique_ptr<HvSNMPRequest2Edits> makeRequest(const MibObjectDef* table, uint8_t kind, int32_t keys,
                                                     bool synchronous);
    void showWaiting();

    TMainForm* m_mainForm;
    PerformaceRules::Geometry m_geometry;
    int m_groupBox2Height = 216;
    int m_rateRows = 0;
    bool m_apModeKnown = false;
    bool m_created = false;  // the creation step ran to its end
    bool m_walking = false;  // the rate-table walk is filling ListView1
    bool m_closing = false;
};

extern QPointer<TFM_Performace> FM_Performace;
