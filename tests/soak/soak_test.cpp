// A soak of the whole program on the headless platform: long seeded sequences of random user
// actions (every button, hostile and random texts in the four fields, both sliders, both check
// boxes, resizes within and below the minimum, the virtual clock, repaints, the two text windows,
// the menus, Return and Escape, and the three ways to quit), with the window's invariants checked
// after every action.
//
// A failure names the seed and the action; the run is replayed exactly with
//   QUILLORN_SOAK_SEED=<seed> QUILLORN_SOAK_ACTIONS=<count> soak_tests --gtest_filter=<test>
// QUILLORN_SOAK_ACTIONS alone changes the length of every run.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/implicit_instance.hpp"
#include "app/program.hpp"
#include "framework/headless/headless_platform.hpp"
#include "framework/runtime.hpp"
#include "shell_parts/caliculate.hpp"
#include "shell_parts/keplar.hpp"
#include "soak_inputs.hpp"
#include "soak_invariants.hpp"
#include "soak_watchdog.hpp"

namespace {

using soak::Road;

// One run per seed, so that ctest can spread them over the cores; kActionsPerRun actions each.
constexpr std::uint64_t kSeeds[] = {0x5eed0001, 0x5eed0002, 0x5eed0003, 0x5eed0004};
constexpr std::uint64_t kActionsPerRun = 25'000;
// Generous: a bound on a hang or a runaway loop, not a measure of speed.
constexpr std::chrono::duration<double> kActionBound = std::chrono::seconds(2);
constexpr auto kHangLimit = std::chrono::seconds(30);
// Ticks that one advance of the clock may deliver. A frame outside the solver's domain can take a
// million rounds, so there the animation is advanced a few frames at a time; inside it, further.
constexpr std::int64_t kMostTicksPerAdvance = 4;
constexpr std::int64_t kMostTicksWhenCheap = 40;
constexpr std::int64_t kMostTicksWhileWatching = 400;
// How often the user sits back and watches: once in so many actions, for 20 to 60 actions.
constexpr std::uint64_t kBusyActionsPerWatch = 200;

// Hears each Draw of the graph: a Draw asks cPath to repaint after it has put its segments.
class SoakPlatform : public framework::HeadlessPlatform {
 public:
  std::function<void(framework::Canvas&)> on_repaint;

  void RepaintRequested(framework::Canvas& canvas) override {
    HeadlessPlatform::RepaintRequested(canvas);
    if (on_repaint) on_repaint(canvas);
  }
};

// One graph polyline from Draw to Draw: it may hold at most one segment more than the largest
// frame index drawn into it since it was made. Only Draw puts segments into it, so a polyline made
// since the last Draw is empty.
class PolylineWatch {
 public:
  explicit PolylineWatch(std::string name) : m_name(std::move(name)) {}

  std::string Drawn(const std::shared_ptr<framework::Group2D>& polyline, double frame) {
    if (m_polyline.lock() != polyline) {
      m_polyline = polyline;
      m_largest_frame = frame;
    }
    m_largest_frame = std::max(m_largest_frame, frame);
    return Check(*polyline);
  }

  std::string After(const std::shared_ptr<framework::Group2D>& polyline) const {
    if (!polyline) return m_name + " is missing; ";
    if (m_polyline.lock() != polyline) {
      return polyline->Count() == 0 ? "" : m_name + " is new since the last Draw but not empty; ";
    }
    return Check(*polyline);
  }

 private:
  std::string Check(const framework::Group2D& polyline) const {
    if (static_cast<double>(polyline.Count()) <= m_largest_frame + 1.0) return "";
    return m_name + " holds " + std::to_string(polyline.Count()) + " segments, the largest frame drawn into it is " +
           framework::Str(m_largest_frame) + "; ";
  }

