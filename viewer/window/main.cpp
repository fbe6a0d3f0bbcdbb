#include "Form1.h"
#include "TranscriptDialogs.h"
#include "logfiles/FilesFolder.h"
#include "logfiles/LogNames.h"
#include "logfiles/ProgramOptions.h"
#include "platform/posix/FileInstanceLock.h"
#include "platform/posix/ProgramFolder.h"
#include "platform/qt/QtDateNames.h"
#include "platform/qt/QtDialogs.h"
#include "viewer/ViewerPresenter.h"

#include <QApplication>
#include <QIcon>
#include <iostream>

int main(int argc, char* argv[]) {
    const auto logs = logfiles::logsFolder(logfiles::filesFolder(runningProgramFolder(argv[0])));
    const logfiles::ProgramText text{"kelvologviewer", ViewerPresenter::kVersion,
                                     logfiles::viewerHelp(logs)};
    if (const auto status =
            logfiles::answerCommonOptions({argv + 1, argv + argc}, {}, text, std::cout, std::cerr))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvologviewer"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kelvologviewer"),
                                                 QIcon(QStringLiteral(":/kelvologviewer.png"))));
    QApplication::setDesktopFileName(QStringLiteral("org.kelvo.kelvologviewer"));
    Form1 form;
    QtDialogs shownDialogs(&form, QStringLiteral("kelvologviewer"));
    const auto transcript = TranscriptDialogs::fromEnvironment();
    FileInstanceLock instance("kelvologviewer");
    const QtDateNames dateNames;
    ViewerPresenter presenter(
        {form, transcript ? static_cast<Dialogs&>(*transcript) : shownDialogs, instance, dateNames},
        logs);
    form.attach(presenter);
    if (!presenter.start()) return 1;
    form.show();
    return QApplication::exec();
}
