#pragma once
// Reading a whole text as one number, with nothing before or after it: the
// simulator's options and its ground-truth file are strict, unlike the
// logger's lenient fields.
#include <charconv>
#include <optional>
#include <string_view>

namespace quarvel::simulatore {

template <typename T>
std::optional<T> NumeroEsatto(std::string_view testo) {
  T valore{};
  const char* fine = testo.data() + testo.size();
  const auto [p, ec] = std::from_chars(testo.data(), fine, valore);
  if (testo.empty() || ec != std::errc() || p != fine) return std::nullopt;
  return valore;
}

}  // namespace quarvel::simulatore
