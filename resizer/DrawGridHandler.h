#pragma once

#include "resizer/Export.h"
#include "resizer/LValues.h"
#include "resizer/ScalarHandlers.h"

namespace controls {
class TDrawGrid;
}

namespace resizer {

// Keeps a draw grid's default cell sizes, grid line width and every column width and row height
// in proportion to its client area. The grid line never gets thinner than one pixel. Raises "<the
// control> is not a grid" for any other control.
class STUDIOCLOCK_RESIZER_EXPORT TMRDrawGrid : public TMRScaledProperties {
public:
    explicit TMRDrawGrid(QWidget* control);
    void CaptureRatios() override;
    void ApplyRatios() override;

protected:
    bool Changed() const override;
    int NewValue(std::size_t index, int scaled) const override;

private:
    // The column widths or the row heights, by index.
    struct CellLengths {
        controls::TDrawGrid* grid;
        bool columns;
        int Count() const;
        int Read(int index) const;
        void Write(int index, int value) const;
    };

    CellLengths columns_;
    CellLengths rows_;
    TMRLValues colWidths_;
    TMRLValues rowHeights_;
};

}  // namespace resizer
