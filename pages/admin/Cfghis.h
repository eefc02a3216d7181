#pragma once

// Unit Cfghis: the page "Tools \ Configuration File". It restores the device's configuration from a
// ".dcf" file on the PC (update) and saves it into one (save), through the page's own TFTP server.

#include <QPointer>

#include <memory>
#include <string>

#include "library/HvTFTPServer.h"
#include "library/bind/HvSNMPRequest2Edits.h"
#include "module/HvPageTftp.h"
#include "platform/forms/Forms.h"

class TMainForm;

class TFM_CfgFile : public forms::Form {
public:
    TFM_CfgFile(QWidget* owner, TMainForm* mainForm);
    ~TFM_CfgFile() override;

    forms::Label* La_TftpSrv = nullptr;
    forms::Edit* Ed_TfpSrv = nullptr;
    forms::OpenDialog* OD_File = nullptr;
    forms::GroupBox* GB_UpdateFile = nullptr;
    forms::Label* Label3 = nullptr;
    forms::Edit* Ed_UpgFile = nullptr;
    forms::Button* Bt_Browse = nullptr;
    forms::Button* Bt_OK = nullptr;
    forms::Label* La_UpgrdComm = nullptr;
    forms::ComboBox* CB_UpgCom = nullptr;
    forms::ComboBox* CB_TfpCom = nullptr;
    forms::Label* La_UpComm = nullptr;
    forms::Label* Label1 = nullptr;
    forms::GroupBox* GB_SaveFile = nullptr;
    forms::Label* Label4 = nullptr;
    forms::Edit* Ed_SaveFile = nullptr;
    forms::Button* Bt_SavBrw = nullptr;
    forms::Button* Bt_Upload = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::SaveDialog* OD_SaveFile = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    std::unique_ptr<HvSNMPRequest2Edits> serverFileRequest;
    std::unique_ptr<HvSNMPRequest2Edits> upgradeCommandRequest;
    std::unique_ptr<HvSNMPRequest2Edits> tftpCommandRequest;
    std::unique_ptr<HvSNMPRequest2Edits> clusterRequest;
    HvPageTftp tftp;

    // The direction of the transfer under way, kept with the transfer itself: a second one cannot
    // start while it runs, so its completion always reads its own direction.
    enum class Direction { None, Update, Save };
    Direction direction() const { return m_direction; }

    void Bt_BrowseClick(QObject* sender);
    void Bt_SavBrwClick(QObject* sender);
    void Bt_OKClick(QObject* sender);
    void Bt_UploadClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void OnTftpStatus(const HvTFTPMsg& msg, bool& cancel);
    void ClusterStateDone();
    void TftpCommandDone(HvSNMPError* error);

private:
    void FormCreate();
    void warn(const QString& text);
    bool prepare(const std::string& path, int32_t kind);
    void finish(Direction direction, bool ok);
    void enableButtons();

    TMainForm* m_mainForm;
    Direction m_direction = Direction::None;
    // The save under way: the file it is written to and how its transfer stands.
    enum class Arrival { None, Running, Arrived, Failed };
    Arrival m_arrival = Arrival::None;
    std::string m_savePath;
    std::string m_expectedName;
    bool m_newFile = false;     // the save creates the file rather than replacing one
    bool m_answeredOk = false;  // the device answered the save's command, waiting for the file
    bool m_clusterJoined = false;
};

extern QPointer<TFM_CfgFile> FM_CfgFile;