  std::string m_name;
  std::weak_ptr<framework::Group2D> m_polyline;
  double m_largest_frame = -1.0;
};

// One action: what it is (for the log and the watchdog) and how to do it.
struct Action {
  std::string what;
  std::function<void()> run;
  Road road_after;
  bool quits = false;
  bool writes = false;
};

class Soak {
 public:
  explicit Soak(std::uint64_t seed) : m_random(seed) { Open(); }
  ~Soak() {
    if (m_platform) Close();
  }

  std::uint64_t Frames() const { return m_frames; }
  std::uint64_t Restarts() const { return m_restarts; }
  std::uint64_t WrapsSeen() const { return m_wraps_seen; }
  std::int32_t LongestPolyline() const { return m_longest_polyline; }

  // A random action for the window as it is now. Most of the time any action is as likely as the
  // next; now and then the user sits back and watches for a while, so that the animation also
  // runs through whole revolutions between the resets that most actions bring.
  Action Next() {
    MainWindow& w = *m_window;
    if (m_watching > 0) {
      --m_watching;
      return Watching();
    }
    if (m_random.OneIn(kBusyActionsPerWatch)) m_watching = m_random.Between(20, 60);
    const std::uint64_t pick = m_random.Below(1000);
    if (pick < 80) return Press("pGo", soak::AfterGo(m_road));
    if (pick < 130) return Press("pStop", soak::AfterStop(m_road));
    if (pick < 210) return Press("pKomaokuri", soak::StepEnabled(m_road) ? soak::AfterStep(m_road) : m_road);
    if (pick < 240) return Write();
    if (pick < 260) return Press("pSourceCode", m_road);
    if (pick < 270) return Press("pSourceCode1", m_road);  // disabled: must do nothing
    if (pick < 271) return Quitting("press pQuit", [&w] { w.pQuit().Press(); });
    if (pick < 272) return Quitting("choose File > Quit", [&w] { w.FileQuit().Choose(); });
    if (pick < 273) return Quitting("close the main window", [&w] { w.Close(); });
    if (pick < 410) return Type();
    if (pick < 460) return Move(w.slEccentricity());
    if (pick < 510) return Move(w.slSpeed());
    if (pick < 540) return Toggle(w.cDrawCircle());
    if (pick < 570) return Toggle(w.cSameCenter());
    if (pick < 620) return Resize();
    if (pick < 780) return AdvanceClock(m_random.OneIn(4) ? kMostTicksWhenCheap : kMostTicksPerAdvance);
    if (pick < 860) return {"flush repaints", [this] { m_platform->FlushRepaints(); }, m_road};
    if (pick < 880) return CloseWindow(Keplar::kClassName, "the explanation window");
    if (pick < 900) return CloseWindow(Caliculate::kClassName, "the result window");
    if (pick < 930) return EditItem();
    if (pick < 965) return {"press Return", [&w] { w.PressReturn(); }, soak::AfterGo(m_road)};
    // Escape presses pStop, the first cancel button, or nothing while it is disabled.
    return {"press Escape", [&w] { w.PressEscape(); }, soak::AfterStop(m_road)};
  }

  // Runs `action` and returns what is wrong afterwards, if anything. A quitting action ends the
  // program, which must then report success, and starts a new one.
  std::string Perform(const Action& action) {
    m_hook_problems.clear();
    const double counter_before = m_window->wNow;
    action.run();

    std::string problems = m_hook_problems;
    if (framework::UnhandledExceptionCount() != 0) problems += "an exception reached the default handling; ";
    if (action.quits) {
      if (!framework::QuitRequested()) problems += "the program did not quit; ";
      if (const std::int32_t status = Close(); status != 0) problems += "exit status " + std::to_string(status) + "; ";
      Open();
      ++m_restarts;
      return problems;
    }
    if (framework::QuitRequested()) problems += "the program quit; ";
    m_road = action.road_after;
    MainWindow& w = *m_window;
    problems +=
        soak::CheckWindow(w, m_road) + m_arc.After(w.wPath) + m_rounds.After(w.wPath2) + CheckWrap(counter_before);
    if (m_road != Road::Opened && w.wNow == 0.0 && w.lStep().Text() != "0") ++m_wraps_seen;
    m_longest_polyline = std::max(m_longest_polyline, w.wPath->Count());
    if (action.writes) problems += soak::CheckResultTable(m_written_frames);
    return problems;
  }

