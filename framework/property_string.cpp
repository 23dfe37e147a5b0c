#include "framework/property_string.hpp"

#include <array>
#include <cstdio>
#include <limits>
#include <type_traits>
#include <variant>

#include "framework/property_kinds.hpp"

namespace framework {

namespace {

// Whether the row is the first, over all kinds' tables, with its name and type.
constexpr bool IsFirstOccurrence(std::size_t kind_index, std::size_t row_index) {
  const PropertyRow& row = kinds::kAll[kind_index]->Entries()[row_index];
  for (std::size_t k = 0; k <= kind_index; ++k) {
    const std::span<const PropertyRow> rows = kinds::kAll[k]->Entries();
    const std::size_t end = k == kind_index ? row_index : rows.size();
    for (std::size_t i = 0; i < end; ++i) {
      if (rows[i].name == row.name && rows[i].Type() == row.Type()) return false;
    }
  }
  return true;
}

constexpr std::size_t CountNameTypes() {
  std::size_t count = 0;
  for (std::size_t k = 0; k < kinds::kAll.size(); ++k) {
    for (std::size_t i = 0; i < kinds::kAll[k]->Entries().size(); ++i) {
      if (IsFirstOccurrence(k, i)) ++count;
    }
  }
  return count;
}

// The names a property string may hold at all: every name of every kind's table with its type,
// each once, in the order in which they first occur.
constexpr auto kPropertyNameTypes = [] {
  std::array<PropertyNameType, CountNameTypes()> rows{};
  std::size_t at = 0;
  for (std::size_t k = 0; k < kinds::kAll.size(); ++k) {
    for (std::size_t i = 0; i < kinds::kAll[k]->Entries().size(); ++i) {
      const PropertyRow& row = kinds::kAll[k]->Entries()[i];
      if (IsFirstOccurrence(k, i)) rows[at++] = PropertyNameType{row.name, row.Type()};
    }
  }
  return rows;
}();

constexpr std::string_view kValueName = prop::SliderValue.text;

bool IsPropertyName(std::string_view name) {
  for (const PropertyNameType& row : kPropertyNameTypes) {
    if (row.name == name) return true;
  }
  return false;
}

// Bytes that came from outside may be anything; a message shows them as printable ASCII, escapes
// the rest and stops after a bounded length so that one bad string cannot flood a log.
std::string Quoted(std::string_view bytes) {
  constexpr std::size_t kMaxShown = 40;
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size() && i < kMaxShown; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      out += static_cast<char>(byte);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  if (bytes.size() > kMaxShown) out += "...";
  out += '"';
  return out;
}

std::string HexByte(unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

struct Utf8Fault {
  std::size_t index;  // of the first byte of the ill-formed sequence
  const char* reason;
};

// Checks well-formed UTF-8 as Unicode defines it: no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut short. The ranges of the second byte after E0, ED, F0 and F4 are what
// exclude overlongs, surrogates and code points beyond U+10FFFF.
std::optional<Utf8Fault> FindUtf8Fault(std::string_view text) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned char second_min = 0x80;
    unsigned char second_max = 0xBF;
    const char* second_reason = "missing continuation byte";
    if (lead < 0xC0) {
      return Utf8Fault{i, "continuation byte without a lead byte"};
    } else if (lead < 0xC2) {
      return Utf8Fault{i, "overlong two-byte sequence"};
    } else if (lead < 0xE0) {
      length = 2;
    } else if (lead < 0xF0) {
      length = 3;
      if (lead == 0xE0) {
        second_min = 0xA0;
        second_reason = "overlong three-byte sequence";
      } else if (lead == 0xED) {
        second_max = 0x9F;
        second_reason = "surrogate code point";
      }
    } else if (lead < 0xF5) {
      length = 4;
      if (lead == 0xF0) {
        second_min = 0x90;
        second_reason = "overlong four-byte sequence";
      } else if (lead == 0xF4) {
        second_max = 0x8F;
        second_reason = "code point beyond U+10FFFF";
      }
    } else {
      return Utf8Fault{i, "byte that never occurs in UTF-8 (code point beyond U+10FFFF)"};
    }
    if (size - i < length) return Utf8Fault{i, "sequence cut short by the end of the text"};
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < 0x80 || second > 0xBF) return Utf8Fault{i, "missing continuation byte"};
    if (second < second_min || second > second_max) return Utf8Fault{i, second_reason};
    for (std::size_t k = 2; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next < 0x80 || next > 0xBF) return Utf8Fault{i, "missing continuation byte"};
    }
    i += length;
  }
  return std::nullopt;
}

