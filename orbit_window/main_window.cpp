// The orbit comparison window.
//
// Sections
//   1. The event bindings: which handler each handled control's event goes to
//   2. The creation sequence of one control
//   3. Construction hooks
//   4. Control accessors
//   5. Control event handlers
//   6. Menu-item accessors

#include "orbit_window/main_window.hpp"

#include <array>
#include <string>
#include <type_traits>
#include <variant>

#include "framework/delegate.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "orbit_window/main_window_layout.hpp"
#include "orbit_window/main_window_timer1.hpp"
#include "shell_parts/implicit_instance.hpp"

namespace {

using MainWindowLayout::ControlClass;
using MainWindowLayout::ControlLayout;

// -----------------------------------------------------------------------------------------------
// 1. The event bindings
// -----------------------------------------------------------------------------------------------

// A handler of each shape that the window's controls call.
using HandlerPointer = std::variant<
    void (MainWindow::*)(framework::Canvas&, framework::Graphics&, const std::vector<framework::Rect>&),
    void (MainWindow::*)(framework::Timer&),
    void (MainWindow::*)(framework::PushButton&),
    void (MainWindow::*)(framework::Slider&),
    void (MainWindow::*)(framework::CheckBox&)>;

struct EventBinding {
  std::string_view control;
  std::string_view event;
  HandlerPointer handler;
  std::string_view signature;
};

constexpr std::string_view kPaintSignature = "( Canvas, Graphics, Rect() )";
constexpr std::string_view kTimerSignature = "( Timer )";
constexpr std::string_view kPushButtonSignature = "( PushButton )";
constexpr std::string_view kSliderSignature = "( Slider )";
constexpr std::string_view kCheckBoxSignature = "( CheckBox )";

// Every binding of the window, in creation order of the controls. No other control has one.
const std::array<EventBinding, 14> kEventBindings = {{
    {"cOrbit", "Paint", &MainWindow::cOrbit_Paint, kPaintSignature},
    {"Timer1", "Action", &MainWindow::Timer1_Action, kTimerSignature},
    {"pGo", "Action", &MainWindow::pGo_Action, kPushButtonSignature},
    {"pWrite", "Action", &MainWindow::pWrite_Action, kPushButtonSignature},
    {"slSpeed", "ValueChanged", &MainWindow::slSpeed_ValueChanged, kSliderSignature},
    {"slEccentricity", "ValueChanged", &MainWindow::slEccentricity_ValueChanged, kSliderSignature},
    {"pStop", "Action", &MainWindow::pStop_Action, kPushButtonSignature},
    {"pQuit", "Action", &MainWindow::pQuit_Action, kPushButtonSignature},
    {"cDrawCircle", "Action", &MainWindow::cDrawCircle_Action, kCheckBoxSignature},
    {"cSameCenter", "Action", &MainWindow::cSameCenter_Action, kCheckBoxSignature},
    {"cPath", "Paint", &MainWindow::cPath_Paint, kPaintSignature},
    {"pKomaokuri", "Action", &MainWindow::pKomaokuri_Action, kPushButtonSignature},
    {"pSourceCode", "Action", &MainWindow::pSourceCode_Action, kPushButtonSignature},
    {"pSourceCode1", "Action", &MainWindow::pSourceCode1_Action, kPushButtonSignature},
}};

const EventBinding* FindBinding(std::string_view control) {
  for (const EventBinding& binding : kEventBindings) {
    if (binding.control == control) return &binding;
  }
  return nullptr;
}

// A delegate of the binding's handler on `window`, which it holds weakly.
framework::Delegate MakeDelegate(const std::shared_ptr<MainWindow>& window, const EventBinding& binding) {
  return std::visit(
      [&](auto handler) {
        return framework::RuntimeCreateDelegate(window, handler, std::string(binding.signature));
      },
      binding.handler);
}

// -----------------------------------------------------------------------------------------------
// 2. The creation sequence of one control
// -----------------------------------------------------------------------------------------------

// Creates the control of `layout` as a `Created` and handles it from then on as a `Typed` (the
// timer is made as the window's own timer class and is otherwise a plain Timer). Each step after
// the adding finds the control again by name, so the sequence keeps no reference to it.
template <class Typed, class Created = Typed>
void CreateControl(MainWindow& window, const ControlLayout& layout) {
  {
    std::shared_ptr<Created> control = window.New<Created>();
    if constexpr (std::is_same_v<Created, MainWindowTimer1>) control->Constructor();
    window.AddControl(layout.name, control);
  }
  // Set by code, before the string: no layout string has a text unit.
  if constexpr (std::is_base_of_v<framework::TextControl, Typed>) {
    framework::RuntimeCheckCast<Typed>(window.ControlByName(layout.name)).SetTextUnit(0);
  }
  framework::SetProperties(framework::RuntimeCheckCast<Typed>(window.ControlByName(layout.name)),
                           layout.properties);
  if (const EventBinding* binding = FindBinding(layout.name)) {
    auto self = framework::RuntimeCheckCast<MainWindow>(window.shared_from_this());
    framework::RuntimeAddEventHandler(framework::RuntimeCheckCast<Typed>(window.ControlByName(layout.name)),
                                      binding->event, MakeDelegate(self, *binding));
  }
}

void CreateControlBatch(MainWindow& window, int batch) {
  for (const ControlLayout& layout : MainWindowLayout::Controls()) {
    if (layout.creation_batch != batch) continue;
    switch (layout.control_class) {
      case ControlClass::Rectangle:
        CreateControl<framework::Rectangle>(window, layout);
        break;
      case ControlClass::Canvas:
        CreateControl<framework::Canvas>(window, layout);
        break;
      case ControlClass::Timer:
        CreateControl<framework::Timer, MainWindowTimer1>(window, layout);
        break;
      case ControlClass::PushButton:
        CreateControl<framework::PushButton>(window, layout);
        break;
      case ControlClass::Label:
        CreateControl<framework::Label>(window, layout);
        break;
      case ControlClass::TextField:
        CreateControl<framework::TextField>(window, layout);
        break;
      case ControlClass::Slider:
        CreateControl<framework::Slider>(window, layout);
        break;
      case ControlClass::CheckBox:
        CreateControl<framework::CheckBox>(window, layout);
        break;
    }
  }
}

}  // namespace

