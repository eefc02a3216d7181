// The firmware, configuration file and log pages against the device simulator: the main window
// polls it over UDP on loopback, the pages serve and receive files with their own TFTP server, and
// the simulator's TFTP client (libcurl) fetches and sends them.

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "module/HvPageTftp.h"
#include "pages/admin/Cfghis.h"
#include "pages/admin/Firmware.h"
#include "pages/admin/Logset.h"
#include "pages/admin/Systemlog.h"
#include "pages/Pages.h"
#include "platform/UdpSocket.h"
#include "tests/support/PageFixture.h"
#include "tests/sim/SimProcess.h"
#include "tests/NamedRows.h"

namespace {

using hvtest::PrintTo;

const std::string kArc = "1.3.6.1.4.1.47011.11.37.4.";
const std::string kClusterAction = kArc + "2.12.1.1.1.2.1";
const std::string kTftpCommand = kArc + "3.3.4.0";
const std::string kUpgradeCommand = kArc + "3.3.5.0";

int freeUdpPort() {
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

std::string unhex(const std::string& hex) {
    if (hex == "-") return {};
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string readFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return "(missing)";
    return f.readAll().toStdString();
}

void writeFile(const std::string& path, const std::string& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), qint64(bytes.size()));
}

class FilePagesE2E : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        // Waiting ticks of 60 ms, polls every 100 ms.
        forms::Application::setTimeScale(0.05);
        m_oldDialog = forms::Application::setFileDialogHook([this](forms::FileDialogCall& call) {
            dialogs.push_back(call);
            if (fileAnswers.empty()) return false;
            call.fileName = QString::fromStdString(fileAnswers.front());
            fileAnswers.pop_front();
            return true;
        });
        const int tftpPort = freeUdpPort();
        qputenv("HV_TFTP_PORT", QByteArray::number(tftpPort));
        // Only the sets the device took.
        setFilter = [](const SimLogLine& l) { return l.status == "ok"; };
        sim = std::make_unique<SimProcess>(std::vector<std::string>{"--restart-time", "300"});
        ASSERT_TRUE(sim->start()) << sim->error();
        ASSERT_TRUE(sim->ok("tftp-port " + std::to_string(tftpPort)));
        // Escape: the pages may upgrade and restore.
        ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 2"));
        writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
        main = &start({"/I127.0.0.1", "/Rkiwano", "/Wmorello"});
        ASSERT_FALSE(main->refused());
        main->statusRequest->timeout = 30;
        main->statusRequest->retries = 0;
        // The device's own address, as the capability probe reads it.
        ASSERT_TRUE(waitFor([&] {
            return main->deviceAnswering() && main->IPAddressEdit->text() == QStringLiteral("127.0.0.1") &&
                   main->SubMaskEdit->text() == QStringLiteral("255.0.0.0");
        }));
        ASSERT_TRUE(m_files.isValid());
    }
    void TearDown() override {
        forms::Application::setFileDialogHook(m_oldDialog);
        qunsetenv("HV_TFTP_PORT");
        PageTest::TearDown();
    }

    std::string file(const std::string& name) const { return m_files.path().toStdString() + "/" + name; }

    std::string received() {
        std::string reply = sim->command("tftp-received");
        auto words = SimLogLine::tokens(reply);
        if (words.size() != 3 || words[0] != "ok") return "(nothing: " + reply + ")";
        return unhex(words[2]);
    }

    TMainForm* main = nullptr;
    std::deque<std::string> fileAnswers;
    std::vector<forms::FileDialogCall> dialogs;

private:
    QTemporaryDir m_files;
    forms::FileDialogHook m_oldDialog;
};

std::string pattern(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) s[i] = char((i * 7 + i / 251) & 0xFF);
    return s;
}

class FirmwareRun : public FilePagesE2E, public ::testing::WithParamInterface<size_t> {};

