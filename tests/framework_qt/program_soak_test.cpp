// A short soak of the real program on Qt: random clicks, typing, slider keys, check boxes, resizes
// of the top-level window, the two text windows and the Edit menu, all through the real widgets,
// with the real timer ticking and the real paints in between. After every action the main
// window's model keeps the invariants of the headless soak (tests/soak) and the switched widgets
// show what the model says. The run ends with a click on pQuit, status 0.
//
// Timing makes each run different after its first actions; a failure names the seed and the last
// actions. QUILLORN_SOAK_SEED changes the seed, QUILLORN_SOAK_ACTIONS caps the number of actions.

#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "../soak/soak_inputs.hpp"
#include "../soak/soak_invariants.hpp"
#include "../soak/soak_watchdog.hpp"
#include "app/implicit_instance.hpp"
#include "framework/qt/qt_text_view.hpp"
#include "framework/runtime.hpp"
#include "program_run.hpp"
#include "qt_test_support.hpp"
#include "shell_parts/caliculate.hpp"
#include "shell_parts/keplar.hpp"

namespace {

using soak::Road;

constexpr std::uint64_t kSeed = 0x5eed0101;
constexpr auto kSoakTime = std::chrono::seconds(10);
// Generous: a bound on a hang or a runaway loop, not a measure of speed.
constexpr auto kActionBound = std::chrono::seconds(2);
constexpr auto kHangLimit = std::chrono::seconds(30);
constexpr int kRunLimitMs = 60000;

std::int32_t RunProgram(const std::function<void(MainWindow&)>& soak) { return qt_test::RunProgram(soak, kRunLimitMs); }

struct Action {
  std::string what;
  std::function<void()> run;
  Road road_after;
  std::optional<std::int32_t> written_frames = std::nullopt;  // set for a press of pWrite
};

class QtSoak {
 public:
  QtSoak(MainWindow& window, std::uint64_t seed) : m_window(window), m_random(seed) {}

  Action Next() {
    const std::uint64_t pick = m_random.Below(100);
    if (pick < 10) return Click("pGo", soak::AfterGo(m_road));
    if (pick < 14) return Click("pStop", soak::AfterStop(m_road));
    if (pick < 22) return Click("pKomaokuri", soak::StepEnabled(m_road) ? soak::AfterStep(m_road) : m_road);
    if (pick < 26) return Write();
    if (pick < 28) return Click("pSourceCode", m_road);
    if (pick < 29) return Click("pSourceCode1", m_road);  // disabled: must do nothing
    if (pick < 38) return Type();
    if (pick < 46) return Slide(m_random.OneIn(2) ? "slEccentricity" : "slSpeed");
    if (pick < 52) return ClickBox(m_random.OneIn(2) ? "cDrawCircle" : "cSameCenter");
    if (pick < 57) return Resize();
    if (pick < 85) return Wait();
    if (pick < 89) return {"grab the window", [this] { Content()->grab(); }, m_road};
    if (pick < 94) return CloseTextWindow(m_random.OneIn(2) ? Keplar::kClassName : Caliculate::kClassName);
    return EditItem();
  }

  std::uint64_t ActionsWhileRunning() const { return m_while_running; }
  double LargestFrame() const { return m_largest_frame; }

  // What is wrong after an action, if anything.
  std::string Check(const Action& action) {
    m_road = action.road_after;
    if (m_window.Timer1().Enabled()) ++m_while_running;
    m_largest_frame = std::max(m_largest_frame, m_window.wNow);
    std::string problems = soak::CheckWindow(m_window, m_road);
    if (action.written_frames) {
      problems += soak::CheckResultTable(*action.written_frames);
      // The result window's view shows the table the model holds.
      const auto result = std::dynamic_pointer_cast<Caliculate>(framework::GetImplicitWindow(Caliculate::kClassName));
      const auto* view =
          result ? qobject_cast<framework::QtTextView*>(qt_test::Platform().WidgetFor(result->tResult())) : nullptr;
      if (view == nullptr || view->Text() != result->tResult().Text()) problems += "the result view differs from its model; ";
    }
    // The widgets show the model's caption and Enabled.
    for (const char* name : {"pGo", "pStop", "pKomaokuri", "tDivision", "tSeido", "cSameCenter"}) {
      const auto& control = static_cast<framework::RectControl&>(m_window.ControlByName(name));
      if (Widget(name)->isEnabled() != control.Enabled()) problems += std::string(name) + "'s widget Enabled differs; ";
    }
    if (Widget<QPushButton>("pGo")->text().toStdString() != m_window.pGo().Caption())
      problems += "pGo's caption differs; ";
    if (Widget<QLabel>("lStep")->text().toStdString() != m_window.lStep().Text()) problems += "lStep's text differs; ";
    return problems;
  }

