#include "controls/ItemLists.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>
#include <algorithm>

namespace controls {

// Draws items as usual but makes every row a chosen height.
class ItemHeightDelegate : public QStyledItemDelegate {
public:
    explicit ItemHeightDelegate(QAbstractItemView* view)
        : QStyledItemDelegate(view)
        , view_(view)
    {
        view->setItemDelegate(this);
    }

    int Height() const { return height_; }
    void SetHeight(int value)
    {
        height_ = std::max(0, value);
        view_->doItemsLayout();  // rows take their new height now, not at the next model change
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (height_ > 0)
            size.setHeight(height_);
        return size;
    }

private:
    QAbstractItemView* view_;
    int height_ = 0;
};

TListBox::TListBox(QWidget* parent)
    : QListWidget(parent)
    , framework::Control(this, framework::clWindow)
    , rows_(new ItemHeightDelegate(this))
{
}

int TListBox::ItemHeight() const
{
    return rows_->Height();
}

void TListBox::setItemHeight(int value)
{
    rows_->SetHeight(value);
}

TComboBox::TComboBox(QWidget* parent)
    : QComboBox(parent)
    , framework::Control(this, framework::clWindow)
    , rows_(new ItemHeightDelegate(view()))
{
}

int TComboBox::ItemHeight() const
{
    return rows_->Height();
}

void TComboBox::setItemHeight(int value)
{
    rows_->SetHeight(value);
}

}  // namespace controls
