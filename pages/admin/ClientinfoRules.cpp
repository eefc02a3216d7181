#include "pages/admin/ClientinfoRules.h"

#include <array>
#include <cmath>

#include "module/MainMenuRules.h"

namespace ClientinfoRules {

namespace {

// Codes outside the known ones show as one blank, so the cell is never taken for an empty read.
const QString kUnknown = QStringLiteral(" ");

const std::array<const char*, 9> kAuthentications = {"Open System", "Shared Key",   "WPA-EAP",
                                                     "WPA-PSK",     "Auto",         "WPA2-EAP",
                                                     "WPA2-PSK",    "WPA-Auto-EAP", "WPA-Auto-PSK"};

// The code as a number; -1 when the text is none.
int code(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok ? n : -1;
}

}  // namespace

bool ssidSupported(const QString& clientAddSsid) {
    return MainMenuRules::intOrZero(clientAddSsid) == 1;
}

QString bandText(const QString& band) {
    switch (code(band)) {
        case 0:
            return QStringLiteral("A");
        case 1:
            return QStringLiteral("B");
        case 2:
        case 3:
            return QStringLiteral("G");
        default:
            return kUnknown;
    }
}

QString authenticationText(const QString& authentication) {
    const int n = code(authentication);
    if (n < 0 || n >= int(kAuthentications.size())) return kUnknown;
    return QString::fromLatin1(kAuthentications[size_t(n)]);
}

QString signalText(const QString& signal) {
    return signal + QStringLiteral("  %");
}

QString powerSavingText(const QString& psm) {
    switch (code(psm)) {
        case 0:
            return QStringLiteral("Off");
        case 1:
            return QStringLiteral("On");
        default:
            return kUnknown;
    }
}

std::vector<ShownRow> formatClientRows(const std::vector<WalkedRow>& walked, bool ssid) {
    std::vector<ShownRow> out;
    for (const WalkedRow& w : walked) {
        if (w.mac.compare(kFreeMac, Qt::CaseInsensitive) == 0) continue;
        ShownRow row;
        row.caption = QString::number(out.size() + 1);
        row.cells << w.mac << bandText(w.band)
                  << (ssid ? w.authentication : authenticationText(w.authentication)) << signalText(w.signal)
                  << powerSavingText(w.powerSaving);
        if (ssid) row.cells << w.ssid;
        out.push_back(std::move(row));
    }
    return out;
}

bool cycleMayStart(bool clientBusy, bool triggerBusy, bool tableBusy) {
    return !clientBusy && !triggerBusy && !tableBusy;
}

Placement placementFor(int clientWidth, int clientHeight) {
    return {clientWidth - 34, clientHeight - 132, clientHeight - 85,
            int(std::lround(clientWidth * 5.0 / 27.0)), int(std::lround(clientWidth * 37.0 / 63.0))};
}

}  // namespace ClientinfoRules
