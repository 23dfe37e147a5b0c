// The property tables of the window and control classes: which names each class takes, what a
// fresh object holds, and what a property string leaves behind.

#include "framework/property_holder.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls.hpp"
#include "framework/property_kinds.hpp"
#include "framework/property_string.hpp"
#include "framework/runtime_exception.hpp"
#include "framework/timer.hpp"
#include "model_test_support.hpp"

namespace {

using framework::Colour;
using framework::PropertyHolder;
using framework::PropertyType;
using framework::PropertyValue;
using model_test::ModelTest;
using model_test::TestWindow;

constexpr std::int32_t kNoControlArray = std::numeric_limits<std::int32_t>::min();

// The fixed order of entries of each kind of target, as the program's strings hold them.
struct Kind {
  const char* name;
  std::function<std::shared_ptr<PropertyHolder>()> make;
  std::vector<std::string_view> order;
};

template <class C>
std::shared_ptr<PropertyHolder> Make() {
  return std::make_shared<C>();
}

const std::vector<Kind>& Kinds() {
  // clang-format off
  static const std::vector<Kind> kinds = {
      {"Window", Make<TestWindow>,
       {"Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight", "Frame", "Composite",
        "HasBackColor", "BackColor", "Title", "Visible", "FullScreen", "MenuBarVisible", "CloseButton",
        "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton", "MacProcID"}},
      {"Rectangle", Make<framework::Rectangle>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabIndex", "TabPanelIndex", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "FillColor",
        "BorderWidth", "TopLeftColor", "BottomRightColor", "InitialParent"}},
      {"Canvas", Make<framework::Canvas>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled",
        "UseFocusRing", "AcceptFocus", "AcceptTabs", "DoubleBuffer", "EraseBackground", "InitialParent"}},
      {"Timer", Make<framework::Timer>, {"Mode", "Period"}},
      {"PushButton", Make<framework::PushButton>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible", "HelpTag",
        "AutoDeactivate", "ButtonStyle", "TextFont", "Bold", "Italic", "Underline", "InitialParent"}},
      {"Label", Make<framework::Label>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible",
        "Selectable", "Transparent", "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline",
        "DataSource", "DataField", "InitialParent"}},
      {"TextField", Make<framework::TextField>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Border", "Password", "UseFocusRing", "TextColor", "BackColor",
        "Enabled", "Format", "Visible", "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline",
        "CueText", "Text", "Mask", "ReadOnly", "LimitText", "AcceptTabs", "Alignment",
        "AutomaticallyCheckSpelling", "DataSource", "DataField"}},
      {"Slider", Make<framework::Slider>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "Minimum",
        "Value", "Maximum", "LineStep", "PageStep", "LiveScroll", "TickStyle", "InitialParent"}},
      {"CheckBox", Make<framework::CheckBox>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate",
        "TextFont", "Bold", "Italic", "Underline", "State", "Value", "DataSource", "DataField", "InitialParent"}},
      {"TextArea", Make<framework::TextArea>,
       {"Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
        "TabPanelIndex", "TabIndex", "TabStop", "Border", "Multiline", "ScrollbarHorizontal", "ScrollbarVertical",
        "Styled", "UseFocusRing", "TextColor", "BackColor", "Enabled", "Format", "Visible", "HelpTag",
        "AutoDeactivate", "HideSelection", "TextFont", "Bold", "Italic", "Underline", "Text", "Mask", "ReadOnly",
        "LimitText", "AcceptTabs", "Alignment", "AutomaticallyCheckSpelling", "DataSource", "DataField"}},
  };
  // clang-format on
  return kinds;
}

// The lists above are written out apart from the framework's tables, to be checked against them;
// a kind that the framework gains must gain its list here too, or it goes unchecked.
TEST(PropertyTables, TheKindsHereAreEveryKindOfTheFramework) {
  std::vector<std::string_view> here;
  for (const Kind& kind : Kinds()) here.push_back(kind.name);
  std::vector<std::string_view> framework_kinds;
  for (const framework::PropertyKind* kind : framework::kinds::kAll) framework_kinds.push_back(kind->Name());
  EXPECT_EQ(here, framework_kinds);
}

