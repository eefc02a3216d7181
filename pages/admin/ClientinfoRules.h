#pragma once

// The client information page's rules without its windows: the rows it shows from the walked client
// table, the texts of their codes, when a detection cycle may start, and where the list and the
// buttons go when the window is resized.

#include <QString>
#include <QStringList>

#include <vector>

namespace ClientinfoRules {

inline const QString kDetecting = QStringLiteral("Detect Client Info...");
inline const QString kDetectTimedOut = QStringLiteral("Detect timed out!");
inline const QString kListing = QStringLiteral("Get Client info...!");
// The MAC of a table row that holds no station.
inline const QString kFreeMac = QStringLiteral("000000000000");
// Ten seconds between the end of one cycle and the start of the next.
inline constexpr int kCycleInterval = 10000;
// The trigger's time-out per attempt, in 10 ms units.
inline constexpr int kTriggerTimeout = 500;
// The trigger's value that makes the device collect its client table.
inline constexpr int kAcquire = 1;
// Far more stations than an access point associates; a device that walks on past it ends the cycle
// all the same, which the page's closing waits for.
inline constexpr int kMaxClientRows = 1024;

// The device's client table lists an SSID column when its capability text reads 1 (0 when it is
// not a number).
bool ssidSupported(const QString& clientAddSsid);

QString bandText(const QString& band);
// Without SSID support the device sends the authentication as a number; with it, the walk has
// already turned it into its name.
QString authenticationText(const QString& authentication);
QString signalText(const QString& signal);
QString powerSavingText(const QString& psm);

// One row of the client table as walked.
struct WalkedRow {
    QString mac;
    QString band;
    QString authentication;
    QString signal;
    QString powerSaving;
    QString ssid;
};

// The rows the user sees: each walked row that holds a station, numbered from 1 over those kept.
// cells are the columns after the number: MAC, band, authentication, signal, power saving, and the
// SSID with SSID support.
struct ShownRow {
    QString caption;
    QStringList cells;
    bool operator==(const ShownRow&) const = default;
};
std::vector<ShownRow> formatClientRows(const std::vector<WalkedRow>& walked, bool ssid);

// A detection cycle starts only when none is running: a second one would walk into the same list
// through the same request, and the first one's end would free the page while the second still runs.
bool cycleMayStart(bool clientBusy, bool triggerBusy, bool tableBusy);

// Where the list and the buttons go for a window's client size.
struct Placement {
    int listWidth;
    int listHeight;
    int buttonTop;
    int refreshLeft;
    int closeLeft;
    bool operator==(const Placement&) const = default;
};
Placement placementFor(int clientWidth, int clientHeight);

}  // namespace ClientinfoRules
