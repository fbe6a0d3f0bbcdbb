#pragma once

#include "viewer/LogRows.h"

#include <QAbstractTableModel>
#include <vector>

// ListView1's four columns over the presenter's rows: the empty row text, the hidden path,
// "Date Saved" and "Time". Reads the rows in place, so a list of 100,000 logs costs nothing
// to show.
class LogListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { text, path, dateSaved, time, columnCount_ };

    using QAbstractTableModel::QAbstractTableModel;

    // The presenter's rows, once more after it rebuilt them.
    void reset(const std::vector<viewer::LogRow>& rows) {
        beginResetModel();
        m_rows = &rows;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<viewer::LogRow>* m_rows = nullptr;
};
