#include "module/Wait.h"

#include "library/HvException.h"
#include "module/Main.h"
#include "module/Misc.h"

namespace {

using forms::Kind;
using enum forms::LayoutFlag;

const forms::LayoutRow kRows[] = {
    {Kind::Label, "Label2", "", 8, 6, 233, 16, "Settings saved."},
    {Kind::Label, "Label3", "", 8, 26, 233, 16, "The device is restarting."},
    {Kind::Label, "Label1", "", 8, 46, 110, 16, "Please waiting for"},
    {Kind::Label, "La_Time", "", 122, 46, 30, 16},
    {Kind::Label, "seconds", "", 156, 46, 60, 16, "seconds"},
    {Kind::Edit, "Ed_Reboot", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Edit, "Ed_FwVer", "", 0, 0, 0, 0, "", "", Hidden},
    {Kind::Timer, "Timer1", "", 1200},
};

}  // namespace

const forms::FormLayout WaitLayout = {"TFM_Waiting", "Please wait", 249, 70, kRows};

TFM_Waiting::TFM_Waiting(QWidget* owner, TMainForm& mainForm) : forms::Form(owner), m_mainForm(mainForm) {
    forms::buildLayout(*this, WaitLayout);
    Label2 = forms::findControl<forms::Label>(this, "Label2");
    Label3 = forms::findControl<forms::Label>(this, "Label3");
    Label1 = forms::findControl<forms::Label>(this, "Label1");
    La_Time = forms::findControl<forms::Label>(this, "La_Time");
    seconds = forms::findControl<forms::Label>(this, "seconds");
    Ed_Reboot = forms::findControl<forms::Edit>(this, "Ed_Reboot");
    Ed_FwVer = forms::findControl<forms::Edit>(this, "Ed_FwVer");
    Timer1 = forms::findControl<forms::Timer>(this, "Timer1");

    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    // Centred on the main window, wherever the page that opened it lies.
    OnShow = [this](QObject*) {
        centerOn(&m_mainForm);
        if (La_Time->caption().isEmpty()) La_Time->setCaption(QString::number(waitTicks));
    };
    deviceAnswering = [this] { return m_mainForm.deviceAnswering(); };
    FormCreate();
}

TFM_Waiting::~TFM_Waiting() {
    Timer1->setEnabled(false);
    // Before the edits they are bound to.
    rebootRequest.reset();
    firmwareRequest.reset();
}

void TFM_Waiting::FormCreate() {
    try {
        firmwareRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        firmwareRequest->request.varList = HvSNMPVarList(kMibT062, SVT_SV, 0);
        firmwareRequest->mode = 0;
        firmwareRequest->addEdit(0, "%s", {Ed_FwVer});
        firmwareRequest->get();
    } catch (const HvException&) {
        // The read only informs; a request that cannot be built leaves the field empty.
    }
    waitTicks = 30;
}

void TFM_Waiting::Timer1Timer(QObject*) {
    const WaitCountdown::Tick tick = count.tick(deviceAnswering && deviceAnswering());
    if (tick.shown) La_Time->setCaption(QString::number(*tick.shown));
    if (tick.sendReboot) sendRestart();
    if (tick.close) {
        Timer1->setEnabled(false);
        close();
    }
}

void TFM_Waiting::sendRestart() {
    try {
        rebootRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        rebootRequest->request.varList = HvSNMPVarList(kMibT048, SVT_SV, 0);
        rebootRequest->addEdit(0, "%s", {Ed_Reboot});
        // The option list's lookup ignores case: "reboot" goes out as 4.
        Ed_Reboot->setText(QStringLiteral("reboot"));
        rebootRequest->set(true, true);
    } catch (const HvException&) {
        // Reported by the request layer's message callback; the count goes on.
    }
}

void TFM_Waiting::FormCloseQuery(QObject*, bool& canClose) {
    canClose = count.closeQuery();
}