std::string ErrorMessage(std::size_t offset, const std::string& property_name,
                         const std::string& reason) {
  std::string message = "malformed property string at byte " + std::to_string(offset);
  if (!property_name.empty()) message += " (property \"" + property_name + "\")";
  message += ": " + reason;
  return message;
}

// Walks the string with one position that only ever moves forward, and checks every width against
// the bytes that remain before reading them, so no arithmetic on offsets can overflow.
class Reader {
 public:
  Reader(std::string_view bytes, std::optional<PropertyType> value_type)
      : m_bytes(bytes), m_value_type(value_type) {}

  std::vector<PropertyEntry> ReadAll() {
    std::vector<PropertyEntry> entries;
    while (m_position < m_bytes.size()) {
      const std::size_t name_offset = m_position;
      const std::string_view name = ReadName();
      const PropertyType type = TypeOf(name, name_offset);
      std::string owned_name(name);
      PropertyValue value = ReadValue(type, owned_name);
      entries.push_back(PropertyEntry{std::move(owned_name), std::move(value)});
    }
    return entries;
  }

 private:
  std::size_t Remaining() const { return m_bytes.size() - m_position; }

  std::string_view ReadName() {
    const std::size_t blank = m_bytes.find(' ', m_position);
    if (blank == std::string_view::npos) {
      throw PropertyStringError(m_position, "",
                                "property name " + Quoted(m_bytes.substr(m_position)) +
                                    " has no blank after it before the end of the string");
    }
    if (blank == m_position) throw PropertyStringError(m_position, "", "empty property name");
    const std::string_view name = m_bytes.substr(m_position, blank - m_position);
    m_position = blank + 1;
    return name;
  }

  PropertyType TypeOf(std::string_view name, std::size_t name_offset) const {
    if (name == kValueName) {
      if (!m_value_type) {
        throw PropertyStringError(name_offset, std::string(name),
                                  "the target has no Value property");
      }
      return *m_value_type;
    }
    const std::optional<PropertyType> type = TypeOfPropertyName(name);
    if (!type) {
      throw PropertyStringError(name_offset, "", "unknown property name " + Quoted(name));
    }
    return *type;
  }

  void Require(std::size_t width, PropertyType type, const std::string& name) const {
    if (Remaining() < width) {
      throw PropertyStringError(m_position, name,
                                std::string(PropertyTypeName(type)) + " value needs " +
                                    std::to_string(width) + (width == 1 ? " byte" : " bytes") +
                                    " but only " + std::to_string(Remaining()) + " remain");
    }
  }

  std::uint32_t ReadBigEndian32() {
    std::uint32_t result = 0;
    for (int k = 0; k < 4; ++k) {
      result = (result << 8) | static_cast<unsigned char>(m_bytes[m_position + k]);
    }
    m_position += 4;
    return result;
  }

  PropertyValue ReadValue(PropertyType type, const std::string& name) {
    switch (type) {
      case PropertyType::Int32: {
        Require(4, type, name);
        // Conversion of an out-of-range unsigned value to a signed type is modular in C++20,
        // which is exactly two's complement.
        return static_cast<std::int32_t>(ReadBigEndian32());
      }
      case PropertyType::Boolean: {
        Require(1, type, name);
        const auto byte = static_cast<unsigned char>(m_bytes[m_position]);
        if (byte > 1) {
          throw PropertyStringError(m_position, name,
                                    "Boolean byte " + HexByte(byte) + " is neither 0 nor 1");
        }
        ++m_position;
        return byte == 1;
      }
      case PropertyType::Colour: {
        Require(3, type, name);
        framework::Colour colour;
        colour.red = static_cast<std::uint8_t>(m_bytes[m_position]);
        colour.green = static_cast<std::uint8_t>(m_bytes[m_position + 1]);
        colour.blue = static_cast<std::uint8_t>(m_bytes[m_position + 2]);
        m_position += 3;
        return colour;
      }
      case PropertyType::String: {
        if (Remaining() < 4) {
          throw PropertyStringError(m_position, name,
                                    "String byte count needs 4 bytes but only " +
                                        std::to_string(Remaining()) + " remain");
        }
        const std::size_t count_offset = m_position;
        const std::uint32_t count = ReadBigEndian32();
        if (count > Remaining()) {
          throw PropertyStringError(count_offset, name,
                                    "String byte count " + std::to_string(count) + " exceeds the " +
                                        std::to_string(Remaining()) + " bytes that remain");
        }
        const std::string_view text = m_bytes.substr(m_position, count);
        if (const std::optional<Utf8Fault> fault = FindUtf8Fault(text)) {
          throw PropertyStringError(m_position + fault->index, name,
                                    std::string("invalid UTF-8 in String: ") + fault->reason);
        }
        m_position += count;
        return std::string(text);
      }
    }
    throw PropertyStringError(m_position, name, "property type out of range");
  }

