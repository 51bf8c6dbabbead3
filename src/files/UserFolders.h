#pragma once

#include <QString>

// The per-user folders of the XDG base-directory rules. $XDG_CONFIG_HOME and $XDG_DATA_HOME
// count only as absolute paths: a relative one is ignored, as the rules say, and so is a
// relative $HOME. Without a $HOME the account's own home folder is used, never the root of the
// disk. Empty only when the account has no home folder at all.
namespace UserFolders {

QString ConfigHome(); // $XDG_CONFIG_HOME, or ~/.config
QString DataHome();   // $XDG_DATA_HOME, or ~/.local/share

} // namespace UserFolders
