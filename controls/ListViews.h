#pragma once

#include "controls/Collection.h"
#include "controls/Export.h"
#include "framework/Control.h"

#include <QTreeWidget>

namespace controls {

class TListView;

// One column of a list view, Width pixels wide.
class STUDIOCLOCK_CONTROLS_EXPORT TListColumn : public TCollectionItemOf<TListView> {
    Q_OBJECT
public:
    using TCollectionItemOf::TCollectionItemOf;
    int Width() const override;
    void setWidth(int value) override;
};

using TListColumns = TCollectionOf<TListColumn, TListView>;

// Rows of items in columns with captions, as a report.
class STUDIOCLOCK_CONTROLS_EXPORT TListView : public QTreeWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(controls::TCollection* Columns READ Columns CONSTANT)
public:
    explicit TListView(QWidget* parent = nullptr);
    TCollection* Columns() const { return columns_; }

private:
    TListColumns* columns_;  // owned by the view
};

// A tree of items, each level Indent pixels further right than its parent.
class STUDIOCLOCK_CONTROLS_EXPORT TTreeView : public QTreeWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int Indent READ indentation WRITE setIndentation)
public:
    explicit TTreeView(QWidget* parent = nullptr);
};

}  // namespace controls
