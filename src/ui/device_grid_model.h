// SPDX-License-Identifier: MIT
#pragma once

#include "discovery/device_grid.h"

#include <QAbstractTableModel>

#include <string>
#include <string_view>
#include <unordered_map>

namespace Gui {

// The device grid as a Qt table model: data rows 1 .. n-1 of the grid as
// rows 0 .. n-2, row 0 as the horizontal header. The grid changes as plain
// data while a round runs; sync() tells the views what changed since the
// last sync, in a few signals, so a round of thousands of rows does not make
// them relayout for each one. Between syncs the views keep the row count
// they were told, and cells past the grid read as empty.
class DeviceGridModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY(DeviceGridModel)

public:
    // The model takes the grid's changes; nothing else may take them.
    explicit DeviceGridModel(Discovery::DeviceGrid& grid, QObject* parent = nullptr);

    void sync();

    // Marks the IP cells of devices the search found something wrong with:
    // key IpCellKey(ip, mac) -> what is wrong and what to do. The cell gets
    // a warning colour and icon, and the text as its tooltip.
    using IpCellMarks = std::unordered_map<std::string, QString>;
    void setIpCellMarks(IpCellMarks marks);
    // Adds marks, replacing those of the same cells.
    void addIpCellMarks(IpCellMarks marks);
    static std::string IpCellKey(std::string_view ip, std::string_view mac);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    Discovery::DeviceGrid& m_grid;
    int m_announcedRows;
    IpCellMarks m_ipCellMarks; // grid rows the views know of, the header row included
};

} // namespace Gui
