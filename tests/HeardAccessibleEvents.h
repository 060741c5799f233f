#pragma once

#include <QAccessible>
#include <QStringList>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <utility>

// What a screen reader would be told while this lives, with one listening: "text <old>><new>",
// "name <name>" and "description <description>", each with the object's values as the event
// arrives. Qt's handler and whether a reader listens come back when this goes.
class HeardAccessibleEvents {
public:
    HeardAccessibleEvents()
        : wasListening_(QAccessible::isActive())
        , previous_(QAccessible::installUpdateHandler(&Record))
    {
        Heard().clear();
        SetListening(true);
    }
    ~HeardAccessibleEvents()
    {
        QAccessible::installUpdateHandler(previous_);
        SetListening(wasListening_);
    }
    HeardAccessibleEvents(const HeardAccessibleEvents&) = delete;
    HeardAccessibleEvents& operator=(const HeardAccessibleEvents&) = delete;

    // Whether a screen reader listens (QAccessible::isActive): set where a reader's arrival sets it,
    // in the platform's accessibility, as Qt's own tests do; QAccessible::setActive only passes it on.
    static void SetListening(bool listening)
    {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(listening);
    }

    // What was told since the last call.
    QStringList Take() const { return std::exchange(Heard(), {}); }

private:
    static QStringList& Heard()
    {
        static QStringList heard;
        return heard;
    }

    static void Record(QAccessibleEvent* event)
    {
        const QAccessibleInterface* told = event->accessibleInterface();
        switch (event->type()) {
        case QAccessible::TextUpdated: {
            const auto* update = static_cast<const QAccessibleTextUpdateEvent*>(event);
            Heard() << QStringLiteral("text %1>%2").arg(update->textRemoved(), update->textInserted());
            break;
        }
        case QAccessible::NameChanged:
            Heard() << QStringLiteral("name ") + told->text(QAccessible::Name);
            break;
        case QAccessible::DescriptionChanged:
            Heard() << QStringLiteral("description ") + told->text(QAccessible::Description);
            break;
        default:
            break;
        }
    }

    bool wasListening_;
    QAccessible::UpdateHandler previous_;
};
