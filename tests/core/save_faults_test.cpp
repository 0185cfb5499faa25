// Saving onto a file system that fails part way: the file that was there stays intact, no
// temporary file is left behind, and the user is told which file could not be saved.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/validation.h"
#include "files/data_file.h"
#include "files/file_commands.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

class SavingPlatform : public Platform {
 public:
  std::optional<SaveChoice> askSavePath(const std::string&) override { return choice; }
  std::optional<std::string> encodeBitmap(const Raster&) override {
    return std::string(200 * 1024, 'B');  // larger than the file system below
  }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  SaveChoice choice;
  std::vector<std::string> messages;
};

std::string contentOf(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A tmpfs of 64 KiB of its own, mounted for one case and removed afterwards.
class TinyFileSystem {
 public:
  TinyFileSystem() : dir_(fs::temp_directory_path() / ("gyrenda-tiny-" + std::to_string(::getpid()))) {
    fs::create_directories(dir_);
    mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~TinyFileSystem() {
    if (mounted_) ::umount(dir_.c_str());
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  bool mounted() const { return mounted_; }
  const fs::path& dir() const { return dir_; }
  // Fills the file system until fewer than `room` bytes are left.
  void fillLeaving(std::size_t room) {
    std::ofstream filler(dir_ / "filler", std::ios::binary);
    const std::string block(512, 'x');
    while (fs::space(dir_).available > room && filler) {
      filler.write(block.data(), static_cast<std::streamsize>(block.size()));
      filler.flush();
    }
  }
  bool makeReadOnly() {
    return ::mount(nullptr, dir_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  fs::path dir_;
  bool mounted_ = false;
};

std::vector<std::string> filesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(SaveFaults, FailedSaveKeepsTheOldFileAndSaysWhichFile) {
  const std::string old = "\"Gyrenda\"\r\nthe design saved yesterday\r\n";
  struct Case {
    const char* what;
    int fileType;
    bool full;  // else read-only
  } cases[] = {{"data file, disk full part way", 2, true},
               {"bitmap, disk full part way", 1, true},
               {"data file, read-only file system", 2, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TinyFileSystem tiny;
    if (!tiny.mounted()) GTEST_SKIP() << "this machine does not let the test mount a tmpfs";
    const fs::path target = tiny.dir() / "design.GYR";
    std::ofstream(target, std::ios::binary) << old;
    if (c.full) tiny.fillLeaving(4 * 1024);  // room for some, not all, of what is written
    else ASSERT_TRUE(tiny.makeReadOnly());

    SavingPlatform platform;
    platform.choice = {target.string(), c.fileType};
    Form f(&platform);
    Form_Load(f);
    parameter_LostFocus(f, 0);
    ASSERT_GT(dataFileText(f).size(), 4u * 1024) << "the file must not fit in the room left";
    File_Save_Click(f);

    EXPECT_EQ(contentOf(target), old);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find(target.string()), std::string::npos);
    const std::vector<std::string> expected =
        c.full ? std::vector<std::string>{"design.GYR", "filler"} : std::vector<std::string>{"design.GYR"};
    EXPECT_EQ(filesIn(tiny.dir()), expected) << "no temporary file may be left";
  }
}

}  // namespace
}  // namespace gyrenda
