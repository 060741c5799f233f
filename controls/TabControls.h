#pragma once

#include "controls/Export.h"
#include "framework/Control.h"

#include <QFont>
#include <QTabBar>
#include <QTabWidget>

// Tabbed controls: a strip of tabs, pages behind tabs, and a notebook whose tabs have a font of
// their own.
namespace controls {

// A strip of tabs of a chosen size: TabWidth and TabHeight in pixels, 0 for the size the caption
// needs.
class STUDIOCLOCK_CONTROLS_EXPORT TTabControl : public QTabBar, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int TabWidth READ TabWidth WRITE setTabWidth)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE setTabHeight)
public:
    explicit TTabControl(QWidget* parent = nullptr);

    int TabWidth() const { return tabWidth_; }
    void setTabWidth(int value);
    int TabHeight() const { return tabHeight_; }
    void setTabHeight(int value);

protected:
    QSize tabSizeHint(int index) const override;

private:
    void RelayoutTabs();

    int tabWidth_ = 0;
    int tabHeight_ = 0;
};

// Pages behind a strip of tabs whose size can be chosen as on a TTabControl.
class STUDIOCLOCK_CONTROLS_EXPORT TPageControl : public QTabWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(int TabWidth READ TabWidth WRITE setTabWidth)
    Q_PROPERTY(int TabHeight READ TabHeight WRITE setTabHeight)
public:
    explicit TPageControl(QWidget* parent = nullptr);

    int TabWidth() const { return tabs_->TabWidth(); }
    void setTabWidth(int value) { tabs_->setTabWidth(value); }
    int TabHeight() const { return tabs_->TabHeight(); }
    void setTabHeight(int value) { tabs_->setTabHeight(value); }

private:
    TTabControl* tabs_;  // owned by the widget
};

// Pages behind tabs whose captions have a font of their own, TabFont.
class STUDIOCLOCK_CONTROLS_EXPORT TTabbedNotebook : public QTabWidget, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(QFont TabFont READ TabFont WRITE setTabFont)
public:
    explicit TTabbedNotebook(QWidget* parent = nullptr);

    QFont TabFont() const;
    void setTabFont(const QFont& value);
};

}  // namespace controls
