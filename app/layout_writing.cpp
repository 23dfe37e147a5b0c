#include "app/layout_writing.hpp"

namespace LayoutWriting {

std::string WindowProperties(const WindowValues& values) {
  namespace P = framework::prop;
  // A new window of the framework is hidden and can be maximised; every window here opens at once
  // and keeps the size its user gives it.
  framework::KindWriter<framework::kinds::Window> w({{P::Visible, true}, {P::MaximizeButton, false}});
  w.Set<P::Width>(values.width)
      .Set<P::Height>(values.height)
      .Set<P::MinWidth>(values.min_width)
      .Set<P::MinHeight>(values.min_height)
      .Set<P::Title>(values.title);
  return w.Bytes();
}

}  // namespace LayoutWriting
