// Reading a design from a data file: the forms accepted and refused (the fixtures are read
// through the load command), and a bounded read of any stream.
#include <gtest/gtest.h>

#include <sstream>

#include "files/data_file_reader.h"

namespace gyrenda {
namespace {

const ParamSet kDefaultDesign{18, 36, 36, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};

TEST(DataFileReader, TakesTheFirstThirteenNumbersInAnyLayoutAndRefusesAnythingElse) {
  const std::string tail = ",31,72,0,50,100,30,20,55,150,55\r\n";
  const std::pair<std::string, bool> cases[] = {
      {"\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,0,0,.5", true},
      {"\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55", true},
      {"  \"Gyrenda\" \r\n\r\n 18 ,\t36, 36" + tail, true},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", true},
      {"", false},
      {"\"GYRENDA\"\r\n18,36,36" + tail, false},
      {"\"Gyrenda\"x\r\n18,36,36" + tail, false},
      {"\"Gyrenda\r\n18,36,36" + tail, false},
      {"\"Gyrenda\"\r\n18,36,36x" + tail, false},
      {"\"Gyrenda\"\r\n18,36,inf" + tail, false},
      {"\"Gyrenda\"\r\n18,36,nan" + tail, false},
      {"\"Gyrenda\"\r\n18,36,-1e39" + tail, false},
      {"\"Gyrenda\"\r\n18,36,  " + tail, false},
      {"\"Gyrenda\"\r\n18,36,\"36\"" + tail, false},
      {"\"Gyrenda\"\r\n18,36,36,31,7", false},
  };
  for (const auto& [text, accepted] : cases) {
    SCOPED_TRACE(text);
    std::istringstream in(text);
    EXPECT_EQ(readDataFileParams(in), accepted ? std::optional(kDefaultDesign) : std::nullopt);
  }
}

TEST(DataFileReader, ReadsABoundedAmountOfALongHostileFile) {
  const std::string header = "\"Gyrenda\"\r\n", megabyte(1 << 20, ' ');
  std::string garbage = header + megabyte;
  for (std::size_t k = header.size(); k < garbage.size(); ++k)
    garbage[k] = static_cast<char>((k * 2654435761u) >> 13);
  const auto fill = [&](char c) { return std::string(megabyte.size(), c); };
  const std::pair<std::string, bool> cases[] = {
      {header + "18,36,36,31,72,0,50,100,30,20,55,150,55," + fill('0'), true},
      {header + fill('7'), false}, {header + megabyte, false}, {"\"Gyrenda\"" + megabyte, false},
      {header + "18" + megabyte, false}, {header + fill('\n'), false}, {header + fill(','), false},
      {fill('G'), false}, {"\"" + fill('G'), false}, {garbage, false},
  };
  for (const auto& [text, accepted] : cases) {
    SCOPED_TRACE(text.substr(0, 20));
    std::istringstream in(text);
    EXPECT_EQ(readDataFileParams(in), accepted ? std::optional(kDefaultDesign) : std::nullopt);
    in.clear();
    EXPECT_LE(in.tellg(), accepted ? 64 : 64 << 10);
  }
}

}  // namespace
}  // namespace gyrenda
