// The translations between the model's values and Qt's: line breaks, captions, shortcuts, opacity.

#include "framework/qt/qt_conversions.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using framework::qt::Alpha;
using framework::qt::Caption;
using framework::qt::DisplayText;
using framework::qt::KeySequence;
using framework::qt::ModelText;
using framework::qt::ToolTip;

TEST(QtConversions, EveryCrIsOneLineBreakAndTypedBreaksComeBackAsCr) {
  struct Row {
    std::string model;
    QString shown;
  };
  const Row rows[] = {
      {"", ""},
      {"one line", "one line"},
      {"a\rb", "a\nb"},
      {"a\r\rb", "a\n\nb"},       // an empty line stays
      {"ends with CR\r", "ends with CR\n"},
      {"\tindented\rnext", "\tindented\nnext"},
      {"開始\r離心率：e", QString::fromUtf8("開始\n離心率：e")},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DisplayText(row.model), row.shown) << row.model;
    EXPECT_EQ(ModelText(row.shown), row.model) << row.model;
  }
  // Line breaks of other origins count once each.
  EXPECT_EQ(DisplayText("a\r\nb\nc"), QStringLiteral("a\nb\nc"));
  EXPECT_EQ(ModelText(QStringLiteral("a\r\nb") + QChar(QChar::ParagraphSeparator) + "c"), "a\rb\rc");
}

TEST(QtConversions, HelpTagsBecomeTooltipsLineForLine) {
  EXPECT_EQ(ToolTip(""), QString());
  EXPECT_TRUE(ToolTip("").isEmpty());
  EXPECT_EQ(ToolTip("line 1\rline 2\rline 3\r"), QStringLiteral("line 1\nline 2\nline 3\n"));
}

TEST(QtConversions, CaptionsShowAmpersandsInsteadOfMnemonics) {
  EXPECT_EQ(Caption("開始"), QString::fromUtf8("開始"));
  EXPECT_EQ(Caption("Save & Quit"), QStringLiteral("Save && Quit"));
  EXPECT_EQ(Caption("&&"), QStringLiteral("&&&&"));
}

TEST(QtConversions, CmdIsTheControlKey) {
  struct Row {
    const char* shortcut;
    QKeySequence expected;
  };
  const Row rows[] = {
      {"Cmd+Q", QKeySequence(Qt::CTRL | Qt::Key_Q)},   {"Cmd+Z", QKeySequence(Qt::CTRL | Qt::Key_Z)},
      {"Cmd+X", QKeySequence(Qt::CTRL | Qt::Key_X)},   {"Cmd+C", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"Cmd+V", QKeySequence(Qt::CTRL | Qt::Key_V)},   {"Cmd+A", QKeySequence(Qt::CTRL | Qt::Key_A)},
      {"Cmd+Shift+S", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"", QKeySequence()},
  };
  for (const Row& row : rows) EXPECT_EQ(KeySequence(row.shortcut), row.expected) << row.shortcut;
  EXPECT_EQ(KeySequence("Cmd+Q").toString(QKeySequence::PortableText), QStringLiteral("Ctrl+Q"));
}

TEST(QtConversions, OpacityInPercentIsAnAlphaClampedToItsRange) {
  struct Row {
    double percent;
    int alpha;
  };
  const Row rows[] = {{0.0, 0},   {100.0, 255}, {50.0, 128}, {1.0, 3},
                      {-5.0, 0},  {150.0, 255}, {std::numeric_limits<double>::quiet_NaN(), 0},
                      {std::numeric_limits<double>::infinity(), 255}};
  for (const Row& row : rows) EXPECT_EQ(Alpha(row.percent), row.alpha) << row.percent;
  EXPECT_EQ(framework::qt::ColourAt(framework::Colour::FromRgb(0x7F7F7F), 50.0), QColor(0x7F, 0x7F, 0x7F, 128));
}

}  // namespace
