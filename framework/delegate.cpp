#include "framework/delegate.hpp"

#include "framework/control.hpp"

namespace framework {

namespace detail {
void ThrowMissingPaintArguments() {
  throw RuntimeException(
      "a Paint event reached its handler without a graphics surface or the areas to repaint");
}
}  // namespace detail

void RuntimeAddEventHandler(Control& control, std::string_view event_name, Delegate handler) {
  control.AddEventHandler(event_name, std::move(handler));
}

}  // namespace framework
