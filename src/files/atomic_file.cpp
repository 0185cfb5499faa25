#include "files/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace gyrenda {
namespace fs = std::filesystem;

namespace {

fs::path temporaryBeside(const fs::path& target) {
  std::random_device rd;
  const auto tag = std::to_string(rd() % 1000000u);
  fs::path tmp = target;
  tmp += ".tmp" + tag;
  return tmp;
}

}  // namespace

std::string writeFileAtomically(const std::string& path, std::string_view content) {
  if (path.empty()) return "ファイル名がありません。";
  const fs::path target(path);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return "同じ名前のフォルダがあります。";
  const fs::path tmp = temporaryBeside(target);
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return std::string("一時ファイルを作れません: ") + std::strerror(errno);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      const std::string reason = std::strerror(errno);
      out.close();
      fs::remove(tmp, ec);
      return "書き込みに失敗しました: " + reason;
    }
    out.close();
    if (out.fail()) {
      fs::remove(tmp, ec);
      return "書き込みに失敗しました。";
    }
  }
  // The new file keeps the permissions of the one it replaces.
  if (const auto status = fs::status(target, ec); !ec && fs::exists(status))
    fs::permissions(tmp, status.permissions(), ec);
  fs::rename(tmp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(tmp, ignored);
    return "ファイルを置き換えられません: " + ec.message();
  }
  return {};
}

}  // namespace gyrenda
