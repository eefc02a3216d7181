#pragma once

// Unit Admin2: the page "Tools \ Admin" of firmwares that manage their own administrator limits. It
// changes the login account, limits the management addresses and VLAN, chooses the console protocol
// and its idle timeout, and writes back the trap settings. The device restarts after an Apply.

#include <optional>

#include <QPointer>

#include "pages/admin/Admin2Rules.h"
#include "module/AdminAccountPage.h"

class TFM_AdminNew : public AdminAccountPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_AdminNew(TMainForm& mainForm, QWidget* owner = nullptr);

    // Published components beside the account's (layout in Admin2Layout.cpp).
    forms::Label* LB_AdminSet = nullptr;
    forms::CheckBox* CkBx_ManagerState = nullptr;
    forms::Edit* Ed_IP1 = nullptr;
    forms::Edit* Ed_IP2 = nullptr;
    forms::CheckBox* CB_LimitVID = nullptr;
    forms::Label* La_LimitVID = nullptr;
    forms::Edit* Ed_Vid = nullptr;
    forms::RadioButton* RB_None = nullptr;
    forms::RadioButton* RB_Telnet = nullptr;
    forms::RadioButton* RB_SHH = nullptr;
    forms::ComboBox* CB_Timeout = nullptr;
    forms::GroupBox* GB_SNMP = nullptr;
    forms::Edit* Ed_TrapServIP = nullptr;
    forms::CheckBox* CkBx_LBS = nullptr;
    // Hidden carriers of device values.
    forms::ComboBox* CB_Telnet = nullptr;
    forms::ComboBox* CB_SHH = nullptr;
    forms::ComboBox* CB_VLanState = nullptr;

    // The requests, in the order they are made (accountRequest sixth); null until the creation step
    // has built them.
    HvSNMPRequest2Edits* consoleRequest = nullptr;
    HvSNMPRequest2Edits* sshRequest = nullptr;
    HvSNMPRequest2Edits* managerIpRequest = nullptr;
    HvSNMPRequest2Edits* vlanStateRequest = nullptr;
    HvSNMPRequest2Edits* managerVlanRequest = nullptr;
    HvSNMPRequest2Edits* managerIpStateRequest = nullptr;
    HvSNMPRequest2Edits* trapRequest = nullptr;

    // The manager VLAN read succeeded: its controls show and an Apply writes it.
    uint8_t vlanIdSupported = 0;
    // CkBx_ManagerState is checked: an Apply writes the manager addresses.
    uint8_t managerIpsToWrite = 0;

    // Handlers.
    void FormCreate();
    void OKClick(QObject* sender);
    void CancelClick(QObject* sender);
    void RB_NoneClick(QObject* sender);
    void CkBx_ManagerStateClick(QObject* sender);
    void CB_LimitVIDClick(QObject* sender);
    void CkBx_LBSClick(QObject* sender);
    void OnManagerIPStatusRead();
    void OnTrapRead();
    void UpdateManagerIPFields();
    void SetEditLimits();
    void ShowConsoleChoice();

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    // An asynchronous read's end: the request answers synchronously from now on, so that an Apply
    // learns each write's outcome before the next; Apply waits for both reads.
    void asyncReadDone(HvSNMPRequest2Edits* request, bool ok, bool& readFlag);
    void updateApplyEnabled();
    Admin2Rules::Console chosenConsole() const;
    bool timeoutOffered(Admin2Rules::Console c) const;
    bool refuse(const Admin2Rules::Refusal& r);
    bool write(Admin2Rules::Write w);
    // The consoles as read when the page opened, written back once after a failed console write.
    void restoreConsoles();

    bool m_ipStateRead = false;
    bool m_trapRead = false;
    // Each console's switch as read when the page opened; empty when its read failed.
    struct ConsoleRead {
        int telnet = -1;
        int timeout = -1;
    };
    std::optional<ConsoleRead> m_consoleRead;
    std::optional<int> m_sshRead;
};

extern QPointer<TFM_AdminNew> FM_AdminNew;
