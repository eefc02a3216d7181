#include "pages/admin/InformationRules.h"

namespace InformationRules {

namespace {

CheckFailure tooLong(const char* object, int max) {
    return {QStringLiteral("The Max Lengh of the %1 is %2.").arg(QLatin1String(object)).arg(max),
            PageRules::kError,
            {},
            {},
            {}};
}

}  // namespace

std::optional<CheckFailure> checkSave(const QString& contact, const QString& name, const QString& location) {
    if (contact.size() > kContactMax) return tooLong("SystemContact", kContactMax);
    if (name.size() > kNameMax) return tooLong("SystemName", kNameMax);
    if (location.size() > kLocationMax) return tooLong("SystemLocation", kLocationMax);
    return std::nullopt;
}

QString readResult(bool ok, const QString& errorText) {
    return ok ? kGetOk : errorText;
}

QString saveResult(bool ok, const QString& errorText) {
    return ok ? kSaveOk : errorText;
}

bool saveEnabled(bool requestBusy, bool valuesRead) {
    return !requestBusy && valuesRead;
}

}  // namespace InformationRules