  std::string_view m_bytes;
  std::optional<PropertyType> m_value_type;
  std::size_t m_position = 0;
};

}  // namespace

std::string_view PropertyTypeName(PropertyType type) {
  switch (type) {
    case PropertyType::Int32:
      return "Int32";
    case PropertyType::Boolean:
      return "Boolean";
    case PropertyType::Colour:
      return "colour";
    case PropertyType::String:
      return "String";
  }
  return "?";
}

std::span<const PropertyNameType> PropertyNameTypes() { return kPropertyNameTypes; }

std::optional<PropertyType> TypeOfPropertyName(std::string_view name) {
  if (name == kValueName) return std::nullopt;
  for (const PropertyNameType& row : kPropertyNameTypes) {
    if (row.name == name) return row.type;
  }
  return std::nullopt;
}

PropertyStringError::PropertyStringError(std::size_t offset, std::string property_name,
                                         const std::string& reason)
    : std::runtime_error(ErrorMessage(offset, property_name, reason)),
      m_offset(offset),
      m_property_name(std::move(property_name)) {}

std::vector<PropertyEntry> ReadPropertyString(std::string_view bytes,
                                              std::optional<PropertyType> value_type) {
  return Reader(bytes, value_type).ReadAll();
}

void ApplyPropertyString(std::string_view bytes, PropertyTarget& target) {
  const std::vector<PropertyEntry> entries = ReadPropertyString(bytes, target.ValueType());
  for (const PropertyEntry& entry : entries) target.SetProperty(entry.name, entry.value);
}

void PropertyStringWriter::Name(std::string_view name, PropertyType type) {
  const bool value_of_some_target =
      name == kValueName && (type == PropertyType::Int32 || type == PropertyType::Boolean);
  if (!value_of_some_target && TypeOfPropertyName(name) != type) {
    if (!IsPropertyName(name)) {
      throw std::invalid_argument("unknown property name \"" + std::string(name) + "\"");
    }
    throw std::invalid_argument("property \"" + std::string(name) + "\" is not of type " +
                                std::string(PropertyTypeName(type)));
  }
  m_bytes.append(name);
  m_bytes += ' ';
}

PropertyStringWriter& PropertyStringWriter::Int32(std::string_view name, std::int32_t value) {
  Name(name, PropertyType::Int32);
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) {
    m_bytes += static_cast<char>((bits >> shift) & 0xFF);
  }
  return *this;
}

PropertyStringWriter& PropertyStringWriter::Boolean(std::string_view name, bool value) {
  Name(name, PropertyType::Boolean);
  m_bytes += static_cast<char>(value ? 1 : 0);
  return *this;
}

PropertyStringWriter& PropertyStringWriter::Colour(std::string_view name, framework::Colour value) {
  Name(name, PropertyType::Colour);
  m_bytes += static_cast<char>(value.red);
  m_bytes += static_cast<char>(value.green);
  m_bytes += static_cast<char>(value.blue);
  return *this;
}

PropertyStringWriter& PropertyStringWriter::Entry(std::string_view name, const PropertyValue& value) {
  std::visit(
      [this, name](const auto& typed) {
        using T = std::decay_t<decltype(typed)>;
        if constexpr (std::is_same_v<T, std::int32_t>) {
          Int32(name, typed);
        } else if constexpr (std::is_same_v<T, bool>) {
          Boolean(name, typed);
        } else if constexpr (std::is_same_v<T, framework::Colour>) {
          Colour(name, typed);
        } else {
          String(name, typed);
        }
      },
      value);
  return *this;
}

PropertyStringWriter& PropertyStringWriter::String(std::string_view name, std::string_view utf8) {
  // Checked before anything is appended, so a rejected call leaves the bytes as they were; and a
  // string that the reader would refuse is never written.
  if (utf8.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::invalid_argument("String value of \"" + std::string(name) +
                                "\" is longer than a 4-byte count can hold");
  }
  if (const std::optional<Utf8Fault> fault = FindUtf8Fault(utf8)) {
    throw std::invalid_argument("String value of \"" + std::string(name) +
                                "\" is not valid UTF-8 at byte " + std::to_string(fault->index) +
                                ": " + fault->reason);
  }
  Name(name, PropertyType::String);
  const auto count = static_cast<std::uint32_t>(utf8.size());
  for (int shift = 24; shift >= 0; shift -= 8) {
    m_bytes += static_cast<char>((count >> shift) & 0xFF);
  }
  m_bytes.append(utf8);
  return *this;
}

}  // namespace framework
