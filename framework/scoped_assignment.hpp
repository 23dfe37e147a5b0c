#pragma once

// Gives a variable a value for the length of a scope and puts the earlier value back when the scope
// ends, however it ends: a handler that throws, or a nested use of the same variable, leaves it as
// it found it.

#include <utility>

namespace framework {

template <class T>
class ScopedAssignment {
 public:
  ScopedAssignment(T& variable, T value)
      : m_variable(variable), m_earlier(std::exchange(variable, std::move(value))) {}
  ~ScopedAssignment() { m_variable = std::move(m_earlier); }
  ScopedAssignment(const ScopedAssignment&) = delete;
  ScopedAssignment& operator=(const ScopedAssignment&) = delete;

 private:
  T& m_variable;
  T m_earlier;
};

}  // namespace framework
