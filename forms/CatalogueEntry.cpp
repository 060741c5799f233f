#include "forms/CatalogueEntry.h"

#include "display/VrLabel.h"
#include "display/vrLedClock.h"
#include "forms/GuardedComponent.h"
#include "resizer/NoBDERP.h"

namespace forms {

namespace {

template <typename Component> QWidget* Create(QWidget* parent, RefusalHandler refused)
{
    return new GuardedComponent<Component>(parent, std::move(refused));
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue()
{
    static const std::vector<CatalogueEntry> entries{
        {QStringLiteral("display::TVrLedClock"), QStringLiteral("display/vrLedClock.h"),
            QStringLiteral("LED clock: HH:MM in dot-matrix digits inside a ring of second dots"),
            QStringLiteral("vrLedClock"), QSize(240, 160), false, Create<display::TVrLedClock>,
            &display::TVrLedClock::staticMetaObject},
        {QStringLiteral("display::TVrLabel"), QStringLiteral("display/VrLabel.h"),
            QStringLiteral("Styled label: a caption at any angle, raised, lowered or shadowed"),
            QStringLiteral("vrLabel"), QSize(100, 25), false, Create<display::TVrLabel>,
            &display::TVrLabel::staticMetaObject},
        {QStringLiteral("resizer::TNoBDEResizerPanel"), QStringLiteral("resizer/NoBDERP.h"),
            QStringLiteral("Resizer panel: keeps the controls on it, and their fonts, in proportion"),
            QStringLiteral("resizerPanel"), QSize(200, 150), true, Create<resizer::TNoBDEResizerPanel>,
            &resizer::TNoBDEResizerPanel::staticMetaObject},
    };
    return entries;
}

const CatalogueEntry* FindCatalogueEntry(const QString& className)
{
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.className == className)
            return &entry;
    }
    return nullptr;
}

}  // namespace forms
