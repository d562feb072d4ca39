// Following a symbolic link only where the kernel would.
#include "platform/posix/posix_links.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace {

// The kernel gives up after 40 links; so do we.
constexpr int mostLinks = 40;

}  // namespace

bool mayFollowLink(uid_t linkOwner, uid_t directoryOwner, mode_t directoryMode, uid_t user) {
  bool shared = (directoryMode & S_ISVTX) && (directoryMode & S_IWOTH);
  return !shared || linkOwner == user || linkOwner == directoryOwner;
}

std::string parentFolder(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

std::optional<std::string> followPermittedLinks(const std::string& path) {
  std::string current = path;
  for (int hops = 0; hops <= mostLinks; ++hops) {
    struct stat link {};
    if (lstat(current.c_str(), &link) != 0) {
      // A new name is fine; a link to nothing would silently become a file.
      if (errno == ENOENT && hops > 0)
        return std::nullopt;
      return current;
    }
    if (!S_ISLNK(link.st_mode))
      return current;
    std::string folder = parentFolder(current);
    struct stat directory {};
    if (stat(folder.c_str(), &directory) != 0 ||
        !mayFollowLink(link.st_uid, directory.st_uid, directory.st_mode, geteuid()))
      return std::nullopt;
    std::vector<char> target(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) + 2);
    ssize_t length = readlink(current.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
      return std::nullopt;
    std::string next(target.data(), static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : folder + "/" + next;
  }
  return std::nullopt;
}
