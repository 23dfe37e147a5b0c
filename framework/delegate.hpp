#pragma once

// Event bindings: a window method bound to a control's event, the window held weakly, so that a
// binding never keeps a closed window alive. An event that reaches a binding whose window is gone
// raises NilObjectException and the handler does not run.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/runtime_exception.hpp"

namespace framework {

class Control;
class Graphics;
class Canvas;
struct Rect;

// What an event carries besides its sender: Paint passes the surface and the areas to repaint.
struct EventArguments {
  Graphics* graphics = nullptr;
  const std::vector<Rect>* areas = nullptr;
};

class Delegate {
 public:
  using Call = std::function<void(Control& sender, const EventArguments& arguments)>;

  Delegate(std::string signature, Call call) : m_signature(std::move(signature)), m_call(std::move(call)) {}

  const std::string& Signature() const { return m_signature; }
  void operator()(Control& sender, const EventArguments& arguments) const { m_call(sender, arguments); }

 private:
  std::string m_signature;
  Call m_call;
};

namespace detail {
template <class W>
std::shared_ptr<W> LockTarget(const std::weak_ptr<W>& target) {
  auto window = target.lock();
  if (!window) throw NilObjectException("the window of this event handler no longer exists");
  return window;
}
[[noreturn]] void ThrowMissingPaintArguments();
}  // namespace detail

// A handler that takes its sender: Action, ValueChanged. The sender is checked-cast to the
// handler's parameter class.
template <class W, class Sender>
Delegate RuntimeCreateDelegate(const std::shared_ptr<W>& window, void (W::*handler)(Sender&),
                               std::string signature) {
  std::weak_ptr<W> target = window;
  return Delegate(std::move(signature), [target, handler](Control& sender, const EventArguments&) {
    auto locked = detail::LockTarget(target);
    ((*locked).*handler)(RuntimeCheckCast<Sender>(sender));
  });
}

// A Paint handler: the canvas, the surface to draw on and the areas to repaint.
template <class W, class CanvasClass, class GraphicsClass>
Delegate RuntimeCreateDelegate(const std::shared_ptr<W>& window,
                               void (W::*handler)(CanvasClass&, GraphicsClass&, const std::vector<Rect>&),
                               std::string signature) {
  std::weak_ptr<W> target = window;
  return Delegate(std::move(signature), [target, handler](Control& sender, const EventArguments& arguments) {
    auto locked = detail::LockTarget(target);
    if (arguments.graphics == nullptr || arguments.areas == nullptr) detail::ThrowMissingPaintArguments();
    ((*locked).*handler)(RuntimeCheckCast<CanvasClass>(sender), *arguments.graphics, *arguments.areas);
  });
}

// Attaches `handler` to the event `event_name` of `control`.
void RuntimeAddEventHandler(Control& control, std::string_view event_name, Delegate handler);

}  // namespace framework
