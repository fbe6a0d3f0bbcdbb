#pragma once

#include "logger/UsersTable.h"

#include <QAbstractTableModel>

// The users table as the list view shows it: the hidden key column, "User Name", "Computer".
class UsersModel : public QAbstractTableModel {
public:
    explicit UsersModel(const UsersTable& table) : m_table(table) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The table changed as a whole (rows added, removed or sorted).
    void reset();

private:
    const UsersTable& m_table;
    int m_rows = 0;
};
