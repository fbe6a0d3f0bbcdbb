#include "Form1.h"
#include "HeadlessView.h"
#include "logger/LoggerPresenter.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/SystemRegistry.h"
#include "platform/posix/ConsoleDialogs.h"
#include "platform/posix/FileInstanceLock.h"
#include "platform/posix/PosixUdpSocket.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtTimer.h"
#include "platform/posix/SystemClock.h"
#include "platform/qt/TerminationSignals.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdlib>
#include <iostream>

namespace {
void postToMainThread(std::function<void()> f) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(f), Qt::QueuedConnection);
}

// The logger's executable as its start-at-logon entry names it, in the system's 8-bit encoding.
std::string executablePath() {
#ifdef _WIN32
    const auto name = QStringLiteral("/kelvologger.exe");
#else
    const auto name = QStringLiteral("/kelvologger");
#endif
    return QFile::encodeName(
               QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + name))
        .toStdString();
}

// The logger but its window: the members refer to each other, and the presenter comes after
// everything it is given.
struct Logger {
    Logger(LoggerView& view, Dialogs& dialogs)
        : presenter({view, dialogs, socket, timer, clock, instance, launcher, autoStart},
                    QCoreApplication::applicationDirPath().toStdString()) {}

    FileInstanceLock instance{"kelvologger"};
    SystemClock clock;
    QtProcessLauncher launcher;
    std::unique_ptr<registry::Backend> userRegistry = registry::systemRegistry("kelvologger");
    RegistryAutoStart autoStart{*userRegistry, "kelvologger", executablePath()};
    PosixUdpSocket socket{presenter, postToMainThread};
    QtTimer timer{LoggerPresenter::kTickMs, [this] { presenter.tick(); }};
    LoggerPresenter presenter;
    TerminationSignals termination{[this] { presenter.terminate(); }};
};

bool noDisplay() {
    const auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return !set("DISPLAY") && !set("WAYLAND_DISPLAY") && !set("QT_QPA_PLATFORM");
}

int runWindow(int argc, char* argv[], const std::string& arguments) {
    QApplication app(argc, argv);
    Form1 window;
    QtDialogs dialogs(&window, QStringLiteral("kelvologger"));
    Logger logger(window, dialogs);
    window.attach(logger.presenter);
    const int status = logger.presenter.start(arguments) ? QApplication::exec() : 0;
    window.detach();
    return status;
}

int runHeadless(int argc, char* argv[], const std::string& arguments) {
    QCoreApplication app(argc, argv);
    HeadlessView view(std::cout, std::cerr);
    ConsoleDialogs dialogs(std::cerr, "kelvologger");
    Logger logger(view, dialogs);
    view.attach(logger.presenter);
    if (!logger.presenter.start(arguments)) return 1;
    std::cerr << "kelvologger: listening on UDP port " << logger.socket.localPort() << "; logs in "
              << (logger.presenter.programFolder() / "logs").string() << "; Ctrl+C ends it."
              << std::endl;
    return QCoreApplication::exec();
}
} // namespace

int main(int argc, char* argv[]) {
    // "--headless" is ours; everything else is the argument text the logger looks at.
    bool headless = noDisplay();
    std::string arguments;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--headless") {
            headless = true;
            continue;
        }
        arguments += (arguments.empty() ? "" : " ") + std::string(argv[i]);
    }
    return headless ? runHeadless(argc, argv, arguments) : runWindow(argc, argv, arguments);
}
