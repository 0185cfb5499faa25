// Numbers in the values of gyrenda-cli's options: the whole text one number in C form (no
// blanks, no leading '+'), within [least, most]; none for anything else, NaN included.
#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace gyrenda {

inline std::optional<double> realNumber(std::string_view s, double least, double most) {
  double v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || !(v >= least && v <= most))
    return std::nullopt;
  return v;
}

template <typename T>
std::optional<T> wholeNumber(std::string_view s, T least, T most) {
  T v{};
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size() || v < least || v > most)
    return std::nullopt;
  return v;
}

}  // namespace gyrenda
