#pragma once

// Acting inside a form's modal loop: a poll that runs an action once the form shows.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

#include "platform/forms/Form.h"

// Runs act once form is visible; the poll goes with the form, or once it has run. Delete the poll
// (it may be gone already) to give it up.
inline QPointer<QTimer> whenShown(forms::Form* form, std::function<void()> act) {
    auto* poll = new QTimer(form);
    QObject::connect(poll, &QTimer::timeout, [form, poll, act = std::move(act)] {
        if (!form->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(2);
    return poll;
}
