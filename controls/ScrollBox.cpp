#include "controls/ScrollBox.h"

#include <QScrollBar>
#include <algorithm>

namespace controls {

TControlScrollBar::TControlScrollBar(QScrollArea* box, Qt::Orientation orientation)
    : QObject(box)
    , box_(box)
    , orientation_(orientation)
{
}

int TControlScrollBar::Range() const
{
    const QSize content = box_->widget()->size();
    return orientation_ == Qt::Horizontal ? content.width() : content.height();
}

void TControlScrollBar::setRange(int value)
{
    QWidget* content = box_->widget();
    const int length = std::max(0, value);
    if (orientation_ == Qt::Horizontal)
        content->resize(length, content->height());
    else
        content->resize(content->width(), length);
}

QScrollBar* TControlScrollBar::Bar() const
{
    return orientation_ == Qt::Horizontal ? box_->horizontalScrollBar() : box_->verticalScrollBar();
}

int TControlScrollBar::Position() const
{
    return Bar()->value();
}

void TControlScrollBar::setPosition(int value)
{
    Bar()->setValue(value);
}

TScrollBox::TScrollBox(QWidget* parent)
    : QScrollArea(parent)
    , framework::Control(this)
    , horizontal_(new TControlScrollBar(this, Qt::Horizontal))
    , vertical_(new TControlScrollBar(this, Qt::Vertical))
{
    setWidget(new QWidget);  // the box owns its content
}

}  // namespace controls
