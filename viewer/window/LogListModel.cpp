#include "LogListModel.h"

int LogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_rows ? 0 : static_cast<int>(m_rows->size());
}

int LogListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant LogListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto& row = (*m_rows)[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case path:
        return QString::fromStdString(row.path.string());
    case dateSaved:
        return QString::fromStdString(row.dateText);
    case time:
        return QString::fromStdString(row.timeText);
    default:
        return QString();
    }
}

QVariant LogListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section == dateSaved) return QStringLiteral("Date Saved");
    if (section == time) return QStringLiteral("Time");
    return QString();
}
