#include "pages/admin/Cfghis.h"

#include <functional>

#include <QFile>
#include <QFileInfo>

#include "module/FileRoad.h"
#include "module/Main.h"
#include "module/Misc.h"

QPointer<TFM_CfgFile> FM_CfgFile;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TFM_CfgFile::TFM_CfgFile(TMainForm& mainForm, QWidget* owner)
    : HvPage(mainForm, owner), tftp(*this, mainForm) {
    buildLayout(CfghisLayout);
    findControls();
    Ed_SaveFile->setBackgroundRole(QPalette::Button);
    Bt_Browse->OnClick = [this](QObject* s) { Bt_BrowseClick(s); };
    Bt_SavBrw->OnClick = [this](QObject* s) { Bt_SavBrwClick(s); };
    Bt_OK->OnClick = [this](QObject* s) { Bt_OKClick(s); };
    Bt_Upload->OnClick = [this](QObject* s) { Bt_UploadClick(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    setResultControl(StatusBar);
    create([this] { buildRequests(); }, {Bt_OK, Bt_Upload});
    if (!tftp.start(std::string(), 300, std::bind_front(&TFM_CfgFile::OnTftpStatus, this))) {
        Bt_OK->setEnabled(false);
        Bt_Upload->setEnabled(false);
    }
}

void TFM_CfgFile::findControls() {
    La_TftpSrv = control<forms::Label>("La_TftpSrv");
    Ed_TfpSrv = control<forms::Edit>("Ed_TfpSrv");
    OD_File = control<forms::OpenDialog>("OD_File");
    GB_UpdateFile = control<forms::GroupBox>("GB_UpdateFile");
    Label3 = control<forms::Label>("Label3");
    Ed_UpgFile = control<forms::Edit>("Ed_UpgFile");
    Bt_Browse = control<forms::Button>("Bt_Browse");
    Bt_OK = control<forms::Button>("Bt_OK");
    La_UpgrdComm = control<forms::Label>("La_UpgrdComm");
    CB_UpgCom = control<forms::ComboBox>("CB_UpgCom");
    CB_TfpCom = control<forms::ComboBox>("CB_TfpCom");
    La_UpComm = control<forms::Label>("La_UpComm");
    Label1 = control<forms::Label>("Label1");
    GB_SaveFile = control<forms::GroupBox>("GB_SaveFile");
    Label4 = control<forms::Label>("Label4");
    Ed_SaveFile = control<forms::Edit>("Ed_SaveFile");
    Bt_SavBrw = control<forms::Button>("Bt_SavBrw");
    Bt_Upload = control<forms::Button>("Bt_Upload");
    StatusBar = control<forms::StatusBar>("StatusBar");
    OD_SaveFile = control<forms::SaveDialog>("OD_SaveFile");
    CB_Clus = control<forms::ComboBox>("CB_Clus");
}

void TFM_CfgFile::buildRequests() {
    serverFileRequest = makeRequest(kMibT046, SVT_SV, 0);
    serverFileRequest->addEdit(0, "%s", {Ed_TfpSrv});
    serverFileRequest->addEdit(1, "%s", {Ed_UpgFile});

    upgradeCommandRequest = makeRequest(kMibT048, SVT_SV, 0, true, 30000);
    upgradeCommandRequest->addComboBox(0, CB_UpgCom);

    // A repeated command would have the device transfer the file a second time.
    tftpCommandRequest = makeRequest(kMibT047, SVT_SV, 0, false, 10000, 0);
    tftpCommandRequest->addComboBox(0, CB_TfpCom);
    tftpCommandRequest->setStatusBar(StatusBar);
    tftpCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
        TftpCommandDone(error);
    };

    clusterRequest = bindClusterState(CB_Clus, false, [this] { ClusterStateDone(); });
    clusterRequest->setStatusBar(StatusBar);  // the page's first read: its failure shows there
}

void TFM_CfgFile::ClusterStateDone() {
    if (m_direction == Direction::None) enableButtons();
}

void TFM_CfgFile::enableButtons() {
    Bt_OK->setEnabled(created() && tftp.running() && !joined());
    Bt_Upload->setEnabled(created() && tftp.running());
    Bt_Browse->setEnabled(true);
}

void TFM_CfgFile::Bt_BrowseClick(QObject*) {
    if (!OD_File->execute()) return;
    Ed_SaveFile->setText(QString());
    Ed_UpgFile->setText(OD_File->fileName());
}

void TFM_CfgFile::Bt_SavBrwClick(QObject*) {
    if (OD_SaveFile->execute()) Ed_SaveFile->setText(OD_SaveFile->fileName());
}

void TFM_CfgFile::warn(const QString& text) {
    forms::Application::messageBox(this, text, QStringLiteral("Warning"), forms::MB_OK);
}

bool TFM_CfgFile::prepare(const std::string& path, int32_t kind) {
    const FileRoad::SplitPath split = FileRoad::Split(path);
    tftp.arm(split.folder, kind, split.name);
    m_expectedName = split.name;
    Ed_UpgFile->setText(q(split.name));
    bool ok = false;
    guarded([&] { ok = serverFileRequest->set(false, true); });
    return ok;
}

void TFM_CfgFile::Bt_OKClick(QObject*) {
    if (!created() || !tftp.running() || m_direction != Direction::None) return;
    const std::string path = Ed_UpgFile->text().toStdString();
    switch (FileRoad::CheckConfigPath(path)) {
        case FileRoad::PathVerdict::Empty:
            warn(QStringLiteral("Empty file is not accepted."));
            return;
        case FileRoad::PathVerdict::Ok:
            break;
        default:
            warn(QStringLiteral("File format error! Please try again!"));
            return;
    }
    if (!tftp.checkAddressAndPath(Ed_TfpSrv, StatusBar, path)) return;
    m_direction = Direction::Update;
    Bt_OK->setEnabled(false);
    Bt_Upload->setEnabled(false);
    Bt_Browse->setEnabled(false);
    const bool sent = prepare(path, HvTFTP_Read);
    Ed_UpgFile->setText(q(path));
    if (!sent) {
        finish(Direction::Update, false);
        return;
    }
    CB_TfpCom->setItemIndex(1);
    if (!guarded([this] { tftpCommandRequest->set(false, true); })) finish(Direction::Update, false);
}

void TFM_CfgFile::Bt_UploadClick(QObject*) {
    if (!created() || !tftp.running() || m_direction != Direction::None) return;
    if (OD_SaveFile->execute()) {
        Ed_SaveFile->setText(QString());
        Ed_SaveFile->setText(OD_SaveFile->fileName());
    }
    if (Ed_SaveFile->text().isEmpty()) return;
    const std::string path = FileRoad::SavePath(Ed_SaveFile->text().toStdString());
    Ed_SaveFile->setText(q(path));
    if (!tftp.checkAddressAndPath(Ed_TfpSrv, StatusBar, path)) return;
    m_direction = Direction::Save;
    m_arrival = Arrival::None;
    m_answeredOk = false;
    m_savePath = path;
    Bt_OK->setEnabled(false);
    Bt_Upload->setEnabled(false);
    Bt_Browse->setEnabled(false);
    const bool existed = QFileInfo::exists(q(path));
    m_newFile = !existed;
    bool sent = prepare(path, HvTFTP_Write);
    if (sent) {
        CB_TfpCom->setItemIndex(2);
        sent = guarded([this] { tftpCommandRequest->set(false, true); });
    }
    Ed_UpgFile->setText(QString());
    Ed_SaveFile->setText(QString());
    if (!sent) finish(Direction::Save, false);
}

void TFM_CfgFile::OnTftpStatus(const HvTFTPMsg& msg, bool&) {
    if (m_direction != Direction::Save || msg.kind != HvTFTP_Write || msg.fileName != m_expectedName) return;
    if (m_arrival == Arrival::Arrived || m_arrival == Arrival::Failed) return;
    if (msg.status == HvTFTP_Connected || msg.status == HvTFTP_Transferring) {
        m_arrival = Arrival::Running;
    } else if (msg.status == HvTFTP_Success) {
        m_arrival = Arrival::Arrived;
        // A saved configuration holds the device's passwords and keys.
        if (m_newFile) QFile::setPermissions(q(m_savePath), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (m_answeredOk) finish(Direction::Save, true, true);
    } else if (msg.status < 0) {
        m_arrival = Arrival::Failed;
        if (m_answeredOk) finish(Direction::Save, false, true);
    }
}

void TFM_CfgFile::TftpCommandDone(HvSNMPError* error) {
    const Direction direction = m_direction;
    if (direction == Direction::Save) {
        if (error->code != 0) {
            finish(direction, false);
        } else if (m_arrival == Arrival::Arrived) {
            finish(direction, true);
        } else if (m_arrival == Arrival::Running) {
            // The answer overtook the end of the transfer: the file decides.
            m_answeredOk = true;
        } else {
            finish(direction, false);
        }
        return;
    }
    if (direction != Direction::Update) return;
    if (error->code != 0) {
        finish(direction, false);
        return;
    }
    tftp.disarm();
    CB_UpgCom->setItemIndex(2);
    bool ok = false;
    guarded([&] { ok = upgradeCommandRequest->set(false, true); });
    if (!ok) {
        finish(Direction::Update, false);
        return;
    }
    m_direction = Direction::None;
    showWaiting({.ownedByPage = false, .rebootDelay = 5, .label3 = QStringLiteral("Waiting for reboot...")});
    enableButtons();
}

void TFM_CfgFile::finish(Direction direction, bool ok, bool fromServer) {
    m_direction = Direction::None;
    m_answeredOk = false;
    tftp.disarm();
    enableButtons();
    QString text, title;
    if (direction == Direction::Save) {
        text = ok ? QStringLiteral("The configuration file saved successfully!")
                  : QStringLiteral("Fail to save the configuration file!");
        title = ok ? QStringLiteral("OK") : QStringLiteral("ERROR");
    } else {
        text = QStringLiteral("The configuration file updated fail!");
        title = QStringLiteral("ERROR");
    }
    if (fromServer)
        postMessage([this, text, title] { forms::Application::messageBox(this, text, title, forms::MB_OK); });
    else
        forms::Application::messageBox(this, text, title, forms::MB_OK);
}

void TFM_CfgFile::FormCloseQuery(QObject*, bool& canClose) {
    canClose = true;
    tftp.stop();
}
