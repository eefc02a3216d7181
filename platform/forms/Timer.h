#pragma once

#include <QObject>
#include <QTimer>

#include "platform/forms/Control.h"

namespace forms {

// A timer with the form library's rules: it runs while enabled with an interval above 0; enabling a
// running timer does nothing; a new interval restarts it from that moment. Intervals are stretched by
// Application::timeScale (tests shrink time).
class Timer : public QObject {
public:
    explicit Timer(QObject* owner = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }
    void setInterval(int ms);
    // Whether the timer is counting now.
    bool running() const { return m_timer.isActive(); }
    // Milliseconds to the next tick in the timer's own time (before the scale), -1 when stopped.
    int remainingTime() const;

    int tag = 0;
    NotifyEvent OnTimer;

private:
    void update();
    QTimer m_timer;
    bool m_enabled = true;
    int m_interval = 1000;
};

}  // namespace forms