 private:
  template <class W = QWidget>
  W* Widget(const char* name) const {
    W* widget = qobject_cast<W*>(qt_test::Platform().WidgetFor(m_window.ControlByName(name)));
    if (widget == nullptr) throw std::logic_error(std::string("no widget for ") + name);
    return widget;
  }
  QWidget* Content() const { return qt_test::Platform().ContentWidgetFor(m_window); }

  Action Click(const char* name, Road after) {
    QPushButton* button = Widget<QPushButton>(name);
    return {std::string("click ") + name, [button] { QTest::mouseClick(button, Qt::LeftButton); }, after};
  }

  Action Write() {
    const std::optional<std::int32_t> frames = soak::AffordableTable(m_window);
    if (!frames) return {"(pWrite left out: the table would cost too much)", [] {}, m_road};
    Action action = Click("pWrite", m_road);
    action.what += " (" + std::to_string(*frames) + " frames)";
    action.written_frames = frames;
    return action;
  }

  // Selects the field's text and types over it, key by key; an empty text is a Backspace.
  Action Type() {
    static const std::vector<const char*> fields = {"tEccentricity", "tDivision", "tFrameRate", "tSeido"};
    const char* name = m_random.Pick(fields);
    const std::string text = soak::FieldText(m_random, name);
    QLineEdit* field = Widget<QLineEdit>(name);
    return {"type \"" + text + "\" into " + name,
            [field, text] {
              field->selectAll();
              if (text.empty()) {
                QTest::keyClick(field, Qt::Key_Backspace);
              } else {
                QTest::keyClicks(field, QString::fromStdString(text));
              }
            },
            m_road};
  }

