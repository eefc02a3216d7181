#include "pages/wireless/Performace.h"

#include <algorithm>

#include "module/Main.h"
#include "module/Misc.h"

using namespace PerformaceRules;

QPointer<TFM_Performace> FM_Performace;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

const QString kResetQuestion =
    QStringLiteral("It will Reset Data Rate Settings to Default Status! Continue?");

}  // namespace

TFM_Performace::TFM_Performace(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(PerformaceLayout);
    findControls();
    CB_DtRta->setItems(dataRateItems());
    for (auto* rate : CB_DRate) rate->setItems(kRateItemsAll);
    wireHandlers();
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Performace::findControls() {
    PC_Performace = control<forms::PageControl>("PC_Performace");
    TabSheetA = control<forms::TabSheet>("TabSheetA");
    TabSheetG = control<forms::TabSheet>("TabSheetG");
    StatusBar = control<forms::StatusBar>("StatusBar");
    GroupBox1 = control<forms::GroupBox>("GroupBox1");
    CB_DtRta = control<forms::ComboBox>("CB_DtRta");
    Ed_BeInta = control<forms::Edit>("Ed_BeInta");
    Ed_DTIMa = control<forms::Edit>("Ed_DTIMa");
    Ed_FragLena = control<forms::Edit>("Ed_FragLena");
    Ed_RTSa = control<forms::Edit>("Ed_RTSa");
    CB_TranPa = control<forms::ComboBox>("CB_TranPa");
    La_Gonly = control<forms::Label>("La_Gonly");
    CB_Gonly = control<forms::ComboBox>("CB_Gonly");
    La_XRa = control<forms::Label>("La_XRa");
    CB_XRa = control<forms::ComboBox>("CB_XRa");
    La_WMM = control<forms::Label>("La_WMM");
    CB_WMM = control<forms::ComboBox>("CB_WMM");
    La_Preamble = control<forms::Label>("La_Preamble");
    CB_Preamble = control<forms::ComboBox>("CB_Preamble");
    Ed_Freqa = control<forms::Edit>("Ed_Freqa");
    Ed_DtRta = control<forms::Edit>("Ed_DtRta");
    Ed_DtLista = control<forms::Edit>("Ed_DtLista");
    CB_SupModea = control<forms::ComboBox>("CB_SupModea");
    CB_APModea = control<forms::ComboBox>("CB_APModea");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    Ed_dataratecontrolsupport = control<forms::Edit>("Ed_dataratecontrolsupport");
    GroupBox2 = control<forms::GroupBox>("GroupBox2");
    CB_DateStatus = control<forms::ComboBox>("CB_DateStatus");
    for (int i = 0; i < kRateCount; ++i)
        CB_DRate[i] = control<forms::ComboBox>(("CB_DRate" + std::to_string(i + 1)).c_str());
    BT_RDateRate = control<forms::Button>("BT_RDateRate");
    ListView1 = control<forms::ListView>("ListView1");
    Bt_Apply_a = control<forms::Button>("Bt_Apply_a");
    Bt_Refresh_a = control<forms::Button>("Bt_Refresh_a");

    CB_SupModeg = control<forms::ComboBox>("CB_SupModeg");
    Ed_Freqg = control<forms::Edit>("Ed_Freqg");
    CB_Chang = control<forms::ComboBox>("CB_Chang");
    Ed_Chang = control<forms::Edit>("Ed_Chang");
    Ed_ChListg = control<forms::Edit>("Ed_ChListg");
    CB_DtRtg = control<forms::ComboBox>("CB_DtRtg");
    Ed_DtRtg = control<forms::Edit>("Ed_DtRtg");
    Ed_DtListg = control<forms::Edit>("Ed_DtListg");
    Ed_BeIntg = control<forms::Edit>("Ed_BeIntg");
    Ed_DTIMg = control<forms::Edit>("Ed_DTIMg");
    Ed_FragLeng = control<forms::Edit>("Ed_FragLeng");
    Ed_RTSg = control<forms::Edit>("Ed_RTSg");
    CB_TranPg = control<forms::ComboBox>("CB_TranPg");
    CB_RadWavg = control<forms::ComboBox>("CB_RadWavg");
    La_XRg = control<forms::Label>("La_XRg");
    CB_XRg = control<forms::ComboBox>("CB_XRg");
    Bt_Apply_g = control<forms::Button>("Bt_Apply_g");
    Bt_Refresh_g = control<forms::Button>("Bt_Refresh_g");
}

void TFM_Performace::wireHandlers() {
    // As the form binds them. The leave handlers are set before the bindings, whose input rules run
    // first and call them.
    PC_Performace->OnChange = [this](QObject* s) { PC_PerformaceChange(s); };
    Bt_Apply_a->OnClick = [this](QObject* s) { Bt_Apply_aClick(s); };
    Bt_Refresh_a->OnClick = [this](QObject* s) { Bt_Refresh_aClick(s); };
    Bt_Apply_g->OnClick = [this](QObject* s) { Bt_Apply_gClick(s); };
    Bt_Refresh_g->OnClick = [this](QObject* s) { Bt_Refresh_gClick(s); };
    CB_SupModea->OnChange = [this](QObject* s) { CB_SupModeaChange(s); };
    CB_SupModeg->OnChange = [this](QObject* s) { CB_SupModegChange(s); };
    CB_DateStatus->OnChange = [this](QObject* s) { CB_DateStatusChange(s); };
    CB_Gonly->OnChange = [this](QObject* s) { CB_GonlyChange(s); };
    CB_Gonly->OnClick = [this](QObject* s) { CB_GonlyClick(s); };
    BT_RDateRate->OnClick = [this](QObject* s) { BT_RDateRateClick(s); };
    Ed_BeInta->OnExit = [this](QObject* s) { Ed_BeIntaExit(s); };
    Ed_DTIMa->OnExit = [this](QObject* s) { Ed_DTIMaExit(s); };
    Ed_FragLena->OnExit = [this](QObject* s) { Ed_FragLenaExit(s); };
    Ed_RTSa->OnExit = [this](QObject* s) { Ed_RTSaExit(s); };
    CB_Chang->OnChange = [this](QObject* s) { CB_ChanaChange(s); };
    CB_WMM->OnChange = [this](QObject* s) { CB_AuScChange(s); };
    CB_Preamble->OnChange = [this](QObject* s) { CB_AuScChange(s); };
}

void TFM_Performace::applyGeometry() {
    const auto& g = m_geometry;
    CB_XRa->setTop(g.xrTop);
    La_XRa->setTop(g.xrTop + 4);
    CB_WMM->setTop(g.wmmTop);
    La_WMM->setTop(g.wmmTop + 4);
    CB_Preamble->setTop(g.preambleTop);
    La_Preamble->setTop(g.preambleTop + 1);
    GroupBox1->setHeight(g.groupBox1Height);
    GroupBox2->setTop(g.groupBox2Top);
    GroupBox2->setVisible(g.groupBox2Visible);
    Bt_Apply_a->setTop(g.buttonsTop);
    Bt_Refresh_a->setTop(g.buttonsTop);
    setClientHeightKeepingTabs(g.clientHeight);
}

void TFM_Performace::setClientHeightKeepingTabs(int height) {
    // The page control keeps its place above the status bar, which docks itself at the bottom.
    setClientSize(clientWidth(), height);
    PC_Performace->setHeight(height - StatusBar->height() - 6);
}

bool TFM_Performace::rateControlSupported() const {
    return intOr(Ed_dataratecontrolsupport->text(), 0) == 1;
}

HvSNMPRequest2Edits* TFM_Performace::makeRadioA() {
    reqRadioA = makeRequest(kMibT011, MVT_SV, 0);
    reqRadioA->addComboBox(0, CB_SupModea);
    reqRadioA->addEdit(1, "%s", {Ed_Freqa});
    reqRadioA->addEdit(2, "%s", {Ed_DtRta});
    reqRadioA->addEdit(3, "%s", {Ed_DtLista});
    reqRadioA->addEdit(4, "%u", {Ed_BeInta});
    reqRadioA->addEdit(5, "%u", {Ed_DTIMa});
    reqRadioA->addEdit(6, "%u", {Ed_FragLena});
    reqRadioA->addEdit(7, "%u", {Ed_RTSa});
    reqRadioA->addComboBox(8, CB_TranPa);
    reqRadioA->setStatusBar(StatusBar);
    return reqRadioA;
}

HvSNMPRequest2Edits* TFM_Performace::makeProbe(const MibObjectDef* table, uint8_t kind, forms::ComboBox* combo) {
    HvSNMPRequest2Edits* request = makeRequest(table, kind, 0);
    request->addComboBox(0, combo);
    return request;
}

bool TFM_Performace::probeFeature(HvSNMPRequest2Edits* request, forms::Label* label, forms::ComboBox* combo) {
    const bool has = request->get();
    label->setVisible(has);
    combo->setVisible(has);
    return has;
}

void TFM_Performace::FormCreate() {
    // Requests past a failure are never built: nothing here can then write a sound setting.
    create([this] { buildRequests(); }, {Bt_Apply_a, Bt_Refresh_a, BT_RDateRate, Bt_Apply_g, Bt_Refresh_g});
}

void TFM_Performace::buildRequests() {
    const QString dataRateNew = mainForm().Ed_DataRateNew->text();
    if (auto items = optionalRowItems(dataRateNew))
        for (int row : kOptionalRows) CB_DRate[row]->setItems(*items);

    if (TabSheetA->tabVisible()) {
        TabSheetA->setCaption(q(BandNameA));

        // The tab's reads up to the rate support, read below in the page's order. The AP-domain
        // state is read while the rate table is walked.
        readTogether({[this] {
                          reqAPMode = makeRequest(kMibT113, MVT_SV, 0);
                          reqAPMode->addComboBox(0, CB_APModea);
                          return reqAPMode;
                      },
                      [this] { return reqGOnly = makeProbe(kMibT018, MVT_SV, CB_Gonly); },
                      [this] { return reqXRA = makeProbe(kMibT021, MVT_SV, CB_XRa); },
                      [this] { return reqWMM = makeProbe(kMibT012, SVT_SV, CB_WMM); },
                      [this] { return reqPreamble = makeProbe(kMibT013, SVT_SV, CB_Preamble); },
                      [this] { return makeRadioA(); },
                      [this] {
                          reqRateSupport = makeRequest(kMibT110, SVT_SV, 0);
                          reqRateSupport->addEdit(0, "%s", {Ed_dataratecontrolsupport});
                          return reqRateSupport;
                      }});

        m_apModeKnown = reqAPMode->get();

        hasGOnly = probeFeature(reqGOnly, La_Gonly, CB_Gonly);
        afterGOnlyProbe(m_geometry, hasGOnly);
        applyGeometry();

        hasXRA = probeFeature(reqXRA, La_XRa, CB_XRa);
        afterXRProbe(m_geometry, hasXRA);
        applyGeometry();

        hasWMM = probeFeature(reqWMM, La_WMM, CB_WMM);
        afterWMMProbe(m_geometry, hasWMM);
        applyGeometry();

        hasPreamble = probeFeature(reqPreamble, La_Preamble, CB_Preamble);

        m_radioRead = reqRadioA->get();
        FillDataRateCombo(Ed_DtLista, CB_DtRta, Ed_DtRta);

        reqRateSupport->get();
        if (rateControlSupported()) {
            GroupBox2->setVisible(true);
            // The rate control and the rate table's first row, together once the support is known.
            readTogether({[this] {
                              reqRateControl = makeRequest(kMibT111, MVT_SV, 0);
                              reqRateControl->addComboBox(0, CB_DateStatus);
                              return reqRateControl;
                          },
                          walkTogether([this] {
                              reqRateTable = makeRequest(kMibT112, MVT_UMV, 1, false);
                              reqRateTable->onAsyncGetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) {
                                  DataRateTableDone(s, e);
                              };
                              reqRateTable->setListView(ListView1, true);
                              return reqRateTable;
                          })});
            reqRateControl->get();
            startRateWalk();
        } else {
            afterRateSupport(m_geometry, false, GroupBox2->height());
            applyGeometry();
        }
        UpdateModeControlsA();
        gonlyClickRule();
    }
    if (TabSheetG->tabVisible()) buildTabG();

    reqCluster = bindClusterState(CB_Clus);
}