TEST_P(FirmwareRun, FileReachesTheDeviceThenOneUpdateAndOneReboot) {
    const std::string path = file("image.tfp");
    const std::string bytes = pattern(GetParam());
    writeFile(path, bytes);
    auto page = std::make_unique<TFM_Firmware>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    ASSERT_TRUE(page->Bt_OK->enabled());

    fileAnswers.push_back(path);
    ASSERT_TRUE(page->Bt_Browse->userClick());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].kind, forms::FileDialogCall::Open);
    EXPECT_EQ(page->Ed_UpgFile->text().toStdString(), path);

    const size_t from = sim->logSize();
    ASSERT_TRUE(page->Bt_OK->userClick());
    // No second upgrade while this one runs.
    EXPECT_FALSE(page->Bt_OK->enabled());
    EXPECT_EQ(page->Ed_UpgFile->text().toStdString(), path);
    ASSERT_TRUE(waitFor([&] { return page->stage() == TFM_Firmware::Stage::Done; }, 60000));

    EXPECT_EQ(received(), bytes);
    const auto done = oidValues(sets(from));
    std::vector<std::string> order;
    for (const auto& [oid, value] : done) {
        if (oid == kArc + "3.3.1.0") order.push_back("server " + value);
        if (oid == kArc + "3.3.2.0") order.push_back("file " + value);
        if (oid == kTftpCommand) order.push_back("tftp " + value);
        if (oid == kUpgradeCommand) order.push_back("upgrade " + value);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"server 127.0.0.1", "file image.tfp", "tftp 2", "upgrade 1",
                                               "upgrade 4"}));
    EXPECT_TRUE(page->Bt_OK->enabled());
    EXPECT_TRUE(boxes.empty()) << boxes.front().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Sizes, FirmwareRun, ::testing::Values(0, 1024, 1500),
                         [](const auto& info) { return "Bytes" + std::to_string(info.param); });

TEST_F(FilePagesE2E, FirmwarePathsRefusedWithTheirMessages) {
    writeFile(file("IMAGE.TFP"), "x");
    writeFile(file("notes.txt"), "x");
    struct Case {
        std::string path;
        QString message;
    };
    const std::vector<Case> cases = {
        {"", QStringLiteral("Please put in the firmware file & path.")},
        {file("fw/"), QStringLiteral("Please put in the firmware file & path.")},
        {file("IMAGE.TFP"), QStringLiteral("Please put in valid firmware file & path.")},
        {file("notes.txt"), QStringLiteral("Please put in valid firmware file & path.")},
        {file("missing.tfp"), QStringLiteral("Please put in valid firmware file & path.")},
    };
    auto page = std::make_unique<TFM_Firmware>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    const size_t from = sim->logSize();
    for (const auto& c : cases) {
        boxes.clear();
        page->Ed_UpgFile->setText(QString::fromStdString(c.path));
        ASSERT_TRUE(page->Bt_OK->userClick());
        ASSERT_EQ(boxes.size(), 1u) << c.path;
        EXPECT_EQ(boxes[0].text, c.message) << c.path;
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning"));
        EXPECT_TRUE(page->Bt_OK->enabled());
    }
    EXPECT_TRUE(sets(from).empty());
}

TEST_F(FilePagesE2E, FirmwareFetchFailureShowsTheMessageAndNoUpdate) {
    writeFile(file("image.tfp"), pattern(700));
    ASSERT_TRUE(sim->ok("tftp-fail"));
    auto page = std::make_unique<TFM_Firmware>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    const size_t from = sim->logSize();
    page->Ed_UpgFile->setText(QString::fromStdString(file("image.tfp")));
    ASSERT_TRUE(page->Bt_OK->userClick());
    ASSERT_TRUE(
        waitFor([&] { return boxShown(QStringLiteral("Cant Perform Operation,Please try again!")); }));
    EXPECT_EQ(page->stage(), TFM_Firmware::Stage::Done);
    EXPECT_TRUE(page->Bt_OK->enabled());
    for (const auto& [oid, value] : oidValues(sets(from))) EXPECT_NE(oid, kUpgradeCommand);
}

