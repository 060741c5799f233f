#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/PropertyHandler.h"

namespace controls {
class TDrawGrid;
}

namespace resizer {

// Keeps a draw grid's default cell sizes, grid line width and every column width and row height
// in proportion to its client area. The grid line never gets thinner than one pixel. Raises "<the
// control> is not a grid" for any other control.
class STUDIOCLOCK_RESIZER_EXPORT TMRDrawGrid : public TMRPropertyHandler {
public:
    explicit TMRDrawGrid(QWidget* control);
    void CaptureRatios() override;
    void ApplyRatios() override;

private:
    // Whether somebody else changed a length since the last apply, or the handler holds no ratios.
    bool Changed() const;

    // The column widths or the row heights, by index.
    struct CellLengths {
        controls::TDrawGrid* grid;
        bool columns;
        int Count() const;
        int Read(int index) const;
        void Write(int index, int value) const;
    };

    controls::TDrawGrid* const grid_;
    TMRLength defaultColWidth_;
    TMRLength defaultRowHeight_;
    TMRLength gridLineWidth_;
    CellLengths columns_;
    CellLengths rows_;
    TMRLValues colWidths_;
    TMRLValues rowHeights_;
};

}  // namespace resizer
