#pragma once

#include "controls/Export.h"
#include "framework/Exceptions.h"

#include <QObject>
#include <vector>

namespace controls {

// One entry of a row of widths a control shows: a status panel, a list column, a header section.
class STUDIOCLOCK_CONTROLS_EXPORT TCollectionItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE setWidth)
public:
    using QObject::QObject;
    virtual int Width() const = 0;
    virtual void setWidth(int value) = 0;
};

// The entries of such a row, in the order the control shows them.
class STUDIOCLOCK_CONTROLS_EXPORT TCollection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual int Count() const = 0;
    // The entry at `index`, 0 <= index < Count(); any other index raises framework::ERangeError.
    virtual TCollectionItem* Items(int index) const = 0;
};

// An entry that stands for the control's own entry at `index` (a section of its header, a column
// of its list, a panel of its bar), made by TCollectionOf.
template <typename Owner> class TCollectionItemOf : public TCollectionItem {
public:
    TCollectionItemOf(Owner* owner, int index)
        : TCollectionItem(owner)
        , owner_(owner)
        , index_(index)
    {
    }

protected:
    Owner* const owner_;
    const int index_;
};

// The collection of a control of type Owner whose entries the control itself keeps: `count` tells
// how many it has, and the Item for each index, Item(owner, index), is made the first time it is
// asked for.
template <typename Item, typename Owner> class TCollectionOf : public TCollection {
public:
    using CountFunction = int (Owner::*)() const;

    TCollectionOf(Owner* owner, CountFunction count)
        : TCollection(owner)
        , owner_(owner)
        , count_(count)
    {
    }

    int Count() const override { return (owner_->*count_)(); }
    Item* Items(int index) const override
    {
        if (index < 0 || index >= Count())
            throw framework::ERangeError();
        while (static_cast<int>(items_.size()) <= index)
            items_.push_back(new Item(owner_, static_cast<int>(items_.size())));
        return items_[static_cast<std::size_t>(index)];
    }

private:
    Owner* owner_;
    CountFunction count_;
    mutable std::vector<Item*> items_;  // owned by the control as QObject children
};

}  // namespace controls
