#include "controls/Button.h"

#include "framework/Application.h"

namespace controls {

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
    , framework::Control(this)
{
    connect(this, &QAbstractButton::clicked, this,
        [this] { framework::Guarded(this, [this] { emit OnClick(this); }); });
}

}  // namespace controls
