#include "UsersModel.h"

#include "platform/qt/DisplayText.h"

int UsersModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int UsersModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant UsersModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (role != Qt::DisplayRole || !index.isValid() || row >= m_table.rows().size()) return {};
    const auto& r = m_table.rows()[row];
    switch (index.column()) {
    case UsersTable::keyColumn:
        return displayLine(r.key);
    case UsersTable::userColumn:
        return displayLine(r.user);
    default:
        return displayLine(r.computer);
    }
}

QVariant UsersModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case UsersTable::userColumn:
        return QStringLiteral("User Name");
    case UsersTable::computerColumn:
        return QStringLiteral("Computer");
    default:
        return QString();
    }
}

void UsersModel::reset() {
    beginResetModel();
    m_rows = static_cast<int>(m_table.rows().size());
    endResetModel();
}
