// Texts outside every field's domain: whatever the user types, each action returns and no
// exception reaches the framework's default handling (FreshProgram checks that at its end).

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "../orbit_math/watchdog.hpp"
#include "orbit_window/result_table.hpp"
#include "orbit_window_support.hpp"
#include "shell_parts/caliculate.hpp"

namespace {

using orbit_test::FreshProgram;

TEST(HostileInputs, EveryActionReturns) {
  struct Row {
    std::string field, text;
  };
  const std::vector<Row> rows = {
      {"tEccentricity", "1"}, {"tEccentricity", "1.5"}, {"tEccentricity", "-2"}, {"tEccentricity", "abc"},
      {"tEccentricity", ""},  {"tDivision", "0"},       {"tDivision", "-5"},     {"tDivision", "2.5"},
      {"tDivision", "1e9"},   {"tSeido", "15"},         {"tSeido", "20"},        {"tSeido", "-3"},
      {"tFrameRate", "0"},    {"tFrameRate", "-5"},     {"tFrameRate", "100000"}};
  for (const Row& row : rows) {
    const std::string name = row.field + " \"" + row.text + "\"";
    SCOPED_TRACE(name);
    Watchdog watchdog(std::chrono::seconds(60), name);
    FreshProgram program;
    MainWindow& w = program.Window();
    framework::RuntimeCheckCast<framework::TextField>(w.ControlByName(row.field)).Type(row.text);
    // The write button reads the fields into the running parameters (Start would bring the
    // eccentricity into the slider's range first); then the animation runs on them.
    w.pWrite().Press();
    w.pKomaokuri().Press();
    w.pGo().Press();  // Continue
    program.Tick(3);
    w.pGo().Press();  // Pause
    w.pKomaokuri().Press();
    w.Resize(800, 640);
    w.pStop().Press();
    w.pGo().Press();  // Start
    program.Tick(3);
    w.pKomaokuri().Press();
    w.Resize(692, 559);
    w.pWrite().Press();
    w.pStop().Press();
    if (row.text == "1e9") {
      auto result = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
      ASSERT_NE(result, nullptr);
      EXPECT_EQ(result->tResult().Text(), ResultTable::TooLargeMessage());
    }
    EXPECT_EQ(w.pGo().Caption(), "開始");
  }
}

}  // namespace
