#include "pages/admin/Firmware.h"

#include "module/FileRoad.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "module/Wait.h"

QPointer<TFM_Firmware> FM_Firmware;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TFM_Firmware::TFM_Firmware(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner),
      tftp(*this, mainForm ? *mainForm : *MainForm),
      m_mainForm(mainForm ? mainForm : MainForm) {
    setCaption(QStringLiteral("Tools \\ Firmware"));
    setClientSize(537, 69);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);
    setPosition(Position::MainFormCenter);

    La_TftpSrv = new forms::Label(QStringLiteral("Tftp Server:"), this);
    La_TftpSrv->setVisible(false);
    La_File = new forms::Label(QStringLiteral("Upgrade File:"), this);
    La_File->setBounds(16, 18, 70, 16);
    La_UpComm = new forms::Label(QStringLiteral("TftpComm:"), this);
    La_UpComm->setVisible(false);
    Ed_TfpSrv = new forms::Edit(this);
    Ed_TfpSrv->setVisible(false);
    CB_TfpCom = new forms::ComboBox(this);
    CB_TfpCom->setVisible(false);
    CB_UpgCom = new forms::ComboBox(this);
    CB_UpgCom->setVisible(false);
    La_UpgrdComm = new forms::Label(QStringLiteral("UpgrdComm:"), this);
    La_UpgrdComm->setVisible(false);
    Bt_OK = new forms::Button(QStringLiteral("OK"), this);
    Bt_OK->setBounds(448, 12, 75, 25);
    StatusBar = new forms::StatusBar(this);
    StatusBar->setSimplePanel(true);
    StatusBar1 = new forms::StatusBar(this);
    StatusBar1->setBounds(0, 69 - 17 - 3, 537, 3);
    Bt_Browse = new forms::Button(QStringLiteral("Browse"), this);
    Bt_Browse->setBounds(368, 12, 75, 25);
    OD_File = new forms::OpenDialog(this);
    OD_File->setFilter(QStringLiteral("*.tfp|*.tfp|*.txt|*.txt|All File|*.*"));
    Ed_UpgFile = new forms::Edit(this);
    Ed_UpgFile->setBounds(96, 14, 257, 21);
    StatusBar2 = new forms::StatusBar(this);
    StatusBar2->setVisible(false);
    CB_Clus = new forms::ComboBox(this);
    CB_Clus->setVisible(false);

    Bt_OK->OnClick = [this](QObject* s) { Bt_OKClick(s); };
    Bt_Browse->OnClick = [this](QObject* s) { Bt_BrowseClick(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    FormCreate();
}

TFM_Firmware::~TFM_Firmware() {
    serverFileRequest.reset();
    tftpCommandRequest.reset();
    upgradeCommandRequest.reset();
    clusterRequest.reset();
}

void TFM_Firmware::FormCreate() {
    try {
        serverFileRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        serverFileRequest->request.varList = HvSNMPVarList(kMibT045, SVT_SV, 0);
        serverFileRequest->mode = 1;
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
            try {
                tftpCommandRequest->set(false, true);
            } catch (const std::exception& e) {
                HvSNMPError failed;
                failed.code = -1;
                failed.message = e.what();
                TftpCommandDone(&failed);
            }
        };

        tftpCommandRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        tftpCommandRequest->request.varList = HvSNMPVarList(kMibT047, SVT_SV, 0);
        tftpCommandRequest->mode = 1;
        tftpCommandRequest->request.timeout = 15000;
        // A repeated command would have the device fetch the file a second time.
        tftpCommandRequest->request.retries = 0;
        tftpCommandRequest->addComboBox(0, CB_TfpCom);
        tftpCommandRequest->setStatusBar(StatusBar);
        tftpCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
            TftpCommandDone(error);
        };

        upgradeCommandRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        upgradeCommandRequest->request.varList = HvSNMPVarList(kMibT048, SVT_SV, 0);
        upgradeCommandRequest->mode = 1;
        upgradeCommandRequest->request.timeout = 30000;
        upgradeCommandRequest->addComboBox(0, CB_UpgCom);
        upgradeCommandRequest->setStatusBar(StatusBar2);
        upgradeCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
            UpgradeCommandDone(error);
        };

        clusterRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        clusterRequest->request.varList = HvSNMPVarList(kMibT105, MVT_SV, 0);
        clusterRequest->request.varList.item(0).access = HvAccess::Invalid;
        clusterRequest->request.varList.item(1).access = HvAccess::ReadWrite;
        clusterRequest->mode = 1;
        clusterRequest->addComboBox(1, CB_Clus);
        clusterRequest->afterGetCallback = [this] { ClusterStateDone(); };
        clusterRequest->setStatusBar(StatusBar);  // the page's first read: its failure shows there
        clusterRequest->get();
    } catch (const std::exception& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }

    // Without the server the device has nothing to fetch; the program itself goes on.
    if (!tftp.start(std::string(), 3000,
                    [this](const HvTFTPMsg& msg, bool& cancel) { OnTftpStatus(msg, cancel); }))
        Bt_OK->setEnabled(false);
}

