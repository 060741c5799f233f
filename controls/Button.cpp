#include "controls/Button.h"

namespace controls {

TButton::TButton(QWidget* parent)
    : QPushButton(parent)
    , framework::Control(this)
{
    connect(this, &QAbstractButton::clicked, this, [this] { emit OnClick(this); });
}

}  // namespace controls
