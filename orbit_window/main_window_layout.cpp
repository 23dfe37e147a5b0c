// The main window's layout: its own property string and the strings of its 39 controls.
//
// Sections
//   1. Shared values: alignments and the edge locks in use
//   2. One writer per control class
//   3. The window's own string
//   4. The controls made by CreateControls0, in creation order (1 to 30)
//   5. The controls made by CreateControls1, in creation order (31 to 39)
//   6. Controls()
//
// Each control states its name, bounds and edge locks, and then only the entries in which it
// departs from its kind's defaults (framework/property_kinds.hpp): its tab index, help tag and
// text where they are not 0 or empty, and the few values of its own. Every other entry of its
// string is written with its kind's default. A setting that the kind does not hold, or a value of
// the wrong type, does not compile.

#include "orbit_window/main_window_layout.hpp"

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "app/layout_writing.hpp"
#include "framework/kind_writer.hpp"
#include "framework/property_kinds.hpp"
#include "framework/property_names.hpp"
#include "orbit_window/main_window_help_tags.hpp"

namespace MainWindowLayout {

namespace {

namespace K = framework::kinds;
namespace P = framework::prop;
using LayoutWriting::Bounds;
using LayoutWriting::Locks;

// ---------------------------------------------------------------------------------------------
// 1. Shared values
// ---------------------------------------------------------------------------------------------

// Label alignment (TextAlign) and text-field alignment (Alignment) number their values
// differently: right is 2 on a label and 3 in a text field.
constexpr std::int32_t kLabelAlignRight = 2;
constexpr std::int32_t kFieldAlignRight = 3;

// The left column and the left half of the bottom row stay put; the right column and the right
// half of the bottom row follow the right edge; the two canvases and the eccentricity slider
// stretch with the window.
constexpr Locks kLockLB{.left = true, .bottom = true};
constexpr Locks kLockRB{.right = true, .bottom = true};
constexpr Locks kLockLRB{.left = true, .right = true, .bottom = true};
constexpr Locks kLockTRB{.top = true, .right = true, .bottom = true};
constexpr Locks kLockLTRB{.left = true, .top = true, .right = true, .bottom = true};

// ---------------------------------------------------------------------------------------------
// 2. One writer per control class
// ---------------------------------------------------------------------------------------------

template <const framework::PropertyKind& Kind>
using Settings = std::initializer_list<framework::KindSetting<Kind>>;

template <const framework::PropertyKind& Kind>
ControlLayout Made(ControlClass control_class, framework::KindWriter<Kind> w, std::string_view name,
                   Bounds bounds, Locks locks) {
  LayoutWriting::SetControlHead(w, name, bounds, locks);
  return ControlLayout{name, control_class, 0, w.Bytes()};
}

ControlLayout Rectangle(std::string_view name, Bounds bounds, Locks locks, Settings<K::Rectangle> settings) {
  return Made<K::Rectangle>(ControlClass::Rectangle, settings, name, bounds, locks);
}

ControlLayout Canvas(std::string_view name, Bounds bounds, Locks locks, Settings<K::Canvas> settings) {
  return Made<K::Canvas>(ControlClass::Canvas, settings, name, bounds, locks);
}

ControlLayout PushButton(std::string_view name, Bounds bounds, Locks locks,
                         Settings<K::PushButton> settings) {
  return Made<K::PushButton>(ControlClass::PushButton, settings, name, bounds, locks);
}

ControlLayout Label(std::string_view name, Bounds bounds, Locks locks, Settings<K::Label> settings) {
  return Made<K::Label>(ControlClass::Label, settings, name, bounds, locks);
}

// Every text field of this window holds a number, and numbers line up on the right.
ControlLayout TextField(std::string_view name, Bounds bounds, Locks locks, Settings<K::TextField> settings) {
  framework::KindWriter<K::TextField> w(settings);
  w.Set<P::Alignment>(kFieldAlignRight);
  return Made<K::TextField>(ControlClass::TextField, std::move(w), name, bounds, locks);
}

ControlLayout Slider(std::string_view name, Bounds bounds, Locks locks, Settings<K::Slider> settings) {
  return Made<K::Slider>(ControlClass::Slider, settings, name, bounds, locks);
}

ControlLayout CheckBox(std::string_view name, Bounds bounds, Locks locks, Settings<K::CheckBox> settings) {
  return Made<K::CheckBox>(ControlClass::CheckBox, settings, name, bounds, locks);
}

// ---------------------------------------------------------------------------------------------
// 3. The window's own string
// ---------------------------------------------------------------------------------------------

std::string BuildWindowProperties() {
  return LayoutWriting::WindowProperties(
      {.width = 692, .height = 559, .min_width = 515, .min_height = 389, .title = "Quillorn"});
}

// ---------------------------------------------------------------------------------------------
// 4. The controls made by CreateControls0 (1 to 30)
// ---------------------------------------------------------------------------------------------
//
// Design size 692 x 559: margins of 20 at the left, right and bottom and 17 at the top; the orbit
// canvas (x 20 to 416) and the graph canvas (x 431 to 672) side by side, 15 apart, from y 17 to
// 373; rows of controls at y 382, 410-413, 437, 460-463 and 484-487; the buttons at y 519.
// Each canvas lies in a rectangle of exactly its bounds and locks, created just before it, so the
// canvas draws over a white framed area; a canvas's tab stop counts within its rectangle (0).

std::vector<ControlLayout> MadeByCreateControls0() {
  namespace H = HelpTags;
  return {
      Rectangle("Rectangle1", {20, 17, 396, 356}, kLockLTRB, {{P::TabIndex, 18}}),
      Canvas("cOrbit", {20, 17, 396, 356}, kLockLTRB,
             {{P::HelpTag, H::kOrbitView}, {P::InitialParent, "Rectangle1"}}),
      // A repeating one-second timer until the frame rate sets its period (the kind's defaults);
      // the window switches it off when it opens.
      ControlLayout{"Timer1", ControlClass::Timer, 0, framework::KindWriter<K::Timer>().Bytes()},
      PushButton("pGo", {592, 519, 80, 20}, kLockRB,
                 {{P::TabIndex, 2}, {P::Caption, "開始"}, {P::HelpTag, H::kStart}, {P::Default, true}}),
      Label("lE", {20, 413, 65, 20}, kLockLB,
            {{P::TabIndex, 3}, {P::Text, "離心率：e"}, {P::HelpTag, H::kEccentricityEntry}}),
      TextField("tEccentricity", {97, 410, 126, 22}, kLockLB,
                {{P::TabIndex, 4}, {P::Text, "0.866"}, {P::HelpTag, H::kEccentricityRange}}),
      TextField("tDivision", {97, 460, 126, 22}, kLockLB,
                {{P::TabIndex, 8}, {P::Text, "300"}, {P::HelpTag, H::kFrameCount}}),
      Label("lD", {20, 462, 65, 20}, kLockLB,
            {{P::TabIndex, 9}, {P::Text, "フレーム数"}, {P::HelpTag, H::kFrameCount}}),
      PushButton("pWrite", {126, 519, 80, 20}, kLockLB,
                 {{P::TabIndex, 13}, {P::Caption, "書出"}, {P::HelpTag, H::kWriteTable}}),
      // Frames per second.
      Slider("slSpeed", {512, 382, 160, 23}, kLockRB,
             {{P::TabIndex, 19}, {P::HelpTag, H::kFrameRate}, {P::Minimum, 1}, {P::SliderValue, 24},
              {P::Maximum, 30}, {P::PageStep, 20}}),
      Label("lF", {20, 437, 65, 20}, kLockLB,
            {{P::TabIndex, 20}, {P::Text, "扁平率：f"}, {P::HelpTag, H::kFlattening}}),
      Label("lBA", {243, 437, 28, 20}, kLockLB,
            {{P::TabIndex, 21}, {P::Text, "b/a"}, {P::HelpTag, H::kAxisRatio}}),
      Label("lFValue", {97, 437, 126, 20}, kLockLB, {{P::TabIndex, 22}, {P::HelpTag, H::kFlattening}}),
      Label("lBAValue", {283, 437, 116, 20}, kLockLB, {{P::TabIndex, 23}, {P::HelpTag, H::kAxisRatio}}),
      // Thousandths of eccentricity. It starts at 99 while the field reads 0.866; the two are
      // brought together when a run starts, not here.
      Slider("slEccentricity", {20, 382, 396, 23}, kLockLRB,
             {{P::TabIndex, 24}, {P::HelpTag, H::kEccentricityRange}, {P::SliderValue, 99},
              {P::Maximum, 999}}),
      TextField("tFrameRate", {431, 382, 49, 22}, kLockRB,
                {{P::TabIndex, 25}, {P::Text, "24"}, {P::HelpTag, H::kFrameRate}}),
      Label("lFPS", {484, 385, 27, 20}, kLockRB, {{P::TabIndex, 26}, {P::Text, "fps"}}),
      // Stop is disabled until a run starts. It and the single-step button both answer Escape.
      PushButton("pStop", {411, 519, 80, 20}, kLockRB,
                 {{P::TabIndex, 27}, {P::Caption, "停止"}, {P::HelpTag, H::kStop}, {P::Cancel, true},
                  {P::Enabled, false}}),
      PushButton("pQuit", {20, 519, 80, 20}, kLockLB,
                 {{P::TabIndex, 28}, {P::Caption, "終了"}, {P::HelpTag, H::kQuit}}),
      // The check is stored twice, as State and as Value, always equal.
      CheckBox("cDrawCircle", {431, 460, 241, 20}, kLockRB,
               {{P::TabIndex, 29}, {P::Caption, "円軌道を表示する。"}, {P::HelpTag, H::kDrawCircle},
                {P::State, 1}, {P::CheckBoxValue, true}}),
      CheckBox("cSameCenter", {431, 487, 241, 20}, kLockRB,
               {{P::TabIndex, 30}, {P::Caption, "円軌道と中心を合わせる。"}, {P::HelpTag, H::kSameCenter}}),
      Rectangle("Rectangle2", {431, 17, 241, 356}, kLockTRB, {{P::TabIndex, 31}}),
      Canvas("cPath", {431, 17, 241, 356}, kLockTRB,
             {{P::HelpTag, H::kPathGraph}, {P::InitialParent, "Rectangle2"}}),
      Label("lSpeedLabel", {431, 413, 57, 20}, kLockRB,
            {{P::TabIndex, 33}, {P::Text, "速度比"}, {P::HelpTag, H::kSpeedRatioLabel}}),
      PushButton("pKomaokuri", {500, 519, 80, 20}, kLockRB,
                 {{P::TabIndex, 36}, {P::Caption, "こま送り"}, {P::HelpTag, H::kFrameAdvance},
                  {P::Cancel, true}}),
      // The read-outs start empty and show numbers, right-aligned.
      Label("lStep", {283, 463, 116, 20}, kLockLB,
            {{P::TabIndex, 37}, {P::HelpTag, H::kFrameNumber}, {P::TextAlign, kLabelAlignRight}}),
      Label("lSpeed", {490, 413, 55, 20}, kLockRB,
            {{P::TabIndex, 38}, {P::HelpTag, H::kSpeedRatio}, {P::TextAlign, kLabelAlignRight}}),
      Label("lSaiki", {431, 437, 57, 20}, kLockRB,
            {{P::TabIndex, 39}, {P::Text, "再帰回数"}, {P::HelpTag, H::kIterationCount}}),
      Label("lSaikiCount", {490, 437, 55, 20}, kLockRB,
            {{P::TabIndex, 40}, {P::HelpTag, H::kIterationCount}, {P::TextAlign, kLabelAlignRight}}),
      Label("lSaikiCountMax", {600, 437, 72, 20}, kLockRB,
            {{P::TabIndex, 41}, {P::HelpTag, H::kIterationCountMax}, {P::TextAlign, kLabelAlignRight},
             {P::AutoDeactivate, false}}),
  };
}

// ---------------------------------------------------------------------------------------------
// 5. The controls made by CreateControls1 (31 to 39)
// ---------------------------------------------------------------------------------------------

std::vector<ControlLayout> MadeByCreateControls1() {
  namespace H = HelpTags;
  return {
      Label("lSaikiMax", {557, 437, 31, 20}, kLockRB,
            {{P::TabIndex, 42}, {P::Text, "最大"}, {P::HelpTag, H::kLargestIterationCount}}),
      Label("lSeido", {20, 487, 65, 20}, kLockLB,
            {{P::TabIndex, 43}, {P::Text, "小数点以下"}, {P::HelpTag, H::kPrecision}}),
      TextField("tSeido", {97, 484, 126, 22}, kLockLB,
                {{P::TabIndex, 44}, {P::Text, "6"}, {P::HelpTag, H::kPrecision}}),
      // The upper bound of the eccentricity slider, in the row of the eccentricity field.
      Label("lEmin", {243, 413, 156, 20}, kLockLB, {{P::TabIndex, 45}, {P::Text, "≦ 0.999"}}),
      // Overlaps lStep by 8 pixels at the design size; created after it, so drawn over it.
      Label("lBNow", {243, 463, 48, 20}, kLockLB,
            {{P::TabIndex, 46}, {P::Text, "現在"}, {P::HelpTag, H::kFrameNumber}}),
      PushButton("pSourceCode", {218, 519, 80, 20}, kLockLB,
                 {{P::TabIndex, 47}, {P::Caption, "ケプラー"}, {P::HelpTag, H::kKeplerSource}}),
      // Carries the iteration-count tag of lSaikiMax, the "最大" label of the row below; kept as
      // the program has always shown it.
      Label("lSpeedMaxLabel", {557, 413, 31, 20}, kLockRB,
            {{P::TabIndex, 50}, {P::Text, "最大"}, {P::HelpTag, H::kLargestIterationCount}}),
      Label("lSpeedMax", {600, 413, 72, 20}, kLockRB,
            {{P::TabIndex, 51}, {P::HelpTag, H::kSpeedRatioMax}, {P::TextAlign, kLabelAlignRight},
             {P::AutoDeactivate, false}}),
      // The arc-length explanation is not written; the button stays disabled.
      PushButton("pSourceCode1", {309, 519, 80, 20}, kLockLB,
                 {{P::TabIndex, 52}, {P::Caption, "楕円の弧長"}, {P::HelpTag, H::kArcLengthSource},
                  {P::Enabled, false}}),
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
