#include "controls/Memo.h"

#include <QTextCursor>

namespace controls {

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , framework::Control(this, framework::clWindow)
{
}

void TMemo::Clear()
{
    if (document()->isEmpty())
        return;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
}

}  // namespace controls
