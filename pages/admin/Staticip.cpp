#include "pages/admin/Staticip.h"

#include <variant>

#include "module/HvPage.h"
#include "module/PingHost.h"
#include "pages/admin/StaticipLayout.h"

using namespace StaticipRules;

TFM_StaticIP::TFM_StaticIP(StaticPoolHost& host, QWidget* owner) : forms::Form(owner), m_host(host) {
    forms::buildLayout(*this, kStaticipLayout);
    Ed_AsgIP = forms::findControl<forms::Edit>(this, "Ed_AsgIP");
    Ed_AsgMac = forms::findControl<forms::Edit>(this, "Ed_AsgMac");
    Ed_SubMask = forms::findControl<forms::Edit>(this, "Ed_SubMask");
    Ed_Gatway = forms::findControl<forms::Edit>(this, "Ed_Gatway");
    Ed_Wins = forms::findControl<forms::Edit>(this, "Ed_Wins");
    Ed_DNS = forms::findControl<forms::Edit>(this, "Ed_DNS");
    Ed_DomNa = forms::findControl<forms::Edit>(this, "Ed_DomNa");
    CB_Stat = forms::findControl<forms::ComboBox>(this, "CB_Stat");
    LA_Index = forms::findControl<forms::Label>(this, "LA_Index");
    Apply = forms::findControl<forms::Button>(this, "Apply");
    StatusBar1 = forms::findControl<forms::StatusBar>(this, "StatusBar1");
    Ed_OldIP = forms::findControl<forms::Edit>(this, "Ed_OldIP");
    ED_OldMAC = forms::findControl<forms::Edit>(this, "ED_OldMAC");
    Apply->OnClick = [this](QObject* s) { ApplyClick(s); };
}

Entry TFM_StaticIP::entry() const {
    return {Ed_AsgIP->text(), Ed_AsgMac->text(), Ed_SubMask->text(), Ed_Gatway->text(),
            Ed_Wins->text(),  Ed_DNS->text(),    Ed_DomNa->text(),   CB_Stat->itemIndex()};
}

void TFM_StaticIP::setEntry(const Entry& e) {
    Ed_AsgIP->setText(e.ip);
    Ed_AsgMac->setText(e.mac);
    Ed_SubMask->setText(e.mask);
    Ed_Gatway->setText(e.gateway);
    Ed_Wins->setText(e.wins);
    Ed_DNS->setText(e.dns);
    Ed_DomNa->setText(e.domain);
    CB_Stat->setItemIndex(e.status);
}

void TFM_StaticIP::ApplyClick(QObject*) {
    ApplyInput in;
    in.entered = entry();
    in.adding = Ed_OldIP->enabled();
    in.selectedRow = m_host.selectedPoolRow();
    in.rows = m_host.poolRows();
    in.poolStart = m_host.poolStart();
    in.poolRange = m_host.poolRange();
    in.deviceAddress = m_host.deviceAddress();
    in.old = oldEntry;
    if (auto failure = checkEntry(in)) return HvRefuseInput(*this, *failure);
    // The checks fill an empty WINS and DNS with the free address; the dialog shows what is written.
    setEntry(in.entered);
    if (PingHost(in.entered.ip.toStdString(), this)) return HvRefuseInput(*this, probeRefusal());
    if (auto failure = checkPlace(in)) return HvRefuseInput(*this, *failure);

    const auto plan = writePlan(in);
    if (const auto* refusal = std::get_if<Refusal>(&plan)) {
        setEntry(refusal->restored);
        HvRefuseInput(*this, refusal->failure);
        return;
    }
    const WritePlan& w = std::get<WritePlan>(plan);
    const Entry entered = in.entered;
    if (w.row >= 0 && w.row != m_host.selectedPoolRow()) m_host.selectPoolRow(w.row);
    if (w.emptyFirst) {
        setEntry(freeEntry());
        m_host.writePoolRow();
    }
    setEntry(written(entered));
    m_host.writeEntry();
    hide();
    m_host.showEntryWait(applyWait());
    setModalResult(forms::mrOk);
}
