// The real program's animation on Qt: what the canvases show at open, while running and after
// Stop, and the result table in the result window. Pixels are compared with a tolerance, since
// the painting is antialiased.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "app/implicit_instance.hpp"
#include "framework/number_conversion.hpp"
#include "framework/object2d.hpp"
#include "framework/qt/qt_text_view.hpp"
#include "framework/runtime.hpp"
#include "program_run.hpp"
#include "qt_test_support.hpp"
#include "shell_parts/caliculate.hpp"

namespace {

// Writing a large table takes a while in the sanitizer build.
std::int32_t RunProgram(const std::function<void(MainWindow&)>& checks) { return qt_test::RunProgram(checks, 20000); }

// The two canvases in the window's content area.
constexpr QPoint kOrbit(20, 17);
constexpr QPoint kPath(431, 17);

class Grab {
 public:
  explicit Grab(const MainWindow& window) : m_image(qt_test::GrabContent(window)) {}

  // The darkest grey level (mean of the channels) within `radius` pixels of canvas point (x, y).
  int Darkest(QPoint canvas, int x, int y, int radius = 1) const {
    int darkest = 255;
    const qreal ratio = m_image.devicePixelRatio();
    for (int dx = -radius; dx <= radius; ++dx) {
      for (int dy = -radius; dy <= radius; ++dy) {
        const QRgb c = m_image.pixel(qRound((canvas.x() + x + dx) * ratio), qRound((canvas.y() + y + dy) * ratio));
        darkest = std::min(darkest, (qRed(c) + qGreen(c) + qBlue(c)) / 3);
      }
    }
    return darkest;
  }

 private:
  QImage m_image;
};

// The orbit body's centre as the model placed it: the ninth shape of a frame with the circle.
QPoint OrbitBody(const MainWindow& window) {
  const auto& body = dynamic_cast<const framework::OvalShape&>(*window.wGroup->Item(8));
  return QPoint(framework::DoubleToInt32(body.X), framework::DoubleToInt32(body.Y));
}

// Grey levels: the light-grey axes (189), the mid-grey circle and diagonal (127), black shapes.
constexpr int kLightGrey = 189;
constexpr int kTolerance = 20;

// A one-pixel mid-grey line, antialiased: darker than a light-grey one could be, lighter than black.
bool MidGrey(int level) { return level >= 110 && level <= 200; }

TEST(ProgramAnimationOnQt, FrameZeroShowsAtOpenAfterStartTheBodyAndCursorMoveAndStopShowsItAgain) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    const Grab opening(window);
    // The axes cross at (198, 178); probes away from every other shape.
    for (const QPoint& axis : {QPoint(5, 178), QPoint(198, 4), QPoint(198, 352), QPoint(390, 178)}) {
      EXPECT_NEAR(opening.Darkest(kOrbit, axis.x(), axis.y(), 0), kLightGrey, kTolerance)
          << axis.x() << "," << axis.y();
    }
    EXPECT_TRUE(MidGrey(opening.Darkest(kOrbit, 317, 59, 2)));  // the circle at 45 degrees
    EXPECT_LT(opening.Darkest(kOrbit, 79, 119, 2), 100);        // the ellipse at 135 degrees
    EXPECT_LT(opening.Darkest(kOrbit, 366, 178, 1), 60);        // the orbit body at perihelion
    EXPECT_TRUE(MidGrey(opening.Darkest(kPath, 60, 267, 2)));   // the diagonal
    EXPECT_NEAR(opening.Darkest(kPath, 200, 178, 0), kLightGrey, kTolerance);  // the half-way line
    EXPECT_EQ(opening.Darkest(kPath, 40, 100, 2), 255);

