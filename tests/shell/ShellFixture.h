#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "module/Main.h"
#include "platform/RegistryStore.h"
#include "platform/forms/Forms.h"

// A main window started as the management system would start it, with its registry, MBF folder,
// lock folder and boot-counter folder of the test's own, and every message box recorded.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("mbf"));
        QDir(m_dir.path()).mkpath(QStringLiteral("lock"));
        QDir(m_dir.path()).mkpath(QStringLiteral("prog"));
        registry.addValue("\\SOFTWARE\\Halvern\\Vistrel5.1\\MibFile", "Path", path("mbf/"));
        m_oldBox = forms::Application::setMessageBoxHook([this](const forms::MessageBoxCall& call) {
            boxes.push_back(call);
            return int(forms::IDOK);
        });
        m_oldScale = forms::Application::timeScale();
    }
    void TearDown() override {
        windows.clear();
        MainForm = nullptr;
        forms::Application::setMessageBoxHook(m_oldBox);
        forms::Application::setTimeScale(m_oldScale);
        QCoreApplication::processEvents();
    }

    std::string path(const std::string& rel) const { return m_dir.path().toStdString() + "/" + rel; }

    // The device's INI file in the MBF folder.
    void writeIni(const std::string& address, const std::string& body) {
        QFile f(QString::fromStdString(path("mbf/" + address + ".cfg")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("[Program Information]\r\n" + body).c_str());
    }

    TMainForm& start(const std::vector<std::string>& arguments) {
        MainFormEnvironment env;
        env.arguments = arguments;
        env.registry = &registry;
        env.programDir = path("prog/");
        env.lockFolder = path("lock");
        env.bootCounterDir = path("");
        windows.push_back(std::make_unique<TMainForm>(env));
        TMainForm& form = *windows.back();
        if (!MainForm) MainForm = &form;
        return form;
    }

    // Processes events until done() holds or the deadline; returns done().
    static bool waitFor(const std::function<bool()>& done, int ms = 10000) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > ms) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    MemoryRegistryStore registry;
    std::vector<forms::MessageBoxCall> boxes;
    std::vector<std::unique_ptr<TMainForm>> windows;

private:
    QTemporaryDir m_dir;
    forms::MessageBoxHook m_oldBox;
    double m_oldScale = 1;
};
