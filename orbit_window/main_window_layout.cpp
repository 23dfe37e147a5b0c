// The main window's layout: its own property string and the strings of its 39 controls.
//
// Sections
//   1. Shared values: alignments, the timer mode, the edge locks in use (colours, bounds, locks
//      and the head of every control's string come from LayoutWriting)
//   2. The window's own string
//   3. One builder per control class, each writing its class's entries in their fixed order
//        3.1 Rectangle   3.2 Canvas   3.3 Timer   3.4 PushButton
//        3.5 Label       3.6 TextField   3.7 Slider   3.8 CheckBox
//   4. The controls made by CreateControls0, in creation order (1 to 30)
//   5. The controls made by CreateControls1, in creation order (31 to 39)
//   6. Controls()
//
// A builder takes a small struct of values: the control's name, bounds, locks, tab index and help
// tag, its text where it has one, and only those values in which a control departs from its
// class's common ones. Every other entry is written by the builder with the class's common value.

#include "orbit_window/main_window_layout.hpp"

#include <cstdint>
#include <utility>

#include "shell_parts/layout_writing.hpp"
#include "framework/property_string.hpp"
#include "orbit_window/main_window_help_tags.hpp"

namespace MainWindowLayout {

namespace {

using framework::PropertyStringWriter;
using LayoutWriting::Bounds;
using LayoutWriting::kBlack;
using LayoutWriting::kSystemFont;
using LayoutWriting::kWhite;
using LayoutWriting::Locks;

// ---------------------------------------------------------------------------------------------
// 1. Shared values
// ---------------------------------------------------------------------------------------------

// Label alignment (TextAlign) and text-field alignment (Alignment) number their values
// differently: right is 2 on a label and 3 in a text field.
constexpr std::int32_t kLabelAlignLeft = 0;
constexpr std::int32_t kLabelAlignRight = 2;
constexpr std::int32_t kFieldAlignRight = 3;

// A repeating timer.
constexpr std::int32_t kTimerModeMultiple = 2;

// The left column and the left half of the bottom row stay put; the right column and the right
// half of the bottom row follow the right edge; the two canvases and the eccentricity slider
// stretch with the window.
constexpr Locks kLockLB{.left = true, .bottom = true};
constexpr Locks kLockRB{.right = true, .bottom = true};
constexpr Locks kLockLRB{.left = true, .right = true, .bottom = true};
constexpr Locks kLockTRB{.top = true, .right = true, .bottom = true};
constexpr Locks kLockLTRB{.left = true, .top = true, .right = true, .bottom = true};

// The four font entries of labels, text fields, push buttons and check boxes.
void WriteFont(PropertyStringWriter& w) {
  w.String("TextFont", kSystemFont)
      .Boolean("Bold", false)
      .Boolean("Italic", false)
      .Boolean("Underline", false);
}

ControlLayout Made(std::string_view name, ControlClass control_class,
                   const PropertyStringWriter& w) {
  return ControlLayout{name, control_class, 0, w.Bytes()};
}

// ---------------------------------------------------------------------------------------------
// 2. The window's own string
// ---------------------------------------------------------------------------------------------

std::string BuildWindowProperties() {
  return LayoutWriting::WindowProperties(
      {.width = 692, .height = 559, .min_width = 515, .min_height = 389, .title = "Quillorn"});
}

// ---------------------------------------------------------------------------------------------
// 3.1 Rectangle: a white area with a one-pixel black frame, behind a canvas
// ---------------------------------------------------------------------------------------------

struct RectangleValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view help_tag = HelpTags::kNone;
};

ControlLayout Rectangle(const RectangleValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  // A rectangle stores its tab index before its tab panel, unlike every other control.
  w.Int32("TabIndex", s.tab_index)
      .Int32("TabPanelIndex", 0)
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true)
      .Boolean("Enabled", true)
      .Colour("FillColor", kWhite)
      .Int32("BorderWidth", 1)
      .Colour("TopLeftColor", kBlack)
      .Colour("BottomRightColor", kBlack)
      .String("InitialParent", "");
  return Made(s.name, ControlClass::Rectangle, w);
}

