#pragma once

#include "TempDir.h"
#include "viewer/ViewerPresenter.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Answers message boxes from a script and keeps what they said.
struct ScriptedDialogs : Dialogs {
    std::deque<Answer> answers;
    std::vector<std::string> texts, titles;
    Answer message(std::string_view text, Buttons, Icon, std::string_view title) override {
        texts.emplace_back(text);
        titles.emplace_back(title);
        if (answers.empty()) return Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> input(std::string_view, std::string_view,
                                     std::string_view) override {
        return std::nullopt;
    }
};

// Keeps what the window would show beyond the presenter's own state.
struct RecordingView : ViewerView {
    bool listAndTextShown = true, windowShown = false, quit = false;
    int busy = 0;
    bool hiddenWhileBusy = false, wasBusy = false;
    std::vector<std::size_t> scrolledTo;
    void changed(Part) override { EXPECT_FALSE(quit) << "changed after the end"; }
    void scrollRowIntoView(std::size_t row) override { scrolledTo.push_back(row); }
    void setBusy(bool on) override {
        busy += on ? 1 : -1;
        wasBusy = wasBusy || on;
        hiddenWhileBusy = hiddenWhileBusy || (on && !listAndTextShown);
    }
    void setListAndTextShown(bool shown) override { listAndTextShown = shown; }
    void showWindow() override { windowShown = true; }
    void quitProgram() override { quit = true; }
};

struct FakeLock : InstanceLock {
    bool free = true;
    bool acquire() override { return free; }
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
    ViewerPresenter& start(const std::filesystem::path& folder = {}) {
        viewer = std::make_unique<ViewerPresenter>(ViewerPorts{view, dialogs, lock, names},
                                                   folder.empty() ? logs : folder);
        viewer->start();
        return *viewer;
    }
    void open(std::size_t row) {
        viewer->selectRow(row);
        viewer->openSelected();
    }
    std::string shownName() const { return viewer->filename().filename().string(); }
    std::vector<std::string> column(bool date) const {
        std::vector<std::string> texts;
        for (const auto& r : viewer->rows())
            texts.push_back(date ? r.dateText : r.timeText);
        return texts;
    }
};
