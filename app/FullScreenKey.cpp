#include "app/FullScreenKey.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

FullScreenKey::FullScreenKey(QWidget* window)
    : QObject(window)
    , window_(window)
{
    // The platform's keys, and F11 always: X11 without a desktop's theme names none, and F11 is
    // what every Linux desktop program answers to.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::FullScreen);
    if (!keys.contains(QKeySequence(Qt::Key_F11)))
        keys.append(QKeySequence(Qt::Key_F11));
    auto* shortcut = new QShortcut(window);
    shortcut->setKeys(keys);
    shortcut->setContext(Qt::WindowShortcut);  // also while the notes have the focus
    connect(shortcut, &QShortcut::activated, this, &FullScreenKey::Toggle);
}

void FullScreenKey::Toggle()
{
    // Only the full-screen flag changes, so a maximised window comes back maximised.
    window_->setWindowState(window_->windowState() ^ Qt::WindowFullScreen);
}
