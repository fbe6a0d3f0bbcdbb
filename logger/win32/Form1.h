#pragma once

#include "logger/LoggerView.h"
#include "logger/Settings.h"
#include "platform/win32/WinUi.h"

#include <array>
#include <string>
#include <windows.h>

#include <commctrl.h>

class LoggerPresenter;

// The logger's one window with Windows' own controls, in a fixed layout scaled to the
// monitor's DPI. Thin: forwards the user's actions to the presenter and shows its state.
class Form1 : public LoggerView, public winui::Window {
public:
    Form1();
    ~Form1() override;
    // The text beside "Network Traffic" as the window shows it.
    std::wstring droppedShown() const;
    void attach(LoggerPresenter& presenter);
    void detach() { m_presenter = nullptr; }

    void changed(Part part) override;
    void queueAppended(std::size_t count) override;
    void queueHeadRemoved(std::size_t count) override;
    void userRowRemoving(std::size_t row) override;
    void activityAppended(std::string_view added) override;
    void activityReplaced() override;
    void activityCaretToEnd() override;
    void showWindow(bool minimised) override;
    void minimise() override;
    void quitProgram() override;

private:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void createControls();
    void layOut(UINT dpi);
    void command(int id);
    LRESULT notify(const NMHDR& header);
    void fillListText(const NMLVDISPINFOW& info);

    LoggerPresenter* m_presenter = nullptr;
    HWND m_title, m_label3, m_filters, m_settings, m_portCaption, m_udpport, m_changePort;
    HWND m_usersFrame, m_listView1, m_queueFrame, m_cue, m_trafficCaption, m_dropped, m_traffic;
    HWND m_activityCaption, m_rtb1, m_viewlogs, m_btnclose;
    std::array<HWND, settings::kSwitchCount> m_switches{};
    HFONT m_font = nullptr, m_titleFont = nullptr, m_activityFont = nullptr;
    HBRUSH m_white;
    wchar_t m_cellText[512];
};
