#pragma once

// The help tags of the main window's controls: the text a control shows when the pointer rests
// on it. Lines are broken by a single CR; some tags end with a CR of their own and some do not,
// and both are kept byte for byte. Several controls share a tag (a label and the field or read-out
// beside it), and such a pair uses one constant so that the two cannot drift apart. The
// rectangles, the "fps" unit label and the "≦ 0.999" bound show no tag: they keep their kind's
// empty one.
//
// Included only by the layout; every other part of the program reaches a help tag through its
// control.

#include <string_view>

namespace MainWindowLayout::HelpTags {

// The orbit canvas: what the figure shows, the grey circle and the axes. Every line, the last
// included, ends with a CR.
inline constexpr std::string_view kOrbitView =
    "楕円と円と軌道上の物体の動きを表示します。\r"
    "「円軌道を表示する」のチェックが入っているときは、"
    "同じ周期（＝同じ長半径）の円軌道を薄いグレーで表示します。\r"
    "薄いグレーの垂直線と水平線は、円の中心を原点とするX軸とY軸、"
    "「円軌道と中心を合わせる」のチェックが入っているときは、"
    "楕円軌道の焦点が円軌道の中心と同じ原点になります。\r";

// The start button: starts or resumes.
inline constexpr std::string_view kStart =
    "開始、もしくは再開します。";

// The eccentricity label: type the eccentricity or set it with the slider.
inline constexpr std::string_view kEccentricityEntry =
    "離心率を入力するか、スライドバーで離心率を変更してください。";

// The eccentricity field and slider: the range 0 to 0.999 and why it stops there.
inline constexpr std::string_view kEccentricityRange =
    "離心率を変更することができます。最小値は0（円）、最大値は0.999です。"
    "これ以上の値になると、ケプラーの方程式の再帰回数が膨大になります。";

// The frame-count field and its label: into how many parts one revolution is cut.
inline constexpr std::string_view kFrameCount =
    "1周を何等分するかを入力します。";

// The write button: what the table holds and how to scale it, with the Earth's meridian as an
// example. Three lines, no CR after the last.
inline constexpr std::string_view kWriteTable =
    "長半径を1（長直径2）とした場合の、"
    "各ステップでの動径（移動距離すなわち楕円の円弧長）を表示します。\r"
    "実際の値にするには、これに実際の長半径を掛ければ計算できます。\r"
    "例えば、軌道ではありませんが、"
    "地球の緯度0度から10度刻みの子午線長を得るには、"
    "離心率＝0.0818191910435、ステップ36とし、"
    "計算結果の動径に地球の長半径＝6378.137 kmを掛けて得ることができます。";

// The frame-rate slider and field: the animation runs slower than the figure says. One line
// ended by a CR.
inline constexpr std::string_view kFrameRate =
    "フレームレートを指定します。ただし、描画が遅いので、"
    "この数値通りには成りません。最速でも11fps程度です。\r";

// The flattening label and its read-out.
inline constexpr std::string_view kFlattening =
    "扁平率を表示します。";

// The b/a label and its read-out: semi-minor axis divided by semi-major axis.
inline constexpr std::string_view kAxisRatio =
    "軌道短半径÷軌道長半径を表示します。";

// The stop button.
inline constexpr std::string_view kStop =
    "停止します。";

// The quit button.
inline constexpr std::string_view kQuit =
    "プログラムを終了します。";

// The check box that shows the circular orbit.
inline constexpr std::string_view kDrawCircle =
    "円軌道と軌道上の物体を薄いグレーで表示します。";

// The check box that puts the ellipse's focus on the circle's centre.
inline constexpr std::string_view kSameCenter =
    "円軌道の中心と、楕円軌道の焦点を同一位置にします。";

// The graph canvas: distance travelled, the 180-degree line, the diagonal of the circular orbit
// and the grey iteration-count graph. Three lines, no CR after the last.
inline constexpr std::string_view kPathGraph =
    "軌道上の物体の移動距離をグラフで表示します。\r"
    "薄いグレーの水平線は、180度の位置、"
    "対角線は円軌道の場合の移動距離を表します。\r"
    "薄いグレーのグラフは、"
    "ケプラーの方程式の再帰回数（実際は再帰ではありませんが）を表示します。"
    "（1ピクセル＝1回です。）";

// The speed-ratio label. Its first line begins with a garbled word (where the read-out's tag has
// 円軌道上の); it is kept as the users have always seen it. Two lines, no CR after the last.
inline constexpr std::string_view kSpeedRatioLabel =
    "延期同上の物体と、楕円軌道上の物体の速度比を表示します。\r"
    "1は円軌道と同じ速さです。1より小さい場合は、円軌道よりも遅く、"
    "１より大きい場合は、円軌道より速く動いています。";

// The single-step button.
inline constexpr std::string_view kFrameAdvance =
    "コマ送りします。";

// The frame-number read-out and its label.
inline constexpr std::string_view kFrameNumber =
    "瞬時のフレーム番号を表示します。";

// The speed-ratio read-out. Two lines, no CR after the last; the second is the label's.
inline constexpr std::string_view kSpeedRatio =
    "円軌道上の物体と、楕円軌道上の物体の速度比を表示します。\r"
    "1は円軌道と同じ速さです。1より小さい場合は、円軌道よりも遅く、"
    "１より大きい場合は、円軌道より速く動いています。";

// The iteration-count label and its read-out.
inline constexpr std::string_view kIterationCount =
    "瞬時に於けるケプラー方程式の再帰回数を表示します。";

// The read-out of the largest iteration count so far.
inline constexpr std::string_view kIterationCountMax =
    "再帰回数のこれまでの最大値です。";

// The label before the largest iteration count; the label before the largest speed ratio carries
// it too.
inline constexpr std::string_view kLargestIterationCount =
    "最大のケプラー方程式の再帰回数を表示します。";

// The decimal-places field and its label: the cut-off precision of Kepler's equation.
inline constexpr std::string_view kPrecision =
    "ケプラー方程式の再帰の打ち切り精度を、小数点の桁数で指定します。";

// The Kepler button.
inline constexpr std::string_view kKeplerSource =
    "ケプラーの方程式のソースコードを表示します。";

// The read-out of the largest speed ratio so far.
inline constexpr std::string_view kSpeedRatioMax =
    "速度比のこれまでの最大値です。";

// The arc-length button, which stays disabled.
inline constexpr std::string_view kArcLengthSource =
    "楕円の弧長計算のソースコードを表示します。（未実装）";

}  // namespace MainWindowLayout::HelpTags
