#pragma once

#include <cstddef>

// What the viewer's window shows of the presenter's state. The presenter says what changed;
// the window reads the new state back from the presenter.
class ViewerView {
public:
    enum class Part {
        labels,       // Label1, Label3, Label4
        deleteButton, // deletefile enabled or not
        rows,         // ListView1's rows
        selection,    // the selected row
        text,         // RichTextBox1's text, replaced
        marks,        // RichTextBox1's marks and selection
    };

    virtual ~ViewerView() = default;
    virtual void changed(Part part) = 0;
    virtual void scrollRowIntoView(std::size_t row) = 0;
    virtual void setBusy(bool busy) = 0; // the busy pointer over the window
    virtual void setListAndTextShown(bool shown) = 0;
    virtual void showWindow() = 0;
    virtual void quitProgram() = 0;
};

// The busy pointer for as long as it lives, restored however the work ends.
class BusyPointer {
public:
    explicit BusyPointer(ViewerView& view) : m_view(view) { m_view.setBusy(true); }
    ~BusyPointer() { m_view.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    ViewerView& m_view;
};
