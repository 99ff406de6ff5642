// SPDX-License-Identifier: MIT
#pragma once

#include <QTableView>

namespace Gui {

// The device grid's view: whole-row selection, grid lines, a vertical
// scroll bar only and the header row as horizontal header. It reports mouse
// events in grid cells (column, row), row 0 being the header row and data
// rows counting from 1, the way the window's handlers think of the grid.
// Tab and Shift+Tab leave the grid; the arrow keys move inside it.
class DeviceGridView final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY(DeviceGridView)

public:
    explicit DeviceGridView(QWidget* parent = nullptr);

    // The grid cell (x: column, y: row) under a point of the viewport, or
    // of the header's viewport (row 0). The column is -1 past the last
    // column, the row -1 below the last data row.
    QPoint cellAt(QPoint viewportPos) const;
    QPoint headerCellAt(QPoint headerPos) const;

    // Data rows that would be wholly visible from the top visible row with
    // the view `height` pixels high (header and frame included). Counts only
    // rows that exist.
    int visibleRowCount(int height) const;

    // The width column `column`'s header needs to show its whole text (the
    // sort arrow left aside), and the height of the header, one data row and
    // the frame: what the grid must keep at the window's smallest size.
    int headerTextWidth(int column) const;
    int headerAndRowHeight() const;

    // The header's arrow on the column the rows are sorted by.
    void showSortIndicator(int column, bool ascending);

    // The selected rows as tab-separated text: the header line, then one
    // line per selected data row in grid order, seven cells each.
    QString selectedRowsText() const;

signals:
    // A mouse button released over the grid; row 0 is the header row. Not
    // sent for the release that ends a drag of a header section's edge.
    void mouseUp(Qt::MouseButton button, int column, int row);
    void mouseMoved(int column, int row);
    // A double-click anywhere on the grid, header included, or Enter on a row.
    void doubleClickedAnywhere();
    // The current cell moved to (column, row) by mouse or keyboard.
    void cellSelected(int column, int row);
    // A context-menu request at a global position (right button, Menu key
    // or Shift+F10).
    void popupRequested(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // True when the cell's text does not fit its cell and is shown cut.
    bool IsCut(const QModelIndex& index) const;
    // Where a menu opened from the keyboard stands: below the current cell.
    QPoint KeyboardMenuPos();

    bool m_headerPressed = false;
    bool m_headerResizing = false;
};

} // namespace Gui
