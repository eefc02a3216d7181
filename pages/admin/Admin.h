#pragma once

// Unit Admin: the page "Tools \ Admin" of older firmwares. It changes the login account only; the
// device restarts afterwards, after a question when it has joined an AP domain.

#include <QPointer>

#include "module/HvPage.h"

class TFM_Admin : public HvPage {
public:
    // owner: the Qt parent (null for the application, as the menu creates it).
    explicit TFM_Admin(TMainForm& mainForm, QWidget* owner = nullptr);

    // The user-name limit of this page's check (its edit takes fewer characters).
    static constexpr int kUserLimit = 40;
    static constexpr int kEditLimit = 12;

    // Published components (layout in AdminLayout.cpp).
    forms::Edit* Ed_Usr = nullptr;
    forms::Edit* Ed_OPwd = nullptr;
    forms::Edit* Ed_NPwd = nullptr;
    forms::Edit* Ed_CNP = nullptr;
    forms::Edit* Ed_Pwd = nullptr;
    forms::Button* OK = nullptr;
    forms::Button* Cancel = nullptr;
    forms::StatusBar* StatusBar = nullptr;
    forms::ComboBox* CB_Clus = nullptr;

    // The page's requests; null until the creation step has built them.
    HvSNMPRequest2Edits* accountRequest = nullptr;
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

    bool m_accountRead = false;
};

extern QPointer<TFM_Admin> FM_Admin;
