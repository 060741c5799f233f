#include "controls/StatusBar.h"

#include <QLabel>
#include <algorithm>

namespace controls {

TStatusPanel::TStatusPanel(QLabel* label, QObject* parent)
    : TCollectionItem(parent)
    , label_(label)
{
}

int TStatusPanel::Width() const
{
    return label_->minimumWidth();
}

void TStatusPanel::setWidth(int value)
{
    label_->setFixedWidth(std::max(0, value));
}

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , framework::Control(this)
    , panels_(new TStatusPanels(this))
{
    setSizeGripEnabled(false);
}

TStatusPanel* TStatusBar::AddPanel(const QString& text, int width)
{
    auto* label = new QLabel(text, this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    addWidget(label);
    auto* panel = new TStatusPanel(label, panels_);
    panel->setWidth(width);
    panels_->panels_.push_back(panel);
    return panel;
}

}  // namespace controls
