// SPDX-License-Identifier: MIT
#include "ui/device_grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <algorithm>

namespace Gui {

namespace {
constexpr int kRowHeight = 20;

// The column widths were drawn for a sans-serif whose digits are 5 px wide:
// Liberation Sans (Arial's metrics) at 9 px is that font, so a five-digit port
// fits the Port column at the default window size.
QFont GridFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
    font.setPixelSize(9);
    return font;
}

// Cells without the style's text margin (3 px a side in Fusion): the Port
// column has no pixel to spare for it.
class GridCellStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        // The item text margin is this metric plus one.
        if (metric == PM_FocusFrameHMargin)
            return -1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// One style for every grid, owned by the application: a view may go after
// its own children, and the style must outlive every painting.
QStyle* SharedGridCellStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new GridCellStyle;
        style->setParent(QApplication::instance());
    }
    return style;
}
} // namespace

DeviceGridView::DeviceGridView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setMouseTracking(true);
    // Tab moving from cell to cell kept the keyboard in the grid for good.
    setTabKeyNavigation(false);
    setFont(GridFont());
    setStyle(SharedGridCellStyle());
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    // Header clicks sort through the window's handler, not the view's own
    // sorting, and must not select a column.
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSortIndicatorShown(false);
    header->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this, [this] {
        if (m_headerPressed)
            m_headerResizing = true;
    });
}

QPoint DeviceGridView::cellAt(QPoint viewportPos) const
{
    return {columnAt(viewportPos.x()), rowAt(viewportPos.y()) < 0 ? -1 : rowAt(viewportPos.y()) + 1};
}

QPoint DeviceGridView::headerCellAt(QPoint headerPos) const
{
    return {horizontalHeader()->logicalIndexAt(headerPos.x()), 0};
}

int DeviceGridView::visibleRowCount(int height) const
{
    const QHeaderView* header = horizontalHeader();
    const int headerHeight = header->isHidden()
        ? 0
        : qBound(header->minimumHeight(), header->sizeHint().height(), header->maximumHeight());
    const int room = height - 2 * frameWidth() - headerHeight;
    const int rows = model() ? model()->rowCount() : 0;
    int row = std::max(rowAt(0), 0);
    int used = 0;
    int count = 0;
    for (; row < rows; ++row) {
        used += rowHeight(row);
        if (used > room)
            break;
        ++count;
    }
    return count;
}

int DeviceGridView::headerTextWidth(int column) const
{
    const QHeaderView* header = horizontalHeader();
    QStyleOptionHeader option;
    option.initFrom(header);
    option.orientation = Qt::Horizontal;
    option.section = column;
    option.text = model() ? model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
    // Measured in bold, as the header measures its own sections.
    QFont bold = header->font();
    bold.setBold(true);
    option.fontMetrics = QFontMetrics(bold);
    const int width = header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), header).width();
    return std::max(width, header->minimumSectionSize());
}

int DeviceGridView::headerAndRowHeight() const
{
    return horizontalHeader()->sizeHint().height() + verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

void DeviceGridView::showSortIndicator(int column, bool ascending)
{
    QHeaderView* header = horizontalHeader();
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    header->setSortIndicatorShown(true);
}

QString DeviceGridView::selectedRowsText() const
{
    const QAbstractItemModel* grid = model();
    if (grid == nullptr || selectionModel() == nullptr)
        return {};
    QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {};
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const int columns = grid->columnCount();
    QStringList lines;
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells << grid->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << cells.join(QLatin1Char('\t'));
    for (const QModelIndex& row : rows) {
        cells.clear();
        for (int c = 0; c < columns; ++c)
            cells << grid->index(row.row(), c).data(Qt::DisplayRole).toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void DeviceGridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        const QString text = selectedRowsText();
        if (!text.isEmpty())
            QApplication::clipboard()->setText(text);
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
        emit doubleClickedAnywhere();
        event->accept();
        return;
    }
    // Ctrl+Tab leaves the grid as Tab does, the way it leaves other widgets
    // that keep Tab for themselves.
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && (event->modifiers() & Qt::ControlModifier)) {
        focusNextPrevChild(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        event->accept();
        return;
    }
    // Shift+F10 is the Menu key of keyboards without one.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        emit popupRequested(KeyboardMenuPos());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QPoint DeviceGridView::KeyboardMenuPos()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return viewport()->mapToGlobal(QPoint(0, 0));
    scrollTo(current);
    const QRect cell = visualRect(current);
    return viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom()));
}

bool DeviceGridView::IsCut(const QModelIndex& index) const
{
    if (!index.isValid() || itemDelegate() == nullptr)
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return itemDelegate()->sizeHint(option, index).width() > option.rect.width();
}

bool DeviceGridView::viewportEvent(QEvent* event)
{
    // A cut cell shows its whole text as a tooltip; a whole one shows none.
    // A marked cell shows what is wrong, after its text when that is cut.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString mark = index.data(Qt::ToolTipRole).toString();
        if (!mark.isEmpty())
            QToolTip::showText(help->globalPos(),
                               IsCut(index) ? index.data(Qt::DisplayRole).toString() + QLatin1Char('\n') + mark : mark,
                               viewport(), visualRect(index));
        else if (IsCut(index))
            QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(),
                               visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QTableView::viewportEvent(event);
}

// The style's focus rectangle around the current cell all but vanishes on a
// selected row, so the focused grid also frames its current row.
void DeviceGridView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || model() == nullptr)
        return;
    const QRect row = visualRect(model()->index(current.row(), 0))
                          .united(visualRect(model()->index(current.row(), model()->columnCount() - 1)));
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(row.adjusted(0, 0, -1, -1));
}

void DeviceGridView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void DeviceGridView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

bool DeviceGridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != horizontalHeader()->viewport())
        return QTableView::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_headerPressed = true;
        m_headerResizing = false;
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool resized = m_headerResizing;
        m_headerPressed = false;
        m_headerResizing = false;
        // The release that ends dragging a column edge is not a click.
        if (!resized) {
            const QPoint cell = headerCellAt(mouse->position().toPoint());
            emit mouseUp(mouse->button(), cell.x(), cell.y());
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        emit doubleClickedAnywhere();
        break;
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

void DeviceGridView::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    const QPoint cell = cellAt(event->position().toPoint());
    emit mouseUp(event->button(), cell.x(), cell.y());
}

void DeviceGridView::mouseMoveEvent(QMouseEvent* event)
{
    QTableView::mouseMoveEvent(event);
    const QPoint cell = cellAt(event->position().toPoint());
    emit mouseMoved(cell.x(), cell.y());
}

void DeviceGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit doubleClickedAnywhere();
}

void DeviceGridView::contextMenuEvent(QContextMenuEvent* event)
{
    emit popupRequested(event->globalPos());
    event->accept();
}

void DeviceGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    // The current row's focus frame moves with it.
    viewport()->update();
    // Rows vanishing at the start of a round move the current cell to
    // nowhere; that is no selection by the user.
    if (current.isValid())
        emit cellSelected(current.column(), current.row() + 1);
}

} // namespace Gui
