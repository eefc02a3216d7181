#include "pages/admin/Devinfo.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/DevinfoLayout.h"
#include "pages/admin/DevinfoRules.h"

QPointer<TFM_DevInfo> FM_DevInfo;

TFM_DevInfo::TFM_DevInfo(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kDevInfoLayout);
    PC_WirlessTraffic = control<forms::PageControl>("PC_WirlessTraffic");
    TabSheetA = control<forms::TabSheet>("TabSheetA");
    TabSheetG = control<forms::TabSheet>("TabSheetG");
    StatusBar = control<forms::StatusBar>("StatusBar");
    Ed_SSIDa = control<forms::Edit>("Ed_SSIDa");
    Ed_Channela = control<forms::Edit>("Ed_Channela");
    Ed_SupModa = control<forms::Edit>("Ed_SupModa");
    Ed_SupModusa = control<forms::Edit>("Ed_SupModusa");
    Ed_DatRata = control<forms::Edit>("Ed_DatRata");
    Ed_SecLevAutha = control<forms::Edit>("Ed_SecLevAutha");
    Ed_SecLevPria = control<forms::Edit>("Ed_SecLevPria");
    Bt_Refa = control<forms::Button>("Bt_Refa");
    Ed_SSIDg = control<forms::Edit>("Ed_SSIDg");
    Ed_Channelg = control<forms::Edit>("Ed_Channelg");
    Ed_SupModg = control<forms::Edit>("Ed_SupModg");
    Ed_DatRatg = control<forms::Edit>("Ed_DatRatg");
    Ed_SecLevAuthg = control<forms::Edit>("Ed_SecLevAuthg");
    Ed_SecLevPrig = control<forms::Edit>("Ed_SecLevPrig");
    Bt_Refg = control<forms::Button>("Bt_Refg");
    Ed_Firmware = control<forms::Edit>("Ed_Firmware");
    Ed_Mac = control<forms::Edit>("Ed_Mac");
    Ed_GetIP = control<forms::Edit>("Ed_GetIP");
    Ed_IPaddr = control<forms::Edit>("Ed_IPaddr");
    Ed_SubMask = control<forms::Edit>("Ed_SubMask");
    Ed_Gate = control<forms::Edit>("Ed_Gate");
    Bt_Refa->OnClick = [this](QObject* s) { Bt_RefaClick(s); };
    Bt_Refg->OnClick = [this](QObject* s) { Bt_RefgClick(s); };
    setResultControl(StatusBar);
    FormCreate();
}

HvSNMPRequest2Edits* TFM_DevInfo::boundRequest(const MibObjectDef* table, uint8_t kind, bool synchronous,
                                               std::initializer_list<forms::Edit*> edits) {
    HvSNMPRequest2Edits* r = makeRequest(table, kind, 0, synchronous);
    int item = 0;
    for (forms::Edit* e : edits) r->addEdit(item++, "%s", {e});
    r->setStatusBar(StatusBar);
    return r;
}

void TFM_DevInfo::FormCreate() {
    create([this] { buildRequests(); }, {Bt_Refa, Bt_Refg});
}

void TFM_DevInfo::buildRequests() {
    // The radios' and the device's reads go out together, each taken in this order.
    readTogether({[this]() -> HvSNMPRequest2Edits* {
                      if (!TabSheetA->tabVisible()) return nullptr;
                      TabSheetA->setCaption(QString::fromStdString(BandNameA));
                      return reqRadioA = boundRequest(
                                 kMibT052, MVT_SV, true,
                                 {Ed_SSIDa, Ed_Channela, Ed_SupModa, Ed_DatRata, Ed_SecLevAutha, Ed_SecLevPria});
                  },
                  [this]() -> HvSNMPRequest2Edits* {
                      if (!TabSheetG->tabVisible()) return nullptr;
                      return reqRadioG = boundRequest(
                                 kMibT053, MVT_SV, false,
                                 {Ed_SSIDg, Ed_Channelg, Ed_SupModg, Ed_DatRatg, Ed_SecLevAuthg, Ed_SecLevPrig});
                  },
                  // The device's own settings are scalars; the radios' objects are rows of their slot.
                  [this] {
                      return reqDevice = boundRequest(kMibT051, SVT_SV, false,
                                                      {Ed_Firmware, Ed_Mac, Ed_GetIP, Ed_IPaddr, Ed_SubMask, Ed_Gate});
                  }});
    if (reqRadioA) {
        const bool readOk = reqRadioA->get();
        Ed_SupModusa->setText(
            DevinfoRules::superModeShown({readOk, mainForm().ED_Turbomode->text(), Ed_SupModa->text(),
                                          Ed_Channela->text(), TabSheetG->tabVisible()}));
    }
    if (reqRadioG) reqRadioG->get();
    reqDevice->get();
}

void TFM_DevInfo::Bt_RefaClick(QObject*) {
    // Ed_SupModusa keeps the text worked out when the page opened.
    guarded([this] {
        if (reqRadioA) reqRadioA->get();
    });
}

void TFM_DevInfo::Bt_RefgClick(QObject*) {
    guarded([this] {
        if (reqRadioG) reqRadioG->get();
    });
}
