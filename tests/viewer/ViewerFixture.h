#pragma once

#include "Fakes.h"
#include "TempDir.h"
#include "viewer/ViewerPresenter.h"

#include <gtest/gtest.h>

#include <memory>

// Keeps what the window would show beyond the presenter's own state.
struct RecordingView : ViewerView {
    bool listAndTextShown = true, quit = false;
    bool hiddenWhileBusy = false, wasBusy = false;
    int busy = 0;
    std::vector<std::size_t> scrolledTo;
    void changed(Part) override {}
    void scrollRowIntoView(std::size_t row) override { scrolledTo.push_back(row); }
    void setBusy(bool on) override {
        busy += on ? 1 : -1;
        wasBusy = wasBusy || on;
        hiddenWhileBusy = hiddenWhileBusy || (on && !listAndTextShown);
    }
    void setListAndTextShown(bool shown) override { listAndTextShown = shown; }
    void showWindow() override {}
    void quitProgram() override { quit = true; }
};

class ViewerTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path logs = dir / "logs";
    ScriptedDialogs dialogs;
    RecordingView view;
    FakeLock lock;
    EnglishDateNames names;
    std::unique_ptr<ViewerPresenter> viewer;

    void SetUp() override { std::filesystem::create_directory(logs); }
    void write(const std::string& name, std::string_view bytes) const {
        dir.write("logs/" + name, bytes);
    }
    void start(const std::filesystem::path& folder = {}) {
        viewer = std::make_unique<ViewerPresenter>(ViewerPorts{view, dialogs, lock, names},
                                                   folder.empty() ? logs : folder);
        viewer->start();
    }
    void open(std::size_t row) {
        viewer->selectRow(row);
        viewer->openSelected();
    }
    // What the window shows of the open log, to compare before and after.
    std::string shownState() const {
        std::string marks;
        for (auto m : viewer->shown().marks())
            marks += std::to_string(m) + " ";
        return viewer->label1() + "|" + viewer->label3() + "|" + viewer->filename().string() + "|" +
               std::to_string(viewer->deleteEnabled()) + "|" + viewer->shown().text() + "|" + marks;
    }
    void expectHeader(const std::string& name, bool deletable) const {
        EXPECT_EQ(viewer->label1(), " Messages in log file: " + name);
        EXPECT_EQ(viewer->deleteEnabled(), deletable) << name;
    }
    // The state of a fresh Refresh: nothing shown, nothing selected, nothing to delete.
    void expectNothingShown() const {
        EXPECT_EQ(viewer->label1(), "No file selected");
        EXPECT_FALSE(viewer->deleteEnabled() || viewer->selectedRow());
        EXPECT_TRUE(viewer->shown().empty() && viewer->text1().empty());
    }
};
