// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

// The device grid's data: a table of 8-bit text cells with seven columns,
// a row count and fixed rows, addressed as (column, row) like the grid
// itself. Row 0 is the header row. Plain data: the window's table model
// shows it and hears of its changes through takeChanges().
class DeviceGrid {
public:
    static constexpr int kColumnCount = 7;
    enum Column : int { kModelColumn = 0, kProjectColumn, kNameColumn, kIpColumn, kPortColumn,
                        kNetmaskColumn, kMacColumn };
    using Row = std::array<std::string, kColumnCount>;

    // What changed since the last takeChanges(): a view that knew the grid
    // then is brought up to date by dropping its rows from `lowRows` on,
    // refreshing data rows `dirtyFirst .. dirtyLast` below that (0: none),
    // and adding the rows from `lowRows` to the current count.
    struct Changes {
        int lowRows = 1;
        int dirtyFirst = 0;
        int dirtyLast = 0;
        bool header = false;
    };

    DeviceGrid();

    // Grid rows, the header row included. Never less than 1.
    int gridRowCount() const { return static_cast<int>(m_rows.size()); }
    // Growing adds empty rows; shrinking discards the cut rows' texts.
    void setGridRowCount(int rows);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int rows) { m_fixedRows = rows; }

    // Empty text for cells outside the grid; writes outside it are ignored.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string_view text);
    const Row& row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    void setRow(int row, const Row& cells);
    // Empties the cells of rows 1 .. last.
    void clearDataCells();

    Changes takeChanges();

private:
    void markDirty(int first, int last);

    std::vector<Row> m_rows;
    int m_fixedRows = 1;
    Changes m_changes;
};

// Sorts the data rows by the text of `column`, ascending when `ascending` is
// true. Lines "key@row text" are compared case-insensitively under the
// user's locale; rows are moved whole. Leaves at least two rows and one fixed row.
void SortDeviceGrid(DeviceGrid& grid, int column, bool ascending);

// Rows of the UPnP search carry "NULL" where a datagram device has its
// netmask and MAC; a cell holding it anywhere marks such a row.
bool MarksUpnpRow(std::string_view cell);

} // namespace Discovery
