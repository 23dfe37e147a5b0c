// The behaviour of the controls: slider range, check-box state, events raised on real changes
// only, user actions that a disabled control ignores, and what the platform is told.

#include "framework/controls.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "framework/property_string.hpp"
#include "framework/timer.hpp"
#include "model_test_support.hpp"

namespace {

using framework::PropertyStringWriter;
using model_test::AddControl;
using model_test::TestWindow;

class ControlsTest : public model_test::ShownWindowTest {
 protected:
  template <class C, class Handler>
  C& AddBound(std::string_view name, std::string_view event, Handler handler,
              std::string_view properties = {}) {
    C& control = AddControl<C>(*window, name, properties);
    Bind(control, event, handler, "( C )");
    return control;
  }
};

std::string SliderRange(std::int32_t minimum, std::int32_t value, std::int32_t maximum) {
  // In the order the program's slider strings hold them.
  return PropertyStringWriter()
      .Int32("Minimum", minimum)
      .Int32("Value", value)
      .Int32("Maximum", maximum)
      .Bytes();
}

TEST_F(ControlsTest, SliderStringKeepsEveryStoredValueWhateverTheOrder) {
  struct Row {
    std::string properties;
    std::int32_t minimum, value, maximum;
  };
  const Row rows[] = {
      {SliderRange(0, 99, 999), 0, 99, 999},
      {SliderRange(1, 24, 30), 1, 24, 30},
      // Value above the default Maximum 100 until the string's own Maximum arrives.
      {SliderRange(0, 500, 999), 0, 500, 999},
      {PropertyStringWriter().Int32("Value", 150).Int32("Maximum", 200).Int32("Minimum", 120).Bytes(), 120,
       150, 200},
      // Only a value that is outside the final range is brought into it.
      {SliderRange(10, 5, 20), 10, 10, 20},
      {SliderRange(10, 25, 20), 10, 20, 20},
      // An empty range pins the value to its Minimum.
      {SliderRange(10, 15, 5), 10, 10, 5},
  };
  int index = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(index);
    auto& slider = AddControl<framework::Slider>(*window, "sl" + std::to_string(index++), row.properties);
    EXPECT_EQ(slider.Minimum(), row.minimum);
    EXPECT_EQ(slider.Value(), row.value);
    EXPECT_EQ(slider.Maximum(), row.maximum);
  }
}

TEST_F(ControlsTest, SliderClampsValuesFromCodeAndRaisesOnlyOnRealChange) {
  auto& slider = AddBound<framework::Slider>("sl", "ValueChanged", &TestWindow::SliderValueChanged,
                                             SliderRange(1, 24, 30));
  slider.SetValue(24);  // no change
  slider.SetValue(31);  // clamped to 30
  slider.SetValue(99);  // still 30: no change
  slider.SetValue(std::numeric_limits<std::int32_t>::min());
  slider.SetProperty("Maximum", std::int32_t{0});  // the range empties: Value follows Minimum, which it is
  slider.SetProperty("Maximum", std::int32_t{30});
  slider.SetValue(20);
  slider.SetProperty("Minimum", std::int32_t{25});  // the range moves past the value and takes it along
  EXPECT_EQ(log, (std::vector<std::string>{"ValueChanged sl 30", "ValueChanged sl 1", "ValueChanged sl 20",
                                           "ValueChanged sl 25"}));

  // A string raises once, for the net change, after the whole range has been applied.
  log.clear();
  framework::SetProperties(slider, SliderRange(0, 99, 999));
  framework::SetProperties(slider, SliderRange(0, 99, 999));
  EXPECT_EQ(log, (std::vector<std::string>{"ValueChanged sl 99"}));
}

TEST_F(ControlsTest, CheckBoxKeepsStateAndValueInStep) {
  auto& box = AddBound<framework::CheckBox>("cb", "Action", &TestWindow::CheckBoxAction);
  const auto state_value = [](std::int32_t state, bool value) {
    return PropertyStringWriter().Int32("State", state).Boolean("Value", value).Bytes();
  };
  framework::SetProperties(box, state_value(1, true));
  EXPECT_EQ(box.State(), 1);
  EXPECT_TRUE(box.Value());
  framework::SetProperties(box, state_value(0, false));
  EXPECT_EQ(box.State(), 0);
  EXPECT_FALSE(box.Value());

  // Mixed reads False, and a Value of False (no change) leaves it mixed; True checks it.
  box.SetProperty("State", std::int32_t{2});
  EXPECT_FALSE(box.Value());
  box.SetValue(false);
  EXPECT_EQ(box.State(), 2);
  box.SetValue(true);
  EXPECT_EQ(box.State(), 1);
  box.SetProperty("State", std::int32_t{0});
  EXPECT_FALSE(box.Value());
  EXPECT_THROW(box.SetProperty("State", std::int32_t{3}), framework::RuntimeException);
  EXPECT_EQ(box.State(), 0);

  EXPECT_EQ(log, (std::vector<std::string>{"Action cb 1", "Action cb 0", "Action cb 1", "Action cb 0"}));
}

