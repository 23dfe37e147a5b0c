#include "framework/property_string.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using framework::Colour;
using framework::PropertyEntry;
using framework::PropertyStringError;
using framework::PropertyStringWriter;
using framework::PropertyType;
using framework::ReadPropertyString;

constexpr std::int32_t kNoControlArray = std::numeric_limits<std::int32_t>::min();

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (unsigned v : values) out += static_cast<char>(v);
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 0xF];
  }
  return out;
}

struct ByteExample {
  const char* what;
  std::string written;
  const char* hex;
  std::optional<PropertyType> value_type;
};

TEST(PropertyString, WriterReproducesTheWorkedExamplesByteForByte) {
  const ByteExample examples[] = {
      {"timer, Mode 2 and Period 1000",
       PropertyStringWriter().Int32("Mode", 2).Int32("Period", 1000).Bytes(),
       "4D 6F 64 65 20 00 00 00 02 50 65 72 69 6F 64 20 00 00 03 E8", std::nullopt},
      {"pGo: Name, Index, Left",
       PropertyStringWriter()
           .String("Name", "pGo")
           .Int32("Index", kNoControlArray)
           .Int32("Left", 592)
           .Bytes(),
       "4E 61 6D 65 20 00 00 00 03 70 47 6F 49 6E 64 65 78 20 80 00 00 00 4C 65 66 74 20 00 00 02 "
       "50",
       std::nullopt},
      {"pGo: LockLeft False", PropertyStringWriter().Boolean("LockLeft", false).Bytes(),
       "4C 6F 63 6B 4C 65 66 74 20 00", std::nullopt},
      {"TextColor black", PropertyStringWriter().Colour("TextColor", Colour{}).Bytes(),
       "54 65 78 74 43 6F 6C 6F 72 20 00 00 00", std::nullopt},
      {"lE Text, 13 bytes", PropertyStringWriter().String("Text", "離心率：e").Bytes(),
       "54 65 78 74 20 00 00 00 0D E9 9B A2 E5 BF 83 E7 8E 87 EF BC 9A 65", std::nullopt},
      {"empty HelpTag of Rectangle1", PropertyStringWriter().String("HelpTag", "").Bytes(),
       "48 65 6C 70 54 61 67 20 00 00 00 00", std::nullopt},
      {"cDrawCircle State 1, Value True",
       PropertyStringWriter().Int32("State", 1).Boolean("Value", true).Bytes(),
       "53 74 61 74 65 20 00 00 00 01 56 61 6C 75 65 20 01", PropertyType::Boolean},
      {"slider Value 99", PropertyStringWriter().Int32("Value", 99).Bytes(),
       "56 61 6C 75 65 20 00 00 00 63", PropertyType::Int32},
      {"Caption 開始 counts 6 bytes", PropertyStringWriter().String("Caption", "開始").Bytes(),
       "43 61 70 74 69 6F 6E 20 00 00 00 06 E9 96 8B E5 A7 8B", std::nullopt},
      {"Title Quillorn counts 8 bytes", PropertyStringWriter().String("Title", "Quillorn").Bytes(),
       "54 69 74 6C 65 20 00 00 00 08 51 75 69 6C 6C 6F 72 6E", std::nullopt},
      {"white BackColor",
       PropertyStringWriter().Colour("BackColor", Colour::FromRgb(0xFFFFFF)).Bytes(),
       "42 61 63 6B 43 6F 6C 6F 72 20 FF FF FF", std::nullopt},
  };
  for (const ByteExample& example : examples) {
    SCOPED_TRACE(example.what);
    EXPECT_EQ(Hex(example.written), example.hex);
    // Each example also reads to exactly its end.
    EXPECT_NO_THROW(ReadPropertyString(example.written, example.value_type));
  }
}

TEST(PropertyString, ReaderDecodesTypedEntriesInStoredOrder) {
  const std::string timer = Bytes({0x4D, 0x6F, 0x64, 0x65, 0x20, 0x00, 0x00, 0x00, 0x02, 0x50,
                                   0x65, 0x72, 0x69, 0x6F, 0x64, 0x20, 0x00, 0x00, 0x03, 0xE8});
  ASSERT_EQ(timer.size(), 20u);
  EXPECT_EQ(
      ReadPropertyString(timer, std::nullopt),
      (std::vector<PropertyEntry>{{"Mode", std::int32_t{2}}, {"Period", std::int32_t{1000}}}));

  const std::string pgo = PropertyStringWriter()
                              .String("Name", "pGo")
                              .Int32("Index", kNoControlArray)
                              .Int32("Left", 592)
                              .Boolean("LockLeft", false)
                              .Colour("TextColor", Colour::FromRgb(0x102030))
                              .String("Caption", "開始")
                              .Bytes();
  EXPECT_EQ(ReadPropertyString(pgo, std::nullopt),
            (std::vector<PropertyEntry>{{"Name", std::string("pGo")},
                                        {"Index", kNoControlArray},
                                        {"Left", std::int32_t{592}},
                                        {"LockLeft", false},
                                        {"TextColor", Colour{0x10, 0x20, 0x30}},
                                        {"Caption", std::string("開始")}}));
  EXPECT_TRUE(ReadPropertyString("", std::nullopt).empty());
}

