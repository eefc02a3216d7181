// The pages whose creation reads go out together, a walk's first row with them: each opens showing,
// refusing and reporting exactly what it shows when every read waits for the one before (the page
// base's reference, setReadsTogether(false)), also with one read unanswered and with one object
// answering noSuchName; and their reads wait on the wire no more than their dependencies need.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "library/HvSNMPSession.h"
#include "library/snmp/HvNetSnmpTransport.h"
#include "module/Main.h"
#include "module/HvPage.h"
#include "pages/admin/Dhcp.h"
#include "pages/wireless/Encrypt.h"
#include "pages/wireless/Filer.h"
#include "pages/wireless/Group.h"
#include "pages/wireless/Modecfg.h"
#include "pages/wireless/Multissid.h"
#include "pages/wireless/Multissid2.h"
#include "pages/wireless/Performace.h"
#include "pages/wireless/Wirless.h"
#include "tests/NamedRows.h"
#include "tests/support/DeviceState.h"
#include "tests/support/PageFixture.h"
#include "tests/support/WatchedTransport.h"

namespace {

using hvtest::PrintTo;
using namespace states;

using PageMaker = std::function<std::unique_ptr<HvPage>(TMainForm&)>;

template <class T>
PageMaker pageOf() {
    return [](TMainForm& m) { return std::make_unique<T>(m); };
}

// The wireless page on firmware without multiple SSIDs: the guests' reads in place of theirs.
std::unique_ptr<HvPage> wirelessWithGuests(TMainForm& m) {
    m.NewMultiSupport->setText(QStringLiteral("0"));
    return std::make_unique<TFM_Wirless>(m);
}

// What a page shows: each control's place, flags and value, its status bar's lines (times left
// out), one line each.
std::vector<std::string> shown(const HvPage& page) {
    static const QRegularExpression time(QStringLiteral("\\d{1,2}:\\d{2}(:\\d{2})?( ?[AaPp][Mm])?"));
    auto plain = [](QString s) { return s.replace(time, QStringLiteral("<time>")).toStdString(); };
    std::vector<std::string> lines;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        auto* c = dynamic_cast<forms::Control*>(w);
        if (!c || w->objectName().isEmpty()) continue;
        std::string line = w->objectName().toStdString() + (c->visible() ? " shown" : " hidden") +
                           (c->enabled() ? " enabled " : " disabled ") + std::to_string(w->x()) + "," +
                           std::to_string(w->y()) + " " + std::to_string(w->width()) + "x" +
                           std::to_string(w->height());
        if (auto* e = dynamic_cast<forms::Edit*>(w))
            line += " '" + e->text().toStdString() + "'" + (e->isReadOnly() ? " locked" : "") + " max " +
                    std::to_string(e->maxLength());
        else if (auto* b = dynamic_cast<forms::ComboBox*>(w))
            line += " [" + b->items().join(u'|').toStdString() + "] #" + std::to_string(b->itemIndex()) + " '" +
                    b->text().toStdString() + "'";
        else if (auto* k = dynamic_cast<forms::CheckBox*>(w))
            line += k->checked() ? " checked" : " unchecked";
        else if (auto* l = dynamic_cast<forms::ListView*>(w)) {
            for (int i = 0; i < l->itemCount(); ++i)
                line += " {" + l->item(i)->caption().toStdString() + "|" +
                        l->item(i)->subItems().join(u'|').toStdString() + "}";
        } else if (auto* s = dynamic_cast<forms::StatusBar*>(w)) {
            line += " '" + plain(s->simpleText()) + "'";
            for (int i = 0; i < s->panelCount(); ++i) line += " '" + plain(s->panel(i)->text()) + "'";
        } else if (auto* t = dynamic_cast<forms::Label*>(w))
            line += " '" + t->caption().toStdString() + "'";
        else if (auto* g = dynamic_cast<forms::GroupBox*>(w))
            line += " '" + g->caption().toStdString() + "'";
        lines.push_back(line);
    }
    return lines;
}

