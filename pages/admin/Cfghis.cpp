#include "pages/admin/Cfghis.h"

#include <QFile>
#include <QFileInfo>

#include "module/FileRoad.h"
#include "module/Main.h"
#include "module/Misc.h"
#include "module/Wait.h"

QPointer<TFM_CfgFile> FM_CfgFile;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TFM_CfgFile::TFM_CfgFile(QWidget* owner, TMainForm* mainForm)
    : forms::Form(owner),
      tftp(*this, mainForm ? *mainForm : *MainForm),
      m_mainForm(mainForm ? mainForm : MainForm) {
    setCaption(QStringLiteral("Tools \\ Configuration File"));
    setClientSize(445, 166);
    setBorderStyle(BorderStyle::Single);
    setBorderIcons(true, false);
    setPosition(Position::MainFormCenter);

    La_TftpSrv = new forms::Label(QStringLiteral("Tftp Server:"), this);
    La_TftpSrv->setVisible(false);
    Ed_TfpSrv = new forms::Edit(this);
    Ed_TfpSrv->setVisible(false);
    OD_File = new forms::OpenDialog(this);
    OD_File->setFilter(QStringLiteral("*.dcf|*.dcf|*.txt|*.txt|All File|*.*"));
    GB_UpdateFile = new forms::GroupBox(QStringLiteral("Update Configuration File "), this);
    GB_UpdateFile->setBounds(0, 0, 445, 73);
    Label3 = new forms::Label(QStringLiteral("Update File"), GB_UpdateFile);
    Label3->setBounds(10, 31, 60, 16);
    Ed_UpgFile = new forms::Edit(GB_UpdateFile);
    Ed_UpgFile->setBounds(74, 28, 249, 21);
    Bt_Browse = new forms::Button(QStringLiteral("Browse"), GB_UpdateFile);
    Bt_Browse->setBounds(329, 26, 50, 25);
    Bt_OK = new forms::Button(QStringLiteral("OK"), GB_UpdateFile);
    Bt_OK->setBounds(384, 26, 50, 25);
    La_UpgrdComm = new forms::Label(QStringLiteral("UpgrdComm:"), this);
    La_UpgrdComm->setVisible(false);
    CB_UpgCom = new forms::ComboBox(this);
    CB_UpgCom->setVisible(false);
    CB_TfpCom = new forms::ComboBox(this);
    CB_TfpCom->setVisible(false);
    La_UpComm = new forms::Label(QStringLiteral("TftpComm:"), this);
    La_UpComm->setVisible(false);
    Label1 = new forms::Label(QStringLiteral("Download Configuration File "), this);
    Label1->setVisible(false);
    GB_SaveFile = new forms::GroupBox(QStringLiteral("Download Configuration  File"), this);
    GB_SaveFile->setBounds(0, 80, 445, 64);
    Label4 = new forms::Label(QStringLiteral("Load settings to Local  Hard  Drive"), GB_SaveFile);
    Label4->setBounds(10, 26, 180, 16);
    Ed_SaveFile = new forms::Edit(GB_SaveFile);
    Ed_SaveFile->setReadOnly(true);
    Ed_SaveFile->setBackgroundRole(QPalette::Button);
    Ed_SaveFile->setVisible(false);
    Bt_SavBrw = new forms::Button(QStringLiteral("Browse"), GB_SaveFile);
    Bt_SavBrw->setVisible(false);
    Bt_Upload = new forms::Button(QStringLiteral("Saved"), GB_SaveFile);
    Bt_Upload->setBounds(200, 21, 75, 25);
    StatusBar = new forms::StatusBar(this);
    StatusBar->setSimplePanel(true);
    OD_SaveFile = new forms::SaveDialog(this);
    OD_SaveFile->setFilter(QStringLiteral("*.dcf|*.dcf|*.txt|*.txt|All File|*.*"));
    CB_Clus = new forms::ComboBox(GB_UpdateFile);
    CB_Clus->setVisible(false);

    Bt_Browse->OnClick = [this](QObject* s) { Bt_BrowseClick(s); };
    Bt_SavBrw->OnClick = [this](QObject* s) { Bt_SavBrwClick(s); };
    Bt_OK->OnClick = [this](QObject* s) { Bt_OKClick(s); };
    Bt_Upload->OnClick = [this](QObject* s) { Bt_UploadClick(s); };
    OnCloseQuery = [this](QObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    FormCreate();
}

TFM_CfgFile::~TFM_CfgFile() {
    serverFileRequest.reset();
    upgradeCommandRequest.reset();
    tftpCommandRequest.reset();
    clusterRequest.reset();
}

void TFM_CfgFile::FormCreate() {
    try {
        serverFileRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        serverFileRequest->request.varList = HvSNMPVarList(kMibT046, SVT_SV, 0);
        serverFileRequest->mode = 0;
        serverFileRequest->addEdit(0, "%s", {Ed_TfpSrv});
        serverFileRequest->addEdit(1, "%s", {Ed_UpgFile});

        upgradeCommandRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        upgradeCommandRequest->request.varList = HvSNMPVarList(kMibT048, SVT_SV, 0);
        upgradeCommandRequest->mode = 0;
        upgradeCommandRequest->request.timeout = 30000;
        upgradeCommandRequest->addComboBox(0, CB_UpgCom);

        tftpCommandRequest = std::make_unique<HvSNMPRequest2Edits>(this);
        tftpCommandRequest->request.varList = HvSNMPVarList(kMibT047, SVT_SV, 0);
        tftpCommandRequest->mode = 1;
        tftpCommandRequest->request.timeout = 10000;
        // A repeated command would have the device transfer the file a second time.
        tftpCommandRequest->request.retries = 0;
        tftpCommandRequest->addComboBox(0, CB_TfpCom);
        tftpCommandRequest->setStatusBar(StatusBar);
        tftpCommandRequest->onAsyncSetDone = [this](HvSNMPRequest2Controls*, HvSNMPError* error) {
            TftpCommandDone(error);
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

    if (!tftp.start(std::string(), 300,
                    [this](const HvTFTPMsg& msg, bool& cancel) { OnTftpStatus(msg, cancel); })) {
        Bt_OK->setEnabled(false);
        Bt_Upload->setEnabled(false);
    }
}

void TFM_CfgFile::ClusterStateDone() {
    m_clusterJoined = CB_Clus->itemIndex() == 0;
    if (m_direction == Direction::None) enableButtons();
}

void TFM_CfgFile::enableButtons() {
    Bt_OK->setEnabled(tftp.running() && !m_clusterJoined);
    Bt_Upload->setEnabled(tftp.running());
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
    try {
        ok = serverFileRequest && serverFileRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
    }
    return ok;
}

void TFM_CfgFile::Bt_OKClick(QObject*) {
    if (!tftp.running() || m_direction != Direction::None) return;
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
    try {
        tftpCommandRequest->set(false, true);
    } catch (const std::exception& e) {
        StatusBar->setSimpleText(QString::fromUtf8(e.what()));
        finish(Direction::Update, false);
    }
}

void TFM_CfgFile::Bt_UploadClick(QObject*) {
    if (!tftp.running() || m_direction != Direction::None) return;
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
        try {
            tftpCommandRequest->set(false, true);
        } catch (const std::exception& e) {
            StatusBar->setSimpleText(QString::fromUtf8(e.what()));
            sent = false;
        }
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
        if (m_answeredOk) finish(Direction::Save, true);
    } else if (msg.status < 0) {
        m_arrival = Arrival::Failed;
        if (m_answeredOk) finish(Direction::Save, false);
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
    // Outside the event pump: the waiting dialog needs the main window's poll.
    postMessage([this] {
        CB_UpgCom->setItemIndex(2);
        bool ok = false;
        try {
            ok = upgradeCommandRequest && upgradeCommandRequest->set(false, true);
        } catch (const std::exception& e) {
            StatusBar->setSimpleText(QString::fromUtf8(e.what()));
        }
        if (!ok) {
            finish(Direction::Update, false);
            return;
        }
        m_direction = Direction::None;
        auto* wait = new TFM_Waiting(nullptr, *m_mainForm);
        wait->rebootDelay = 5;
        wait->Label3->setCaption(QStringLiteral("Waiting for reboot..."));
        wait->showModal();
        delete wait;
        enableButtons();
    });
}

void TFM_CfgFile::finish(Direction direction, bool ok) {
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
    postMessage([this, text, title] { forms::Application::messageBox(this, text, title, forms::MB_OK); });
}

void TFM_CfgFile::FormCloseQuery(QObject*, bool& canClose) {
    canClose = true;
    tftp.stop();
}
