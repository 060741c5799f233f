#include "controls/Image.h"

namespace controls {

TImage::TImage(QWidget* parent)
    : QLabel(parent)
    , framework::Control(this)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace controls
