#include "UsersTable.h"

#include "logfiles/CodePage.h"

#include <algorithm>

namespace {
const std::string& columnText(const UserRow& row, UsersTable::Column column) {
    switch (column) {
    case UsersTable::keyColumn:
        return row.key;
    case UsersTable::userColumn:
        return row.user;
    case UsersTable::computerColumn:
        break;
    }
    return row.computer;
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(logfiles::foldCase1252(x)) <
               static_cast<unsigned char>(logfiles::foldCase1252(y));
    });
}
} // namespace

std::optional<std::size_t> UsersTable::lookup(std::string_view key) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].key == key) return i;
    return std::nullopt;
}

bool UsersTable::addIfAbsent(std::string key, std::string user, std::string computer) {
    if (lookup(key)) return false;
    m_rows.push_back({std::move(key), std::move(user), std::move(computer)});
    return true;
}

void UsersTable::removeAt(std::size_t row) {
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
    if (row < m_sortedRows) --m_sortedRows;
}

void UsersTable::sortBy(Column column) {
    const auto less = [column](const UserRow& a, const UserRow& b) {
        return lessIgnoringCase(columnText(a, column), columnText(b, column));
    };
    if (column != m_sortColumn) {
        std::stable_sort(m_rows.begin(), m_rows.end(), less);
    } else {
        // Same result as a stable sort: each added row goes after every equal row before it.
        for (auto i = m_sortedRows; i < m_rows.size(); ++i) {
            const auto first = m_rows.begin(), row = first + static_cast<std::ptrdiff_t>(i);
            std::rotate(std::upper_bound(first, row, *row, less), row, row + 1);
        }
    }
    m_sortColumn = column;
    m_sortedRows = m_rows.size();
}
