#include "app/ScreenChoice.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <algorithm>

QScreen* ChosenScreen(const QString& wanted)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens)
        if (screen->name() == wanted)
            return screen;
    // Digits only: "+1", " 1" or "1.0" are names, not numbers.
    const bool digits = std::all_of(wanted.begin(), wanted.end(), [](QChar c) { return c.isDigit(); });
    bool isNumber = false;
    const int index = wanted.toInt(&isNumber);
    return digits && isNumber && index < screens.size() ? screens.at(index) : nullptr;
}

QString NoSuchScreen(const QString& wanted)
{
    QStringList known;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int index = 0; index < screens.size(); ++index)
        known << QStringLiteral("%1 '%2'").arg(index).arg(screens.at(index)->name());
    return QStringLiteral("No screen '%1'; the screens are %2.")
        .arg(wanted, known.join(QStringLiteral(", ")));
}