TEST(PropertyString, ValueTakesItsTypeFromTheTarget) {
  const std::string slider_value = Bytes({'V', 'a', 'l', 'u', 'e', ' ', 0, 0, 0, 99});
  EXPECT_EQ(ReadPropertyString(slider_value, PropertyType::Int32),
            (std::vector<PropertyEntry>{{"Value", std::int32_t{99}}}));
  const std::string check_value = Bytes({'V', 'a', 'l', 'u', 'e', ' ', 1});
  EXPECT_EQ(ReadPropertyString(check_value, PropertyType::Boolean),
            (std::vector<PropertyEntry>{{"Value", true}}));
  // A slider's four bytes read as a check box's Boolean leave three bytes that are no entry.
  EXPECT_THROW(
      ReadPropertyString(Bytes({'V', 'a', 'l', 'u', 'e', ' ', 0, 0, 0, 1}), PropertyType::Boolean),
      PropertyStringError);
}

struct BadInput {
  const char* what;
  std::string bytes;
  std::optional<PropertyType> value_type;
  std::size_t offset;
  const char* property_name;
  const char* reason_fragment;
};

std::string Str(const char* text, std::size_t size) { return std::string(text, size); }

TEST(PropertyString, MalformedStringsRaiseOneErrorNamingOffsetAndProperty) {
  const std::string mode2 = Str("Mode \0\0\0\2", 9);
  const BadInput cases[] = {
      {"unknown name", Str("Foo \0\0\0\0", 8), std::nullopt, 0, "",
       "unknown property name \"Foo\""},
      {"unknown name after an entry", mode2 + "Bogus \1", std::nullopt, 9, "", "\"Bogus\""},
      {"names are case-sensitive", Str("left \0\0\0\0", 9), std::nullopt, 0, "", "unknown"},
      {"unprintable name is escaped", Str("\x01\xFF \0", 4), std::nullopt, 0, "", "\"\\x01\\xFF\""},
      {"name without blank, alone", "Mode", std::nullopt, 0, "", "no blank"},
      {"name without blank after an entry", mode2 + "Period", std::nullopt, 9, "", "no blank"},
      {"empty name at the start", Str(" \0", 2), std::nullopt, 0, "", "empty property name"},
      {"empty name after an entry", mode2 + " ", std::nullopt, 9, "", "empty property name"},
      {"Int32 past the end", Str("Mode \0\0", 7), std::nullopt, 5, "Mode",
       "needs 4 bytes but only 2"},
      {"Int32 with no bytes", "Period ", std::nullopt, 7, "Period", "only 0 remain"},
      {"Boolean with no byte", "Visible ", std::nullopt, 8, "Visible", "needs 1 byte but"},
      {"colour past the end", Str("TextColor \0\0", 12), std::nullopt, 10, "TextColor",
       "needs 3 bytes"},
      {"String count cut short", Str("Name \0\0", 7), std::nullopt, 5, "Name",
       "byte count needs 4"},
      {"String count beyond the rest", Str("Name \0\0\0\4abc", 12), std::nullopt, 5, "Name",
       "count 4 exceeds the 3 bytes"},
      {"String count that would overflow an offset", "Name \xFF\xFF\xFF\xFF" + std::string("abc"),
       std::nullopt, 5, "Name", "count 4294967295 exceeds"},
      {"Boolean byte 2", Str("Mode \0\0\0\2Visible \2", 18), std::nullopt, 17, "Visible",
       "0x02 is neither 0 nor 1"},
      {"Boolean byte FF", "Bold \xFF", std::nullopt, 5, "Bold", "0xFF"},
      {"Value on a target without one", "Value \1", std::nullopt, 0, "Value", "has no Value"},
      {"slider Value past the end", "Value \1", PropertyType::Int32, 6, "Value", "needs 4 bytes"},
      {"check box Value byte 2", "Value \2", PropertyType::Boolean, 6, "Value", "neither 0 nor 1"},
  };
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.what);
    try {
      ReadPropertyString(bad.bytes, bad.value_type);
      ADD_FAILURE() << "accepted";
    } catch (const PropertyStringError& error) {
      const std::string message = error.what();
      EXPECT_EQ(error.Offset(), bad.offset);
      EXPECT_EQ(error.PropertyName(), bad.property_name);
      EXPECT_NE(message.find("at byte " + std::to_string(bad.offset)), std::string::npos)
          << message;
      if (*bad.property_name != '\0') {
        EXPECT_NE(message.find("\"" + std::string(bad.property_name) + "\""), std::string::npos)
            << message;
      }
      EXPECT_NE(message.find(bad.reason_fragment), std::string::npos) << message;
    }
  }
}

