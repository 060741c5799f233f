#include "Memo.h"

#include <QTextCursor>

namespace framework {

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent)
    , Control(this, clWindow)
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

}  // namespace framework
