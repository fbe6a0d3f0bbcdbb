#pragma once

#include "logger/LoggerView.h"
#include "logger/Settings.h"

#include <QWidget>
#include <array>

class LoggerPresenter;
class ActivityModel;
class QueueModel;
class UsersModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QTreeView;

// The logger's one window. Thin: forwards the user's actions to the presenter and shows its
// state; the hidden values of the original window are the presenter's members.
class Form1 : public QWidget, public LoggerView {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;
    void attach(LoggerPresenter& presenter);
    // Lets go of the presenter before it goes; the window then shows nothing of it.
    void detach();

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildFilters();
    QWidget* buildSettings();
    QWidget* buildUsers();
    QWidget* buildQueue();
    void copyActivity();

    LoggerPresenter* m_presenter = nullptr;
    QLabel* m_label3;
    std::array<QCheckBox*, settings::kSwitchCount> m_switches{};
    QLineEdit* m_udpport;
    QPushButton* m_changePort;
    QTreeView* m_listView1;
    QListView* m_cue;
    QProgressBar* m_traffic;
    QLabel* m_dropped;
    QListView* m_rtb1;
    QPushButton* m_viewlogs;
    QPushButton* m_btnclose;
    QueueModel* m_queueModel = nullptr;
    UsersModel* m_usersModel = nullptr;
    ActivityModel* m_activityModel = nullptr;
};
