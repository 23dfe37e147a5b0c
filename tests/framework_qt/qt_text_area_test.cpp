// A text area on Qt takes the model's text only when that text changed: typing stays where the
// user put it, and code can still set any text, including the one shown before the typing.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "qt_test_support.hpp"

namespace {

using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;
using qt_test::WidgetOf;

class QtTextAreas : public qt_test::QtRun {};

TEST_F(QtTextAreas, TypingStaysWhereTheUserPutItAndCodeCanSetTheEarlierTextBack) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::TextArea>(w, "notes", Placed("notes", 0, 0, 200, 100).String("Text", "one\rtwo").Bytes());
      },
      qt_test::WindowString({}));
  auto& model = static_cast<framework::TextArea&>(window->ControlByName("notes"));
  auto* area = WidgetOf<QPlainTextEdit>(model);
  ASSERT_NE(area, nullptr);
  ASSERT_EQ(area->toPlainText(), QStringLiteral("one\ntwo"));

  area->moveCursor(QTextCursor::Start);
  QTest::keyClicks(area, "X");
  EXPECT_EQ(model.Text(), "Xone\rtwo");
  // The model's echo of the typing did not set the text anew, which would move the cursor.
  EXPECT_EQ(area->textCursor().position(), 1);

  // Other changes of the control leave the text and the cursor alone.
  model.SetEnabled(false);
  model.SetEnabled(true);
  model.SetWidth(220);
  EXPECT_EQ(area->toPlainText(), QStringLiteral("Xone\ntwo"));
  EXPECT_EQ(area->textCursor().position(), 1);

  // The text from before the typing is a change too.
  model.SetText("one\rtwo");
  EXPECT_EQ(area->toPlainText(), QStringLiteral("one\ntwo"));
  model.SetText("");
  EXPECT_EQ(area->toPlainText(), QString());
}

}  // namespace