void TFM_Performace::startRateWalk() {
    if (m_walking) return;
    // The walk deletes the rows first; until it has finished no row may be read or written. A walk
    // that cannot be built raises before any of that, and leaves the buttons as they were.
    m_rateRows = 0;
    reqRateTable->get();
    m_walking = true;
    Bt_Apply_a->setEnabled(false);
    Bt_Refresh_a->setEnabled(false);
}

void TFM_Performace::DataRateTableDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    m_walking = false;
    if (error && error->code != 0) {
        StatusBar->setSimpleText(q(error->message));
    } else {
        m_rateRows = std::min(kRateCount, ListView1->itemCount());
        for (int i = 0; i < m_rateRows; ++i)
            CB_DRate[i]->setItemIndex(CB_DRate[i]->indexOf(ListView1->item(i)->subItem(0)));
        // The radio read's failure line stays: the rates alone are no "Get OK!" for the page.
        if (m_radioRead) StatusBar->setSimpleText(QStringLiteral("Get OK!"));
    }
    // Also after a failed walk: the page must still be able to write its other settings.
    Bt_Refresh_a->setEnabled(created());
    Bt_Apply_a->setEnabled(created());
}

void TFM_Performace::FillDataRateCombo(forms::Edit*, forms::ComboBox* combo, forms::Edit* rateEdit) {
    combo->setItems(dataRateItems());
    combo->setItemIndex(dataRateItemFor(rateEdit->text()));
}

