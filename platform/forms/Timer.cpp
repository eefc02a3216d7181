#include "platform/forms/Timer.h"

#include "platform/forms/Application.h"

namespace forms {

Timer::Timer(QObject* owner) : QObject(owner) {
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { fire(OnTimer, this); });
    update();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    update();
}

void Timer::setInterval(int ms) {
    if (ms < 0) ms = 0;
    if (ms == m_interval) return;
    m_interval = ms;
    update();
}

int Timer::remainingTime() const {
    const int left = m_timer.remainingTime();
    if (left < 0) return -1;
    return static_cast<int>(left / Application::timeScale());
}

void Timer::update() {
    m_timer.stop();
    if (m_enabled && m_interval > 0) m_timer.start(Application::scaledInterval(m_interval));
}

}  // namespace forms
