#include "Form1.h"
#include "TranscriptDialogs.h"
#include "logfiles/LogNames.h"
#include "platform/posix/FileInstanceLock.h"
#include "platform/qt/QtDateNames.h"
#include "platform/qt/QtDialogs.h"
#include "viewer/ViewerPresenter.h"

#include <QApplication>
#include <QFile>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvologviewer"));
    Form1 form;
    QtDialogs shownDialogs(&form, QStringLiteral("kelvologviewer"));
    const auto transcript = TranscriptDialogs::fromEnvironment();
    FileInstanceLock instance("kelvologviewer");
    const QtDateNames dateNames;
    const std::filesystem::path programFolder =
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    ViewerPresenter presenter(
        {form, transcript ? static_cast<Dialogs&>(*transcript) : shownDialogs, instance, dateNames},
        logfiles::logsFolder(programFolder));
    form.attach(presenter);
    if (!presenter.start()) return 1;
    form.show();
    return QApplication::exec();
}
