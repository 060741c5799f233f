#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QObject>
#include <QScrollArea>

class QScrollBar;

namespace controls {

// One direction of a scroll box: Range is the length of the scrolled area, Position how far it is
// scrolled.
class STUDIOCLOCK_CONTROLS_EXPORT TControlScrollBar : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Range READ Range WRITE setRange)
    Q_PROPERTY(int Position READ Position WRITE setPosition)
public:
    TControlScrollBar(QScrollArea* box, Qt::Orientation orientation);

    int Range() const;
    void setRange(int value);
    int Position() const;
    void setPosition(int value);

private:
    QScrollBar* Bar() const;

    QScrollArea* box_;
    Qt::Orientation orientation_;
};

// A scrolling container: controls go on its Content(), which scrolls when larger than the box.
class STUDIOCLOCK_CONTROLS_EXPORT TScrollBox : public QScrollArea, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(controls::TControlScrollBar* HorzScrollBar READ HorzScrollBar CONSTANT)
    Q_PROPERTY(controls::TControlScrollBar* VertScrollBar READ VertScrollBar CONSTANT)
public:
    explicit TScrollBox(QWidget* parent = nullptr);

    QWidget* Content() const { return widget(); }
    TControlScrollBar* HorzScrollBar() const { return horizontal_; }
    TControlScrollBar* VertScrollBar() const { return vertical_; }

private:
    TControlScrollBar* horizontal_;  // owned by the box
    TControlScrollBar* vertical_;    // owned by the box
};

}  // namespace controls
