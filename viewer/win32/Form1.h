#pragma once

#include "LogTextView.h"
#include "platform/win32/WinUi.h"
#include "viewer/ViewerView.h"

#include <memory>
#include <windows.h>

class ViewerPresenter;

// The viewer's window, "Log File Viewer", with Windows' own controls at their design positions
// in twips, scaled to the monitor's DPI; past its design size the list and the text grow with
// the window. Forwards the user's events to the presenter and shows its state.
class Form1 : public ViewerView, public winui::Window {
public:
    Form1();
    ~Form1() override;
    void attach(ViewerPresenter& presenter);

    void changed(Part part) override;
    void scrollRowIntoView(std::size_t row) override;
    void setBusy(bool busy) override;
    void setListAndTextShown(bool shown) override;
    void showWindow() override;
    void quitProgram() override;

    // The controls, for tests and benchmarks that drive the real window.
    HWND Label2, refresh, ListView1, Label1, deletefile, Frame1, Text2, Label3, searchAll, Picture1,
        Label7, Label4, closeout;
    std::unique_ptr<LogTextView> RichTextBox1;
    enum Id { refreshId = 100, listId, deleteId, textId, searchTextId, searchAllId, closeId };

private:
    LRESULT onMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void createControls();
    void addToolTip(HWND control, const wchar_t* text);
    void layOut();
    void setFonts(UINT dpi);
    void command(int id, int code);
    LRESULT notify(const NMHDR& header);
    void showSelection();
    SIZE designSize(UINT dpi) const;

    ViewerPresenter* m_presenter = nullptr;
    HWND m_toolTips = nullptr;
    HFONT m_arial = nullptr, m_arialBold = nullptr, m_label1Font = nullptr, m_label2Font = nullptr,
          m_label3Font = nullptr, m_titleFont = nullptr, m_versionFont = nullptr;
    HBRUSH m_grey;
    bool m_showingSelection = false;
    int m_busyDepth = 0;
    wchar_t m_cellText[1024];
};