TEST_F(FilePagesE2E, PageClosedWhileTheDeviceFetchesGetsNoLateAnswer) {
    writeFile(file("image.tfp"), pattern(4096));
    // The device answers late: the page is gone by then.
    ASSERT_TRUE(sim->ok("delay 400 3"));
    auto page = std::make_unique<TFM_Firmware>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    page->Ed_UpgFile->setText(QString::fromStdString(file("image.tfp")));
    const size_t from = sim->logSize();
    ASSERT_TRUE(page->Bt_OK->userClick());
    ASSERT_TRUE(waitFor([&] { return page->stage() == TFM_Firmware::Stage::Fetching; }));
    page.reset();
    EXPECT_TRUE(FM_Firmware.isNull());
    // The answer to the command comes and reaches nothing; the device is never told to flash.
    ASSERT_TRUE(waitFor([&] {
        for (const auto& l : sim->log(from))
            if (l.event && l.words.size() > 1 && l.words[0] == "tftp") return true;
        return false;
    }));
    ASSERT_TRUE(waitFor([&] { return main->deviceAnswering(); }));
    EXPECT_FALSE(hasSet(from, kUpgradeCommand, "1"));
    EXPECT_TRUE(boxes.empty());
}

// While the page serves the firmware, it serves nothing else: tftp-hpa on the device's address gets
// only the chosen file, and another host (127.0.0.2) gets no answer at all.
TEST_F(FilePagesE2E, FirmwarePageServesOnlyTheChosenFile) {
    writeFile(file("image.tfp"), pattern(600));
    writeFile(file("secret.txt"), "not for the network");
    // The device takes its time: the page stays armed meanwhile.
    ASSERT_TRUE(sim->ok("delay 3000 1"));
    auto page = std::make_unique<TFM_Firmware>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    page->Ed_UpgFile->setText(QString::fromStdString(file("image.tfp")));
    ASSERT_TRUE(page->Bt_OK->userClick());

    auto fetch = [&](const std::string& name) {
        QProcess tftp;
        const QString out = QString::fromStdString(file("fetched-" + name));
        tftp.start(QStringLiteral("tftp"),
                   {QStringLiteral("-m"), QStringLiteral("binary"), QStringLiteral("127.0.0.1"),
                    qEnvironmentVariable("HV_TFTP_PORT"), QStringLiteral("-c"), QStringLiteral("get"),
                    QString::fromStdString(name), out});
        if (!tftp.waitForStarted(5000)) return std::string("(no tftp client)");
        // The page's server runs on this thread: keep it going while the client waits.
        waitFor([&] { return tftp.state() == QProcess::NotRunning; }, 20000);
        return readFile(out.toStdString());
    };
    UdpSocket otherHost;
    ASSERT_TRUE(otherHost.bind(0, 0x7F000002));
    size_t otherHostAnswers = 0;
    otherHost.setOnReadable([&] {
        char buffer[600];
        UdpEndpoint from;
        while (otherHost.receiveFrom(buffer, sizeof buffer, from) >= 0) ++otherHostAnswers;
    });
    const UdpEndpoint server{0x7F000001, static_cast<uint16_t>(qEnvironmentVariableIntValue("HV_TFTP_PORT"))};
    for (const std::string name : {"image.tfp", "secret.txt"}) {
        const std::string request = std::string("\0\1", 2) + name + '\0' + "octet" + '\0';
        ASSERT_TRUE(otherHost.sendTo(request.data(), request.size(), server));
    }

    // tftp-hpa may leave an empty file behind; what matters is that nothing of the secret came.
    EXPECT_NE(fetch("secret.txt"), "not for the network");
    EXPECT_NE(fetch("../" + QFileInfo(QString::fromStdString(file(""))).dir().dirName().toStdString() +
                    "/secret.txt"),
              "not for the network");
    EXPECT_EQ(fetch("image.tfp"), pattern(600));
    // The server reads its requests in order: the other host's were handled, and dropped, before.
    QCoreApplication::processEvents();
    EXPECT_EQ(otherHostAnswers, 0u);
}

