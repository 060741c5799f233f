#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QComboBox>
#include <QListWidget>

// Lists of text items whose rows are ItemHeight pixels high (0: the height the font needs).
namespace controls {

class ItemHeightDelegate;

class STUDIOCLOCK_CONTROLS_EXPORT TListBox : public QListWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE setItemHeight)
public:
    explicit TListBox(QWidget* parent = nullptr);

    int ItemHeight() const;
    void setItemHeight(int value);

private:
    ItemHeightDelegate* rows_;  // owned by the widget
};

// A drop-down list whose rows, in the list that drops down, are ItemHeight pixels high.
class STUDIOCLOCK_CONTROLS_EXPORT TComboBox : public QComboBox, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE setItemHeight)
public:
    explicit TComboBox(QWidget* parent = nullptr);

    int ItemHeight() const;
    void setItemHeight(int value);

private:
    ItemHeightDelegate* rows_;  // owned by the widget
};

}  // namespace controls
