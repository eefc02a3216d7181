#pragma once

// The fixture of the page and main-window tests: a folder of the test's own (registry, MBF folder,
// lock and boot-counter folders), message boxes recorded and answered from a script, the device
// simulator, main windows on it, and the simulator's request log.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "module/Main.h"
#include "library/HvSNMPSession.h"
#include "platform/RegistryStore.h"
#include "tests/sim/SimProcess.h"
#include "tests/support/MessageBoxScript.h"
#include "tests/support/ScriptedProber.h"
#include "tests/support/WaitFor.h"
#include "tests/support/WhenShown.h"

// The (OID, value) pairs of log lines.
inline std::vector<std::pair<std::string, std::string>> oidValues(const std::vector<SimLogLine>& lines) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& l : lines) out.emplace_back(l.asked, l.value);
    return out;
}

class PageTest : public ::testing::Test, protected MessageBoxScript {
protected:
    void SetUp() override;
    // Deletes the main windows, then restores the time scale and the session's defaults.
    void TearDown() override;

    std::string path(const std::string& rel) const { return m_dir.path().toStdString() + "/" + rel; }
    // The device's INI file in the MBF folder.
    void writeIni(const std::string& address, const std::string& body);

    // Starts the simulator with args and "--restart-time restartMs", and points the session's
    // defaults at it (version, its communities, a 300 ms time-out).
    bool startSim(std::vector<std::string> args = {}, uint8_t version = 0, int restartMs = 200);

    // A main window started as the management system starts it; the first one becomes MainForm.
    TMainForm& start(const std::vector<std::string>& arguments, std::vector<HvPageEntry> pages = {});
    // A main window without a command line: it polls nothing and only carries the capability fields
    // (Ed_DataRateNew "0") and an answering device. Its refusal box is not kept.
    TMainForm& idleMain();
    // A main window with the one registry row entry; clicks its menu item (captioned as the row says)
    // and returns the caption of the page it showed, after inspect has seen the page. Empty when no
    // page showed.
    QString openFromMenu(const HvPageEntry& entry,
                         const std::function<void(forms::Form& page)>& inspect = {});


    // The SETs the simulator answered from log line `from` on that setFilter accepts (all of them,
    // whatever their status, when it is empty).
    std::vector<SimLogLine> sets(size_t from = 0) const;
    // The device took oid = value (status ok) from line `from` on.
    bool hasSet(size_t from, const std::string& oid, const std::string& value) const;

    std::function<bool(const SimLogLine& set)> setFilter;
    // The pages' address probes: each host a test lets a page probe is scripted here.
    ScriptedProber prober;
    std::unique_ptr<SimProcess> sim;
    MemoryRegistryStore registry;
    std::vector<std::unique_ptr<TMainForm>> windows;

private:
    QTemporaryDir m_dir;
    double m_oldScale = 1;
    HvSNMPDefaults m_oldDefaults;
};
