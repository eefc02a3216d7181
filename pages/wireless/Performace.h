#pragma once

// Unit Performace: the page "Advanced \ Performance". It reads and writes the radio's performance
// settings, the optional radio features (802.11g only, XR, WMM, preamble) that a firmware may lack,
// and, where the firmware has data-rate control, the state of the twelve data rates.

#include <QPointer>

#include <array>

#include "module/HvPage.h"
#include "pages/wireless/PerformaceRules.h"

// The page's controls and their places.
extern const forms::FormLayout PerformaceLayout;

class TFM_Performace : public HvPage {
public:
    // mainForm: the window whose capability fields the page reads and whose poll the waiting dialog
    // watches. owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Performace(TMainForm& mainForm, QWidget* owner = nullptr);

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

    // The requests, the page's own; null until the creation step has built them.
    HvSNMPRequest2Edits* reqRadioA = nullptr;
    HvSNMPRequest2Edits* reqRadioG = nullptr;
    HvSNMPRequest2Edits* reqXRA = nullptr;
    HvSNMPRequest2Edits* reqXRG = nullptr;
    HvSNMPRequest2Edits* reqGOnly = nullptr;
    HvSNMPRequest2Edits* reqWMM = nullptr;
    HvSNMPRequest2Edits* reqPreamble = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;
    HvSNMPRequest2Edits* reqRateControl = nullptr;
    HvSNMPRequest2Edits* reqRateSupport = nullptr;
    HvSNMPRequest2Edits* reqRateTable = nullptr;
    HvSNMPRequest2Edits* reqAPMode = nullptr;
    bool hasXRA = false;
    bool hasXRG = false;
    bool hasGOnly = false;
    bool hasWMM = false;
    bool hasPreamble = false;

    // The rows of ListView1 that a finished walk delivered (at most 12); 0 while a walk runs or
    // after one failed. Rate combos and writes use only these rows.
    int rateRowsLoaded() const { return m_rateRows; }

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
    void findControls();
    void wireHandlers();
    void buildTabG();
    void applyGeometry();
    void setClientHeightKeepingTabs(int height);
    // The creation step's reads, under the page's guard.
    void buildRequests();
    // An optional feature: a firmware without it does not answer its read, and its row goes.
    HvSNMPRequest2Edits* makeRadioA();
    HvSNMPRequest2Edits* makeProbe(const MibObjectDef* table, uint8_t kind, forms::ComboBox* combo);
    bool probeFeature(HvSNMPRequest2Edits* request, forms::Label* label, forms::ComboBox* combo);
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

    PerformaceRules::Geometry m_geometry;
    int m_rateRows = 0;
    bool m_apModeKnown = false;
    bool m_radioRead = false;  // reqRadioA's last read brought the device's values
    bool m_walking = false;  // the rate-table walk is filling ListView1
};

extern QPointer<TFM_Performace> FM_Performace;
