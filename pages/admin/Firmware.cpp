#include "pages/admin/Firmware.h"

#include <functional>

#include "module/FileRoad.h"
#include "module/Main.h"
#include "module/Misc.h"

QPointer<TFM_Firmware> FM_Firmware;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TFM_Firmware::TFM_Firmware(TMainForm& mainForm, QWidget* owner)
    : HvPage(mainForm, owner), tftp(*this, mainForm) {
    buildLayout(FirmwareLayout);
    findControls();
    Bt_OK->OnClick = [this](QObject* s) { Bt_OKClick(s); };
    Bt_Browse->OnClick = [this](QObject* s) { Bt_BrowseClick(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    setResultControl(StatusBar);
    create([this] { buildRequests(); }, {Bt_OK});
    // Without the server the device has nothing to fetch; the program itself goes on.
    if (!tftp.start(std::string(), 3000, std::bind_front(&TFM_Firmware::OnTftpStatus, this)))
        Bt_OK->setEnabled(false);
}

void TFM_Firmware::findControls() {
    La_TftpSrv = control<forms::Label>("La_TftpSrv");
    La_File = control<forms::Label>("La_File");
    La_UpComm = control<forms::Label>("La_UpComm");
    Ed_TfpSrv = control<forms::Edit>("Ed_TfpSrv");
    CB_TfpCom = control<forms::ComboBox>("CB_TfpCom");
    CB_UpgCom = control<forms::ComboBox>("CB_UpgCom");
    La_UpgrdComm = control<forms::Label>("La_UpgrdComm");
    Bt_OK = control<forms::Button>("Bt_OK");
    StatusBar = control<forms::StatusBar>("StatusBar");
    Bt_Browse = control<forms::Button>("Bt_Browse");
    OD_File = control<forms::OpenDialog>("OD_File");
    Ed_UpgFile = control<forms::Edit>("Ed_UpgFile");
    StatusBar2 = control<forms::StatusBar>("StatusBar2");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
    StatusBar1 = control<forms::Panel>("StatusBar1");
}

void TFM_Firmware::buildRequests() {
    serverFileRequest = makeRequest(kMibT045, SVT_SV, 0, false);
    serverFileRequest->addEdit(0, "%s", {Ed_TfpSrv});
    serverFileRequest->addEdit(1, "%s", {Ed_UpgFile});
    serverFileRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        if (m_stage != Stage::SendingServer) return;
        if (error->code != 0) {
            TftpCommandDone(error);
            return;
        }
        // Only now is the device told to fetch: it must fetch the name just set.
        m_stage = Stage::Fetching;
        CB_TfpCom->setItemIndex(1);
        if (!guarded([this] { tftpCommandRequest->set(false, true); })) failChain();
    };

    // A repeated command would have the device fetch the file a second time.
    tftpCommandRequest = makeRequest(kMibT047, SVT_SV, 0, false, 15000, 0);
    tftpCommandRequest->addComboBox(0, CB_TfpCom);
    tftpCommandRequest->setStatusBar(StatusBar);
    tftpCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        TftpCommandDone(error);
    };

    upgradeCommandRequest = makeRequest(kMibT048, SVT_SV, 0, false, 30000);
    upgradeCommandRequest->addComboBox(0, CB_UpgCom);
    upgradeCommandRequest->setStatusBar(StatusBar2);
    upgradeCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        UpgradeCommandDone(error);
    };

    clusterRequest = bindClusterState(CB_Clus, false, [this] { ClusterStateDone(); });
    clusterRequest->setStatusBar(StatusBar);  // the page's first read: its failure shows there
}

void TFM_Firmware::ClusterStateDone() {
    if (m_stage == Stage::Idle || m_stage == Stage::Done) Bt_OK->setEnabled(tftp.running() && !joined());
}

void TFM_Firmware::Bt_BrowseClick(QObject*) {
    if (OD_File->execute()) Ed_UpgFile->setText(OD_File->fileName());
}

void TFM_Firmware::warn(const QString& text) {
    forms::Application::messageBox(this, text, QStringLiteral("Warning"), forms::MB_OK);
}

