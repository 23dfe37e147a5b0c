#include "orbit_window/result_table.hpp"

#include <numbers>
#include <string>

#include "framework/number_conversion.hpp"
#include "framework/text_conversion.hpp"
#include "orbit_math/keplar_module.hpp"
#include "orbit_math/meridional_distance.hpp"
#include "shell_parts/constants_chr.hpp"

namespace ResultTable {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 6.283185307179586;
// The table's own precision: two decimal places, whatever the animation uses.
constexpr std::int32_t kTableDecimals = 2;
// A row is about 60 bytes; reserving once keeps a large table from being copied as it grows.
constexpr std::size_t kBytesPerRow = 64;

}  // namespace

std::string Header() {
  const std::string tab = Constants_Chr::cTab();
  return "No" + tab + "平均近点角(度)" + tab + "平均近点角(rad)" + tab + "離心近点角(度)" + tab +
         "地理緯度(度)" + tab + "弧長" + Constants_Chr::cNewLine();
}

std::string Text(std::int32_t frames, double e, double heikin, std::int64_t max_rounds) {
  using framework::Format;
  const std::string tab = Constants_Chr::cTab();
  const std::string new_line = Constants_Chr::cNewLine();

  std::string text = Header();
  if (frames >= 0) text.reserve(text.size() + (static_cast<std::size_t>(frames) + 1) * kBytesPerRow);
  // 64-bit, so that the loop also ends for frames = INT32_MAX.
  std::int64_t rounds = 0;
  for (std::int64_t row = 0; row <= frames; ++row) {
    const std::int32_t i = static_cast<std::int32_t>(row);
    const double M = heikin * framework::Int32ToDouble(i);
    // The same rounds and result as KeplarLoop, counted.
    std::int32_t count = 0;
    const double E = KeplarModule::KeplarLoopCount(e, M, M, kTableDecimals, count);
    rounds += count;
    if (rounds > max_rounds) return NotConvergingMessage();
    // The last row closes the revolution exactly, which the latitude conversion would miss by its
    // rounding near 2 pi.
    const double phi = i == frames ? kTwoPi : MeridionalDistance::ReducedToGeographicLatitude(E, e);
    // On the circle the arc is the angle itself; the series has no answer there.
    const double L = e == 0.0 ? M : MeridionalDistance::MeridionalDistance(phi, 1.0, e, 3);

    text += Format(framework::Int32ToDouble(i), "-###");
    text += tab;
    text += Format((M / kPi) * 180.0, "-###.0");
    text += tab;
    text += Format(M, "-###.000000");
    text += tab;
    text += Format((E / kPi) * 180.0, "-###.000000");
    text += tab;
    text += Format((phi / kPi) * 180.0, "-###.000000");
    text += tab;
    text += Format(L, "-###.000000");
    text += new_line;
  }
  return text;
}

std::string TooLargeMessage() {
  return "1周のコマ数が多すぎるため、表を作れません(表にできるのは" + std::to_string(kMaximumFrames) +
         "コマまでです)。" + Constants_Chr::cNewLine();
}

std::string NotConvergingMessage() {
  return "ケプラー方程式の反復が収束しないため、表を作れません(離心率は0以上0.999以下にしてください)。" +
         Constants_Chr::cNewLine();
}

}  // namespace ResultTable
