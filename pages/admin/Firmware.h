#pragma once

// Unit Firmware: the page "Tools \ Firmware". The page serves the chosen firmware file with its own
// TFTP server, tells the device where to fetch it, and drives it through fetching, flashing and one
// restart.

#include <QPointer>

#include <string>

#include "library/HvTFTPServer.h"
#include "module/HvPage.h"
#include "module/HvPageTftp.h"

// The page's controls and their places.
extern const forms::FormLayout FirmwareLayout;

class TFM_Firmware : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Firmware(TMainForm& mainForm, QWidget* owner = nullptr);

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
    forms::Panel* StatusBar1 = nullptr;

    // The page's requests (it owns them).
    HvSNMPRequest2Edits* serverFileRequest = nullptr;
    HvSNMPRequest2Edits* tftpCommandRequest = nullptr;
    HvSNMPRequest2Edits* upgradeCommandRequest = nullptr;
    HvSNMPRequest2Edits* clusterRequest = nullptr;
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
    void findControls();
    void buildRequests();
    void warn(const QString& text);
    void endChain();
    // The chain ended by a failure: the box that says so.
    void failChain();

    Stage m_stage = Stage::Idle;
};

extern QPointer<TFM_Firmware> FM_Firmware;
