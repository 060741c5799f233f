#pragma once

#include "framework/Export.h"

#include <QCursor>
#include <map>

// The screen's cursors by number, so that a program can name a cursor a library registered (the
// display controls put their pointing hand under 99) and set it on any control with setCursor.
namespace framework {

using TCursor = int;

class STUDIOCLOCK_FRAMEWORK_EXPORT CursorTable {
public:
    // The cursor under `index`; an index nothing was registered under gives the arrow.
    QCursor Cursor(TCursor index) const;
    void SetCursor(TCursor index, const QCursor& cursor);

private:
    std::map<TCursor, QCursor> cursors_;
};

// The program's one table (GUI thread only).
STUDIOCLOCK_FRAMEWORK_EXPORT CursorTable& ScreenCursors();

}  // namespace framework
