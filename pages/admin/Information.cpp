#include "pages/admin/Information.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "pages/admin/InformationLayout.h"
#include "pages/admin/InformationRules.h"

using namespace InformationRules;

QPointer<TFM_SysInfo> FM_SysInfo;

namespace {

constexpr int32_t kTimeout = 3000;  // 30 s, in the session's 10 ms units

}  // namespace

TFM_SysInfo::TFM_SysInfo(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kSysInfoLayout);
    Ed_SD = control<forms::Edit>("Ed_SD");
    Ed_SO = control<forms::Edit>("Ed_SO");
    Ed_SU = control<forms::Edit>("Ed_SU");
    Ed_SC = control<forms::Edit>("Ed_SC");
    Ed_SN = control<forms::Edit>("Ed_SN");
    Ed_SL = control<forms::Edit>("Ed_SL");
    Btn_Re = control<forms::Button>("Btn_Re");
    Btn_Sa = control<forms::Button>("Btn_Sa");
    StatusBar = control<forms::StatusBar>("StatusBar");
    Btn_Re->OnClick = [this](QObject* s) { Btn_ReClick(s); };
    Btn_Sa->OnClick = [this](QObject* s) { Btn_SaClick(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_SysInfo::FormCreate() {
    create(
        [this] {
            reqSystem = makeRequest(kMibT001, SVT_SV, 0, false, kTimeout);
            reqSystem->addEdit(0, "%s", {Ed_SD});
            reqSystem->addEdit(1, "%s", {Ed_SO});
            reqSystem->addEdit(2, "%s", {Ed_SU});
            reqSystem->addEdit(3, "%s", {Ed_SC});
            reqSystem->addEdit(4, "%s", {Ed_SN});
            reqSystem->addEdit(5, "%s", {Ed_SL});
            reqSystem->setStatusBar(StatusBar);
            reqSystem->onAsyncGetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { ended(e, false); };
            reqSystem->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* e) { ended(e, true); };
            reqSystem->get();
            started();
            Ed_SC->setMaxLength(kContactMax);
            Ed_SN->setMaxLength(kNameMax);
            Ed_SL->setMaxLength(kLocationMax);
        },
        {Btn_Re, Btn_Sa});
}

void TFM_SysInfo::started() {
    Btn_Sa->setEnabled(saveEnabled(reqSystem->busy, m_read));
}

void TFM_SysInfo::ended(HvSNMPError* error, bool save) {
    const bool ok = !error || error->code == 0;
    const QString errorText = error ? QString::fromStdString(error->message) : QString();
    // Reported only here, once the device has answered.
    if (save)
        StatusBar->setSimpleText(saveResult(ok, errorText));
    else if (m_reportGet)
        StatusBar->setSimpleText(readResult(ok, errorText));
    m_reportGet = false;
    // A failed read leaves the fields as they were: still the device's once one read has succeeded.
    if (!save && ok) m_read = true;
    Btn_Sa->setEnabled(saveEnabled(reqSystem->busy, m_read));
}

void TFM_SysInfo::Btn_ReClick(QObject*) {
    guarded([this] {
        if (reqSystem->busy) return;
        m_reportGet = true;
        reqSystem->get();
        started();
    });
}

void TFM_SysInfo::Btn_SaClick(QObject*) {
    guarded([this] {
        if (!saveEnabled(reqSystem->busy, m_read)) return;
        if (auto f = checkSave(Ed_SC->text(), Ed_SN->text(), Ed_SL->text())) {
            HvRefuseInput(*this, *f);
            return;
        }
        reqSystem->set(true, true);
        started();
    });
}
