// The measurements of the real program on Qt's offscreen platform: frames per second with the real
// timer and paints, the result table in the result window, the start-up to the first painted
// frame, and the memory of a long run. Each runs in a process of its own and reports its figures
// through measure::Report.
//
// User actions go through the Qt widgets where Qt has a way to make them (a click, a slider
// moved, text inserted as if typed), so that they take the road a user's action takes.

#include "qt_scenarios.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QtGlobal>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/number_conversion.hpp"
#include "framework/qt/qt_platform.hpp"
#include "framework/qt/qt_text_view.hpp"
#include "framework/runtime.hpp"
#include "framework/text_conversion.hpp"
#include "measure_support.hpp"
#include "orbit_window/result_table.hpp"
#include "shell_parts/caliculate.hpp"

namespace measure {

namespace {

// ---------------------------------------------------------------------------------------------
// The program on Qt
// ---------------------------------------------------------------------------------------------

QtMessageHandler g_default_handler = nullptr;

// The offscreen platform says so each time a window is raised, and a machine without a desktop
// session has no runtime folder; either would bury the figures.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (g_default_handler != nullptr) g_default_handler(type, context, message);
}

// The Qt platforms a measurement runs on: painting into memory (offscreen), or a real X display
// (xcb), where each paint is also sent to the server and flushed.
enum class QtOn { kOffscreen, kX11 };

// The Qt platform of a measuring process: the figures of the offscreen platform are those of
// painting into memory, whatever desktop the process was started from.
class QtSession {
 public:
  explicit QtSession(QtOn on = QtOn::kOffscreen) {
    if (on == QtOn::kX11) {
      // Qt ends the process on an X display it cannot open; the platform's check asks the display
      // itself, and counts only it while no platform is named.
      unsetenv("QT_QPA_PLATFORM");
      unsetenv("WAYLAND_DISPLAY");
      if (!framework::QtPlatform::DisplayAvailable()) {
        throw std::runtime_error("no X display answers (run under xvfb-run)");
      }
      setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    g_default_handler = qInstallMessageHandler(QuietHandler);
    platform = std::make_unique<framework::QtPlatform>(m_argc, m_argv);
  }

  std::unique_ptr<framework::QtPlatform> platform;

 private:
  int m_argc = 1;
  char m_name[20] = "quillorn_qt_measure";
  char* m_argv[2] = {m_name, nullptr};
};

// Runs a step of a measurement from the event loop, which an exception must not unwind: a
// failure ends the run.
void Guarded(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "the measurement failed: %s\n", error.what());
    framework::Quit(70);
  }
}

// Runs the program; `start` runs once the event loop has started and ends the run itself (with
// framework::Quit), at once or from a timer it starts. Throws when the run did not end with 0.
void RunProgram(framework::QtPlatform& platform, const std::function<void(MainWindow&)>& start) {
  QTimer kick_off;
  kick_off.setSingleShot(true);
  QObject::connect(&kick_off, &QTimer::timeout, [&start]() {
    Guarded([&start] { start(*ImplicitInstance::MainWindow()); });
  });
  kick_off.start(0);
  const std::int32_t status = ProgramMain(platform);
  if (status != 0) throw std::runtime_error("the program ended with status " + std::to_string(status));
}

// Runs `action` after `ms` milliseconds from the event loop; a failure ends the run.
void After(int ms, std::function<void()> action) {
  QTimer::singleShot(ms, [action = std::move(action)]() { Guarded(action); });
}

template <class W>
W& WidgetOf(framework::QtPlatform& platform, const framework::Control& control) {
  auto* widget = qobject_cast<W*>(platform.WidgetFor(control));
  if (widget == nullptr) throw std::runtime_error(control.Name() + " has no widget of the expected class");
  return *widget;
}

void Click(framework::QtPlatform& platform, framework::PushButton& button) {
  WidgetOf<QPushButton>(platform, button).click();
}

