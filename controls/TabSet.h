#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QWidget>

namespace controls {

class TTabControl;

// A row of tabs with room before the first tab (StartMargin) and after the last (EndMargin), and
// tabs TabHeight pixels high.
class STUDIOCLOCK_CONTROLS_EXPORT TTabSet : public QWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int TabHeight READ TabHeight WRITE setTabHeight)
    Q_PROPERTY(int StartMargin READ StartMargin WRITE setStartMargin)
    Q_PROPERTY(int EndMargin READ EndMargin WRITE setEndMargin)
public:
    explicit TTabSet(QWidget* parent = nullptr);

    TTabControl* Tabs() const { return tabs_; }

    int TabHeight() const;
    void setTabHeight(int value);
    int StartMargin() const { return startMargin_; }
    void setStartMargin(int value);
    int EndMargin() const { return endMargin_; }
    void setEndMargin(int value);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceTabs();

    TTabControl* tabs_;  // owned by the widget
    int startMargin_ = 5;
    int endMargin_ = 5;
};

}  // namespace controls
