#include "Form1.h"
#include "logger/LoggerPresenter.h"
#include "platform/InstanceLock.h"
#include "platform/PosixUdpSocket.h"
#include "platform/QtDialogs.h"
#include "platform/QtProcessLauncher.h"
#include "platform/QtTimer.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QStringList>

namespace {
void postToWindowThread(std::function<void()> f) {
    QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
}

class NoAutoStart : public AutoStart {
public:
    std::optional<std::string> sync(int) override { return std::nullopt; }
};

// Everything the logger is made of, in the order it must be built: the members refer to
// each other, and the presenter comes after everything it is given.
struct Logger {
    Form1 window;
    QtDialogs dialogs{&window, QStringLiteral("kelvologger")};
    FileInstanceLock instance{"kelvologger"};
    SystemClock clock;
    QtProcessLauncher launcher;
    NoAutoStart autoStart;
    PosixUdpSocket socket{presenter, postToWindowThread};
    QtTimer timer{LoggerPresenter::kTickMs, [this] { presenter.tick(); }};
    LoggerPresenter presenter{
        {window, dialogs, socket, timer, clock, instance, launcher, autoStart},
        QCoreApplication::applicationDirPath().toStdString()};

    Logger() { window.attach(presenter); }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    Logger logger;
    if (!logger.presenter.start(args.join(QLatin1Char(' ')).toStdString())) return 0;
    return QApplication::exec();
}
