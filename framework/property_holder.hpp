#pragma once

// The storage behind every window and control: named, typed property values.
//
// An object holds the properties of its kind's table (property_kinds.hpp), each starting at the
// table's default. A property string can set exactly the names of that table; any other name
// raises. Code reads and writes through the typed accessors of each class, which land here. A
// setter stores and notifies only on a real change.

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "framework/name_index.hpp"
#include "framework/property_kinds.hpp"
#include "framework/property_string.hpp"

namespace framework {

class PropertyHolder : public PropertyTarget {
 public:
  // Holds every property of `kind`, each at its default.
  explicit PropertyHolder(const PropertyKind& kind);
  PropertyHolder(const PropertyHolder&) = delete;
  PropertyHolder& operator=(const PropertyHolder&) = delete;
  ~PropertyHolder() override = default;

  const PropertyKind& Kind() const { return m_kind; }

  bool HasProperty(std::string_view name) const;
  template <class T>
  bool HasProperty(const PropertyName<T>& name) const {
    return HasProperty(name.text);
  }

  // The stored value of any property of this class; NilObjectException for a name it lacks.
  const PropertyValue& Property(std::string_view name) const;

  // PropertyTarget: `Value` takes the type this class defines for it, if any.
  std::optional<PropertyType> ValueType() const override;
  // Sets a property by name; NilObjectException for a name the class lacks, IllegalCastException
  // for a value of the wrong type.
  void SetProperty(std::string_view name, const PropertyValue& value) override;

  // How diagnostics name this object: its class, and its name where it has one.
  virtual std::string Description() const;

 protected:
  template <class T>
  const T& Get(const PropertyName<T>& name) const {
    return std::get<T>(Property(name.text));
  }

  // Stores `value` under `name`; on a real change calls PropertyChanged and returns true.
  bool Set(std::string_view name, PropertyValue value);
  template <class T>
  bool Set(const PropertyName<T>& name, std::type_identity_t<T> value) {
    return Set(name.text, PropertyValue(std::in_place_type<T>, std::move(value)));
  }

  // Runs after a property really changed, whether code or a property string changed it.
  virtual void PropertyChanged(std::string_view name) = 0;

  // Runs before a value is stored, whether code or a property string sets it, and gives the value
  // to store: a class may adjust it (a slider keeps Value in its range) or raise RuntimeException
  // for a value it cannot hold. The value has the property's type. Keeps the value by default.
  virtual PropertyValue CheckedValue(std::string_view name, PropertyValue value) const;

  // True while SetProperties applies a property string to this object. Properties that constrain
  // each other (a slider's Minimum, Value and Maximum) wait for the whole string, since the order
  // of its entries is fixed by the format, not by what the class needs.
  bool ApplyingPropertyString() const { return m_applying_string; }
  // Run by SetProperties before the first entry is set and after the last one (also when an
  // entry raised), both while ApplyingPropertyString() is true.
  virtual void PropertyStringBegins() {}
  virtual void PropertyStringApplied() {}

 private:
  friend void SetProperties(PropertyTarget& target, std::string_view properties);

  [[noreturn]] void ThrowNoProperty(std::string_view name) const;

  const PropertyKind& m_kind;

  // Accessors read properties by name on every frame: a lookup costs one hash of the name.
  NameIndex<PropertyValue> m_values;
  bool m_applying_string = false;
};

// Applies a property string to a window or a control (the framework's mass property setter).
void SetProperties(PropertyTarget& target, std::string_view properties);

}  // namespace framework
