#include "controls/StatusBar.h"

#include <QLabel>
#include <algorithm>

namespace controls {

QLabel* TStatusPanel::Label() const
{
    return owner_->PanelLabel(index_);
}

int TStatusPanel::Width() const
{
    return Label()->minimumWidth();
}

void TStatusPanel::setWidth(int value)
{
    Label()->setFixedWidth(std::max(0, value));
}

TStatusBar::TStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , framework::Control(this)
    , panels_(new TStatusPanels(this, &TStatusBar::PanelCount))
{
    setSizeGripEnabled(false);
}

TStatusPanel* TStatusBar::AddPanel(const QString& text, int width)
{
    auto* label = new QLabel(text, this);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    addWidget(label);
    labels_.push_back(label);
    TStatusPanel* panel = panels_->Items(PanelCount() - 1);
    panel->setWidth(width);
    return panel;
}

}  // namespace controls
