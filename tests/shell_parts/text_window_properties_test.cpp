#include "shell_parts/text_window_properties.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/property_string.hpp"

namespace {

using framework::Colour;
using framework::PropertyEntry;
using framework::ReadPropertyString;

const Colour kWhite{255, 255, 255};
const Colour kBlack{0, 0, 0};

std::vector<PropertyEntry> Read(const std::string& bytes) {
  // Windows and text areas have no `Value`.
  return ReadPropertyString(bytes, std::nullopt);
}

std::vector<PropertyEntry> ExpectedWindow(const std::string& title) {
  return {{"Placement", 0},
          {"Width", 600},
          {"Height", 400},
          {"MinWidth", 64},
          {"MinHeight", 64},
          {"MaxWidth", 32000},
          {"MaxHeight", 32000},
          {"Frame", 0},
          {"Composite", false},
          {"HasBackColor", false},
          {"BackColor", kWhite},
          {"Title", title},
          {"Visible", true},
          {"FullScreen", false},
          {"MenuBarVisible", true},
          {"CloseButton", true},
          {"Resizeable", true},
          {"LiveResize", true},
          {"MaximizeButton", false},
          {"MinimizeButton", true},
          {"MacProcID", 0}};
}

std::vector<PropertyEntry> ExpectedTextArea(std::int32_t top, bool scrollbar_horizontal,
                                            const std::string& text) {
  const std::string empty;
  return {{"Name", std::string("tResult")},
          {"Index", std::numeric_limits<std::int32_t>::min()},
          {"Left", 20},
          {"Top", top},
          {"Width", 560},
          {"Height", 366},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", true},
          {"LockBottom", true},
          {"TabPanelIndex", 0},
          {"TabIndex", 0},
          {"TabStop", true},
          {"Border", true},
          {"Multiline", true},
          {"ScrollbarHorizontal", scrollbar_horizontal},
          {"ScrollbarVertical", true},
          {"Styled", true},
          {"UseFocusRing", true},
          {"TextColor", kBlack},
          {"BackColor", kWhite},
          {"Enabled", true},
          {"Format", empty},
          {"Visible", true},
          {"HelpTag", empty},
          {"AutoDeactivate", true},
          {"HideSelection", true},
          {"TextFont", std::string("System")},
          {"Bold", false},
          {"Italic", false},
          {"Underline", false},
          {"Text", text},
          {"Mask", empty},
          {"ReadOnly", true},
          {"LimitText", 0},
          {"AcceptTabs", true},
          {"Alignment", 0},
          {"AutomaticallyCheckSpelling", true},
          {"DataSource", empty},
          {"DataField", empty}};
}

std::vector<std::string> SplitAtCr(const std::string& text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\r') {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

TEST(TextWindowProperties, StringsHaveTheirByteLengthsAndReadBackEntryByEntry) {
  using namespace TextWindowProperties;
  const std::string text = KeplarExplanationText();
  struct Case {
    const char* what;
    std::string bytes;
    std::size_t length;
    std::vector<PropertyEntry> entries;
  };
  const Case cases[] = {
      {"Caliculate window", CaliculateWindowProperties(), 279, ExpectedWindow("計算結果")},
      {"Caliculate tResult", CaliculateResultProperties(), 494, ExpectedTextArea(14, true, "")},
      {"Keplar window", KeplarWindowProperties(), 282, ExpectedWindow("Keplar方程式")},
      {"Keplar tResult", KeplarResultProperties(), 494 + text.size(),
       ExpectedTextArea(0, false, text)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.bytes.size(), c.length);
    EXPECT_EQ(Read(c.bytes), c.entries);
  }
}

// The two windows are built alike: their window strings differ only in the title, and their text
// areas only in the top edge, the horizontal scroll bar and the text.
TEST(TextWindowProperties, WindowsDifferOnlyInTitleTopScrollbarAndText) {
  using namespace TextWindowProperties;
  const auto differing = [](const std::string& a, const std::string& b) {
    const std::vector<PropertyEntry> left = Read(a);
    const std::vector<PropertyEntry> right = Read(b);
    std::vector<std::string> names;
    EXPECT_EQ(left.size(), right.size());
    for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
      EXPECT_EQ(left[i].name, right[i].name);
      if (left[i].value != right[i].value) names.push_back(left[i].name);
    }
    return names;
  };
  EXPECT_EQ(differing(CaliculateWindowProperties(), KeplarWindowProperties()),
            (std::vector<std::string>{"Title"}));
  EXPECT_EQ(differing(CaliculateResultProperties(), KeplarResultProperties()),
            (std::vector<std::string>{"Top", "ScrollbarHorizontal", "Text"}));
}

TEST(TextWindowProperties, ExplanationTextHas32CrSeparatedLinesExactly) {
  const std::string text = TextWindowProperties::KeplarExplanationText();
  EXPECT_EQ(text.find('\n'), std::string::npos);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\r');
  const std::vector<std::string> lines = SplitAtCr(text);
  ASSERT_EQ(lines.size(), 32u);

  const std::string rule(99, '-');
  // Line number, TAB at its start, exact text after the TAB. Line 2 is checked below.
  const std::tuple<int, bool, std::string> fixed[] = {
      {1, false, "Keplar方程式のアルゴリズムの説明"},
      {3, false, "無限ループの場合と、再帰を利用した場合を掲載します。"},
      {4, false, "引数は下記の通りです。"},
      {5, false, "Keplar( e As Double, l As Double, u As Double, s As Integer ) As Double"},
      {6, false, "e:離心率"},
      {7, false, "l:平均近点角"},
      {8, false, "u:離心近点角"},
      {9, false, "s:小数点以下桁数（有効数値ではありません。）"},
      {10, false, "下記の通り、u=lとして呼び出します。"},
      {11, false, "u = Keplar( e, l , l, s )"},
      {12, false, rule},
      {13, false, "1.無限ループの場合。（本プログラムはこれを採用）"},
      {14, false, rule},
      {15, false, "Dim du As Double"},
      {16, false, ""},
      {17, false, "Do"},
      {18, true, "du = ( l - u + e * Sin( u ) ) / ( 1 - e * Cos( u ) )"},
      {19, true, "u = u + du"},
      {20, false, "Loop until Round( Abs( du * Pow( 10, s ) ) ) = 0"},
      {21, false, "return u"},
      {22, false, rule},
      {23, false,
       "2.再帰を使った場合。（但し、離心率が1に近い場合にスタックオーバーフローになる可能性が有り"
       "ます。）"},
      {24, false, rule},
      {25, false, "Dim du As Double"},
      {26, false, ""},
      {27, false, "du = ( l - u + e * Sin( u ) ) / ( 1 - e * Cos( u ) )"},
      {28, false, "if Round( Abs( du * Pow( 10, s ) ) ) = 0 then"},
      {29, true, "return u"},
      {30, false, "else"},
      {31, true, "return Keplar( e, l, u + du, s )"},
      {32, false, "end if"},
  };
  for (const auto& [number, tab, expected] : fixed) {
    SCOPED_TRACE("line " + std::to_string(number));
    EXPECT_EQ(lines[number - 1], (tab ? "\t" : "") + expected);
  }
  // No TAB anywhere but at the start of the four indented lines.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t tab = lines[i].find('\t');
    const bool indented = i + 1 == 18 || i + 1 == 19 || i + 1 == 29 || i + 1 == 31;
    EXPECT_EQ(tab, indented ? 0 : std::string::npos) << "line " << i + 1;
    if (indented) {
      EXPECT_EQ(lines[i].find('\t', 1), std::string::npos) << "line " << i + 1;
    }
  }
  // Line 2 is one polite Japanese sentence that mentions "Dim".
  const std::string& line2 = lines[1];
  const std::string full_stop = "。";
  EXPECT_NE(line2.find("Dim"), std::string::npos);
  EXPECT_NE(line2.find("ます"), std::string::npos);
  ASSERT_GE(line2.size(), full_stop.size());
  EXPECT_EQ(line2.substr(line2.size() - full_stop.size()), full_stop);
  EXPECT_EQ(line2.find(full_stop), line2.size() - full_stop.size()) << "more than one sentence";
}

}  // namespace
