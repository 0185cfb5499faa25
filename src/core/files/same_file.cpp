#include "files/same_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

struct Identity {
  std::optional<std::pair<dev_t, ino_t>> node;  // the file, where it exists
  std::string name;                             // else the name it would be created under
};

// The name a save creates for `name`: a dangling link is followed as opening for writing
// follows it (a loop of links ends after as many hops as the system allows).
fs::path createdName(fs::path name) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(name, ec); ++hops) {
    const fs::path target = fs::read_symlink(name, ec);
    if (ec) break;
    name = target.is_absolute() ? target : name.parent_path() / target;
  }
  const fs::path whole = fs::weakly_canonical(fs::absolute(name, ec), ec);
  return ec ? name.lexically_normal() : whole;
}

Identity identify(const std::string& name, int standardOutput) {
  struct stat st{};
  if (name == "-") {
    if (standardOutput >= 0 && ::fstat(standardOutput, &st) == 0)
      return {std::pair(st.st_dev, st.st_ino), {}};
    return {std::nullopt, "-"};
  }
  if (::stat(name.c_str(), &st) == 0) return {std::pair(st.st_dev, st.st_ino), {}};
  return {std::nullopt, createdName(name).string()};
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b, int standardOutput) {
  if (a == b) return true;
  const Identity x = identify(a, standardOutput), y = identify(b, standardOutput);
  return x.node ? x.node == y.node : !y.node && x.name == y.name;
}

}  // namespace gyrenda
