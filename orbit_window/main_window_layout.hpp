#pragma once

// The main window's layout as data: the property string of the window itself and of each of its
// 39 controls, in the order in which the window creates them.
//
// Every string is written from its kind's table (framework/property_kinds.hpp), its entries in the
// table's order, and is the exact byte sequence that the property setter reads. The values
// are fixed when the program is built; nothing composes or changes a layout string at run time.
//
// The creation code looks a control up here by position, creates it under `name`, sets its text
// unit where its class has one, then applies `properties`.

#include <string>
#include <string_view>
#include <vector>

namespace MainWindowLayout {

// The framework class of a control. The timer is created as the window's own timer class and is
// otherwise handled as a plain Timer.
enum class ControlClass {
  Rectangle,
  Canvas,
  Timer,
  PushButton,
  Label,
  TextField,
  Slider,
  CheckBox,
};

struct ControlLayout {
  std::string_view name;        // the name the control is registered under, e.g. "pGo"
  ControlClass control_class;
  int creation_batch;           // 0: made by CreateControls0 (the first 30); 1: by CreateControls1
  std::string properties;       // the exact property-string bytes
};

// The window's own string, 21 entries: "Quillorn", 692 x 559, resizable down to 515 x 389,
// visible, with a menu bar and without a maximise button.
std::string WindowProperties();

// All 39 controls in creation order. Built on the first call; every call returns the same vector.
const std::vector<ControlLayout>& Controls();

}  // namespace MainWindowLayout
