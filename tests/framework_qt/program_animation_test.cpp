// The real program's animation on Qt: what the canvases show at open, while running and after
// Stop, and the result table in the result window. Pixels are compared with a tolerance, since
// the painting is antialiased.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>

#include <QImage>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include "app/caliculate.hpp"
#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/number_conversion.hpp"
#include "framework/object2d.hpp"
#include "framework/runtime.hpp"
#include "qt_test_support.hpp"

namespace {

// Runs the program; `checks` runs once the event loop has started and ends the run with Quit.
// A run that hangs is ended after 20 s.
std::int32_t RunProgram(const std::function<void(MainWindow&)>& checks) {
  QTimer start;
  start.setSingleShot(true);
  QObject::connect(&start, &QTimer::timeout, [&checks]() {
    try {
      checks(*ImplicitInstance::MainWindow());
    } catch (const std::exception& error) {
      ADD_FAILURE() << "the checks threw: " << error.what();
    }
    if (!framework::QuitRequested()) framework::Quit(77);
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, []() {
    ADD_FAILURE() << "the program still ran after 20 s";
    framework::Quit(78);
  });
  start.start(0);
  watchdog.start(20000);
  const std::int32_t status = ProgramMain(qt_test::Platform());
  qt_test::ProcessEvents();
  return status;
}

// The two canvases in the window's content area.
constexpr QPoint kOrbit(20, 17);
constexpr QPoint kPath(431, 17);

class Grab {
 public:
  explicit Grab(const MainWindow& window)
      : m_image(qt_test::Platform().ContentWidgetFor(window)->grab().toImage().convertToFormat(QImage::Format_RGB32)) {}

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

TEST(ProgramAnimationOnQt, TheWriteButtonShowsTheTableInTheResultWindow) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    window.pWrite().Press();
    auto result = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
    ASSERT_NE(result, nullptr);
    auto* text = qobject_cast<QPlainTextEdit*>(qt_test::Platform().WidgetFor(result->tResult()));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isVisible());
    QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.takeLast(), QString());  // the last line ends too
    EXPECT_EQ(lines.size(), 302);
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("No\t")));
    EXPECT_EQ(lines.back().section(QLatin1Char('\t'), 0, 0), QStringLiteral("300"));
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
