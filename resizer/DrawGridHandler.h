#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TDrawGrid;
}

namespace resizer {

// Keeps a draw grid's default cell sizes, grid line width and every column width and row height
// in proportion to its client area. The grid line never gets thinner than one pixel.
class STUDIOCLOCK_RESIZER_EXPORT TMRDrawGrid : public TMRPropertyHandler {
public:
    explicit TMRDrawGrid(QWidget* control);
    void CaptureRatios() override;
    void ApplyRatios() override;

private:
    bool Changed() const;

    controls::TDrawGrid* grid_;  // the control
    QMetaProperty defaultColWidth_;
    QMetaProperty defaultRowHeight_;
    QMetaProperty gridLineWidth_;
    int lastDefaultColWidth_ = 0;
    int lastDefaultRowHeight_ = 0;
    int lastGridLineWidth_ = 0;
    float defaultColWidthRatio_ = 0.0F;
    float defaultRowHeightRatio_ = 0.0F;
    float gridLineWidthRatio_ = 0.0F;
    TMRLValues colWidths_;
    TMRLValues rowHeights_;
};

}  // namespace resizer
