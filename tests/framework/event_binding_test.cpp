// Event bindings: a window method bound to a control's event, the window held weakly.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "framework/delegate.hpp"
#include "framework/graphics.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "model_test_support.hpp"

namespace {

using model_test::AddControl;
using model_test::TestWindow;

using EventBindings = model_test::ShownWindowTest;

TEST_F(EventBindings, ABindingDoesNotKeepItsWindowAlive) {
  auto& slider = AddControl<framework::Slider>(*window, "sl");
  Bind(slider, "ValueChanged", &TestWindow::SliderValueChanged, "( Slider )");
  const std::shared_ptr<framework::Control> kept = window->ControlPointer("sl");
  slider.SetValue(1);
  EXPECT_EQ(log, (std::vector<std::string>{"ValueChanged sl 1"}));

  window->Close();
  std::weak_ptr<framework::Window> gone = window;
  window.reset();
  ASSERT_TRUE(gone.expired());

  // The event still comes (code sets the value), but the binding finds no window to run on.
  framework::RuntimeCheckCast<framework::Slider>(*kept).SetValue(2);
  EXPECT_EQ(log, (std::vector<std::string>{"ValueChanged sl 1", "Close"}));
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
}

TEST_F(EventBindings, AHandlerThatThrowsEndsOnlyItselfAndTheNextOneRuns) {
  auto& button = AddControl<framework::PushButton>(*window, "pb");
  Bind(button, "Action", &TestWindow::ThrowingAction, "( PushButton )");
  Bind(button, "Action", &TestWindow::ButtonAction, "( PushButton )");
  EXPECT_EQ(button.HandlerCount("Action"), 2u);
  button.Press();
  EXPECT_EQ(log, (std::vector<std::string>{"Throwing pb", "Action pb"}));
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
  EXPECT_EQ(framework::RuntimeExit(), 1);
}

TEST_F(EventBindings, OnlyTheEventsOfTheControlsClassCanBeBound) {
  auto& label = AddControl<framework::Label>(*window, "lb");
  auto& slider = AddControl<framework::Slider>(*window, "sl");
  const auto action = framework::RuntimeCreateDelegate(window, &TestWindow::ButtonAction, "( PushButton )");
  EXPECT_THROW(framework::RuntimeAddEventHandler(label, "Action", action), framework::RuntimeException);
  EXPECT_THROW(framework::RuntimeAddEventHandler(slider, "Action", action), framework::RuntimeException);
  EXPECT_EQ(label.HandlerCount() + slider.HandlerCount(), 0u);

  // A handler bound to the wrong class of sender is refused when it runs, not silently misused.
  framework::RuntimeAddEventHandler(slider, "ValueChanged", action);
  slider.SetValue(3);
  EXPECT_EQ(log, std::vector<std::string>{});
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
}

TEST_F(EventBindings, PaintHandsTheSurfaceAndTheAreasToTheHandler) {
  auto& canvas = AddControl<framework::Canvas>(*window, "cv");
  Bind(canvas, "Paint", &TestWindow::CanvasPaint, "( Canvas, Graphics, Rect() )");
  framework::NullGraphics surface;
  canvas.Paint(surface, {framework::Rect{0, 0, 10, 10}, framework::Rect{5, 5, 1, 1}});
  EXPECT_EQ(log, (std::vector<std::string>{"Paint cv on its surface, 2 areas"}));
  // Outside Paint the canvas's surface keeps nothing, and is not the one painted on.
  EXPECT_NE(&canvas.Graphics(), &surface);
  EXPECT_EQ(framework::UnhandledExceptionCount(), 0);
}

}  // namespace