// Replaces the field's text as typing over a selection does; the model must then hold it.
void TypeInto(framework::QtPlatform& platform, framework::TextField& field, const char* text) {
  auto& edit = WidgetOf<QLineEdit>(platform, field);
  edit.selectAll();
  edit.insert(QString::fromUtf8(text));
  if (field.Text() != text) throw std::runtime_error(field.Name() + " did not take the typed text");
}

// Counts the ticks of the window's timer: each tick is one Timer1 action, one frame built.
class TickCounter {
 public:
  // With `record_gaps`, the time between ticks is kept, eight bytes a tick: not for the memory
  // of a long run.
  TickCounter(framework::QtPlatform& platform, MainWindow& window, bool record_gaps) : m_record_gaps(record_gaps) {
    QTimer* timer = platform.TimerFor(window.Timer1());
    if (timer == nullptr) throw std::runtime_error("Timer1 has no Qt timer");
    // Connected after the platform's own connection, so this runs once the frame is built.
    m_connection = QObject::connect(timer, &QTimer::timeout, [this]() {
      ++m_ticks;
      const std::int64_t now = MonotonicNs();
      if (m_record_gaps && m_last_ns != 0) m_gaps_ms.push_back(Seconds(m_last_ns, now) * 1e3);
      m_last_ns = now;
      if (m_on_tick) m_on_tick(m_ticks);
    });
    // The model's period: the platform arms its single-shot QTimer for each due time anew, so the
    // QTimer's interval is only the wait it was last armed for.
    m_period_ms = window.Timer1().Period();
  }
  ~TickCounter() { QObject::disconnect(m_connection); }
  TickCounter(const TickCounter&) = delete;
  TickCounter& operator=(const TickCounter&) = delete;

  std::int64_t Ticks() const { return m_ticks; }
  void Restart() {
    m_ticks = 0;
    m_gaps_ms.clear();
  }
  // The times between ticks since the restart, in milliseconds.
  const std::vector<double>& GapsMs() const { return m_gaps_ms; }
  std::int32_t PeriodMs() const { return m_period_ms; }
  void OnTick(std::function<void(std::int64_t)> action) { m_on_tick = std::move(action); }

 private:
  QMetaObject::Connection m_connection;
  bool m_record_gaps = false;
  std::int64_t m_ticks = 0;
  std::int64_t m_last_ns = 0;
  std::vector<double> m_gaps_ms;
  std::int32_t m_period_ms = 0;
  std::function<void(std::int64_t)> m_on_tick;
};

// Counts the model's steps: how far the main window's frame counter has moved, one step per
// frame built, however the platform delivered the ticks. The counter is read every 50 ms (a
// revolution of fewer frames than a read-out interval holds would go unseen) and at the end.
class StepCounter {
 public:
  explicit StepCounter(MainWindow& window) : m_window(window), m_last(window.wNow) {
    m_reader.setTimerType(Qt::CoarseTimer);
    QObject::connect(&m_reader, &QTimer::timeout, [this]() { Read(); });
    m_reader.start(50);
  }

  // Reads the counter now; a step past the last frame of a revolution goes back to frame 0.
  void Read() {
    const double n = framework::Val(m_window.tDivision().Text());
    const double now = m_window.wNow;
    m_steps += static_cast<std::int64_t>(now >= m_last ? now - m_last : now + n - m_last);
    m_last = now;
  }
  std::int64_t Steps() {
    Read();
    return m_steps;
  }
  void Restart() {
    Read();
    m_steps = 0;
  }

 private:
  MainWindow& m_window;
  QTimer m_reader;
  double m_last = 0.0;
  std::int64_t m_steps = 0;
};

// ---------------------------------------------------------------------------------------------
// Frames per second
// ---------------------------------------------------------------------------------------------

