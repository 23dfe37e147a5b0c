// A window paints at most once per display refresh: the pacer's decisions on a clock the test
// sets, and a real window that is asked for far more paints than that.

#include "framework/qt/qt_paint_pacer.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "qt_test_support.hpp"

namespace {

using framework::qt::PaintPacer;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t k60Hz = 16'666'667;

TEST(PaintPacer, TheIntervalIsTheScreensRefreshOrSixtyHertzWhenTheScreenSaysNothingUsable) {
  const struct {
    double hz;
    std::int64_t interval_ns;
  } cases[] = {
      {60.0, k60Hz},
      {144.0, 6'944'444},
      {30.0, 33'333'333},
      {0.0, k60Hz},
      {-60.0, k60Hz},
      {1.0, k60Hz},
      {1e6, k60Hz},
      {std::numeric_limits<double>::quiet_NaN(), k60Hz},
      {std::numeric_limits<double>::infinity(), k60Hz},
  };
  for (const auto& c : cases) EXPECT_EQ(PaintPacer::IntervalNs(c.hz), c.interval_ns) << c.hz << " Hz";
}

TEST(PaintPacer, HoldsRequestsWithinAnIntervalOfThePaintAndJoinsThemIntoOne) {
  // Each step: at `at` ms, a request (or the release of the held one); whether it paints now,
  // and when a held request falls due.
  enum Action { kRequest, kRelease };
  const struct {
    double at_ms;
    Action action;
    bool paints;
    double due_ms;  // -1: nothing held afterwards
  } steps[] = {
      {100.0, kRequest, true, -1},        // the first request paints at once
      {101.0, kRequest, false, 116.667},  // within the interval: held until it has passed
      {102.0, kRequest, false, 116.667},  // joins the held one
      {116.0, kRequest, false, 116.667},
      {116.7, kRequest, false, 116.667},  // past the due time, still joins the held one
      {116.8, kRelease, true, -1},        // the held request paints, with what is current then
      {117.0, kRequest, false, 133.333},  // a paint a little late keeps the refresh grid
      {133.5, kRelease, true, -1},
      {133.6, kRelease, false, -1},       // nothing is held any more
      {134.0, kRequest, false, 150.0},
      {170.0, kRelease, true, -1},        // a paint an interval late starts the grid anew
      {171.0, kRequest, false, 186.667},
      {186.7, kRelease, true, -1},
      {250.0, kRequest, true, -1},        // after a quiet spell: at once
      {266.7, kRequest, true, -1},        // exactly an interval later: at once
      {266.8, kRequest, false, 283.367},
  };
  PaintPacer pacer;
  for (const auto& step : steps) {
    const auto at = static_cast<std::int64_t>(std::llround(step.at_ms * kMs));
    const bool painted = step.action == kRequest ? pacer.Request(at, k60Hz) : pacer.Release(at);
    EXPECT_EQ(painted, step.paints) << "at " << step.at_ms << " ms";
    EXPECT_EQ(pacer.Holding(), step.due_ms >= 0.0) << "at " << step.at_ms << " ms";
    if (pacer.Holding()) {
      EXPECT_NEAR(static_cast<double>(pacer.DueNs()) / kMs, step.due_ms, 0.001) << "at " << step.at_ms << " ms";
    }
  }
}

class QtPaintPacing : public qt_test::QtRun {
 protected:
  // A window with a canvas that paints a bar as wide as the frame number, and a label that shows
  // the number: both change with every frame, as the program's canvases and read-outs do.
  void SetUp() override {
    QtRun::SetUp();
    window = qt_test::MakeWindow(
        [](TestWindow& w) {
          Add<framework::Canvas>(w, "cBar", Placed("cBar", 10, 10, 280, 40).Bytes());
          Add<framework::Label>(w, "lFrame", Placed("lFrame", 10, 60, 100, 20).String("Text", "0").Bytes());
          framework::RuntimeAddEventHandler(
              w.ControlByName("cBar"), "Paint",
              framework::RuntimeCreateDelegate(w.Self(), &TestWindow::CanvasPaint, "cBar_Paint"));
        },
        qt_test::WindowString({}));
    bar = std::make_shared<framework::RectShape>();
    bar->X = 140;
    bar->Y = 20;
    bar->Height = 20;
    window->shapes->Append(bar);
    top = platform.WindowWidgetFor(*window);
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
  }

  // The model moves on to `frame` and asks for its paint, as a timer tick does.
  void Frame(int frame) {
    bar->Width = frame;
    framework::RuntimeCheckCast<framework::Label>(window->ControlByName("lFrame")).SetText(std::to_string(frame));
    static_cast<framework::Canvas&>(window->ControlByName("cBar")).Refresh();
  }

  // What was last painted into the window, against what the model shows now.
  QImage Shown() const { return top->screen()->grabWindow(top->winId()).toImage().convertToFormat(QImage::Format_RGB32); }
  QImage Current() const { return top->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  std::shared_ptr<TestWindow> window;
  std::shared_ptr<framework::RectShape> bar;
  QWidget* top = nullptr;
};

TEST_F(QtPaintPacing, ABurstOfFramesPaintsAtMostOncePerRefreshAndEndsOnTheLastFrame) {
  const std::int64_t interval = PaintPacer::IntervalNs(top->screen()->refreshRate());
  QTest::qWait(50);
  const std::int32_t paints_before = window->paints;
  QElapsedTimer clock;
  clock.start();
  constexpr int kFrames = 200;
  for (int frame = 1; frame <= kFrames; ++frame) {
    Frame(frame);
    QCoreApplication::processEvents();
  }
  const std::int64_t burst_ns = clock.nsecsElapsed();
  // The paints during the burst: one at its start, then at most one per interval.
  EXPECT_LE(window->paints - paints_before, burst_ns / interval + 2);

  // The model pauses: the held frame must still reach the window, with the label's new text.
  QTest::qWait(static_cast<int>(3 * interval / kMs));
  const QImage shown = Shown();
  const QImage current = Current();
  ASSERT_EQ(shown.size(), current.size());
  EXPECT_TRUE(shown == current) << "the window does not show the model's last frame";
}

TEST_F(QtPaintPacing, AFrameAfterAQuietSpellPaintsAtOnce) {
  const std::int64_t interval = PaintPacer::IntervalNs(top->screen()->refreshRate());
  for (int round = 1; round <= 3; ++round) {
    QTest::qWait(static_cast<int>(2 * interval / kMs));
    const std::int32_t paints_before = window->paints;
    Frame(100 * round);
    // Only what is already posted; no time passes for a held request to fall due.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window->paints, paints_before + 1) << "round " << round;
    EXPECT_TRUE(Shown() == Current()) << "round " << round;
  }
}

}  // namespace
