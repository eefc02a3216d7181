#include "pages/wireless/PerformaceRules.h"

#include <charconv>
#include <string>

namespace PerformaceRules {

int intOr(const QString& text, int fallback) {
    const std::string s = text.toStdString();
    const char* first = s.data();
    const char* last = s.data() + s.size();
    if (first != last && *first == '+') {
        ++first;
        if (first != last && *first == '-') return fallback;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : fallback;
}

Range rangeOf(Field field) {
    switch (field) {
        case Field::BeaconInterval:
            return {20, 1000};
        case Field::Dtim:
            return {1, 255};
        case Field::FragmentLength:
        case Field::RtsLength:
            break;
    }
    return {256, 2346};
}

QString rangeMessage(Field field) {
    const Range r = rangeOf(field);
    return QStringLiteral("Please input a number between %1 and %2.").arg(r.low).arg(r.high);
}

bool inRange(Field field, const QString& text) {
    if (text.isEmpty()) return false;
    const Range r = rangeOf(field);
    const int value = intOr(text, 0);
    return value >= r.low && value <= r.high;
}

std::optional<Field> firstFailing(const std::array<QString, 4>& texts) {
    for (size_t i = 0; i < kCheckedFields.size(); ++i)
        if (!inRange(kCheckedFields[i], texts[i])) return kCheckedFields[i];
    return std::nullopt;
}

const QStringList& dataRateItems() {
    static const QStringList items{QStringLiteral("Auto"),   QStringLiteral("1 Mb"),  QStringLiteral("2 Mb"),
                                   QStringLiteral("5.5 Mb"), QStringLiteral("6 Mb"),  QStringLiteral("9 Mb"),
                                   QStringLiteral("11 Mb"),  QStringLiteral("12 Mb"), QStringLiteral("18 Mb"),
                                   QStringLiteral("24 Mb"),  QStringLiteral("36 Mb"), QStringLiteral("48 Mb"),
                                   QStringLiteral("54 Mb")};
    return items;
}

int dataRateItemFor(const QString& rateText) {
    const QString wanted = rateText == u"Auto" ? rateText : rateText + QStringLiteral(" Mb");
    return static_cast<int>(dataRateItems().indexOf(wanted));
}

QString comboToDataRate(const QString& comboText) {
    if (comboText.size() > 3 && comboText.endsWith(u"Mb")) return comboText.left(comboText.size() - 3);
    return comboText;
}

QStringList splitChannelList(const QString& text) {
    QStringList out;
    QString current;
    for (const QChar c : text) {
        if (c == u' ' && !current.isEmpty()) {
            out.append(current);
            current.clear();
        } else {
            // A blank while the item is still empty starts the next item.
            current.append(c);
        }
    }
    if (!current.isEmpty()) out.append(current);
    return out;
}

std::optional<QStringList> optionalRowItems(const QString& dataRateNew) {
    switch (intOr(dataRateNew, 0)) {
        case 0:
            return kRateItemsAll;
        case 1:
            return kRateItemsNoBasic;
        default:
            return std::nullopt;
    }
}

std::array<int, kRateCount> resetRateIndexes(int gonlyIndex) {
    constexpr int kEnable = 1, kBasic = 2;
    std::array<int, kRateCount> out;
    out.fill(kEnable);
    for (int row : kCckRows) out[row] = kBasic;
    for (int row : kMandatoryRows) out[row] = gonlyIndex != 0 ? kBasic : kEnable;
    return out;
}

namespace {

constexpr int kSuperModeDisable = 3;

bool isAccessPoint(const ModeState& s) {
    return s.apModeText == u"Access Point" && s.superModeIndex == kSuperModeDisable;
}

bool isBridge(const ModeState& s) {
    static const QStringList bridges{QStringLiteral("PtP Bridge"), QStringLiteral("PtMP Bridge"),
                                     QStringLiteral("PtP Without"), QStringLiteral("P2MP Without")};
    return bridges.contains(s.apModeText) && s.superModeIndex == kSuperModeDisable;
}

void allRates(RateControls& r, bool enabled) {
    for (auto& e : r.rateEnabled) e = enabled;
    r.resetEnabled = enabled;
}

// Data-rate control on: the 802.11b rates stay fixed, the others are the user's.
void rateControlOn(RateControls& r, bool mandatoryEnabled, bool modeKnown) {
    allRates(r, true);
    for (int row : kCckRows) r.rateEnabled[row] = false;
    for (int row : kMandatoryRows) r.rateEnabled[row] = mandatoryEnabled;
    r.dataRateEnabled = false;
    if (modeKnown) r.dataRateIndex = 0;
}

}  // namespace

RateControls updateModeControls(const ModeState& s) {
    RateControls r;
    if (isAccessPoint(s)) {
        r.dataRateEnabled = true;
        if (s.rateControlSupported) {
            r.dateStatusEnabled = true;
            if (s.dateStatusIndex == 0) {
                allRates(r, false);
                r.dataRateEnabled = true;
            } else {
                rateControlOn(r, true, s.modeKnown);
            }
        }
        return r;
    }
    if (isBridge(s)) {
        r.dataRateEnabled = true;
    } else {
        r.dataRateEnabled = false;
        // A mode that could not be read must not turn the rate into "Auto" on the next Apply.
        if (s.modeKnown) r.dataRateIndex = 0;
    }
    if (s.rateControlSupported) {
        r.dateStatusEnabled = false;
        if (s.modeKnown) r.dateStatusIndex = 0;
        allRates(r, false);
    }
    return r;
}

RateControls dateStatusChange(const ModeState& s) {
    RateControls r;
    if (s.dateStatusIndex == 0) {
        allRates(r, false);
        if (s.apModeIndex == 0 && s.superModeText.contains(u"Disable")) r.dataRateEnabled = true;
        return r;
    }
    rateControlOn(r, s.gonlyIndex != 1, s.modeKnown);
    return r;
}

std::optional<MandatoryRows> gonlyClick(const ModeState& s) {
    if (!isAccessPoint(s)) return std::nullopt;
    MandatoryRows m;
    if (s.gonlyIndex == 1) {
        m.items = kRateItemsAll;
        m.enabled = false;
    } else {
        m.items = kRateItemsNoBasic;
        if (s.dateStatusIndex == 1) m.enabled = true;
    }
    return m;
}

std::optional<MandatoryRows> gonlyChange(const ModeState& s) {
    auto m = gonlyClick(s);
    if (!m) return m;
    if (s.gonlyIndex == 1)
        m->selectBasic = true;
    else
        m->selectFromRows = true;
    return m;
}

void afterGOnlyProbe(Geometry& g, bool present) {
    if (present) return;
    g.xrTop -= kRowStep;
    g.wmmTop -= kRowStep;
    g.preambleTop -= kRowStep;
    g.groupBox1Height -= kRowStep;
    g.groupBox2Top -= kRowStep;
    g.buttonsTop -= kRowStep;
    g.clientHeight -= kRowStep;
}

void afterXRProbe(Geometry& g, bool present) {
    if (present) {
        // The XR row fits the group box as laid out; only the buttons make room, and the form grows
        // with them, so that they stay above the status bar.
        g.buttonsTop += kRowStep;
        g.clientHeight += kRowStep;
        return;
    }
    g.wmmTop -= kRowStep;
    g.preambleTop -= kRowStep;
    g.groupBox1Height -= kRowStep;
    g.groupBox2Top -= kRowStep;
    g.buttonsTop -= kRowStep;
    g.clientHeight -= kRowStep;
}

void afterWMMProbe(Geometry& g, bool present) {
    if (present) return;
    g.preambleTop -= kRowStep;
    g.groupBox1Height -= kRowStep;
    g.groupBox2Top -= kRowStep;
    g.buttonsTop -= kRowStep;
    g.clientHeight -= kRowStep;
}

void afterRateSupport(Geometry& g, bool supported, int groupBox2Height) {
    if (supported) return;
    // The buttons take the rate box's place with the room below them as it was, plus the designed
    // gap between box and buttons; the shift the XR row gave the buttons is no longer needed.
    const Geometry designed;
    const int below = g.clientHeight - g.buttonsTop;
    g.groupBox2Visible = false;
    g.buttonsTop = g.groupBox2Top;
    g.clientHeight = g.buttonsTop + below + (designed.buttonsTop - designed.groupBox2Top - groupBox2Height);
}

}  // namespace PerformaceRules
