// The security servers dialog against the device simulator: its asynchronous read and write, the
// checks before the write, and its outcome reaching the opener only from the device's answer.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "module/Main.h"
#include "pages/wireless/Sss.h"
#include "tests/support/PageUnderTest.h"

namespace {

const std::string E = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kDnsIp = E + "2.5.2.1.0";
const std::string kDns = E + "2.5.2.2.0";
const std::string kRadius = E + "2.5.2.3.0";
const std::string kPort = E + "2.5.2.4.0";
const std::string kSecret = E + "2.5.2.5.0";

class SssTest : public PageUnderTest<TFM_SSS> {
protected:
    void SetUp() override {
        PageUnderTest::SetUp();
        setFilter = [](const SimLogLine& l) { return l.asked.rfind(E + "2.5.2.", 0) == 0; };
    }

    // The dialog, its opener counting what it hears.
    TFM_SSS& make() {
        return makePage([this] { ++applied; });
    }
    // The dialog, its first read answered.
    TFM_SSS& open() {
        TFM_SSS& d = make();
        EXPECT_TRUE(waitFor([&] { return !d.reqServers->busy; }));
        return d;
    }
    // Shows the dialog modally; act runs once it is shown. False when the loop did not end by itself
    // within the deadline (the test then closes it).
    bool runModal(std::function<void(TFM_SSS&)> act, int deadlineMs = 10000) {
        TFM_SSS* d = page.get();
        bool timedOut = false;
        whenShown(d, [d, act] { act(*d); });
        QTimer::singleShot(deadlineMs, d, [d, &timedOut] {
            timedOut = true;
            d->setModalResult(forms::mrCancel);
        });
        d->showModal();
        return !timedOut;
    }
    void fillValid(TFM_SSS& d) {
        d.Ed_DNSIP->setText(QStringLiteral("192.168.0.1"));
        d.Ed_DNS->setText(QStringLiteral("lab"));
        d.Ed_RadiusSrv->setText(QStringLiteral("10.0.0.2"));
        d.Ed_RadiusPort->setText(QStringLiteral("1645"));
        d.Ed_RadiusSec->setText(QStringLiteral("secret"));
    }
    std::vector<std::string> written(size_t from) const { return setLog(from, E); }

    int applied = 0;
};

TEST_F(SssTest, OpensWithTheDeviceValues) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kDnsIp + " a 192.168.0.10"));
    ASSERT_TRUE(sim->ok("set " + kRadius + " s 10.0.0.2"));
    ASSERT_TRUE(sim->ok("set " + kSecret + " s shh"));
    make();
    // Apply waits for the read: a write now would send what the device is about to overwrite.
    EXPECT_FALSE(page->Bt_Apply->enabled());
    TFM_SSS& d = open();
    EXPECT_EQ(d.caption(), u"Security Server Settings");
    EXPECT_EQ(d.Ed_DNSIP->text(), u"192.168.0.10");
    EXPECT_EQ(d.Ed_DNS->text(), u"");
    EXPECT_EQ(d.Ed_RadiusSrv->text(), u"10.0.0.2");
    EXPECT_EQ(d.Ed_RadiusPort->text(), u"1812");
    EXPECT_EQ(d.Ed_RadiusSec->text(), u"shh");
    EXPECT_TRUE(d.Bt_Apply->enabled());
    EXPECT_EQ(d.Ed_RadiusPort->maxLength(), 5);
    for (auto* e : {d.Ed_DNS, d.Ed_RadiusSrv, d.Ed_RadiusSec}) EXPECT_EQ(e->maxLength(), 32);
    EXPECT_EQ(applied, 0);
}

