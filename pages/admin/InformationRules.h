#pragma once

// The system information page's rules without its windows: the limits of the writable system
// objects, Save's checks with their texts, and the result texts of a read and a write.

#include <QString>

#include <optional>

#include "module/PageRules.h"

namespace InformationRules {

using PageRules::CheckFailure;

// Typing limits of Ed_SC, Ed_SN and Ed_SL. A longer text read from the device stays whole, so the
// checks below see it.
inline constexpr int kContactMax = 255;
inline constexpr int kNameMax = 39;
inline constexpr int kLocationMax = 255;

inline const QString kGetOk = QStringLiteral("Get OK!");
inline const QString kSaveOk = QStringLiteral("Save OK!");

// Save's checks in order: contact, name, location. Lengths count characters, as the device's
// one-octet-per-character strings do.
std::optional<CheckFailure> checkSave(const QString& contact, const QString& name, const QString& location);

// The status text once a read or write has completed: its OK text on success, the request's error
// text otherwise. Nothing is reported before the answer has come.
QString readResult(bool ok, const QString& errorText);
QString saveResult(bool ok, const QString& errorText);

// Save waits while a read or write is still outstanding: a late read would overwrite what the user
// typed after "Save OK!". It is offered only once a read has brought the device's values: before
// that the fields hold nothing of the device, and a write would blank its contact, name and location.
bool saveEnabled(bool requestBusy, bool valuesRead);

}  // namespace InformationRules
