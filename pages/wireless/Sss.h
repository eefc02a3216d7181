#pragma once

// Unit Sss: the dialog "Security Server Settings", opened from the wireless security page. It reads
// and writes the DNS and RADIUS servers that the enterprise authentications need, and tells the
// page that opened it once the device has taken them.

#include <functional>

#include "module/HvPage.h"

class TFM_SSS : public HvPage {
public:
    // applied runs when a write of the servers has succeeded, and only then: the security page
    // counts the servers as set from the device's answer, not from the click.
    TFM_SSS(TMainForm& mainForm, std::function<void()> applied, QWidget* owner = nullptr);

    forms::GroupBox* GB_SSS = nullptr;
    forms::Edit* Ed_DNSIP = nullptr;
    forms::Edit* Ed_DNS = nullptr;
    forms::Edit* Ed_RadiusSrv = nullptr;
    forms::Edit* Ed_RadiusPort = nullptr;
    forms::Edit* Ed_RadiusSec = nullptr;
    forms::Button* Bt_Apply = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    HvSNMPRequest2Edits* reqServers = nullptr;
    // The write's time-out, in 10 ms units: the device may take long to take the servers.
    static constexpr int32_t kWriteTimeout = 5000;

    void FormCreate();
    void Bt_ApplyClick(QObject* sender);
    // Runs after a successful write, inside its completion: the close waits for the modal loop.
    void CloseSSSForm();

private:
    // Apply is offered only while no read or write of the servers is out.
    void updateApply();

    std::function<void()> m_applied;
    bool m_read = false;  // the first read came back: the fields show the device's servers
};
