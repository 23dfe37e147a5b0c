#include "shell_parts/layout_writing.hpp"

namespace LayoutWriting {

std::string WindowProperties(const WindowValues& values) {
  framework::PropertyStringWriter w;
  w.Int32("Placement", 0)
      .Int32("Width", values.width)
      .Int32("Height", values.height)
      .Int32("MinWidth", values.min_width)
      .Int32("MinHeight", values.min_height)
      .Int32("MaxWidth", 32000)
      .Int32("MaxHeight", 32000)
      .Int32("Frame", 0)
      .Boolean("Composite", false)
      .Boolean("HasBackColor", false)
      .Colour("BackColor", kWhite)
      .String("Title", values.title)
      .Boolean("Visible", true)
      .Boolean("FullScreen", false)
      .Boolean("MenuBarVisible", true)
      .Boolean("CloseButton", true)
      .Boolean("Resizeable", true)
      .Boolean("LiveResize", true)
      .Boolean("MaximizeButton", false)
      .Boolean("MinimizeButton", true)
      .Int32("MacProcID", 0);
  return w.Bytes();
}

void WriteControlHead(framework::PropertyStringWriter& w, std::string_view name, Bounds bounds,
                      Locks locks) {
  w.String("Name", name)
      .Int32("Index", kNoControlArray)
      .Int32("Left", bounds.left)
      .Int32("Top", bounds.top)
      .Int32("Width", bounds.width)
      .Int32("Height", bounds.height)
      .Boolean("LockLeft", locks.left)
      .Boolean("LockTop", locks.top)
      .Boolean("LockRight", locks.right)
      .Boolean("LockBottom", locks.bottom);
}

}  // namespace LayoutWriting
