#include "ui/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace UrlOpener {

namespace {
Opener &opener()
{
    static Opener current;
    return current;
}
} // namespace

void Open(const QString &address)
{
    if (opener()) {
        opener()(address);
        return;
    }
    // A missing browser or handler is not the user's problem: it is ignored.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

void SetOpener(Opener opener_)
{
    opener() = std::move(opener_);
}

} // namespace UrlOpener
