#include "Form1.h"
#include "HeadlessView.h"
#include "logfiles/FilesFolder.h"
#include "logfiles/ProgramOptions.h"
#include "logger/LoggerPresenter.h"
#include "logger/RegistryAutoStart.h"
#include "logger/registry/SystemRegistry.h"
#include "platform/posix/ConsoleDialogs.h"
#include "platform/posix/FileInstanceLock.h"
#include "platform/posix/PosixUdpSocket.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/posix/RescueFolders.h"
#include "platform/posix/SystemClock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcessLauncher.h"
#include "platform/qt/QtTimer.h"
#include "platform/qt/TerminationSignals.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QStringList>
#include <csignal>
#include <cstdlib>
#include <iostream>

namespace {
void postToMainThread(std::function<void()> f) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(f), Qt::QueuedConnection);
}

// The logger but its window: the members refer to each other, and the presenter comes after
// everything it is given.
struct Logger {
    Logger(LoggerView& view, Dialogs& dialogs, const std::filesystem::path& programFolder)
        : autoStart(*userRegistry, "kelvologger", (programFolder / "kelvologger").string()),
          presenter({view, dialogs, socket, timer, clock, instance, launcher, autoStart},
                    programFolder, {}, rescueFolders("kelvologger")) {
        // The user's data folder may not exist yet; if it cannot be made, the settings and
        // log writes say so.
        std::error_code ec;
        std::filesystem::create_directories(presenter.filesFolder(), ec);
    }

    FileInstanceLock instance{"kelvologger"};
    SystemClock clock;
    QtProcessLauncher launcher;
    std::unique_ptr<registry::Backend> userRegistry = registry::systemRegistry("kelvologger");
    RegistryAutoStart autoStart;
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

int runWindow(int argc, char* argv[], const std::string& arguments,
              const std::filesystem::path& programFolder) {
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kelvologger"),
                                                 QIcon(QStringLiteral(":/kelvologger.png"))));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvo.kelvologger"));
    Form1 window;
    QtDialogs dialogs(&window, QStringLiteral("kelvologger"));
    Logger logger(window, dialogs, programFolder);
    window.attach(logger.presenter);
    const int status = logger.presenter.start(arguments) ? QApplication::exec() : 0;
    window.detach();
    return status;
}

int runHeadless(int argc, char* argv[], const std::string& arguments,
                const std::filesystem::path& programFolder) {
    QCoreApplication app(argc, argv);
    HeadlessView view(std::cout, std::cerr);
    ConsoleDialogs dialogs(std::cerr, "kelvologger");
    Logger logger(view, dialogs, programFolder);
    view.attach(logger.presenter);
    if (!logger.presenter.start(arguments)) return 1;
    // Nobody here can change the port: a logger that hears nothing must not look as if it ran.
    if (!logger.presenter.listening()) {
        std::cerr << "kelvologger: no port to listen on, so it ends; set one from 1 to 65535 in "
                  << (logger.presenter.filesFolder() / settings::kFileName).string() << std::endl;
        return 1;
    }
    std::cerr << "kelvologger: listening on UDP port " << logger.socket.localPort()
              << "; logs and settings in " << logger.presenter.filesFolder().string()
              << "; Ctrl+C ends it." << std::endl;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const auto programFolder = runningProgramFolder(argv[0]);
    const logfiles::ProgramText text{
        "kelvologger", LoggerPresenter::kVersion,
        logfiles::loggerHelp(logfiles::filesFolder(programFolder), true)};
    if (const auto status =
            logfiles::answerCommonOptions(args, {"--headless"}, text, std::cout, std::cerr))
        return *status;

    // Printing into a pipe whose reader went (`| head`) must end the printing, not the logger:
    // the write fails instead, and the logging and the orderly end go on.
    std::signal(SIGPIPE, SIG_IGN);
    // "--headless" is ours; everything else is the argument text the logger looks at.
    bool headless = noDisplay();
    std::string arguments;
    for (const auto arg : args) {
        if (arg == "--headless") {
            headless = true;
            continue;
        }
        if (!arguments.empty()) arguments += ' ';
        arguments += arg;
    }
    return headless ? runHeadless(argc, argv, arguments, programFolder)
                    : runWindow(argc, argv, arguments, programFolder);
}