TEST(PropertyTables, EachClassTakesExactlyTheNamesOfItsKindsOrder) {
  const std::size_t expected_sizes[] = {21, 21, 23, 2, 26, 29, 37, 25, 27, 40};
  ASSERT_EQ(Kinds().size(), std::size(expected_sizes));
  for (std::size_t k = 0; k < Kinds().size(); ++k) {
    const Kind& kind = Kinds()[k];
    SCOPED_TRACE(kind.name);
    const std::set<std::string_view> order(kind.order.begin(), kind.order.end());
    ASSERT_EQ(order.size(), expected_sizes[k]) << "the order list repeats a name";
    const auto holder = kind.make();
    // Property strings can hold no names but these, so the sweep covers all a string could set.
    for (const auto& row : framework::PropertyNameTypes()) {
      EXPECT_EQ(holder->HasProperty(row.name), order.count(row.name) == 1) << row.name;
    }
  }
}

TEST(PropertyTables, EachClassKindsTableListsItsNamesInTheOrderOfItsStrings) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    const auto holder = kind.make();
    std::vector<std::string_view> table;
    for (const framework::PropertyRow& row : holder->Kind().Entries()) table.push_back(row.name);
    EXPECT_EQ(table, kind.order);
    EXPECT_EQ(holder->Kind().Name(), kind.name);
    // A new object starts at its table's defaults.
    for (const framework::PropertyRow& row : holder->Kind().Entries()) {
      EXPECT_EQ(holder->Property(row.name), framework::ValueOf(row.initial)) << row.name;
    }
  }
}

TEST(PropertyTables, ValueTakesTheTypeOfItsClass) {
  EXPECT_EQ(framework::Slider().ValueType(), PropertyType::Int32);
  EXPECT_EQ(framework::CheckBox().ValueType(), PropertyType::Boolean);
  EXPECT_EQ(framework::Label().ValueType(), std::nullopt);
  EXPECT_EQ(framework::Timer().ValueType(), std::nullopt);
}

TEST(PropertyTables, AFreshObjectHoldsTheDesktopDefaults) {
  struct Row {
    const char* kind;
    const char* name;
    PropertyValue expected;
  };
  const Colour white = Colour::FromRgb(0xFFFFFF);
  const Colour black = Colour::FromRgb(0x000000);
  const Row rows[] = {
      {"Window", "Visible", false},
      {"Window", "Width", 100},
      {"Window", "MinWidth", 64},
      {"Window", "MaxHeight", 32000},
      {"Window", "Resizeable", true},
      {"Window", "MaximizeButton", true},
      {"Window", "Title", std::string()},
      {"Rectangle", "FillColor", white},
      {"Rectangle", "TopLeftColor", black},
      {"Canvas", "Index", kNoControlArray},
      {"Canvas", "Enabled", true},
      {"Canvas", "Visible", true},
      {"Canvas", "AutoDeactivate", true},
      {"Canvas", "TabStop", true},
      {"Timer", "Mode", 2},
      {"Timer", "Period", 1000},
      {"PushButton", "TextFont", std::string("System")},
      {"PushButton", "Default", false},
      {"Label", "TextAlign", 0},
      {"Label", "TextColor", black},
      {"TextField", "BackColor", white},
      {"Slider", "Minimum", 0},
      {"Slider", "Maximum", 100},
      {"Slider", "Value", 0},
      {"Slider", "LineStep", 1},
      {"Slider", "PageStep", 10},
      {"Slider", "LiveScroll", true},
      {"CheckBox", "State", 0},
      {"CheckBox", "Value", false},
      {"TextArea", "Text", std::string()},
  };
  for (const Row& row : rows) {
    for (const Kind& kind : Kinds()) {
      if (std::string_view(kind.name) != row.kind) continue;
      EXPECT_EQ(kind.make()->Property(row.name), row.expected) << row.kind << "." << row.name;
    }
  }
  framework::Timer timer;
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Index(), kNoControlArray);
  framework::TextArea area;
  EXPECT_EQ(area.LineSpacing(), 1.0);
  EXPECT_EQ(area.TextUnit(), 0);
}

// A value unlike `current`, valid for the property: how a string proves that each entry lands.
PropertyValue OtherValue(std::string_view kind, std::string_view name, const PropertyValue& current) {
  if (name == "State") return 1;  // with the check box's Value, True
  if (name == "Mode") return 1;
  if (const auto* number = std::get_if<std::int32_t>(&current)) return *number + 7;
  if (const auto* flag = std::get_if<bool>(&current)) return !*flag;
  if (const auto* colour = std::get_if<Colour>(&current)) {
    return Colour{static_cast<std::uint8_t>(colour->red ^ 0x12),
                  static_cast<std::uint8_t>(colour->green ^ 0x34),
                  static_cast<std::uint8_t>(colour->blue ^ 0x56)};
  }
  return std::string(kind) + "." + std::string(name) + " \xE2\x89\xA6";  // ends in a three-byte character
}

