#pragma once

// Unit Cfghis: the page "Tools \ Configuration File". It restores the device's configuration from a
// ".dcf" file on the PC (update) and saves it into one (save), through the page's own TFTP server.

#include <QPointer>

#include <string>

#include "library/HvTFTPServer.h"
#include "module/HvPage.h"
#include "module/HvPageTftp.h"

// The page's controls and their places.
extern const forms::FormLayout CfghisLayout;

class TFM_CfgFile : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_CfgFile(TMainForm& mainForm, QWidget* owner = nullptr);

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

    // The page's requests (it owns them).
    HvSNMPRequest2Edits* serverFileRequest = nullptr;
    HvSNMPRequest2Edits* upgradeCommandRequest = nullptr;
    HvSNMPRequest2Edits* tftpCommandRequest = nullptr;
    HvSNMPRequest2Edits* clusterRequest = nullptr;
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
    void findControls();
    void buildRequests();
    void warn(const QString& text);
    bool prepare(const std::string& path, int32_t kind);
    // Ends the transfer and says how it went. fromServer: called from the TFTP server's status
    // callback, inside the server's own frame, where no box may run its loop: the box is posted.
    void finish(Direction direction, bool ok, bool fromServer = false);
    void enableButtons();

    Direction m_direction = Direction::None;
    // The save under way: the file it is written to and how its transfer stands.
    enum class Arrival { None, Running, Arrived, Failed };
    Arrival m_arrival = Arrival::None;
    std::string m_savePath;
    std::string m_expectedName;
    bool m_newFile = false;     // the save creates the file rather than replacing one
    bool m_answeredOk = false;  // the device answered the save's command, waiting for the file
};

extern QPointer<TFM_CfgFile> FM_CfgFile;