void TFM_Performace::ComboToDataRate(forms::ComboBox* combo, forms::Edit* edit) {
    // No selection (a device rate outside the items): the device's own value goes back unchanged.
    if (combo->itemIndex() < 0) return;
    edit->setText(comboToDataRate(combo->text()));
}

bool TFM_Performace::FillComboFromList(forms::Edit* listEdit, forms::ComboBox* combo,
                                       forms::Edit* valueEdit) {
    combo->clearItems();
    const QStringList items = splitChannelList(listEdit->text());
    int match = -1;
    for (int i = 0; i < items.size(); ++i) {
        combo->addItem(items[i]);
        if (items[i] == valueEdit->text()) match = i;
    }
    combo->setItemIndex(match);
    return match >= 0;
}

ModeState TFM_Performace::modeState() const {
    ModeState s;
    s.apModeText = CB_APModea->text();
    s.apModeIndex = CB_APModea->itemIndex();
    // The super mode comes with the radio's read.
    s.modeKnown = m_apModeKnown && m_radioRead;
    s.superModeIndex = CB_SupModea->itemIndex();
    s.superModeText = CB_SupModea->text();
    s.dateStatusIndex = CB_DateStatus->itemIndex();
    s.gonlyIndex = CB_Gonly->itemIndex();
    s.rateControlSupported = rateControlSupported();
    return s;
}

