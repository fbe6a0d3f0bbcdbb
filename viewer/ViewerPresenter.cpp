#include "ViewerPresenter.h"

#include "AllFilesSearch.h"
#include "LogFolder.h"
#include "logfiles/LogNames.h"

using Part = ViewerView::Part;

namespace {
// The last n characters of a UTF-8 text, never splitting one.
std::string lastCharacters(std::string_view text, std::size_t n) {
    std::size_t at = text.size();
    while (at > 0 && n > 0) {
        --at;
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) --n;
    }
    return std::string(text.substr(at));
}
} // namespace

ViewerPresenter::ViewerPresenter(ViewerPorts ports, std::filesystem::path logsFolder)
    : m_ports(ports), m_logsFolder(std::move(logsFolder)), m_rowMaker(ports.dateNames) {}

bool ViewerPresenter::start() {
    if (!m_ports.instance.acquire({})) {
        m_ports.dialogs.message("Kelvo Kelvo Log Viewer v" + std::string(kVersion) +
                                "\r\nis already running.");
        endProgram();
        return false;
    }
    m_check2 = false;
    m_label1 = kNoFile;
    m_label3.clear();
    m_label4 = std::string("v").append(kVersion); // not "v" + ...: a false -Wrestrict at -O3
    m_ports.view.changed(Part::labels);
    if (!command2()) return false;
    command1();
    if (!m_rows.empty()) {
        const auto path = m_rows.front().path;
        m_text1.clear();
        std::optional<BusyPointer> busy(std::in_place, m_ports.view);
        std::string text;
        if (!readOrTell(path, text, busy)) return true;
        m_filename = path;
        command3(std::move(text));
        showHeaderFor(path);
    }
    return true;
}

void ViewerPresenter::selectRow(std::optional<std::size_t> row) {
    if (row && *row >= m_rows.size()) row.reset();
    m_selected = row;
}

void ViewerPresenter::openSelected() {
    if (m_rows.empty() || !m_selected) return;
    const auto path = m_rows[*m_selected].path;
    // Read before anything changes: a log that cannot be read leaves the shown one as it was.
    std::optional<BusyPointer> busy(std::in_place, m_ports.view);
    std::string text;
    if (!readOrTell(path, text, busy)) return;
    m_check2 = false;
    setLabel3("");
    clearHighlight();
    m_filename = path;
    showHeaderFor(path);
    command3(std::move(text));
    if (!m_text2.empty()) findbtn();
}

void ViewerPresenter::refresh() {
    setLabel3("");
    m_shown.clear();
    m_ports.view.changed(Part::text);
    m_rows.clear();
    m_selected.reset();
    m_ports.view.changed(Part::rows);
    m_text1.clear();
    m_label1 = kNoFile;
    m_ports.view.changed(Part::labels);
    if (!command2()) return;
    command1();
    select(std::nullopt);
    m_deleteEnabled = false;
    m_ports.view.changed(Part::deleteButton);
}

void ViewerPresenter::deletefile() {
    if (!m_deleteEnabled || m_filename.empty()) return;
    // The shown log is what goes, whatever row the list highlights: the question names it.
    if (m_ports.dialogs.message(m_filename.string() + "\r\nwill be deleted. Are you sure?",
                                Buttons::YesNo, Icon::None, "Delete log file") != Answer::Yes)
        return;
    if (const auto error = viewer::deleteLog(m_filename)) {
        m_ports.dialogs.message(m_filename.string() +
                                "\r\ncould not be deleted: " + viewer::describe(error));
        return;
    }
    refresh();
    if (m_ended) return;
    m_ports.dialogs.message(m_filename.string() + "\r\nhas been Deleted.");
}

void ViewerPresenter::closeout() {
    endProgram();
}

void ViewerPresenter::changeSearchText(std::string text, bool matchable) {
    m_text2 = std::move(text);
    m_text2Matchable = matchable;
    setCheck1(false);
    setCheck1(true);
    if (m_text2.empty()) setCheck1(false);
}