// The five objects in one write; the dialog closes from the write's completion, after which the
// opener hears of it.
TEST_F(SssTest, GoodWriteClosesAndTellsTheOpener) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SSS& d = open();
    const size_t mark = sim->logSize();
    int appliedAtClick = -1;
    ASSERT_TRUE(runModal([&](TFM_SSS& s) {
        fillValid(s);
        s.Bt_Apply->userClick();
        appliedAtClick = applied;
    }));
    EXPECT_EQ(appliedAtClick, 0);
    EXPECT_EQ(applied, 1);
    const auto w = sets(mark);
    ASSERT_EQ(w.size(), 5u);
    for (const auto& l : w) EXPECT_EQ(l.reqId, w[0].reqId);
    EXPECT_EQ(written(mark),
              (std::vector<std::string>{"2.5.2.1.0=192.168.0.1", "2.5.2.2.0=lab", "2.5.2.3.0=10.0.0.2",
                                        "2.5.2.4.0=1645", "2.5.2.5.0=secret"}));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(d.isVisible());
}

// The device shows its RADIUS secret masked: Apply writes the four servers' settings and keeps the
// secret; a secret the user typed goes out.
TEST_F(SssTest, MaskedSecretIsNotWrittenBack) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("set " + kRadius + " s 10.0.0.2"));
    ASSERT_TRUE(sim->ok("set " + kSecret + " s ********"));
    TFM_SSS& d = open();
    ASSERT_EQ(d.Ed_RadiusSec->text(), u"********");
    size_t mark = sim->logSize();
    ASSERT_TRUE(runModal([&](TFM_SSS& s) { s.Bt_Apply->userClick(); }));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(written(mark), (std::vector<std::string>{
                                 "2.5.2.1.0=0.0.0.0", "2.5.2.2.0=", "2.5.2.3.0=10.0.0.2", "2.5.2.4.0=1812"}));
    EXPECT_EQ(sim->command("get " + kSecret), "ok s \"********\"");

    page.reset();
    TFM_SSS& again = open();
    mark = sim->logSize();
    ASSERT_TRUE(runModal([&](TFM_SSS& s) {
        s.Ed_RadiusSec->setText(QStringLiteral("new-secret"));
        s.Bt_Apply->userClick();
    }));
    EXPECT_FALSE(again.isVisible());
    EXPECT_TRUE(hasSet(mark, kSecret, "new-secret"));
}

struct BadServers {
    const char* name;
    const char* dnsIp;
    const char* radius;
    const char* box;
    const char* caption;
    bool dnsEmptied;
    bool radiusFocused;
};

void PrintTo(const BadServers& c, std::ostream* os) {
    *os << c.name;
}

const BadServers kBad[] = {
    {"DnsBroadcast", "192.168.0.255", "10.0.0.2", "Please enter valid ip Address", "Waring", true, false},
    {"RadiusZero", "0.0.0.0", "0.0.0.0", "The Radius server's IP is illegal.", "Error", false, true},
};

class SssRefusals : public SssTest, public ::testing::WithParamInterface<BadServers> {};

TEST_P(SssRefusals, WriteNothingAndTellNobody) {
    const BadServers& c = GetParam();
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SSS& d = open();
    d.show();
    fillValid(d);
    d.Ed_DNSIP->setText(QString::fromLatin1(c.dnsIp));
    d.Ed_RadiusSrv->setText(QString::fromLatin1(c.radius));
    const size_t mark = sim->logSize();
    d.Bt_Apply->userClick();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromLatin1(c.box));
    EXPECT_EQ(boxes[0].caption, QString::fromLatin1(c.caption));
    EXPECT_EQ(d.Ed_DNSIP->text(), c.dnsEmptied ? QString() : QString::fromLatin1(c.dnsIp));
    EXPECT_EQ(d.Ed_RadiusSrv->focused(), c.radiusFocused);
    QCoreApplication::processEvents();
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(applied, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, SssRefusals, ::testing::ValuesIn(kBad),
                         [](const auto& info) { return std::string(info.param.name); });

