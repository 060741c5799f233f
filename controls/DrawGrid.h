#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QTableWidget>

namespace controls {

// A grid of cells the program draws or fills: default and per-column or per-row sizes, and grid
// lines GridLineWidth pixels wide.
class STUDIOCLOCK_CONTROLS_EXPORT TDrawGrid : public QTableWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE setGridLineWidth)
    Q_PROPERTY(int ColCount READ ColCount WRITE setColCount)
    Q_PROPERTY(int RowCount READ RowCount WRITE setRowCount)
public:
    explicit TDrawGrid(QWidget* parent = nullptr);

    int DefaultColWidth() const;
    void setDefaultColWidth(int value);
    int DefaultRowHeight() const;
    void setDefaultRowHeight(int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void setGridLineWidth(int value);
    int ColCount() const { return columnCount(); }
    void setColCount(int value) { setColumnCount(value); }
    int RowCount() const { return rowCount(); }
    void setRowCount(int value) { QTableWidget::setRowCount(value); }

    int ColWidths(int column) const { return columnWidth(column); }
    void SetColWidths(int column, int width) { setColumnWidth(column, width); }
    int RowHeights(int row) const { return rowHeight(row); }
    void SetRowHeights(int row, int height) { setRowHeight(row, height); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int gridLineWidth_ = 1;
};

}  // namespace controls
