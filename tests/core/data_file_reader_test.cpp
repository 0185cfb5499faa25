// Reading a design from a data file: the forms accepted and refused (the fixtures are read
// through the load command), and a bounded read of any stream.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "files/data_file_reader.h"

namespace gyrenda {
namespace {

TEST(DataFileReader, TakesTheFirstThirteenNumbersInAnyDecimalFormAndReadsABoundedAmount) {
  const std::string head = "\"Gyrenda\"\r\n18,36,", tail = ",31,72,0,50,100,30,20,55,150,55\r\n";
  const auto mb = [](char c) { return std::string(1 << 20, c); };
  const float no = NAN;  // refused; an accepted case gives the defaults with the third value shown
  const std::pair<std::string, float> cases[] = {
      {"\"Gyrenda\",18,36,36,31,72,0,50,100,30,20,55,150,55,0,0,0,.5", 36},
      {"\"Gyrenda\"\n18,36,36\n31,72,0,50\r\n100,30\r20,55,150\n55", 36},
      {"  \"Gyrenda\" \r\n\r\n 18 ,\t36, 36" + tail, 36}, {"\xEF\xBB\xBF" + head + "36" + tail, 36},
      {"Gyrenda\r\n1.8e1,36.0,+36,3.1E+1,720e-1,-0,5e1,100,30,20,55,150,55", 36},
      {head + "1e-400" + tail, 0}, {head + "-1e-400" + tail, 0}, {head + ".25E-1" + tail, 0.025f},
      {head + "1e39" + tail, 30000}, {head + "-1e39" + tail, -30000}, {head + "1E400" + tail, 30000},
      {head + "-4e+999999" + tail, -30000}, {head + "1e38" + tail, 1e38f}, {head + "36" + tail + mb('0'), 36},
      {"", no}, {"\xEF\xBB" + head + "36" + tail, no}, {"\"GYRENDA\"\r\n18,36,36" + tail, no},
      {"\"Gyrenda\"x\r\n18,36,36" + tail, no}, {"\"Gyrenda\r\n18,36,36" + tail, no},
      {head + "36x" + tail, no}, {head + "inf" + tail, no}, {head + "nan" + tail, no},
      {head + "1e" + tail, no}, {head + "0x10" + tail, no}, {head + "  " + tail, no},
      {head + "\"36\"" + tail, no}, {"\"Gyrenda\"\r\n18,36,36,31,7", no}, {head + mb('7'), no},
      {head + mb(' '), no}, {"\"Gyrenda\"" + mb(' '), no}, {head + mb('\n'), no},
      {head + mb(','), no}, {"\"" + mb('G'), no},
  };
  for (const auto& [text, third] : cases) {
    SCOPED_TRACE(text.substr(0, 60));
    std::istringstream in(text);
    const ParamSet design{18, 36, third, 31, 72, 0, 50, 100, 30, 20, 55, 150, 55};
    EXPECT_EQ(readDataFileParams(in), std::isnan(third) ? std::nullopt : std::optional(design));
    in.clear();
    EXPECT_LE(in.tellg(), std::isnan(third) ? 64 << 10 : 80);
  }
}

}  // namespace
}  // namespace gyrenda
