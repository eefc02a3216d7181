#pragma once

// The Performance page's rules without its windows: the input checks and their texts, the data-rate
// items, the rows of the rate table, the enabling rules of the rate controls, and the geometry the
// feature probes leave. The page applies what these return to its controls.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace PerformaceRules {

// The text as a decimal integer (an optional sign, then digits only); fallback otherwise.
int intOr(const QString& text, int fallback);

// ---- Input checks -------------------------------------------------------------------------------

enum class Field { BeaconInterval, Dtim, FragmentLength, RtsLength };
inline constexpr std::array<Field, 4> kCheckedFields{Field::BeaconInterval, Field::Dtim,
                                                     Field::FragmentLength, Field::RtsLength};

struct Range {
    int low;
    int high;
};
Range rangeOf(Field field);
// "Please input a number between 20 and 1000." and the like.
QString rangeMessage(Field field);
// An empty text, or one that is not a number, is out of range.
bool inRange(Field field, const QString& text);
// Apply's checks in their order (beacon, DTIM, fragment, RTS): the first field that fails.
std::optional<Field> firstFailing(const std::array<QString, 4>& texts);

// ---- Data rates ---------------------------------------------------------------------------------

// "Auto", "1 Mb" ... "54 Mb": the thirteen items of the data-rate combo.
const QStringList& dataRateItems();
// The item that shows the device's rate text ("5.5" gives "5.5 Mb", "Auto" gives "Auto"): its index,
// or -1 when the rate is not among the items.
int dataRateItemFor(const QString& rateText);
// What the device is sent for a combo text: "5.5 Mb" gives "5.5", "Auto" stays "Auto".
QString comboToDataRate(const QString& comboText);
// The items of a channel list: blank-separated, a blank that would start an item belongs to it.
QStringList splitChannelList(const QString& text);

// ---- The rate table -----------------------------------------------------------------------------

// CB_DRate<n> shows row n-1 of the device's table; the rows are in this order of rates (Mb/s).
inline constexpr int kRateCount = 12;
inline constexpr std::array<const char*, kRateCount> kRateNames{"1",  "2",  "5.5", "11", "6",  "9",
                                                                "12", "18", "24",  "36", "48", "54"};
// 1, 2, 5.5, 11 Mb/s: the 802.11b rates, never switchable while data-rate control is on.
inline constexpr std::array<int, 4> kCckRows{0, 1, 2, 3};
// 6, 12, 24 Mb/s: the mandatory 802.11g rates, Basic while 802.11g-only is on.
inline constexpr std::array<int, 3> kMandatoryRows{4, 6, 8};
// 9, 18, 36, 48, 54 Mb/s: the rates whose items follow the device's Ed_DataRateNew capability.
inline constexpr std::array<int, 5> kOptionalRows{5, 7, 9, 10, 11};

inline const QStringList kRateItemsAll{QStringLiteral("Disable"), QStringLiteral("Enable"),
                                       QStringLiteral("Basic")};
inline const QStringList kRateItemsNoBasic{QStringLiteral("Disable"), QStringLiteral("Enable")};

// The items of the optional rows for an Ed_DataRateNew text: 0 (or not a number) all three, 1 no
// Basic, anything else the layout's items (nullopt).
std::optional<QStringList> optionalRowItems(const QString& dataRateNew);

// The item indexes the reset gives the twelve rows: Basic for the 802.11b rates, Basic for 6, 12 and
// 24 Mb/s while 802.11g-only is not at index 0 (else Enable), Enable for the rest.
std::array<int, kRateCount> resetRateIndexes(int gonlyIndex);

// ---- Mode rules ---------------------------------------------------------------------------------

struct ModeState {
    QString apModeText;       // CB_APModea's text
    int apModeIndex = -1;     // CB_APModea's index
    // The AP mode and the super mode were read: without them no selection is forced.
    bool modeKnown = true;
    int superModeIndex = -1;
    QString superModeText;
    int dateStatusIndex = -1;
    int gonlyIndex = -1;
    bool rateControlSupported = false;
};

// What a rule does to the rate controls; an empty field leaves that property as it was.
struct RateControls {
    std::optional<bool> dataRateEnabled;  // CB_DtRta
    std::optional<int> dataRateIndex;
    std::optional<bool> dateStatusEnabled;  // CB_DateStatus
    std::optional<int> dateStatusIndex;
    std::array<std::optional<bool>, kRateCount> rateEnabled;  // CB_DRate1..12
    std::optional<bool> resetEnabled;                         // BT_RDateRate
};

// The rule of the AP mode and super mode (after creation, Refresh and a change of super mode).
RateControls updateModeControls(const ModeState& s);
// The rule of the data-rate control combo (the user's change, and Apply before the rate rows).
RateControls dateStatusChange(const ModeState& s);

// The 802.11g-only rule for the rows of 6, 12 and 24 Mb/s; it applies only to an access point whose
// super mode is at index 3 (nullopt otherwise).
struct MandatoryRows {
    QStringList items;
    std::optional<bool> enabled;
    bool selectBasic = false;     // the user's change to 802.11g-only: the rows become Basic
    bool selectFromRows = false;  // the user's change back: the rows show what the table holds
};
std::optional<MandatoryRows> gonlyClick(const ModeState& s);
std::optional<MandatoryRows> gonlyChange(const ModeState& s);

// ---- Geometry -----------------------------------------------------------------------------------

// Where the rows and boxes stand as the probes leave them (tops relative to the group box or the tab
// sheet, as in the layout). A missing feature takes its row out and moves what is below up by one row.
inline constexpr int kRowStep = 27;
struct Geometry {
    int xrTop = 222;        // CB_XRa (its label 4 lower)
    int wmmTop = 249;       // CB_WMM (its label 4 lower)
    int preambleTop = 276;  // CB_Preamble (its label 1 lower)
    int groupBox1Height = 310;
    int groupBox2Top = 317;
    int buttonsTop = 541;
    int clientHeight = 633;  // the status bar's 19 below the page control's 608 and its 6
    bool groupBox2Visible = true;
};
void afterGOnlyProbe(Geometry& g, bool present);
void afterXRProbe(Geometry& g, bool present);
void afterWMMProbe(Geometry& g, bool present);
// Without data-rate control the buttons take the rate box's place and the form loses its height.
void afterRateSupport(Geometry& g, bool supported, int groupBox2Height);

}  // namespace PerformaceRules
