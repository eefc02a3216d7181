#pragma once

// Unit Wait: the waiting dialog shown while the device restarts or takes a new firmware.
//
// Caller protocol: create it (owner: the page), optionally set waitTicks, rebootDelay, sendReboot
// = false (callers that sent their own restart or upgrade command), the caption, Label2 and Label3,
// show it modally, delete it when the modal loop returns.

#include <functional>
#include <memory>

#include "library/bind/HvSNMPRequest2Edits.h"
#include "module/WaitCountdown.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Layout.h"

class TMainForm;

// The dialog's controls and their places.
extern const forms::FormLayout WaitLayout;

class TFM_Waiting : public forms::Form {
public:
    // mainForm is the window whose status poll tells whether the device answers.
    TFM_Waiting(QWidget* owner, TMainForm& mainForm);
    ~TFM_Waiting() override;

    forms::Label* Label2 = nullptr;
    forms::Label* Label3 = nullptr;
    forms::Label* Label1 = nullptr;
    forms::Label* La_Time = nullptr;
    forms::Label* seconds = nullptr;
    forms::Edit* Ed_Reboot = nullptr;
    forms::Edit* Ed_FwVer = nullptr;
    forms::Timer* Timer1 = nullptr;

    WaitCountdown count;
    bool& rebootPending = count.rebootPending;
    int& waitTicks = count.waitTicks;
    int& extraTicks = count.extraTicks;
    bool& sendReboot = count.sendReboot;
    int& rebootDelay = count.rebootDelay;
    std::unique_ptr<HvSNMPRequest2Edits> rebootRequest;
    std::unique_ptr<HvSNMPRequest2Edits> firmwareRequest;

    // Whether the device answers: the outcome of the main window's last status poll, not the LED's
    // colour, which is black half of every blink. Tests replace it.
    std::function<bool()> deviceAnswering;

    void Timer1Timer(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);

private:
    void FormCreate();
    void sendRestart();

    TMainForm& m_mainForm;
};