void TFM_Performace::applyRateControls(const RateControls& r) {
    if (r.dataRateEnabled) CB_DtRta->setEnabled(*r.dataRateEnabled);
    if (r.dataRateIndex) CB_DtRta->setItemIndex(*r.dataRateIndex);
    if (r.dateStatusEnabled) CB_DateStatus->setEnabled(*r.dateStatusEnabled);
    if (r.dateStatusIndex) CB_DateStatus->setItemIndex(*r.dateStatusIndex);
    for (int i = 0; i < kRateCount; ++i)
        if (r.rateEnabled[i]) CB_DRate[i]->setEnabled(*r.rateEnabled[i]);
    if (r.resetEnabled) BT_RDateRate->setEnabled(*r.resetEnabled);
}

void TFM_Performace::applyMandatoryRows(const MandatoryRows& m) {
    for (int row : kMandatoryRows) {
        forms::ComboBox* c = CB_DRate[row];
        c->setItems(m.items);
        if (m.selectBasic) c->setItemIndex(c->indexOf(QStringLiteral("Basic")));
        if (m.selectFromRows) {
            int index = row < m_rateRows ? c->indexOf(ListView1->item(row)->subItem(0)) : -1;
            if (index < 0) index = c->indexOf(QStringLiteral("Enable"));
            c->setItemIndex(index);
        }
        if (m.enabled) c->setEnabled(*m.enabled);
    }
}

void TFM_Performace::UpdateModeControlsA() {
    if (!TabSheetA->tabVisible()) return;
    applyRateControls(updateModeControls(modeState()));
    Ed_BeInta->setMaxLength(4);
    Ed_DTIMa->setMaxLength(3);
    Ed_FragLena->setMaxLength(4);
    Ed_RTSa->setMaxLength(4);
}

void TFM_Performace::gonlyClickRule() {
    if (auto m = gonlyClick(modeState())) applyMandatoryRows(*m);
}

void TFM_Performace::PC_PerformaceChange(QObject*) {
    UpdateModeControlsA();
    UpdateChannelListG();
}

void TFM_Performace::CB_SupModeaChange(QObject*) {
    UpdateModeControlsA();
}

void TFM_Performace::CB_SupModegChange(QObject*) {
    UpdateChannelListG();
}

void TFM_Performace::CB_DateStatusChange(QObject*) {
    applyRateControls(dateStatusChange(modeState()));
}