TEST_F(FilePagesE2E, JoinedDomainDisablesUpgradeAndRestore) {
    ASSERT_TRUE(sim->ok("set " + kClusterAction + " i 1"));
    auto fw = std::make_unique<TFM_Firmware>(*main);
    ASSERT_TRUE(waitFor([&] { return !fw->clusterRequest->busy; }));
    EXPECT_FALSE(fw->Bt_OK->enabled());
    fw.reset();
    auto cfg = std::make_unique<TFM_CfgFile>(*main);
    ASSERT_TRUE(waitFor([&] { return !cfg->clusterRequest->busy; }));
    EXPECT_FALSE(cfg->Bt_OK->enabled());
    EXPECT_TRUE(cfg->Bt_Upload->enabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FilePagesE2E, PortInUseIsReportedAndThePageStaysUsable) {
    auto fw = std::make_unique<TFM_Firmware>(*main);
    // A second server on the same port cannot start: the page says so and cannot transfer.
    auto cfg = std::make_unique<TFM_CfgFile>(*main);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("TFTP Service Init Error:")))
        << boxes[0].text.toStdString();
    ASSERT_TRUE(waitFor([&] { return !cfg->clusterRequest->busy && !fw->clusterRequest->busy; }));
    EXPECT_FALSE(cfg->Bt_OK->enabled());
    EXPECT_FALSE(cfg->Bt_Upload->enabled());
    EXPECT_TRUE(fw->Bt_OK->enabled());
    EXPECT_FALSE(main->refused());
}

TEST_F(FilePagesE2E, ConfigurationSavedIsTheDevicesAndRestoringSendsItBack) {
    auto page = std::make_unique<TFM_CfgFile>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));

    fileAnswers.push_back(file("backup"));
    ASSERT_TRUE(page->Bt_Upload->userClick());
    ASSERT_TRUE(waitFor([&] { return lastBox().has_value(); }, 20000));
    EXPECT_EQ(lastBox()->text, QStringLiteral("The configuration file saved successfully!"));
    EXPECT_EQ(lastBox()->caption, QStringLiteral("OK"));
    const std::string saved = readFile(file("backup.dcf"));
    auto config = SimLogLine::tokens(sim->command("config"));
    ASSERT_EQ(config.size(), 2u);
    EXPECT_EQ(saved, unhex(config[1]));
    EXPECT_NE(saved.find("QMX-7240NT configuration"), std::string::npos);
    // It holds the device's secrets.
    EXPECT_EQ(
        QFileInfo(QString::fromStdString(file("backup.dcf"))).permissions(),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_TRUE(page->Ed_UpgFile->text().isEmpty());
    EXPECT_TRUE(page->Ed_SaveFile->text().isEmpty());

    boxes.clear();
    fileAnswers.push_back(file("backup.dcf"));
    ASSERT_TRUE(page->Bt_Browse->userClick());
    const size_t from = sim->logSize();
    ASSERT_TRUE(page->Bt_OK->userClick());
    EXPECT_EQ(page->Ed_UpgFile->text().toStdString(), file("backup.dcf"));
    // Configsave, then the restart the waiting dialog sends.
    ASSERT_TRUE(waitFor([&] { return hasSet(from, kUpgradeCommand, "4"); }, 30000));
    EXPECT_EQ(received(), saved);
    std::vector<std::string> commands;
    for (const auto& [oid, value] : oidValues(sets(from)))
        if (oid == kTftpCommand || oid == kUpgradeCommand)
            commands.push_back(oid.substr(kArc.size()) + "=" + value);
    EXPECT_EQ(commands, (std::vector<std::string>{"3.3.4.0=2", "3.3.5.0=3", "3.3.5.0=4"}));
    EXPECT_TRUE(boxes.empty());
}

struct FailedSave {
    const char* name;
    const char* fault;
};

class ConfigSaveFails : public FilePagesE2E, public ::testing::WithParamInterface<FailedSave> {};

