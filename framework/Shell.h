#pragma once

#include "framework/Export.h"

#include <QUrl>
#include <functional>

// Hands a web address to the desktop, which opens it in the user's browser.
namespace framework {

using UrlOpener = std::function<bool(const QUrl&)>;

// Never blocks and never reports: a desktop without a browser simply opens nothing.
STUDIOCLOCK_FRAMEWORK_EXPORT void OpenUrl(const QUrl& address);

// Replaces the desktop hand-over (tests watch what would be opened); returns the one replaced.
// An empty opener restores the desktop's.
STUDIOCLOCK_FRAMEWORK_EXPORT UrlOpener SetUrlOpener(UrlOpener opener);

}  // namespace framework