void TFM_Performace::CB_GonlyClick(QObject*) {
    gonlyClickRule();
}

void TFM_Performace::CB_GonlyChange(QObject*) {
    if (auto m = gonlyChange(modeState())) applyMandatoryRows(*m);
}

bool TFM_Performace::checkRanges(const std::array<forms::Edit*, 4>& edits) {
    std::array<QString, 4> texts;
    for (size_t i = 0; i < edits.size(); ++i) texts[i] = edits[i]->text();
    const auto failing = firstFailing(texts);
    if (!failing) return true;
    forms::Edit* bad = edits[static_cast<size_t>(
        std::find(kCheckedFields.begin(), kCheckedFields.end(), *failing) - kCheckedFields.begin())];
    forms::Application::messageBox(this, rangeMessage(*failing), QStringLiteral("Error"), forms::MB_OK);
    bad->setText(QString());
    bad->setFocus();
    return false;
}

void TFM_Performace::writeRateRows() {
    // Only rows a finished walk delivered, and only combos that show a value: an empty text would
    // reach the device as Disable.
    reqRateTable->request.varList.item(1).access = HvAccess::ReadWrite;
    std::array<QString, kRateCount> texts;
    std::array<bool, kRateCount> chosen{};
    for (int i = 0; i < kRateCount; ++i) {
        texts[i] = CB_DRate[i]->text();
        chosen[i] = CB_DRate[i]->itemIndex() >= 0;
    }
    for (int i = 0; i < m_rateRows; ++i) {
        if (!chosen[i]) continue;
        forms::ListItem* row = ListView1->item(i);
        ListView1->setSelected(row);
        row->setSubItem(0, texts[i]);
        reqRateTable->set(false, true);
    }
}

void TFM_Performace::Bt_Apply_aClick(QObject*) {
    if (!created() || !reqRadioA) return;
    if (!checkRanges({Ed_BeInta, Ed_DTIMa, Ed_FragLena, Ed_RTSa})) return;
    bool written = false;
    guarded([&] {
        ComboToDataRate(CB_DtRta, Ed_DtRta);
        bool ok = reqRadioA->set(true, true);
        auto feature = [&](bool has, HvSNMPRequest2Edits* r) {
            if (ok && has && r) ok = r->set(true, true);
        };
        feature(hasXRA, reqXRA);
        feature(hasGOnly, reqGOnly);
        feature(hasWMM, reqWMM);
        feature(hasPreamble, reqPreamble);
        if (!ok) {
            StatusBar->setSimpleText(q(BandSettingErrorA));
            return;
        }
        if (rateControlSupported() && reqRateControl && reqRateTable) {
            CB_DateStatusChange(nullptr);
            reqRateControl->set(true, true);
            writeRateRows();
        }
        written = true;
    });
    if (!written) return;
    // A joined device's answer to the restart brings no success text.
    const bool wasJoined = joined();
    if (afterSetting() && !wasJoined) StatusBar->setSimpleText(QStringLiteral("Setting Success!"));
}

void TFM_Performace::Bt_Refresh_aClick(QObject*) {
    guarded([this] {
        if (reqGOnly) reqGOnly->get();
        if (reqRadioA) m_radioRead = reqRadioA->get();
        for (auto* r : {reqPreamble, reqWMM})
            if (r) r->get();
        if (reqAPMode) m_apModeKnown = reqAPMode->get();
        if (reqRateSupport) reqRateSupport->get();
        if (rateControlSupported() && reqRateControl && reqRateTable) {
            reqRateControl->get();
            startRateWalk();
        }
        FillDataRateCombo(Ed_DtLista, CB_DtRta, Ed_DtRta);
        UpdateModeControlsA();
        gonlyClickRule();
    });
}

void TFM_Performace::BT_RDateRateClick(QObject*) {
    // The rows are written from the list the walk filled; without it there is nothing to reset.
    if (!created() || !reqRateTable || m_rateRows == 0) return;
    if (forms::Application::messageBox(this, kResetQuestion, QStringLiteral("Warning"), forms::MB_OKCANCEL) !=
        forms::IDOK)
        return;
    const auto indexes = resetRateIndexes(CB_Gonly->itemIndex());
    for (int i = 0; i < kRateCount; ++i) CB_DRate[i]->setItemIndex(indexes[i]);
    guarded([this] { writeRateRows(); });
}

