#pragma once

// Unit System: the page "Tools \ System". It restarts the device or restores its factory settings,
// each after the user's confirmation, and then waits for the device to come back.

#include <QPointer>

#include "module/HvPage.h"
#include "pages/admin/SystemRules.h"

class TFM_Sytem : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Sytem(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::Label* Label1 = nullptr;
    forms::Button* Button1 = nullptr;
    forms::Label* Label2 = nullptr;
    forms::Button* Button2 = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::ComboBox* CB_Restart = nullptr;
    forms::ComboBox* CB_Restore = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    // The page's requests (it owns them); null until the creation step has built them.
    HvSNMPRequest2Edits* commandRequest = nullptr;
    HvSNMPRequest2Edits* clusterRequest = nullptr;

    void FormCreate();
    void ClusterStateDone();
    void Button1Click(QObject* sender);
    void Button2Click(QObject* sender);

private:
    void findControls();
    void buildRequests();
    // Confirmation, the write and the waiting dialog of one command.
    void runCommand(SystemRules::Command command);
};

extern QPointer<TFM_Sytem> FM_Sytem;
