#include "pages/wireless/Macaddr.h"

#include "module/HvPage.h"
#include "pages/wireless/FilerLayout.h"

using namespace FilerRules;

QPointer<TFM_MACAddr> FM_MACAddr;

TFM_MACAddr::TFM_MACAddr(MacTableHost& host, QWidget* owner) : forms::Form(owner), m_host(host) {
    forms::buildLayout(*this, kMacAddrLayout);
    Label1 = forms::findControl<forms::Label>(this, "Label1");
    Ed_MACAddr = forms::findControl<forms::Edit>(this, "Ed_MACAddr");
    LA_Index = forms::findControl<forms::Label>(this, "LA_Index");
    Bt_Apply = forms::findControl<forms::Button>(this, "Bt_Apply");
    Bt_Apply->OnClick = [this](QObject* s) { Bt_ApplyClick(s); };
}

bool TFM_MACAddr::CheckDuplicateMac() {
    // The row written is the one whose key the dialog shows; its own old address is no duplicate.
    if (!isDuplicate(m_host.macRows(), LA_Index->caption(), Ed_MACAddr->text())) return false;
    forms::Application::messageBox(this, kMacExists, PageRules::kWarning, forms::MB_OK);
    return true;
}

void TFM_MACAddr::Bt_ApplyClick(QObject*) {
    if (const auto failure = checkTyped(Ed_MACAddr->text())) {
        HvRefuseInput(*this, *failure);
        return;
    }
    if (CheckDuplicateMac()) return;
    if (!m_host.writeMacRow()) return;
    setModalResult(forms::mrOk);
}
