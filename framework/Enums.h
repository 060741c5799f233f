#pragma once

#include <QFlags>
#include <QObject>

// The layout enumerations, in their stored order, registered with the meta-object system so that
// they can be design-time properties and be read from a stored layout by name.
namespace framework {
Q_NAMESPACE

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
Q_ENUM_NS(TAlign)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

// Which edges of its parent a free (alNone) control keeps its distance to when the parent resizes.
enum TAnchorKind { akLeft = 0x1, akTop = 0x2, akRight = 0x4, akBottom = 0x8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

// Scheduling priority of a worker thread, lowest first.
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
Q_ENUM_NS(TThreadPriority)

// Where a form opens.
enum TPosition { poDesigned, poScreenCenter };
Q_ENUM_NS(TPosition)

}  // namespace framework

Q_DECLARE_OPERATORS_FOR_FLAGS(framework::TAnchors)
