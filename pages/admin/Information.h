#pragma once

// Unit Information: the page "Home \ Information". It shows the device's system group and writes
// its contact, name and location.

#include <QPointer>

#include "module/HvPage.h"

class TFM_SysInfo : public HvPage {
public:
    explicit TFM_SysInfo(TMainForm& mainForm, QWidget* owner = nullptr);

    forms::Edit* Ed_SD = nullptr;
    forms::Edit* Ed_SO = nullptr;
    forms::Edit* Ed_SU = nullptr;
    forms::Edit* Ed_SC = nullptr;
    forms::Edit* Ed_SN = nullptr;
    forms::Edit* Ed_SL = nullptr;
    forms::Button* Btn_Re = nullptr;
    forms::Button* Btn_Sa = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    // The page's request; null until the creation step has built it.
    HvSNMPRequest2Edits* reqSystem = nullptr;

    void FormCreate();
    void Btn_ReClick(QObject* sender);
    void Btn_SaClick(QObject* sender);

private:
    void started();
    void ended(HvSNMPError* error, bool save);

    bool m_reportGet = false;  // the read under way is Refresh's, which reports its success
    bool m_read = false;       // a read has succeeded: the fields hold the device's values
};

extern QPointer<TFM_SysInfo> FM_SysInfo;
