#include "QtProcessLauncher.h"

#include <QFileInfo>
#include <QProcess>

std::string QtProcessLauncher::startDetached(const std::filesystem::path& program) {
    const QString path = QString::fromStdString(program.string());
    const QFileInfo info(path);
    // QProcess says only that it failed; these are the reasons a user can act on.
    if (!info.exists()) return "The file does not exist.";
    if (!info.isFile() || !info.isExecutable()) return "The file is not an executable program.";
    if (!QProcess::startDetached(path, {}, info.absolutePath()))
        return "The system could not start it.";
    return {};
}
