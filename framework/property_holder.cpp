#include "framework/property_holder.hpp"

#include <typeinfo>
#include <utility>

#include "framework/runtime_exception.hpp"
#include "framework/scoped_assignment.hpp"

namespace framework {

namespace {

// The variant's alternatives are declared in the order of PropertyType.
PropertyType TypeOf(const PropertyValue& value) { return static_cast<PropertyType>(value.index()); }

}  // namespace

PropertyHolder::PropertyHolder(const PropertyKind& kind) : m_kind(kind) {
  for (const PropertyRow& row : kind.Entries()) {
    // A name twice in one table would silently replace the first default: a fault of the table.
    if (!m_values.emplace(std::string(row.name), ValueOf(row.initial)).second) {
      throw RuntimeException("the property \"" + std::string(row.name) + "\" is twice in the table of " +
                             std::string(kind.Name()));
    }
  }
}

bool PropertyHolder::HasProperty(std::string_view name) const {
  return m_values.find(name) != m_values.end();
}

const PropertyValue& PropertyHolder::Property(std::string_view name) const {
  auto found = m_values.find(name);
  if (found == m_values.end()) ThrowNoProperty(name);
  return found->second;
}

std::optional<PropertyType> PropertyHolder::ValueType() const { return m_kind.ValueType(); }

void PropertyHolder::SetProperty(std::string_view name, const PropertyValue& value) { Set(name, value); }

std::string PropertyHolder::Description() const { return ClassNameOf(typeid(*this)); }

bool PropertyHolder::Set(std::string_view name, PropertyValue value) {
  auto found = m_values.find(name);
  if (found == m_values.end()) ThrowNoProperty(name);
  if (value.index() != found->second.index()) {
    throw IllegalCastException("the property \"" + found->first + "\" of " + Description() + " is " +
                               std::string(PropertyTypeName(TypeOf(found->second))) + ", not " +
                               std::string(PropertyTypeName(TypeOf(value))));
  }
  value = CheckedValue(found->first, std::move(value));
  if (value == found->second) return false;
  found->second = std::move(value);
  // The map's own key: it outlives whatever the caller's name pointed into.
  PropertyChanged(found->first);
  return true;
}

PropertyValue PropertyHolder::CheckedValue(std::string_view, PropertyValue value) const { return value; }

void PropertyHolder::ThrowNoProperty(std::string_view name) const {
  throw NilObjectException(Description() + " has no property named \"" + std::string(name) + "\"");
}

void SetProperties(PropertyTarget& target, std::string_view properties) {
  auto* holder = dynamic_cast<PropertyHolder*>(&target);
  if (holder == nullptr) {
    ApplyPropertyString(properties, target);
    return;
  }
  // Put back afterwards, so that a string applied from within another one's hooks cannot end the
  // outer string's batch early.
  const ScopedAssignment applying(holder->m_applying_string, true);
  try {
    holder->PropertyStringBegins();
    ApplyPropertyString(properties, target);
  } catch (...) {
    // The entries set before the fault stay set, so the object must still be made consistent.
    // The fault in the string is the one to report, not a second one it set off.
    try {
      holder->PropertyStringApplied();
    } catch (...) {
    }
    throw;
  }
  holder->PropertyStringApplied();
}

}  // namespace framework
