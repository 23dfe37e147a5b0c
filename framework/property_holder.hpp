#pragma once

// The storage behind every window and control: named, typed property values.
//
// Each class defines its own properties in its constructor, base class first, so a class's table
// is its base's table plus its own names. A property string can set exactly the names of the
// target's table; any other name raises. Code reads and writes through the typed accessors of
// each class, which land here. A setter stores and notifies only on a real change.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/name_index.hpp"
#include "framework/property_string.hpp"

namespace framework {

class PropertyHolder : public PropertyTarget {
 public:
  PropertyHolder() = default;
  PropertyHolder(const PropertyHolder&) = delete;
  PropertyHolder& operator=(const PropertyHolder&) = delete;
  ~PropertyHolder() override = default;

  bool HasProperty(std::string_view name) const;

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
  // Adds a property with its initial value (its type is the value's type).
  void Define(std::string_view name, PropertyValue initial);

  template <class T>
  const T& Get(std::string_view name) const {
    return std::get<T>(Property(name));
  }

  // Stores `value` under `name`; on a real change calls PropertyChanged and returns true.
  bool Set(std::string_view name, PropertyValue value);

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

  // Accessors read properties by name on every frame: a lookup costs one hash of the name.
  NameIndex<PropertyValue> m_values;
  bool m_applying_string = false;
};

// Applies a property string to a window or a control (the framework's mass property setter).
void SetProperties(PropertyTarget& target, std::string_view properties);

}  // namespace framework