TEST_F(ControlsTest, UserActionsReachOnlyEnabledVisibleControlsOfAnOpenShownWindow) {
  auto& button = AddBound<framework::PushButton>("pb", "Action", &TestWindow::ButtonAction);
  auto& slider = AddBound<framework::Slider>("sl", "ValueChanged", &TestWindow::SliderValueChanged);
  auto& box = AddBound<framework::CheckBox>("cb", "Action", &TestWindow::CheckBoxAction);
  auto& field = AddControl<framework::TextField>(*window, "tf");
  auto& area = AddControl<framework::TextArea>(*window, "ta");

  const auto act = [&](const std::string& text) {
    button.Press();
    slider.MoveTo(slider.Value() + 1);
    box.Toggle();
    field.Type(text);
    area.Type(text);
  };
  act("typed");
  EXPECT_EQ(log, (std::vector<std::string>{"Action pb", "ValueChanged sl 1", "Action cb 1"}));
  EXPECT_EQ(field.Text(), "typed");
  EXPECT_EQ(area.Text(), "typed");

  for (framework::RectControl* control :
       std::vector<framework::RectControl*>{&button, &slider, &box, &field, &area}) {
    control->SetEnabled(false);
  }
  log.clear();
  act("ignored");
  for (framework::RectControl* control :
       std::vector<framework::RectControl*>{&button, &slider, &box, &field, &area}) {
    control->SetEnabled(true);
    control->SetVisible(false);
  }
  act("ignored");
  EXPECT_EQ(log, std::vector<std::string>{});
  EXPECT_EQ(field.Text(), "typed");

  // Read-only text is not typed over; code still sets it.
  field.SetVisible(true);
  field.SetProperty("ReadOnly", true);
  field.Type("ignored");
  EXPECT_EQ(field.Text(), "typed");
  field.SetText("by code");
  EXPECT_EQ(field.Text(), "by code");

  // Once the window is closed no user action reaches it.
  button.SetVisible(true);
  window->Close();
  log.clear();
  button.Press();
  EXPECT_EQ(log, std::vector<std::string>{});
}

TEST_F(ControlsTest, PlatformHearsOfRealChangesWhileTheWindowIsShownOnly) {
  auto& label = AddControl<framework::Label>(*window, "lb");
  platform.log.clear();
  label.SetText("a");
  label.SetText("a");
  label.SetProperty("TextAlign", std::int32_t{2});
  label.SetTextUnit(0);
  label.SetTextUnit(1);
  label.Refresh();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"ControlChanged lb", "ControlChanged lb",
                                                    "ControlChanged lb", "ControlChanged lb"}));

  auto& canvas = AddControl<framework::Canvas>(*window, "cv");
  platform.log.clear();
  canvas.Refresh(true);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"RepaintRequested cv"}));

  // A window that was never shown: the model works on, and the platform hears nothing but what
  // its timers do, since they tick all the same.
  auto hidden = std::make_shared<TestWindow>();
  hidden->Constructor();
  auto& quiet = AddControl<framework::Label>(*hidden, "lq");
  auto& timer = AddControl<framework::Timer>(*hidden, "tm");
  platform.log.clear();
  quiet.SetText("changed");
  quiet.Refresh();
  timer.SetPeriod(5);
  EXPECT_EQ(quiet.Text(), "changed");
  EXPECT_EQ(platform.log, std::vector<std::string>{"TimerChanged tm"});
}

TEST_F(ControlsTest, TimerTicksWhileRunningAndTellsThePlatformOfScheduleChanges) {
  auto& timer =
      AddBound<framework::Timer>("tm", "Action", &TestWindow::TimerAction,
                                 PropertyStringWriter().Int32("Mode", 2).Int32("Period", 1000).Bytes());
  platform.log.clear();
  timer.SetPeriod(1000);  // no change
  // A period of 0 or less asks for no ticks, Enabled or not.
  timer.SetPeriod(0);
  EXPECT_FALSE(timer.IsRunning());
  timer.SetPeriod(-5);
  timer.Tick();
  EXPECT_FALSE(timer.IsRunning());
  timer.SetPeriod(1);
  EXPECT_TRUE(timer.IsRunning());
  timer.SetEnabled(false);
  timer.SetEnabled(false);
  timer.Tick();  // a late tick of a stopped timer
  timer.SetEnabled(true);
  timer.Reset();
  EXPECT_EQ(platform.Count("TimerChanged tm"), 6u);
  EXPECT_EQ(platform.Count("ControlChanged tm"), 0u);

  timer.Tick();
  timer.Tick();
  timer.SetMode(1);
  timer.Tick();
  timer.Tick();  // a single-shot timer has turned itself off
  EXPECT_EQ(timer.Mode(), 0);
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_EQ(log, (std::vector<std::string>{"Action tm", "Action tm", "Action tm"}));
  EXPECT_THROW(timer.SetMode(3), framework::RuntimeException);

  timer.SetMode(2);
  EXPECT_TRUE(timer.IsRunning());
  window->Close();
  EXPECT_FALSE(timer.IsRunning());
}

TEST_F(ControlsTest, ButtonsReadTheirCaptionAndRolesFromTheString) {
  auto& button = AddControl<framework::PushButton>(
      *window, "pGo",
      PropertyStringWriter().String("Caption", "\xE9\x96\x8B\xE5\xA7\x8B").Boolean("Default", true).Bytes());
  EXPECT_EQ(button.Caption(), "\xE9\x96\x8B\xE5\xA7\x8B");
  EXPECT_TRUE(button.Default());
  EXPECT_FALSE(button.Cancel());
}

}  // namespace
