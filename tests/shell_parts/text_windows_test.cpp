// The two text windows: the result window and the explanation window the Kepler button shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.hpp"
#include "shell_parts/caliculate.hpp"
#include "shell_parts/constants_chr.hpp"
#include "shell_parts/keplar.hpp"
#include "shell_parts/text_window_properties.hpp"
#include "../app/started_program.hpp"

namespace {

using framework::Rect;

using TextWindows = StartedProgram;

struct TextWindowShape {
  std::string title;
  Rect text_bounds;
  bool horizontal_scroll_bar;
};

// What both windows share, and where they differ.
void ExpectTextWindow(framework::Window& window, framework::TextArea& text, const TextWindowShape& shape) {
  EXPECT_TRUE(window.IsShown());
  EXPECT_EQ(window.Title(), shape.title);
  EXPECT_EQ(window.Width(), 600);
  EXPECT_EQ(window.Height(), 400);
  EXPECT_EQ(window.MinWidth(), 64);
  EXPECT_EQ(window.MinHeight(), 64);
  EXPECT_FALSE(window.MaximizeButton());
  EXPECT_EQ(window.MenuBar(), nullptr);
  ASSERT_EQ(window.ControlCount(), 1u);
  EXPECT_EQ(window.Controls().front().get(), &text);
  EXPECT_EQ(text.Name(), "tResult");
  EXPECT_EQ(text.Bounds(), shape.text_bounds);
  EXPECT_TRUE(text.ReadOnly());
  EXPECT_EQ(text.ScrollbarHorizontal(), shape.horizontal_scroll_bar);
  EXPECT_TRUE(text.ScrollbarVertical());
  EXPECT_EQ(text.LineSpacing(), 1.0);
  EXPECT_EQ(text.TextUnit(), 0);
  EXPECT_EQ(text.HandlerCount(), 0u);

  // The user cannot edit it.
  const std::string before = text.Text();
  text.Type("edited");
  EXPECT_EQ(text.Text(), before);
}

TEST_F(TextWindows, TheResultWindowOpensOnFirstUseAndIsReusedUntilClosed) {
  std::shared_ptr<Caliculate> first = ImplicitInstance::Caliculate();
  ExpectTextWindow(*first, first->tResult(), {"計算結果", {20, 14, 560, 366}, true});
  EXPECT_EQ(first->tResult().Text(), "");
  EXPECT_EQ(framework::OpenWindows().size(), 2u);

  first->tResult().SetText("a table");
  EXPECT_EQ(ImplicitInstance::Caliculate(), first);
  EXPECT_EQ(framework::OpenWindows().size(), 2u);

  first->Close();
  std::shared_ptr<Caliculate> second = ImplicitInstance::Caliculate();
  EXPECT_NE(second, first);
  EXPECT_EQ(second->tResult().Text(), "");  // nothing of the closed window carries over
  EXPECT_EQ(framework::OpenWindows().size(), 2u);
}

TEST_F(TextWindows, TheKeplerButtonShowsOneExplanationWindow) {
  MainWindow& main = Window();
  main.pSourceCode().Press();
  ASSERT_EQ(framework::OpenWindows().size(), 2u);
  std::shared_ptr<Keplar> first = ImplicitInstance::Keplar();
  ExpectTextWindow(*first, first->tResult(), {"Keplar方程式", {20, 0, 560, 366}, false});

  const std::string& text = first->tResult().Text();
  EXPECT_EQ(text, TextWindowProperties::KeplarExplanationText());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 31);  // 32 lines
  EXPECT_EQ(text.find('\n'), std::string::npos);
  EXPECT_NE(text.back(), '\r');

  // Construction showed it, and the press showed it again; a second press brings the same window
  // forward once more.
  EXPECT_EQ(platform.WindowShownCount(*first), 2);
  main.pSourceCode().Press();
  EXPECT_EQ(framework::OpenWindows().size(), 2u);
  EXPECT_EQ(ImplicitInstance::Keplar(), first);
  EXPECT_EQ(platform.WindowShownCount(*first), 3);

  first->Close();
  EXPECT_EQ(framework::OpenWindows().size(), 1u);
  main.pSourceCode().Press();
  std::shared_ptr<Keplar> second = ImplicitInstance::Keplar();
  EXPECT_NE(second, first);
  EXPECT_EQ(second->tResult().Text(), TextWindowProperties::KeplarExplanationText());
}

// The arc-length button is disabled, so the user cannot reach it; its handler would show the
// explanation window all the same.
TEST_F(TextWindows, TheDisabledArcLengthButtonOpensNothingButItsHandlerShowsTheExplanation) {
  MainWindow& main = Window();
  main.pSourceCode1().Press();
  EXPECT_EQ(framework::OpenWindows().size(), 1u);
  main.pSourceCode1_Action(main.pSourceCode1());
  ASSERT_EQ(framework::OpenWindows().size(), 2u);
  EXPECT_EQ(framework::OpenWindows().back(), ImplicitInstance::Keplar());
}

TEST(ConstantsChr, GiveOneControlCharacterEach) {
  const std::vector<std::pair<std::string, int>> separators = {{Constants_Chr::cNewLine(), 13},
                                                               {Constants_Chr::cTab(), 9}};
  for (const auto& [separator, code] : separators) {
    ASSERT_EQ(separator.size(), 1u);
    EXPECT_EQ(separator[0], static_cast<char>(code));
  }
}

}  // namespace