// ---------------------------------------------------------------------------------------------
// 3.2 Canvas: drawn by its Paint handler, never takes the keyboard focus
// ---------------------------------------------------------------------------------------------

struct CanvasValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view help_tag;
  std::string_view initial_parent = "";
};

ControlLayout Canvas(const CanvasValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .Boolean("TabStop", true)
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true)
      .Boolean("Enabled", true)
      .Boolean("UseFocusRing", true)
      .Boolean("AcceptFocus", false)
      .Boolean("AcceptTabs", false)
      .Boolean("DoubleBuffer", false)
      .Boolean("EraseBackground", true)
      .String("InitialParent", s.initial_parent);
  return Made(s.name, ControlClass::Canvas, w);
}

// ---------------------------------------------------------------------------------------------
// 3.3 Timer: no name, bounds, enabled state or help tag; its string holds only mode and period
// ---------------------------------------------------------------------------------------------

struct TimerValues {
  std::string_view name;
  std::int32_t mode;
  std::int32_t period_ms;
};

ControlLayout Timer(const TimerValues& s) {
  PropertyStringWriter w;
  w.Int32("Mode", s.mode).Int32("Period", s.period_ms);
  return Made(s.name, ControlClass::Timer, w);
}

// ---------------------------------------------------------------------------------------------
// 3.4 PushButton
// ---------------------------------------------------------------------------------------------

struct PushButtonValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view caption;
  std::string_view help_tag;
  bool is_default = false;  // answers Return
  bool cancel = false;      // answers Escape
  bool enabled = true;
};

ControlLayout PushButton(const PushButtonValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .Boolean("TabStop", true)
      .String("Caption", s.caption)
      .Boolean("Default", s.is_default)
      .Boolean("Cancel", s.cancel)
      .Boolean("Enabled", s.enabled)
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true)
      .Int32("ButtonStyle", 0);
  WriteFont(w);
  w.String("InitialParent", "");
  return Made(s.name, ControlClass::PushButton, w);
}

// ---------------------------------------------------------------------------------------------
// 3.5 Label: black single-line text; not in the tab order (no TabStop entry)
// ---------------------------------------------------------------------------------------------

struct LabelValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view text;
  std::string_view help_tag;
  std::int32_t text_align = kLabelAlignLeft;
  bool auto_deactivate = true;
};

ControlLayout Label(const LabelValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .String("Text", s.text)
      .Int32("TextAlign", s.text_align)
      .Colour("TextColor", kBlack)
      .Boolean("Multiline", false)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .Boolean("Selectable", false)
      .Boolean("Transparent", false)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", s.auto_deactivate);
  WriteFont(w);
  w.String("DataSource", "").String("DataField", "").String("InitialParent", "");
  return Made(s.name, ControlClass::Label, w);
}

// ---------------------------------------------------------------------------------------------
// 3.6 TextField: framed, right-aligned, unlimited; its string has no InitialParent entry
// ---------------------------------------------------------------------------------------------

struct TextFieldValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view text;
  std::string_view help_tag;
};

ControlLayout TextField(const TextFieldValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .Boolean("TabStop", true)
      .Boolean("Border", true)
      .Boolean("Password", false)
      .Boolean("UseFocusRing", true)
      .Colour("TextColor", kBlack)
      .Colour("BackColor", kWhite)
      .Boolean("Enabled", true)
      .String("Format", "")
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true);
  WriteFont(w);
  w.String("CueText", "")
      .String("Text", s.text)
      .String("Mask", "")
      .Boolean("ReadOnly", false)
      .Int32("LimitText", 0)
      .Boolean("AcceptTabs", false)
      .Int32("Alignment", kFieldAlignRight)
      .Boolean("AutomaticallyCheckSpelling", false)
      .String("DataSource", "")
      .String("DataField", "");
  return Made(s.name, ControlClass::TextField, w);
}

// ---------------------------------------------------------------------------------------------
// 3.7 Slider: reports while the thumb is dragged, no tick marks
// ---------------------------------------------------------------------------------------------

