// The main window's layout strings, decoded and compared with the layout they must describe.

#include "orbit_window/main_window_layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/property_string.hpp"

namespace {

using framework::Colour;
using framework::PropertyType;
using framework::PropertyValue;
using MainWindowLayout::ControlClass;
using MainWindowLayout::ControlLayout;
using MainWindowLayout::Controls;

using namespace std::string_literals;

const ControlLayout& Find(std::string_view name) {
  for (const ControlLayout& control : Controls()) {
    if (control.name == name) return control;
  }
  throw std::out_of_range("no control named " + std::string(name));
}

std::optional<PropertyType> ValueTypeOf(ControlClass control_class) {
  if (control_class == ControlClass::Slider) return PropertyType::Int32;
  if (control_class == ControlClass::CheckBox) return PropertyType::Boolean;
  return std::nullopt;
}

// One decoded string: the names in stored order and the values by name.
struct Decoded {
  std::vector<std::string> names;
  std::map<std::string, PropertyValue, std::less<>> values;

  const PropertyValue& At(std::string_view name) const {
    auto it = values.find(name);
    if (it == values.end()) throw std::out_of_range("no entry " + std::string(name));
    return it->second;
  }
  std::int32_t Int(std::string_view name) const { return std::get<std::int32_t>(At(name)); }
  bool Bool(std::string_view name) const { return std::get<bool>(At(name)); }
  const std::string& Str(std::string_view name) const { return std::get<std::string>(At(name)); }
};

Decoded Decode(std::string_view bytes, std::optional<PropertyType> value_type) {
  Decoded decoded;
  for (framework::PropertyEntry& entry : framework::ReadPropertyString(bytes, value_type)) {
    decoded.names.push_back(entry.name);
    decoded.values.emplace(entry.name, std::move(entry.value));
  }
  return decoded;
}

Decoded Decode(const ControlLayout& control) {
  return Decode(control.properties, ValueTypeOf(control.control_class));
}

// The bytes that follow the first occurrence of `key` in `bytes`.
std::string After(const std::string& bytes, std::string_view key, std::size_t count) {
  std::size_t at = bytes.find(key);
  if (at == std::string::npos) throw std::out_of_range("no " + std::string(key));
  return bytes.substr(at + key.size(), count);
}

TEST(MainWindowLayout, ControlsInCreationOrderWithClassesAndBatches) {
  using enum ControlClass;
  const std::pair<std::string_view, ControlClass> expected[] = {
      {"Rectangle1", Rectangle}, {"cOrbit", Canvas}, {"Timer1", Timer},
      {"pGo", PushButton}, {"lE", Label}, {"tEccentricity", TextField},
      {"tDivision", TextField}, {"lD", Label}, {"pWrite", PushButton},
      {"slSpeed", Slider}, {"lF", Label}, {"lBA", Label},
      {"lFValue", Label}, {"lBAValue", Label}, {"slEccentricity", Slider},
      {"tFrameRate", TextField}, {"lFPS", Label}, {"pStop", PushButton},
      {"pQuit", PushButton}, {"cDrawCircle", CheckBox}, {"cSameCenter", CheckBox},
      {"Rectangle2", Rectangle}, {"cPath", Canvas}, {"lSpeedLabel", Label},
      {"pKomaokuri", PushButton}, {"lStep", Label}, {"lSpeed", Label},
      {"lSaiki", Label}, {"lSaikiCount", Label}, {"lSaikiCountMax", Label},
      // Made by the second creation method from here on.
      {"lSaikiMax", Label}, {"lSeido", Label}, {"tSeido", TextField},
      {"lEmin", Label}, {"lBNow", Label}, {"pSourceCode", PushButton},
      {"lSpeedMaxLabel", Label}, {"lSpeedMax", Label}, {"pSourceCode1", PushButton},
  };
  const std::vector<ControlLayout>& controls = Controls();
  EXPECT_EQ(&controls, &Controls());
  ASSERT_EQ(controls.size(), std::size(expected));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    SCOPED_TRACE(controls[i].name);
    EXPECT_EQ(controls[i].name, expected[i].first);
    EXPECT_EQ(controls[i].control_class, expected[i].second);
    EXPECT_EQ(controls[i].creation_batch, i < 30 ? 0 : 1);
  }
}

