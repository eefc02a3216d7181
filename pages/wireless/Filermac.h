#pragma once

// Unit Filermac: the window "MAC Address Table" of one band's access filter. It lists the device's
// fixed-size MAC table (free rows hold twelve zeros), adds an entry into the first free row, changes
// one, and deletes one by writing the zeros back. It does not close while one of its walks is out:
// it hides and closes as soon as they have ended.

#include <QPointer>

#include <memory>
#include <vector>

#include "module/HvPage.h"
#include "module/Newrequest.h"
#include "pages/wireless/FilerRules.h"
#include "pages/wireless/Macaddr.h"

class TFM_FilterMAC : public HvPage, public MacTableHost {
public:
    // slot: the band's radio slot, 1 or 2, whose table the window lists.
    TFM_FilterMAC(TMainForm& mainForm, int slot, QWidget* owner = nullptr);
    ~TFM_FilterMAC() override;

    // Published components (layout in FilerLayout.cpp).
    forms::GroupBox* GroupBox1 = nullptr;
    forms::ListView* User_ListView = nullptr;
    forms::ListView* LV_StaticPoolSet = nullptr;
    forms::Button* Bt_Add = nullptr;
    forms::Button* Bt_Set = nullptr;
    forms::Button* Bt_Del = nullptr;
    forms::Button* Bt_Rfrsh = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::Timer* Timer1 = nullptr;

    // The requests; null until the creation step has built them.
    HvSNMPRequest2Edits* reqTable = nullptr;
    New_req2Edit* reqUsers = nullptr;

    int slot() const { return m_slot; }
    // The address dialog, made once with the window.
    TFM_MACAddr* macAddr() const { return m_macAddr; }
    // A walk or a write is out.
    bool requestsBusy() const;
    // A write is out, from its start to its completion.
    bool writing() const { return m_writing; }

    void FormCreate();
    void FormCloseQuery(QObject* sender, bool& canClose);
    void Bt_AddClick(QObject* sender);
    void Bt_SetClick(QObject* sender);
    void Bt_DelClick(QObject* sender);
    void Bt_RfrshClick(QObject* sender);
    void User_ListViewSelectItem(QObject* sender, forms::ListItem* item, bool selected);
    void Timer1Timer(QObject* sender);
    void OnTableGetDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);
    void OnTableSetDone(HvSNMPRequest2Controls* sender, HvSNMPError* error);

    // MacTableHost.
    std::vector<FilerRules::MacRow> macRows() const override;
    bool writeMacRow() override;

private:
    void findControls();
    void wireHandlers();
    void buildRequests();
    FilerRules::TableActivity activity() const;
    // The buttons as the window's state allows them.
    void updateButtons();
    // Both lists walked again from the start; the buttons wait for them.
    void relist();
    // Selects a row of the device's list afresh, so that its values reach the dialog even when it
    // was the row selected before.
    void loadRow(int row);
    // The row of the device's list holding the MAC of the user's selected row.
    std::optional<int> selectedUserRow() const;

    int m_slot;
    TFM_MACAddr* m_macAddr = nullptr;  // kept by the base, which ends the requests before it goes
    bool m_writing = false;
    bool m_tableListed = false;
    int m_closeTicks = 0;  // ticks waited since a close was refused
};

extern QPointer<TFM_FilterMAC> FM_FilterMAC;
