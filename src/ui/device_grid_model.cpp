// SPDX-License-Identifier: MIT
#include "ui/device_grid_model.h"

#include <QApplication>
#include <QColor>
#include <QStyle>

#include <algorithm>

namespace Gui {

namespace {
QString DisplayText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
} // namespace

DeviceGridModel::DeviceGridModel(Discovery::DeviceGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_announcedRows(grid.gridRowCount())
{
    m_grid.takeChanges(); // what came before is what the views start from
}

// Replays the grid's changes as the views would have seen them: the rows
// cut off, the changed rows that stayed, the rows added.
void DeviceGridModel::sync()
{
    const Discovery::DeviceGrid::Changes changes = m_grid.takeChanges();
    const int rows = m_grid.gridRowCount();
    const int low = std::min(changes.lowRows, m_announcedRows);
    if (low < m_announcedRows) {
        beginRemoveRows({}, low - 1, m_announcedRows - 2);
        m_announcedRows = low;
        endRemoveRows();
    }
    if (changes.dirtyFirst > 0 && changes.dirtyFirst < low)
        emit dataChanged(index(changes.dirtyFirst - 1, 0),
                         index(std::min(changes.dirtyLast, low - 1) - 1, Discovery::DeviceGrid::kColumnCount - 1));
    if (rows > low) {
        beginInsertRows({}, low - 1, rows - 2);
        m_announcedRows = rows;
        endInsertRows();
    }
    if (changes.header)
        emit headerDataChanged(Qt::Horizontal, 0, Discovery::DeviceGrid::kColumnCount - 1);
}

int DeviceGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_announcedRows - 1;
}

int DeviceGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Discovery::DeviceGrid::kColumnCount;
}

std::string DeviceGridModel::IpCellKey(std::string_view ip, std::string_view mac)
{
    std::string key(ip);
    key += '\n';
    key += mac;
    return key;
}

void DeviceGridModel::setIpCellMarks(IpCellMarks marks)
{
    if (marks == m_ipCellMarks)
        return;
    m_ipCellMarks = std::move(marks);
    if (rowCount() > 0)
        emit dataChanged(index(0, Discovery::DeviceGrid::kIpColumn),
                         index(rowCount() - 1, Discovery::DeviceGrid::kIpColumn));
}

void DeviceGridModel::addIpCellMarks(IpCellMarks marks)
{
    if (marks.empty())
        return;
    for (auto& [key, text] : marks)
        m_ipCellMarks.insert_or_assign(key, std::move(text));
    if (rowCount() > 0)
        emit dataChanged(index(0, Discovery::DeviceGrid::kIpColumn),
                         index(rowCount() - 1, Discovery::DeviceGrid::kIpColumn));
}

QVariant DeviceGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    if (role == Qt::DisplayRole)
        return DisplayText(m_grid.cell(index.column(), row));
    if (index.column() != Discovery::DeviceGrid::kIpColumn || m_ipCellMarks.empty())
        return {};
    const auto mark = m_ipCellMarks.find(IpCellKey(m_grid.cell(Discovery::DeviceGrid::kIpColumn, row),
                                                   m_grid.cell(Discovery::DeviceGrid::kMacColumn, row)));
    if (mark == m_ipCellMarks.end())
        return {};
    switch (role) {
    case Qt::ToolTipRole:
        return mark->second;
    case Qt::BackgroundRole:
        return QColor(255, 214, 140); // amber: dark text stays readable on it
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    default:
        return {};
    }
}

QVariant DeviceGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return DisplayText(m_grid.cell(section, 0));
    return section + 1;
}

} // namespace Gui