// -----------------------------------------------------------------------------------------------
// 3. Construction hooks
// -----------------------------------------------------------------------------------------------

void MainWindow::Layout() {
  // The bar that the application already carries: the first reference, at start-up, made it.
  SetMenuBar(ImplicitInstance::MenuBar1());
  framework::SetProperties(*this, MainWindowLayout::WindowProperties());
}

void MainWindow::CreateControls() {
  CreateControls0();
  CreateControls1();
}

void MainWindow::CreateControls0() { CreateControlBatch(*this, 0); }

void MainWindow::CreateControls1() { CreateControlBatch(*this, 1); }

// -----------------------------------------------------------------------------------------------
// 4. Control accessors
// -----------------------------------------------------------------------------------------------

template <class C>
C& MainWindow::ControlAs(std::string_view name) const {
  return framework::RuntimeCheckCast<C>(ControlByName(name));
}

framework::Rectangle& MainWindow::Rectangle1() { return ControlAs<framework::Rectangle>("Rectangle1"); }
framework::Canvas& MainWindow::cOrbit() { return ControlAs<framework::Canvas>("cOrbit"); }
framework::Timer& MainWindow::Timer1() { return ControlAs<framework::Timer>("Timer1"); }
framework::PushButton& MainWindow::pGo() { return ControlAs<framework::PushButton>("pGo"); }
framework::Label& MainWindow::lE() { return ControlAs<framework::Label>("lE"); }
framework::TextField& MainWindow::tEccentricity() { return ControlAs<framework::TextField>("tEccentricity"); }
framework::TextField& MainWindow::tDivision() { return ControlAs<framework::TextField>("tDivision"); }
framework::Label& MainWindow::lD() { return ControlAs<framework::Label>("lD"); }
framework::PushButton& MainWindow::pWrite() { return ControlAs<framework::PushButton>("pWrite"); }
framework::Slider& MainWindow::slSpeed() { return ControlAs<framework::Slider>("slSpeed"); }
framework::Label& MainWindow::lF() { return ControlAs<framework::Label>("lF"); }
framework::Label& MainWindow::lBA() { return ControlAs<framework::Label>("lBA"); }
framework::Label& MainWindow::lFValue() { return ControlAs<framework::Label>("lFValue"); }
framework::Label& MainWindow::lBAValue() { return ControlAs<framework::Label>("lBAValue"); }
framework::Slider& MainWindow::slEccentricity() { return ControlAs<framework::Slider>("slEccentricity"); }
framework::TextField& MainWindow::tFrameRate() { return ControlAs<framework::TextField>("tFrameRate"); }
framework::Label& MainWindow::lFPS() { return ControlAs<framework::Label>("lFPS"); }
framework::PushButton& MainWindow::pStop() { return ControlAs<framework::PushButton>("pStop"); }
framework::PushButton& MainWindow::pQuit() { return ControlAs<framework::PushButton>("pQuit"); }
framework::CheckBox& MainWindow::cDrawCircle() { return ControlAs<framework::CheckBox>("cDrawCircle"); }
framework::CheckBox& MainWindow::cSameCenter() { return ControlAs<framework::CheckBox>("cSameCenter"); }
framework::Rectangle& MainWindow::Rectangle2() { return ControlAs<framework::Rectangle>("Rectangle2"); }
framework::Canvas& MainWindow::cPath() { return ControlAs<framework::Canvas>("cPath"); }
framework::Label& MainWindow::lSpeedLabel() { return ControlAs<framework::Label>("lSpeedLabel"); }
framework::PushButton& MainWindow::pKomaokuri() { return ControlAs<framework::PushButton>("pKomaokuri"); }
framework::Label& MainWindow::lStep() { return ControlAs<framework::Label>("lStep"); }
framework::Label& MainWindow::lSpeed() { return ControlAs<framework::Label>("lSpeed"); }
framework::Label& MainWindow::lSaiki() { return ControlAs<framework::Label>("lSaiki"); }
framework::Label& MainWindow::lSaikiCount() { return ControlAs<framework::Label>("lSaikiCount"); }
framework::Label& MainWindow::lSaikiCountMax() { return ControlAs<framework::Label>("lSaikiCountMax"); }
framework::Label& MainWindow::lSaikiMax() { return ControlAs<framework::Label>("lSaikiMax"); }
framework::Label& MainWindow::lSeido() { return ControlAs<framework::Label>("lSeido"); }
framework::TextField& MainWindow::tSeido() { return ControlAs<framework::TextField>("tSeido"); }
framework::Label& MainWindow::lEmin() { return ControlAs<framework::Label>("lEmin"); }
framework::Label& MainWindow::lBNow() { return ControlAs<framework::Label>("lBNow"); }
framework::PushButton& MainWindow::pSourceCode() { return ControlAs<framework::PushButton>("pSourceCode"); }
framework::Label& MainWindow::lSpeedMaxLabel() { return ControlAs<framework::Label>("lSpeedMaxLabel"); }
framework::Label& MainWindow::lSpeedMax() { return ControlAs<framework::Label>("lSpeedMax"); }
framework::PushButton& MainWindow::pSourceCode1() {
  return ControlAs<framework::PushButton>("pSourceCode1");
}

