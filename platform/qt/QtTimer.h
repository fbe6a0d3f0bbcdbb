#pragma once

#include "platform/Timer.h"

#include <QTimer>
#include <functional>

class QtTimer : public Timer {
public:
    QtTimer(int intervalMs, std::function<void()> onTick) : m_intervalMs(intervalMs) {
        m_timer.setInterval(intervalMs);
        QObject::connect(&m_timer, &QTimer::timeout, [f = std::move(onTick)] { f(); });
    }
    void setEnabled(bool enabled) override {
        if (enabled == m_timer.isActive()) return; // starting again would delay the next tick
        enabled ? m_timer.start() : m_timer.stop();
    }
    bool isEnabled() const override { return m_timer.isActive(); }
    // A zero interval fires once the event queue is empty, so input and painting go first.
    void setBackToBack(bool backToBack) override {
        const int interval = backToBack ? 0 : m_intervalMs;
        if (m_timer.interval() != interval) m_timer.setInterval(interval);
    }

private:
    int m_intervalMs;
    QTimer m_timer;
};
