#pragma once

// Unit Staticip: the dialog "Static Pool Settings" in which one entry of the DHCP server's static
// pool is added or changed. It has no requests of its own: the DHCP server page binds its controls
// to the static pool, loads an entry into them by selecting a row, and writes through its own
// requests, which the dialog reaches through StaticPoolHost.

#include <QString>

#include <vector>

#include "platform/forms/Forms.h"
#include "pages/admin/StaticipRules.h"

// What the dialog needs of the page that owns the static pool.
class StaticPoolHost {
public:
    virtual ~StaticPoolHost() = default;
    // LV_StaticPoolSet's IP and MAC columns, and the selected row (-1: none).
    virtual std::vector<StaticipRules::PoolRow> poolRows() const = 0;
    virtual int selectedPoolRow() const = 0;
    // Selects a row; the list binding loads it into the dialog's controls.
    virtual void selectPoolRow(int row) = 0;
    // The dynamic pool and the device's own address as the page shows them.
    virtual QString poolStart() const = 0;
    virtual QString poolRange() const = 0;
    virtual QString deviceAddress() const = 0;
    // The selected row written from the dialog's controls, without a re-read.
    virtual void writePoolRow() = 0;
    // The server switch, then the selected row; the pool is listed again once the row is written.
    virtual void writeEntry() = 0;
    // The waiting dialog after the write.
    virtual void showEntryWait(const WaitPlan& plan) = 0;
};

class TFM_StaticIP : public forms::Form {
public:
    TFM_StaticIP(StaticPoolHost& host, QWidget* owner = nullptr);

    forms::Edit* Ed_AsgIP = nullptr;
    forms::Edit* Ed_AsgMac = nullptr;
    forms::Edit* Ed_SubMask = nullptr;
    forms::Edit* Ed_Gatway = nullptr;
    forms::Edit* Ed_Wins = nullptr;
    forms::Edit* Ed_DNS = nullptr;
    forms::Edit* Ed_DomNa = nullptr;
    forms::ComboBox* CB_Stat = nullptr;
    forms::Label* LA_Index = nullptr;
    forms::Button* Apply = nullptr;
    forms::StatusBar* StatusBar1 = nullptr;
    // Enabled while adding, disabled while changing; its text is the changed entry's address.
    forms::Edit* Ed_OldIP = nullptr;
    forms::Edit* ED_OldMAC = nullptr;

    // The entry Set loaded, kept as it was.
    StaticipRules::Entry oldEntry;

    void ApplyClick(QObject* sender);
    StaticipRules::Entry entry() const;
    void setEntry(const StaticipRules::Entry& e);

private:
    StaticPoolHost& m_host;
};
