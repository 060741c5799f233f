#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

namespace resources {

QString ApplicationVersion();  // four-part, as the version record has it
QIcon ApplicationIcon();
// The pointing hand: 32 x 32, monochrome, hot spot on the tip of the index finger (10, 5).
QCursor HandPointCursor();

}  // namespace resources