  // Shuts the program down; its exit status.
  std::int32_t Close() {
    m_window.reset();
    const std::int32_t status = Program::EndWithoutEventLoop();
    m_platform.reset();
    return status;
  }

 private:
  void Open() {
    m_platform = std::make_unique<SoakPlatform>();
    m_platform->on_repaint = [this](framework::Canvas& canvas) { DrawHeard(canvas); };
    m_arc = PolylineWatch("wPath");
    m_rounds = PolylineWatch("wPath2");
    Program::StartWithoutEventLoop(*m_platform);
    m_window = ImplicitInstance::MainWindow();
    m_road = Road::Opened;
    m_division_at_last_step = m_window->tDivision().Text();
  }

  void DrawHeard(framework::Canvas& canvas) {
    if (canvas.Name() != "cPath") return;
    auto* w = dynamic_cast<MainWindow*>(canvas.WindowOrNull().get());
    if (w == nullptr || !w->wPath || !w->wPath2) {
      m_hook_problems = "a Draw without its window or polylines; ";
      return;
    }
    ++m_frames;
    // The first problem is enough: every later Draw would repeat it.
    if (m_hook_problems.empty()) m_hook_problems = m_arc.Drawn(w->wPath, w->wNow) + m_rounds.Drawn(w->wPath2, w->wNow);
  }

  Action Press(const char* name, Road after) {
    auto& button = framework::RuntimeCheckCast<framework::PushButton>(m_window->ControlByName(name));
    return {std::string("press ") + name, [&button] { button.Press(); }, after};
  }

  Action Quitting(std::string what, std::function<void()> run) {
    Action action{std::move(what), std::move(run), Road::Opened};
    action.quits = true;
    return action;
  }

  Action Write() {
    const std::optional<std::int32_t> frames = soak::AffordableTable(*m_window);
    if (!frames) return {"(pWrite left out: the table would cost too much)", [] {}, m_road};
    MainWindow& w = *m_window;
    Action action{"press pWrite (" + std::to_string(*frames) + " frames)", [&w] { w.pWrite().Press(); }, m_road};
    action.writes = true;
    m_written_frames = *frames;
    return action;
  }

  // A step wraps the counter once it is not below the frame count that the step reads, so the
  // counter is 0 or below the count as it was at the last step. No action both steps and types, so
  // the text after an action that moved the counter is the text its steps read.
  std::string CheckWrap(double counter_before) {
    MainWindow& w = *m_window;
    if (w.wNow != counter_before) m_division_at_last_step = w.tDivision().Text();
    if (w.wNow == 0.0 || w.wNow < framework::Val(m_division_at_last_step)) return "";
    return "wNow " + framework::Str(w.wNow) + " not below the frame count \"" + m_division_at_last_step +
           "\" of the last step; ";
  }

  Action Type() {
    static const std::vector<std::string> fields = {"tEccentricity", "tDivision", "tFrameRate", "tSeido"};
    const std::string& field = m_random.Pick(fields);
    const std::string text = soak::FieldText(m_random, field);
    auto& edit = framework::RuntimeCheckCast<framework::TextField>(m_window->ControlByName(field));
    return {"type \"" + text + "\" into " + field, [&edit, text] { edit.Type(text); }, m_road};
  }

