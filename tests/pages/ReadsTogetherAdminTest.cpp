// The administration pages read together: each page, opened once with every read waiting for the one
// before and once with its reads out together, shows, refuses and reports the same, on a device that
// answers, on one that leaves one read unanswered and on one that answers noSuchName for one object.
// Then the first PDU's extra trip: skipped once the device has answered the main window, kept for a
// device that never did.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "library/HvClock.h"
#include "library/HvSNMPSession.h"
#include "library/HvSNMPVarList.h"
#include "module/HvPage.h"
#include "module/Misc.h"
#include "pages/admin/Admin.h"
#include "pages/admin/Admin2.h"
#include "pages/admin/Devinfo.h"
#include "pages/admin/Lan.h"
#include "pages/admin/System.h"
#include "pages/admin/Systemlog.h"
#include "tests/NamedRows.h"
#include "tests/support/PageFixture.h"

namespace {

using hvtest::PrintTo;

// An object of a table: item of table, with the instance suffix a read sends for it.
struct Object {
    const MibObjectDef* table;
    int item;
    const char* instance = "";
    // Built when the option lists are (a list copies its items' lists).
    std::string oid() const { return HvSNMPVarList(table, SVT_SV, 0).item(item).oid + instance; }
};

// Passes everything on to the session's transport, except that a read asking for an object under
// `silent` gets no answer: it ends as a time-out, an asynchronous one from the pump. Counts the
// operations started and the most asynchronous ones out at once.
class Watched final : public HvSnmpTransport {
public:
    explicit Watched(HvSnmpTransport* own) : m_own(own) {}
    std::string silent;
    int started = 0;
    size_t mostOut = 0;

    bool checkAddress(const std::string& address) override { return m_own->checkAddress(address); }
    HvSnmpReply sendSync(const HvSnmpCall& call) override {
        ++started;
        if (unanswered(call)) return timedOut(call);
        return m_own->sendSync(call);
    }
    int32_t sendAsync(HvSnmpCall call, std::weak_ptr<const void> owner, HvSnmpCompletion done) override {
        ++started;
        if (unanswered(call)) {
            m_late.push_back({timedOut(call), std::move(owner), std::move(done)});
            mostOut = std::max(mostOut, m_own->pendingCount() + m_late.size());
            return HvSnmpStatus::Success;
        }
        const int32_t sent = m_own->sendAsync(std::move(call), std::move(owner), std::move(done));
        mostOut = std::max(mostOut, m_own->pendingCount() + m_late.size());
        return sent;
    }
    void processPending() override {
        while (!m_late.empty()) {
            Late late = std::move(m_late.front());
            m_late.pop_front();
            if (!late.owner.expired()) late.done(late.reply);
        }
        m_own->processPending();
    }
    void processReadable(int fd) override { m_own->processReadable(fd); }
    std::vector<int> pollDescriptors() const override { return m_own->pollDescriptors(); }
    uint64_t socketsGeneration() const override { return m_own->socketsGeneration(); }
    std::size_t pendingCount() const override { return m_own->pendingCount() + m_late.size(); }

private:
    struct Late {
        HvSnmpReply reply;
        std::weak_ptr<const void> owner;
        HvSnmpCompletion done;
    };
    bool unanswered(const HvSnmpCall& call) const {
        return !silent.empty() && call.op != HvSnmpOp::Set &&
               std::any_of(call.varbinds.begin(), call.varbinds.end(),
                           [&](const HvVarBind& v) { return v.oid.rfind(silent, 0) == 0; });
    }
    static HvSnmpReply timedOut(const HvSnmpCall& call) {
        HvSnmpReply reply;
        reply.status = HvSnmpStatus::Timeout;
        reply.varbinds = call.varbinds;
        for (HvVarBind& v : reply.varbinds) v = HvVarBind{v.oid};
        reply.sent = reply.varbinds;
        return reply;
    }
    HvSnmpTransport* m_own;
    std::deque<Late> m_late;
};

// What a page shows and reports: every control's value, visibility and enabled flag, the status
// bar, and the boxes it opened.
std::map<std::string, std::string> shown(const HvPage& page, const std::vector<forms::MessageBoxCall>& boxes) {
    std::map<std::string, std::string> out;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        auto* c = dynamic_cast<forms::Control*>(w);
        if (!c || c->asWidget() != w || w->objectName().isEmpty()) continue;
        std::string v = std::string(c->visible() ? "shown" : "hidden") + (c->enabled() ? ",on" : ",off");
        if (auto* e = dynamic_cast<forms::Edit*>(w)) v += " '" + e->text().toStdString() + "'";
        if (auto* b = dynamic_cast<forms::ComboBox*>(w))
            v += " #" + std::to_string(b->itemIndex()) + " '" + b->text().toStdString() + "'";
        if (auto* k = dynamic_cast<forms::CheckBox*>(w)) v += k->checked() ? " [x]" : " [ ]";
        if (auto* r = dynamic_cast<forms::RadioButton*>(w)) v += r->checked() ? " (o)" : " ( )";
        if (auto* s = dynamic_cast<forms::StatusBar*>(w)) v += " '" + s->simpleText().toStdString() + "'";
        out[w->objectName().toStdString()] = v;
    }
    for (size_t i = 0; i < boxes.size(); ++i)
        out["box " + std::to_string(i)] = boxes[i].text.toStdString() + " / " + boxes[i].caption.toStdString();
    out["created"] = page.created() ? "yes" : "no";
    return out;
}