void ViewerPresenter::searchAllFiles() {
    if (m_rows.empty() || m_text2.empty()) return;
    m_ports.view.setListAndTextShown(false);
    BusyPointer busy(m_ports.view);
    const std::size_t n = m_rows.size();
    const std::size_t from = viewer::startRow(m_selected, n, m_check2, m_label3);
    if (m_label3 == viewer::kNotFoundStartOver) m_check2 = false;
    m_rr = std::to_string(from + 1);

    const viewer::Finder finder = searchFinder();
    auto result = viewer::scanRows(m_rows, from, finder);
    if (result.loaded) {
        m_filename = m_rows[*result.loaded].path;
        command3(std::move(result.text));
    }
    if (result.hit) {
        m_shown.markAll(finder);
        m_ports.view.changed(Part::marks);
        m_check2 = *result.hit != n - 1;
        setLabel3("");
    } else {
        setLabel3(viewer::kNotFoundStartOver);
        m_check2 = false;
    }
    m_ports.view.setListAndTextShown(true);
    select(result.hit.value_or(n - 1));
    m_ports.view.scrollRowIntoView(*m_selected);
    // The header and Delete follow the log shown, so that Delete never reaches the current log
    // or a log other than the one the header names.
    if (result.loaded) showHeaderFor(m_filename);
}

bool ViewerPresenter::command2() {
    std::error_code error;
    {
        BusyPointer busy(m_ports.view); // a folder of 100,000 files takes a moment
        error = viewer::listLogNames(m_logsFolder, m_listing);
    }
    if (error) {
        m_ports.view.showWindow();
        m_ports.dialogs.message(
            "Log files not found.\r\nKelvo Log file viewer must be run from the Kelvo Directory");
        endProgram();
        return false;
    }
    return true;
}

void ViewerPresenter::command1() {
    BusyPointer busy(m_ports.view);
    m_rows.reserve(m_rows.size() + m_listing.size());
    for (auto it = m_listing.rbegin(); it != m_listing.rend(); ++it)
        m_rows.push_back(m_rowMaker.row(m_logsFolder, *it));
    m_ports.view.changed(Part::rows);
    select(m_rows.empty() ? std::nullopt : std::optional<std::size_t>(0));
}

bool ViewerPresenter::readOrTell(const std::filesystem::path& path, std::string& text,
                                 std::optional<BusyPointer>& busy) {
    const auto error = viewer::readLog(path, text);
    if (!error) return true;
    busy.reset(); // the message box gets the normal pointer
    m_ports.dialogs.message("The log file\r\n" + path.string() +
                            "\r\ncannot be opened: " + viewer::describe(error));
    return false;
}

void ViewerPresenter::command3(std::string text) {
    m_text1 = std::move(text);
    m_shown.assign(m_text1);
    m_ports.view.changed(Part::text);
}

void ViewerPresenter::findbtn() {
    setLabel3("");
    if (m_text2.empty() || m_shown.empty() || !m_check1) return;
    const bool found = m_shown.markAll(searchFinder());
    m_ports.view.changed(Part::marks);
    if (!found) setLabel3(viewer::kNotFound);
}

viewer::Finder ViewerPresenter::searchFinder() const {
    // A text that no byte sequence spells finds nothing, in any log.
    return viewer::Finder(m_text2Matchable ? std::string_view(m_text2) : std::string_view());
}

void ViewerPresenter::setCheck1(bool on) {
    if (on == m_check1) return;
    m_check1 = on;
    if (on)
        findbtn();
    else
        clearHighlight();
}

void ViewerPresenter::clearHighlight() {
    m_shown.clearHighlight();
    m_ports.view.changed(Part::marks);
}

void ViewerPresenter::showHeaderFor(const std::filesystem::path& path) {
    const std::string text = path.string();
    // The name alone, as the list decides "Current Log": a folder called "logtemp.txt" must
    // not make its archives undeletable, or the header name a log that is not shown.
    const bool current = path.filename() == logfiles::kCurrentLogName;
    m_label1 =
        std::string(kHeader) + (current ? std::string(logfiles::kCurrentLogName)
                                        : lastCharacters(text, logfiles::kArchiveNameLength));
    m_deleteEnabled = !current;
    m_ports.view.changed(Part::labels);
    m_ports.view.changed(Part::deleteButton);
}

void ViewerPresenter::setLabel3(std::string_view notice) {
    if (m_label3 == notice) return;
    m_label3 = notice;
    m_ports.view.changed(Part::labels);
}

void ViewerPresenter::select(std::optional<std::size_t> row) {
    m_selected = row;
    m_ports.view.changed(Part::selection);
}

void ViewerPresenter::endProgram() {
    m_ended = true;
    m_ports.view.quitProgram();
}
