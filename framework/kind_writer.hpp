#pragma once

// Writes the property string of one kind: every entry of the kind's table, in the table's order,
// with the kind's default unless it is set to another value. A name the kind does not hold, or a
// value of another type, does not compile.
//
//   KindWriter<kinds::Label> w({{prop::TabIndex, 3}, {prop::Text, "fps"}});  // constants
//   w.Set<prop::Left>(left);                                                  // run-time values
//   std::string bytes = w.Bytes();

#include <cstddef>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/property_kinds.hpp"
#include "framework/property_value.hpp"

namespace framework {

namespace kind_writer_detail {
// Not constexpr: reaching it while a setting is compiled stops the compiler here, and the error
// shows the call with the setting that the kind does not hold.
inline void PropertyNotHeldByThisKind() {}

template <class T>
consteval std::size_t IndexIn(const PropertyKind& kind, const PropertyName<T>& name) {
  const std::size_t index = kind.Find(name.text, name.kType);
  if (index == PropertyKind::kNotHeld) PropertyNotHeldByThisKind();
  return index;
}
}  // namespace kind_writer_detail

// One entry of `Kind` set to a constant; checked when it is compiled.
template <const PropertyKind& Kind>
class KindSetting {
 public:
  template <class T>
  consteval KindSetting(const PropertyName<T>& name, std::type_identity_t<ConstantOf<T>> value)
      : m_index(kind_writer_detail::IndexIn(Kind, name)), m_value(std::in_place_type<ConstantOf<T>>, value) {}

  std::size_t Index() const { return m_index; }
  const PropertyConstant& Value() const { return m_value; }

 private:
  std::size_t m_index;
  PropertyConstant m_value;
};

// The part that does not depend on the kind.
class KindStringWriter {
 public:
  explicit KindStringWriter(const PropertyKind& kind);
  // Every entry of the kind in its order: the value set last, or the default.
  std::string Bytes() const;

 protected:
  void SetAt(std::size_t index, PropertyValue value) { m_values[index] = std::move(value); }

 private:
  const PropertyKind& m_kind;
  std::vector<PropertyValue> m_values;
};

template <const PropertyKind& Kind>
class KindWriter : public KindStringWriter {
 public:
  KindWriter(std::initializer_list<KindSetting<Kind>> settings = {}) : KindStringWriter(Kind) {
    for (const KindSetting<Kind>& setting : settings) SetAt(setting.Index(), ValueOf(setting.Value()));
  }

  template <const auto& Name>
  KindWriter& Set(ConstantOf<typename std::remove_cvref_t<decltype(Name)>::Type> value) {
    // Found when the call is compiled, so that a run-time value costs no search of the table.
    constexpr std::size_t kIndex = Kind.Find(Name.text, Name.kType);
    static_assert(kIndex != PropertyKind::kNotHeld, "the kind holds no property of this name and type");
    using T = typename std::remove_cvref_t<decltype(Name)>::Type;
    SetAt(kIndex, PropertyValue(std::in_place_type<T>, value));
    return *this;
  }
};

}  // namespace framework