struct SliderValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view help_tag;
  std::int32_t minimum;
  std::int32_t value;
  std::int32_t maximum;
  std::int32_t line_step;
  std::int32_t page_step;
};

ControlLayout Slider(const SliderValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .Boolean("TabStop", true)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true)
      .Int32("Minimum", s.minimum)
      .Int32("Value", s.value)
      .Int32("Maximum", s.maximum)
      .Int32("LineStep", s.line_step)
      .Int32("PageStep", s.page_step)
      .Boolean("LiveScroll", true)
      .Int32("TickStyle", 0)
      .String("InitialParent", "");
  return Made(s.name, ControlClass::Slider, w);
}

// ---------------------------------------------------------------------------------------------
// 3.8 CheckBox: the initial check is stored twice, as State and as Value, always equal
// ---------------------------------------------------------------------------------------------

struct CheckBoxValues {
  std::string_view name;
  Bounds bounds;
  Locks locks;
  std::int32_t tab_index;
  std::string_view caption;
  std::string_view help_tag;
  bool checked;
};

ControlLayout CheckBox(const CheckBoxValues& s) {
  PropertyStringWriter w;
  LayoutWriting::WriteControlHead(w, s.name, s.bounds, s.locks);
  w.Int32("TabPanelIndex", 0)
      .Int32("TabIndex", s.tab_index)
      .Boolean("TabStop", true)
      .String("Caption", s.caption)
      .Boolean("Enabled", true)
      .Boolean("Visible", true)
      .String("HelpTag", s.help_tag)
      .Boolean("AutoDeactivate", true);
  WriteFont(w);
  w.Int32("State", s.checked ? 1 : 0)
      .Boolean("Value", s.checked)
      .String("DataSource", "")
      .String("DataField", "")
      .String("InitialParent", "");
  return Made(s.name, ControlClass::CheckBox, w);
}

// ---------------------------------------------------------------------------------------------
// 4. The controls made by CreateControls0 (1 to 30)
// ---------------------------------------------------------------------------------------------
//
// Design size 692 x 559: margins of 20 at the left, right and bottom and 17 at the top; the orbit
// canvas (x 20 to 416) and the graph canvas (x 431 to 672) side by side, 15 apart, from y 17 to
// 373; rows of controls at y 382, 410-413, 437, 460-463 and 484-487; the buttons at y 519.
// Each canvas lies in a rectangle of exactly its bounds and locks, created just before it, so the
// canvas draws over a white framed area.

