#pragma once

#include <QAbstractListModel>
#include <deque>
#include <string>

// The "Message Buffer" list as a view over the presenter's queue, so that a long backlog costs
// no widget items. The presenter changes the queue first and then says so; the model keeps its
// own row count so that the view always hears of a change before it asks for the rows.
class QueueModel : public QAbstractListModel {
public:
    explicit QueueModel(const std::deque<std::string>& cue) : m_cue(cue) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    void appended(std::size_t count);
    void headRemoved(std::size_t count);

private:
    const std::deque<std::string>& m_cue;
    int m_rows = 0;
};
