#pragma once

// How a kind of model control is shown in Qt. Each kind has one adapter, in the file named after
// the kind (qt_slider_adapter.cpp shows a Slider), which makes the kind's widget, connects the
// widget's signals to the control's user-action entry points and shows the kind's own properties
// on it. What every visible control shares (its rectangle, Enabled, the help tag, Visible, the
// tab order) the platform shows itself, in qt_platform_controls.cpp.

#include <functional>
#include <memory>

#include <QColor>
#include <QPalette>
#include <Qt>

#include "framework/controls.hpp"

class QWidget;

namespace framework::qt {

// The platform, as an adapter's widget reaches it.
class UserActionSink {
 public:
  // Runs a user action on the control, if it still exists, then shows the control as the model
  // now has it, whatever the model made of the action (it may have refused or clamped it).
  virtual void Deliver(const std::weak_ptr<Control>& control, const std::function<void(Control&)>& action) = 0;

 protected:
  ~UserActionSink() = default;
};

struct ControlAdapter {
  // A new widget in `parent` for `control`, whose signals reach the model through `sink`.
  QWidget* (*create)(QWidget& parent, const std::shared_ptr<Control>& control, UserActionSink& sink);
  // Shows the kind's own properties on the widget that `create` made; runs with the widget's
  // signals blocked, on every change of the control (a label's on every frame).
  void (*sync)(QWidget& widget, const Control& control);
  // How the widget takes the focus.
  Qt::FocusPolicy (*focus_policy)(const RectControl& control);
  // Whether the widget that `create` made can still show the control; null for a kind whose
  // widget always can. When it cannot, the platform has `create` make another.
  bool (*still_shows)(const QWidget& widget, const Control& control) = nullptr;
};

// The adapter of a kind; null for a kind that is no visible control (a window, a timer) or that
// this platform does not know. An adapter takes the control for an object of its kind's class:
// each class holds the kind of its own name.
const ControlAdapter* AdapterFor(const PropertyKind& kind);
// The adapter of the control's kind; for a visible control of a kind that has none, one that
// shows an empty area, so that the control's geometry still shows; null for a control that is
// not visible (a timer).
const ControlAdapter* AdapterFor(const Control& control);

// The adapters, one file each.
extern const ControlAdapter kRectangleAdapter;
extern const ControlAdapter kCanvasAdapter;
extern const ControlAdapter kPushButtonAdapter;
extern const ControlAdapter kLabelAdapter;
extern const ControlAdapter kTextFieldAdapter;
extern const ControlAdapter kTextAreaAdapter;
extern const ControlAdapter kSliderAdapter;
extern const ControlAdapter kCheckBoxAdapter;

// What several adapters share.

// Labels and rectangles never take the focus.
Qt::FocusPolicy NoFocus(const RectControl& control);
// Controls with a TabStop take the focus by Tab and by click, the others only by click; a kind
// without TabStop never.
Qt::FocusPolicy FocusByTabStop(const RectControl& control);
// Bold, italic and underline, set only where they differ.
void SyncFont(QWidget& widget, const TextControl& control);
// Sets a colour role for the active and inactive window, leaving the disabled look to the style.
void SetPaletteColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace framework::qt
