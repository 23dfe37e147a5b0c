#pragma once

// The orbit comparison window: the window that opens at start and carries the animation, the
// graph, the read-outs and every control of the program but those of the two text windows.
//
// Sections
//   1. Identity and construction hooks
//   2. The properties: the state of the animation
//   3. Control accessors, in creation order
//   4. Control event handlers
//   5. Menu-item accessors
//   6. Window events
//   7. Operations: parameters and scales, frames, graph, run states, result table
//
// The window is described by data (orbit_window/main_window_layout.hpp); the construction hooks
// create its controls from that data and bind their handlers. Code reaches a control only
// through its accessor, which looks it up by name on every call, so nothing here holds a control.
//
// The methods are defined in one file per concern:
//   main_window.cpp               construction, accessors, bindings, the explanation buttons
//   main_window_parameters.cpp    reading the fields, fitting the scales, mapping coordinates
//   main_window_run_states.cpp    the run states, their handlers and the animation step
//   main_window_drawing.cpp       a frame's orbit figure and the two Paint handlers
//   main_window_graph.cpp         the graph and the live read-outs
//   main_window_result_table.cpp  the write button and the result table
//
// The run state (idle, running, paused) is held by no variable: the caption of pGo is the state.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/controls.hpp"
#include "framework/graphics.hpp"
#include "framework/menu_item.hpp"
#include "framework/object2d.hpp"
#include "framework/timer.hpp"
#include "framework/window.hpp"

class MainWindow final : public framework::Window {
 public:
  // ---------------------------------------------------------------------------------------------
  // 1. Identity and construction hooks
  // ---------------------------------------------------------------------------------------------

  static constexpr std::string_view kClassName = "MainWindow.MainWindow";

  std::string_view ClassName() const override { return kClassName; }

  // The shared menu bar, then the window's own properties.
  void Layout() override;
  // CreateControls0, then CreateControls1.
  void CreateControls() override;
  // The controls of the layout's first batch (creation_batch 0), in creation order.
  void CreateControls0();
  // The controls of the layout's second batch (creation_batch 1), in creation order.
  void CreateControls1();

  // ---------------------------------------------------------------------------------------------
  // 2. The properties: the state of the animation. Every number starts at zero and every group
  //    as none.
  // ---------------------------------------------------------------------------------------------

  std::shared_ptr<framework::Group2D> wGroup;       // the shapes of cOrbit for the frame last drawn
  std::int32_t wScale = 0;                          // cOrbit pixels per unit length (a = 1)
  double wSemiMminorAxis = 0.0;                     // b for a = 1
  double wEccentricity = 0.0;                       // e
  double wNow = 0.0;                                // index of the frame being drawn
  double wHeikin = 0.0;                             // mean-anomaly step per frame, radians
  std::int32_t wCenterX = 0;                        // cOrbit pixel x of the figure's origin
  std::int32_t wCenterY = 0;                        // cOrbit pixel y of the figure's origin
  double wShift = 0.0;                              // how far left the ellipse is drawn
  double wScaleTime = 0.0;                          // graph pixels per frame
  std::shared_ptr<framework::Group2D> wGroupGraph;  // the shapes of cPath for the frame last drawn
  std::shared_ptr<framework::Group2D> wPath;        // arc-length graph segments, one per frame index
  double wPreviousLength = 0.0;                     // arc length of the frame last drawn
  double wScaleValue = 0.0;                         // graph pixels per unit arc length
  std::shared_ptr<framework::Group2D> wPath2;       // iteration-count graph segments
  std::int32_t wPreviousSaikiCount = 0;             // iteration count of the frame last drawn
  std::int32_t wSeido = 0;                          // decimal places of the Kepler stopping test

  // ---------------------------------------------------------------------------------------------
  // 3. Control accessors, in creation order. Each looks its control up by name and checks its
  //    class: NilObjectException if the window has no such control, IllegalCastException if it is
  //    of another class.
  // ---------------------------------------------------------------------------------------------

  framework::Rectangle& Rectangle1();
  framework::Canvas& cOrbit();
  framework::Timer& Timer1();  // a MainWindowTimer1
  framework::PushButton& pGo();
  framework::Label& lE();
  framework::TextField& tEccentricity();
  framework::TextField& tDivision();
  framework::Label& lD();
  framework::PushButton& pWrite();
  framework::Slider& slSpeed();
  framework::Label& lF();
  framework::Label& lBA();
  framework::Label& lFValue();
  framework::Label& lBAValue();
  framework::Slider& slEccentricity();
  framework::TextField& tFrameRate();
  framework::Label& lFPS();
  framework::PushButton& pStop();
  framework::PushButton& pQuit();
  framework::CheckBox& cDrawCircle();
  framework::CheckBox& cSameCenter();
  framework::Rectangle& Rectangle2();
  framework::Canvas& cPath();
  framework::Label& lSpeedLabel();
  framework::PushButton& pKomaokuri();
  framework::Label& lStep();
  framework::Label& lSpeed();
  framework::Label& lSaiki();
  framework::Label& lSaikiCount();
  framework::Label& lSaikiCountMax();
  framework::Label& lSaikiMax();
  framework::Label& lSeido();
  framework::TextField& tSeido();
  framework::Label& lEmin();
  framework::Label& lBNow();
  framework::PushButton& pSourceCode();
  framework::Label& lSpeedMaxLabel();
  framework::Label& lSpeedMax();
  framework::PushButton& pSourceCode1();

