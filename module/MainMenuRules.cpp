#include "module/MainMenuRules.h"

namespace MainMenuRules {

int intOrZero(const QString& text) {
    bool ok = false;
    // toInt accepts surrounding blanks; the fields are numbers as the device sends them or nothing.
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace() || text.startsWith(u'+')) return 0;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

AdvancedVisibility advancedVisibility(const QString& fwVer, const QString& ifMultiSsid,
                                      const QString& newMulti, const QString& ifCluster) {
    const QString release = fwVer.mid(1, 4);
    const bool newFirmware = release == u"2.10" || release == u"2.20" || ifMultiSsid == u"1";
    AdvancedVisibility v;
    v.mode = !newFirmware;
    v.encryption = !newFirmware;
    v.multiSsid = newFirmware;
    v.grouping = intOrZero(newMulti) != 0;
    v.apDomains = intOrZero(ifCluster) != 0;
    return v;
}

Generation multiSsidChoice(const QString& newMultiSupport) {
    switch (intOrZero(newMultiSupport)) {
        case 0:
            return Generation::Old;
        case 1:
            return Generation::New;
        default:
            return Generation::None;
    }
}

Generation adminChoice(const QString& green) {
    return intOrZero(green) == 0 ? Generation::Old : Generation::New;
}

std::optional<bool> logVisibility(const QString& syslogSupport) {
    switch (intOrZero(syslogSupport)) {
        case 0:
            return false;
        case 1:
            return true;
        default:
            return std::nullopt;
    }
}

bool clientInfoFallback(const QString& modelName, const QString& fwVer) {
    if (modelName.size() < 6 || fwVer.size() < 2) return false;
    const QChar family = modelName.at(5);
    const QChar major = fwVer.at(1);
    if (!family.isDigit() || !major.isDigit() || family.unicode() > 0x7f || major.unicode() > 0x7f)
        return false;
    const int f = family.unicode() - '0';
    const int m = major.unicode() - '0';
    return (f == 1 && m == 2) || (f == 2 && m == 1);
}

}  // namespace MainMenuRules
