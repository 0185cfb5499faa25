// Reading a design from a data file: the forms accepted and refused (the fixtures are read
// through the load command), and a bounded read of any stream.
#include <gtest/gtest.h>

#include <sstream>

#include "files/data_file_reader.h"

namespace gyrenda {
namespace {

// A case accepted gives the default design with its third parameter as given.
std::optional<ParamSet> design(std::optional<float> third) {
  if (!third) return std::nullopt;
  return ParamSet{18, 36, *third, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
}

TEST(DataFileReader, TakesTheFirstThirteenNumbersInAnyDecimalFormAndRefusesAnythingElse) {
  const std::string head = "\"Gyrenda\"\r\n18,36,", tail = ",31,72,0,50,100,30,20,55,150,55\r\n";
  const std::pair<std::string, std::optional<float>> cases[] = {
      {"\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,0,0,.5", 36},
      {"\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55", 36},
      {"  \"Gyrenda\" \r\n\r\n 18 ,\t36, 36" + tail, 36},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", 36},
      {"\xEF\xBB\xBF\"Gyrenda\"\r\n18,36,36" + tail, 36},
      {head + "1e-400" + tail, 0}, {head + "-1e-400" + tail, 0}, {head + ".25E-1" + tail, 0.025f},
      {head + "1e39" + tail, 30000}, {head + "-1e39" + tail, -30000}, {head + "1E400" + tail, 30000},
      {head + "-4e+999999" + tail, -30000}, {head + "1e38" + tail, 1e38f},
      {"", std::nullopt}, {"\xEF\xBB\"Gyrenda\"\r\n18,36,36" + tail, std::nullopt},
      {"\"GYRENDA\"\r\n18,36,36" + tail, std::nullopt}, {"\"Gyrenda\"x\r\n18,36,36" + tail, std::nullopt},
      {"\"Gyrenda\r\n18,36,36" + tail, std::nullopt}, {head + "36x" + tail, std::nullopt},
      {head + "inf" + tail, std::nullopt}, {head + "nan" + tail, std::nullopt},
      {head + "1e" + tail, std::nullopt}, {head + "0x10" + tail, std::nullopt},
      {head + "  " + tail, std::nullopt}, {head + "\"36\"" + tail, std::nullopt},
      {"\"Gyrenda\"\r\n18,36,36,31,7", std::nullopt},
  };
  for (const auto& [text, third] : cases) {
    SCOPED_TRACE(text);
    std::istringstream in(text);
    EXPECT_EQ(readDataFileParams(in), design(third));
  }
}

TEST(DataFileReader, ReadsABoundedAmountOfALongHostileFile) {
  const std::string header = "\"Gyrenda\"\r\n", megabyte(1 << 20, ' ');
  const auto fill = [&](char c) { return std::string(megabyte.size(), c); };
  const std::pair<std::string, bool> cases[] = {
      {header + "18,36,36,31,72,0,50,100,30,20,55,150,55," + fill('0'), true},
      {header + fill('7'), false}, {header + megabyte, false}, {"\"Gyrenda\"" + megabyte, false},
      {header + fill('\n'), false}, {header + fill(','), false}, {"\"" + fill('G'), false},
  };
  for (const auto& [text, accepted] : cases) {
    std::istringstream in(text);
    EXPECT_EQ(readDataFileParams(in), design(accepted ? std::optional(36.0f) : std::nullopt));
    in.clear();
    EXPECT_LE(in.tellg(), accepted ? 64 : 64 << 10);
  }
}

}  // namespace
}  // namespace gyrenda