struct PageCase {
    std::string name;
    std::function<std::unique_ptr<HvPage>(TMainForm&)> make;
    size_t reads;             // the creation PDUs that go out at once
    Object unanswered;  // an object whose read gets no answer
    Object noSuchName;  // an object the device does not have (its instance)
};

enum class Device { Answers, LeavesOneUnanswered, LacksOneObject };

struct TogetherCase {
    std::string name;
    PageCase page;
    Device device;
};

const PageCase kAdminNew{"AdminNew", [](TMainForm& m) { return std::make_unique<TFM_AdminNew>(m); }, 8,
                         {kMibT102, 0}, {kMibT043, 1, ".0"}};
const PageCase kAdmin{"Admin", [](TMainForm& m) { return std::make_unique<TFM_Admin>(m); }, 2,
                      {kMibT105, 1}, {kMibT043, 1, ".0"}};
const PageCase kSystem{"System", [](TMainForm& m) { return std::make_unique<TFM_Sytem>(m); }, 2,
                       {kMibT044, 0}, {kMibT044, 1, ".0"}};
const PageCase kDevInfo{"DevInfo", [](TMainForm& m) { return std::make_unique<TFM_DevInfo>(m); }, 2,
                        {kMibT052, 0}, {kMibT051, 1, ".0"}};
const PageCase kLan{"Lan", [](TMainForm& m) { return std::make_unique<TFM_LanCfg>(m); }, 3,
                    {kMibT003, 1}, {kMibT003, 2, ".0"}};

const PageCase kLog{"Log", [](TMainForm& m) { return std::make_unique<TLogForm>(m); }, 4,
                    {kMibT096, 0}, {kMibT098, 0, ".0"}};

std::vector<TogetherCase> cases() {
    std::vector<TogetherCase> out;
    for (const PageCase& p : {kAdminNew, kAdmin, kSystem, kDevInfo, kLan, kLog}) {
        out.push_back({p.name + "Answers", p, Device::Answers});
        out.push_back({p.name + "LeavesOneUnanswered", p, Device::LeavesOneUnanswered});
        out.push_back({p.name + "LacksOneObject", p, Device::LacksOneObject});
    }
    return out;
}

