// The write button: the table of one revolution into the result window.

#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_window/main_window.hpp"
#include "orbit_window/result_table.hpp"
#include "shell_parts/implicit_instance.hpp"

void MainWindow::pWrite_Action(framework::PushButton&) { WriteResult(); }

void MainWindow::WriteResult() {
  const std::int32_t N = framework::DoubleToInt32(framework::Val(tDivision().Text()));
  // The fields are read afresh, which also hands them to a running animation (without new scales).
  // The step comes from the text itself, not from the rounded N.
  SetParmeter();
  const std::string text =
      N > ResultTable::kMaximumFrames ? ResultTable::TooLargeMessage() : ResultTable::Text(N, wEccentricity, wHeikin);
  // An open result window is reused; a closed one opens anew.
  ImplicitInstance::Caliculate()->tResult().SetText(text);
}
