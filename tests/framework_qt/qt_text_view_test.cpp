// The read-only text view that shows long tables: its lines, its columns, selecting and copying
// with the mouse and keys; inside a model window, focus by click, scrolling by keys and wheel.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "framework/qt/qt_text_view.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::QtTextView;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;

class QtTextViews : public qt_test::QtRun {
 protected:
  // A mouse event on the view's viewport at the left edge of `cell` of `line`, plus `dx` pixels;
  // the line must be on screen.
  static void Mouse(QtTextView& view, QEvent::Type type, std::size_t line, std::size_t cell, Qt::KeyboardModifiers modifiers = {},
                    qreal dx = 1.0) {
    const auto row = static_cast<int>(line) - view.verticalScrollBar()->value();
    const QPointF at(QtTextView::kMargin + view.CellX(line, cell) + dx, QtTextView::kMargin + (row + 0.5) * view.LineHeight());
    QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, modifiers);
    QApplication::sendEvent(view.viewport(), &event);
  }
};

TEST_F(QtTextViews, EachCrLfOrCrLfBreaksOneLine) {
  const std::pair<std::string, std::vector<QString>> rows[] = {
      {"", {""}},       {"one", {"one"}},     {"a\rb\r", {"a", "b", ""}}, {"a\r\nb\nc\r\r\n", {"a", "b", "c", "", ""}},
      {"\n\r", {"", "", ""}}, {"計算\t結果\r\tx", {QString::fromUtf8("計算\t結果"), "\tx"}}};
  QtTextView view;
  for (const auto& [text, lines] : rows) {
    view.SetText(text);
    ASSERT_EQ(view.LineCount(), lines.size()) << text;
    for (std::size_t line = 0; line <= lines.size(); ++line) EXPECT_EQ(view.Line(line), line < lines.size() ? lines[line] : QString());
  }
}

TEST_F(QtTextViews, ColumnsStartAfterTheWidestSampledCellAndAWiderCellPushesOnlyItsLine) {
  QtTextView view;
  const QFontMetricsF metrics(view.font());
  const qreal gap = 2.0 * metrics.horizontalAdvance(QLatin1Char('0'));
  const auto width = [&](const char* text) { return metrics.horizontalAdvance(QString::fromUtf8(text)); };

  // Only cells that a TAB ends count: "wide last cell" ends its line.
  view.SetText("a\tbb\tc\rccc\td\twide last cell");
  ASSERT_EQ(view.ColumnStarts().size(), 3u);
  EXPECT_DOUBLE_EQ(view.ColumnStarts()[1], width("ccc") + gap);
  EXPECT_DOUBLE_EQ(view.ColumnStarts()[2], view.ColumnStarts()[1] + width("bb") + gap);
  EXPECT_EQ(view.CellX(0, 2), view.ColumnStarts()[2]);
  EXPECT_DOUBLE_EQ(view.ContentWidth(), view.ColumnStarts()[2] + width("wide last cell"));

  // A middle line beyond both samples, wider in its first cell than any sampled line: only it is
  // pushed, and as the line with the most bytes it widens the scroll range at once.
  const std::size_t lines = 2 * QtTextView::kSampledLines + 100;
  const std::size_t middle = lines / 2;
  std::string text;
  for (std::size_t line = 0; line < lines; ++line) {
    text += (line == middle ? std::string("a much wider first cell") : std::to_string(line % 10)) + "\tx\r";
  }
  view.SetText(text);
  EXPECT_DOUBLE_EQ(view.ColumnStarts()[1], width("0") + gap);
  for (const std::size_t line : {std::size_t{0}, middle - 1, middle + 1, lines - 1}) {
    EXPECT_EQ(view.CellX(line, 1), view.ColumnStarts()[1]) << line;
  }
  EXPECT_DOUBLE_EQ(view.CellX(middle, 1), width("a much wider first cell") + gap);
  EXPECT_DOUBLE_EQ(view.ContentWidth(), view.CellX(middle, 1) + width("x"));
}

