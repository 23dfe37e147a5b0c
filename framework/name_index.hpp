#pragma once

// A table keyed by name that a std::string_view (the literal in an accessor) looks up directly:
// one hash of the name, without building a std::string and without comparing it with every name
// the table holds.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace framework {

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const noexcept { return std::hash<std::string_view>{}(name); }
};

template <class T>
using NameIndex = std::unordered_map<std::string, T, NameHash, std::equal_to<>>;

}  // namespace framework