std::string Write(const std::vector<std::pair<std::string_view, PropertyValue>>& entries) {
  framework::PropertyStringWriter writer;
  for (const auto& [name, value] : entries) {
    std::visit(
        [&writer, name = name](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::int32_t>) writer.Int32(name, v);
          if constexpr (std::is_same_v<T, bool>) writer.Boolean(name, v);
          if constexpr (std::is_same_v<T, Colour>) writer.Colour(name, v);
          if constexpr (std::is_same_v<T, std::string>) writer.String(name, v);
        },
        value);
  }
  return writer.Bytes();
}

using PropertyStrings = ModelTest;

TEST_F(PropertyStrings, EveryEntryOfEveryKindIsReadBack) {
  for (const Kind& kind : Kinds()) {
    SCOPED_TRACE(kind.name);
    const auto fresh = kind.make();
    std::vector<std::pair<std::string_view, PropertyValue>> entries;
    for (std::string_view name : kind.order) {
      // A control's Name is the one it is added under.
      entries.emplace_back(name, name == "Name" ? PropertyValue(std::string("c"))
                                                : OtherValue(kind.name, name, fresh->Property(name)));
    }
    const std::string bytes = Write(entries);

    std::shared_ptr<PropertyHolder> target;
    if (std::string_view(kind.name) == "Window") {
      auto window = std::make_shared<TestWindow>();
      window->on_layout = [&bytes](TestWindow& w) { framework::SetProperties(w, bytes); };
      window->Constructor();
      target = window;
    } else {
      auto window = std::make_shared<TestWindow>();
      window->Constructor();
      auto control = std::dynamic_pointer_cast<framework::Control>(kind.make());
      window->AddControl("c", control);
      framework::SetProperties(*control, bytes);
      target = control;
    }
    for (const auto& [name, value] : entries) EXPECT_EQ(target->Property(name), value) << name;
  }
}

TEST_F(PropertyStrings, NamesAndTypesOutsideTheClassRaiseAndNameTheFault) {
  framework::Label label;
  try {
    framework::SetProperties(label, framework::PropertyStringWriter().Int32("Minimum", 3).Bytes());
    FAIL() << "a label took Minimum";
  } catch (const framework::NilObjectException& error) {
    EXPECT_NE(std::string(error.what()).find("framework::Label"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("\"Minimum\""), std::string::npos) << error.what();
  }
  // The reader itself refuses a Value for a target that has none.
  EXPECT_THROW(
      framework::SetProperties(label, framework::PropertyStringWriter().Boolean("Value", true).Bytes()),
      framework::PropertyStringError);
  EXPECT_THROW(label.SetProperty("Text", std::int32_t{3}), framework::IllegalCastException);
  EXPECT_THROW(label.SetProperty("NoSuchName", std::int32_t{3}), framework::NilObjectException);
  EXPECT_THROW(label.Property("Minimum"), framework::NilObjectException);

  // A string that breaks off halfway sets none of its entries.
  std::string cut = framework::PropertyStringWriter().String("Text", "kept?").Int32("Left", 5).Bytes();
  cut.pop_back();
  EXPECT_THROW(framework::SetProperties(label, cut), framework::PropertyStringError);
  EXPECT_EQ(label.Text(), "");
  EXPECT_EQ(label.Left(), 0);
}

TEST_F(PropertyStrings, NameMustBeTheNameTheControlIsAddedUnder) {
  auto window = std::make_shared<TestWindow>();
  window->Constructor();
  const auto name = [](std::string_view text) {
    return framework::PropertyStringWriter().String("Name", text).Bytes();
  };

  auto& added = model_test::AddControl<framework::PushButton>(*window, "pGo", name("pGo"));
  EXPECT_EQ(added.Name(), "pGo");
  EXPECT_THROW(framework::SetProperties(added, name("pGo2")), framework::RuntimeException);
  EXPECT_EQ(added.Name(), "pGo");
  EXPECT_EQ(&window->ControlByName("pGo"), &added);

  // Set before the control is added: it must then be added under that name.
  auto early = std::make_shared<framework::Label>();
  framework::SetProperties(*early, name("lE"));
  EXPECT_THROW(window->AddControl("lOther", early), framework::RuntimeException);
  EXPECT_THROW(window->ControlByName("lOther"), framework::NilObjectException);
  window->AddControl("lE", early);
  EXPECT_EQ(window->ControlByName("lE").Name(), "lE");

  // A control belongs to one window.
  auto other = std::make_shared<TestWindow>();
  other->Constructor();
  EXPECT_THROW(other->AddControl("lE", early), framework::RuntimeException);
}

}  // namespace
