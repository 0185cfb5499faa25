#include "files/same_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "files/atomic_file.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

struct Identity {
  std::optional<std::pair<dev_t, ino_t>> node;  // the file, where it exists
  std::string name;                             // else the name it would be created under
};

// The name a save creates for `name`, "." and ".." resolved.
fs::path createdName(const std::string& name) {
  std::error_code ec;
  const fs::path followed = savedName(name);
  const fs::path whole = fs::weakly_canonical(fs::absolute(followed, ec), ec);
  return ec ? followed.lexically_normal() : whole;
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