// -----------------------------------------------------------------------------------------------
// 5. Control event handlers: the explanation buttons. The others live with their concern (see the
//    header).
// -----------------------------------------------------------------------------------------------

// A window that is already open is only brought to the front; one that the user closed is opened
// anew by the accessor.
void MainWindow::pSourceCode_Action(framework::PushButton&) { ImplicitInstance::Keplar()->Show(); }

void MainWindow::pSourceCode1_Action(framework::PushButton&) { ImplicitInstance::Keplar()->Show(); }

// -----------------------------------------------------------------------------------------------
// 6. Menu-item accessors
// -----------------------------------------------------------------------------------------------

framework::MenuItem& MainWindow::MenuItemNamed(std::string_view name) const {
  std::shared_ptr<framework::MenuBar> bar = MenuBar();
  if (!bar) {
    throw framework::NilObjectException("the window " + std::string(kClassName) +
                                        " has no menu bar in which to find the item " + std::string(name));
  }
  return *framework::MenuItem::Lookup(*bar, name);
}

framework::MenuItem& MainWindow::EditMenu() { return MenuItemNamed("EditMenu"); }
framework::MenuItem& MainWindow::EditSelectAll() { return MenuItemNamed("EditSelectAll"); }
framework::MenuItem& MainWindow::UntitledMenu0() { return MenuItemNamed("UntitledMenu0"); }
framework::MenuItem& MainWindow::EditClear() { return MenuItemNamed("EditClear"); }
framework::MenuItem& MainWindow::EditPaste() { return MenuItemNamed("EditPaste"); }
framework::MenuItem& MainWindow::EditCopy() { return MenuItemNamed("EditCopy"); }
framework::MenuItem& MainWindow::EditCut() { return MenuItemNamed("EditCut"); }
framework::MenuItem& MainWindow::UntitledMenu1() { return MenuItemNamed("UntitledMenu1"); }
framework::MenuItem& MainWindow::EditUndo() { return MenuItemNamed("EditUndo"); }
framework::MenuItem& MainWindow::FileMenu() { return MenuItemNamed("FileMenu"); }
framework::QuitMenuItem& MainWindow::FileQuit() {
  return framework::RuntimeCheckCast<framework::QuitMenuItem>(MenuItemNamed("FileQuit"));
}