TEST_P(ConfigSaveFails, OlderFileStaysAndThePageSaysSo) {
    writeFile(file("backup.dcf"), "older configuration");
    ASSERT_TRUE(sim->ok(GetParam().fault));
    auto page = std::make_unique<TFM_CfgFile>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    fileAnswers.push_back(file("backup.dcf"));
    ASSERT_TRUE(page->Bt_Upload->userClick());
    ASSERT_TRUE(waitFor([&] { return lastBox().has_value(); }, 30000));
    EXPECT_EQ(lastBox()->text, QStringLiteral("Fail to save the configuration file!"));
    EXPECT_EQ(lastBox()->caption, QStringLiteral("ERROR"));
    EXPECT_EQ(readFile(file("backup.dcf")), "older configuration");
    page.reset();
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(file(""))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Faults, ConfigSaveFails,
                         ::testing::Values(FailedSave{"DeviceRefuses", "tftp-fail"},
                                           FailedSave{"TransferDropped", "tftp-cut 700"},
                                           // The device says it sent the file; it never arrived whole.
                                           FailedSave{"DroppedButAnsweredOk", "tftp-cut 700 ok"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilePagesE2E, ConfigUpdateChecks) {
    writeFile(file("notes.txt"), "x");
    auto page = std::make_unique<TFM_CfgFile>(*main);
    page->show();
    ASSERT_TRUE(waitFor([&] { return !page->clusterRequest->busy; }));
    const size_t from = sim->logSize();
    const std::vector<std::pair<std::string, QString>> cases = {
        {"", QStringLiteral("Empty file is not accepted.")},
        {file("notes.txt"), QStringLiteral("File format error! Please try again!")},
        {file("missing.dcf"), QStringLiteral("File format error! Please try again!")},
    };
    for (const auto& [path, message] : cases) {
        boxes.clear();
        page->Ed_UpgFile->setText(QString::fromStdString(path));
        ASSERT_TRUE(page->Bt_OK->userClick());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, message);
        EXPECT_EQ(boxes[0].caption, QStringLiteral("Warning"));
    }
    // A cancelled save dialog with nothing chosen does nothing.
    boxes.clear();
    ASSERT_TRUE(page->Bt_Upload->userClick());
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(sets(from).empty());
}

TEST_F(FilePagesE2E, LogShowsTheDevicesLinesAndClearEmptiesIt) {
    ASSERT_TRUE(sim->ok("syslog-clear"));
    ASSERT_TRUE(sim->ok(R"(syslog-add "Jan  1 00:00:01\x09[System]Device started")"));
    ASSERT_TRUE(sim->ok(R"(syslog-add "   ")"));
    ASSERT_TRUE(sim->ok(R"(syslog-add "Jan  1 00:00:09\x09[Notice]  admin logged in")"));
    auto page = std::make_unique<TLogForm>(*main);
    page->show();
    EXPECT_FALSE(page->SetBtn->enabled());
    const size_t from = sim->logSize();
    ASSERT_TRUE(page->GetBtn->userClick());
    // While the device is about to send, the page says it waits; then the outcome.
    EXPECT_EQ(page->StatusBar1->simpleText(), QStringLiteral("Waiting for the device to send its log..."));
    ASSERT_TRUE(waitFor([&] { return page->SetBtn->enabled(); }, 20000));
    EXPECT_EQ(page->StatusBar1->simpleText(), QStringLiteral("The device's log arrived."));
    ASSERT_EQ(page->ViewListView->itemCount(), 3);
    EXPECT_EQ(page->ViewListView->item(0)->caption(), QStringLiteral("Jan  1 00:00:01"));
    EXPECT_EQ(page->ViewListView->item(0)->subItem(0), QStringLiteral("System"));
    EXPECT_EQ(page->ViewListView->item(0)->subItem(1), QStringLiteral("Device started"));
    EXPECT_EQ(page->ViewListView->item(1)->caption(), QString());
    EXPECT_EQ(page->ViewListView->item(1)->subItem(1), QStringLiteral("   "));
    EXPECT_EQ(page->ViewListView->item(2)->subItem(1), QStringLiteral("  admin logged in"));
    // The device was given the name inside the page's own folder.
    bool named = false;
    for (const auto& [oid, value] : oidValues(sets(from)))
        if (oid == kArc + "2.11.5.0") named = value == TLogForm::kLogFileName;
    EXPECT_TRUE(named);
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(page->LogFilePath)));

    // A log that does not come keeps the lines shown and says so.
    ASSERT_TRUE(sim->ok("tftp-fail"));
    ASSERT_TRUE(page->GetBtn->userClick());
    ASSERT_TRUE(waitFor([&] {
        return page->StatusBar1->simpleText() == QStringLiteral("The device did not send its log.");
    }));
    EXPECT_EQ(page->ViewListView->itemCount(), 3);

    ASSERT_TRUE(page->Clear_Btn->userClick());
    ASSERT_TRUE(waitFor([&] { return page->ViewListView->itemCount() == 0; }));
    EXPECT_EQ(sim->command("syslog"), "ok 0");
}