// A refused write leaves the dialog open with the result line and Apply offered again; the opener
// hears nothing.
TEST_F(SssTest, RefusedWriteStaysOpenAndTellsNobody) {
    ASSERT_TRUE(startSim()) << sim->error();
    open();
    ASSERT_TRUE(sim->ok("error " + kRadius + " genErr set"));
    QString before, status;
    const bool ended = runModal([&](TFM_SSS& s) {
        fillValid(s);
        before = s.StatusBar->simpleText();
        s.Bt_Apply->userClick();
        EXPECT_TRUE(waitFor([&] { return !s.reqServers->busy; }));
        status = s.StatusBar->simpleText();
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(s.Bt_Apply->enabled());
        s.setModalResult(forms::mrCancel);
    });
    EXPECT_TRUE(ended);
    EXPECT_FALSE(status.isEmpty());
    EXPECT_NE(status, before);
    EXPECT_EQ(applied, 0);
}

// While a write is out, Apply is not offered and a second click sends nothing.
TEST_F(SssTest, OneWriteAtATime) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SSS& d = open();
    ASSERT_TRUE(sim->ok("delay 300 1"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(runModal([&](TFM_SSS& s) {
        fillValid(s);
        s.Bt_Apply->userClick();
        EXPECT_FALSE(s.Bt_Apply->enabled());
        s.Bt_ApplyClick(nullptr);
    }));
    std::set<std::string> requests;
    for (const auto& l : sets(mark)) requests.insert(l.reqId);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(d.isVisible());
}

// Closed while its write is out: the answer that comes later finds no dialog and tells nobody.
TEST_F(SssTest, ClosedDuringTheWrite) {
    ASSERT_TRUE(startSim()) << sim->error();
    open();
    ASSERT_TRUE(sim->ok("delay 400 1"));
    const size_t mark = sim->logSize();
    ASSERT_TRUE(runModal([&](TFM_SSS& s) {
        fillValid(s);
        s.Bt_Apply->userClick();
        s.userCloseBox();
    }));
    page.reset();
    ASSERT_TRUE(waitFor([&] { return !sim->requests(mark).empty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(applied, 0);
}

// A silent device: the first read gives up within the session's time-out and says so; Apply stays
// off, as the fields show nothing the device holds, and the write keeps its own long time-out.
TEST_F(SssTest, SilentDeviceEndsTheFirstReadWithinTheSessionTimeout) {
    ASSERT_TRUE(startSim()) << sim->error();
    ASSERT_TRUE(sim->ok("silence 60000"));
    TFM_SSS& d = make();
    EXPECT_FALSE(d.Bt_Apply->enabled());
    // Two tries of the session's 1 s; the write's 50 s would take 100 s.
    ASSERT_TRUE(waitFor([&] { return !d.reqServers->busy; }, 8000));
    EXPECT_TRUE(d.StatusBar->simpleText().contains(QStringLiteral("SNMP request timed out!")))
        << d.StatusBar->simpleText().toStdString();
    EXPECT_FALSE(d.Bt_Apply->enabled());
    EXPECT_EQ(d.reqServers->request.timeout, TFM_SSS::kWriteTimeout);
    ASSERT_TRUE(sim->ok("silence 0"));
    fillValid(d);
    const size_t mark = sim->logSize();
    d.Bt_ApplyClick(nullptr);
    QCoreApplication::processEvents();
    EXPECT_FALSE(d.reqServers->busy);
    EXPECT_TRUE(sets(mark).empty());
    EXPECT_EQ(applied, 0);
}

TEST_F(SssTest, PortTakesFiveDigitsUpTo65535) {
    ASSERT_TRUE(startSim()) << sim->error();
    TFM_SSS& d = open();
    d.show();
    d.Ed_RadiusPort->setText(QString());
    d.Ed_RadiusPort->userType(QStringLiteral("655361"));
    EXPECT_EQ(d.Ed_RadiusPort->text(), u"65536");
    d.Ed_RadiusSec->userFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("65535"))) << boxes[0].text.toStdString();
    EXPECT_TRUE(d.Ed_RadiusPort->focused());
}

}  // namespace
