#include "QueueModel.h"

#include "platform/qt/DisplayText.h"

#include <algorithm>

namespace {
// A datagram can be 64 KiB; a list row shows what fits on a screen.
constexpr std::size_t kShownBytes = 512;
} // namespace

int QueueModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

QVariant QueueModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (role != Qt::DisplayRole || !index.isValid() || row >= m_cue.size()) return {};
    return displayLine(std::string_view(m_cue[row]).substr(0, kShownBytes));
}

void QueueModel::appended(std::size_t count) {
    if (count == 0) return;
    beginInsertRows({}, m_rows, m_rows + static_cast<int>(count) - 1);
    m_rows += static_cast<int>(count);
    endInsertRows();
}

void QueueModel::headRemoved(std::size_t count) {
    const int rows =
        static_cast<int>(std::min<std::size_t>(count, static_cast<std::size_t>(m_rows)));
    if (rows == 0) return;
    beginRemoveRows({}, 0, rows - 1);
    m_rows -= rows;
    endRemoveRows();
}