struct FrameRun {
  const char* frames = nullptr;      // typed into tDivision before Start, if any
  int slider = 0;                    // slSpeed moved to this before Start, if not 0
  const char* frame_rate = nullptr;  // typed into tFrameRate before Start, if any
  bool second_revolution = false;    // pause, step one revolution and one frame, continue
  QtOn on = QtOn::kOffscreen;
  int warm_up_ms = 1000;             // from Start to the beginning of the measurement
};

// Saves what the display shows of `window` now, as DIR/step-<the model's frame>.png.
void GrabShown(framework::QtPlatform& platform, MainWindow& window, const std::string& dir) {
  QWidget* top = platform.WindowWidgetFor(window);
  const QPixmap shown = top->screen()->grabWindow(top->winId());
  const std::string file = dir + "/step-" + framework::Str(window.wNow) + ".png";
  if (!shown.save(QString::fromStdString(file))) throw std::runtime_error("could not save " + file);
  std::printf("grabbed %s\n", file.c_str());
}

// Runs the program as `run` says and reports what the user gets: the steps the model made (frames
// built), the window's real paints (held requests apart), the processor time of the main thread
// and of the process, and how regularly the Qt timer came.
void MeasureFrames(const FrameRun& run, double seconds, const std::string& grab_dir) {
  QtSession session(run.on);
  framework::QtPlatform& platform = *session.platform;
  PaintProbe probe;
  std::unique_ptr<TickCounter> ticks;
  std::unique_ptr<StepCounter> steps;
  std::int64_t t0 = 0;
  double cpu0 = 0.0;
  double thread_cpu0 = 0.0;

  RunProgram(platform, [&](MainWindow& window) {
    if (run.frames != nullptr) TypeInto(platform, window.tDivision(), run.frames);
    if (run.slider != 0) WidgetOf<QSlider>(platform, window.slSpeed()).setValue(run.slider);
    if (run.frame_rate != nullptr) TypeInto(platform, window.tFrameRate(), run.frame_rate);
    Click(platform, window.pGo());  // Start
    if (run.second_revolution) {
      Click(platform, window.pGo());  // Pause
      const double n = framework::Val(window.tDivision().Text());
      const std::int64_t fill_start = MonotonicNs();
      for (double k = 0.0; k <= n; k += 1.0) window.OneStep();
      Report("fill_s", Seconds(fill_start, MonotonicNs()));
      Click(platform, window.pGo());  // Continue
      if (!(window.wNow == 1.0)) throw std::runtime_error("the fill did not end on frame 1 of the second revolution");
    }
    ticks = std::make_unique<TickCounter>(platform, window, /*record_gaps=*/true);
    steps = std::make_unique<StepCounter>(window);
    Report("timer_period_ms", ticks->PeriodMs());
    probe.WatchPaints(platform.WidgetFor(window.cOrbit()), "cOrbit");
    probe.WatchPaints(platform.WidgetFor(window.cPath()), "cPath");
    probe.WatchUpdates(platform.WindowWidgetFor(window), "window");
    if (!grab_dir.empty()) {
      for (int at_ms : {2000, 2150, 2300, 2450}) After(at_ms, [&, dir = grab_dir]() { GrabShown(platform, window, dir); });
    }

    // A warm-up, if asked for: fonts, glyph caches and the first paints are not the steady state.
    After(run.warm_up_ms, [&]() {
      probe.Clear();
      ticks->Restart();
      steps->Restart();
      cpu0 = CpuSeconds();
      thread_cpu0 = ThreadCpuSeconds();
      t0 = MonotonicNs();
      After(static_cast<int>(seconds * 1000.0), [&]() {
        const auto stepped = static_cast<double>(steps->Steps());
        const std::int64_t t1 = MonotonicNs();
        const double elapsed = Seconds(t0, t1);
        const double cpu = CpuSeconds() - cpu0;
        const double thread_cpu = ThreadCpuSeconds() - thread_cpu0;
        Report("steps_per_s", stepped / elapsed);
        Report("steps_counted", stepped);
        Report("seconds", elapsed);
        const PaintProbe::Tally& update = probe.Of("window");
        Report("paints_per_s", static_cast<double>(update.count) / elapsed);
        Report("held_requests_per_s", static_cast<double>(update.held) / elapsed);
        Report("main_thread_cpu_share", thread_cpu / elapsed);
        Report("process_cpu_share", cpu / elapsed);
        // How regularly the Qt timer came; its timeouts are not the model's steps when the
        // platform delivers several due ticks at one wake-up.
        Report("qt_timeouts_per_s", static_cast<double>(ticks->Ticks()) / elapsed);
        std::vector<double> gaps = ticks->GapsMs();
        if (!gaps.empty()) {
          std::sort(gaps.begin(), gaps.end());
          const auto at = [&](double share) { return gaps[static_cast<std::size_t>(share * static_cast<double>(gaps.size() - 1))]; };
          const double period = ticks->PeriodMs();
          Report("tick_gap_p50_ms", at(0.5));
          Report("tick_gap_p99_ms", at(0.99));
          Report("tick_gap_max_ms", gaps.back());
          Report("tick_gaps_over_1_5_periods", static_cast<double>(gaps.end() - std::upper_bound(gaps.begin(), gaps.end(), 1.5 * period)));
        }
        const PaintProbe::Tally& orbit = probe.Of("cOrbit");
        const PaintProbe::Tally& path = probe.Of("cPath");
        Report("cOrbit_paints_per_s", static_cast<double>(orbit.count) / elapsed);
        Report("cOrbit_paint_ms", orbit.count > 0 ? orbit.total_s / static_cast<double>(orbit.count) * 1e3 : 0.0);
        Report("cPath_paints_per_s", static_cast<double>(path.count) / elapsed);
        Report("cPath_paint_ms", path.count > 0 ? path.total_s / static_cast<double>(path.count) * 1e3 : 0.0);
        Report("cPath_paint_longest_ms", path.longest_s * 1e3);
        Report("window_paint_ms", update.count > 0 ? update.total_s / static_cast<double>(update.count) * 1e3 : 0.0);
        ticks.reset();
        steps.reset();
        framework::Quit(0);
      });
    });
  });
}

