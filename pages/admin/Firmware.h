#pragma once

// Unit Firmware: the page "Tools \ Firmware". The page serves the chosen firmware file with its own
// TFTP server, tells the device where to fetch it, and drives it through fetching, flashing and one
// restart.

#include <QPointer>

#include <memory>
#include <string>

#include "library/HvTFTPServer.h"
#include "library/bind/HvSNMPRequest2Edits.h"
#include "module/HvPageTftp.h"
#include "platform/forms/Forms.h"

class TMainForm;

class TFM_Firmware : public forms::Form {
public:
    TFM_Firmware(QWidget* owner, TMainForm* mainForm);
    ~TFM_Firmware() override;

    forms::Label* La_TftpSrv = nullptr;
    forms::Label* La_File = nullptr;
    forms::Label* La_UpComm = nullptr;
    forms::Edit* Ed_TfpSrv = nullptr;
    forms::ComboBox* CB_TfpCom = nullptr;
    forms::ComboBox* CB_UpgCom = nullptr;
    forms::Label* La_UpgrdComm = nullptr;
    forms::Button* Bt_OK = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::Button* Bt_Browse = nullptr;
    forms::OpenDialog* OD_File = nullptr;
    forms::Edit* Ed_UpgFile = nullptr;
    forms::StatusBar* StatusBar2 = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;

    std::unique_ptr<HvSNMPRequest2Edits> serverFileRequest;
    std::unique_ptr<HvSNMPRequest2Edits> tftpCommandRequest;
    std::unique_ptr<HvSNMPRequest2Edits> upgradeCommandRequest;
    std::unique_ptr<HvSNMPRequest2Edits> clusterRequest;
    HvPageTftp tftp;
    bool upgradeStarted = false;

    // Where the upgrade stands. Each stage is left by the answer it waits for.
    enum class Stage { Idle, SendingServer, Fetching, Loading, Flashing, Rebooting, Done };
    Stage stage() const { return m_stage; }

    void Bt_BrowseClick(QObject* sender);
    void Bt_OKClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void OnTftpStatus(const HvTFTPMsg& msg, bool& cancel);
    void ClusterStateDone();
    void TftpCommandDone(HvSNMPError* error);
    void RunUpgradeWait();
    void UpgradeCommandDone(HvSNMPError* error);

    // The Reboot set's time-out (10 ms units): the device that has flashed answers at once, one that
    // is restarting does not answer at all.
    static constexpr int32_t kRebootTimeout = 200;

private:
    void FormCreate();
    void warn(const QString& text);
    void endChain();
    void sendServerFile();

    TMainForm* m_mainForm;
    Stage m_stage = Stage::Idle;
    bool m_clusterJoined = false;
};

extern QPointer<TFM_Firmware> FM_Firmware;
