#include "Image.h"

namespace framework {

TImage::TImage(QWidget* parent)
    : QLabel(parent)
    , Control(this)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace framework
