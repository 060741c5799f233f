#include "app/ScreenChoice.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

namespace {

// The screen's name as its user types it. Qt reads the name of an X server's RandR monitor as
// Latin-1, so that "é" comes as "Ã©": a name whose Latin-1 bytes are valid UTF-8 is read as UTF-8.
QString ScreenName(const QScreen& screen)
{
    QString name = screen.name();
    if (!std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0xff; }))
        return name;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString read = utf8(name.toLatin1());
    return utf8.hasError() ? name : read;
}

}  // namespace

QScreen* ChosenScreen(const QString& wanted)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens)
        if (ScreenName(*screen) == wanted)
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
        known << QStringLiteral("%1 '%2'").arg(index).arg(ScreenName(*screens.at(index)));
    return QStringLiteral("No screen '%1'; the screens are %2.")
        .arg(wanted, known.join(QStringLiteral(", ")));
}
