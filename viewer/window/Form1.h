#pragma once

#include "DesignLayout.h"
#include "viewer/ViewerView.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class LogListModel;
class LogTextView;
class ViewerPresenter;

// The viewer's window, "Log File Viewer": forwards the user's events to the presenter and
// shows its state. Controls carry the names the rest of the program uses.
class Form1 : public QWidget, public ViewerView {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;
    void attach(ViewerPresenter& presenter);

    // ViewerView.
    void changed(Part part) override;
    void scrollRowIntoView(std::size_t row) override;
    void setBusy(bool busy) override;
    void setListAndTextShown(bool shown) override;
    void showWindow() override;
    void quitProgram() override;

    // The controls, for tests and benchmarks that drive the real widgets.
    QPushButton* refresh;
    QTreeView* ListView1;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* deletefile;
    LogTextView* RichTextBox1;
    QGroupBox* Frame1;
    QLineEdit* Text2;
    QLabel* Label3;
    QPushButton* searchAll;
    QLabel* Picture1;
    QLabel* Label7;
    QLabel* Label4;
    QPushButton* closeout;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void shapeColumns();
    void placeControls();
    void connectControls();
    void fitTexts();
    static int buttonRoom(const QPushButton* button); // where the style draws its text
    void showSelection();
    void selectionMoved();

    ViewerPresenter* m_presenter = nullptr;
    LogListModel* m_model = nullptr;
    DesignLayout m_layout;
    bool m_showingSelection = false;
    int m_busyDepth = 0;
};
