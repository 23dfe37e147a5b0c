#include "app/text_window_properties.hpp"

#include <cstdint>
#include <string_view>

#include "app/layout_writing.hpp"
#include "framework/kind_writer.hpp"
#include "framework/property_names.hpp"

namespace TextWindowProperties {

namespace {

namespace P = framework::prop;

// Both text windows open at 600 x 400 and shrink to 64 x 64 at least.
std::string TextWindow(std::string_view title) {
  return LayoutWriting::WindowProperties(
      {.width = 600, .height = 400, .min_width = 64, .min_height = 64, .title = title});
}

// The read-only text area `tResult` that fills a text window: 20 pixels from the left and right
// edges, 366 high, locked to all four edges so that it follows the window. It takes TABs and
// keeps its text styled; the user may select and copy but not edit.
std::string ResultTextArea(std::int32_t top, bool scrollbar_horizontal, std::string_view text) {
  const LayoutWriting::Bounds bounds{.left = 20, .top = top, .width = 560, .height = 366};
  const LayoutWriting::Locks all_edges{.left = true, .top = true, .right = true, .bottom = true};
  framework::KindWriter<framework::kinds::TextArea> w({
      {P::Styled, true},
      {P::ReadOnly, true},
      {P::AcceptTabs, true},
      {P::AutomaticallyCheckSpelling, true},
  });
  LayoutWriting::SetControlHead(w, "tResult", bounds, all_edges);
  w.Set<P::ScrollbarHorizontal>(scrollbar_horizontal).Set<P::Text>(text);
  return w.Bytes();
}

}  // namespace

std::string CaliculateWindowProperties() { return TextWindow("計算結果"); }

std::string CaliculateResultProperties() {
  return ResultTextArea(/*top=*/14, /*scrollbar_horizontal=*/true, /*text=*/"");
}

std::string KeplarWindowProperties() { return TextWindow("Keplar方程式"); }

std::string KeplarResultProperties() {
  return ResultTextArea(/*top=*/0, /*scrollbar_horizontal=*/false, KeplarExplanationText());
}

std::string KeplarExplanationText() {
  const std::string rule(99, '-');
  // One entry per line; the listings' bodies start with a TAB. The lines are joined with a CR, the
  // line break of every multi-line text in this program.
  const std::string_view lines[] = {
      /*  1 */ "Keplar方程式のアルゴリズムの説明",
      /*  2 */ "以下のリストは、ある開発ツールのプログラム表記で書かれていますが、「Dim」が変数の型を"
               "宣言するものであることが分かれば、その表記をご存じない方でもおおよそ理解できると思います。",
      /*  3 */ "無限ループの場合と、再帰を利用した場合を掲載します。",
      /*  4 */ "引数は下記の通りです。",
      /*  5 */ "Keplar( e As Double, l As Double, u As Double, s As Integer ) As Double",
      /*  6 */ "e:離心率",
      /*  7 */ "l:平均近点角",
      /*  8 */ "u:離心近点角",
      /*  9 */ "s:小数点以下桁数（有効数値ではありません。）",
      /* 10 */ "下記の通り、u=lとして呼び出します。",
      /* 11 */ "u = Keplar( e, l , l, s )",
      /* 12 */ rule,
      /* 13 */ "1.無限ループの場合。（本プログラムはこれを採用）",
      /* 14 */ rule,
      /* 15 */ "Dim du As Double",
      /* 16 */ "",
      /* 17 */ "Do",
      /* 18 */ "\tdu = ( l - u + e * Sin( u ) ) / ( 1 - e * Cos( u ) )",
      /* 19 */ "\tu = u + du",
      /* 20 */ "Loop until Round( Abs( du * Pow( 10, s ) ) ) = 0",
      /* 21 */ "return u",
      /* 22 */ rule,
      /* 23 */ "2.再帰を使った場合。（但し、離心率が1に近い場合にスタックオーバーフローになる可能性が"
               "有ります。）",
      /* 24 */ rule,
      /* 25 */ "Dim du As Double",
      /* 26 */ "",
      /* 27 */ "du = ( l - u + e * Sin( u ) ) / ( 1 - e * Cos( u ) )",
      /* 28 */ "if Round( Abs( du * Pow( 10, s ) ) ) = 0 then",
      /* 29 */ "\treturn u",
      /* 30 */ "else",
      /* 31 */ "\treturn Keplar( e, l, u + du, s )",
      /* 32 */ "end if",
  };
  static_assert(sizeof lines / sizeof lines[0] == 32);

  std::string text;
  for (std::string_view line : lines) {
    text.append(line);
    text += '\r';
  }
  text.pop_back();  // no line break after the last line
  return text;
}

}  // namespace TextWindowProperties