void TFM_Firmware::Bt_OKClick(QObject*) {
    if (!created() || !tftp.running() || (m_stage != Stage::Idle && m_stage != Stage::Done)) return;
    const std::string path = Ed_UpgFile->text().toStdString();
    switch (FileRoad::CheckFirmwarePath(path)) {
        case FileRoad::PathVerdict::Empty:
            warn(QStringLiteral("Please put in the firmware file & path."));
            return;
        case FileRoad::PathVerdict::BadName:
        case FileRoad::PathVerdict::Missing:
            warn(QStringLiteral("Please put in valid firmware file & path."));
            return;
        default:
            break;
    }
    if (!tftp.checkAddressAndPath(Ed_TfpSrv, StatusBar, path)) return;
    const FileRoad::SplitPath split = FileRoad::Split(path);
    tftp.arm(split.folder, HvTFTP_Read, split.name);

    upgradeStarted = true;
    m_stage = Stage::SendingServer;
    Bt_OK->setEnabled(false);
    Bt_Browse->setEnabled(false);
    Ed_UpgFile->setText(q(split.name));
    const bool sent = guarded([this] { serverFileRequest->set(false, true); });
    Ed_UpgFile->setText(q(path));
    if (!sent) failChain();
}

void TFM_Firmware::OnTftpStatus(const HvTFTPMsg&, bool&) {}

void TFM_Firmware::endChain() {
    tftp.disarm();
    m_stage = Stage::Done;
    Bt_Browse->setEnabled(true);
    Bt_OK->setEnabled(created() && tftp.running() && !joined());
}

void TFM_Firmware::failChain() {
    endChain();
    warn(QStringLiteral("Cant Perform Operation,Please try again!"));
}

void TFM_Firmware::TftpCommandDone(HvSNMPError* error) {
    if (m_stage != Stage::Fetching && m_stage != Stage::SendingServer) return;
    const HvSNMPError outcome = *error;
    if (outcome.code != 0) {
        failChain();
        StatusBar->setSimpleText(q(outcome.message));
        return;
    }
    tftp.disarm();
    StatusBar->setSimpleText(q(outcome.message + "!"));
    m_stage = Stage::Loading;
    RunUpgradeWait();
}

void TFM_Firmware::RunUpgradeWait() {
    if (!upgradeStarted || m_stage != Stage::Loading) return;
    showWaiting({.ownedByPage = false,
                 .waitTicks = 5,
                 .sendReboot = false,
                 .label3 = QStringLiteral("Loading firmware file...")});

    m_stage = Stage::Flashing;
    CB_UpgCom->setItemIndex(0);
    if (!guarded([this] { upgradeCommandRequest->set(false, true); })) {
        endChain();
        return;
    }

    showWaiting({.ownedByPage = false,
                 .waitTicks = 40,
                 .sendReboot = false,
                 .label3 = QStringLiteral("Updating firmware file...")});
    upgradeCommandRequest->request.timeout = kRebootTimeout;
}

void TFM_Firmware::UpgradeCommandDone(HvSNMPError* error) {
    if (m_stage == Stage::Flashing) {
        if (error->code != 0) {
            StatusBar->setSimpleText(q(error->message));
            endChain();
            return;
        }
        StatusBar->setSimpleText(q(error->message + "!"));
        // One restart, sent once: a device that is restarting does not answer, and a repeated
        // command could reach it when it is back and restart it again.
        m_stage = Stage::Rebooting;
        CB_UpgCom->setItemIndex(3);
        upgradeCommandRequest->request.timeout = kRebootTimeout;
        upgradeCommandRequest->request.retries = 0;
        if (!guarded([this] { upgradeCommandRequest->set(false, true); })) {
            endChain();
            forms::Application::messageBox(this, QStringLiteral("Set error!"), forms::Application::title(),
                                           forms::MB_OK);
        }
        return;
    }
    if (m_stage == Stage::Rebooting) {
        StatusBar->setSimpleText(q(error->code == 0 ? error->message + "!" : error->message));
        endChain();
    }
}

void TFM_Firmware::FormCloseQuery(QObject*, bool& canClose) {
    canClose = true;
    tftp.stop();
}
