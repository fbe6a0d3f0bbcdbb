#include "ActivityLog.h"

#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"

ActivityLog::ActivityLog(std::filesystem::path logsFolder, Clock& clock, ActivityObserver& observer)
    : m_folder(std::move(logsFolder)), m_clock(clock), m_observer(observer) {}

ActivityLog::Restored ActivityLog::restore() {
    m_text.clear();
    const auto path = m_folder / std::string(logfiles::kCurrentLogName);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return {};
    std::string text;
    if (auto err = logfiles::readText(path, text, kMaxRestoredBytes)) {
        const auto kept = logfiles::freeArchivePath(m_folder, m_clock.now());
        std::filesystem::rename(path, kept, ec);
        return {err, ec ? std::filesystem::path{} : kept};
    }
    m_text = std::move(text);
    m_observer.activityReplaced();
    return {};
}

void ActivityLog::append(std::string_view logText) {
    const auto start = m_text.size();
    m_text += logfiles::logLine(m_clock.now(), logText);
    m_observer.activityAppended(std::string_view(m_text).substr(start));
    setRecordedLength(m_text.size());
}

void ActivityLog::setRecordedLength(std::size_t length) {
    if (m_text1 == length) return;
    m_text1 = length;
    writeFiles();
}

void ActivityLog::writeFiles() {
    if (*m_text1 > kRolloverLength) {
        // Without its archive the text must stay: rolling over would lose it.
        if (!writeArchive()) {
            m_text.clear();
            m_observer.activityReplaced();
            std::error_code ignored;
            std::filesystem::remove(m_folder / std::string(logfiles::kCurrentLogName), ignored);
            setRecordedLength(0);
            return;
        }
    }
    writeCurrentLog();
}

std::error_code ActivityLog::writeArchive() {
    LocalTime t = m_clock.now();
    if (m_lastArchive && t <= *m_lastArchive) t = nextSecond(*m_lastArchive);
    const auto path = logfiles::freeArchivePath(m_folder, t);
    const auto ec = logfiles::writeAtomically(path, m_text + std::string(logfiles::kLineEnd));
    m_observer.logFileWritten(path, ec);
    if (!ec) m_lastArchive = logfiles::archiveTime(path.filename().string());
    return ec;
}

std::error_code ActivityLog::writeCurrentLog() {
    const auto path = m_folder / std::string(logfiles::kCurrentLogName);
    const auto ec = logfiles::writeAtomically(path, m_text + std::string(logfiles::kLineEnd));
    m_observer.logFileWritten(path, ec);
    return ec;
}

ActivityLog::Ending ActivityLog::archive(const LogRescue& rescue) {
    using SavedIn = Ending::SavedIn;
    const auto current = m_folder / std::string(logfiles::kCurrentLogName);
    std::error_code ignored;
    const auto failure = writeArchive();
    if (!failure) {
        std::filesystem::remove(current, ignored);
        return {SavedIn::archive, {}, {}};
    }
    if (!writeCurrentLog()) return {SavedIn::currentLog, current, failure};
    const auto saved = rescue.save(m_text + std::string(logfiles::kLineEnd), m_clock.now());
    if (saved.error) return {SavedIn::nowhere, {}, failure};
    // What the current log still holds is in the rescued text too: brought back twice, it
    // would show twice.
    std::filesystem::remove(current, ignored);
    return {SavedIn::rescue, saved.path, failure};
}