    window.pGo().Press();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.wNow >= 8.0 && window.wNow <= 200.0; }, 5000));
    const Grab running(window);
    const QPoint body = OrbitBody(window);
    const int cursor = framework::DoubleToInt32(window.wNow * window.wScaleTime);
    EXPECT_NE(body, QPoint(366, 178));
    EXPECT_LT(running.Darkest(kOrbit, body.x(), body.y(), 0), 60);
    EXPECT_LT(running.Darkest(kPath, cursor, 100, 1), 160);  // the time cursor
    EXPECT_EQ(running.Darkest(kPath, 2, 100, 0), 255);       // nothing left of it at that height

    window.pStop().Press();
    const Grab stopped(window);
    EXPECT_LT(stopped.Darkest(kOrbit, 366, 178, 1), 60);
    EXPECT_EQ(stopped.Darkest(kPath, cursor, 100, 1), 255);
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

// Whether any pixel of `area` is darker than mid-grey: text was painted there.
bool Inked(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128) return true;
    }
  }
  return false;
}

TEST(ProgramAnimationOnQt, TheWriteButtonShowsTheTableInTheResultWindow) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    framework::QtPlatform& platform = qt_test::Platform();
    window.tDivision().SetText("20000");
    window.pWrite().Press();
    auto result = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
    ASSERT_NE(result, nullptr);
    auto* view = qobject_cast<framework::QtTextView*>(platform.WidgetFor(result->tResult()));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    // The header, the rows 0 to 20000, and the empty line after the last CR.
    ASSERT_EQ(view->LineCount(), 20003u);
    EXPECT_EQ(view->Line(20002), QString());
    EXPECT_TRUE(view->Line(0).startsWith(QStringLiteral("No\t")));
    EXPECT_EQ(view->Line(20001).section(QLatin1Char('\t'), 0, 0), QStringLiteral("20000"));
    // The columns line up: every cell of the lines sampled here starts at its column's start.
    ASSERT_EQ(view->ColumnStarts().size(), 6u);
    std::vector<std::size_t> sampled = {20001};
    for (std::size_t line = 0; line < 20001; line += 97) sampled.push_back(line);
    for (const std::size_t line : sampled) {
      for (std::size_t cell = 0; cell < 6; ++cell) ASSERT_EQ(view->CellX(line, cell), view->ColumnStarts()[cell]) << line << " " << cell;
    }

    // The band of a line shown `row` lines from the top, within the cell `cell`.
    const int height = view->LineHeight();
    const auto band = [&](int row, std::size_t cell) {
      const int left = framework::QtTextView::kMargin + static_cast<int>(view->ColumnStarts()[cell]);
      return QRect(left, framework::QtTextView::kMargin + row * height, 8, height);
    };
    const QImage first = view->viewport()->grab().toImage();
    for (std::size_t cell = 0; cell < 6; ++cell) EXPECT_TRUE(Inked(first, band(0, cell))) << cell;

    // The Edit menu selects and copies all of it, each CR as a line feed.
    QWidget* top = platform.WindowWidgetFor(*result);
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    view->setFocus();
    platform.ActionFor(*result, window.EditSelectAll())->trigger();
    platform.ActionFor(*result, window.EditCopy())->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(result->tResult().Text()).replace(QLatin1Char('\r'), QLatin1Char('\n')));

    // Ctrl+End shows the last row at the bottom, and the empty line after it.
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    const int last_row = 20001 - view->verticalScrollBar()->value();
    const QImage end = view->viewport()->grab().toImage();
    EXPECT_TRUE(Inked(end, band(last_row, 0)));
    EXPECT_FALSE(Inked(end, band(last_row + 1, 0)));
    EXPECT_GE(view->LineAt(view->viewport()->height() - 4), 20001u);

    // A second write replaces the whole text in the same window and shows its top.
    const QString row_1 = view->Line(2);
    window.tEccentricity().SetText("0.5");
    window.pWrite().Press();
    EXPECT_EQ(framework::GetImplicitWindow(Caliculate::kClassName), result);
    EXPECT_EQ(platform.WidgetFor(result->tResult()), view);
    EXPECT_EQ(view->Text(), result->tResult().Text());
    EXPECT_NE(view->Line(2), row_1);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    EXPECT_FALSE(view->HasSelection());
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
