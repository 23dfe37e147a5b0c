#pragma once

// Property strings: the byte format in which every window and control is described.
//
// A string is a run of entries with nothing between them: the ASCII name, one blank, then the
// value, whose width follows from the name's type alone (no type tag is stored):
//   Int32    4 bytes, big-endian two's complement
//   Boolean  1 byte, 0 or 1
//   Colour   3 bytes, red green blue
//   String   4-byte big-endian byte count n, then n bytes of UTF-8
// `Value` is the one name whose type depends on the target: Int32 on a slider, Boolean on a
// check box.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/colour.hpp"
#include "framework/property_value.hpp"

namespace framework {

struct PropertyNameType {
  std::string_view name;
  PropertyType type;
};

// The type's name as diagnostics show it: "Int32", "Boolean", "colour", "String".
std::string_view PropertyTypeName(PropertyType type);

// Every name that a property string may hold, with its type: the names of every kind's table, each
// once, but `Value` twice, as Int32 and as Boolean.
std::span<const PropertyNameType> PropertyNameTypes();

// The type of a property name wherever it occurs; nullopt for `Value` (its type belongs to the
// target) and for names that no property string may hold.
std::optional<PropertyType> TypeOfPropertyName(std::string_view name);

// Raised for any string that is not well formed. The message names the byte offset at which the
// fault was found and the property name being read (empty if the name itself is at fault).
class PropertyStringError : public std::runtime_error {
 public:
  PropertyStringError(std::size_t offset, std::string property_name, const std::string& reason);

  std::size_t Offset() const { return m_offset; }
  const std::string& PropertyName() const { return m_property_name; }

 private:
  std::size_t m_offset;
  std::string m_property_name;
};

// What a property string is applied to: a window or a control.
class PropertyTarget {
 public:
  virtual ~PropertyTarget() = default;

  // The type of this target's `Value` property, or nullopt if it has none.
  virtual std::optional<PropertyType> ValueType() const = 0;

  // Stores one decoded entry. May throw (an unknown name for this target, for one).
  virtual void SetProperty(std::string_view name, const PropertyValue& value) = 0;
};

struct PropertyEntry {
  std::string name;
  PropertyValue value;

  friend bool operator==(const PropertyEntry&, const PropertyEntry&) = default;
};

// Decodes a whole string. `value_type` is the type of `Value` for the intended target (nullopt:
// the target has no `Value`). Throws PropertyStringError; never reads outside `bytes`.
std::vector<PropertyEntry> ReadPropertyString(std::string_view bytes,
                                              std::optional<PropertyType> value_type);

// Decodes `bytes` and hands every entry, in stored order, to `target`. The whole string is decoded
// before the first entry is set, so a malformed string changes nothing.
void ApplyPropertyString(std::string_view bytes, PropertyTarget& target);

// Builds a property string entry by entry. Each call checks that the name exists with that type
// (`Value` is accepted as Int32 or Boolean) and throws std::invalid_argument otherwise.
class PropertyStringWriter {
 public:
  PropertyStringWriter& Int32(std::string_view name, std::int32_t value);
  PropertyStringWriter& Boolean(std::string_view name, bool value);
  PropertyStringWriter& Colour(std::string_view name, framework::Colour value);
  PropertyStringWriter& String(std::string_view name, std::string_view utf8);
  // An entry of whatever type `value` holds.
  PropertyStringWriter& Entry(std::string_view name, const PropertyValue& value);

  const std::string& Bytes() const { return m_bytes; }

 private:
  void Name(std::string_view name, PropertyType type);
  std::string m_bytes;
};

}  // namespace framework
