#pragma once

#include "LogRows.h"
#include "ShownText.h"
#include "ViewerView.h"
#include "platform/DateNames.h"
#include "platform/Dialogs.h"
#include "platform/InstanceLock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ViewerPorts {
    ViewerView& view;
    Dialogs& dialogs;
    InstanceLock& instance;
    const DateNames& dateNames;
};

// The viewer's window logic: owns what the window shows and runs every event handler, in
// order, without drawing or blocking on a widget itself. Rows count from 0.
class ViewerPresenter {
public:
    static constexpr std::string_view kVersion = "1.0.4";
    static constexpr std::string_view kNoFile = "No file selected";
    static constexpr std::string_view kHeader = " Messages in log file: ";

    ViewerPresenter(ViewerPorts ports, std::filesystem::path logsFolder);

    // The start-up. False when the program ends during it.
    bool start();
    bool ended() const { return m_ended; }

    // Events.
    void selectRow(std::optional<std::size_t> row); // any move of the list's selection
    void openSelected();                            // a click or double-click on the list
    void refresh();
    void deletefile();
    void closeout();
    // Text2 changed; `matchable` is false when it holds a character no log byte can be.
    void changeSearchText(std::string text, bool matchable = true);
    void searchAllFiles();

    // State the window shows.
    const std::vector<viewer::LogRow>& rows() const { return m_rows; }
    std::optional<std::size_t> selectedRow() const { return m_selected; }
    const viewer::ShownText& shown() const { return m_shown; }
    const std::string& label1() const { return m_label1; }
    const std::string& label3() const { return m_label3; }
    const std::string& label4() const { return m_label4; }
    bool deleteEnabled() const { return m_deleteEnabled; }
    const std::string& text2() const { return m_text2; }

    // Hidden state.
    const std::filesystem::path& filename() const { return m_filename; }
    const std::string& text1() const { return m_text1; }
    bool check1() const { return m_check1; }
    bool check2() const { return m_check2; }
    const std::string& rr() const { return m_rr; }

private:
    bool command2();
    void command1();
    // Reads a log, or tells the user why it cannot be read (with the normal pointer back).
    bool readOrTell(const std::filesystem::path& path, std::string& text,
                    std::optional<BusyPointer>& busy);
    void command3(std::string text);
    void findbtn();
    viewer::Finder searchFinder() const;
    void setCheck1(bool on);
    void clearHighlight();
    void showHeaderFor(const std::filesystem::path& path);
    void setLabel3(std::string_view notice);
    void select(std::optional<std::size_t> row);
    void endProgram();

    ViewerPorts m_ports;
    std::filesystem::path m_logsFolder;
    viewer::RowMaker m_rowMaker;
    bool m_ended = false;

    std::vector<std::string> m_listing;
    std::vector<viewer::LogRow> m_rows;
    std::optional<std::size_t> m_selected;
    viewer::ShownText m_shown;
    std::string m_label1{kNoFile};
    std::string m_label3 = "Not Found";
    std::string m_label4 = "version";
    bool m_deleteEnabled = false;
    std::string m_text2;
    bool m_text2Matchable = true;

    std::filesystem::path m_filename;
    std::string m_text1;
    bool m_check1 = false;
    bool m_check2 = false;
    std::string m_rr;
};
