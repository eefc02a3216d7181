#pragma once

// The TFTP server of a file page (firmware, configuration file, system log): started when the page
// opens, armed for the one transfer the page expects and for the device only, disarmed when it has
// ended. Also the two checks every file page makes before it tells the device where to go: the PC
// address in the device's network, then the path.

#include <QString>

#include <memory>
#include <string>

#include "library/HvTFTPServer.h"
#include "platform/forms/Forms.h"

class TMainForm;

// The PC's address in the device's network, from the main window's address and mask as they stand
// (a main window that has emptied them while it probes again gives no network, never an older
// one). Written into edit; false, with edit untouched, when there is none.
bool FindLocalAddress(forms::Edit* edit, TMainForm& mainForm);

class HvPageTftp {
public:
    // Shown in the page's status bar when no address of the PC lies in the device's network.
    static const char* const kNoAddress;

    HvPageTftp(forms::Form& page, TMainForm& mainForm);
    ~HvPageTftp();
    HvPageTftp(const HvPageTftp&) = delete;
    HvPageTftp& operator=(const HvPageTftp&) = delete;

    // Starts the server rooted at root (empty: none yet). One that cannot start is reported in a box
    // ("TFTP Service Init Error:" and the reason) and not kept; the page goes on without it.
    bool start(const std::string& root, int timeoutMs, HvTFTPStatusCallback onStatus);
    // The same box, for a page that cannot even name a root.
    void reportInitError(const QString& reason);
    bool running() const { return m_server != nullptr; }
    HvTFTPServer* server() const { return m_server; }

    // serverEdit emptied, then the PC address into it (false and kNoAddress in status otherwise),
    // then the path a server can be rooted at (false and "The file path is error." otherwise).
    bool checkAddressAndPath(forms::Edit* serverEdit, forms::StatusBar* status, const std::string& path);
    // The server hands out or takes only name, in kind's direction, from the device only; restarted
    // at folder first unless folder is empty.
    void arm(const std::string& folder, int32_t kind, const std::string& name);
    void disarm();
    void stop();

private:
    forms::Form& m_page;
    TMainForm& m_main;
    HvTFTPServer* m_server = nullptr;  // a child of the page
};