TEST(MainWindowLayout, EveryStringHoldsTheEntriesOfItsKindInOrder) {
  using Names = std::vector<std::string>;
  const Names head = {"Name", "Index", "Left", "Top", "Width", "Height",
                      "LockLeft", "LockTop", "LockRight", "LockBottom"};
  auto with_head = [&](Names tail) {
    Names all = head;
    all.insert(all.end(), tail.begin(), tail.end());
    return all;
  };
  const std::map<ControlClass, Names> orders = {
      {ControlClass::Rectangle,
       with_head({"TabIndex", "TabPanelIndex", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
                  "FillColor", "BorderWidth", "TopLeftColor", "BottomRightColor",
                  "InitialParent"})},
      {ControlClass::Canvas,
       with_head({"TabPanelIndex", "TabIndex", "TabStop", "Visible", "HelpTag", "AutoDeactivate",
                  "Enabled", "UseFocusRing", "AcceptFocus", "AcceptTabs", "DoubleBuffer",
                  "EraseBackground", "InitialParent"})},
      {ControlClass::Timer, {"Mode", "Period"}},
      {ControlClass::PushButton,
       with_head({"TabPanelIndex", "TabIndex", "TabStop", "Caption", "Default", "Cancel",
                  "Enabled", "Visible", "HelpTag", "AutoDeactivate", "ButtonStyle", "TextFont",
                  "Bold", "Italic", "Underline", "InitialParent"})},
      {ControlClass::Label,
       with_head({"TabPanelIndex", "TabIndex", "Text", "TextAlign", "TextColor", "Multiline",
                  "Enabled", "Visible", "Selectable", "Transparent", "HelpTag", "AutoDeactivate",
                  "TextFont", "Bold", "Italic", "Underline", "DataSource", "DataField",
                  "InitialParent"})},
      {ControlClass::TextField,
       with_head({"TabPanelIndex", "TabIndex", "TabStop", "Border", "Password", "UseFocusRing",
                  "TextColor", "BackColor", "Enabled", "Format", "Visible", "HelpTag",
                  "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline", "CueText", "Text",
                  "Mask", "ReadOnly", "LimitText", "AcceptTabs", "Alignment",
                  "AutomaticallyCheckSpelling", "DataSource", "DataField"})},
      {ControlClass::Slider,
       with_head({"TabPanelIndex", "TabIndex", "TabStop", "Enabled", "Visible", "HelpTag",
                  "AutoDeactivate", "Minimum", "Value", "Maximum", "LineStep", "PageStep",
                  "LiveScroll", "TickStyle", "InitialParent"})},
      {ControlClass::CheckBox,
       with_head({"TabPanelIndex", "TabIndex", "TabStop", "Caption", "Enabled", "Visible",
                  "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline",
                  "State", "Value", "DataSource", "DataField", "InitialParent"})},
  };
  for (const ControlLayout& control : Controls()) {
    SCOPED_TRACE(control.name);
    Decoded decoded = Decode(control);
    EXPECT_EQ(decoded.names, orders.at(control.control_class));
  }

  const Names window_order = {
      "Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight",
      "Frame", "Composite", "HasBackColor", "BackColor", "Title", "Visible", "FullScreen",
      "MenuBarVisible", "CloseButton", "Resizeable", "LiveResize", "MaximizeButton",
      "MinimizeButton", "MacProcID"};
  EXPECT_EQ(Decode(MainWindowLayout::WindowProperties(), std::nullopt).names, window_order);
}

