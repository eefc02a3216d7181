#include "pages/admin/System.h"

#include "module/Main.h"
#include "module/Misc.h"
#include "module/SendFlags.h"
#include "pages/admin/SystemLayout.h"

using namespace SystemRules;

QPointer<TFM_Sytem> FM_Sytem;

TFM_Sytem::TFM_Sytem(TMainForm& mainForm, QWidget* owner) : HvPage(mainForm, owner) {
    buildLayout(kSytemLayout);
    findControls();
    Button1->OnClick = [this](QObject* s) { Button1Click(s); };
    Button2->OnClick = [this](QObject* s) { Button2Click(s); };
    setResultControl(StatusBar);
    FormCreate();
}

void TFM_Sytem::findControls() {
    Label1 = control<forms::Label>("Label1");
    Button1 = control<forms::Button>("Button1");
    Label2 = control<forms::Label>("Label2");
    Button2 = control<forms::Button>("Button2");
    StatusBar = control<forms::StatusBar>("StatusBar");
    CB_Restart = control<forms::ComboBox>("CB_Restart");
    CB_Restore = control<forms::ComboBox>("CB_Restore");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
}

void TFM_Sytem::FormCreate() {
    create([this] { buildRequests(); }, {Button1, Button2});
}

void TFM_Sytem::buildRequests() {
    // The commands and the AP-domain state go out together.
    readTogether({[this] {
                      commandRequest = makeRequest(kMibT044, SVT_SV, 0);
                      commandRequest->addComboBox(kRestartItem, CB_Restart);
                      commandRequest->addComboBox(kFactoryItem, CB_Restore);
                      commandRequest->setStatusBar(StatusBar);
                      return commandRequest;
                  },
                  [this] { return clusterRequest = makeClusterState(CB_Clus, true, [this] { ClusterStateDone(); }); }});
    commandRequest->get();
    clusterRequest->get();
}

void TFM_Sytem::ClusterStateDone() {
    // The read is synchronous and calls this whatever its outcome: Restore follows what CB_Clus shows
    // then (a read that got no answer leaves it as it was).
    if (auto enabled = restoreEnabled(true, CB_Clus->itemIndex())) Button2->setEnabled(*enabled);
}

void TFM_Sytem::Button1Click(QObject*) {
    runCommand(Command::Restart);
}

void TFM_Sytem::Button2Click(QObject*) {
    runCommand(Command::FactoryDefault);
}

void TFM_Sytem::runCommand(Command command) {
    if (!created() || !commandRequest) return;
    const CommandPlan plan = commandPlan(command);
    if (forms::Application::messageBox(this, kConfirm, kConfirmCaption, forms::MB_OKCANCEL) != forms::IDOK)
        return;
    bool written = false;
    guarded([&] {
        CB_Restart->setItemIndex(plan.restartIndex);
        if (plan.restoreIndex) CB_Restore->setItemIndex(*plan.restoreIndex);
        // Both flags come back with the scope, whatever the outcome, so the next read takes both
        // objects again.
        HvSendOnly only(commandRequest->request.varList, plan.sent);
        // No re-read: the device goes silent for its restart as soon as it has answered.
        written = commandRequest->set(false, true);
    });
    // A refused command restarts nothing: the request's result line says why, and nothing is awaited.
    if (!written) return;
    showWaiting(HvWaitingFrom(waitingFor(command), false));
}
