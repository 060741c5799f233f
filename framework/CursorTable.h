#pragma once

#include "framework/Export.h"

#include <QCursor>
#include <map>

// The screen's cursor table: cursors by number, so that a stored layout or a component can name a
// cursor registered by some other module.
namespace framework {

using TCursor = int;

constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

class STUDIOCLOCK_FRAMEWORK_EXPORT CursorTable {
public:
    CursorTable();
    // The cursor under `index`; an index nothing was registered under gives the arrow.
    QCursor Cursor(TCursor index) const;
    void SetCursor(TCursor index, const QCursor& cursor);
    bool Contains(TCursor index) const { return cursors_.count(index) != 0; }

private:
    std::map<TCursor, QCursor> cursors_;
};

// The program's one table (GUI thread only).
STUDIOCLOCK_FRAMEWORK_EXPORT CursorTable& ScreenCursors();

}  // namespace framework
