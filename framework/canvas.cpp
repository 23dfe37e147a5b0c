#include "framework/controls.hpp"
#include "framework/graphics.hpp"

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
  // Restored afterwards, also when a Paint handler paints the canvas again from within.
  framework::Graphics* const outer = m_painting;
  m_painting = &graphics;
  struct Restore {
    framework::Graphics*& painting;
    framework::Graphics* outer;
    ~Restore() { painting = outer; }
  } restore{m_painting, outer};
  RaiseEvent("Paint", EventArguments{&graphics, &areas});
}

}  // namespace framework