// ---------------------------------------------------------------------------------------------
// The result table
// ---------------------------------------------------------------------------------------------

// The text alone, as the write button builds it for `frames` at the default eccentricity.
double TextAloneSeconds(std::int32_t frames) {
  const double heikin = ((1.0 / framework::Int32ToDouble(frames)) * 2.0) * 3.141592653589793;
  const std::int64_t start = MonotonicNs();
  const std::string text = ResultTable::Text(frames, 0.866, heikin);
  const std::int64_t end = MonotonicNs();
  if (text.empty()) throw std::runtime_error("no table");
  return Seconds(start, end);
}

void MeasureTable(const char* frames_text) {
  QtSession session;
  framework::QtPlatform& platform = *session.platform;
  const auto frames = framework::DoubleToInt32(framework::Val(frames_text));
  Report("text_alone_s", TextAloneSeconds(frames));

  PaintProbe probe;
  std::int64_t t0 = 0;
  framework::QtTextView* edit = nullptr;
  std::shared_ptr<Caliculate> result;

  // Writes the table and scrolls to its end as Ctrl+End does; `done` runs when the text area's
  // first paint after that has ended, with the seconds from the click.
  const auto write = [&](MainWindow& window, const char* paint_name, std::function<void(double)> done) {
    t0 = MonotonicNs();
    Click(platform, window.pWrite());
    Report(std::string(paint_name) + "_click_returned_s", Seconds(t0, MonotonicNs()));
    result = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
    if (!result) throw std::runtime_error("the result window did not open");
    edit = &WidgetOf<framework::QtTextView>(platform, result->tResult());
    QKeyEvent ctrl_end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::sendEvent(edit, &ctrl_end);
    probe.WatchPaints(edit->viewport(), paint_name);
    probe.OnFirstPaintEnd(paint_name, [&, done = std::move(done), paint_name]() {
      done(Seconds(t0, probe.Of(paint_name).first_end_ns));
    });
  };

  RunProgram(platform, [&](MainWindow& window) {
    TypeInto(platform, window.tDivision(), frames_text);
    Report("rss_before_write_mib", ResidentMiB());
    write(window, "first_write", [&](double seconds) {
      Report("shown_s", seconds);
      // Right after the paint has returned; the next event is not yet handled.
      After(0, [&]() {
        Report("rss_after_write_mib", ResidentMiB());
        // The last line of the table must be what the viewport shows at its bottom.
        const std::size_t lines = edit->LineCount();
        const std::size_t last_shown = edit->LineAt(edit->viewport()->height() - 4);
        Report("lines", static_cast<double>(lines));
        Report("scrolled_to_end", last_shown + 2 >= lines ? 1.0 : 0.0);

        // The window resized with the table in it: each resize places the text area anew.
        QWidget* top = platform.WindowWidgetFor(*result);
        const std::int64_t resize_start = MonotonicNs();
        constexpr int kResizes = 5;
        for (int i = 1; i <= kResizes; ++i) {
          top->resize(top->width() + 8, top->height() + 8);
          QCoreApplication::processEvents();
        }
        Report("resize_ms", Seconds(resize_start, MonotonicNs()) / kResizes * 1e3);

        // Another table of the same size into the open window (the same one would change
        // nothing): it replaces the first, whose memory must be reused.
        TypeInto(platform, window.tEccentricity(), "0.5");
        write(window, "second_write", [&](double again) {
          Report("second_shown_s", again);
          After(0, [&]() {
            Report("rss_after_second_write_mib", ResidentMiB());
            framework::Quit(0);
          });
        });
      });
    });
  });
}