TEST(PropertyString, StringsMustBeWellFormedUtf8) {
  struct Utf8Case {
    const char* what;
    std::string text;  // follows "a", so a fault in it lies at byte 10 of the string
    const char* reason_fragment;
  };
  const Utf8Case cases[] = {
      {"overlong two-byte NUL", "\xC0\x80", "overlong"},
      {"overlong two-byte letter", "\xC1\xBF", "overlong"},
      {"overlong three-byte", "\xE0\x80\x80", "overlong"},
      {"overlong four-byte", "\xF0\x80\x80\x80", "overlong"},
      {"high surrogate", "\xED\xA0\x80", "surrogate"},
      {"low surrogate", "\xED\xBF\xBF", "surrogate"},
      {"U+110000", "\xF4\x90\x80\x80", "beyond U+10FFFF"},
      {"lead byte F5", "\xF5\x80\x80\x80", "beyond U+10FFFF"},
      {"byte FF", "\xFF", "never occurs"},
      {"stray continuation byte", "\x80", "continuation byte without a lead"},
      {"three-byte sequence cut by the end", "\xE9\x9B", "cut short"},
      {"four-byte sequence cut by the end", "\xF0\x9F\x98", "cut short"},
      {"continuation replaced by ASCII", "\xE9\x41\x41", "missing continuation"},
      {"third byte not a continuation", "\xE9\x9B\x41", "missing continuation"},
  };
  for (const Utf8Case& bad : cases) {
    SCOPED_TRACE(bad.what);
    const std::string text = "a" + bad.text;
    std::string bytes = Str("Text \0\0\0", 8) + static_cast<char>(text.size()) + text;
    try {
      ReadPropertyString(bytes, std::nullopt);
      ADD_FAILURE() << "accepted";
    } catch (const PropertyStringError& error) {
      EXPECT_EQ(error.Offset(), 10u);
      EXPECT_EQ(error.PropertyName(), "Text");
      EXPECT_NE(std::string(error.what()).find(bad.reason_fragment), std::string::npos)
          << error.what();
    }
    // The writer refuses what the reader would refuse, and leaves its bytes as they were.
    PropertyStringWriter writer;
    writer.Int32("Mode", 2);
    EXPECT_THROW(writer.String("Text", text), std::invalid_argument);
    EXPECT_EQ(writer.Bytes().size(), 9u);
  }
  // The edges of the valid ranges are accepted.
  const std::string valid_edges[] = {
      "\x7F",         "\xC2\x80",         "\xE0\xA0\x80",     "\xED\x9F\xBF",
      "\xEE\x80\x80", "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", std::string(1, '\0')};
  for (const std::string& good : valid_edges) {
    const std::string bytes = PropertyStringWriter().String("Text", good).Bytes();
    EXPECT_EQ(ReadPropertyString(bytes, std::nullopt),
              (std::vector<PropertyEntry>{{"Text", good}}));
  }
}

// One string with every name of the table and values at the edges of each type, once for a
// slider's `Value` and once for a check box's.
std::string EveryName(PropertyType value_type, std::vector<PropertyEntry>& expected) {
  const std::int32_t ints[] = {
      0, 1, -1, kNoControlArray, std::numeric_limits<std::int32_t>::max(), 1000, 0x01020304};
  const std::string texts[] = {"", "tResult", "離心率：e", "line 1\rline 2\tend", "≦ 0.999"};
  const Colour colours[] = {Colour::FromRgb(0xFFFFFF), Colour{}, Colour::FromRgb(0x7F00BD)};
  PropertyStringWriter writer;
  std::size_t i = 0;
  for (const framework::PropertyNameType& row : framework::PropertyNameTypes()) {
    ++i;
    if (row.name == "Value" && row.type != value_type) continue;
    switch (row.type) {
      case PropertyType::Int32:
        writer.Int32(row.name, ints[i % std::size(ints)]);
        expected.push_back({std::string(row.name), ints[i % std::size(ints)]});
        break;
      case PropertyType::Boolean:
        writer.Boolean(row.name, i % 2 == 0);
        expected.push_back({std::string(row.name), i % 2 == 0});
        break;
      case PropertyType::Colour:
        writer.Colour(row.name, colours[i % std::size(colours)]);
        expected.push_back({std::string(row.name), colours[i % std::size(colours)]});
        break;
      case PropertyType::String:
        writer.String(row.name, texts[i % std::size(texts)]);
        expected.push_back({std::string(row.name), texts[i % std::size(texts)]});
        break;
    }
  }
  return writer.Bytes();
}