struct UnansweredPage {
    const char* name;
    bool silent;  // else the community is refused
    // Opens the page; gives it and the status bar its failed read goes to.
    std::function<std::pair<std::unique_ptr<forms::Form>, forms::StatusBar*>(TMainForm*)> open;
};

template <typename Page>
std::pair<std::unique_ptr<forms::Form>, forms::StatusBar*> openPage(TMainForm* main,
                                                                    forms::StatusBar* Page::*bar) {
    auto page = std::make_unique<Page>(*main);
    forms::StatusBar* shown = (*page).*bar;
    return {std::move(page), shown};
}

class UnansweredPages : public FilePagesE2E, public ::testing::WithParamInterface<UnansweredPage> {};

// A page opened on a device that does not answer says so in its status bar with the failed read's
// result line, as the Performance page does.
TEST_P(UnansweredPages, StatusBarShowsTheFailedRead) {
    const UnansweredPage& c = GetParam();
    const HvSNMPDefaults saved = HvSNMPSession::defaults;
    HvSNMPSession::defaults.timeout = 10;
    if (c.silent)
        ASSERT_TRUE(sim->ok("silence 60000"));
    else
        HvSNMPSession::defaults.readCommunity = "wrong";
    auto [page, bar] = c.open(main);
    HvSNMPSession::defaults = saved;
    std::string message;
    int32_t code = 0;
    HvSNMPError::translate(HvSnmpStatus::Timeout, code, message);
    const QString expected = QString::fromStdString("Get: " + message + ". Receive at ");
    EXPECT_TRUE(waitFor([&] { return bar->simpleText().startsWith(expected); }))
        << bar->simpleText().toStdString();
    page.reset();
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UnansweredPages,
    ::testing::Values(UnansweredPage{"FirmwareWrongCommunity", false,
                                     [](TMainForm* m) { return openPage(m, &TFM_Firmware::StatusBar); }},
                      UnansweredPage{"ConfigFileSilent", true,
                                     [](TMainForm* m) { return openPage(m, &TFM_CfgFile::StatusBar); }},
                      UnansweredPage{"LogWrongCommunity", false,
                                     [](TMainForm* m) { return openPage(m, &TLogForm::StatusBar1); }},
                      UnansweredPage{"LogSilent", true,
                                     [](TMainForm* m) { return openPage(m, &TLogForm::StatusBar1); }},
                      UnansweredPage{"LogSettingsWrongCommunity", false,
                                     [](TMainForm* m) { return openPage(m, &TLogSetForm::StatusBar1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilePagesE2E, LogClearRefusedKeepsTheList) {
    auto page = std::make_unique<TLogForm>(*main);
    page->show();
    ASSERT_TRUE(page->GetBtn->userClick());
    ASSERT_TRUE(waitFor([&] { return page->ViewListView->itemCount() > 0; }, 20000));
    ASSERT_TRUE(sim->ok("error " + kArc + "2.11.10.0 genErr set"));
    ASSERT_TRUE(page->Clear_Btn->userClick());
    ASSERT_TRUE(waitFor([&] { return !page->clearRequest->busy; }));
    EXPECT_GT(page->ViewListView->itemCount(), 0);
    EXPECT_NE(sim->command("syslog"), "ok 0");
}

TEST_F(FilePagesE2E, LogSettingsApplyWritesItsObjects) {
    auto page = std::make_unique<TLogForm>(*main);
    TLogSetForm* dialog = page->logSetForm;
    dialog->show();
    ASSERT_TRUE(waitFor([&] { return !page->logSetRequest->busy && !dialog->clusterRequest->busy; }));

    // A bad address is refused and nothing is sent.
    size_t from = sim->logSize();
    dialog->LogServerEdit->setText(QStringLiteral("10.0.0"));
    ASSERT_TRUE(dialog->Button2->userClick());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Please input valid IP Address."));
    EXPECT_TRUE(dialog->LogServerEdit->text().isEmpty());
    EXPECT_TRUE(sets(from).empty());

    // A refused write says so and restarts nothing.
    ASSERT_TRUE(sim->ok("error " + kArc + "2.11.9.0 genErr set"));
    from = sim->logSize();
    ASSERT_TRUE(dialog->Button2->userClick());
    ASSERT_TRUE(waitFor([&] { return !dialog->StatusBar1->simpleText().isEmpty(); }));
    EXPECT_EQ(dialog->StatusBar1->simpleText(), QStringLiteral("Set Error!"));
    EXPECT_FALSE(hasSet(from, kUpgradeCommand, "4"));
    ASSERT_TRUE(sim->ok("reset"));

    // An empty server: remote logging off, server 0.0.0.0, then the restart.
    dialog->StatusBar1->setSimpleText(QString());
    dialog->LogServerEdit->setText(QString());
    dialog->SysLevCeBox->setChecked(true);
    from = sim->logSize();
    ASSERT_TRUE(dialog->Button2->userClick());
    ASSERT_TRUE(
        waitFor([&] { return dialog->StatusBar1->simpleText() == QStringLiteral("Set Success!"); }, 30000));
    std::map<std::string, std::string> written;
    for (const auto& [oid, value] : oidValues(sets(from))) written[oid] = value;
    EXPECT_EQ(written[kArc + "2.11.8.0"], "0");
    EXPECT_EQ(written[kArc + "2.11.9.0"], "0.0.0.0");
    EXPECT_EQ(written[kArc + "2.11.1.0"], "1");
    EXPECT_TRUE(waitFor([&] { return hasSet(from, kUpgradeCommand, "4"); }, 30000));
}

TEST_F(FilePagesE2E, LocalAddressFollowsTheMainWindowsFieldsAsTheyStand) {
    forms::Edit found;
    ASSERT_TRUE(FindLocalAddress(&found, *main));
    EXPECT_EQ(found.text(), QStringLiteral("127.0.0.1"));
    // The main window empties its fields while it probes again: that names no network, never the
    // one an earlier call saw.
    main->IPAddressEdit->setText(QString());
    forms::Edit none;
    EXPECT_FALSE(FindLocalAddress(&none, *main));
    EXPECT_TRUE(none.text().isEmpty());
}

TEST_F(FilePagesE2E, MenuOpensThePages) {
    // A main window handed the pages, as the program entry does it.
    MainFormEnvironment env;
    env.arguments = {"/I127.0.0.1", "/Rkiwano"};
    env.registry = &registry;
    env.programDir = path("prog/");
    env.lockFolder = path("lock2");
    QDir().mkpath(QString::fromStdString(path("lock2")));
    env.bootCounterDir = path("");
    env.pages = HvPages();
    TMainForm withPages(env);
    ASSERT_FALSE(withPages.refused());
    std::vector<QString> opened;
    withPages.pageOpener = [&](forms::Form& page) {
        opened.push_back(page.caption());
        return 0;
    };
    ASSERT_NE(withPages.tools2, nullptr);
    ASSERT_EQ(withPages.tools2->count(), 4);  // Admin, System, Firmware, Configuration File
    EXPECT_TRUE(withPages.tools2->visible());
    EXPECT_TRUE(withPages.status2->visible());
    EXPECT_EQ(withPages.Firmware1->caption(), QStringLiteral("Firmware"));
    EXPECT_EQ(withPages.tUpdate2->caption(), QStringLiteral("Configuration File"));
    ASSERT_NE(withPages.SystemLog, nullptr);
    EXPECT_EQ(withPages.status2->caption(), QStringLiteral("Status"));
    ASSERT_TRUE(withPages.Firmware1->userClick());
    ASSERT_TRUE(withPages.tUpdate2->userClick());
    ASSERT_TRUE(withPages.SystemLog->userClick());
    EXPECT_EQ(opened, (std::vector<QString>{QStringLiteral("Tools \\ Firmware"),
                                            QStringLiteral("Tools \\ Configuration File"),
                                            QStringLiteral("Status \\ Log")}));
    // The form variables do not outlive their pages.
    EXPECT_TRUE(FM_Firmware.isNull());
    EXPECT_TRUE(FM_CfgFile.isNull());
    EXPECT_TRUE(LogForm.isNull());
    // A window without the pages has no items for them.
    EXPECT_FALSE(main->tools2->visible());
    EXPECT_EQ(main->Firmware1, nullptr);
    EXPECT_EQ(main->SystemLog, nullptr);
}

}  // namespace