// ---------------------------------------------------------------------------------------------
// Start-up
// ---------------------------------------------------------------------------------------------

// Watches every paint event of the application for the first one of cOrbit, which it times; the
// widget does not exist before the program has started, so it is looked up on the way.
class FirstOrbitPaint : public QObject {
 public:
  explicit FirstOrbitPaint(framework::QtPlatform& platform) : m_platform(platform) {}
  std::int64_t end_ns = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (end_ns != 0 || event->type() != QEvent::Paint) return false;
    const auto window = std::dynamic_pointer_cast<MainWindow>(framework::GetImplicitWindow(MainWindow::kClassName));
    if (!window || watched != m_platform.WidgetFor(window->cOrbit())) return false;
    watched->event(event);
    end_ns = MonotonicNs();
    QTimer::singleShot(0, []() { framework::Quit(0); });
    return true;
  }

 private:
  framework::QtPlatform& m_platform;
};

void MeasureStartup(std::int64_t spawned_ns, std::int64_t main_ns) {
  const std::int64_t session_start = MonotonicNs();
  QtSession session;
  framework::QtPlatform& platform = *session.platform;
  const std::int64_t program_main = MonotonicNs();
  FirstOrbitPaint first_paint(platform);
  qApp->installEventFilter(&first_paint);
  const std::int32_t status = ProgramMain(platform);
  qApp->removeEventFilter(&first_paint);
  if (status != 0 || first_paint.end_ns == 0) throw std::runtime_error("cOrbit was never painted");
  if (spawned_ns > 0) Report("process_to_paint_ms", Seconds(spawned_ns, first_paint.end_ns) * 1e3);
  Report("main_to_paint_ms", Seconds(main_ns, first_paint.end_ns) * 1e3);
  Report("qapplication_ms", Seconds(session_start, program_main) * 1e3);
  Report("programmain_to_paint_ms", Seconds(program_main, first_paint.end_ns) * 1e3);
}

// ---------------------------------------------------------------------------------------------
// Memory of a long run
// ---------------------------------------------------------------------------------------------

