#include "HeadlessView.h"

#include <QCoreApplication>

void HeadlessView::activityAppended(std::string_view added) {
    // A terminal wants LF; the bytes are written as they are otherwise.
    if (added.ends_with("\r\n")) added.remove_suffix(2);
    m_out.write(added.data(), static_cast<std::streamsize>(added.size()));
    m_out << std::endl;
}

void HeadlessView::quitProgram() { QCoreApplication::exit(0); }
