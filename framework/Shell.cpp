#include "framework/Shell.h"

#include <QDesktopServices>

namespace framework {

namespace {

UrlOpener DesktopOpener()
{
    return [](const QUrl& address) { return QDesktopServices::openUrl(address); };
}

UrlOpener& InstalledOpener()
{
    static UrlOpener opener = DesktopOpener();
    return opener;
}

}  // namespace

void OpenUrl(const QUrl& address)
{
    // The desktop starts the browser as a detached process; whether that worked is of no concern.
    static_cast<void>(InstalledOpener()(address));
}

UrlOpener SetUrlOpener(UrlOpener opener)
{
    if (!opener)
        opener = DesktopOpener();
    std::swap(InstalledOpener(), opener);
    return opener;
}

}  // namespace framework
