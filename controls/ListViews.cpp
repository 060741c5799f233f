#include "controls/ListViews.h"

#include <QHeaderView>
#include <algorithm>

namespace controls {

TListColumn::TListColumn(TListView* view, int index)
    : TCollectionItem(view)
    , view_(view)
    , index_(index)
{
}

int TListColumn::Width() const
{
    return view_->columnWidth(index_);
}

void TListColumn::setWidth(int value)
{
    view_->setColumnWidth(index_, std::max(0, value));
}

TListColumns::TListColumns(TListView* view)
    : TCollection(view)
    , view_(view)
{
}

int TListColumns::Count() const
{
    return view_->columnCount();
}

TCollectionItem* TListColumns::Items(int index) const
{
    while (static_cast<int>(columns_.size()) <= index)
        columns_.push_back(new TListColumn(view_, static_cast<int>(columns_.size())));
    return columns_.at(static_cast<std::size_t>(index));
}

TListView::TListView(QWidget* parent)
    : QTreeWidget(parent)
    , framework::Control(this, framework::clWindow)
    , columns_(new TListColumns(this))
{
    setRootIsDecorated(false);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
}

TTreeView::TTreeView(QWidget* parent)
    : QTreeWidget(parent)
    , framework::Control(this, framework::clWindow)
{
    setHeaderHidden(true);
}

}  // namespace controls
