// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace Discovery {

// The device grid's data: a table of 8-bit text cells with seven columns,
// a row count and fixed rows, addressed as (column, row) like the grid
// itself. Row 0 is the header row. As a Qt model it exposes rows 1 .. n-1
// as data rows and row 0 as the horizontal header, so a view shows it as is.
class DeviceGrid final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY(DeviceGrid)

public:
    static constexpr int kColumnCount = 7;
    enum Column : int { kModelColumn = 0, kProjectColumn, kNameColumn, kIpColumn, kPortColumn,
                        kNetmaskColumn, kMacColumn };
    using Row = std::array<std::string, kColumnCount>;

    explicit DeviceGrid(QObject* parent = nullptr);

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

    // While a batch is open the grid changes at once but views hear of it
    // only when the outermost batch ends, in a few signals: a round of
    // thousands of rows does not make the view relayout for each one.
    class Batch {
    public:
        explicit Batch(DeviceGrid& grid) : m_grid(grid) { m_grid.beginBatch(); }
        ~Batch() { m_grid.endBatch(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        DeviceGrid& m_grid;
    };

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void beginBatch();
    void endBatch();
    void markDirty(int first, int last);

    std::vector<Row> m_rows;
    int m_fixedRows = 1;
    int m_batchDepth = 0;
    int m_announcedRows = 1; // grid rows the views know of while a batch is open
    int m_batchLowRows = 1;  // fewest grid rows during the batch
    int m_dirtyFirst = 0;    // data rows changed during the batch, 0: none
    int m_dirtyLast = 0;
};

// Sorts the data rows by the text of `column`, ascending when `ascending` is
// true. Lines "key@row text" are compared case-insensitively under the
// user's locale; rows are moved whole. Leaves at least two rows and one fixed row.
void SortDeviceGrid(DeviceGrid& grid, int column, bool ascending);

} // namespace Discovery
