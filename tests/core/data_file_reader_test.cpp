// Reading the design back from a numeric data file: what is accepted, what is refused, and
// that no file, however long or strange, makes the reader take more than a little of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include <unistd.h>

#include "files/data_file_reader.h"

namespace gyrenda {
namespace {

namespace fs = std::filesystem;

// The design held by the load_ fixtures (the clean one was written by the save command).
const ParamSet kFixtureDesign{18, 36, 36, 31, 72, 0.5f, 50, 100, -30, 20, 55, 150, 55};
const ParamSet kDefaultDesign{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};

std::string fixturePath(const std::string& name) {
  return std::string(GYRENDA_TEST_DATA_DIR) + "/" + name;
}

std::optional<ParamSet> readText(const std::string& text) {
  std::istringstream in(text);
  return readDataFileParams(in);
}

TEST(DataFileReader, Fixtures) {
  struct Case {
    const char* file;
    std::optional<ParamSet> expected;
  };
  const Case cases[] = {
      {"load_clean.GYR", kFixtureDesign},
      {"load_unquoted_header.GYR", kFixtureDesign},
      {"load_hand_edited.GYR", kFixtureDesign},
      {"load_lowercase_header.GYR", std::nullopt},
      {"load_number_first.GYR", std::nullopt},
      {"load_twelve_numbers.GYR", std::nullopt},
      {"load_ends_early.GYR", std::nullopt},
      {"load_word_in_parameters.GYR", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::ifstream in(fixturePath(c.file), std::ios::binary);
    ASSERT_TRUE(in.is_open());
    EXPECT_EQ(readDataFileParams(in), c.expected);
  }
}

TEST(DataFileReader, AcceptsAnyLayoutOfTheThirteenNumbers) {
  struct Case {
    const char* layout;
    const char* text;
  };
  const Case cases[] = {
      {"as written", "\"Gyrenda\"\r\n18,36,36,31,72,0,50,100,30,20,55,150,55\r\n0,0,0\r\n"},
      {"no line end at all",
       "\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,0,0,.5,0,0"},
      {"spread over lines", "\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55"},
      {"LF line ends, blanks and tabs around fields",
       "  \"Gyrenda\" \n 18 ,\t36, 36,31,72,0,50,100,30,20,55,150,55 \n"},
      {"a blank line after the header", "\"Gyrenda\"\r\n\r\n18,36,36,31,72,0,50,100,30,20,55,150,55"},
      {"other number forms", "Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    EXPECT_EQ(readText(c.text), kDefaultDesign);
  }
}

TEST(DataFileReader, RefusesWhatIsNotADesign) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"empty file", ""},
      {"header only", "\"Gyrenda\"\r\n"},
      {"header in capitals", "\"GYRENDA\"\r\n18,36,36,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"longer keyword", "\"Gyrenda2\"\r\n18,36,36,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"text after the closing quote", "\"Gyrenda\"x\r\n18,36,36,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"word as a number", "\"Gyrenda\"\r\n18,36,abc,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"number followed by text", "\"Gyrenda\"\r\n18,36,36x,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"infinity", "\"Gyrenda\"\r\n18,36,inf,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"not a number", "\"Gyrenda\"\r\n18,36,nan,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"beyond single precision", "\"Gyrenda\"\r\n18,36,1e39,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"beyond single precision, negative",
       "\"Gyrenda\"\r\n18,36,-1e39,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"empty field", "\"Gyrenda\"\r\n18,36,,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"blank field", "\"Gyrenda\"\r\n18,36,  ,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"quoted number", "\"Gyrenda\"\r\n18,36,\"36\",31,72,0,50,100,30,20,55,150,55\r\n"},
      {"only twelve numbers", "\"Gyrenda\"\r\n18,36,36,31,72,0,50,100,30,20,55,150\r\n"},
      {"ends in the middle of line 2", "\"Gyrenda\"\r\n18,36,36,31,7"},
      {"header never closed", "\"Gyrenda\r\n18,36,36,31,72,0,50,100,30,20,55,150,55\r\n"},
      {"NUL inside a number", "\"Gyrenda\"\r\n18,3\0006,36,31,72,0,50,100,30,20,55,150,55\r\n"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(readText(c.text), std::nullopt);
  }
}

// A stream made up on the fly, byte by byte, up to `limit` bytes: `prefix` and then the
// bytes `body` returns for their position. It counts the bytes the reader has taken.
class GeneratedStream : public std::streambuf {
 public:
  GeneratedStream(std::string prefix, std::function<char(std::size_t)> body, std::size_t limit)
      : prefix_(std::move(prefix)), body_(std::move(body)), limit_(limit) {}
  std::size_t taken() const { return served_ - static_cast<std::size_t>(egptr() - gptr()); }

