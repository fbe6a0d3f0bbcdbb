#pragma once

#include "Udp.h"
#include "logger/LoggerHarness.h"
#include "logger/window/Form1.h"
#include "platform/posix/PosixUdpSocket.h"
#include "platform/qt/QtTimer.h"

#include <QApplication>
#include <QPushButton>

// The real window on the presenter with a real socket on a free port and, unless held still,
// the real queue timer; only the answers to its boxes, the lock and the clock are scripted.
struct WindowLogger {
    enum class Ticks { run, hold };

    explicit WindowLogger(std::string settings = "[FILTERSIGNONS       ]=1\r\n",
                          Ticks timerTicks = Ticks::run, QueueLimits limits = {})
        : ticks(timerTicks), queueLimits(limits) {
        h.dir.write("loggersettings.txt",
                    settings + "[UDPPORT             ]=" + std::to_string(port) + "\r\n");
        window.attach(presenter);
        started = presenter.start({});
    }
    ~WindowLogger() { window.detach(); }
    WindowLogger(const WindowLogger&) = delete;
    WindowLogger& operator=(const WindowLogger&) = delete;

    template <typename W> W* child(const char* name) {
        return window.findChild<W*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }

    LoggerHarness h;
    int port = freeUdpPort();
    Form1 window;
    PosixUdpSocket socket{presenter, [](std::function<void()> f) {
                              QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
                          }};
    QtTimer timer{LoggerPresenter::kTickMs, [this] { presenter.tick(); }};
    Ticks ticks;
    QueueLimits queueLimits;
    LoggerPresenter presenter{{window, h.dialogs, socket,
                               ticks == Ticks::run ? static_cast<Timer&>(timer) : h.timer, h.clock,
                               h.lock, h.launcher, h.autoStart},
                              h.dir.path(),
                              queueLimits};
    bool started = false;
};