std::vector<ControlLayout> MadeByCreateControls0() {
  namespace H = HelpTags;
  return {
      Rectangle({.name = "Rectangle1", .bounds = {20, 17, 396, 356}, .locks = kLockLTRB,
                 .tab_index = 18}),
      Canvas({.name = "cOrbit", .bounds = {20, 17, 396, 356}, .locks = kLockLTRB, .tab_index = 0,
              .help_tag = H::kOrbitView, .initial_parent = "Rectangle1"}),
      // A repeating one-second timer until the frame rate sets its period; the window switches
      // it off when it opens.
      Timer({.name = "Timer1", .mode = kTimerModeMultiple, .period_ms = 1000}),
      PushButton({.name = "pGo", .bounds = {592, 519, 80, 20}, .locks = kLockRB, .tab_index = 2,
                  .caption = "開始", .help_tag = H::kStart, .is_default = true}),
      Label({.name = "lE", .bounds = {20, 413, 65, 20}, .locks = kLockLB, .tab_index = 3,
             .text = "離心率：e", .help_tag = H::kEccentricityEntry}),
      TextField({.name = "tEccentricity", .bounds = {97, 410, 126, 22}, .locks = kLockLB,
                 .tab_index = 4, .text = "0.866", .help_tag = H::kEccentricityRange}),
      TextField({.name = "tDivision", .bounds = {97, 460, 126, 22}, .locks = kLockLB,
                 .tab_index = 8, .text = "300", .help_tag = H::kFrameCount}),
      Label({.name = "lD", .bounds = {20, 462, 65, 20}, .locks = kLockLB, .tab_index = 9,
             .text = "フレーム数", .help_tag = H::kFrameCount}),
      PushButton({.name = "pWrite", .bounds = {126, 519, 80, 20}, .locks = kLockLB,
                  .tab_index = 13, .caption = "書出", .help_tag = H::kWriteTable}),
      // Frames per second.
      Slider({.name = "slSpeed", .bounds = {512, 382, 160, 23}, .locks = kLockRB,
              .tab_index = 19, .help_tag = H::kFrameRate, .minimum = 1, .value = 24,
              .maximum = 30, .line_step = 1, .page_step = 20}),
      Label({.name = "lF", .bounds = {20, 437, 65, 20}, .locks = kLockLB, .tab_index = 20,
             .text = "扁平率：f", .help_tag = H::kFlattening}),
      Label({.name = "lBA", .bounds = {243, 437, 28, 20}, .locks = kLockLB, .tab_index = 21,
             .text = "b/a", .help_tag = H::kAxisRatio}),
      Label({.name = "lFValue", .bounds = {97, 437, 126, 20}, .locks = kLockLB,
             .tab_index = 22, .text = "", .help_tag = H::kFlattening}),
      Label({.name = "lBAValue", .bounds = {283, 437, 116, 20}, .locks = kLockLB,
             .tab_index = 23, .text = "", .help_tag = H::kAxisRatio}),
      // Thousandths of eccentricity. It starts at 99 while the field reads 0.866; the two are
      // brought together when a run starts, not here.
      Slider({.name = "slEccentricity", .bounds = {20, 382, 396, 23}, .locks = kLockLRB,
              .tab_index = 24, .help_tag = H::kEccentricityRange, .minimum = 0, .value = 99,
              .maximum = 999, .line_step = 1, .page_step = 10}),
      TextField({.name = "tFrameRate", .bounds = {431, 382, 49, 22}, .locks = kLockRB,
                 .tab_index = 25, .text = "24", .help_tag = H::kFrameRate}),
      Label({.name = "lFPS", .bounds = {484, 385, 27, 20}, .locks = kLockRB, .tab_index = 26,
             .text = "fps", .help_tag = H::kNone}),
      // Stop is disabled until a run starts. It and the single-step button both answer Escape.
      PushButton({.name = "pStop", .bounds = {411, 519, 80, 20}, .locks = kLockRB,
                  .tab_index = 27, .caption = "停止", .help_tag = H::kStop, .cancel = true,
                  .enabled = false}),
      PushButton({.name = "pQuit", .bounds = {20, 519, 80, 20}, .locks = kLockLB,
                  .tab_index = 28, .caption = "終了", .help_tag = H::kQuit}),
      CheckBox({.name = "cDrawCircle", .bounds = {431, 460, 241, 20}, .locks = kLockRB,
                .tab_index = 29, .caption = "円軌道を表示する。", .help_tag = H::kDrawCircle,
                .checked = true}),
      CheckBox({.name = "cSameCenter", .bounds = {431, 487, 241, 20}, .locks = kLockRB,
                .tab_index = 30, .caption = "円軌道と中心を合わせる。",
                .help_tag = H::kSameCenter, .checked = false}),
      Rectangle({.name = "Rectangle2", .bounds = {431, 17, 241, 356}, .locks = kLockTRB,
                 .tab_index = 31}),
      Canvas({.name = "cPath", .bounds = {431, 17, 241, 356}, .locks = kLockTRB, .tab_index = 0,
              .help_tag = H::kPathGraph, .initial_parent = "Rectangle2"}),
      Label({.name = "lSpeedLabel", .bounds = {431, 413, 57, 20}, .locks = kLockRB,
             .tab_index = 33, .text = "速度比", .help_tag = H::kSpeedRatioLabel}),
      PushButton({.name = "pKomaokuri", .bounds = {500, 519, 80, 20}, .locks = kLockRB,
                  .tab_index = 36, .caption = "こま送り", .help_tag = H::kFrameAdvance,
                  .cancel = true}),
      // The read-outs start empty and show numbers, right-aligned.
      Label({.name = "lStep", .bounds = {283, 463, 116, 20}, .locks = kLockLB, .tab_index = 37,
             .text = "", .help_tag = H::kFrameNumber, .text_align = kLabelAlignRight}),
      Label({.name = "lSpeed", .bounds = {490, 413, 55, 20}, .locks = kLockRB, .tab_index = 38,
             .text = "", .help_tag = H::kSpeedRatio, .text_align = kLabelAlignRight}),
      Label({.name = "lSaiki", .bounds = {431, 437, 57, 20}, .locks = kLockRB, .tab_index = 39,
             .text = "再帰回数", .help_tag = H::kIterationCount}),
      Label({.name = "lSaikiCount", .bounds = {490, 437, 55, 20}, .locks = kLockRB,
             .tab_index = 40, .text = "", .help_tag = H::kIterationCount,
             .text_align = kLabelAlignRight}),
      Label({.name = "lSaikiCountMax", .bounds = {600, 437, 72, 20}, .locks = kLockRB,
             .tab_index = 41, .text = "", .help_tag = H::kIterationCountMax,
             .text_align = kLabelAlignRight, .auto_deactivate = false}),
  };
}

