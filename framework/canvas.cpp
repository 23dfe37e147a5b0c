#include "framework/controls.hpp"
#include "framework/graphics.hpp"
#include "framework/scoped_assignment.hpp"

namespace framework {

Canvas::Canvas() : RectControl(kinds::Canvas) {}

bool Canvas::AcceptFocus() const { return Get(prop::AcceptFocus); }

framework::Graphics& Canvas::Graphics() {
  // Drawing outside Paint is not kept: the next Paint draws the whole canvas again.
  static NullGraphics discard;
  return m_painting != nullptr ? *m_painting : discard;
}

void Canvas::Paint(framework::Graphics& graphics, const std::vector<Rect>& areas) {
  // Put back afterwards, also when a Paint handler paints the canvas again from within.
  const ScopedAssignment painting(m_painting, &graphics);
  RaiseEvent("Paint", EventArguments{&graphics, &areas});
}

}  // namespace framework
