#pragma once

// What the pages' rules hand back to a page: a check that failed, and how the waiting dialog is set
// up. Plain values, so the rules stay free of windows and the tests compare them whole.

#include <QString>

#include <optional>

namespace PageRules {

// A refused input: the box, the field emptied, the focus and the status text that follow it.
struct CheckFailure {
    QString message;       // the box's text; empty: no box
    QString caption = {};  // the box's title; empty: the application's name
    QString focus = {};    // the control that gets the focus; empty: none
    QString emptied = {};  // the control emptied; empty: none
    QString status = {};   // the status bar's text afterwards; empty: unchanged
    bool operator==(const CheckFailure&) const = default;
};

// A refusal with its box; focus and emptied name controls, or are empty.
inline CheckFailure failure(const QString& message, const QString& caption, const QString& focus = {},
                            const QString& emptied = {}) {
    CheckFailure f;
    f.message = message;
    f.caption = caption;
    f.focus = focus;
    f.emptied = emptied;
    return f;
}

inline const QString kWarning = QStringLiteral("Warning");
inline const QString kError = QStringLiteral("Error");
// The question before a device that has joined an AP domain restarts (title kWarning, OK/Cancel).
inline const QString kRestartQuestion = QStringLiteral(
    "Do you want reboot now?\nIf you choose 'Cancel',please reboot AP when you complete settings!");

// The waiting dialog as a page sets it up before showing it; empty fields keep its defaults.
struct Waiting {
    std::optional<int> rebootDelay;  // ticks before the dialog sends the restart command
    bool sendReboot = true;          // false: the page sent its own restart command
    QString caption;
    QString label3;
    bool operator==(const Waiting&) const = default;
};

}  // namespace PageRules
