// The result table that the write button puts into the result window.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "orbit_window/result_table.hpp"
#include "orbit_window_support.hpp"
#include "shell_parts/caliculate.hpp"

namespace {

using orbit_test::FreshProgram;
using orbit_test::TableCells;
using Cells = std::vector<std::string>;

const Cells kHeader = {"No", "平均近点角(度)", "平均近点角(rad)", "離心近点角(度)", "地理緯度(度)", "弧長"};

// Types the fields, presses the write button and returns what the result window shows.
std::string Write(MainWindow& w, const std::string& eccentricity, const std::string& frames) {
  w.tEccentricity().Type(eccentricity);
  w.tDivision().Type(frames);
  w.pWrite().Press();
  auto window = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
  if (!window) return "<no result window>";
  EXPECT_TRUE(window->IsShown());
  return window->tResult().Text();
}

TEST(ResultTable, OneLinePerFrameEndedByCarriageReturns) {
  FreshProgram program;
  MainWindow& w = program.Window();

  const std::string text = Write(w, "0.866", "300");
  EXPECT_EQ(text.find('\n'), std::string::npos);
  const auto lines = TableCells(text);
  ASSERT_EQ(lines.size(), 302u);
  EXPECT_EQ(lines[0], kHeader);
  const std::vector<std::pair<int, Cells>> rows = {
      {0, {"0", "0.0", "0.000000", "0.000000", "0.000000", "0.000000"}},
      {1, {"1", "1.2", "0.020944", "8.737020", "17.084213", "0.077126"}},  // E to 2 places only
      {75, {"75", "90.0", "1.570796", "128.715250", "111.842362", "1.849809"}},
      {150, {"150", "180.0", "3.141593", "180.000000", "180.000000", "2.422167"}},
      {299, {"299", "358.8", "6.262241", "351.262980", "342.915787", "4.767208"}},
      {300, {"300", "360.0", "6.283185", "360.000000", "360.000000", "4.844334"}},
  };
  for (const auto& [row, cells] : rows) EXPECT_EQ(lines[row + 1], cells) << "row " << row;
  // Writing touches neither the run state nor the frame.
  EXPECT_EQ(w.pGo().Caption(), "開始");
  EXPECT_EQ(w.wNow, 0.0);

  // The circle, in the same window: the text is replaced, E = M, latitude = M, arc = M.
  const auto circle = TableCells(Write(w, "0", "12"));
  ASSERT_EQ(circle.size(), 14u);
  EXPECT_EQ(framework::OpenWindows().size(), 2u);
  for (int i = 0; i <= 12; ++i) {
    SCOPED_TRACE("circle row " + std::to_string(i));
    const Cells& cells = circle[i + 1];
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[1], std::to_string(30 * i) + ".0");
    EXPECT_EQ(cells[3], std::to_string(30 * i) + ".000000");
    EXPECT_EQ(cells[4], cells[3]);
    EXPECT_EQ(cells[5], cells[2]);
  }

  // The Earth's meridian: 10 degrees a row.
  const auto earth = TableCells(Write(w, "0.0818191910435", "36"));
  ASSERT_EQ(earth.size(), 38u);
  const std::vector<std::pair<int, Cells>> latitudes = {
      {0, {"0.000000", "0.000000"}},    {1, {"10.921016", "0.189355"}},  {2, {"21.802351", "0.378154"}},
      {9, {"94.656720", "1.649711"}},   {18, {"180.000000", "3.136328"}}, {36, {"360.000000", "6.272657"}}};
  for (const auto& [row, cells] : latitudes) {
    EXPECT_EQ(earth[row + 1][1], std::to_string(10 * row) + ".0") << "row " << row;
    EXPECT_EQ((Cells{earth[row + 1][4], earth[row + 1][5]}), cells) << "row " << row;
  }

  // A fractional count: rows up to the rounded count, and the last row closes the revolution
  // although its mean anomaly falls short of it.
  const auto fractional = TableCells(Write(w, "0.866", "300.4"));
  ASSERT_EQ(fractional.size(), 302u);
  EXPECT_EQ(fractional[301][1], "359.5");
  EXPECT_EQ(fractional[301][4], "360.000000");

  // A negative count: the header alone.
  EXPECT_EQ(Write(w, "0.866", "-5"), ResultTable::Header());
  EXPECT_EQ(TableCells(ResultTable::Header()), std::vector<Cells>{kHeader});
}

// The table is built whole in memory, so a count above the limit shows one line instead.
TEST(ResultTable, ACountAboveTheLimitShowsTheMessageInstead) {
  FreshProgram program;
  MainWindow& w = program.Window();
  const std::string message = ResultTable::TooLargeMessage();
  ASSERT_FALSE(message.empty());
  const std::string line = message.back() == '\r' ? message.substr(0, message.size() - 1) : message;
  EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  for (const std::string& frames : {std::to_string(ResultTable::kMaximumFrames + 1), std::string("1e9"),
                                   std::string("1e10")}) {
    EXPECT_EQ(Write(w, "0.866", frames), message) << frames;
  }
  EXPECT_EQ(Write(w, "0.866", "-1e10"), ResultTable::Header());  // saturates at the other end
  // Below the limit the table again, replacing the message.
  const std::string small = Write(w, "0.866", "2");
  EXPECT_EQ(TableCells(small).size(), 4u);
  // At the limit itself still the table, one line per frame more. A circle's rows take one round
  // each, which keeps the million rows quick.
  const std::string largest = Write(w, "0", std::to_string(ResultTable::kMaximumFrames));
  EXPECT_EQ(std::count(largest.begin(), largest.end(), '\r'),
            std::count(small.begin(), small.end(), '\r') + ResultTable::kMaximumFrames - 2);
}

}  // namespace

namespace {

// Outside 0 <= e <= 0.999 a row can take a million rounds; a table that needs more rounds than its
// budget shows one line instead of keeping the window busy for minutes. Inside the domain the
// budget is never met.
TEST(ResultTable, ATableBeyondItsRoundBudgetShowsTheMessageInstead) {
  const std::string message = ResultTable::NotConvergingMessage();
  EXPECT_EQ(message.find_first_of("\r\n"), message.size() - 1);
  const double heikin = ((1.0 / 1000.0) * 2.0) * 3.141592653589793;
  // e = 2 meets the million-round cap within its first thousand rows.
  EXPECT_EQ(ResultTable::Text(1000, 2.0, heikin, 1'000'000), message);
  EXPECT_NE(ResultTable::Text(1000, 0.999, heikin, 1'000'000), message);
  // A budget just below what the rows need, and exactly what they need.
  const std::string table = ResultTable::Text(1000, 0.5, heikin);
  EXPECT_EQ(ResultTable::Text(1000, 0.5, heikin, 2712), message);
  EXPECT_EQ(ResultTable::Text(1000, 0.5, heikin, 2713), table);
}

}  // namespace
