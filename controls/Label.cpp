#include "controls/Label.h"

#include <QMouseEvent>

namespace controls {

TLabel::TLabel(QWidget* parent)
    : QLabel(parent)
    , framework::Control(this)
{
    SetDefaultAutoSize(true);
}

void TLabel::setCaption(const QString& caption)
{
    setText(caption);
    AdjustAutoSize();
}

void TLabel::Loaded()
{
    framework::Control::Loaded();
    AdjustAutoSize();
}

void TLabel::AdjustAutoSize()
{
    if (AutoSize() && !IsLoading())
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
        emit OnClick(this);
}

void TLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        AdjustAutoSize();
}

}  // namespace controls
