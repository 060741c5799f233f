#include "resizer/DrawGridHandler.h"

#include "controls/DrawGrid.h"
#include "framework/Control.h"

#include <algorithm>

namespace resizer {

namespace {

controls::TDrawGrid* Grid(QWidget* control)
{
    auto* grid = qobject_cast<controls::TDrawGrid*>(control);
    if (!grid)
        throw framework::Exception(
            QStringLiteral("%1 is not a grid").arg(QLatin1String(control->metaObject()->className())));
    return grid;
}

}  // namespace

int TMRDrawGrid::CellLengths::Count() const
{
    return columns ? grid->ColCount() : grid->RowCount();
}

int TMRDrawGrid::CellLengths::Read(int index) const
{
    return columns ? grid->ColWidths(index) : grid->RowHeights(index);
}

void TMRDrawGrid::CellLengths::Write(int index, int value) const
{
    if (columns)
        grid->SetColWidths(index, value);
    else
        grid->SetRowHeights(index, value);
}

TMRDrawGrid::TMRDrawGrid(QWidget* control)
    : TMRPropertyHandler(control)
    , grid_(Grid(control))
    , columns_{grid_, true}
    , rows_{grid_, false}
{
}

bool TMRDrawGrid::Changed() const
{
    return invalid_ || grid_->DefaultColWidth() != defaultColWidth_.last
        || grid_->DefaultRowHeight() != defaultRowHeight_.last
        || grid_->GridLineWidth() != gridLineWidth_.last || !colWidths_.Unchanged(columns_)
        || !rowHeights_.Unchanged(rows_);
}

void TMRDrawGrid::CaptureRatios()
{
    if (!Changed())
        return;
    const QSize client = framework::ClientSize(grid_);
    invalid_ = client.width() == 0 || client.height() == 0;
    if (invalid_)
        return;
    defaultColWidth_.Take(grid_->DefaultColWidth(), client.width());
    defaultRowHeight_.Take(grid_->DefaultRowHeight(), client.height());
    gridLineWidth_.Take(grid_->GridLineWidth(), client.width());
    colWidths_.Take(columns_, client.width());
    rowHeights_.Take(rows_, client.height());
}

void TMRDrawGrid::ApplyRatios()
{
    if (invalid_)
        return;
    const QSize client = framework::ClientSize(grid_);
    grid_->setDefaultColWidth(defaultColWidth_.For(client.width()));
    grid_->setDefaultRowHeight(defaultRowHeight_.For(client.height()));
    grid_->setGridLineWidth(std::max(1, gridLineWidth_.For(client.width())));
    // What the grid kept, which may not be what it was given.
    defaultColWidth_.last = grid_->DefaultColWidth();
    defaultRowHeight_.last = grid_->DefaultRowHeight();
    gridLineWidth_.last = grid_->GridLineWidth();
    // Individual sizes after the defaults, which would otherwise reset them.
    colWidths_.Apply(columns_, client.width());
    rowHeights_.Apply(rows_, client.height());
    colWidths_.Note(columns_);
    rowHeights_.Note(rows_);
}

}  // namespace resizer