class ReadsTogetherFixture : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        m_saved = HvSNMPSession::session;
    }
    void TearDown() override {
        // The engine the main window started, for the tests after this one in the same process.
        HvSNMPSession::session = m_saved ? m_saved : HvSNMPSession::engine();
        HvPage::setReadsTogether(true);
        PageTest::TearDown();
    }

    // The page opened on the device as it stands, with its reads together or not; what it showed
    // and the boxes it opened once its requests are idle.
    struct Opened {
        std::vector<std::string> shown;
        std::vector<std::string> boxes;
        int syncReads = 0;
        size_t mostOut = 0;
        bool created = false;
    };
    Opened open(TMainForm& main, const PageMaker& make, bool together, const std::string& muted) {
        HvSnmpTransport* own = HvSNMPSession::session;
        WatchedTransport transport(own);
        transport.muted = muted;
        HvSNMPSession::session = &transport;
        HvPage::setReadsTogether(together);
        boxes.clear();
        Opened o;
        {
            std::unique_ptr<HvPage> page = make(main);
            page->show();
            EXPECT_TRUE(waitFor([&] { return page->idle(); }));
            o.created = page->created();
            o.shown = shown(*page);
            o.syncReads = transport.syncReads;
            o.mostOut = transport.mostOut;
        }
        HvPage::setReadsTogether(true);
        HvSNMPSession::session = own;
        for (const auto& b : boxes) o.boxes.push_back((b.caption + QStringLiteral(": ") + b.text).toStdString());
        return o;
    }
    void startIn(const DeviceState& state) {
        forms::Application::setTimeScale(0.02);
        ASSERT_TRUE(startSim()) << sim->error();
        HvSNMPSession::defaults.timeout = 100;
        std::string why;
        ASSERT_TRUE(applyState(*sim, state, &why)) << why;
    }

    HvSnmpTransport* m_saved = nullptr;
};

// ---- What a page shows ----------------------------------------------------------------------------

struct ShownRow {
    const char* name;
    PageMaker make;
    DeviceState state;
    std::string muted;  // the object whose reads go unanswered; empty: none
};

class ReadsTogetherShows : public ReadsTogetherFixture, public ::testing::WithParamInterface<ShownRow> {};

// Opened with its reads together, the page shows, reports and asks exactly what it does when each
// read waits for the one before: every control, the status bar's lines, the boxes in their order.
// An unanswered read still ends the asking: the reads after it show what they showed then.
TEST_P(ReadsTogetherShows, AsWhenEachReadWaitedForTheOneBefore) {
    const ShownRow& row = GetParam();
    TMainForm& main = idleMain();
    startIn(row.state);
    takeCapabilities(main, *sim);
    const Opened reference = open(main, row.make, false, row.muted);
    const Opened together = open(main, row.make, true, row.muted);
    EXPECT_TRUE(reference.created);
    EXPECT_EQ(together.created, reference.created);
    ASSERT_EQ(together.shown.size(), reference.shown.size());
    for (size_t i = 0; i < reference.shown.size(); ++i) EXPECT_EQ(together.shown[i], reference.shown[i]);
    EXPECT_EQ(together.boxes, reference.boxes);
    // Fewer reads wait on the wire, one after another.
    EXPECT_LT(together.syncReads, reference.syncReads);
}

const std::string kSecurityAuth = E + "2.5.1.1.1.1";  // the wireless page's security, third read
const std::string kApMode = E + "2.1.1.1.1";          // the wireless page's first synchronous read
const std::string kMasterSsid = E + "2.9.2.1.3.1.1";  // the old Multi-SSID page's second read
const std::string kVlanState = E + "2.9.1.1.1";       // the new Multi-SSID page's third read
const std::string kApModeScalar = E + "2.1.1.1";      // the encryption page's second read
const std::string kPassPhraseA = E + "2.5.1.1.4.1";   // the encryption page's third read
const std::string kLoadBalance = E + "2.6.1";          // the grouping page's first read
const std::string kFilterA = E + "2.4.1.1.1.1";       // the filter page's first read
const std::string kDhcpStart = E + "2.7.2.1";         // the DHCP page's first read
const std::string kDhcpFunction = E + "2.7.1.0";      // the DHCP page's second read
const std::string kRateControl = E + "2.14.1.2.1";    // the performance page's read after the rate support

