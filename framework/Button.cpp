#include "Button.h"

#include "Application.h"

namespace framework {

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
    , Control(this)
{
    connect(this, &QAbstractButton::clicked, this, [this] { Guarded(this, [this] { emit OnClick(this); }); });
}

}  // namespace framework
