#pragma once

// The four types a property can have, a stored value, and the typed name of a property.
//
// A PropertyName<T> carries its type in the C++ type, so code that reads or writes a property
// through one cannot pick the wrong type, and a misspelt name does not compile.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "framework/colour.hpp"

namespace framework {

enum class PropertyType { Int32, Boolean, Colour, String };

// The alternatives are in the order of PropertyType.
using PropertyValue = std::variant<std::int32_t, bool, Colour, std::string>;

// A value fixed when the program is built (a class's default, a layout's setting): a String is a
// view of a constant. The alternatives are in the order of PropertyType.
using PropertyConstant = std::variant<std::int32_t, bool, Colour, std::string_view>;

template <class T>
inline constexpr PropertyType kPropertyTypeOf = PropertyType::String;
template <>
inline constexpr PropertyType kPropertyTypeOf<std::int32_t> = PropertyType::Int32;
template <>
inline constexpr PropertyType kPropertyTypeOf<bool> = PropertyType::Boolean;
template <>
inline constexpr PropertyType kPropertyTypeOf<Colour> = PropertyType::Colour;

// How a constant of a property of type T is written.
template <class T>
using ConstantOf = std::conditional_t<std::is_same_v<T, std::string>, std::string_view, T>;

template <class T>
struct PropertyName {
  using Type = T;
  static constexpr PropertyType kType = kPropertyTypeOf<T>;

  std::string_view text;

  friend constexpr bool operator==(const PropertyName& name, std::string_view other) {
    return name.text == other;
  }
};

inline PropertyValue ValueOf(const PropertyConstant& constant) {
  return std::visit(
      [](const auto& value) -> PropertyValue {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string_view>) {
          return std::string(value);
        } else {
          return value;
        }
      },
      constant);
}

}  // namespace framework
