#include "resizer/DrawGridHandler.h"

#include "controls/DrawGrid.h"
#include "framework/Control.h"

#include <algorithm>

namespace resizer {

namespace {

int Read(const QMetaProperty& property, const QObject* control)
{
    return property.read(control).toInt();
}

// Whether `sizes` holds, in order, the sizes `current` reports for each index.
template <typename Current> bool SameSizes(const TMRLValues& sizes, int count, Current current)
{
    if (sizes.Count() != count)
        return false;
    for (int index = 0; index < count; ++index)
        if (current(index) != sizes.Values(index))
            return false;
    return true;
}

}  // namespace

TMRDrawGrid::TMRDrawGrid(QWidget* control)
    : TMRPropertyHandler(control)
    , grid_(qobject_cast<controls::TDrawGrid*>(control))
    , defaultColWidth_(FindPropInfo(control->metaObject(), QStringLiteral("DefaultColWidth")))
    , defaultRowHeight_(FindPropInfo(control->metaObject(), QStringLiteral("DefaultRowHeight")))
    , gridLineWidth_(FindPropInfo(control->metaObject(), QStringLiteral("GridLineWidth")))
{
    if (!grid_)
        throw framework::Exception(QStringLiteral("No ColWidths property"));
}

bool TMRDrawGrid::Changed() const
{
    return invalid_ || Read(defaultColWidth_, grid_) != lastDefaultColWidth_
        || Read(defaultRowHeight_, grid_) != lastDefaultRowHeight_
        || Read(gridLineWidth_, grid_) != lastGridLineWidth_
        || !SameSizes(colWidths_, grid_->ColCount(), [this](int column) { return grid_->ColWidths(column); })
        || !SameSizes(rowHeights_, grid_->RowCount(), [this](int row) { return grid_->RowHeights(row); });
}

void TMRDrawGrid::CaptureRatios()
{
    if (!Changed())
        return;
    invalid_ = true;
    const QSize client = framework::ClientSize(grid_);
    if (client.width() == 0 || client.height() == 0)
        return;
    defaultColWidthRatio_ = PropertyRatio(Read(defaultColWidth_, grid_), client.width());
    defaultRowHeightRatio_ = PropertyRatio(Read(defaultRowHeight_, grid_), client.height());
    gridLineWidthRatio_ = PropertyRatio(Read(gridLineWidth_, grid_), client.width());
    colWidths_.Clear();
    for (int column = 0; column < grid_->ColCount(); ++column)
        colWidths_.Add(0, PropertyRatio(grid_->ColWidths(column), client.width()));
    rowHeights_.Clear();
    for (int row = 0; row < grid_->RowCount(); ++row)
        rowHeights_.Add(0, PropertyRatio(grid_->RowHeights(row), client.height()));
    invalid_ = false;
}

void TMRDrawGrid::ApplyRatios()
{
    if (invalid_)
        return;
    const QSize client = framework::ClientSize(grid_);
    defaultColWidth_.write(grid_, TruncatedLength(defaultColWidthRatio_, client.width()));
    defaultRowHeight_.write(grid_, TruncatedLength(defaultRowHeightRatio_, client.height()));
    gridLineWidth_.write(grid_, std::max(1, TruncatedLength(gridLineWidthRatio_, client.width())));
    lastDefaultColWidth_ = Read(defaultColWidth_, grid_);
    lastDefaultRowHeight_ = Read(defaultRowHeight_, grid_);
    lastGridLineWidth_ = Read(gridLineWidth_, grid_);
    // Individual sizes after the defaults, which would otherwise reset them.
    for (int column = 0; column < colWidths_.Count(); ++column)
        grid_->SetColWidths(column, TruncatedLength(colWidths_.Ratios(column), client.width()));
    for (int row = 0; row < rowHeights_.Count(); ++row)
        grid_->SetRowHeights(row, TruncatedLength(rowHeights_.Ratios(row), client.height()));
    for (int column = 0; column < colWidths_.Count(); ++column)
        colWidths_.SetValues(column, grid_->ColWidths(column));
    for (int row = 0; row < rowHeights_.Count(); ++row)
        rowHeights_.SetValues(row, grid_->RowHeights(row));
}

}  // namespace resizer
