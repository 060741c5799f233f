#pragma once

#include "controls/Collection.h"
#include "framework/Control.h"

#include <QStatusBar>
#include <vector>

class QLabel;

namespace controls {

// One text field of a status bar, Width pixels wide.
class TStatusPanel : public TCollectionItem {
    Q_OBJECT
public:
    TStatusPanel(QLabel* label, QObject* parent);
    int Width() const override;
    void setWidth(int value) override;
    QLabel* Label() const { return label_; }

private:
    QLabel* label_;  // owned by the status bar
};

class TStatusPanels : public TCollection {
    Q_OBJECT
public:
    using TCollection::TCollection;
    int Count() const override { return static_cast<int>(panels_.size()); }
    TCollectionItem* Items(int index) const override { return panels_.at(static_cast<std::size_t>(index)); }

private:
    friend class TStatusBar;
    std::vector<TStatusPanel*> panels_;  // owned as QObject children
};

// A status bar made of panels of set widths, left to right.
class TStatusBar : public QStatusBar, public framework::Control {
    Q_OBJECT
    FRAMEWORK_CONTROL_PROPERTIES
    Q_PROPERTY(controls::TCollection* Panels READ Panels CONSTANT)
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    TCollection* Panels() const { return panels_; }
    TStatusPanel* AddPanel(const QString& text, int width);

private:
    TStatusPanels* panels_;  // owned by the bar
};

}  // namespace controls
