#pragma once

// Unit Systemlog: the page "Status \ Log". It has the device send its system log by TFTP into a file
// of this instance's own, shows its lines, clears the device's log and opens the log settings.

#include <QPointer>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "library/HvTFTPServer.h"
#include "module/HvPage.h"
#include "module/HvPageTftp.h"

class TLogSetForm;

// The page's controls and their places at its designed size.
extern const forms::FormLayout SystemlogLayout;

class TLogForm : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TLogForm(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::Panel* Panel1 = nullptr;
    forms::Panel* Panel2 = nullptr;
    forms::GroupBox* ViewGrpBox = nullptr;
    forms::ListView* ViewListView = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;
    forms::Edit* ServerEdit = nullptr;
    forms::Edit* FileNameEdit = nullptr;
    forms::ComboBox* GetCoBox = nullptr;
    forms::ComboBox* Bt_Clear = nullptr;
    forms::Timer* Timer1 = nullptr;
    forms::Panel* Panel3 = nullptr;
    forms::Button* Clear_Btn = nullptr;
    forms::Button* SetBtn = nullptr;
    forms::Button* GetBtn = nullptr;
    forms::Button* CloseBtn = nullptr;

    // The lines of the loaded file (the hidden list box of the form).
    std::vector<std::string> LBLog;

    // The page's requests (it owns them); logSetRequest is bound to the settings dialog's controls.
    HvSNMPRequest2Edits* getLogRequest = nullptr;
    HvSNMPRequest2Edits* logSetRequest = nullptr;
    HvSNMPRequest2Edits* clearRequest = nullptr;
    HvPageTftp tftp;
    TLogSetForm* logSetForm = nullptr;
    int countdown = 0;
    // Where the received log lies: a folder of this page's own, so no earlier run and no other
    // device's module can leave a file there that would be shown as this device's log.
    std::string LogFilePath;

    void FormResize(QObject* sender);
    void GetBtnClick(QObject* sender);
    void Timer1Timer(QObject* sender);
    bool LoadLogFile(const std::string& path);
    void Clear_BtnClick(QObject* sender);
    void SetBtnClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void OnTftpStatus(const HvTFTPMsg& msg, bool& cancel);

    // The name the device is told to write the log under, relative to the server's root.
    static constexpr const char* kLogFileName = "LogFile.RD";
    // Ticks of Timer1 to wait for the device to start sending its log.
    static constexpr int kStartTicks = 20;

private:
    void findControls();
    void buildRequests();
    void finishGet(bool arrived);

    QTemporaryDir m_dir;
    bool m_waiting = false;       // a log has been asked for and has not arrived
    bool m_transferring = false;  // the device has started sending it
};

extern QPointer<TLogForm> LogForm;