void TFM_Performace::exitCheck(forms::Edit* edit, Field field, bool emptyAfterwards) {
    if (inRange(field, edit->text())) return;
    forms::Application::messageBox(this, rangeMessage(field), QStringLiteral("Warning"), forms::MB_OK);
    edit->setFocus();
    if (emptyAfterwards) edit->setText(QString());
}

void TFM_Performace::Ed_BeIntaExit(QObject*) {
    exitCheck(Ed_BeInta, Field::BeaconInterval, false);
}

void TFM_Performace::Ed_DTIMaExit(QObject*) {
    exitCheck(Ed_DTIMa, Field::Dtim, false);
}

void TFM_Performace::Ed_FragLenaExit(QObject*) {
    exitCheck(Ed_FragLena, Field::FragmentLength, false);
}

void TFM_Performace::Ed_RTSaExit(QObject*) {
    exitCheck(Ed_RTSa, Field::RtsLength, true);
}

// ---- Tab G ----------------------------------------------------------------------------------------

void TFM_Performace::buildTabG() {
    TabSheetG->setCaption(q(BandNameG));
    reqXRG = makeProbe(kMibT022, MVT_SV, CB_XRg);
    hasXRG = probeFeature(reqXRG, La_XRg, CB_XRg);

    reqRadioG = makeRequest(kMibT017, MVT_SV, 0);
    reqRadioG->addComboBox(0, CB_SupModeg);
    reqRadioG->addEdit(1, "%s", {Ed_Freqg});
    reqRadioG->addEdit(2, "%s", {Ed_Chang});
    reqRadioG->addEdit(4, "%s", {Ed_DtRtg});
    reqRadioG->addEdit(5, "%s", {Ed_DtListg});
    reqRadioG->addEdit(6, "%u", {Ed_BeIntg});
    reqRadioG->addEdit(7, "%u", {Ed_DTIMg});
    reqRadioG->addEdit(8, "%u", {Ed_FragLeng});
    reqRadioG->addEdit(9, "%u", {Ed_RTSg});
    reqRadioG->addComboBox(10, CB_TranPg);
    reqRadioG->addComboBox(11, CB_RadWavg);
    reqRadioG->setStatusBar(StatusBar);
    reqRadioG->get();
    FillDataRateCombo(Ed_DtListg, CB_DtRtg, Ed_DtRtg);
    UpdateChannelListG();
}

void TFM_Performace::UpdateChannelListG() {
    if (!TabSheetG->tabVisible()) return;
    const int superMode = CB_SupModeg->itemIndex();
    if (superMode == 3) {
        CB_DtRtg->setEnabled(true);
        FillDataRateCombo(Ed_DtListg, CB_DtRtg, Ed_DtRtg);
    } else {
        CB_DtRtg->setItemIndex(0);
        CB_DtRtg->setEnabled(false);
    }
    CB_Chang->clearItems();
    Ed_ChListg->setText(QString());
    Ed_ChListg->setText(superMode == 1 || superMode == 2 ? QStringLiteral("6")
                                                         : QStringLiteral("1 2 3 4 5 6 7 8 9 10 11"));
    if (!FillComboFromList(Ed_ChListg, CB_Chang, Ed_Chang)) CB_Chang->setItemIndex(0);
    Ed_BeIntg->setMaxLength(4);
    Ed_DTIMg->setMaxLength(3);
    Ed_FragLeng->setMaxLength(4);
    Ed_RTSg->setMaxLength(4);
}

void TFM_Performace::Bt_Apply_gClick(QObject*) {
    if (!created() || !reqRadioG) return;
    if (!checkRanges({Ed_BeIntg, Ed_DTIMg, Ed_FragLeng, Ed_RTSg})) return;
    bool written = false;
    guarded([&] {
        ComboToDataRate(CB_Chang, Ed_Chang);
        ComboToDataRate(CB_DtRtg, Ed_DtRtg);
        bool ok = reqRadioG->set(true, true);
        if (ok && hasXRG && reqXRG) ok = reqXRG->set(true, true);
        if (!ok) {
            StatusBar->setSimpleText(q(BandSettingErrorG));
            return;
        }
        written = true;
    });
    if (written) showWaiting();
}

void TFM_Performace::Bt_Refresh_gClick(QObject*) {
    if (!reqRadioG) return;
    guarded([this] {
        reqRadioG->get();
        FillComboFromList(Ed_ChListg, CB_Chang, Ed_Chang);
        FillDataRateCombo(Ed_DtListg, CB_DtRtg, Ed_DtRtg);
        UpdateChannelListG();
    });
}
