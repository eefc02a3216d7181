#pragma once

// Unit Admin: the page "Tools \ Admin" of older firmwares. It changes the login account only; the
// device restarts afterwards, after a question when it has joined an AP domain.

#include <QPointer>

#include "module/AdminAccountPage.h"

class TFM_Admin : public AdminAccountPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Admin(TMainForm& mainForm, QWidget* owner = nullptr);

    // The user-name limit of this page's check (its edit takes fewer characters).
    static constexpr int kUserLimit = 40;
    static constexpr int kEditLimit = 12;

    // Published components beside the account's (layout in AdminLayout.cpp).
    forms::ComboBox* CB_Clus = nullptr;

    // Null until the creation step has built it.
    HvSNMPRequest2Edits* clusterRequest = nullptr;

    void FormCreate();
    void OKClick(QObject* sender);
    void CancelClick(QObject* sender);
    void FormClose(QObject* sender);
    void SetEditLimits();

private:
    void findControls();
    void buildRequests();
    void updateOkEnabled();
};

extern QPointer<TFM_Admin> FM_Admin;
