#include "framework/kind_writer.hpp"

#include "framework/property_string.hpp"

namespace framework {

KindStringWriter::KindStringWriter(const PropertyKind& kind) : m_kind(kind) {
  m_values.reserve(kind.Entries().size());
  for (const PropertyRow& row : kind.Entries()) m_values.push_back(ValueOf(row.initial));
}

std::string KindStringWriter::Bytes() const {
  PropertyStringWriter writer;
  for (std::size_t i = 0; i < m_values.size(); ++i) writer.Entry(m_kind.Entries()[i].name, m_values[i]);
  return writer.Bytes();
}

}  // namespace framework
