#pragma once

#include "LogRescue.h"
#include "logfiles/LocalTime.h"
#include "logfiles/TextFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

class ActivityObserver {
public:
    virtual ~ActivityObserver() = default;
    virtual void activityReplaced() = 0; // restored or emptied
    // Every failed and every successful log file write, so that the user can be told once
    // when writing starts to fail and again only after it worked in between.
    virtual void logFileWritten(const std::filesystem::path& path, std::error_code result) = 0;
};

// The activity text and its files: logtemp.txt mirrors the text, and past 10000 characters
// the text goes into a dated archive and starts afresh. The text keeps every line whatever
// the disk does: a write that fails is caught up by the next one that works.
//
// Archive names tell when the archive was written: a rollover takes the name of the clock's
// second and no other. When that name is taken (this second's archive exists, or the clock
// went back to a second that has one), the rollover waits for a line in a second whose name
// is free, and that archive holds more than 10000 characters. The exit archive cannot wait:
// it takes this second's name or the next one's.
class ActivityLog {
public:
    static constexpr std::size_t kRolloverLength = 10000;
    static constexpr std::size_t kMaxRestoredBytes = std::size_t{16} << 20;

    ActivityLog(std::filesystem::path logsFolder, Clock& clock, ActivityObserver& observer);

    const std::string& text() const { return m_text; }
    // `Text1`: the text's length as last recorded; nothing before the first line.
    std::optional<std::size_t> recordedLength() const { return m_text1; }

    struct Restored {
        std::error_code error;        // why the file could not be read back
        std::filesystem::path keptAs; // where it was moved then, so no write replaces it
    };
    // Reads a current log left by a run that did not end in order back into the text. The
    // file stays until the next write replaces it with the text it holds and more: a run that
    // ends before that (killed again, or the port held) must not take the text with it. A
    // file that cannot be read back (unreadable, or too large to be a log of ours) is kept as
    // an archive instead.
    Restored restore();

    // Stamps the log text, appends it with CR LF (its own line breaks marked as continuations),
    // records the new length and rolls over when it is due. The current log follows with
    // saveCurrentLog(), once for any number of lines.
    void append(std::string_view logText);
    // Writes the current log if lines came (or a rollover emptied it) since it was written.
    void saveCurrentLog();

    struct Ending {
        enum class SavedIn { archive, currentLog, rescue, nowhere } savedIn;
        std::filesystem::path path;   // where it went, when not into an archive
        std::error_code archiveError; // why it is not in an archive
    };
    // Writes the text to a new archive and deletes the current log. Failing that, the text
    // goes into the current log, and failing that too, to the rescue: wherever it went, the
    // next start brings it back.
    Ending archive(const LogRescue& rescue);

private:
    void setRecordedLength(std::size_t length);
    bool rollOver();
    std::error_code writeArchive(const std::filesystem::path& path);
    std::error_code writeExitArchive();
    std::error_code writeCurrentLog();
    std::filesystem::path currentLogPath() const;
    void removeCurrentLog();

    std::filesystem::path m_folder;
    Clock& m_clock;
    ActivityObserver& m_observer;
    std::string m_text;
    std::optional<std::size_t> m_text1;
    bool m_currentLogStale = false;
    // How much of the text the current log holds (followed by CR LF), when that is known.
    std::optional<std::size_t> m_mirrored;
    logfiles::FlushBehind m_flushBehind;
    // The second whose archive name was found taken (or was just used): a backlog asks the
    // folder about each second once, not once per line.
    std::optional<LocalTime> m_takenSecond;
};
