#include "framework/controls.hpp"
#include "framework/graphics.hpp"
#include "framework/scoped_assignment.hpp"

namespace framework {

Canvas::Canvas() {
  Define("TabStop", true);
  Define("UseFocusRing", true);
  Define("AcceptFocus", false);
  Define("AcceptTabs", false);
  Define("DoubleBuffer", false);
  Define("EraseBackground", true);
  Define("InitialParent", std::string());
}

bool Canvas::AcceptFocus() const { return Get<bool>("AcceptFocus"); }

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