TEST_F(QtTextViews, TheMouseSelectsShiftClickExtendsAndTheKeysCopyWithLf) {
  QtTextView view;
  view.resize(400, 200);
  view.show();
  view.SetText("No\tA\tB\r0\t1.5\t2.25\r1\t3.5\t4.75\r\n2\t5.5\t6.75\r");
  QApplication::clipboard()->setText(QStringLiteral("before"));

  Mouse(view, QEvent::MouseButtonPress, 1, 1, {}, -0.5);
  Mouse(view, QEvent::MouseMove, 2, 2, {}, -0.5);
  Mouse(view, QEvent::MouseButtonRelease, 2, 2, {}, -0.5);
  EXPECT_EQ(view.SelectedText(), QStringLiteral("1.5\t2.25\n1\t3.5\t"));
  // Without a key the clipboard is untouched; Ctrl+C copies.
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1.5\t2.25\n1\t3.5\t"));

  // Shift+click moves the selection's free end; the pressed end stays. The CR LF is one break.
  Mouse(view, QEvent::MouseButtonPress, 3, 1, Qt::ShiftModifier, -0.5);
  EXPECT_EQ(view.SelectedText(), QStringLiteral("1.5\t2.25\n1\t3.5\t4.75\n2\t"));
  // Upwards, past the first cell's start: the selection reaches back over the first line.
  Mouse(view, QEvent::MouseButtonPress, 0, 0, Qt::ShiftModifier, -1.0);
  EXPECT_EQ(view.SelectedText(), QStringLiteral("No\tA\tB\n0\t"));

  QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("No\tA\tB\n0\t1.5\t2.25\n1\t3.5\t4.75\n2\t5.5\t6.75\n"));
}

TEST_F(QtTextViews, InAWindowAClickFocusesKeysAndTheWheelScrollAndTheSameTextKeepsThePlace) {
  std::string text;
  for (int line = 0; line < 1000; ++line) text += std::to_string(line) + "\ta cell wider than the text area that shows it\r";
  auto window = qt_test::MakeWindow(
      [&text](TestWindow& w) {
        Add<framework::TextField>(w, "field", Placed("field", 0, 0, 100, 20).Bytes());
        Add<framework::TextArea>(w, "table",
                                 Placed("table", 0, 30, 200, 150).Boolean("ReadOnly", true).Boolean("ScrollbarHorizontal", true).String("Text", text).Bytes());
      },
      qt_test::WindowString({}));
  auto* view = qt_test::WidgetOf<QtTextView>(window->ControlByName("table"));
  ASSERT_NE(view, nullptr);
  QWidget* top = platform.WindowWidgetFor(*window);
  top->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(top));
  platform.WidgetFor(window->ControlByName("field"))->setFocus();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(view->hasFocus());

  QScrollBar* vertical = view->verticalScrollBar();
  QScrollBar* horizontal = view->horizontalScrollBar();
  ASSERT_TRUE(horizontal->isVisible());  // the lines are wider than 200 pixels
  const int page = vertical->pageStep();
  const int end = vertical->maximum();
  // Each key from where the one before left the view, the horizontal bar put at 5 before each.
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int> presses[] = {
      {Qt::Key_Down, {}, 1, 5},     {Qt::Key_PageDown, {}, 1 + page, 5},  {Qt::Key_Up, {}, page, 5},
      {Qt::Key_PageUp, {}, 0, 5},   {Qt::Key_End, {}, end, 5},            {Qt::Key_Home, {}, 0, 5},
      {Qt::Key_Right, {}, 0, 25},   {Qt::Key_End, Qt::ControlModifier, end, 0}, {Qt::Key_Home, Qt::ControlModifier, 0, 0}};
  for (const auto& [key, modifiers, line, x] : presses) {
    horizontal->setValue(5);
    QTest::keyClick(view, key, modifiers);
    EXPECT_EQ(vertical->value(), line) << key;
    EXPECT_EQ(horizontal->value(), x) << key;
  }
  // At the end the last page holds the last lines, the empty one after the last CR included.
  EXPECT_EQ(static_cast<std::size_t>(end + page), view->LineCount());

  QWheelEvent wheel(QPointF(20, 20), view->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &wheel);
  const int place = vertical->value();
  EXPECT_GT(place, 0);
  static_cast<framework::TextArea&>(window->ControlByName("table")).SetText(text);
  EXPECT_EQ(vertical->value(), place);
}

}  // namespace