// Runs `total` frames at N = 300 with the timer at 1 ms, real paints included, and reports the
// resident memory after the first revolution and after the last frame.
void MeasureLongRunMemory(std::int64_t total) {
  QtSession session;
  framework::QtPlatform& platform = *session.platform;
  std::unique_ptr<TickCounter> ticks;
  std::unique_ptr<StepCounter> steps;
  std::int64_t t0 = 0;
  double after_first = 0.0;

  RunProgram(platform, [&](MainWindow& window) {
    TypeInto(platform, window.tFrameRate(), "1000");
    Click(platform, window.pGo());  // Start, with a period of 1 ms
    // The Qt timer's timeouts pace the run's milestones; the steps the model made are counted apart.
    ticks = std::make_unique<TickCounter>(platform, window, /*record_gaps=*/false);
    steps = std::make_unique<StepCounter>(window);
    t0 = MonotonicNs();
    const auto n = static_cast<std::int64_t>(framework::Val(window.tDivision().Text()));
    ticks->OnTick([&, n](std::int64_t tick) {
      if (tick == n) {
        // The first revolution has been built; its paints follow the tick.
        After(0, [&]() {
          after_first = ResidentMiB();
          Report("rss_first_revolution_mib", after_first);
        });
      } else if (tick % 10800 == 0 && tick < total) {
        Report("rss_at_" + std::to_string(tick / 1000) + "k_mib", ResidentMiB());
      } else if (tick == total) {
        Click(platform, window.pGo());  // Pause: the last frame stays shown
        After(50, [&]() {
          const double last = ResidentMiB();
          Report("steps_per_s", static_cast<double>(steps->Steps()) / Seconds(t0, MonotonicNs()));
          Report("rss_after_run_mib", last);
          Report("rss_growth_mib", last - after_first);
          ticks.reset();
          steps.reset();
          framework::Quit(0);
        });
      }
    });
  });
}

}  // namespace

void RunQtScenario(const std::string& name, const ScenarioOptions& options) {
  // On a real display the frames are counted from Start, as a user watching the window sees them.
  const auto on_x11 = [](const char* frames, int slider, const char* frame_rate) {
    return FrameRun{.frames = frames, .slider = slider, .frame_rate = frame_rate, .on = QtOn::kX11, .warm_up_ms = 0};
  };
  if (name == "fps-slider-30") {
    MeasureFrames(FrameRun{.slider = 30}, options.seconds, options.grab_dir);
  } else if (name == "fps-typed-1000") {
    MeasureFrames(FrameRun{.frame_rate = "1000"}, options.seconds, options.grab_dir);
  } else if (name == "fps-n100000") {
    MeasureFrames(FrameRun{.frames = "100000", .slider = 30, .second_revolution = true}, options.seconds, options.grab_dir);
  } else if (name == "x11-slider-30") {
    MeasureFrames(on_x11(nullptr, 30, nullptr), options.seconds, options.grab_dir);
  } else if (name == "x11-typed-1000") {
    MeasureFrames(on_x11(nullptr, 0, "1000"), options.seconds, options.grab_dir);
  } else if (name == "x11-typed-1000-n100000") {
    MeasureFrames(on_x11("100000", 0, "1000"), options.seconds, options.grab_dir);
  } else if (name == "x11-typed-1000-n300000") {
    MeasureFrames(on_x11("300000", 0, "1000"), options.seconds, options.grab_dir);
  } else if (name == "x11-typed-1000-n1000000") {
    MeasureFrames(on_x11("1000000", 0, "1000"), 125.0, options.grab_dir);
  } else if (name == "table-1e6") {
    MeasureTable("1000000");
  } else if (name == "startup") {
    MeasureStartup(options.spawned_ns, options.main_ns);
  } else if (name == "rss-n300-qt") {
    MeasureLongRunMemory(options.frames);
  } else {
    throw std::runtime_error("no Qt scenario " + name);
  }
}

}  // namespace measure
