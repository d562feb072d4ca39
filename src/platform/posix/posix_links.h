// Following a symbolic link only where the kernel's own protection for
// shared directories would: a link planted by another user in a sticky
// world-writable folder (/tmp) must not redirect our writes to a file of its
// choosing, whatever the system's fs.protected_symlinks setting.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

// True when a link owned by `linkOwner`, in a folder owned by
// `directoryOwner` with mode `directoryMode`, may be followed by `user`.
bool mayFollowLink(uid_t linkOwner, uid_t directoryOwner, mode_t directoryMode, uid_t user);

// The name that `path` finally stands for, links followed under the rule
// above: `path` itself when it is no link or names nothing yet. Nothing when
// a link may not be followed, leads nowhere (a dangling link) or loops.
std::optional<std::string> followPermittedLinks(const std::string& path);

// The folder part of `path`: "." for a bare name.
std::string parentFolder(const std::string& path);