class ReadsTogetherAdmin : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        HvSetClock([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
        // The log page's TFTP server on a free port of its own.
        qputenv("HV_TFTP_PORT", "0");
    }
    void TearDown() override {
        HvPage::setReadsTogether(true);
        HvSetClock({});
        qunsetenv("HV_TFTP_PORT");
        PageTest::TearDown();
    }

    struct Opened {
        std::map<std::string, std::string> shown;
        std::vector<std::string> asked;  // the objects the device was asked for, sorted
        int started = 0;
        size_t mostOut = 0;
    };
    // Opens the page with its reads together or one after another, waits until the device has
    // nothing more of it to answer, and closes it.
    Opened open(const PageCase& page, TMainForm& main, bool together, const std::string& silent) {
        HvPage::setReadsTogether(together);
        HvSnmpTransport* own = HvSNMPSession::session;
        EXPECT_NE(own, nullptr);
        Watched watched(own);
        watched.silent = silent;
        HvSNMPSession::session = &watched;
        const size_t from = sim->logSize();
        const size_t shownBoxes = boxes.size();
        std::unique_ptr<HvPage> p = page.make(main);
        EXPECT_TRUE(waitFor([&] { return p->requestsIdle(); }));
        Opened o;
        o.shown = shown(*p, std::vector<forms::MessageBoxCall>(boxes.begin() + long(shownBoxes), boxes.end()));
        p.reset();
        HvSNMPSession::session = own;
        for (const SimLogLine& l : sim->requests(from)) o.asked.push_back(l.op + " " + l.asked);
        std::sort(o.asked.begin(), o.asked.end());
        o.started = watched.started;
        o.mostOut = watched.mostOut;
        return o;
    }
};

class ReadsTogetherAsBefore : public ReadsTogetherAdmin, public ::testing::WithParamInterface<TogetherCase> {};

TEST_P(ReadsTogetherAsBefore, ShowsRefusesAndReportsAsReadOneAfterAnother) {
    const TogetherCase& c = GetParam();
    TMainForm& main = idleMain();
    ASSERT_TRUE(startSim()) << sim->error();
    std::string silent;
    if (c.device == Device::LeavesOneUnanswered) silent = c.page.unanswered.oid();
    if (c.device == Device::LacksOneObject) {
        ASSERT_TRUE(sim->ok("error " + c.page.noSuchName.oid() + " noSuchName get"));
    }

    const Opened before = open(c.page, main, false, silent);
    const Opened together = open(c.page, main, true, silent);
    EXPECT_EQ(together.shown, before.shown);
    // A read the first unanswered one stops was out with the others, so the device may have been
    // asked for more; otherwise for the same.
    if (c.device != Device::LeavesOneUnanswered) {
        EXPECT_EQ(together.asked, before.asked);
    }
    EXPECT_EQ(together.mostOut, c.page.reads);
    EXPECT_LT(before.mostOut, together.mostOut) << "the reference run read its scalars together";
}

INSTANTIATE_TEST_SUITE_P(Pages, ReadsTogetherAsBefore, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

// The first PDU goes alone only while neither the main window nor the page has had an answer.
TEST_F(ReadsTogetherAdmin, AllGoOutAtOnceWhenTheMainWindowHasAnAnswer) {
    TMainForm& main = idleMain();
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(main.deviceAnswering());
    EXPECT_EQ(open(kAdminNew, main, true, {}).mostOut, kAdminNew.reads);
    main.lastStatusCode = HvSnmpStatus::Timeout;
    // The lead alone, then the seven others together.
    EXPECT_EQ(open(kAdminNew, main, true, {}).mostOut, kAdminNew.reads - 1);
}

TEST_F(ReadsTogetherAdmin, ASilentDeviceIsAskedNoMoreThanOneReadAfterAnother) {
    TMainForm& main = idleMain();
    main.lastStatusCode = HvSnmpStatus::Timeout;
    ASSERT_TRUE(startSim()) << sim->error();
    HvSNMPSession::defaults.timeout = 20;
    ASSERT_TRUE(sim->ok("silence 60000"));
    const Opened before = open(kAdminNew, main, false, {});
    const Opened together = open(kAdminNew, main, true, {});
    EXPECT_EQ(together.started, before.started);
    EXPECT_EQ(together.shown, before.shown);
    // The first read alone, then the two asynchronous reads that always went out.
    EXPECT_LE(together.mostOut, size_t(2));
}

}  // namespace
