#include "pages/admin/Static.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/StaticLayout.h"

using namespace StaticRules;

QPointer<TFM_Static> FM_Static;

TFM_Static::TFM_Static(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kStaticLayout);
    PC_WirlessTraffic = control<forms::PageControl>("PC_WirlessTraffic");
    TabSheetA = control<forms::TabSheet>("TabSheetA");
    TabSheetG = control<forms::TabSheet>("TabSheetG");
    for (int slot = 1; slot <= 2; ++slot)
        for (int n = 0; n < kCounterCount; ++n)
            edits[size_t(slot - 1)][size_t(n)] =
                control<forms::Edit>(editName(n, slot).toLatin1().constData());
    Bt_RfrshA = control<forms::Button>("Bt_RfrshA");
    Bt_RfrshG = control<forms::Button>("Bt_RfrshG");
    Bt_RfrshA->OnClick = [this](QObject* s) { Bt_RfrshAClick(s); };
    Bt_RfrshG->OnClick = [this](QObject* s) { Bt_RfrshGClick(s); };
    FormCreate();
}

void TFM_Static::FormCreate() {
    create([this] {
        try {
            buildRequests();
        } catch (const std::exception&) {
            // The page opens all the same, with what was built; Refresh asks only those requests.
        }
    });
}

void TFM_Static::buildRequests() {
    for (int slot : slotsToRead(TabSheetA->tabVisible(), TabSheetG->tabVisible())) {
        (slot == 1 ? TabSheetA : TabSheetG)->setCaption(QString::fromStdString(BandNameA));
        HvSNMPRequest2Edits* r = makeRequest(slot == 1 ? kMibT054 : kMibT055, MVT_SV, 0, false);
        for (int n = 0; n < kCounterCount; ++n) r->addEdit(n, "%s", {edits[size_t(slot - 1)][size_t(n)]});
        r->onAsyncGetDone = [this, slot](HvSNMPRequest2Controls*, HvSNMPError* e) {
            if (!e || e->code == 0) showCounters(slot);
        };
        request(slot) = r;
        r->get();
    }
}

void TFM_Static::showCounters(int slot) {
    for (forms::Edit* e : edits[size_t(slot - 1)]) e->setText(counterText(e->text()));
}

void TFM_Static::Bt_RfrshAClick(QObject*) {
    guarded([this] {
        if (reqSlotA) reqSlotA->get();
    });
}

void TFM_Static::Bt_RfrshGClick(QObject*) {
    guarded([this] {
        if (reqSlotG) reqSlotG->get();
    });
}
