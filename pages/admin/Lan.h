#pragma once

// Unit Lan: the page "Home \ LAN". It sets where the access point takes its own address from and,
// for a static address, the address, mask and gateway, after making sure that the address clashes
// neither with the device's DHCP server nor with a host already on the network.

#include <QPointer>
#include <QStringList>

#include "module/HvPage.h"
#include "pages/admin/LanRules.h"

class TFM_LanCfg : public HvPage {
public:
    explicit TFM_LanCfg(TMainForm& mainForm, QWidget* owner = nullptr);
    ~TFM_LanCfg() override;

    // Published components (layout in LanLayout.cpp).
    forms::ComboBox* CB_IPFrom = nullptr;
    forms::Label* LA_IPAddress = nullptr;
    forms::Edit* ED_IpAddr = nullptr;
    forms::Label* LA_SubnetMask = nullptr;
    forms::Edit* ED_SubMask = nullptr;
    forms::Label* LA_DefGW = nullptr;
    forms::Edit* ED_DefGw = nullptr;
    forms::Edit* Ed_IPAF = nullptr;
    forms::Edit* Ed_PoolRan = nullptr;
    forms::ComboBox* ED_Restart = nullptr;
    forms::ListView* Static_ListView = nullptr;
    forms::ComboBox* CB_Clus = nullptr;
    forms::Button* BT_LanCfgOk = nullptr;
    forms::Button* BT_LanCfgCancel = nullptr;
    forms::StatusBar* StatusBar = nullptr;

    // The requests, the page's own; null until the creation step has built them.
    HvSNMPRequest2Edits* reqIP = nullptr;
    HvSNMPRequest2Edits* reqPool = nullptr;
    HvSNMPRequest2Edits* reqStatic = nullptr;
    HvSNMPRequest2Edits* reqCluster = nullptr;

    // The address and its source as the first good read found them.
    const QString& savedAddress() const { return m_savedAddress; }
    int savedMode() const { return m_savedMode; }

    void FormCreate();
    void BT_LanCfgOkClick(QObject* sender);
    void BT_LanCfgCancelClick(QObject* sender);
    void CB_IPFromChange(QObject* sender);
    void UpdateIpFields();
    void ClusterStateDone();

private:
    void applyStatic();
    void applyDynamic();
    // The IP request written with the address items flagged for the source; its outcome decides the
    // status text and the waiting dialog.
    void writeAndWait(int ipFromIndex, const WaitPlan& plan);
    // The base's refusal, then the device's values read again where the check asks it.
    void refuse(const LanRules::Refusal& refusal);
    // The static pool read to its end (the judging wait shown meanwhile): Failed when the read
    // failed or did not end in time, GivenUp when the page closed meanwhile.
    enum class PoolRead { Complete, Failed, GivenUp };
    PoolRead readStaticPool();
    QStringList staticPoolAddresses() const;
    // The restart question on a joined device, then the dialog; false after Cancel.
    bool wait(const WaitPlan& plan);
    void rereadCluster();

    QString m_savedAddress;
    int m_savedMode = 0;
    bool m_applying = false;
    bool m_poolDone = false;
    bool m_poolOk = false;
};

extern QPointer<TFM_LanCfg> FM_LanCfg;
