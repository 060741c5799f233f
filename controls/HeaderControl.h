#pragma once

#include "controls/Collection.h"
#include "controls/Export.h"
#include "framework/Control.h"

#include <QHeaderView>

class QStandardItemModel;

namespace controls {

class THeaderControl;

// One section of a header control. Its Width always lies between MinWidth and MaxWidth, however
// it is set or dragged.
class STUDIOCLOCK_CONTROLS_EXPORT THeaderSection : public TCollectionItemOf<THeaderControl> {
    Q_OBJECT
    Q_PROPERTY(int MinWidth READ MinWidth WRITE setMinWidth)
    Q_PROPERTY(int MaxWidth READ MaxWidth WRITE setMaxWidth)
public:
    using TCollectionItemOf::TCollectionItemOf;

    int Width() const override;
    void setWidth(int value) override;
    int MinWidth() const { return minWidth_; }
    void setMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void setMaxWidth(int value);

private:
    int minWidth_ = 0;
    int maxWidth_ = 10000;
};

using THeaderSections = TCollectionOf<THeaderSection, THeaderControl>;

// A row of column captions on its own, whose sections the user can drag wider or narrower.
class STUDIOCLOCK_CONTROLS_EXPORT THeaderControl : public QHeaderView, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(controls::TCollection* Sections READ Sections CONSTANT)
public:
    explicit THeaderControl(QWidget* parent = nullptr);

    TCollection* Sections() const { return sections_; }
    THeaderSection* AddSection(const QString& text, int width);

private:
    QStandardItemModel* captions_;  // owned by the header
    THeaderSections* sections_;     // owned by the header
};

}  // namespace controls