 protected:
  int_type underflow() override {
    if (served_ >= limit_) return traits_type::eof();
    current_ = served_ < prefix_.size() ? prefix_[served_] : body_(served_ - prefix_.size());
    ++served_;
    setg(&current_, &current_, &current_ + 1);
    return traits_type::to_int_type(current_);
  }

 private:
  std::string prefix_;
  std::function<char(std::size_t)> body_;
  std::size_t limit_;
  std::size_t served_ = 0;
  char current_ = 0;
};

char garbage(std::size_t k) {
  std::uint64_t x = (k + 1) * 0x9E3779B97F4A7C15ull;
  x ^= x >> 29;
  return static_cast<char>(x * 0xBF58476D1CE4E5B9ull >> 56);
}

TEST(DataFileReader, ReadsABoundedAmountOfAHostileStream) {
  constexpr std::size_t kStreamLength = 16u << 20;
  constexpr std::size_t kMostTaken = 64u << 10;
  const std::string header = "\"Gyrenda\"\r\n";
  struct Case {
    const char* what;
    std::string prefix;
    std::function<char(std::size_t)> body;
  };
  const Case cases[] = {
      {"digits without a line end", header, [](std::size_t) { return '7'; }},
      {"blanks after the header", header, [](std::size_t) { return ' '; }},
      {"blanks after a closing quote", "\"Gyrenda\"", [](std::size_t) { return ' '; }},
      {"blanks before anything", "", [](std::size_t) { return ' '; }},
      {"blanks after a number", header + "18", [](std::size_t) { return ' '; }},
      {"line ends after the header", header, [](std::size_t) { return '\n'; }},
      {"commas after the header", header, [](std::size_t) { return ','; }},
      {"a header that never ends", "", [](std::size_t) { return 'G'; }},
      {"a quoted header that is never closed", "\"", [](std::size_t) { return 'G'; }},
      {"binary garbage", "", &garbage},
      {"binary garbage after the header", header, &garbage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GeneratedStream source(c.prefix, c.body, kStreamLength);
    std::istream in(&source);
    EXPECT_EQ(readDataFileParams(in), std::nullopt);
    EXPECT_LE(source.taken(), kMostTaken);
  }
}

TEST(DataFileReader, ReadsOnlyTheStartOfALongFileWithoutLineEnds) {
  const fs::path path = fs::temp_directory_path() / ("gyrenda_reader_" + std::to_string(::getpid()));
  struct Case {
    const char* what;
    std::string start;
    char filler;
    std::optional<ParamSet> expected;
  };
  const Case cases[] = {
      {"a design followed by megabytes of rows", "\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,",
       '0', kDefaultDesign},
      {"megabytes of digits", "\"Gyrenda\",", '1', std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    {
      std::ofstream out(path, std::ios::binary);
      out << c.start << std::string(8u << 20, c.filler);
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(readDataFileParams(in), c.expected);
    in.clear();
    EXPECT_LE(static_cast<long long>(in.tellg()), 4096);
  }
  fs::remove(path);
}

}  // namespace
}  // namespace gyrenda
