#include "HeadlessView.h"

#include "logger/LoggerPresenter.h"

#include <QCoreApplication>

void HeadlessView::changed(Part part) {
    // A flood drops thousands a second: a note a second is enough.
    const auto now = std::chrono::steady_clock::now();
    if (part != Part::dropped || now - m_lastNote < std::chrono::seconds(1)) return;
    m_lastNote = now;
    noteCounts();
}

void HeadlessView::activityAppended(std::string_view added) {
    // A terminal wants LF; the bytes are written as they are otherwise.
    for (auto end = added.find("\r\n"); end != std::string_view::npos; end = added.find("\r\n")) {
        m_out.write(added.data(), static_cast<std::streamsize>(end));
        m_out.put('\n');
        added.remove_prefix(end + 2);
    }
    m_out.write(added.data(), static_cast<std::streamsize>(added.size()));
    m_out.flush();
}

void HeadlessView::quitProgram() {
    if (m_presenter && (m_presenter->accepted() || m_presenter->dropped())) noteCounts();
    QCoreApplication::exit(0);
}

void HeadlessView::noteCounts() {
    if (!m_presenter) return;
    m_notes << "kelvologger: " << m_presenter->accepted() << " datagrams accepted, "
            << m_presenter->dropped() << " dropped because the buffer was full" << std::endl;
}
