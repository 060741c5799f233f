#pragma once

#include <QObject>

namespace controls {

// One entry of a row of widths a control shows: a status panel, a list column, a header section.
class TCollectionItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE setWidth)
public:
    using QObject::QObject;
    virtual int Width() const = 0;
    virtual void setWidth(int value) = 0;
};

// The entries of such a row, in the order the control shows them.
class TCollection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual int Count() const = 0;
    // The entry at `index`, 0 <= index < Count().
    virtual TCollectionItem* Items(int index) const = 0;
};

}  // namespace controls
