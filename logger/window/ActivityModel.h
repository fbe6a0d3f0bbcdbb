#pragma once

#include <QAbstractListModel>
#include <string>
#include <vector>

// The "Current Activity" box as a view over the presenter's activity text, a log line a row:
// a tick that logs thousands of lines costs an index of where they begin, and only the rows
// on screen are ever laid out. Lines end at CR LF only, as in the log files.
class ActivityModel : public QAbstractListModel {
public:
    explicit ActivityModel(const std::string& text) : m_text(text) {
        m_starts = linesFrom(m_indexed);
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void appended(); // the text grew at its end
    void replaced(); // the text is another one

private:
    // Where the whole lines from `end` on begin; `end` moves past the last of them.
    std::vector<std::size_t> linesFrom(std::size_t& end) const;
    std::string_view line(std::size_t row) const;

    const std::string& m_text;
    std::vector<std::size_t> m_starts; // where each whole line begins
    std::size_t m_indexed = 0;         // the end of the last whole line, after its CR LF
};
