// The main window as its construction leaves it: controls, stored values, bindings, edge locks,
// menu-item accessors, its timer and its properties.

#include "orbit_window/main_window.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <typeindex>
#include <utility>
#include <vector>

#include "framework/property_string.hpp"
#include "framework/runtime_exception.hpp"
#include "orbit_window/main_window_layout.hpp"
#include "orbit_window/main_window_timer1.hpp"
#include "../app/started_program.hpp"

namespace {

using framework::Rect;

using MainWindowTest = StartedProgram;

struct AccessorRow {
  std::string name;
  std::type_index object_class;
  std::function<framework::Control&(MainWindow&)> accessor;
};

#define ROW(control, object_class)        \
  AccessorRow{#control, typeid(object_class), \
              [](MainWindow& w) -> framework::Control& { return w.control(); }}

// The controls in creation order, the class of each object, and its accessor.
const std::vector<AccessorRow>& Accessors() {
  using namespace framework;
  static const std::vector<AccessorRow> rows = {
      ROW(Rectangle1, Rectangle),     ROW(cOrbit, Canvas),          ROW(Timer1, MainWindowTimer1),
      ROW(pGo, PushButton),           ROW(lE, Label),               ROW(tEccentricity, TextField),
      ROW(tDivision, TextField),      ROW(lD, Label),               ROW(pWrite, PushButton),
      ROW(slSpeed, Slider),           ROW(lF, Label),               ROW(lBA, Label),
      ROW(lFValue, Label),            ROW(lBAValue, Label),         ROW(slEccentricity, Slider),
      ROW(tFrameRate, TextField),     ROW(lFPS, Label),             ROW(pStop, PushButton),
      ROW(pQuit, PushButton),         ROW(cDrawCircle, CheckBox),   ROW(cSameCenter, CheckBox),
      ROW(Rectangle2, Rectangle),     ROW(cPath, Canvas),           ROW(lSpeedLabel, Label),
      ROW(pKomaokuri, PushButton),    ROW(lStep, Label),            ROW(lSpeed, Label),
      ROW(lSaiki, Label),             ROW(lSaikiCount, Label),      ROW(lSaikiCountMax, Label),
      ROW(lSaikiMax, Label),          ROW(lSeido, Label),           ROW(tSeido, TextField),
      ROW(lEmin, Label),              ROW(lBNow, Label),            ROW(pSourceCode, PushButton),
      ROW(lSpeedMaxLabel, Label),     ROW(lSpeedMax, Label),        ROW(pSourceCode1, PushButton),
  };
  return rows;
}

#undef ROW

TEST_F(MainWindowTest, HasItsControlsInCreationOrderEachReachedByItsAccessor) {
  MainWindow& window = Window();
  ASSERT_EQ(window.ControlCount(), Accessors().size());
  for (std::size_t i = 0; i < Accessors().size(); ++i) {
    const AccessorRow& row = Accessors()[i];
    SCOPED_TRACE(row.name);
    const framework::Control& control = *window.Controls()[i];
    EXPECT_EQ(control.Name(), row.name);
    EXPECT_EQ(std::type_index(typeid(control)), row.object_class);
    EXPECT_EQ(&row.accessor(window), &control);
    EXPECT_EQ(&row.accessor(window), &control);  // and again: nothing cached goes stale
  }
}

std::optional<framework::PropertyType> ValueTypeOf(MainWindowLayout::ControlClass control_class) {
  if (control_class == MainWindowLayout::ControlClass::Slider) return framework::PropertyType::Int32;
  if (control_class == MainWindowLayout::ControlClass::CheckBox) return framework::PropertyType::Boolean;
  return std::nullopt;
}

// The model carries every value that the window's and the controls' strings store, but those that
// opening the window writes: the timer's period from the frame rate, and the read-outs of frame 0.
TEST_F(MainWindowTest, CarriesEveryStoredValue) {
  const std::set<std::pair<std::string, std::string>> written_at_open = {
      {"Timer1", "Period"},  {"lFValue", "Text"},     {"lBAValue", "Text"},       {"lStep", "Text"},
      {"lSpeed", "Text"},    {"lSaikiCount", "Text"}, {"lSaikiCountMax", "Text"}, {"lSpeedMax", "Text"}};
  MainWindow& window = Window();
  const std::string window_string = MainWindowLayout::WindowProperties();
  for (const auto& entry : framework::ReadPropertyString(window_string, std::nullopt)) {
    EXPECT_EQ(window.Property(entry.name), entry.value) << "window entry " << entry.name;
  }
  for (const auto& layout : MainWindowLayout::Controls()) {
    const framework::Control& control = window.ControlByName(layout.name);
    const auto value_type = ValueTypeOf(layout.control_class);
    for (const auto& entry : framework::ReadPropertyString(layout.properties, value_type)) {
      if (written_at_open.contains({std::string(layout.name), entry.name})) continue;
      EXPECT_EQ(control.Property(entry.name), entry.value) << layout.name << " entry " << entry.name;
    }
  }
}

TEST_F(MainWindowTest, StartsWithTheValuesTheHandlersRelyOn) {
  MainWindow& w = Window();
  const std::vector<std::tuple<std::string, framework::Slider*, int, int, int>> sliders = {
      {"slEccentricity", &w.slEccentricity(), 0, 99, 999}, {"slSpeed", &w.slSpeed(), 1, 24, 30}};
  for (const auto& [name, slider, minimum, value, maximum] : sliders) {
    EXPECT_EQ(slider->Minimum(), minimum) << name;
    EXPECT_EQ(slider->Value(), value) << name;
    EXPECT_EQ(slider->Maximum(), maximum) << name;
  }
  EXPECT_TRUE(w.cDrawCircle().Value());
  EXPECT_EQ(w.cDrawCircle().State(), 1);
  EXPECT_FALSE(w.cSameCenter().Value());
  EXPECT_EQ(w.cSameCenter().State(), 0);
  EXPECT_FALSE(w.pStop().Enabled());
  EXPECT_FALSE(w.pSourceCode1().Enabled());
  EXPECT_TRUE(w.pGo().Default());
  EXPECT_EQ(w.pGo().Caption(), "開始");
  EXPECT_EQ(w.tEccentricity().Text(), "0.866");
  EXPECT_EQ(w.tDivision().Text(), "300");
  EXPECT_EQ(w.tFrameRate().Text(), "24");
  EXPECT_EQ(w.tSeido().Text(), "6");
  EXPECT_EQ(w.Title(), "Quillorn");
  EXPECT_EQ(w.Width(), 692);
  EXPECT_EQ(w.Height(), 559);

  std::size_t text_controls = 0;
  for (const auto& control : w.Controls()) {
    if (auto* text = dynamic_cast<framework::TextControl*>(control.get())) {
      ++text_controls;
      EXPECT_EQ(text->TextUnit(), 0) << control->Name();
    }
  }
  EXPECT_EQ(text_controls, 32u);
}

TEST_F(MainWindowTest, BindsExactlyTheFourteenHandledControls) {
  const std::map<std::string, std::string> bound = {
      {"cOrbit", "Paint"},       {"Timer1", "Action"},         {"pGo", "Action"},
      {"pWrite", "Action"},      {"slSpeed", "ValueChanged"},  {"slEccentricity", "ValueChanged"},
      {"pStop", "Action"},       {"pQuit", "Action"},          {"cDrawCircle", "Action"},
      {"cSameCenter", "Action"}, {"cPath", "Paint"},           {"pKomaokuri", "Action"},
      {"pSourceCode", "Action"}, {"pSourceCode1", "Action"}};
  for (const auto& control : Window().Controls()) {
    auto found = bound.find(control->Name());
    if (found == bound.end()) {
      EXPECT_EQ(control->HandlerCount(), 0u) << control->Name();
    } else {
      EXPECT_EQ(control->HandlerCount(), 1u) << control->Name();
      EXPECT_EQ(control->HandlerCount(found->second), 1u) << control->Name();
    }
  }
}

TEST_F(MainWindowTest, OverlapsOnlyWhereTheLayoutMeansItAtTheDesignSize) {
  std::vector<const framework::RectControl*> visible;
  for (const auto& control : Window().Controls()) {
    if (auto* rect = dynamic_cast<const framework::RectControl*>(control.get())) visible.push_back(rect);
  }
  std::set<std::pair<std::string, std::string>> overlaps;
  for (std::size_t i = 0; i < visible.size(); ++i) {
    for (std::size_t j = i + 1; j < visible.size(); ++j) {
      const Rect a = visible[i]->Bounds();
      const Rect b = visible[j]->Bounds();
      if (a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
          b.top < a.top + a.height) {
        overlaps.emplace(visible[i]->Name(), visible[j]->Name());
      }
    }
  }
  const std::set<std::pair<std::string, std::string>> expected = {
      {"Rectangle1", "cOrbit"}, {"Rectangle2", "cPath"}, {"lStep", "lBNow"}};
  EXPECT_EQ(overlaps, expected);
}

const framework::RectControl& RectNamed(const MainWindow& window, const std::string& name) {
  return framework::RuntimeCheckCast<const framework::RectControl>(window.ControlByName(name));
}

TEST_F(MainWindowTest, EdgeLocksPlaceTheControlsAtTheDesignAndTheMinimumSize) {
  MainWindow& w = Window();
  const std::vector<std::pair<std::string, int>> bottom_row = {
      {"pQuit", 20},         {"pWrite", 126}, {"pSourceCode", 218}, {"pSourceCode1", 309},
      {"pStop", 411},        {"pKomaokuri", 500}, {"pGo", 592}};
  for (const auto& [name, left] : bottom_row) {
    EXPECT_EQ(RectNamed(w, name).Bounds(), (Rect{left, 519, 80, 20})) << name;
  }

  const std::vector<std::pair<std::string, Rect>> at_minimum = {
      {"Rectangle1", {20, 17, 219, 186}},    {"cOrbit", {20, 17, 219, 186}},
      {"Rectangle2", {254, 17, 241, 186}},   {"cPath", {254, 17, 241, 186}},
      {"slEccentricity", {20, 212, 219, 23}}, {"pQuit", {20, 349, 80, 20}},
      {"pWrite", {126, 349, 80, 20}},        {"pSourceCode", {218, 349, 80, 20}},
      {"pSourceCode1", {309, 349, 80, 20}},  {"pStop", {234, 349, 80, 20}},
      {"pKomaokuri", {323, 349, 80, 20}},    {"pGo", {415, 349, 80, 20}},
      {"lSpeedLabel", {254, 243, 57, 20}},   {"lSaiki", {254, 267, 57, 20}},
      {"cDrawCircle", {254, 290, 241, 20}}};
  // The minimum size, then far below it (held at the minimum).
  for (const auto& [width, height] : {std::pair{515, 389}, std::pair{100, 50}}) {
    w.Resize(width, height);
    EXPECT_EQ(w.Width(), 515);
    EXPECT_EQ(w.Height(), 389);
    for (const auto& [name, bounds] : at_minimum) {
      EXPECT_EQ(RectNamed(w, name).Bounds(), bounds) << name << " at " << width << "x" << height;
    }
  }

  w.Resize(692, 559);
  for (const auto& control : w.Controls()) {
    if (auto* rect = dynamic_cast<const framework::RectControl*>(control.get())) {
      EXPECT_EQ(rect->Bounds(), rect->DesignBounds()) << control->Name();
    }
  }
}

TEST_F(MainWindowTest, FindsEachMenuItemInItsMenuBar) {
  MainWindow& w = Window();
  const std::vector<std::pair<std::string, std::function<framework::MenuItem&(MainWindow&)>>> items = {
      {"EditMenu", &MainWindow::EditMenu},       {"EditSelectAll", &MainWindow::EditSelectAll},
      {"UntitledMenu0", &MainWindow::UntitledMenu0}, {"EditClear", &MainWindow::EditClear},
      {"EditPaste", &MainWindow::EditPaste},     {"EditCopy", &MainWindow::EditCopy},
      {"EditCut", &MainWindow::EditCut},         {"UntitledMenu1", &MainWindow::UntitledMenu1},
      {"EditUndo", &MainWindow::EditUndo},       {"FileMenu", &MainWindow::FileMenu},
      {"FileQuit", &MainWindow::FileQuit}};
  for (const auto& [name, accessor] : items) {
    EXPECT_EQ(&accessor(w), framework::MenuItem::Lookup(*w.MenuBar(), name).get()) << name;
  }
  EXPECT_NE(dynamic_cast<framework::QuitMenuItem*>(&w.FileQuit()), nullptr);

  w.SetMenuBar(nullptr);
  for (const auto& [name, accessor] : items) {
    EXPECT_THROW(accessor(w), framework::NilObjectException) << name;
  }
}

TEST_F(MainWindowTest, ItsTimerIsARepeatingTimerThatKnowsItsWindow) {
  MainWindow& w = Window();
  framework::Timer& timer = w.Timer1();
  EXPECT_EQ(typeid(timer), typeid(MainWindowTimer1));
  EXPECT_EQ(timer.Window().get(), &w);
  EXPECT_EQ(timer.Mode(), 2);
  // 1000 ms from its string, then 1000 / 24 fps when the window opened.
  EXPECT_EQ(timer.Period(), 42);
  EXPECT_FALSE(timer.Enabled());
}

}  // namespace
