#pragma once

// Unit Logset: the log settings dialog "Status \ Log \ Log Setting": which activities the device logs
// and the remote log server. The log page owns the request it writes; this dialog owns its controls.

#include "module/HvPage.h"

// The dialog's controls and their places.
extern const forms::FormLayout LogsetLayout;

class TLogSetForm : public HvPage {
public:
    // owner: the log page that opens it (a window of its own all the same).
    explicit TLogSetForm(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::Panel* Panel1 = nullptr;
    forms::Panel* Panel2 = nullptr;
    forms::GroupBox* GroupBox1 = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;
    forms::Button* Button1 = nullptr;
    forms::Button* Button2 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::GroupBox* GroupBox2 = nullptr;
    forms::CheckBox* SysLevCeBox = nullptr;
    forms::CheckBox* WirelessLevCeBox = nullptr;
    forms::CheckBox* NoticeLevCeBox = nullptr;
    forms::ComboBox* LocalStateComBox = nullptr;
    forms::ComboBox* RemoteStateComBox = nullptr;
    forms::Edit* LogServerEdit = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    HvSNMPRequest2Edits* clusterRequest = nullptr;  // the dialog's own
    // The log page's log-settings request, bound to this dialog's controls.
    HvSNMPRequest2Edits* logSetRequest = nullptr;

    void Button1Click(QObject* sender);
    void Button2Click(QObject* sender);
    // The outcome of Apply's write: only a write the device took restarts it.
    void ApplyDone(HvSNMPError* error);

    void selectRemoteState(bool enable);

private:
    void findControls();
};
