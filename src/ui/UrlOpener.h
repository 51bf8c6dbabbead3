#pragma once

#include <QString>

#include <functional>

// Opens the maker's web address in the default browser. Tests install a recorder.
namespace UrlOpener {

using Opener = std::function<void(const QString &address)>;

void Open(const QString &address);
// An empty function restores the desktop's own handler.
void SetOpener(Opener opener);

} // namespace UrlOpener
