#include "module/Wait.h"

#include "library/HvException.h"
#include "module/Main.h"
#include "module/Misc.h"

TFM_Waiting::TFM_Waiting(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner), m_mainForm(mainForm ? mainForm : MainForm) {
    setCaption(QStringLiteral("Please wait"));
    setClientSize(249, 70);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);

    Label2 = new forms::Label(QStringLiteral("Settings saved."), this);
    Label2->setBounds(8, 6, 233, 16);
    Label3 = new forms::Label(QStringLiteral("The device is restarting."), this);
    Label3->setBounds(8, 26, 233, 16);
    Label1 = new forms::Label(QStringLiteral("Please waiting for"), this);
    Label1->setBounds(8, 46, 110, 16);
    La_Time = new forms::Label(this);
    La_Time->setBounds(122, 46, 30, 16);
    seconds = new forms::Label(QStringLiteral("seconds"), this);
    seconds->setBounds(156, 46, 60, 16);
    Ed_Reboot = new forms::Edit(this);
    Ed_Reboot->setVisible(false);
    Ed_FwVer = new forms::Edit(this);
    Ed_FwVer->setVisible(false);

    Timer1 = new forms::Timer(this);
    Timer1->setInterval(1200);
    Timer1->OnTimer = [this](QObject* s) { Timer1Timer(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    // Centred on the main window, wherever the page that opened it lies.
    OnShow = [this](QObject*) {
        if (m_mainForm) centerOn(m_mainForm);
        if (La_Time->caption().isEmpty()) La_Time->setCaption(QString::number(waitTicks));
    };
    deviceAnswering = [this] { return m_mainForm && m_mainForm->deviceAnswering(); };
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
