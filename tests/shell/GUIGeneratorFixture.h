#pragma once

// The fixture of the generic page builder's tests: a main window on the device simulator whose
// builder handlers show their pages modally, as the program does, with a test acting inside them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "module/GUIConfigForm.h"
#include "module/Misc.h"
#include "tests/support/PageFixture.h"

namespace builder_test {

inline const std::string kPool = "1.3.6.1.4.1.47011.11.37.4.2.7.2.";
inline const std::string kStatic = "1.3.6.1.4.1.47011.11.37.4.2.7.3.1.";
inline const std::string kKeys = "1.3.6.1.4.1.47011.11.37.4.2.5.3.1.1.";

using Handler = void (TMainForm::*)(QObject*);

// Runs act once a visible window that match accepts shows; the poll goes with the returned timer.
inline std::unique_ptr<QTimer> whenWindowShown(std::function<bool(forms::Form&)> match,
                                               std::function<void(forms::Form&)> act) {
    auto poll = std::make_unique<QTimer>();
    QTimer* p = poll.get();
    QObject::connect(p, &QTimer::timeout, [p, match = std::move(match), act = std::move(act)] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* form = dynamic_cast<forms::Form*>(w);
            if (!form || !form->isVisible() || !match(*form)) continue;
            p->stop();
            act(*form);
            return;
        }
    });
    p->start(2);
    return poll;
}

// The same for a window that page owns (a dialog it opens).
inline std::unique_ptr<QTimer> whenDialogShown(forms::Form& page, std::function<void(forms::Form&)> act) {
    return whenWindowShown(
        [&page](forms::Form& f) {
            for (QWidget* w = f.parentWidget(); w; w = w->parentWidget())
                if (w == &page) return true;
            return false;
        },
        std::move(act));
}

class BuilderTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        ASSERT_TRUE(startSim());
        writeIni("127.0.0.1", "AgentPort=" + std::to_string(sim->port()) + "\r\n");
        main = &start({"/I127.0.0.1", "/Rkiwano", "/Wmorello"});
        ASSERT_FALSE(main->refused());
        // The device's keys, which it holds empty after a reset.
        for (const char* key : {"1.1", "1.2", "1.3", "1.4", "2.1", "2.2", "2.3", "2.4"})
            ASSERT_EQ(sim->command("set " + kKeys + key + " s 1234567890"), "ok");
    }

    // Opens the handler's page and runs act inside its modal loop once it shows; the page is closed
    // afterwards unless act ended it. The page's modal result.
    int openPage(Handler handler, const std::function<void(TConfigForm&)>& act) {
        int result = -1;
        main->pageOpener = [&](forms::Form& form) {
            auto& page = dynamic_cast<TConfigForm&>(form);
            whenShown(&page, [&] {
                act(page);
                if (page.modalResult() == forms::mrNone) page.close();
            });
            result = page.showModal();
            return result;
        };
        (main->*handler)(nullptr);
        main->pageOpener = nullptr;
        return result;
    }
    // The same for a page made here over request, as the handlers make theirs.
    int showPage(TConfigForm& page, const std::function<void()>& act) {
        whenShown(&page, [&] {
            act();
            if (page.modalResult() == forms::mrNone) page.close();
        });
        return page.showModal();
    }

    std::unique_ptr<HvSNMPRequest2Edits> request(TConfigForm& page, const MibObjectDef* table, uint8_t kind,
                                                 int32_t keys, uint8_t mode) {
        auto r = page.newRequest();
        r->request.varList = HvSNMPVarList(table, kind, keys);
        r->mode = mode;
        return r;
    }
    // The SETs the device took from log line `from` on, as "OID TYPE VALUE".
    std::vector<std::string> setsSince(size_t from) const {
        std::vector<std::string> out;
        for (const SimLogLine& l : sim->requests(from))
            if (l.op == "SET") out.push_back(l.asked + " " + l.type + " " + l.value);
        return out;
    }
    size_t countAsked(size_t from, const std::string& op, const std::string& oid) const {
        size_t n = 0;
        for (const SimLogLine& l : sim->requests(from)) n += l.op == op && l.asked == oid ? 1 : 0;
        return n;
    }
public:
    static forms::Edit* edit(const UISnmpVar& v) { return dynamic_cast<forms::Edit*>(v.control); }
    static TSNMPEditorPanel& editor(TConfigForm& page) { return dynamic_cast<TSNMPEditorPanel&>(*page.panel()); }
    static TSNMPListViewPanel& table(TConfigForm& page) {
        return dynamic_cast<TSNMPListViewPanel&>(*page.panel());
    }
    static std::vector<uint32_t> flags(const HvSNMPRequest2Edits& r) {
        std::vector<uint32_t> f;
        for (int32_t i = 0; i < r.request.varList.count(); ++i) f.push_back(r.request.varList.item(i).access);
        return f;
    }
protected:
    // The editor page has read: its request is idle and some row shows a value.
    bool readDone(TSNMPEditorPanel& p) {
        return waitFor([&] {
            if (p.request()->busy) return false;
            for (const UISnmpVar& v : p.Edits->vars()) {
                if (auto* e = edit(v); e && !e->text().isEmpty()) return true;
                if (auto* c = dynamic_cast<forms::ComboBox*>(v.control); c && c->itemIndex() >= 0) return true;
            }
            return false;
        });
    }
    bool rowsDone(TSNMPListViewPanel& p, int rows = 1) {
        return waitFor([&] { return !p.request()->busy && p.ListPanel->List->itemCount() >= rows; });
    }

    TMainForm* main = nullptr;
};

}  // namespace builder_test
