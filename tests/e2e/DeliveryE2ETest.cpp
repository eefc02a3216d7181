// Completions from the session's pump against the device simulator: a completion that opens a modal
// dialog still sees answers and time-outs arrive under it, and a request deleted by a completion hears
// nothing of what was on its way.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QEventLoop>
#include <QTimer>

#include "library/HvSNMPRequest.h"
#include "tests/NamedRows.h"
#include "tests/e2e/E2ESession.h"
#include "tests/sim/SimProcess.h"
#include "tests/snmp/SnmpTestSupport.h"
#include "tests/support/WaitFor.h"

namespace {

using hvtest::PrintTo;

const MibObjectDef kSystem[] = {
    {"1.3.6.1.2.1.1.1", "sysDescr", HvSyntax::DisplayStr, HvAccess::ReadOnly},
    {"1.3.6.1.2.1.1.5", "sysName", HvSyntax::DisplayStr, HvAccess::ReadWrite},
    {},
};

class DeliveryE2E : public E2ESimTest {
protected:
    static void SetUpTestSuite() { startSim({"--community", "kiwano"}); }

    // A v2c read of the simulator; silent: of a loopback port nobody listens on, timing out soon.
    static std::unique_ptr<HvSNMPRequest> makeRequest(bool silent = false) {
        auto r = std::make_unique<HvSNMPRequest>();
        r->device.address = sim->address();
        r->device.port = silent ? closedPort() : static_cast<uint16_t>(sim->port());
        r->security.version = 1;
        r->security.readCommunity = "kiwano";
        r->timeout = silent ? 20 : 100;
        r->retries = 0;
        r->varList = HvSNMPVarList(kSystem, SVT_SV, 0);
        return r;
    }
};

struct ModalRow {
    const char* name;
    bool openerTimesOut;  // the completion that opens the dialog is a time-out's, else an answer's
};

class ModalDialogE2E : public DeliveryE2E, public ::testing::WithParamInterface<ModalRow> {};

// While the completion's dialog is open, another read is answered and a third times out (at a new
// target, so the pump makes new sessions and notifiers under the dialog); both completions run
// before the dialog closes.
TEST_P(ModalDialogE2E, AnswersAndTimeOutsArriveUnderTheDialog) {
    auto opener = makeRequest(GetParam().openerTimesOut);
    auto answered = makeRequest();
    auto silent = makeRequest(true);
    bool dialogOpen = false, dialogClosed = false;
    int32_t openerCode = 1, answeredCode = 1, silentCode = 1;
    bool answeredUnder = false, silentUnder = false;
    opener->getAsync(
        [&](HvSNMPError* e, HvSNMPVarList*) {
            openerCode = e->code;
            QEventLoop dialog;
            dialogOpen = true;
            auto closeWhenBoth = [&] {
                if (answeredCode != 1 && silentCode != 1) dialog.quit();
            };
            answered->getAsync(
                [&](HvSNMPError* a, HvSNMPVarList*) {
                    answeredCode = a->code, answeredUnder = dialogOpen;
                    closeWhenBoth();
                },
                true);
            silent->getAsync(
                [&](HvSNMPError* s, HvSNMPVarList*) {
                    silentCode = s->code, silentUnder = dialogOpen;
                    closeWhenBoth();
                },
                true);
            QTimer::singleShot(5000, &dialog, &QEventLoop::quit);  // the test's bound, not the module's
            dialog.exec();
            dialogOpen = false;
            dialogClosed = true;
        },
        true);
    ASSERT_TRUE(waitFor([&] { return dialogClosed; }));
    EXPECT_EQ(openerCode, GetParam().openerTimesOut ? -405 : 0);
    EXPECT_EQ(answeredCode, 0);
    EXPECT_EQ(silentCode, -405);
    EXPECT_TRUE(answeredUnder) << "the answer waited for the dialog to close";
    EXPECT_TRUE(silentUnder) << "the time-out waited for the dialog to close";
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Openers, ModalDialogE2E,
                         ::testing::Values(ModalRow{"AfterAnAnswer", false}, ModalRow{"AfterATimeOut", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DeletedRow {
    const char* name;
    bool silent;  // the deleted request's outcome is a time-out, else a late answer
};

class DeletedInACompletionE2E : public DeliveryE2E, public ::testing::WithParamInterface<DeletedRow> {};

// One completion deletes another request whose outcome is still on its way; that outcome reaches
// nothing, and the reads after it are delivered as before.
TEST_P(DeletedInACompletionE2E, GetsNothing) {
    auto deleted = makeRequest(GetParam().silent);
    auto deleter = makeRequest();
    int deletedCompletions = 0;
    bool deleterDone = false;
    if (!GetParam().silent) {
        ASSERT_TRUE(sim->ok("delay 200 1"));
    }
    deleted->getAsync([&](HvSNMPError*, HvSNMPVarList*) { ++deletedCompletions; }, true);
    deleter->getAsync(
        [&](HvSNMPError* e, HvSNMPVarList*) {
            EXPECT_EQ(e->code, 0);
            EXPECT_EQ(deleted->outstanding(), 1);
            deleted.reset();
            deleterDone = true;
        },
        true);
    ASSERT_TRUE(waitFor([&] { return deleterDone; }));
    HvSnmpTransport* t = HvSNMPSession::session;
    ASSERT_TRUE(waitFor([&] { return t->pendingCount() == 0 && HvSNMPDelivery::queued() == 0; }));
    int32_t afterCode = 1;
    deleter->getAsync([&](HvSNMPError* e, HvSNMPVarList*) { afterCode = e->code; }, true);
    ASSERT_TRUE(waitFor([&] { return afterCode != 1; }));
    EXPECT_EQ(afterCode, 0);
    EXPECT_EQ(deletedCompletions, 0);
    EXPECT_EQ(HvSNMPRequest::deadOwnerDeliveries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, DeletedInACompletionE2E,
                         ::testing::Values(DeletedRow{"LateAnswer", false}, DeletedRow{"TimeOut", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
