// The multi-SSID page's writes: a row's Save in its two halves, Delete, and Apply of the two
// functions.

#include "library/HvValueText.h"
#include "module/KeyRules.h"
#include "module/PageRules.h"
#include "module/SendFlags.h"
#include "pages/wireless/Multissid2.h"

using namespace Multissid2Rules;

SaveInput TFM_MultiSSIDNewForm::saveInput() const {
    SaveInput in;
    in.vlanOn = CB_VLanState->checked();
    in.vlanId = Ed_WLANID->text();
    in.primaryRow = primaryRow();
    in.multiSsidOn = IfEnabMuSSID->checked();
    in.ssid = Ed_SSID->text();
    in.pskGroup = GP_PSK->visible();
    in.keyGroup = GP_KeySetting->visible();
    in.secIndex = secIndex();
    in.groupKey = Ed_GrpKey->text();
    in.passPhrase = Ed_PassPhrase->text();
    in.radiusServer = Ed_RiduisServ->text();
    in.radiusPort = Ed_RadiusPort->text();
    in.keyEnabled = Ed_KeyValue->enabled();
    in.keyType = CB_KeyType->itemIndex();
    in.keySize = CB_KeySize->itemIndex();
    in.key = Ed_KeyValue->text();
    in.keyRead = m_keyRead;
    return in;
}

namespace {

const QString kVlanStateWrite = QStringLiteral("VLAN State");
const QString kGroupKeyWrite = QStringLiteral("Group Key Update Interval");
const QString kRadiusWrite = QStringLiteral("Radius Server");

}  // namespace

QString TFM_MultiSSIDNewForm::saveIncomplete(const QStringList& failures) {
    return QStringLiteral("Save Multi-SSID incomplete! ") + failures.join(QStringLiteral(" "));
}

bool TFM_MultiSSIDNewForm::saveWrite(HvSNMPRequest2Edits* request, const QString& what,
                                     const std::function<bool()>& write) {
    // These requests have no result control of their own: their refusal is caught here.
    QString refused;
    HvSNMPMessageCallback& callback = request->request.messageCallback;
    const HvSNMPMessageCallback before = callback;
    callback = [&refused](HvSNMPError* e) {
        if (e->code != 0 && refused.isEmpty()) refused = QString::fromStdString(e->message);
    };
    bool ok = false;
    const bool ran = guard([&] { ok = write(); });
    callback = before;
    if (ok) return true;
    if (ran) {
        const QString failure = what + QStringLiteral(" not set: ") + refused;
        m_saveFailures << failure;
        showResult(failure);
    }
    return false;
}

bool TFM_MultiSSIDNewForm::setStates() {
    bool vlanSet = false;
    guard([&] { reqMultiState->set(false, true); });
    vlanSet = saveWrite(reqVlanState, kVlanStateWrite, [this] { return reqVlanState->set(false, true); });
    if (vlanSet) vlanEnabled = CB_VLanState->checked();
    return vlanSet;
}

void TFM_MultiSSIDNewForm::saveWarnings() {
    const std::vector<TableRow> rows = tableRows();
    const QString selected = cell(MulSSIDListView->selected()->index(), kMssidIndex);
    if (GP_KeySetting->visible() && secIndex() != 0 && Ed_KeyValue->enabled() && Ed_KeyValue->visible() &&
        keyUsedElsewhere(m_userRows, rows, selected, CB_KeyIndex->text()))
        forms::Application::messageBox(this, kKeyUsed, PageRules::kWarning, forms::MB_OK);
    if (!GP_PSK->visible()) return;
    const bool groupKeySet =
        saveWrite(reqGroupKey, kGroupKeyWrite, [this] { return reqGroupKey->set(false, true); });
    if (groupKeySet && isPsk(secIndex()) && Ed_GrpKey->text() != savedGroupKeyText &&
        !savedGroupKeyText.isEmpty() && groupKeyShared(m_userRows)) {
        forms::Application::messageBox(this, kGroupKeyUsed, PageRules::kWarning, forms::MB_OK);
        savedGroupKeyText = Ed_GrpKey->text();
    }
    if (isEap(secIndex()))
        saveWrite(reqRadius, kRadiusWrite, [this] {
            // A secret the device shows masked is kept, not written back as asterisks.
            HvSendOnly only(reqRadius->request.varList,
                            {0, 1, KeyRules::isMaskedKey(Ed_RadiusSec->text()) ? -1 : 2});
            return reqRadius->set(false, true);
        });
    if (wepOnWpaSlots(m_userRows, rows, selected))
        forms::Application::messageBox(this, kKeySlots, PageRules::kWarning, forms::MB_OK);
}

void TFM_MultiSSIDNewForm::SaveButtonClick(QObject*) {
    if (!created() || closing() || !pageIdle || !MulSSIDListView->selected()) return;
    m_saveFailures.clear();
    SaveInput in = saveInput();
    if (auto f = checkVlanId(in)) return refuseInput(*f);
    if (in.primaryRow) {
        setStates();
        std::vector<bool> items(kItemCount, false);
        items[kVlanTag] = true;
        if (writeTable(items)) showResult(kSaving);
        return;
    }
    CB_Encry->setItemIndex(secIndex() != 0 ? 1 : 0);
    CB_IdvState->setItemIndex(1);
    if (GP_KeySetting->visible()) CB_KeyIndex->setItemIndex(CB_KeyIndex->indexOf(CB_IdxTmp->text()));
    if (auto f = checkRow(in)) return refuseInput(*f);
    const QString selected = cell(MulSSIDListView->selected()->index(), kMssidIndex);
    if (auto f = ssidClash(tableRows(), Ed_SSID->text(), selected)) return refuseInput(*f);
    SecondPhase phase;
    if (auto f = secondPhase(in, CB_Encry->itemIndex() == 1, phase)) return refuseInput(*f);
    setStates();
    saveWarnings();

    // The SSID goes first, alone; its completion sends the columns chosen now.
    m_secondPhase = phase;
    secondPhasePending = true;
    std::vector<bool> first(kItemCount, false);
    first[kSsid] = true;
    if (!writeTable(first)) {
        secondPhasePending = false;
        m_secondPhase = {};
        return;
    }
    showResult(kSaving);
}

void TFM_MultiSSIDNewForm::DelButtonClick(QObject*) {
    if (!created() || closing() || !pageIdle) return;
    forms::ListItem* user = LV_MultiSSID_User->selected();
    if (!user || user->caption() == u"Primary") return;
    m_saveFailures.clear();
    // The row the user clicked is the row written, whatever CB_Idx has shown since.
    const size_t at = static_cast<size_t>(user->index());
    forms::ListItem* row = at < m_userRows.size() ? MulSSIDListView->item(m_userRows[at].tableRow) : nullptr;
    if (!row) return;
    if (MulSSIDListView->selected() != row) MulSSIDListView->setSelected(row);
    CB_IdvState->setItemIndex(0);
    std::vector<bool> items(kItemCount, false);
    items[kIdvState] = true;
    showResult(kDeleting);
    writeTable(items);
}

void TFM_MultiSSIDNewForm::ApplyBtnClick(QObject*) {
    if (!created() || closing() || !pageIdle) return;
    showResult(kApplying);
    bool ok = false;
    guard([&] {
        ok = reqMultiState->set(false, true);
        if (ok) ok = reqVlanState->set(false, true);
    });
    if (!ok) {
        showResult(kApplyFailed);
        return;
    }
    showResult(kApplied);
    afterSetting();
}