  Action Move(framework::Slider& slider) {
    static const std::vector<std::int32_t> extremes = {
        std::numeric_limits<std::int32_t>::min(), -1, 0, 1, 30, 31, 999, 1000,
        std::numeric_limits<std::int32_t>::max()};
    const std::int32_t value = m_random.OneIn(8)
                                   ? m_random.Pick(extremes)
                                   : static_cast<std::int32_t>(m_random.Between(std::int64_t{slider.Minimum()} - 20,
                                                                                std::int64_t{slider.Maximum()} + 20));
    return {"move " + slider.Name() + " to " + std::to_string(value), [&slider, value] { slider.MoveTo(value); },
            m_road};
  }

  Action Toggle(framework::CheckBox& box) {
    return {"toggle " + box.Name(), [&box] { box.Toggle(); }, m_road};
  }

  // Mostly sizes around the design size (692 x 559), often below the minimum (515 x 389), now and
  // then an extreme one.
  Action Resize() {
    static const std::vector<std::int32_t> extremes = {
        std::numeric_limits<std::int32_t>::min(), -1, 0, 1, 389, 515, 32000, std::numeric_limits<std::int32_t>::max()};
    auto size = [this](std::int64_t low, std::int64_t high) {
      return m_random.OneIn(10) ? m_random.Pick(extremes) : static_cast<std::int32_t>(m_random.Between(low, high));
    };
    const std::int32_t width = size(300, 1300);
    const std::int32_t height = size(200, 1000);
    MainWindow& w = *m_window;
    return {"resize to " + std::to_string(width) + " x " + std::to_string(height),
            [&w, width, height] { w.Resize(width, height); }, m_road};
  }

  // While watching: the clock, repaints, Pause and Continue, single steps, now and then a table,
  // a new frame count or the circle switched.
  Action Watching() {
    MainWindow& w = *m_window;
    const std::uint64_t pick = m_random.Below(100);
    if (pick < 50) return AdvanceClock(kMostTicksWhileWatching);
    if (pick < 65) return {"flush repaints", [this] { m_platform->FlushRepaints(); }, m_road};
    if (pick < 75) return Press("pGo", soak::AfterGo(m_road));
    if (pick < 85) return Press("pKomaokuri", soak::StepEnabled(m_road) ? soak::AfterStep(m_road) : m_road);
    if (pick < 90) return Write();
    if (pick < 95) return Type();
    return Toggle(w.cDrawCircle());
  }

  // A frame costs a few Newton rounds inside the solver's domain, but tens of thousands where the
  // doubles near the mean anomaly are too far apart for the precision asked, and up to a million
  // outside the domain.
  bool FramesAreCheap() const {
    const MainWindow& w = *m_window;
    const double largest_mean_anomaly = std::abs(w.wHeikin) * (w.wNow + kMostTicksWhileWatching);
    return w.wEccentricity >= 0.0 && w.wEccentricity <= 0.999 && w.wSeido <= 14 && largest_mean_anomaly <= 30.0;
  }

  // Any amount of time, but at most a few periods of the animation timer; more while frames are
  // cheap. Mostly the event loop waits through it a period at a time, so that every tick comes;
  // now and then the loop was away for all of it and takes what the timer's schedule gives then.
  Action AdvanceClock(std::int64_t most_ticks_when_cheap) {
    const std::int64_t period = std::max<std::int64_t>(m_window->Timer1().Period(), 1);
    const std::int64_t most_ticks = FramesAreCheap() ? most_ticks_when_cheap : kMostTicksPerAdvance;
    const std::int64_t ms = m_random.Between(0, most_ticks) * period +
                            static_cast<std::int64_t>(m_random.Below(static_cast<std::uint64_t>(period)));
    const bool away = m_random.OneIn(4);
    framework::HeadlessPlatform& platform = *m_platform;
    return {"advance the clock by " + std::to_string(ms) + " ms (period " + std::to_string(period) + ")" +
                (away ? " in one jump" : ""),
            [&platform, ms, period, away] {
              if (away) {
                platform.AdvanceClock(ms);
                return;
              }
              for (std::int64_t left = ms; left > 0; left -= period) platform.AdvanceClock(std::min(left, period));
            },
            m_road};
  }

