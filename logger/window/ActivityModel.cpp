#include "ActivityModel.h"

#include "platform/qt/DisplayText.h"

int ActivityModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_starts.size());
}

QVariant ActivityModel::data(const QModelIndex& index, int role) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (role != Qt::DisplayRole || !index.isValid() || row >= m_starts.size()) return {};
    return displayText(line(row));
}

std::string_view ActivityModel::line(std::size_t row) const {
    const std::size_t end = row + 1 < m_starts.size() ? m_starts[row + 1] : m_indexed;
    // A message box opened within a tick lets the list draw before the tick has told it of a
    // rollover: for that moment the text may be shorter than the index.
    if (end > m_text.size()) return {};
    return std::string_view(m_text).substr(m_starts[row], end - 2 - m_starts[row]);
}

std::vector<std::size_t> ActivityModel::linesFrom(std::size_t& end) const {
    std::vector<std::size_t> starts;
    for (auto lineEnd = m_text.find("\r\n", end); lineEnd != std::string::npos;
         lineEnd = m_text.find("\r\n", end)) {
        starts.push_back(end);
        end = lineEnd + 2;
    }
    return starts;
}

void ActivityModel::appended() {
    auto end = m_indexed;
    const auto added = linesFrom(end);
    if (added.empty()) return;
    const int first = static_cast<int>(m_starts.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    m_starts.insert(m_starts.end(), added.begin(), added.end());
    m_indexed = end;
    endInsertRows();
}

void ActivityModel::replaced() {
    beginResetModel();
    m_indexed = 0;
    m_starts = linesFrom(m_indexed);
    endResetModel();
}
