#include "pages/admin/Logset.h"

#include "module/AddrCheck.h"
#include "module/HvPage.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "module/Wait.h"

TLogSetForm::TLogSetForm(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner), m_mainForm(mainForm ? mainForm : MainForm) {
    // A window of its own, though the log page owns it.
    setWindowFlag(Qt::Window, true);
    setCaption(QStringLiteral("Status \\ Log \\ Log Setting"));
    setClientSize(307, 201);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);
    setPosition(Position::ScreenCenter);

    Panel1 = new forms::Panel(this);
    Panel1->setBounds(0, 0, 307, 150);
    Panel2 = new forms::Panel(Panel1);
    Panel2->setBounds(8, 8, 291, 134);
    GroupBox1 = new forms::GroupBox(QStringLiteral("Log Settings "), Panel2);
    GroupBox1->setBounds(0, 0, 291, 134);
    StatusBar1 = new forms::StatusBar(this);
    StatusBar1->setSimplePanel(true);
    Button1 = new forms::Button(QStringLiteral("Cancel"), this);
    Button1->setBounds(200, 155, 75, 25);
    Button2 = new forms::Button(QStringLiteral("Apply"), this);
    Button2->setBounds(112, 155, 75, 25);
    Label2 = new forms::Label(QStringLiteral("Log Server / IP address "), GroupBox1);
    Label2->setBounds(10, 22, 130, 16);
    GroupBox2 = new forms::GroupBox(QStringLiteral("Log Type"), GroupBox1);
    GroupBox2->setBounds(10, 48, 271, 78);
    SysLevCeBox = new forms::CheckBox(QStringLiteral("System Activity"), GroupBox2);
    SysLevCeBox->setBounds(10, 18, 200, 17);
    WirelessLevCeBox = new forms::CheckBox(QStringLiteral("Wireless Activity"), GroupBox2);
    WirelessLevCeBox->setBounds(10, 36, 200, 17);
    NoticeLevCeBox = new forms::CheckBox(QStringLiteral("Notice "), GroupBox2);
    NoticeLevCeBox->setBounds(10, 54, 200, 17);
    LocalStateComBox = new forms::ComboBox(this);
    LocalStateComBox->setVisible(false);
    RemoteStateComBox = new forms::ComboBox(this);
    RemoteStateComBox->setVisible(false);
    LogServerEdit = new forms::Edit(GroupBox1);
    LogServerEdit->setBounds(150, 20, 130, 21);
    CB_Clus = new forms::ComboBox(this);
    CB_Clus->setVisible(false);

    Button1->OnClick = [this](QObject* s) { Button1Click(s); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    FormCreate();
}

TLogSetForm::~TLogSetForm() {
    clusterRequest.reset();
}

void TLogSetForm::FormCreate() {
    try {
        clusterRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        clusterRequest->request.varList = HvSNMPVarList(kMibT105, MVT_SV, 0);
        clusterRequest->request.varList.item(0).access = HvAccess::Invalid;
        clusterRequest->request.varList.item(1).access = HvAccess::ReadWrite;
        clusterRequest->mode = 1;
        clusterRequest->addComboBox(1, CB_Clus);
        clusterRequest->setStatusBar(StatusBar1);  // a failed read shows there
        clusterRequest->get();
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }
}

void TLogSetForm::Button1Click(QObject*) {
    close();
}

void TLogSetForm::selectRemoteState(bool enable) {
    RemoteStateComBox->setItemIndex(
        RemoteStateComBox->indexOf(enable ? QStringLiteral("enable") : QStringLiteral("disable")));
}

void TLogSetForm::Button2Click(QObject*) {
    if (!logSetRequest) return;
    if (LogServerEdit->text().isEmpty()) {
        selectRemoteState(false);
        LogServerEdit->setText(QStringLiteral("0.0.0.0"));
    } else if (!IsValidIPAddress(LogServerEdit->text().toStdString())) {
        forms::Application::messageBox(this, QStringLiteral("Please input valid IP Address."),
                                       QStringLiteral("Warning"), forms::MB_OK);
        LogServerEdit->setText(QString());
        return;
    } else {
        selectRemoteState(true);
    }
    logSetRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        // Outside the event pump: the waiting dialog's loop must let the main window's poll run.
        HvSNMPError outcome = *error;
        postMessage([this, outcome]() mutable { ApplyDone(&outcome); });
    };
    try {
        logSetRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }
}

void TLogSetForm::ApplyDone(HvSNMPError* error) {
    if (error->code != 0) {
        StatusBar1->setSimpleText(QStringLiteral("Set Error!"));
        return;
    }
    bool restart = true;
    if (CB_Clus->itemIndex() == 0) restart = HvAskRestart(this);
    if (restart) {
        StatusBar1->setSimpleText(QStringLiteral("Set Success!"));
        auto* wait = new TFM_Waiting(nullptr, *m_mainForm);
        wait->showModal();
        delete wait;
    }
    try {
        if (clusterRequest) clusterRequest->get();
    } catch (const std::exception& e) {
        StatusBar1->setSimpleText(QString::fromUtf8(e.what()));
    }
}
