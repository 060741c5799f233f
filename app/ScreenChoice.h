#pragma once

#include <QString>

class QScreen;

// The screen `wanted` names: the screen of that name as the desktop reports it (QScreen::name(),
// such as "HDMI-1", read as its user types it), else, for a number, the screen at that index in
// QGuiApplication::screens(); null when there is none.
QScreen* ChosenScreen(const QString& wanted);

// One sentence saying that `wanted` names no screen, and listing the screens there are, each with
// its index.
QString NoSuchScreen(const QString& wanted);
