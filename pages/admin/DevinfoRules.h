#pragma once

// The device information page's rules without its windows: the Super G text it shows beside the
// device's own.

#include <QString>

namespace DevinfoRules {

inline const QString kDisabled = QStringLiteral("Disabled");
inline const QString kEnabled = QStringLiteral("Enabled");
inline const QString kSuperAWithoutTurbo = QStringLiteral("Super A without Turbo");
inline const QString kSuperGWithoutTurbo = QStringLiteral("Super G without Turbo");

// Ed_SupModusa's text, worked out once after the creation step's read of slot 1; Refresh leaves it
// as it is. A failed read shows nothing: the empty texts it leaves would otherwise make up a Super G
// mode.
struct SlotOne {
    bool readOk = false;
    QString turboCapability;  // the main window's ED_Turbomode
    QString superMode;        // Ed_SupModa
    QString channel;          // Ed_Channela
    bool tabGVisible = false;
};
QString superModeShown(const SlotOne& s);

}  // namespace DevinfoRules
