#pragma once

// Unit Macaddr: the dialog "MAC Address" in which one entry of the device's MAC filter table is
// typed. It has no requests of its own: the table window binds its controls to the table, loads a
// row into them by selecting it, and writes through its own request, which the dialog reaches
// through MacTableHost. Made once with the table window and shown modally for each Add and Set.

#include <QPointer>
#include <QString>

#include <vector>

#include "platform/forms/Forms.h"
#include "pages/wireless/FilerRules.h"

// What the dialog needs of the window that owns the table.
class MacTableHost {
public:
    virtual ~MacTableHost() = default;
    // The device's rows as the table window last listed them.
    virtual std::vector<FilerRules::MacRow> macRows() const = 0;
    // The selected row written from the dialog's controls, without a re-read; false when nothing
    // was sent.
    virtual bool writeMacRow() = 0;
};

class TFM_MACAddr : public forms::Form {
public:
    explicit TFM_MACAddr(MacTableHost& host, QWidget* owner = nullptr);

    forms::Label* Label1 = nullptr;
    forms::Edit* Ed_MACAddr = nullptr;
    // The key of the row the dialog writes.
    forms::Label* LA_Index = nullptr;
    forms::Button* Bt_Apply = nullptr;

    void Bt_ApplyClick(QObject* sender);
    // The typed address is held by another row of the table (then the box has been shown).
    bool CheckDuplicateMac();

private:
    MacTableHost& m_host;
};

extern QPointer<TFM_MACAddr> FM_MACAddr;
