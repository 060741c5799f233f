#pragma once

#include "controls/Collection.h"
#include "controls/Export.h"
#include "framework/Control.h"

#include <QStatusBar>
#include <vector>

class QLabel;

namespace controls {

class TStatusBar;

// One text field of a status bar, Width pixels wide.
class STUDIOCLOCK_CONTROLS_EXPORT TStatusPanel : public TCollectionItemOf<TStatusBar> {
    Q_OBJECT
public:
    using TCollectionItemOf::TCollectionItemOf;
    int Width() const override;
    void setWidth(int value) override;
    QLabel* Label() const;
};

using TStatusPanels = TCollectionOf<TStatusPanel, TStatusBar>;

// A status bar made of panels of set widths, left to right.
class STUDIOCLOCK_CONTROLS_EXPORT TStatusBar : public QStatusBar, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(controls::TCollection* Panels READ Panels CONSTANT)
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    TCollection* Panels() const { return panels_; }
    TStatusPanel* AddPanel(const QString& text, int width);
    int PanelCount() const { return static_cast<int>(labels_.size()); }
    // The label that shows panel `index`, 0 <= index < PanelCount().
    QLabel* PanelLabel(int index) const { return labels_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<QLabel*> labels_;  // owned by the bar
    TStatusPanels* panels_;        // owned by the bar
};

}  // namespace controls