const ShownRow kShownRows[] = {
    {"Wireless", pageOf<TFM_Wirless>(), standard(), ""},
    {"WirelessGuests", wirelessWithGuests, standard() + newMultiSupport(0), ""},
    {"WirelessRepeaterWep", pageOf<TFM_Wirless>(), standard() + apMode(Mode::Repeater) + wep(3), ""},
    {"WirelessSecurityUnanswered", pageOf<TFM_Wirless>(), standard(), kSecurityAuth},
    {"WirelessApModeNoSuchName", pageOf<TFM_Wirless>(), standard() + noSuchName(kApMode), ""},
    {"WirelessOlderFirmware", pageOf<TFM_Wirless>(), standard() + olderFirmware(), ""},
    {"MultiSsidOld", pageOf<TFM_MultiSSIDForm>(), standard() + newMultiSupport(0), ""},
    {"MultiSsidOldMasterUnanswered", pageOf<TFM_MultiSSIDForm>(), standard() + newMultiSupport(0), kMasterSsid},
    {"MultiSsidOldMasterNoSuchName", pageOf<TFM_MultiSSIDForm>(),
     standard() + newMultiSupport(0) + noSuchName(kMasterSsid), ""},
    {"MultiSsidNew", pageOf<TFM_MultiSSIDNewForm>(), standard(), ""},
    {"MultiSsidNewVlanUnanswered", pageOf<TFM_MultiSSIDNewForm>(), standard(), kVlanState},
    {"MultiSsidNewVlanNoSuchName", pageOf<TFM_MultiSSIDNewForm>(), standard() + noSuchName(kVlanState), ""},
    {"Encryption", pageOf<TFM_Encrypt>(), standard() + pskCipher(Cipher::Tkip), ""},
    {"EncryptionApModeUnanswered", pageOf<TFM_Encrypt>(), standard(), kApModeScalar},
    {"EncryptionPassPhraseNoSuchName", pageOf<TFM_Encrypt>(), standard() + noSuchName(kPassPhraseA), ""},
    {"Grouping", pageOf<TFM_Group>(), standard(), ""},
    {"GroupingFirstUnanswered", pageOf<TFM_Group>(), standard(), kLoadBalance},
    {"GroupingLoadBalanceNoSuchName", pageOf<TFM_Group>(), standard() + noSuchName(kLoadBalance), ""},
    {"Filter", pageOf<TFM_Filter>(), standard(), ""},
    {"FilterUnanswered", pageOf<TFM_Filter>(), standard() + joined(), kFilterA},
    {"Dhcp", pageOf<TFM_DHCP>(), standard(), ""},
    {"DhcpFullPool", pageOf<TFM_DHCP>(), standard() + staticPoolFull(), ""},
    {"DhcpFirstUnanswered", pageOf<TFM_DHCP>(), standard(), kDhcpStart},
    {"DhcpFunctionNoSuchName", pageOf<TFM_DHCP>(), standard() + noSuchName(kDhcpFunction), ""},
    {"Performance", pageOf<TFM_Performace>(), standard() + dataRateControl(true), ""},
    {"PerformanceRateControlUnanswered", pageOf<TFM_Performace>(), standard() + dataRateControl(true), kRateControl},
    {"PerformanceRateControlNoSuchName", pageOf<TFM_Performace>(),
     standard() + dataRateControl(false) + noSuchName(kRateControl), ""},
    {"Mode", pageOf<TFM_ModeCFG>(), standard() + apMode(Mode::Repeater), ""},
};

INSTANTIATE_TEST_SUITE_P(Pages, ReadsTogetherShows, ::testing::ValuesIn(kShownRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Trips ----------------------------------------------------------------------------------------

struct TripsRow {
    const char* name;
    PageMaker make;
    DeviceState state;
    int syncReads;    // creation reads that still wait on the wire, one after another
    size_t together;  // operations out at once
};

class ReadsTogetherTrips : public ReadsTogetherFixture, public ::testing::WithParamInterface<TripsRow> {};

TEST_P(ReadsTogetherTrips, OnlyDependentReadsWaitOnTheWire) {
    const TripsRow& row = GetParam();
    TMainForm& main = idleMain();
    startIn(row.state);
    takeCapabilities(main, *sim);
    const Opened o = open(main, row.make, true, "");
    EXPECT_TRUE(o.created);
    EXPECT_EQ(o.syncReads, row.syncReads);
    EXPECT_EQ(o.mostOut, row.together);
    EXPECT_TRUE(o.boxes.empty());
}

const TripsRow kTripsRows[] = {
    // Every scalar read, synchronous and asynchronous, and the secondary SSIDs' first row out at once
    // (the main window has an answer); only that table's next rows are walked on the wire.
    {"Wireless", pageOf<TFM_Wirless>(), standard(), 8, 17},
    // The guests' settings in place of that table: eleven scalar reads, nothing waits on the wire.
    {"WirelessGuests", wirelessWithGuests, standard() + newMultiSupport(0), 0, 16},
    // Five reads, four together; the AP mode is asynchronous.
    {"MultiSsidOld", pageOf<TFM_MultiSSIDForm>(), standard() + newMultiSupport(0), 0, 6},
    // Five reads, the table's first row and the AP-domain state together.
    {"MultiSsidNew", pageOf<TFM_MultiSSIDNewForm>(), standard(), 0, 7},
    // The security, the AP mode and the shown tab's WPA settings.
    {"Encryption", pageOf<TFM_Encrypt>(), standard(), 0, 3},
    // The grouping, the AP mode and the AP-domain state.
    {"Grouping", pageOf<TFM_Group>(), standard(), 0, 3},
    // The filters and the AP-domain state.
    {"Filter", pageOf<TFM_Filter>(), standard(), 0, 2},
    // The two settings, the first rows of the static pool and of both lists of leases, and the
    // AP-domain state.
    {"Dhcp", pageOf<TFM_DHCP>(), standard(), 0, 6},
    // The shown tab's mode.
    {"Mode", pageOf<TFM_ModeCFG>(), standard(), 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Pages, ReadsTogetherTrips, ::testing::ValuesIn(kTripsRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
