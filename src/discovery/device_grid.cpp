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

DeviceGrid::DeviceGrid() : m_rows(1) {}

DeviceGrid::Changes DeviceGrid::takeChanges()
{
    const Changes taken = m_changes;
    m_changes = Changes{};
    m_changes.lowRows = gridRowCount();
    return taken;
}

void DeviceGrid::markDirty(int first, int last)
{
    if (first > last)
        return;
    m_changes.dirtyFirst = m_changes.dirtyFirst == 0 ? first : std::min(m_changes.dirtyFirst, first);
    m_changes.dirtyLast = std::max(m_changes.dirtyLast, last);
}

void DeviceGrid::setGridRowCount(int rows)
{
    rows = std::max(rows, 1);
    m_rows.resize(static_cast<std::size_t>(rows));
    m_changes.lowRows = std::min(m_changes.lowRows, rows);
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
    if (row == 0)
        m_changes.header = true;
    else
        markDirty(row, row);
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
    markDirty(1, gridRowCount() - 1);
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
            return collator.compare(lines[static_cast<std::size_t>(a)], lines[static_cast<std::size_t>(b)]) < 0;
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

bool MarksUpnpRow(std::string_view cell)
{
    return cell.find("NULL") != std::string_view::npos;
}

} // namespace Discovery
