// Feeds arbitrary bytes to the property-string reader, once for each kind of target (a `Value` of
// Int32, of Boolean, and none). A clean PropertyStringError is the expected answer to bad input;
// any other exception, a sanitizer report or a hang is a fault. Whatever the reader accepts must
// also come back byte for byte through the writer, so a reader that skipped or misread a byte
// would be caught even where it stays in bounds.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "framework/property_string.hpp"

namespace {

std::string WriteBack(const std::vector<framework::PropertyEntry>& entries) {
  framework::PropertyStringWriter writer;
  for (const framework::PropertyEntry& entry : entries) {
    std::visit(
        [&](const auto& value) {
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::int32_t>) {
            writer.Int32(entry.name, value);
          } else if constexpr (std::is_same_v<T, bool>) {
            writer.Boolean(entry.name, value);
          } else if constexpr (std::is_same_v<T, framework::Colour>) {
            writer.Colour(entry.name, value);
          } else {
            writer.String(entry.name, value);
          }
        },
        entry.value);
  }
  return writer.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<framework::PropertyType> value_types[] = {
      framework::PropertyType::Int32, framework::PropertyType::Boolean, std::nullopt};
  for (const std::optional<framework::PropertyType>& value_type : value_types) {
    try {
      const std::vector<framework::PropertyEntry> entries =
          framework::ReadPropertyString(bytes, value_type);
      if (WriteBack(entries) != bytes) {
        std::fputs("property string accepted but not written back byte for byte\n", stderr);
        std::abort();
      }
    } catch (const framework::PropertyStringError&) {
      // The documented answer to a malformed string.
    }
  }
  return 0;
}
