#include "ActivityLog.h"

#include "logfiles/LogNames.h"
#include "logfiles/TextFile.h"

namespace {
// symlink_status: a dangling link still holds the name.
bool nameTaken(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}
} // namespace

ActivityLog::ActivityLog(std::filesystem::path logsFolder, Clock& clock, ActivityObserver& observer)
    : m_folder(std::move(logsFolder)), m_clock(clock), m_observer(observer) {}

ActivityLog::Restored ActivityLog::restore() {
    m_text.clear();
    const auto path = currentLogPath();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return {};
    std::string text;
    if (auto err = logfiles::readText(path, text, kMaxRestoredBytes)) {
        const auto kept = logfiles::freeArchivePath(m_folder, m_clock.now());
        std::filesystem::rename(path, kept, ec);
        return {err, ec ? std::filesystem::path{} : kept};
    }
    text.resize(logfiles::withoutUnfinishedLine(text).size());
    m_text = std::move(text);
    m_mirrored.reset();
    m_observer.activityReplaced();
    return {};
}

void ActivityLog::append(std::string_view logText) {
    m_text += logfiles::logLine(m_clock.now(), logText);
    setRecordedLength(m_text.size());
}

void ActivityLog::setRecordedLength(std::size_t length) {
    if (m_text1 == length) return;
    m_text1 = length;
    m_currentLogStale = true;
    if (length > kRolloverLength && rollOver()) {
        m_text.clear();
        m_mirrored.reset();
        m_observer.activityReplaced();
        removeCurrentLog();
        setRecordedLength(0);
    }
}

// True when the text went into an archive. Without its archive the text must stay: rolling
// over would lose it.
bool ActivityLog::rollOver() {
    const LocalTime now = m_clock.now();
    if (m_takenSecond == now) return false;
    const auto path = m_folder / logfiles::archiveName(now);
    if (nameTaken(path)) {
        m_takenSecond = now;
        return false;
    }
    if (writeArchive(path)) return false;
    m_takenSecond = now;
    return true;
}

void ActivityLog::removeCurrentLog() {
    m_flushBehind.finish();
    std::error_code ignored;
    std::filesystem::remove(currentLogPath(), ignored);
}

std::filesystem::path ActivityLog::currentLogPath() const {
    return m_folder / std::string(logfiles::kCurrentLogName);
}

void ActivityLog::saveCurrentLog() {
    if (m_currentLogStale && !writeCurrentLog()) m_currentLogStale = false;
}

// The current log, brought up to date, becomes the archive: a rename costs the same for any
// length, where writing a backlog's text anew would hold up the window. Copying is left for
// when renaming fails (another program holds the file open, say).
std::error_code ActivityLog::writeArchive(const std::filesystem::path& path) {
    auto ec = writeCurrentLog();
    m_flushBehind.finish();
    if (!ec) ec = logfiles::renameWithoutReplacing(currentLogPath(), path);
    if (ec && ec != std::errc::file_exists)
        ec = logfiles::writeAtomically(path, m_text + std::string(logfiles::kLineEnd));
    m_mirrored.reset();
    m_observer.logFileWritten(path, ec);
    return ec;
}

// Lines are only ever added to the text between a restore and a rollover, so the file needs
// only the new ones; anything else, or a file changed behind our back, is written whole.
std::error_code ActivityLog::writeCurrentLog() {
    const auto path = currentLogPath();
    // After a failed flush, what the file holds may not survive: write it whole.
    const bool flushed = !m_flushBehind.takeError();
    std::error_code ec = std::make_error_code(std::errc::invalid_argument);
    if (m_mirrored && flushed)
        ec = logfiles::overwriteTail(path, *m_mirrored + logfiles::kLineEnd.size(), *m_mirrored,
                                     m_text.substr(*m_mirrored) + std::string(logfiles::kLineEnd),
                                     m_flushBehind);
    if (ec) {
        m_flushBehind.finish();
        ec = logfiles::writeAtomically(path, m_text + std::string(logfiles::kLineEnd));
    }
    m_mirrored = ec ? std::nullopt : std::optional(m_text.size());
    m_observer.logFileWritten(path, ec);
    return ec;
}

// Unlike a rollover, the exit archive cannot wait for a free second: it takes this second's
// name or the next one's.
std::error_code ActivityLog::writeExitArchive() {
    const LocalTime now = m_clock.now();
    for (const auto& second : {now, nextSecond(now)}) {
        const auto path = m_folder / logfiles::archiveName(second);
        if (!nameTaken(path)) return writeArchive(path);
    }
    return std::make_error_code(std::errc::file_exists);
}

ActivityLog::Ending ActivityLog::archive(const LogRescue& rescue) {
    using SavedIn = Ending::SavedIn;
    const auto current = currentLogPath();
    const auto failure = writeExitArchive();
    if (!failure) {
        removeCurrentLog();
        return {SavedIn::archive, {}, {}};
    }
    if (!writeCurrentLog()) return {SavedIn::currentLog, current, failure};
    const auto saved = rescue.save(m_text + std::string(logfiles::kLineEnd), m_clock.now());
    if (saved.error) return {SavedIn::nowhere, {}, failure};
    // What the current log still holds is in the rescued text too: brought back twice, it
    // would show twice.
    removeCurrentLog();
    return {SavedIn::rescue, saved.path, failure};
}
