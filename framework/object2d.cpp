#include "framework/object2d.hpp"

#include <string>

#include "framework/runtime_exception.hpp"

namespace framework {

namespace {

[[noreturn]] void ThrowIndex(std::string_view operation, std::int32_t index, std::int32_t count,
                             std::string_view allowed) {
  throw OutOfBoundsException("Group2D::" + std::string(operation) + ": index " + std::to_string(index) +
                             " is outside " + std::string(allowed) + " (the group holds " +
                             std::to_string(count) + ")");
}

}  // namespace

void Group2D::Append(std::shared_ptr<Object2D> shape) {
  CheckMember(shape);
  Counted(*shape, +1);
  m_members.push_back(std::move(shape));
}

void Group2D::Insert(std::int32_t index, std::shared_ptr<Object2D> shape) {
  if (index < 0 || index > Count()) ThrowIndex("Insert", index, Count(), "0 to the count");
  CheckMember(shape);
  Counted(*shape, +1);
  m_members.insert(m_members.begin() + index, std::move(shape));
}

void Group2D::Remove(std::int32_t index) {
  if (index < 0 || index >= Count()) ThrowIndex("Remove", index, Count(), "the members");
  Counted(*m_members[static_cast<std::size_t>(index)], -1);
  m_members.erase(m_members.begin() + index);
}

void Group2D::Replace(std::int32_t index, std::shared_ptr<Object2D> shape) {
  if (index < 0 || index >= Count()) ThrowIndex("Replace", index, Count(), "the members");
  CheckMember(shape);
  std::shared_ptr<Object2D>& slot = m_members[static_cast<std::size_t>(index)];
  Counted(*slot, -1);
  Counted(*shape, +1);
  slot = std::move(shape);
}

void Group2D::Counted(const Object2D& member, std::int32_t change) {
  if (dynamic_cast<const Group2D*>(&member) != nullptr) m_group_members += change;
}

const std::shared_ptr<Object2D>& Group2D::Item(std::int32_t index) const {
  if (index < 0 || index >= Count()) ThrowIndex("Item", index, Count(), "the members");
  return m_members[static_cast<std::size_t>(index)];
}

void Group2D::CheckMember(const std::shared_ptr<Object2D>& shape) const {
  if (!shape) throw RuntimeException("Group2D: a group cannot hold no shape");
  // A group inside itself would make drawing it recurse without end. Groups may share members,
  // so the walk looks at every path below the new member.
  if (shape.get() == this) throw RuntimeException("Group2D: a group cannot hold itself");
  if (const auto* group = dynamic_cast<const Group2D*>(shape.get()); group != nullptr && group->Contains(*this)) {
    throw RuntimeException("Group2D: the group to add already holds this group, which would then hold itself");
  }
}

bool Group2D::Contains(const Group2D& group) const {
  if (m_group_members == 0) return false;
  for (const auto& member : m_members) {
    if (member.get() == &group) return true;
    if (const auto* inner = dynamic_cast<const Group2D*>(member.get()); inner != nullptr && inner->Contains(group)) {
      return true;
    }
  }
  return false;
}

}  // namespace framework
