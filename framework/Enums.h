#pragma once

#include "framework/Exceptions.h"
#include "framework/Export.h"

#include <QFlags>
#include <QMetaEnum>
#include <QObject>

// The layout enumerations, in their stored order, registered with the meta-object system so that
// they can be design-time properties and be read from a stored layout by name. They hold any int,
// so a value from outside (through the property system) is checked, not undefined.
namespace framework {
Q_NAMESPACE_EXPORT(STUDIOCLOCK_FRAMEWORK_EXPORT)

enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
Q_ENUM_NS(TAlign)

enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout : int { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

// Which edges of its parent a free (alNone) control keeps its distance to when the parent resizes.
enum TAnchorKind : int { akLeft = 0x1, akTop = 0x2, akRight = 0x4, akBottom = 0x8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

// The mouse button a press or release is about.
enum TMouseButton : int { mbLeft, mbRight, mbMiddle };
Q_ENUM_NS(TMouseButton)

// The modifier keys and mouse buttons held during a mouse event; ssDouble marks the press that
// completes a double click.
enum TShiftStateKind : int {
    ssShift = 0x1,
    ssAlt = 0x2,
    ssCtrl = 0x4,
    ssLeft = 0x8,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateKind)
Q_FLAG_NS(TShiftState)

// Scheduling priority of a worker thread, lowest first.
enum TThreadPriority : int { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
Q_ENUM_NS(TThreadPriority)

// Where a form opens.
enum TPosition : int { poDesigned, poScreenCenter };
Q_ENUM_NS(TPosition)

// The names and values of an enumeration, "taLeftJustify (0), taRightJustify (1), taCenter (2)".
STUDIOCLOCK_FRAMEWORK_EXPORT QString ValuesOf(const QMetaEnum& enumeration);

// The value itself when it is one of its enumeration's values; raises the range error otherwise.
template <typename Enum> Enum CheckedEnum(Enum value)
{
    const QMetaEnum enumeration = QMetaEnum::fromType<Enum>();
    if (!enumeration.valueToKey(static_cast<int>(value)))
        throw ERangeError(ValuesOf(enumeration));
    return value;
}

}  // namespace framework

Q_DECLARE_OPERATORS_FOR_FLAGS(framework::TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(framework::TShiftState)
