// The tables of the kinds: each written with its defaults reads back as the table, a layout's
// settings land on exactly their entries, and a faulty table is refused at once with the name.
// That each class holds exactly its table, at its defaults, is checked in property_holder_test.

#include "framework/property_kinds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/kind_writer.hpp"
#include "framework/property_holder.hpp"
#include "framework/property_names.hpp"
#include "framework/property_string.hpp"
#include "framework/runtime_exception.hpp"

namespace {

namespace K = framework::kinds;
namespace P = framework::prop;
using framework::PropertyEntry;
using framework::PropertyKind;
using framework::PropertyValue;

std::vector<PropertyEntry> TableEntries(const PropertyKind& kind) {
  std::vector<PropertyEntry> entries;
  for (const framework::PropertyRow& row : kind.Entries()) {
    entries.push_back({std::string(row.name), framework::ValueOf(row.initial)});
  }
  return entries;
}

std::string WrittenBack(const std::vector<PropertyEntry>& entries) {
  framework::PropertyStringWriter writer;
  for (const PropertyEntry& entry : entries) writer.Entry(entry.name, entry.value);
  return writer.Bytes();
}

TEST(PropertyKinds, EveryTableWrittenWithItsDefaultsReadsBackAsTheTable) {
  for (const PropertyKind* kind : K::kAll) {
    SCOPED_TRACE(kind->Name());
    const std::string bytes = framework::KindStringWriter(*kind).Bytes();
    const std::vector<PropertyEntry> read = framework::ReadPropertyString(bytes, kind->ValueType());
    EXPECT_EQ(read, TableEntries(*kind));
    EXPECT_EQ(WrittenBack(read), bytes);
  }
}

TEST(PropertyKinds, OnlySlidersAndCheckBoxesHaveAValueEachOfItsOwnType) {
  for (const PropertyKind* kind : K::kAll) {
    SCOPED_TRACE(kind->Name());
    std::optional<framework::PropertyType> expected;
    if (kind == &K::Slider) expected = framework::PropertyType::Int32;
    if (kind == &K::CheckBox) expected = framework::PropertyType::Boolean;
    EXPECT_EQ(kind->ValueType(), expected);
  }
}

TEST(PropertyKinds, SettingsReplaceExactlyTheirEntriesAndTheLastOneCounts) {
  framework::KindWriter<K::Slider> w({{P::TabIndex, 19}, {P::SliderValue, 24}, {P::TabIndex, 20}});
  w.Set<P::Name>("slSpeed").Set<P::HelpTag>("tag\rline");
  std::vector<PropertyEntry> expected = TableEntries(K::Slider);
  for (PropertyEntry& entry : expected) {
    if (entry.name == "Name") entry.value = std::string("slSpeed");
    if (entry.name == "TabIndex") entry.value = std::int32_t{20};
    if (entry.name == "Value") entry.value = std::int32_t{24};
    if (entry.name == "HelpTag") entry.value = std::string("tag\rline");
  }
  EXPECT_EQ(framework::ReadPropertyString(w.Bytes(), framework::PropertyType::Int32), expected);
}

// A table that names Mode twice: a holder must refuse it rather than let the second default
// replace the first.
constexpr framework::PropertyRow kTwice[] = {{P::Mode, 2}, {P::Period, 1000}, {P::Mode, 1}};
constexpr PropertyKind kKindWithANameTwice{"Twice", kTwice};

class Twice : public framework::PropertyHolder {
 public:
  Twice() : PropertyHolder(kKindWithANameTwice) {}
  void PropertyChanged(std::string_view) override {}
};

TEST(PropertyKinds, ATableThatHoldsANameTwiceIsRefusedWithTheNameAndTheKind) {
  try {
    Twice twice;
    FAIL() << "a table with Mode twice was taken";
  } catch (const framework::RuntimeException& error) {
    EXPECT_NE(std::string(error.what()).find("\"Mode\""), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("Twice"), std::string::npos) << error.what();
  }
}

}  // namespace
