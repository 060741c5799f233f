#include "resizer/DrawGridHandler.h"

#include "controls/DrawGrid.h"
#include "framework/Control.h"

#include <algorithm>

namespace resizer {

namespace {

constexpr std::size_t kGridLineWidth = 2;

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
    : TMRScaledProperties(Grid(control),
        {{"DefaultColWidth", Axis::Width}, {"DefaultRowHeight", Axis::Height},
            {"GridLineWidth", Axis::Width}})
    , columns_{Grid(control), true}
    , rows_{Grid(control), false}
{
}

bool TMRDrawGrid::Changed() const
{
    return TMRScaledProperties::Changed() || !colWidths_.Unchanged(columns_) || !rowHeights_.Unchanged(rows_);
}

int TMRDrawGrid::NewValue(std::size_t index, int scaled) const
{
    return index == kGridLineWidth ? std::max(1, scaled) : scaled;
}

void TMRDrawGrid::CaptureRatios()
{
    if (!Changed())
        return;
    TMRScaledProperties::CaptureRatios();
    if (Invalid())
        return;
    const QSize client = framework::ClientSize(control_);
    colWidths_.Take(columns_, client.width());
    rowHeights_.Take(rows_, client.height());
}

void TMRDrawGrid::ApplyRatios()
{
    if (Invalid())
        return;
    TMRScaledProperties::ApplyRatios();
    // Individual sizes after the defaults, which would otherwise reset them.
    const QSize client = framework::ClientSize(control_);
    colWidths_.Apply(columns_, client.width());
    rowHeights_.Apply(rows_, client.height());
    colWidths_.Note(columns_);
    rowHeights_.Note(rows_);
}

}  // namespace resizer
