// The run states and their handlers, and the animation step.
//
// No variable holds the run state: the caption of pGo is the state, "開始" (idle), "一時停止"
// (running) or "続行" (paused). Decisions compare the caption with "開始" and "続行" only, so any
// other caption counts as running. Besides the caption a state shows in Timer1's Enabled and in
// the Enabled of pStop, pKomaokuri, tDivision and tSeido; most transitions write only some of
// them, so what is enabled depends on the road by which a state was entered.

#include <memory>
#include <string_view>

#include "framework/number_conversion.hpp"
#include "framework/runtime.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_window/main_window.hpp"

using framework::DoubleToInt32;
using framework::Int32ToDouble;
using framework::Str;
using framework::Val;

namespace {
constexpr std::string_view kIdleCaption = "開始";
constexpr std::string_view kRunningCaption = "一時停止";
constexpr std::string_view kPausedCaption = "続行";
}  // namespace

void MainWindow::pGo_Action(framework::PushButton& sender) {
  if (sender.Caption() == kIdleCaption) {
    // Start.
    pStop().SetEnabled(true);
    tDivision().SetEnabled(false);
    tSeido().SetEnabled(false);
    // Moving the slider rewrites the eccentricity text in whole thousandths (its ValueChanged
    // runs here), and that text is what the animation then reads.
    slEccentricity().SetValue(DoubleToInt32(Val(tEccentricity().Text()) * 1000.0));
    pKomaokuri().SetEnabled(true);
    sender.SetCaption(kRunningCaption);
    OpenSequence();
    Timer1().SetEnabled(true);
  } else if (sender.Caption() == kPausedCaption) {
    // Continue from the frame shown; nothing is read again.
    pKomaokuri().SetEnabled(false);
    sender.SetCaption(kRunningCaption);
    Timer1().SetEnabled(true);
  } else {
    // Pause.
    Timer1().SetEnabled(false);
    tDivision().SetEnabled(false);
    tSeido().SetEnabled(false);
    pKomaokuri().SetEnabled(true);
    pStop().SetEnabled(true);
    sender.SetCaption(kPausedCaption);
  }
}

void MainWindow::pStop_Action(framework::PushButton& sender) {
  Timer1().SetEnabled(false);
  sender.SetEnabled(false);
  pGo().SetCaption(kIdleCaption);
  pGo().SetEnabled(true);
  pGo().SetDefault(true);
  pKomaokuri().SetEnabled(true);
  tDivision().SetEnabled(true);
  tSeido().SetEnabled(true);
  ResetPosition();
  // Frame 0 with the parameters last read: values typed since wait for the next Start.
  Draw();
}

void MainWindow::pKomaokuri_Action(framework::PushButton&) {
  if (pGo().Caption() == kIdleCaption) {
    // Straight from idle to paused, without a reset or a new reading.
    pGo().SetCaption(kPausedCaption);
    pStop().SetEnabled(true);
  }
  OneStep();
}

void MainWindow::pQuit_Action(framework::PushButton&) { framework::Quit(0); }

void MainWindow::Timer1_Action(framework::Timer&) { OneStep(); }

void MainWindow::slSpeed_ValueChanged(framework::Slider& sender) {
  Timer1().SetPeriod(DoubleToInt32(1000.0 / Int32ToDouble(sender.Value())));
  tFrameRate().SetText(Str(sender.Value()));
}

void MainWindow::slEccentricity_ValueChanged(framework::Slider& sender) {
  tEccentricity().SetText(Str(Int32ToDouble(sender.Value()) / 1000.0));
  lSaikiCountMax().SetText("0");
  lSpeedMax().SetText("");
  SetParmeter();
  Resizing();
  Draw();
}

void MainWindow::cDrawCircle_Action(framework::CheckBox& sender) {
  if (sender.Value()) {
    cSameCenter().SetEnabled(true);
  } else {
    // Clearing the box runs cSameCenter_Action, which takes the shift out of the figure.
    cSameCenter().SetValue(false);
    cSameCenter().SetEnabled(false);
  }
  Draw();
}

void MainWindow::cSameCenter_Action(framework::CheckBox&) {
  // No redraw: the new layout shows at the next frame.
  SetParmeter();
  Resizing();
}

void MainWindow::Event_Open() {
  Timer1().SetEnabled(false);
  OpenSequence();
}

void MainWindow::Event_Close() { framework::Quit(0); }

void MainWindow::Event_Resizing() {
  Resizing();
  Draw();
}

void MainWindow::OneStep() {
  wNow = wNow + 1.0;
  lStep().SetText(Str(wNow));
  Draw();
  // Read after drawing, at every step: a changed frame count moves the wrap at once. A count that
  // does not compare (NaN) wraps as well.
  const double N = Val(tDivision().Text());
  if (!(wNow < N)) {
    wNow = 0.0;
    wPreviousLength = 0.0;
  }
}

void MainWindow::OpenSequence() {
  ResetPosition();
  SetParmeter();
  Resizing();
  Draw();
}

void MainWindow::ResetPosition() {
  lSaikiCountMax().SetText("0");
  lSaikiCount().SetText("0");
  lSpeed().SetText("");
  lSpeedMax().SetText("");
  wNow = 0.0;
  lStep().SetText(Str(wNow));
  wPreviousLength = 0.0;
  wPreviousSaikiCount = 0;
  wPath = std::make_shared<framework::Group2D>();
  wPath2 = std::make_shared<framework::Group2D>();
}