// ---------------------------------------------------------------------------------------------
// 5. The controls made by CreateControls1 (31 to 39)
// ---------------------------------------------------------------------------------------------

std::vector<ControlLayout> MadeByCreateControls1() {
  namespace H = HelpTags;
  return {
      Label({.name = "lSaikiMax", .bounds = {557, 437, 31, 20}, .locks = kLockRB,
             .tab_index = 42, .text = "最大", .help_tag = H::kLargestIterationCount}),
      Label({.name = "lSeido", .bounds = {20, 487, 65, 20}, .locks = kLockLB, .tab_index = 43,
             .text = "小数点以下", .help_tag = H::kPrecision}),
      TextField({.name = "tSeido", .bounds = {97, 484, 126, 22}, .locks = kLockLB,
                 .tab_index = 44, .text = "6", .help_tag = H::kPrecision}),
      // The upper bound of the eccentricity slider, in the row of the eccentricity field.
      Label({.name = "lEmin", .bounds = {243, 413, 156, 20}, .locks = kLockLB, .tab_index = 45,
             .text = "≦ 0.999", .help_tag = H::kNone}),
      // Overlaps lStep by 8 pixels at the design size; created after it, so drawn over it.
      Label({.name = "lBNow", .bounds = {243, 463, 48, 20}, .locks = kLockLB, .tab_index = 46,
             .text = "現在", .help_tag = H::kFrameNumber}),
      PushButton({.name = "pSourceCode", .bounds = {218, 519, 80, 20}, .locks = kLockLB,
                  .tab_index = 47, .caption = "ケプラー", .help_tag = H::kKeplerSource}),
      // Carries the iteration-count tag of lSaikiMax, the "最大" label of the row below; kept as
      // the program has always shown it.
      Label({.name = "lSpeedMaxLabel", .bounds = {557, 413, 31, 20}, .locks = kLockRB,
             .tab_index = 50, .text = "最大", .help_tag = H::kLargestIterationCount}),
      Label({.name = "lSpeedMax", .bounds = {600, 413, 72, 20}, .locks = kLockRB,
             .tab_index = 51, .text = "", .help_tag = H::kSpeedRatioMax,
             .text_align = kLabelAlignRight, .auto_deactivate = false}),
      // The arc-length explanation is not written; the button stays disabled.
      PushButton({.name = "pSourceCode1", .bounds = {309, 519, 80, 20}, .locks = kLockLB,
                  .tab_index = 52, .caption = "楕円の弧長", .help_tag = H::kArcLengthSource,
                  .enabled = false}),
  };
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// 6. Controls()
// ---------------------------------------------------------------------------------------------

std::string WindowProperties() { return BuildWindowProperties(); }

const std::vector<ControlLayout>& Controls() {
  static const std::vector<ControlLayout> controls = [] {
    std::vector<ControlLayout> all = MadeByCreateControls0();
    for (ControlLayout& control : MadeByCreateControls1()) {
      control.creation_batch = 1;
      all.push_back(std::move(control));
    }
    return all;
  }();
  return controls;
}

}  // namespace MainWindowLayout
