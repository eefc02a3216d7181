#include "pages/admin/Logset.h"

#include "module/AddrCheck.h"
#include "module/Misc.h"

TLogSetForm::TLogSetForm(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(LogsetLayout);
    // Centred on the screen, as its table says, not on the main window.
    OnShow = nullptr;
    findControls();
    Button1->OnClick = [this](QObject* s) { Button1Click(s); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    setResultControl(StatusBar1);
    create([this] {
        clusterRequest = bindClusterState(CB_Clus, false);
        clusterRequest->setStatusBar(StatusBar1);  // a failed read shows there
    });
}

void TLogSetForm::findControls() {
    Panel1 = control<forms::Panel>("Panel1");
    Panel2 = control<forms::Panel>("Panel2");
    GroupBox1 = control<forms::GroupBox>("GroupBox1");
    StatusBar1 = control<forms::StatusBar>("StatusBar1");
    Button1 = control<forms::Button>("Button1");
    Button2 = control<forms::Button>("Button2");
    Label2 = control<forms::Label>("Label2");
    GroupBox2 = control<forms::GroupBox>("GroupBox2");
    SysLevCeBox = control<forms::CheckBox>("SysLevCeBox");
    WirelessLevCeBox = control<forms::CheckBox>("WirelessLevCeBox");
    NoticeLevCeBox = control<forms::CheckBox>("NoticeLevCeBox");
    LocalStateComBox = control<forms::ComboBox>("LocalStateComBox");
    RemoteStateComBox = control<forms::ComboBox>("RemoteStateComBox");
    LogServerEdit = control<forms::Edit>("LogServerEdit");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
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
    logSetRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) { ApplyDone(error); };
    guard([this] { logSetRequest->set(false, true); });
}

void TLogSetForm::ApplyDone(HvSNMPError* error) {
    if (error->code != 0) {
        StatusBar1->setSimpleText(QStringLiteral("Set Error!"));
        return;
    }
    afterSetting({.ownedByPage = false, .result = QStringLiteral("Set Success!")});
    guarded([this] { clusterRequest->get(); });
}
