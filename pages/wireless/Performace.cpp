#include "pages/wireless/Performace.h"

#include <algorithm>

#include "library/HvException.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "module/Wait.h"

using namespace PerformaceRules;

QPointer<TFM_Performace> FM_Performace;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

const QString kRestartQuestion = QStringLiteral(
    "Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");
const QString kResetQuestion =
    QStringLiteral("It will Reset Data Rate Settings to Default Status! Continue?");

}  // namespace

TFM_Performace::TFM_Performace(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner), m_mainForm(mainForm) {
    buildLayout();
    // Centred on the main window it was opened from.
    OnShow = [this](QObject*) { centerOn(m_mainForm); };
    FormCreate();
}

TFM_Performace::~TFM_Performace() {
    m_closing = true;
    // The walk first: its rows go into ListView1 and the rate combos. Each destructor waits for the
    // answers still out, and none of them reaches this page any more.
    reqRateTable.reset();
    reqRateControl.reset();
    reqRateSupport.reset();
    reqCluster.reset();
    reqRadioA.reset();
    reqRadioG.reset();
    reqXRA.reset();
    reqXRG.reset();
    reqGOnly.reset();
    reqWMM.reset();
    reqPreamble.reset();
    reqAPMode.reset();
}

std::unique_ptr<HvSNMPRequest2Edits> TFM_Performace::makeRequest(const MibObjectDef* table, uint8_t kind,
                                                                 int32_t keys, bool synchronous) {
    auto r = std::make_unique<HvSNMPRequest2Edits>(this);
    r->request.varList = HvSNMPVarList(table, kind, keys);
    if (synchronous) r->mode = 0;
    return r;
}

bool TFM_Performace::rateControlSupported() const {
    return intOr(Ed_dataratecontrolsupport->text(), 0) == 1;
}

void TFM_Performace::FormCreate() {
    try {
        const QString dataRateNew = m_mainForm ? m_mainForm->Ed_DataRateNew->text() : QString();
        if (auto items = optionalRowItems(dataRateNew))
            for (int row : kOptionalRows) CB_DRate[row]->setItems(*items);

        if (TabSheetA->tabVisible()) {
            TabSheetA->setCaption(q(BandNameA));

            reqAPMode = makeRequest(kMibT113, MVT_SV, 0, true);
            reqAPMode->addComboBox(0, CB_APModea);
            m_apModeKnown = reqAPMode->get();

            // The optional features: a firmware without one does not answer its read, and its row goes.
            reqGOnly = makeRequest(kMibT018, MVT_SV, 0, true);
            reqGOnly->addComboBox(0, CB_Gonly);
            hasGOnly = reqGOnly->get();
            La_Gonly->setVisible(hasGOnly);
            CB_Gonly->setVisible(hasGOnly);
            afterGOnlyProbe(m_geometry, hasGOnly);
            applyGeometry();

            reqXRA = makeRequest(kMibT021, MVT_SV, 0, true);
            reqXRA->addComboBox(0, CB_XRa);
            hasXRA = reqXRA->get();
            La_XRa->setVisible(hasXRA);
            CB_XRa->setVisible(hasXRA);
            afterXRProbe(m_geometry, hasXRA);
            applyGeometry();

            reqWMM = makeRequest(kMibT012, SVT_SV, 0, true);
            reqWMM->addComboBox(0, CB_WMM);
            hasWMM = reqWMM->get();
            La_WMM->setVisible(hasWMM);
            CB_WMM->setVisible(hasWMM);
            afterWMMProbe(m_geometry, hasWMM);
            applyGeometry();

            reqPreamble = makeRequest(kMibT013, SVT_SV, 0, true);
            reqPreamble->addComboBox(0, CB_Preamble);
            hasPreamble = reqPreamble->get();
            La_Preamble->setVisible(hasPreamble);
            CB_Preamble->setVisible(hasPreamble);

            reqRadioA = makeRequest(kMibT011, MVT_SV, 0, true);
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
            reqRadioA->get();
            FillDataRateCombo(Ed_DtLista, CB_DtRta, Ed_DtRta);

            reqRateSupport = makeRequest(kMibT110, SVT_SV, 0, true);
            reqRateSupport->addEdit(0, "%s", {Ed_dataratecontrolsupport});
            reqRateSupport->get();
            if (rateControlSupported()) {
                GroupBox2->setVisible(true);
                reqRateControl = makeRequest(kMibT111, MVT_SV, 0, true);
                reqRateControl->addComboBox(0, CB_DateStatus);
                reqRateControl->get();
                reqRateTable = makeRequest(kMibT112, MVT_UMV, 1, false);
                reqRateTable->onAsyncGetDone = [this](HvSNMPRequest2Controls* s, HvSNMPError* e) {
                    DataRateTableDone(s, e);
                };
                reqRateTable->setListView(ListView1, true);
                startRateWalk();
            } else {
                afterRateSupport(m_geometry, false, GroupBox2->height());
                applyGeometry();
            }
            UpdateModeControlsA();
            gonlyClickRule();
        }
        if (TabSheetG->tabVisible()) buildTabG();

        reqCluster = makeRequest(kMibT105, MVT_SV, 0, true);
        reqCluster->addComboBox(1, CB_Clus);
        reqCluster->request.varList.item(0).access = HvAccess::Invalid;
        reqCluster->request.varList.item(1).access = HvAccess::ReadWrite;
        reqCluster->get();
        m_created = true;
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }
    if (!m_created) {
        // Requests past the failure were never built: nothing here can write a sound setting.
        for (auto* b : {Bt_Apply_a, Bt_Refresh_a, BT_RDateRate, Bt_Apply_g, Bt_Refresh_g})
            b->setEnabled(false);
    }
}

