#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct UserRow {
    std::string key;      // identity text in upper case; hidden
    std::string user;     // "User Name"
    std::string computer; // "Computer"
};

// Who is online as far as the logger has seen. Rows are looked up by their whole key: a key
// that merely begins another ("[PC7]=ANN" and "[PC7]=ANNE") is another user. Sorting is ascending,
// ignores letter case, and keeps rows of equal text in the order they had.
class UsersTable {
public:
    enum Column { keyColumn = 0, userColumn = 1, computerColumn = 2 };

    const std::vector<UserRow>& rows() const { return m_rows; }

    // The first row, in display order, whose key is `key`.
    std::optional<std::size_t> lookup(std::string_view key) const;

    // Appends a row unless one matches the key. True when a row was added.
    bool addIfAbsent(std::string key, std::string user, std::string computer);
    void removeAt(std::size_t row);

    void sortBy(Column column);
    Column sortColumn() const { return m_sortColumn; }

private:
    std::vector<UserRow> m_rows;
    Column m_sortColumn = userColumn;
    // Rows [0, m_sortedRows) are in m_sortColumn's order, so that the sort after every tick
    // only has to place the rows added since.
    std::size_t m_sortedRows = 0;
};
