#include "controls/Label.h"

#include "framework/Application.h"

#include <QMouseEvent>

namespace controls {

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
    , framework::Control(this)
{
}

void TLabel::setCaption(const QString& caption)
{
    setText(caption);
    AdjustBounds();
}

void TLabel::setAutoSize(bool value)
{
    if (value == autoSize_)
        return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::Loaded()
{
    framework::Control::Loaded();
    AdjustBounds();
}

void TLabel::AdjustBounds()
{
    // The size follows the caption once the layout is complete; until then the stored size holds.
    if (autoSize_ && !IsLoading())
        resize(sizeHint());
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    clicks_.Pressed(*event);
    QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = clicks_.Released(*event, rect());
    QLabel::mouseReleaseEvent(event);
    if (click)
        framework::Guarded(this, [this] { emit OnClick(this); });
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
}

}  // namespace controls
