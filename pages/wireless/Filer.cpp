#include "pages/wireless/Filer.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/wireless/FilerLayout.h"
#include "pages/wireless/FilerRules.h"
#include "pages/wireless/Filermac.h"

using namespace FilerRules;

QPointer<TFM_Filter> FM_Filter;

TFM_Filter::TFM_Filter(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kFilterLayout);
    findControls();
    wireHandlers();
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Filter::findControls() {
    PageControl1 = control<forms::PageControl>("PageControl1");
    TS_80211a = control<forms::TabSheet>("TS_80211a");
    TS_80211g = control<forms::TabSheet>("TS_80211g");
    CB_ACa = control<forms::ComboBox>("CB_ACa");
    Bt_MacTaba = control<forms::Button>("Bt_MacTaba");
    CB_InSCa = control<forms::ComboBox>("CB_InSCa");
    CB_E2WAa = control<forms::ComboBox>("CB_E2WAa");
    La_InSCBa = control<forms::Label>("La_InSCBa");
    La_InSCAGa = control<forms::Label>("La_InSCAGa");
    CB_InSCBa = control<forms::ComboBox>("CB_InSCBa");
    CB_ACg = control<forms::ComboBox>("CB_ACg");
    Bt_MacTabg = control<forms::Button>("Bt_MacTabg");
    CB_InSCg = control<forms::ComboBox>("CB_InSCg");
    CB_E2WAg = control<forms::ComboBox>("CB_E2WAg");
    CB_InSCBg = control<forms::ComboBox>("CB_InSCBg");
    Bt_Apply = control<forms::Button>("Bt_Apply");
    Bt_Refresh = control<forms::Button>("Bt_Refresh");
    Bt_Close = control<forms::Button>("Bt_Close");
    StatusBar = control<forms::StatusBar>("StatusBar");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
}

void TFM_Filter::wireHandlers() {
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
    Bt_Refresh->OnClick = [this](QObject* s) { Bt_RefreshClick(s); };
    Bt_Close->OnClick = [this](QObject* s) { Bt_CloseClick(s); };
    Bt_MacTaba->OnClick = [this](QObject* s) { Bt_MacTabaClick(s); };
    Bt_MacTabg->OnClick = [this](QObject* s) { Bt_MacTabgClick(s); };
    CB_ACa->OnChange = [this](QObject* s) { CB_ACaChange(s); };
    CB_ACg->OnChange = [this](QObject* s) { CB_ACgChange(s); };
    CB_InSCBa->OnChange = [this](QObject* s) { CB_InSCBaChange(s); };
    CB_InSCBg->OnChange = [this](QObject* s) { CB_InSCBgChange(s); };
}

void TFM_Filter::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Apply, Bt_Refresh});
}

void TFM_Filter::buildRequests() {
    // The filters and the AP-domain state go out together; each takes its answer in the page's order.
    readTogether({[this] { return makeFilter(); }, [this] { return reqCluster = makeClusterState(CB_Clus, false); }});
    if (reqFilter->get()) UpdateMacTableButtons();
    reqCluster->get();
}

HvSNMPRequest2Edits* TFM_Filter::makeFilter() {
    // Every item is left out of reads and writes until a visible tab binds it.
    reqFilter = makeRequest(kMibT026, MVT_SV, 0);
    HvSNMPVarList& items = reqFilter->request.varList;
    auto bind = [&](int item, forms::ComboBox* combo) {
        reqFilter->addComboBox(item, combo);
        items.item(item).access = HvAccess::ReadWrite;
    };
    const bool tabA = TS_80211a->tabVisible();
    const bool tabG = TS_80211g->tabVisible();
    if (tabA) {
        TS_80211a->setCaption(QString::fromStdString(BandNameA));
        bind(0, CB_ACa);
        bind(1, CB_InSCa);
        bind(2, CB_E2WAa);
    }
    if (tabG) {
        TS_80211g->setCaption(QString::fromStdString(BandNameG));
        bind(4, CB_ACg);
        bind(5, CB_InSCg);
        bind(6, CB_E2WAg);
    }
    // The switch between the two bands means something only where both are served.
    if (tabA && tabG) {
        bind(3, CB_InSCBa);
        bind(7, CB_InSCBg);
    } else {
        La_InSCAGa->setVisible(false);
        La_InSCBa->setVisible(false);
        CB_InSCBa->setVisible(false);
    }
    reqFilter->setStatusBar(StatusBar);
    return reqFilter;
}

void TFM_Filter::UpdateMacTableButtons() {
    Bt_MacTaba->setEnabled(macTableButtonEnabled(CB_ACa->itemIndex()));
    Bt_MacTabg->setEnabled(macTableButtonEnabled(CB_ACg->itemIndex()));
}

void TFM_Filter::CB_ACaChange(QObject*) {
    UpdateMacTableButtons();
}

void TFM_Filter::CB_ACgChange(QObject*) {
    UpdateMacTableButtons();
}

void TFM_Filter::CB_InSCBaChange(QObject*) {
    CB_InSCBg->setItemIndex(CB_InSCBa->itemIndex());
}

void TFM_Filter::CB_InSCBgChange(QObject*) {
    CB_InSCBa->setItemIndex(CB_InSCBg->itemIndex());
}

void TFM_Filter::Bt_ApplyClick(QObject*) {
    bool ok = false;
    if (!guarded([&] { ok = reqFilter->set(true, true); })) return;
    if (!ok) {
        StatusBar->setSimpleText(kSettingError);
        return;
    }
    afterSetting();
    StatusBar->setSimpleText(kSettingSuccess);
    guarded([this] { reqCluster->get(); });
}

void TFM_Filter::Bt_RefreshClick(QObject*) {
    guarded([this] {
        reqFilter->get();
        UpdateMacTableButtons();
    });
}

void TFM_Filter::Bt_CloseClick(QObject*) {
    close();
}

void TFM_Filter::openMacTable(int slot, bool& openFlag) {
    if (!created() || closing()) return;
    openFlag = true;
    // The flag and the window go however the window's loop ends.
    struct Opened {
        bool& flag;
        ~Opened() {
            delete FM_FilterMAC.data();
            flag = false;
        }
    } opened{openFlag};
    FM_FilterMAC = new TFM_FilterMAC(mainForm(), slot);
    FM_FilterMAC->setCaption(kTableCaption);
    FM_FilterMAC->showModal();
}

void TFM_Filter::Bt_MacTabaClick(QObject*) {
    openMacTable(1, macTableSlot1Open);
}

void TFM_Filter::Bt_MacTabgClick(QObject*) {
    openMacTable(2, macTableSlot2Open);
}