void TFM_Firmware::ClusterStateDone() {
    m_clusterJoined = CB_Clus->itemIndex() == 0;
    if (m_stage == Stage::Idle || m_stage == Stage::Done)
        Bt_OK->setEnabled(tftp.running() && !m_clusterJoined);
}

void TFM_Firmware::Bt_BrowseClick(QObject*) {
    if (OD_File->execute()) Ed_UpgFile->setText(OD_File->fileName());
}

void TFM_Firmware::warn(const QString& text) {
    forms::Application::messageBox(this, text, QStringLiteral("Warning"), forms::MB_OK);
}

void TFM_Firmware::Bt_OKClick(QObject*) {
    if (!tftp.running() || (m_stage != Stage::Idle && m_stage != Stage::Done)) return;
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
    try {
        serverFileRequest->set(false, true);
    } catch (const std::exception& e) {
        HvSNMPError failed;
        failed.code = -1;
        failed.message = e.what();
        Ed_UpgFile->setText(q(path));
        TftpCommandDone(&failed);
        return;
    }
    Ed_UpgFile->setText(q(path));
}

void TFM_Firmware::OnTftpStatus(const HvTFTPMsg&, bool&) {}

void TFM_Firmware::endChain() {
    tftp.disarm();
    m_stage = Stage::Done;
    Bt_Browse->setEnabled(true);
    Bt_OK->setEnabled(tftp.running() && !m_clusterJoined);
}

void TFM_Firmware::TftpCommandDone(HvSNMPError* error) {
    if (m_stage != Stage::Fetching && m_stage != Stage::SendingServer) return;
    const HvSNMPError outcome = *error;
    if (outcome.code != 0) {
        endChain();
        // Outside the event pump, so the main window's poll goes on while the box is up.
        postMessage([this, outcome] {
            warn(QStringLiteral("Cant Perform Operation,Please try again!"));
            StatusBar->setSimpleText(q(outcome.message));
        });
        return;
    }
    tftp.disarm();
    StatusBar->setSimpleText(q(outcome.message + "!"));
    m_stage = Stage::Loading;
    postMessage([this] { RunUpgradeWait(); });
}

void TFM_Firmware::RunUpgradeWait() {
    if (!upgradeStarted || m_stage != Stage::Loading) return;
    auto* wait = new TFM_Waiting(nullptr, *m_mainForm);
    wait->waitTicks = 5;
    wait->sendReboot = false;
    wait->Label3->setCaption(QStringLiteral("Loading firmware file..."));
    wait->showModal();
    delete wait;

    m_stage = Stage::Flashing;
    CB_UpgCom->setItemIndex(0);
    try {
        upgradeCommandRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
        endChain();
        return;
    }

    wait = new TFM_Waiting(nullptr, *m_mainForm);
    wait->waitTicks = 40;
    wait->sendReboot = false;
    wait->Label3->setCaption(QStringLiteral("Updating firmware file..."));
    wait->showModal();
    delete wait;
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
        try {
            upgradeCommandRequest->set(false, true);
        } catch (const std::exception&) {
            endChain();
            postMessage([this] {
                forms::Application::messageBox(this, QStringLiteral("Set error!"),
                                               forms::Application::title(), forms::MB_OK);
            });
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
