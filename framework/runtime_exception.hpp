#pragma once

// The exceptions the framework raises instead of crashing: a lookup that finds nothing, an object
// that is gone, a cast to the wrong class, an index outside a collection.

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace framework {

class RuntimeException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A name that nothing carries, or an object that no longer exists.
class NilObjectException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// An object used as a class it does not belong to.
class IllegalCastException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// An index outside a collection.
class OutOfBoundsException : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
};

// The printable name of an object's dynamic class, for diagnostics.
std::string ClassNameOf(const std::type_info& type);

// Checked casts: the object as class T, or IllegalCastException naming both classes.
// (Only for objects of a class hierarchy: a std::shared_ptr goes to the overload below.)
template <class T, class U>
  requires std::is_polymorphic_v<U>
T& RuntimeCheckCast(U& object) {
  if (auto* cast = dynamic_cast<T*>(&object)) return *cast;
  throw IllegalCastException("an object of class " + ClassNameOf(typeid(object)) +
                             " is not a " + ClassNameOf(typeid(T)));
}

template <class T, class U>
std::shared_ptr<T> RuntimeCheckCast(const std::shared_ptr<U>& object) {
  if (!object) throw NilObjectException("cast of no object to " + ClassNameOf(typeid(T)));
  if (auto cast = std::dynamic_pointer_cast<T>(object)) return cast;
  throw IllegalCastException("an object of class " + ClassNameOf(typeid(*object)) +
                             " is not a " + ClassNameOf(typeid(T)));
}

}  // namespace framework
