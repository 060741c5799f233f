#include "controls/Form.h"

#include "framework/Application.h"

#include <QCloseEvent>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace controls {

TForm::TForm(QWidget* parent)
    : QWidget(parent)
    , framework::Control(this)
{
}

void TForm::AfterConstruction()
{
    emit OnCreate(this);
}

void TForm::showEvent(QShowEvent* event)
{
    if (!placed_ && position_ == framework::poScreenCenter) {
        if (const QScreen* screen = this->screen()) {
            // Centred; on a screen smaller than the window, the top-left corner (and with it the
            // title bar) stays on the screen.
            const QRect available = screen->availableGeometry();
            QRect bounds = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), available);
            bounds.moveTopLeft(
                QPoint(std::max(bounds.left(), available.left()), std::max(bounds.top(), available.top())));
            setGeometry(bounds);
        }
    }
    placed_ = true;
    QWidget::showEvent(event);
}

void TForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit Closed();
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    framework::Guarded(this, [this] { framework::AlignControls(this); });
}

}  // namespace controls
