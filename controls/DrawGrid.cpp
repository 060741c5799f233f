#include "controls/DrawGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <algorithm>

namespace controls {

TDrawGrid::TDrawGrid(QWidget* parent)
    : QTableWidget(5, 5, parent)
    , framework::Control(this, framework::clWindow)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Cells may become as small as their scaled size; the grid lines are drawn here, at any width.
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
}

int TDrawGrid::DefaultColWidth() const
{
    return horizontalHeader()->defaultSectionSize();
}

void TDrawGrid::setDefaultColWidth(int value)
{
    horizontalHeader()->setDefaultSectionSize(std::max(1, value));
}

int TDrawGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void TDrawGrid::setDefaultRowHeight(int value)
{
    verticalHeader()->setDefaultSectionSize(std::max(1, value));
}

void TDrawGrid::setGridLineWidth(int value)
{
    gridLineWidth_ = std::max(0, value);
    viewport()->update();
}

void TDrawGrid::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    if (gridLineWidth_ <= 0)
        return;
    // Each line covers the right or bottom edge of its cells.
    QPainter painter(viewport());
    const QColor colour = palette().color(QPalette::Mid);
    const int height
        = std::min(viewport()->height(), rowViewportPosition(RowCount() - 1) + rowHeight(RowCount() - 1));
    const int width
        = std::min(viewport()->width(), columnViewportPosition(ColCount() - 1) + columnWidth(ColCount() - 1));
    for (int column = 0; column < ColCount(); ++column) {
        const int right = columnViewportPosition(column) + columnWidth(column);
        painter.fillRect(right - gridLineWidth_, 0, gridLineWidth_, height, colour);
    }
    for (int row = 0; row < RowCount(); ++row) {
        const int bottom = rowViewportPosition(row) + rowHeight(row);
        painter.fillRect(0, bottom - gridLineWidth_, width, gridLineWidth_, colour);
    }
}

}  // namespace controls