void TFM_Performace::startRateWalk() {
    if (m_walking) return;
    // The walk deletes the rows first; until it has finished no row may be read or written.
    m_rateRows = 0;
    m_walking = true;
    Bt_Apply_a->setEnabled(false);
    Bt_Refresh_a->setEnabled(false);
    try {
        reqRateTable->get();
    } catch (...) {
        m_walking = false;
        if (m_created) {
            Bt_Apply_a->setEnabled(true);
            Bt_Refresh_a->setEnabled(true);
        }
        throw;
    }
}

void TFM_Performace::DataRateTableDone(HvSNMPRequest2Controls*, HvSNMPError* error) {
    if (m_closing) return;
    m_walking = false;
    if (error && error->code != 0) {
        StatusBar->setSimpleText(q(error->message));
    } else {
        m_rateRows = std::min(kRateCount, ListView1->itemCount());
        for (int i = 0; i < m_rateRows; ++i)
            CB_DRate[i]->setItemIndex(CB_DRate[i]->indexOf(ListView1->item(i)->subItem(0)));
        StatusBar->setSimpleText(QStringLiteral("Get OK!"));
    }
    // Also after a failed walk: the page must still be able to write its other settings.
    Bt_Refresh_a->setEnabled(m_created);
    Bt_Apply_a->setEnabled(m_created);
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
    s.apModeKnown = m_apModeKnown;
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

void TFM_Performace::showWaiting() {
    auto* waiting = new TFM_Waiting(this, m_mainForm);
    FM_Waiting = waiting;
    waiting->showModal();
    delete FM_Waiting.data();
}

void TFM_Performace::Bt_Apply_aClick(QObject*) {
    if (!m_created || !reqRadioA) return;
    if (!checkRanges({Ed_BeInta, Ed_DTIMa, Ed_FragLena, Ed_RTSa})) return;
    try {
        ComboToDataRate(CB_DtRta, Ed_DtRta);
        bool ok = reqRadioA->set(true, true);
        auto feature = [&](bool has, const std::unique_ptr<HvSNMPRequest2Edits>& r) {
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
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
        return;
    }
    if (CB_Clus->itemIndex() == 0) {
        if (forms::Application::messageBox(this, kRestartQuestion, QStringLiteral("Warning"),
                                           forms::MB_OKCANCEL) == forms::IDOK)
            showWaiting();
        return;
    }
    showWaiting();
    StatusBar->setSimpleText(QStringLiteral("Setting Success!"));
}

void TFM_Performace::Bt_Refresh_aClick(QObject*) {
    if (!m_created) return;
    try {
        for (auto* r : {reqGOnly.get(), reqRadioA.get(), reqPreamble.get(), reqWMM.get()})
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
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }
}

void TFM_Performace::BT_RDateRateClick(QObject*) {
    // The rows are written from the list the walk filled; without it there is nothing to reset.
    if (!m_created || !reqRateTable || m_rateRows == 0) return;
    if (forms::Application::messageBox(this, kResetQuestion, QStringLiteral("Warning"), forms::MB_OKCANCEL) !=
        forms::IDOK)
        return;
    const auto indexes = resetRateIndexes(CB_Gonly->itemIndex());
    for (int i = 0; i < kRateCount; ++i) CB_DRate[i]->setItemIndex(indexes[i]);
    try {
        writeRateRows();
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }
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
    reqXRG = makeRequest(kMibT022, MVT_SV, 0, true);
    reqXRG->addComboBox(0, CB_XRg);
    hasXRG = reqXRG->get();
    La_XRg->setVisible(hasXRG);
    CB_XRg->setVisible(hasXRG);

    reqRadioG = makeRequest(kMibT017, MVT_SV, 0, true);
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
    if (!m_created || !reqRadioG) return;
    if (!checkRanges({Ed_BeIntg, Ed_DTIMg, Ed_FragLeng, Ed_RTSg})) return;
    try {
        ComboToDataRate(CB_Chang, Ed_Chang);
        ComboToDataRate(CB_DtRtg, Ed_DtRtg);
        bool ok = reqRadioG->set(true, true);
        if (ok && hasXRG && reqXRG) ok = reqXRG->set(true, true);
        if (!ok) {
            StatusBar->setSimpleText(q(BandSettingErrorG));
            return;
        }
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
        return;
    }
    showWaiting();
}

void TFM_Performace::Bt_Refresh_gClick(QObject*) {
    if (!m_created || !reqRadioG) return;
    try {
        reqRadioG->get();
        FillComboFromList(Ed_ChListg, CB_Chang, Ed_Chang);
        FillDataRateCombo(Ed_DtListg, CB_DtRtg, Ed_DtRtg);
        UpdateChannelListG();
    } catch (const HvException& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }
}
