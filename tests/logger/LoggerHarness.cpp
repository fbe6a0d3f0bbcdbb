#include "LoggerHarness.h"

void LoggerHarness::startLoggingAll(std::string_view arguments) {
    dir.write("loggersettings.txt", settings::fileText({1, 1, 1, 1, 1, 0}, "4111"));
    presenter.start(arguments);
}