TEST(MainWindowLayout, GeometryLocksTabIndexAndText) {
  struct Row {
    std::string_view name;
    std::int32_t left, top, width, height;
    std::string_view locks;
    std::int32_t tab_index;
    std::optional<std::string> text;  // Caption or Text; none for controls without either
  };
  const Row rows[] = {
      {"Rectangle1", 20, 17, 396, 356, "LTRB", 18, std::nullopt},
      {"cOrbit", 20, 17, 396, 356, "LTRB", 0, std::nullopt},
      {"pGo", 592, 519, 80, 20, "RB", 2, "開始"},
      {"lE", 20, 413, 65, 20, "LB", 3, "離心率：e"},
      {"tEccentricity", 97, 410, 126, 22, "LB", 4, "0.866"},
      {"tDivision", 97, 460, 126, 22, "LB", 8, "300"},
      {"lD", 20, 462, 65, 20, "LB", 9, "フレーム数"},
      {"pWrite", 126, 519, 80, 20, "LB", 13, "書出"},
      {"slSpeed", 512, 382, 160, 23, "RB", 19, std::nullopt},
      {"lF", 20, 437, 65, 20, "LB", 20, "扁平率：f"},
      {"lBA", 243, 437, 28, 20, "LB", 21, "b/a"},
      {"lFValue", 97, 437, 126, 20, "LB", 22, ""},
      {"lBAValue", 283, 437, 116, 20, "LB", 23, ""},
      {"slEccentricity", 20, 382, 396, 23, "LRB", 24, std::nullopt},
      {"tFrameRate", 431, 382, 49, 22, "RB", 25, "24"},
      {"lFPS", 484, 385, 27, 20, "RB", 26, "fps"},
      {"pStop", 411, 519, 80, 20, "RB", 27, "停止"},
      {"pQuit", 20, 519, 80, 20, "LB", 28, "終了"},
      {"cDrawCircle", 431, 460, 241, 20, "RB", 29, "円軌道を表示する。"},
      {"cSameCenter", 431, 487, 241, 20, "RB", 30, "円軌道と中心を合わせる。"},
      {"Rectangle2", 431, 17, 241, 356, "TRB", 31, std::nullopt},
      {"cPath", 431, 17, 241, 356, "TRB", 0, std::nullopt},
      {"lSpeedLabel", 431, 413, 57, 20, "RB", 33, "速度比"},
      {"pKomaokuri", 500, 519, 80, 20, "RB", 36, "こま送り"},
      {"lStep", 283, 463, 116, 20, "LB", 37, ""},
      {"lSpeed", 490, 413, 55, 20, "RB", 38, ""},
      {"lSaiki", 431, 437, 57, 20, "RB", 39, "再帰回数"},
      {"lSaikiCount", 490, 437, 55, 20, "RB", 40, ""},
      {"lSaikiCountMax", 600, 437, 72, 20, "RB", 41, ""},
      {"lSaikiMax", 557, 437, 31, 20, "RB", 42, "最大"},
      {"lSeido", 20, 487, 65, 20, "LB", 43, "小数点以下"},
      {"tSeido", 97, 484, 126, 22, "LB", 44, "6"},
      {"lEmin", 243, 413, 156, 20, "LB", 45, "≦ 0.999"},
      {"lBNow", 243, 463, 48, 20, "LB", 46, "現在"},
      {"pSourceCode", 218, 519, 80, 20, "LB", 47, "ケプラー"},
      {"lSpeedMaxLabel", 557, 413, 31, 20, "RB", 50, "最大"},
      {"lSpeedMax", 600, 413, 72, 20, "RB", 51, ""},
      {"pSourceCode1", 309, 519, 80, 20, "LB", 52, "楕円の弧長"},
  };
  ASSERT_EQ(std::size(rows), Controls().size() - 1);  // all but the timer
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ControlLayout& control = Find(row.name);
    Decoded d = Decode(control);
    EXPECT_EQ(d.Str("Name"), row.name);
    EXPECT_EQ(d.Int("Index"), INT32_MIN);
    EXPECT_EQ(d.Int("Left"), row.left);
    EXPECT_EQ(d.Int("Top"), row.top);
    EXPECT_EQ(d.Int("Width"), row.width);
    EXPECT_EQ(d.Int("Height"), row.height);
    auto locked = [&](char edge) { return row.locks.find(edge) != std::string_view::npos; };
    EXPECT_EQ(d.Bool("LockLeft"), locked('L'));
    EXPECT_EQ(d.Bool("LockTop"), locked('T'));
    EXPECT_EQ(d.Bool("LockRight"), locked('R'));
    EXPECT_EQ(d.Bool("LockBottom"), locked('B'));
    EXPECT_EQ(d.Int("TabIndex"), row.tab_index);
    const bool has_caption = control.control_class == ControlClass::PushButton ||
                             control.control_class == ControlClass::CheckBox;
    const std::string_view text_key = has_caption ? "Caption" : "Text";
    if (row.text) {
      EXPECT_EQ(d.Str(text_key), *row.text);
    } else {
      EXPECT_EQ(d.values.count("Caption") + d.values.count("Text"), 0u);
    }
  }
}

