// A text area on Qt takes the model's text only when that text changed: typing stays where the
// user put it, and code can still set any text, including the one shown before the typing. A
// read-only area without wrapping is shown by the text view, and changes widget when that changes.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include "framework/qt/qt_text_view.hpp"
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

TEST_F(QtTextAreas, AReadOnlyTableIsShownByTheTextViewUntilItIsNoLonger) {
  const std::string table = "a\tb\rc\td\r";
  auto window = qt_test::MakeWindow(
      [&table](TestWindow& w) {
        Add<framework::TextField>(w, "before", Placed("before", 0, 0, 100, 20).Int32("TabIndex", 0).Bytes());
        Add<framework::TextArea>(w, "table",
                                 Placed("table", 0, 30, 200, 100)
                                     .Int32("TabIndex", 1)
                                     .Boolean("ReadOnly", true)
                                     .Boolean("ScrollbarHorizontal", true)
                                     .String("Text", table)
                                     .Bytes());
      },
      qt_test::WindowString({}));
  auto& model = static_cast<framework::TextArea&>(window->ControlByName("table"));
  QPointer<framework::QtTextView> view = WidgetOf<framework::QtTextView>(model);
  ASSERT_FALSE(view.isNull());
  EXPECT_EQ(view->Text(), table);
  // Both bars, although two short lines need neither; the frame, black on white.
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  EXPECT_TRUE(view->horizontalScrollBar()->isVisible());
  EXPECT_EQ(view->frameShape(), QFrame::StyledPanel);
  EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(view->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));

  // Editable, it is the editor's again, in the same place and with the same text.
  framework::SetProperties(model, framework::PropertyStringWriter().Boolean("ReadOnly", false).Bytes());
  auto* editor = WidgetOf<QPlainTextEdit>(model);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("a\tb\nc\td\n"));
  EXPECT_EQ(editor->geometry(), QRect(0, 30, 200, 100));
  qt_test::ProcessEvents();
  EXPECT_TRUE(view.isNull());

  framework::SetProperties(model, framework::PropertyStringWriter().Boolean("ReadOnly", true).Bytes());
  view = WidgetOf<framework::QtTextView>(model);
  ASSERT_FALSE(view.isNull());
  EXPECT_EQ(view->Text(), table);
  // Still reached by Tab, after the field.
  platform.WindowWidgetFor(*window)->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(platform.WindowWidgetFor(*window)));
  platform.WidgetFor(window->ControlByName("before"))->setFocus();
  QTest::keyClick(platform.WidgetFor(window->ControlByName("before")), Qt::Key_Tab);
  EXPECT_TRUE(view->hasFocus());

  // Added to the shown window, a table gets its properties one by one, and ends in the view.
  Add<framework::TextArea>(*window, "late",
                           Placed("late", 0, 140, 200, 50).Boolean("ReadOnly", true).Boolean("ScrollbarHorizontal", true).Bytes());
  EXPECT_NE(WidgetOf<framework::QtTextView>(window->ControlByName("late")), nullptr);
}

}  // namespace