  // ---------------------------------------------------------------------------------------------
  // 4. Control event handlers, bound when their controls are created. Each receives its sender.
  // ---------------------------------------------------------------------------------------------

  void cOrbit_Paint(framework::Canvas& sender, framework::Graphics& g,
                    const std::vector<framework::Rect>& areas);
  void Timer1_Action(framework::Timer& sender);
  void pGo_Action(framework::PushButton& sender);
  void pWrite_Action(framework::PushButton& sender);
  void slSpeed_ValueChanged(framework::Slider& sender);
  void slEccentricity_ValueChanged(framework::Slider& sender);
  void pStop_Action(framework::PushButton& sender);
  // Ends the program with status 0.
  void pQuit_Action(framework::PushButton& sender);
  void cDrawCircle_Action(framework::CheckBox& sender);
  void cSameCenter_Action(framework::CheckBox& sender);
  void cPath_Paint(framework::Canvas& sender, framework::Graphics& g,
                   const std::vector<framework::Rect>& areas);
  void pKomaokuri_Action(framework::PushButton& sender);
  // Both show the explanation window, opening it if it is not open.
  void pSourceCode_Action(framework::PushButton& sender);
  void pSourceCode1_Action(framework::PushButton& sender);

  // ---------------------------------------------------------------------------------------------
  // 5. Menu-item accessors: the item of that name in the window's menu bar. NilObjectException
  //    when the window has no menu bar or the bar no such item.
  // ---------------------------------------------------------------------------------------------

  framework::MenuItem& EditMenu();
  framework::MenuItem& EditSelectAll();
  framework::MenuItem& UntitledMenu0();
  framework::MenuItem& EditClear();
  framework::MenuItem& EditPaste();
  framework::MenuItem& EditCopy();
  framework::MenuItem& EditCut();
  framework::MenuItem& UntitledMenu1();
  framework::MenuItem& EditUndo();
  framework::MenuItem& FileMenu();
  framework::QuitMenuItem& FileQuit();

  // ---------------------------------------------------------------------------------------------
  // 6. Window events
  // ---------------------------------------------------------------------------------------------

  // Closing the main window ends the program with status 0.
  void Event_Close() override;
  void Event_Resizing() override;
  void Event_Open() override;

  // ---------------------------------------------------------------------------------------------
  // 7. Operations
  // ---------------------------------------------------------------------------------------------

  // Builds the frame of the current wNow (orbit figure, graph, read-outs) into two new groups and
  // asks both canvases to repaint. Leaves wNow and the run state alone.
  void Draw();
  // The two axes of the orbit figure, light grey, across the whole canvas.
  void DrawAxis();
  // The reference circle, its body at the mean anomaly and the body's radius.
  void DrawCircle();
  // Reads the four fields and cSameCenter into the parameters, writes the flattening and b/a
  // read-outs and the timer's period. Touches no scale and no group.
  void SetParmeter();
  // The pixel column (row) of cOrbit at the orbit coordinate x (y, which grows upward).
  std::int32_t ChangeAxisX(double x);
  std::int32_t ChangeAxisY(double y);
  // Fits the figure and the graph to the canvases' current sizes and starts both graph
  // polylines afresh; the frame counter and the previous-frame values stay.
  void Resizing();
  // The time cursor of the graph, at the current frame.
  void DrawGraphAxis();
  // Advances the animation by one frame, wrapping after the last frame of a revolution.
  void OneStep();
  // Writes the table of one revolution into the result window.
  void WriteResult();
  // Reset, parameters, scales, frame 0.
  void OpenSequence();
  // Frame counter, previous-frame values, graph polylines and read-outs back to their start.
  void ResetPosition();
  // Solves Kepler's equation for the frame, adds the graph step and the read-outs, and draws the
  // ellipse with its focus, body and radius vector.
  void DrawOval();

 private:
  // The graph step of DrawOval, run between the arc length and the orbit shapes: the graph's
  // fixed lines, one segment per polyline, the speed and iteration read-outs.
  void DrawGraphStep(double L, std::int32_t count);

  template <class C>
  C& ControlAs(std::string_view name) const;
  framework::MenuItem& MenuItemNamed(std::string_view name) const;
};