// Every entry that is neither the head, the help tag nor the text: the class's common value,
// unless the control is listed with a value of its own.
TEST(MainWindowLayout, CommonValuesAndTheValuesThatDiffer) {
  const Colour white = Colour::FromRgb(0xFFFFFF);
  const Colour black = Colour::FromRgb(0x000000);
  using Values = std::map<std::string, PropertyValue, std::less<>>;
  const Values every = {{"TabPanelIndex", 0}, {"Visible", true}, {"Enabled", true},
                        {"AutoDeactivate", true}};
  const Values font = {{"TextFont", "System"s}, {"Bold", false}, {"Italic", false},
                       {"Underline", false}};
  const Values no_parent = {{"InitialParent", ""s}};
  const Values data = {{"DataSource", ""s}, {"DataField", ""s}};
  auto merge = [](std::initializer_list<Values> parts) {
    Values all;
    for (const Values& part : parts) all.insert(part.begin(), part.end());
    return all;
  };
  const std::map<ControlClass, Values> common = {
      {ControlClass::Rectangle,
       merge({every, no_parent, {{"FillColor", white}, {"BorderWidth", 1},
                                 {"TopLeftColor", black}, {"BottomRightColor", black}}})},
      {ControlClass::Canvas,
       merge({every, no_parent, {{"TabStop", true}, {"UseFocusRing", true},
                                 {"AcceptFocus", false}, {"AcceptTabs", false},
                                 {"DoubleBuffer", false}, {"EraseBackground", true}}})},
      {ControlClass::PushButton,
       merge({every, font, no_parent, {{"TabStop", true}, {"Default", false},
                                       {"Cancel", false}, {"ButtonStyle", 0}}})},
      {ControlClass::Label,
       merge({every, font, no_parent, data, {{"TextAlign", 0}, {"TextColor", black},
                                             {"Multiline", false}, {"Selectable", false},
                                             {"Transparent", false}}})},
      {ControlClass::TextField,
       merge({every, font, data,
              {{"TabStop", true}, {"Border", true}, {"Password", false}, {"UseFocusRing", true},
               {"TextColor", black}, {"BackColor", white}, {"Format", ""s}, {"CueText", ""s},
               {"Mask", ""s}, {"ReadOnly", false}, {"LimitText", 0}, {"AcceptTabs", false},
               {"Alignment", 3}, {"AutomaticallyCheckSpelling", false}}})},
      {ControlClass::Slider,
       merge({every, no_parent, {{"TabStop", true}, {"LiveScroll", true}, {"TickStyle", 0}}})},
      {ControlClass::CheckBox, merge({every, font, no_parent, data, {{"TabStop", true}}})},
  };
  const std::map<std::string_view, Values> own = {
      {"cOrbit", {{"InitialParent", "Rectangle1"s}}},
      {"cPath", {{"InitialParent", "Rectangle2"s}}},
      {"pGo", {{"Default", true}}},
      {"pStop", {{"Cancel", true}, {"Enabled", false}}},
      {"pKomaokuri", {{"Cancel", true}}},
      {"pSourceCode1", {{"Enabled", false}}},
      {"lStep", {{"TextAlign", 2}}},
      {"lSpeed", {{"TextAlign", 2}}},
      {"lSaikiCount", {{"TextAlign", 2}}},
      {"lSaikiCountMax", {{"TextAlign", 2}, {"AutoDeactivate", false}}},
      {"lSpeedMax", {{"TextAlign", 2}, {"AutoDeactivate", false}}},
      {"cDrawCircle", {{"State", 1}, {"Value", true}}},
      {"cSameCenter", {{"State", 0}, {"Value", false}}},
      {"slSpeed", {{"Minimum", 1}, {"Value", 24}, {"Maximum", 30}, {"LineStep", 1},
                   {"PageStep", 20}}},
      {"slEccentricity", {{"Minimum", 0}, {"Value", 99}, {"Maximum", 999}, {"LineStep", 1},
                          {"PageStep", 10}}},
  };
  const std::vector<std::string_view> checked_elsewhere = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight",
      "LockBottom", "TabIndex", "HelpTag", "Caption", "Text"};

  for (const ControlLayout& control : Controls()) {
    if (control.control_class == ControlClass::Timer) continue;
    SCOPED_TRACE(control.name);
    Values expected = common.at(control.control_class);
    if (auto it = own.find(control.name); it != own.end()) {
      for (const auto& [name, value] : it->second) expected[name] = value;
    }
    Decoded d = Decode(control);
    for (const std::string& name : d.names) {
      if (std::ranges::find(checked_elsewhere, name) != checked_elsewhere.end()) continue;
      SCOPED_TRACE(name);
      ASSERT_TRUE(expected.contains(name));
      EXPECT_EQ(d.At(name), expected.at(name));
    }
  }
}