TEST(PropertyString, WriterAndReaderAreExactInversesOverEveryName) {
  for (const PropertyType value_type : {PropertyType::Int32, PropertyType::Boolean}) {
    std::vector<PropertyEntry> expected;
    const std::string bytes = EveryName(value_type, expected);
    ASSERT_EQ(expected.size(), 84u);
    EXPECT_EQ(ReadPropertyString(bytes, value_type), expected);
    // Every proper prefix that cuts into an entry is refused rather than read short.
    std::size_t refused = 0;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
      try {
        ReadPropertyString(bytes.substr(0, length), value_type);
      } catch (const PropertyStringError& error) {
        ++refused;
        EXPECT_LE(error.Offset(), length);
      }
    }
    EXPECT_EQ(refused, bytes.size() - expected.size());  // all but the entry boundaries
  }
}

TEST(PropertyString, TypeTableHolds84NamesWithValueUnderTwoTypes) {
  std::map<PropertyType, int> per_type;
  std::set<std::string_view> names;
  for (const framework::PropertyNameType& row : framework::PropertyNameTypes()) {
    ++per_type[row.type];
    names.insert(row.name);
  }
  EXPECT_EQ(per_type[PropertyType::Int32], 28);
  EXPECT_EQ(per_type[PropertyType::Boolean], 40);
  EXPECT_EQ(per_type[PropertyType::Colour], 5);
  EXPECT_EQ(per_type[PropertyType::String], 12);
  EXPECT_EQ(names.size(), 84u);

  const std::pair<const char*, std::optional<PropertyType>> lookups[] = {
      {"Value", std::nullopt},
      {"Border", PropertyType::Boolean},
      {"State", PropertyType::Int32},
      {"TextColor", PropertyType::Colour},
      {"InitialParent", PropertyType::String},
      {"MacProcID", PropertyType::Int32},
      {"border", std::nullopt},
      {"TextSize", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [name, type] : lookups)
    EXPECT_EQ(framework::TypeOfPropertyName(name), type) << name;
}

TEST(PropertyString, WriterRefusesNamesOfAnotherTypeAndLeavesItsBytes) {
  PropertyStringWriter writer;
  writer.Int32("Mode", 2);
  EXPECT_THROW(writer.Int32("Border", 1), std::invalid_argument);
  EXPECT_THROW(writer.Boolean("Left", true), std::invalid_argument);
  EXPECT_THROW(writer.String("TextColor", ""), std::invalid_argument);
  EXPECT_THROW(writer.Colour("Title", Colour{}), std::invalid_argument);
  EXPECT_THROW(writer.Int32("TextSize", 12), std::invalid_argument);
  EXPECT_THROW(writer.Colour("Value", Colour{}), std::invalid_argument);
  EXPECT_THROW(writer.String("Value", "1"), std::invalid_argument);
  EXPECT_EQ(Hex(writer.Bytes()), "4D 6F 64 65 20 00 00 00 02");
}

class RecordingTarget : public framework::PropertyTarget {
 public:
  explicit RecordingTarget(std::optional<PropertyType> value_type) : m_value_type(value_type) {}
  std::optional<PropertyType> ValueType() const override { return m_value_type; }
  void SetProperty(std::string_view name, const framework::PropertyValue& value) override {
    set.push_back({std::string(name), value});
  }
  std::vector<PropertyEntry> set;

 private:
  std::optional<PropertyType> m_value_type;
};

TEST(PropertyString, ApplyDecodesEverythingBeforeSettingAnything) {
  const std::string check_box = PropertyStringWriter()
                                    .String("Name", "cDrawCircle")
                                    .Int32("State", 1)
                                    .Boolean("Value", true)
                                    .Bytes();
  RecordingTarget check(PropertyType::Boolean);
  framework::ApplyPropertyString(check_box, check);
  EXPECT_EQ(check.set, (std::vector<PropertyEntry>{{"Name", std::string("cDrawCircle")},
                                                   {"State", std::int32_t{1}},
                                                   {"Value", true}}));

  // Good entries ahead of the fault are not set either.
  RecordingTarget untouched(PropertyType::Boolean);
  EXPECT_THROW(framework::ApplyPropertyString(check_box + "Visible \2", untouched),
               PropertyStringError);
  EXPECT_TRUE(untouched.set.empty());

  // A target without `Value` refuses a check box's string.
  RecordingTarget no_value(std::nullopt);
  EXPECT_THROW(framework::ApplyPropertyString(check_box, no_value), PropertyStringError);
  EXPECT_TRUE(no_value.set.empty());
}

}  // namespace
