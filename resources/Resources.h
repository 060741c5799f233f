#pragma once

#include <QIcon>
#include <QString>

namespace resources {

QString ApplicationVersion();  // four-part, as the version record has it
QIcon ApplicationIcon();

}  // namespace resources
