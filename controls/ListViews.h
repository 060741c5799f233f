#pragma once

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QTreeWidget>
#include <vector>

namespace controls {

class TListView;

// One column of a list view, Width pixels wide.
class TListColumn : public TCollectionItem {
    Q_OBJECT
public:
    TListColumn(TListView* view, int index);
    int Width() const override;
    void setWidth(int value) override;

private:
    TListView* view_;
    int index_;
};

class TListColumns : public TCollection {
    Q_OBJECT
public:
    explicit TListColumns(TListView* view);
    int Count() const override;
    TCollectionItem* Items(int index) const override;

private:
    TListView* view_;
    mutable std::vector<TListColumn*> columns_;  // one per column asked for, owned as QObject children
};

// Rows of items in columns with captions, as a report.
class TListView : public QTreeWidget, public framework::Control {
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
class TTreeView : public QTreeWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int Indent READ indentation WRITE setIndentation)
public:
    explicit TTreeView(QWidget* parent = nullptr);
};

}  // namespace controls
