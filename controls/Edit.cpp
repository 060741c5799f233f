#include "controls/Edit.h"

#include "framework/Application.h"

namespace controls {

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent)
    , framework::Control(this, framework::clWindow)
{
    setAutoSize(true);
}

void TEdit::AdjustAutoSize()
{
    // A fixed height holds also for a resize while hidden, which Qt reports only when shown.
    if (AutoSize()) {
        setFixedHeight(sizeHint().height());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        framework::Guarded(this, [this] { AdjustAutoSize(); });
}

}  // namespace controls
