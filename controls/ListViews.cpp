#include "controls/ListViews.h"

#include <QHeaderView>
#include <algorithm>

namespace controls {

int TListColumn::Width() const
{
    return owner_->columnWidth(index_);
}

void TListColumn::setWidth(int value)
{
    owner_->setColumnWidth(index_, std::max(0, value));
}

TListView::TListView(QWidget* parent)
    : QTreeWidget(parent)
    , framework::Control(this, framework::clWindow)
    , columns_(new TListColumns(this, &QTreeWidget::columnCount))
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
