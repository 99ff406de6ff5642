// SPDX-License-Identifier: MIT
#include "discovery/device_grid.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <numeric>

namespace Discovery {

namespace {
const std::string kEmpty;

QString DisplayText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
} // namespace

DeviceGrid::DeviceGrid(QObject* parent) : QAbstractTableModel(parent), m_rows(1) {}

void DeviceGrid::beginBatch()
{
    if (m_batchDepth++ == 0) {
        m_announcedRows = gridRowCount();
        m_batchLowRows = m_announcedRows;
        m_dirtyFirst = m_dirtyLast = 0;
    }
}

void DeviceGrid::endBatch()
{
    if (m_batchDepth > 1) {
        --m_batchDepth;
        return;
    }
    // Replay the batch as the views would have seen it: the rows cut off,
    // the changed rows that stayed, the rows added.
    const int low = m_batchLowRows;
    const int rows = gridRowCount();
    if (low < m_announcedRows) {
        beginRemoveRows({}, low - 1, m_announcedRows - 2);
        m_announcedRows = low;
        endRemoveRows();
    }
    if (m_dirtyFirst > 0 && m_dirtyFirst < low)
        emit dataChanged(index(m_dirtyFirst - 1, 0), index(std::min(m_dirtyLast, low - 1) - 1, kColumnCount - 1));
    if (rows > low) {
        beginInsertRows({}, low - 1, rows - 2);
        m_announcedRows = rows;
        endInsertRows();
    }
    m_batchDepth = 0;
}

void DeviceGrid::markDirty(int first, int last)
{
    if (first > last)
        return;
    m_dirtyFirst = m_dirtyFirst == 0 ? first : std::min(m_dirtyFirst, first);
    m_dirtyLast = std::max(m_dirtyLast, last);
}

void DeviceGrid::setGridRowCount(int rows)
{
    rows = std::max(rows, 1);
    const int old = gridRowCount();
    if (m_batchDepth > 0) {
        m_rows.resize(static_cast<std::size_t>(rows));
        m_batchLowRows = std::min(m_batchLowRows, rows);
        return;
    }
    if (rows > old) {
        beginInsertRows({}, old - 1, rows - 2);
        m_rows.resize(static_cast<std::size_t>(rows));
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows - 1, old - 2);
        m_rows.resize(static_cast<std::size_t>(rows));
        endRemoveRows();
    }
}

const std::string& DeviceGrid::cell(int column, int row) const
{
    if (column < 0 || column >= kColumnCount || row < 0 || row >= gridRowCount())
        return kEmpty;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void DeviceGrid::setCell(int column, int row, std::string_view text)
{
    if (column < 0 || column >= kColumnCount || row < 0 || row >= gridRowCount())
        return;
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else if (m_batchDepth > 0) {
        markDirty(row, row);
    } else {
        const QModelIndex at = index(row - 1, column);
        emit dataChanged(at, at);
    }
}

void DeviceGrid::setRow(int row, const Row& cells)
{
    for (int c = 0; c < kColumnCount; ++c)
        setCell(c, row, cells[static_cast<std::size_t>(c)]);
}

void DeviceGrid::clearDataCells()
{
    for (std::size_t r = 1; r < m_rows.size(); ++r)
        m_rows[r] = Row{};
    if (m_batchDepth > 0)
        markDirty(1, gridRowCount() - 1);
    else if (m_rows.size() > 1)
        emit dataChanged(index(0, 0), index(gridRowCount() - 2, kColumnCount - 1));
}

int DeviceGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : (m_batchDepth > 0 ? m_announcedRows : gridRowCount()) - 1;
}

int DeviceGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant DeviceGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return DisplayText(cell(index.column(), index.row() + 1));
}

QVariant DeviceGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return DisplayText(cell(section, 0));
    return section + 1;
}

void SortDeviceGrid(DeviceGrid& grid, int column, bool ascending)
{
    const int n = grid.gridRowCount();
    if (n > 2) {
        // The key, "@" and the row's cells each followed by CR LF: the whole
        // line decides, so rows with equal keys are ordered by their text.
        std::vector<QString> lines;
        lines.reserve(static_cast<std::size_t>(n - 1));
        for (int r = 1; r < n; ++r) {
            QString line = DisplayText(grid.cell(column, r)) + QLatin1Char('@');
            for (const std::string& text : grid.row(r))
                line += DisplayText(text) + QLatin1String("\r\n");
            lines.push_back(std::move(line));
        }
        QCollator collator{QLocale::system()};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<int> order(static_cast<std::size_t>(n - 1));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return collator.compare(lines[static_cast<std::size_t>(a)],
                                    lines[static_cast<std::size_t>(b)]) < 0;
        });

        std::vector<DeviceGrid::Row> rows;
        rows.reserve(order.size());
        for (int i : order)
            rows.push_back(grid.row(i + 1));
        for (int r = 1; r < n; ++r) {
            const std::size_t line = ascending ? static_cast<std::size_t>(r - 1)
                                               : static_cast<std::size_t>(n - 1 - r);
            grid.setRow(r, rows[line]);
        }
    }
    if (grid.gridRowCount() < 2)
        grid.setGridRowCount(2);
    grid.setFixedRows(1);
}

} // namespace Discovery