TEST(MainWindowLayout, TimerAndWindowStrings) {
  EXPECT_EQ(Find("Timer1").properties, "Mode \x00\x00\x00\x02Period \x00\x00\x03\xE8"s);
  EXPECT_EQ(Find("Timer1").properties.size(), 20u);

  const std::string window = MainWindowLayout::WindowProperties();
  Decoded d = Decode(window, std::nullopt);
  const std::pair<std::string_view, PropertyValue> expected[] = {
      {"Placement", 0}, {"Width", 692}, {"Height", 559}, {"MinWidth", 515},
      {"MinHeight", 389}, {"MaxWidth", 32000}, {"MaxHeight", 32000}, {"Frame", 0},
      {"Composite", false}, {"HasBackColor", false}, {"BackColor", Colour::FromRgb(0xFFFFFF)},
      {"Title", "Quillorn"s}, {"Visible", true}, {"FullScreen", false},
      {"MenuBarVisible", true}, {"CloseButton", true}, {"Resizeable", true},
      {"LiveResize", true}, {"MaximizeButton", false}, {"MinimizeButton", true},
      {"MacProcID", 0}};
  for (const auto& [name, value] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(d.At(name), value);
  }
  EXPECT_EQ(After(window, "Title ", 12), "\x00\x00\x00\x08Quillorn"s);
}

TEST(MainWindowLayout, BytesAsStored) {
  const std::string pgo_head =
      "Name \x00\x00\x00\x03pGo"
      "Index \x80\x00\x00\x00"
      "Left \x00\x00\x02\x50"
      "Top \x00\x00\x02\x07"
      "Width \x00\x00\x00\x50"
      "Height \x00\x00\x00\x14"
      "LockLeft \x00"
      "LockTop \x00"
      "LockRight \x01"
      "LockBottom \x01"
      "TabPanelIndex \x00\x00\x00\x00"s;
  EXPECT_EQ(Find("pGo").properties.substr(0, pgo_head.size()), pgo_head);
  EXPECT_EQ(After(Find("lE").properties, "TextColor ", 3), "\x00\x00\x00"s);
  // Nine bytes for three kanji, three for the full-width colon, one for the e.
  EXPECT_EQ(After(Find("lE").properties, "Text ", 17), "\x00\x00\x00\x0D離心率：e"s);
  EXPECT_EQ(After(Find("Rectangle1").properties, "HelpTag ", 19),
            "\x00\x00\x00\x00"
            "AutoDeactivate "s);
  EXPECT_EQ(After(Find("cDrawCircle").properties, "State ", 11),
            "\x00\x00\x00\x01"
            "Value \x01"s);
}

