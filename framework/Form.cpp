#include "Form.h"

#include "Application.h"

#include <QScreen>
#include <QStyle>

namespace framework {

TForm::TForm(QWidget* parent) : QWidget(parent), Control(this) {}

void TForm::AfterConstruction()
{
    Guarded(this, [this] { emit OnCreate(this); });
}

void TForm::showEvent(QShowEvent* event)
{
    if (!placed_ && position_ == poScreenCenter) {
        if (const QScreen* screen = this->screen())
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    }
    placed_ = true;
    QWidget::showEvent(event);
}

void TForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Guarded(this, [this] { AlignControls(this); });
}

}  // namespace framework