  Action CloseWindow(std::string_view class_name, std::string name) {
    auto window = framework::GetImplicitWindow(class_name);
    if (!window) return {"(" + name + " is not open)", [] {}, m_road};
    return {"close " + name, [window] { window->Close(); }, m_road};
  }

  Action EditItem() {
    MainWindow& w = *m_window;
    std::vector<framework::MenuItem*> items = {&w.EditUndo(),  &w.EditCut(),   &w.EditCopy(),
                                               &w.EditPaste(), &w.EditClear(), &w.EditSelectAll()};
    framework::MenuItem* item = m_random.Pick(items);
    return {"choose " + item->Name(), [item] { item->Choose(); }, m_road};
  }

  soak::Random m_random;
  std::unique_ptr<SoakPlatform> m_platform;
  std::shared_ptr<MainWindow> m_window;
  Road m_road = Road::Opened;
  PolylineWatch m_arc{"wPath"};
  PolylineWatch m_rounds{"wPath2"};
  std::string m_hook_problems;
  std::int32_t m_written_frames = 0;
  std::string m_division_at_last_step;
  std::uint64_t m_frames = 0;
  std::uint64_t m_restarts = 0;
  std::int64_t m_watching = 0;  // actions left to watch
  // What the run reached, for its summary line.
  std::uint64_t m_wraps_seen = 0;
  std::int32_t m_longest_polyline = 0;
};

class SoakRun : public testing::TestWithParam<std::size_t> {};

TEST_P(SoakRun, RandomUserActionsKeepTheMainWindowConsistent) {
  const std::uint64_t seed = soak::FromEnvironment("QUILLORN_SOAK_SEED").value_or(kSeeds[GetParam()]);
  const std::uint64_t actions = soak::FromEnvironment("QUILLORN_SOAK_ACTIONS").value_or(kActionsPerRun);
  const std::string test = std::string(testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) + "." +
                           testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string run = "seed " + std::to_string(seed) + " (" + test + ")";
  SCOPED_TRACE(run);
  soak::ActionWatchdog watchdog(kHangLimit, run);

  Soak soak(seed);
  std::deque<std::string> recent;
  std::string slowest;
  double slowest_s = 0.0;
  for (std::uint64_t index = 0; index < actions; ++index) {
    const Action action = soak.Next();
    recent.push_back("#" + std::to_string(index) + " " + action.what);
    if (recent.size() > 30) recent.pop_front();

    watchdog.Begin(index, action.what);
    const auto started = std::chrono::steady_clock::now();
    std::string problems = soak.Perform(action);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    watchdog.End();
    if (took > kActionBound.count()) problems += "the action took " + std::to_string(took) + " s; ";
    if (took > slowest_s) {
      slowest_s = took;
      slowest = action.what;
    }

    if (!problems.empty()) {
      std::string log;
      for (const std::string& line : recent) log += "  " + line + "\n";
      FAIL() << "after action #" << index << " (" << action.what << "): " << problems
             << "\nreplay: QUILLORN_SOAK_SEED=" << seed << " QUILLORN_SOAK_ACTIONS=" << index + 1
             << " soak_tests --gtest_filter=" << test << "\nthe last actions:\n"
             << log;
    }
  }
  EXPECT_EQ(soak.Close(), 0);
  std::printf(
      "soak %s: %llu actions, %llu frames drawn, %llu times after a wrap, longest polyline %d, %llu restarts; "
      "slowest action %.3f s: %s\n",
      run.c_str(), static_cast<unsigned long long>(actions), static_cast<unsigned long long>(soak.Frames()),
      static_cast<unsigned long long>(soak.WrapsSeen()), soak.LongestPolyline(),
      static_cast<unsigned long long>(soak.Restarts()), slowest_s, slowest.c_str());
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakRun, testing::Range<std::size_t>(0, std::size(kSeeds)));

}  // namespace