  // A key on the slider, or its thumb put anywhere.
  Action Slide(const char* name) {
    static const std::vector<std::pair<Qt::Key, const char*>> keys = {
        {Qt::Key_Home, "Home"},         {Qt::Key_End, "End"},   {Qt::Key_PageUp, "PageUp"},
        {Qt::Key_PageDown, "PageDown"}, {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"}};
    QSlider* slider = Widget<QSlider>(name);
    if (m_random.OneIn(2)) {
      const auto& [key, key_name] = m_random.Pick(keys);
      return {std::string("press ") + key_name + " on " + name, [slider, key = key] { QTest::keyClick(slider, key); },
              m_road};
    }
    const int value = static_cast<int>(m_random.Between(slider->minimum() - 20, slider->maximum() + 20));
    return {std::string("drag ") + name + " to " + std::to_string(value), [slider, value] { slider->setValue(value); },
            m_road};
  }

  Action ClickBox(const char* name) {
    QCheckBox* box = Widget<QCheckBox>(name);
    return {std::string("click ") + name, [box] { QTest::mouseClick(box, Qt::LeftButton); }, m_road};
  }

  // The top-level window, mostly around its design size, often below its minimum.
  Action Resize() {
    QWidget* top = qt_test::Platform().WindowWidgetFor(m_window);
    const int width = static_cast<int>(m_random.Between(300, 1300));
    const int height = static_cast<int>(m_random.Between(200, 1000));
    return {"resize the window to " + std::to_string(width) + " x " + std::to_string(height),
            [top, width, height] { top->resize(width, height); }, m_road};
  }

  // Mostly a moment, now and then long enough for a few dozen ticks.
  Action Wait() {
    const int ms = static_cast<int>(m_random.OneIn(10) ? m_random.Below(800) : m_random.Below(100));
    return {"wait " + std::to_string(ms) + " ms", [ms] { QTest::qWait(ms); }, m_road};
  }

  Action CloseTextWindow(std::string_view class_name) {
    auto window = framework::GetImplicitWindow(class_name);
    QWidget* top = window ? qt_test::Platform().WindowWidgetFor(*window) : nullptr;
    if (top == nullptr) return {"(" + std::string(class_name) + " is not open)", [] {}, m_road};
    return {"close " + std::string(class_name), [top] { top->close(); }, m_road};
  }

  // The Edit items act on the focused field, as typing would.
  Action EditItem() {
    std::vector<framework::MenuItem*> items = {&m_window.EditUndo(),  &m_window.EditCut(),   &m_window.EditCopy(),
                                               &m_window.EditPaste(), &m_window.EditClear(), &m_window.EditSelectAll()};
    framework::MenuItem* item = m_random.Pick(items);
    QAction* action = qt_test::Platform().ActionFor(m_window, *item);
    if (action == nullptr) throw std::logic_error("no action for " + item->Name());
    return {"choose " + item->Name(), [action] { action->trigger(); }, m_road};
  }

  MainWindow& m_window;
  soak::Random m_random;
  Road m_road = Road::Opened;
  // What the run reached, for its summary line.
  std::uint64_t m_while_running = 0;
  double m_largest_frame = 0.0;
};

TEST(ProgramSoakOnQt, RandomUserActionsThroughTheWidgetsKeepTheMainWindowConsistent) {
  const std::uint64_t seed = soak::FromEnvironment("QUILLORN_SOAK_SEED").value_or(kSeed);
  const std::uint64_t most_actions =
      soak::FromEnvironment("QUILLORN_SOAK_ACTIONS").value_or(std::numeric_limits<std::uint64_t>::max());
  const std::string run = "seed " + std::to_string(seed) + " (ProgramSoakOnQt)";
  SCOPED_TRACE(run);
  std::uint64_t actions = 0;
  std::uint64_t while_running = 0;
  double largest_frame = 0.0;

  const std::int32_t status = RunProgram([&](MainWindow& window) {
    QWidget* top = qt_test::Platform().WindowWidgetFor(window);
    ASSERT_NE(top, nullptr);
    // A mouse click reaches only a window that is on the screen.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    soak::ActionWatchdog watchdog(kHangLimit, run);
    QtSoak soak(window, seed);
    std::deque<std::string> recent;
    const auto end = std::chrono::steady_clock::now() + kSoakTime;
    for (; actions < most_actions && std::chrono::steady_clock::now() < end; ++actions) {
      const Action action = soak.Next();
      recent.push_back("#" + std::to_string(actions) + " " + action.what);
      if (recent.size() > 30) recent.pop_front();

      watchdog.Begin(actions, action.what);
      const auto started = std::chrono::steady_clock::now();
      action.run();
      const auto took = std::chrono::steady_clock::now() - started;
      watchdog.End();

      std::string problems = soak.Check(action);
      if (framework::UnhandledExceptionCount() != 0) problems += "an exception reached the default handling; ";
      if (framework::QuitRequested()) problems += "the program quit; ";
      if (took > kActionBound) {
        problems += "the action took " + std::to_string(std::chrono::duration<double>(took).count()) + " s; ";
      }
      if (!problems.empty()) {
        std::string log;
        for (const std::string& line : recent) log += "  " + line + "\n";
        FAIL() << "after action #" << actions << " (" << action.what << "): " << problems << "\nthe last actions:\n"
               << log;
      }
    }
    while_running = soak.ActionsWhileRunning();
    largest_frame = soak.LargestFrame();
    auto* quit = qobject_cast<QPushButton*>(qt_test::Platform().WidgetFor(window.pQuit()));
    ASSERT_NE(quit, nullptr);
    QTest::mouseClick(quit, Qt::LeftButton);
  });
  EXPECT_EQ(status, 0);
  EXPECT_GE(actions, std::min<std::uint64_t>(most_actions, 100));
  std::printf("soak on Qt, %s: %llu actions, %llu of them while running, largest frame %.0f\n", run.c_str(),
              static_cast<unsigned long long>(actions), static_cast<unsigned long long>(while_running), largest_frame);
}

}  // namespace
