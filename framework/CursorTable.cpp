#include "framework/CursorTable.h"

namespace framework {

QCursor CursorTable::Cursor(TCursor index) const
{
    const auto found = cursors_.find(index);
    return found != cursors_.end() ? found->second : QCursor(Qt::ArrowCursor);
}

void CursorTable::SetCursor(TCursor index, const QCursor& cursor)
{
    cursors_[index] = cursor;
}

CursorTable& ScreenCursors()
{
    static CursorTable table;
    return table;
}

}  // namespace framework
