// The controls of the Qt platform: one widget per control, made by its kind's adapter when its
// window is shown or it is added, kept as the model has it, its user actions delivered to the
// model; the tab order.

#include "framework/qt/qt_platform_impl.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

#include <QSignalBlocker>

#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_conversions.hpp"

namespace framework {

namespace {

// The TabIndex by which Tab reaches the widget; none when Tab does not reach it. Looked up only
// for widgets that take the focus by Tab: a label changes on every frame.
std::optional<std::int32_t> TabPlace(const QWidget& widget, const RectControl& control) {
  if ((widget.focusPolicy() & Qt::TabFocus) == 0) return std::nullopt;
  return control.TabIndex();
}

}  // namespace

void QtPlatform::Impl::CreateWidget(qt::WindowView& view, const std::shared_ptr<Control>& control) {
  const qt::ControlAdapter* adapter = qt::AdapterFor(*control);
  if (adapter == nullptr) return;
  QWidget* widget = adapter->create(*view.content, control, *this);
  qt::ControlView& control_view = view.controls[control.get()];
  control_view.control = control;
  control_view.widget = widget;
  control_view.adapter = adapter;
  SyncControl(control_view, *control);
  widget->raise();  // creation order is stacking order, also for a control added later
}

void QtPlatform::Impl::ReplaceWidget(qt::ControlView& view, Control& control) {
  auto [window_view, found] = FindControl(control);
  const auto shared = control.weak_from_this().lock();
  const auto window = control.WindowOrNull();
  if (window_view == nullptr || found != &view || !shared || !window) return;
  QWidget* old = view.widget;
  const bool had_focus = old->hasFocus();
  CreateWidget(*window_view, shared);  // into the same entry, which now holds the new widget
  QWidget* fresh = view.widget;
  fresh->stackUnder(old);
  if (had_focus) fresh->setFocus();
  Retire(old);
  ApplyTabOrder(*window_view, *window);
}

void QtPlatform::Impl::SyncControl(qt::ControlView& view, Control& control) {
  QWidget* widget = view.widget;
  if (widget == nullptr || view.adapter == nullptr) return;
  const qt::ControlAdapter& adapter = *view.adapter;
  if (adapter.still_shows != nullptr && !adapter.still_shows(*widget, control)) {
    ReplaceWidget(view, control);
    return;
  }
  // Only visible controls have an adapter.
  const auto& rect_control = static_cast<const RectControl&>(control);
  const QSignalBlocker blocker(widget);

  const Rect bounds = rect_control.Bounds();
  const QRect geometry(bounds.left, bounds.top, std::max(0, bounds.width), std::max(0, bounds.height));
  if (widget->geometry() != geometry) widget->setGeometry(geometry);
  widget->setEnabled(rect_control.Enabled());
  // Setting a tooltip, even the same, sends the widget an event.
  const QString tool_tip = qt::ToolTip(rect_control.HelpTag());
  if (widget->toolTip() != tool_tip) widget->setToolTip(tool_tip);
  widget->setFocusPolicy(adapter.focus_policy(rect_control));
  adapter.sync(*widget, control);
  // Last, so that a control appears with its final contents.
  widget->setVisible(rect_control.Visible());
}

void QtPlatform::Impl::ApplyTabOrder(qt::WindowView& view, const Window& window) {
  std::vector<std::tuple<std::int32_t, std::size_t, QWidget*>> chain;
  const auto& controls = window.Controls();
  for (std::size_t order = 0; order < controls.size(); ++order) {
    auto* control = dynamic_cast<const RectControl*>(controls[order].get());
    if (control == nullptr) continue;
    const auto found = view.controls.find(control);
    if (found == view.controls.end() || found->second.widget.isNull()) continue;
    QWidget* widget = found->second.widget;
    found->second.tab_place = TabPlace(*widget, *control);
    if (!found->second.tab_place) continue;
    chain.emplace_back(*found->second.tab_place, order, widget);
  }
  std::sort(chain.begin(), chain.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
  });
  for (std::size_t i = 1; i < chain.size(); ++i) {
    QWidget::setTabOrder(std::get<2>(chain[i - 1]), std::get<2>(chain[i]));
  }
}

bool QtPlatform::Impl::TabPlaceChanged(const qt::ControlView& view, const Control& control) {
  if (view.widget.isNull()) return false;
  // Only visible controls have a widget.
  return TabPlace(*view.widget, static_cast<const RectControl&>(control)) != view.tab_place;
}

void QtPlatform::Impl::ControlChanged(Control& control) {
  auto [window_view, control_view] = FindControl(control);
  // A control without a widget is being added to a shown window: it is told its name before the
  // window lists it, where the tab order would miss it. The window tells once it lists it, and
  // its widget is made then.
  if (control_view == nullptr) return;
  SyncControl(*control_view, control);
  // A control added to a shown window may get its TabIndex only after its widget was made.
  if (TabPlaceChanged(*control_view, control)) {
    if (const auto window = control.WindowOrNull()) ApplyTabOrder(*window_view, *window);
  }
}

void QtPlatform::Impl::Repaint(const Canvas& canvas) {
  auto [window_view, control_view] = FindControl(canvas);
  if (control_view != nullptr && control_view->widget) control_view->widget->update();
}

void QtPlatform::Impl::Deliver(const std::weak_ptr<Control>& weak,
                               const std::function<void(Control&)>& action) {
  const auto control = weak.lock();
  if (!control) return;
  qt::CallModel([&] { action(*control); });
  // The action may have closed the window: look the control up again.
  auto [window_view, control_view] = FindControl(*control);
  if (control_view != nullptr) SyncControl(*control_view, *control);
}

}  // namespace framework