TEST(MainWindowLayout, HelpTags) {
  auto tag = [](std::string_view name) { return Decode(Find(name)).Str("HelpTag"); };

  const std::pair<std::string_view, std::string_view> shared[] = {
      {"lSpeedMaxLabel", "lSaikiMax"}, {"lD", "tDivision"}, {"lF", "lFValue"},
      {"lBA", "lBAValue"}, {"tEccentricity", "slEccentricity"}, {"slSpeed", "tFrameRate"},
      {"lSaiki", "lSaikiCount"}, {"lSeido", "tSeido"}, {"lStep", "lBNow"}};
  for (const auto& [a, b] : shared) {
    SCOPED_TRACE(std::string(a) + " / " + std::string(b));
    EXPECT_FALSE(tag(a).empty());
    EXPECT_EQ(tag(a), tag(b));
  }

  // Lines break with a lone CR. Only these tags have more than one line or a trailing CR;
  // every other visual control has a one-line tag without one, or none at all.
  struct Lines {
    std::string_view name;
    std::size_t cr_count;
    bool ends_with_cr;
  };
  const Lines multi_line[] = {
      {"cOrbit", 3, true},      {"pWrite", 2, false}, {"slSpeed", 1, true},
      {"tFrameRate", 1, true},  {"cPath", 2, false},  {"lSpeedLabel", 1, false},
      {"lSpeed", 1, false}};
  const std::string_view empty[] = {"Rectangle1", "Rectangle2", "lFPS", "lEmin"};
  for (const ControlLayout& control : Controls()) {
    if (control.control_class == ControlClass::Timer) continue;
    SCOPED_TRACE(control.name);
    const std::string text = tag(control.name);
    Lines expected{control.name, 0, false};
    for (const Lines& lines : multi_line) {
      if (lines.name == control.name) expected = lines;
    }
    EXPECT_EQ(static_cast<std::size_t>(std::ranges::count(text, '\r')), expected.cr_count);
    EXPECT_EQ(!text.empty() && text.back() == '\r', expected.ends_with_cr);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.empty(), std::ranges::find(empty, control.name) != std::end(empty));
  }

  // The speed-ratio label and read-out differ in their first line only; the label's first line
  // begins with a word that is kept exactly as it has always been shown.
  const std::string label = tag("lSpeedLabel");
  const std::string readout = tag("lSpeed");
  EXPECT_TRUE(label.starts_with("延期同上の物体と、"));
  EXPECT_TRUE(readout.starts_with("円軌道上の物体と、"));
  EXPECT_EQ(label.substr(label.find('\r')), readout.substr(readout.find('\r')));
  EXPECT_NE(label.find("１より大きい"), std::string::npos);
}

TEST(MainWindowLayout, TabOrder) {
  // The canvases take tab stops inside their rectangles, so only top-level controls make up the
  // window's tab order.
  std::vector<std::pair<std::int32_t, std::string_view>> order;
  for (const ControlLayout& control : Controls()) {
    if (control.control_class == ControlClass::Timer) continue;
    Decoded d = Decode(control);
    if (!d.values.contains("TabStop") || !d.Bool("TabStop")) continue;
    if (d.values.contains("InitialParent") && !d.Str("InitialParent").empty()) {
      EXPECT_EQ(d.Int("TabIndex"), 0) << control.name;
      EXPECT_FALSE(d.Bool("AcceptFocus")) << control.name;
      continue;
    }
    order.emplace_back(d.Int("TabIndex"), control.name);
  }
  std::ranges::sort(order);
  const std::vector<std::pair<std::int32_t, std::string_view>> expected = {
      {2, "pGo"},          {4, "tEccentricity"}, {8, "tDivision"},     {13, "pWrite"},
      {19, "slSpeed"},     {24, "slEccentricity"}, {25, "tFrameRate"}, {27, "pStop"},
      {28, "pQuit"},       {29, "cDrawCircle"},  {30, "cSameCenter"},  {36, "pKomaokuri"},
      {44, "tSeido"},      {47, "pSourceCode"},  {52, "pSourceCode1"}};
  EXPECT_EQ(order, expected);
}

}  // namespace
