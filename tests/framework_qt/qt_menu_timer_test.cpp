// Menus, the Edit items, quitting through the quit item, timers, and the Japanese font.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRawFont>
#include <QTest>
#include <QTimer>

#include "framework/delegate.hpp"
#include "framework/menu_item.hpp"
#include "framework/qt/qt_conversions.hpp"
#include "framework/qt/qt_text_view.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::MenuItem;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;
using qt_test::WidgetOf;

template <class C = MenuItem>
std::shared_ptr<MenuItem> Item(const char* name, const char* text, const char* shortcut = nullptr) {
  auto item = std::make_shared<C>();
  item->SetName(name);
  item->SetText(text);
  if (shortcut != nullptr) item->SetKeyboardShortcut(shortcut);
  return item;
}

// A bar like the program's: File with Quit, Edit with the standard items.
std::shared_ptr<framework::MenuBar> ProgramLikeMenuBar() {
  auto bar = std::make_shared<framework::MenuBar>();
  auto file = Item("FileMenu", "ファイル", "");
  file->Append(Item<framework::QuitMenuItem>("FileQuit", "終了", "Cmd+Q"));
  bar->Append(file);
  auto edit = Item("EditMenu", "編集", "");
  edit->Append(Item("EditUndo", "元に戻す", "Cmd+Z"));
  edit->Append(Item("UntitledMenu1", "-"));
  edit->Append(Item("EditCut", "カット", "Cmd+X"));
  edit->Append(Item("EditCopy", "コピー", "Cmd+C"));
  edit->Append(Item("EditPaste", "貼り付け", "Cmd+V"));
  edit->Append(Item("EditClear", "削除", ""));
  edit->Append(Item("UntitledMenu0", "-"));
  edit->Append(Item("EditSelectAll", "すべてを選択", "Cmd+A"));
  bar->Append(edit);
  return bar;
}

class QtMenus : public qt_test::QtRun {
 protected:
  // With `table`, the text area does not wrap, as the result window's.
  std::shared_ptr<TestWindow> MakeMenuWindow(bool table = false) {
    auto window = qt_test::MakeWindow(
        [table](TestWindow& w) {
          Add<framework::TextField>(w, "tE", Placed("tE", 10, 10, 150, 22).String("Text", "0.866").Bytes());
          Add<framework::TextArea>(w, "tResult",
                                   Placed("tResult", 10, 40, 250, 100)
                                       .String("Text", "line 1\rline 2")
                                       .Boolean("ReadOnly", true)
                                       .Boolean("ScrollbarHorizontal", table)
                                       .Bytes());
        },
        qt_test::WindowString({}));
    window->SetMenuBar(bar);
    return window;
  }

  QAction* Action(const char* name) { return platform.ActionFor(*MenuItem::Lookup(*bar, name)); }

  void Focus(QWidget* widget) {
    QWidget* top = widget->window();
    top->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top));
    widget->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), widget);
  }

  std::shared_ptr<framework::MenuBar> bar = ProgramLikeMenuBar();
};

TEST_F(QtMenus, TheMenuBarShowsTheMenusItemsSeparatorsAndShortcuts) {
  auto window = MakeMenuWindow();
  auto* main = qobject_cast<QMainWindow*>(platform.WindowWidgetFor(*window));
  ASSERT_NE(main, nullptr);
  const QList<QAction*> menus = main->menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), QString::fromUtf8("ファイル"));
  EXPECT_EQ(menus[1]->text(), QString::fromUtf8("編集"));
  ASSERT_NE(menus[1]->menu(), nullptr);

  struct Row {
    const char* text;
    const char* shortcut;
    bool separator;
  };
  const Row edit_rows[] = {{"元に戻す", "Ctrl+Z", false}, {"", "", true},         {"カット", "Ctrl+X", false},
                           {"コピー", "Ctrl+C", false},   {"貼り付け", "Ctrl+V", false}, {"削除", "", false},
                           {"", "", true},                 {"すべてを選択", "Ctrl+A", false}};
  const QList<QAction*> items = menus[1]->menu()->actions();
  ASSERT_EQ(items.size(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(items[i]->isSeparator(), edit_rows[i].separator) << i;
    if (edit_rows[i].separator) continue;
    EXPECT_EQ(items[i]->text(), QString::fromUtf8(edit_rows[i].text)) << i;
    EXPECT_EQ(items[i]->shortcut().toString(QKeySequence::PortableText), QString::fromUtf8(edit_rows[i].shortcut)) << i;
  }
  EXPECT_EQ(Action("FileQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(Action("FileQuit"), menus[0]->menu()->actions().value(0));
}

TEST_F(QtMenus, ChoosingQuitThroughItsActionEndsTheEventLoopWithStatusZero) {
  auto window = MakeMenuWindow();
  QAction* quit = Action("FileQuit");
  ASSERT_NE(quit, nullptr);
  bool gave_up = false;
  QTimer::singleShot(0, quit, [quit] { quit->trigger(); });
  // Should the quit not arrive, the test fails instead of hanging.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&gave_up] {
    gave_up = true;
    QCoreApplication::exit(3);
  });
  guard.start(5000);
  framework::RuntimeRun();
  EXPECT_FALSE(gave_up);
  EXPECT_TRUE(framework::QuitRequested());
  EXPECT_EQ(framework::RuntimeExit(), 0);
}

TEST_F(QtMenus, QuitBeforeTheLoopStartsEndsTheLoopAtOnce) {
  framework::Quit(0);
  QElapsedTimer clock;
  clock.start();
  framework::RuntimeRun();  // returns at once instead of waiting for a quit that came already
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(framework::RuntimeExit(), 0);
}

TEST_F(QtMenus, EditItemsActOnTheFocusedTextFieldAndTheModelHearsOfIt) {
  auto window = MakeMenuWindow();
  auto* field = WidgetOf<QLineEdit>(window->ControlByName("tE"));
  Focus(field);
  auto& model = static_cast<framework::TextField&>(window->ControlByName("tE"));

  Action("EditSelectAll")->trigger();
  EXPECT_EQ(field->selectedText(), QStringLiteral("0.866"));
  Action("EditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("0.866"));
  Action("EditCut")->trigger();
  EXPECT_EQ(model.Text(), "");
  Action("EditPaste")->trigger();
  Action("EditPaste")->trigger();
  EXPECT_EQ(model.Text(), "0.8660.866");
  Action("EditUndo")->trigger();
  EXPECT_EQ(field->text().toStdString(), model.Text());
  field->setSelection(0, 2);
  Action("EditClear")->trigger();
  EXPECT_EQ(field->text().toStdString(), model.Text());
  EXPECT_FALSE(model.Text().starts_with("0."));
}

TEST_F(QtMenus, AReadOnlyTextAreaOnlyCopiesAndSelects) {
  for (const bool table : {false, true}) {
    SCOPED_TRACE(table ? "table" : "wrapping");
    auto window = MakeMenuWindow(table);
    QWidget* widget = platform.WidgetFor(window->ControlByName("tResult"));
    auto* editor = qobject_cast<QPlainTextEdit*>(widget);
    auto* view = qobject_cast<framework::QtTextView*>(widget);
    ASSERT_NE(table ? static_cast<QWidget*>(view) : editor, nullptr);
    const auto shown = [&] { return table ? QString::fromStdString(view->Text()) : editor->toPlainText(); };
    const QString before = shown();
    Focus(widget);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    Action("EditSelectAll")->trigger();
    EXPECT_EQ(table ? view->SelectedText().size() : editor->textCursor().selectedText().size(),
              QStringLiteral("line 1\nline 2").size());
    Action("EditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("line 1\nline 2"));
    for (const char* name : {"EditCut", "EditClear", "EditPaste", "EditUndo"}) Action(name)->trigger();
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(static_cast<framework::TextArea&>(window->ControlByName("tResult")).Text(), "line 1\rline 2");
    // The next round's actions must be this window's successor's.
    platform.WindowWidgetFor(*window)->close();
    qt_test::ProcessEvents();
  }
}

class QtTimers : public qt_test::QtRun {
 protected:
  // A window with one timer, `name`, of `mode` and `period_ms`, whose ticks the window counts.
  static std::shared_ptr<TestWindow> MakeTimerWindow(const char* name, std::int32_t mode, std::int32_t period_ms) {
    return qt_test::MakeWindow(
        [=](TestWindow& w) {
          auto& timer = Add<framework::Timer>(
              w, name, framework::PropertyStringWriter().Int32("Mode", mode).Int32("Period", period_ms).Bytes());
          framework::RuntimeAddEventHandler(timer, "Action",
                                            framework::RuntimeCreateDelegate(w.Self(), &TestWindow::TimerAction, name));
        },
        qt_test::WindowString({}));
  }
};

// Waits until `done` or `ms` passed; true if done.
template <class F>
bool WaitFor(F done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QTest::qWait(5);
  return done();
}

TEST_F(QtTimers, ARepeatingTimerTicksUntilItIsDisabled) {
  auto window = MakeTimerWindow("Timer1", 2, 10);
  auto& timer = static_cast<framework::Timer&>(window->ControlByName("Timer1"));
  QTimer* qtimer = platform.TimerFor(timer);
  ASSERT_NE(qtimer, nullptr);
  EXPECT_EQ(qtimer->timerType(), Qt::PreciseTimer);
  // Armed for the next due time, which is never more than a period away.
  EXPECT_TRUE(qtimer->isActive());
  EXPECT_LE(qtimer->interval(), 10);
  EXPECT_TRUE(WaitFor([&] { return window->ticks >= 3; }, 3000));

  timer.SetEnabled(false);
  EXPECT_FALSE(qtimer->isActive());
  const std::int32_t ticks = window->ticks;
  QTest::qWait(50);
  EXPECT_EQ(window->ticks, ticks);

  // A period of 0 or less gives no ticks, enabled or not; one above 0 starts them again.
  timer.SetPeriod(0);
  timer.SetEnabled(true);
  EXPECT_FALSE(qtimer->isActive());
  timer.SetPeriod(-200);
  EXPECT_FALSE(qtimer->isActive());
  QTest::qWait(30);
  EXPECT_EQ(window->ticks, ticks);
  timer.SetPeriod(1);
  EXPECT_TRUE(qtimer->isActive());

  // Once the window closes, its timer stops for good.
  window->Close();
  const std::int32_t at_close = window->ticks;
  QTest::qWait(30);
  EXPECT_EQ(window->ticks, at_close);
  EXPECT_EQ(platform.TimerFor(timer), nullptr);
}

TEST_F(QtTimers, ASingleShotTimerTicksOnce) {
  auto window = MakeTimerWindow("once", 1, 5);
  EXPECT_TRUE(WaitFor([&] { return window->ticks >= 1; }, 3000));
  QTest::qWait(40);
  EXPECT_EQ(window->ticks, 1);
}

// The timers' clock is the test's, so that a late wake-up is made rather than waited for; the
// QTimer still wakes in real time, a millisecond or so after each due time.
class QtTimerSchedule : public QtTimers {
 protected:
  void SetUp() override {
    QtTimers::SetUp();
    platform.SetTimerClock([this] { return now; });
  }
  void TearDown() override {
    platform.SetTimerClock({});
    QtTimers::TearDown();
  }

  // Lets the QTimer wake until `window` has `ticks` ticks, and a little longer: no tick more may
  // come while the clock stands still.
  static void LetTicksCome(const TestWindow& window, std::int32_t ticks) {
    WaitFor([&] { return window.ticks >= ticks; }, 3000);
    QTest::qWait(20);
  }

  std::chrono::nanoseconds now{std::chrono::hours(1)};
};

TEST_F(QtTimerSchedule, ALateWakeUpDeliversTheTicksDueWithin20MsAndOtherwiseStartsTheScheduleAgain) {
  using std::chrono::milliseconds;
  auto window = MakeTimerWindow("Timer1", 2, 1);  // due at 1 ms, 2 ms, ... from now
  now += milliseconds(15);
  LetTicksCome(*window, 15);
  EXPECT_EQ(window->ticks, 15);
  now += milliseconds(50);  // 49 ms behind: one tick, and the next due 1 ms from now
  LetTicksCome(*window, 16);
  EXPECT_EQ(window->ticks, 16);
  now += milliseconds(1);
  LetTicksCome(*window, 17);
  EXPECT_EQ(window->ticks, 17);
  now += std::chrono::microseconds(20500);  // 19.5 ms behind: 20 ticks
  LetTicksCome(*window, 37);
  EXPECT_EQ(window->ticks, 37);
}

// The ticks still due after a handler that closes the window, drops it or stops the timer are
// not delivered.
TEST_F(QtTimerSchedule, AHandlerThatClosesTheWindowOrStopsTheTimerEndsTheCatchUp) {
  for (const bool close : {true, false}) {
    auto window = MakeTimerWindow("Timer1", 2, 1);
    auto& timer = static_cast<framework::Timer&>(window->ControlByName("Timer1"));
    const std::weak_ptr<TestWindow> weak = window;
    std::int32_t ticks = 0;
    timer.AddEventHandler("Action", framework::Delegate("( Timer )", [&](framework::Control& sender,
                                                                          const framework::EventArguments&) {
                            if (++ticks != 3) return;
                            if (close) {
                              window->Close();
                              window.reset();
                            } else {
                              static_cast<framework::Timer&>(sender).SetEnabled(false);
                            }
                          }));
    now += std::chrono::milliseconds(10);
    WaitFor([&] { return ticks >= 3; }, 3000);
    QTest::qWait(20);
    SCOPED_TRACE(close ? "closed" : "stopped");
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(weak.expired(), close);
    if (!close) {
      EXPECT_FALSE(platform.TimerFor(timer)->isActive());
    }
  }
}

// A hidden window's timer stops, starts and changes as a shown one's: one that may not tick does
// not wake, and one switched back on ticks again at its period, the window still hidden.
TEST_F(QtTimerSchedule, AHiddenWindowsTimerStopsAndStartsAgainAsAShownOnes) {
  using Change = std::function<void(framework::Timer&)>;
  const struct {
    const char* what;
    Change change, undo;
  } rows[] = {
      {"disabled", [](framework::Timer& t) { t.SetEnabled(false); }, [](framework::Timer& t) { t.SetEnabled(true); }},
      {"period 0", [](framework::Timer& t) { t.SetPeriod(0); }, [](framework::Timer& t) { t.SetPeriod(1); }},
      {"period below 0", [](framework::Timer& t) { t.SetPeriod(-5); }, [](framework::Timer& t) { t.SetPeriod(1); }},
      {"Mode 0", [](framework::Timer& t) { t.SetMode(0); }, [](framework::Timer& t) { t.SetMode(2); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    auto window = MakeTimerWindow("Timer1", 2, 1);
    auto& timer = static_cast<framework::Timer&>(window->ControlByName("Timer1"));
    QTimer* qtimer = platform.TimerFor(timer);
    ASSERT_NE(qtimer, nullptr);
    framework::SetProperties(*window, framework::PropertyStringWriter().Boolean("Visible", false).Bytes());
    row.change(timer);
    EXPECT_FALSE(qtimer->isActive());
    now += std::chrono::milliseconds(5);
    QTest::qWait(20);
    EXPECT_EQ(window->ticks, 0);
    row.undo(timer);
    EXPECT_TRUE(qtimer->isActive());
    now += std::chrono::milliseconds(3);
    LetTicksCome(*window, 3);
    EXPECT_EQ(window->ticks, 3);
    window->Close();
    qt_test::ProcessEvents();
  }
}

// Its close takes a hidden window's Qt objects with it, the QTimers among them.
TEST_F(QtTimers, AWindowClosedWhileHiddenLeavesNoQtObjectBehind) {
  auto window = MakeTimerWindow("Timer1", 2, 1);
  const QPointer<QTimer> qtimer = platform.TimerFor(static_cast<framework::Timer&>(window->ControlByName("Timer1")));
  const QPointer<QWidget> top = platform.WindowWidgetFor(*window);
  ASSERT_FALSE(qtimer.isNull());
  framework::SetProperties(*window, framework::PropertyStringWriter().Boolean("Visible", false).Bytes());
  window->Close();
  qt_test::ProcessEvents();
  EXPECT_TRUE(qtimer.isNull());
  EXPECT_TRUE(top.isNull());
}

// A QTimer takes whole milliseconds. Armed for less than the time left, it would wake early, find
// nothing due and be armed for 0 ms, and the event loop would spin until the due time.
TEST_F(QtTimerSchedule, AWakeUpHalfAMillisecondBeforeTheDueTimeArmsTheTimerForAWholeOne) {
  auto window = MakeTimerWindow("Timer1", 2, 1);
  QTimer* qtimer = platform.TimerFor(static_cast<framework::Timer&>(window->ControlByName("Timer1")));
  now += std::chrono::microseconds(500);
  QTest::qWait(20);
  EXPECT_EQ(window->ticks, 0);
  EXPECT_TRUE(qtimer->isActive());
  EXPECT_GE(qtimer->interval(), 1);
}

// A handler slower than the period on every tick: each wake-up takes the ticks due when it woke
// and goes back to the event loop, which therefore still runs its other work between them.
TEST_F(QtTimerSchedule, AHandlerSlowerThanThePeriodLeavesTheEventLoopTurnsBetweenWakeUps) {
  auto window = MakeTimerWindow("Timer1", 2, 1);
  auto& timer = static_cast<framework::Timer&>(window->ControlByName("Timer1"));
  std::int32_t ticks = 0;
  std::int32_t ticks_without_a_turn = 0;
  std::int32_t longest_run = 0;
  bool turn_posted = false;
  timer.AddEventHandler("Action", framework::Delegate("( Timer )", [&](framework::Control& sender,
                                                                        const framework::EventArguments&) {
                          now += std::chrono::milliseconds(3);
                          longest_run = std::max(longest_run, ++ticks_without_a_turn);
                          if (!turn_posted) {
                            turn_posted = true;
                            QTimer::singleShot(0, [&] {
                              turn_posted = false;
                              ticks_without_a_turn = 0;
                            });
                          }
                          // Ends a catch-up that would otherwise never end by itself.
                          if (++ticks == 200) static_cast<framework::Timer&>(sender).SetEnabled(false);
                        }));
  now += std::chrono::milliseconds(1);
  WaitFor([&] { return ticks >= 200; }, 10000);
  EXPECT_EQ(ticks, 200);
  // At a 1 ms period a wake-up finds at most the ticks of the 20 ms it may fall behind.
  EXPECT_LE(longest_run, 21);
}

TEST(QtFont, TheDefaultFontDrawsEveryJapaneseTextOfTheProgram) {
  qt_test::Platform();  // the platform chooses the application font
  const char* texts[] = {"開始", "一時停止", "続行", "停止", "終了", "書出", "こま送り", "ケプラー", "楕円の弧長",
                         "離心率：e", "扁平率：f", "フレーム数", "小数点以下", "≦ 0.999", "現在", "速度比",
                         "最大", "再帰回数", "円軌道を表示する。", "円軌道と中心を合わせる。", "計算結果",
                         "Keplar方程式", "ファイル", "編集", "元に戻す", "カット", "コピー", "貼り付け", "削除",
                         "すべてを選択",
                         "s:小数点以下桁数（有効数値ではありません。）",
                         "「円軌道を表示する」のチェックが入っているときは、同じ周期（＝同じ長半径）の円軌道",
                         "軌道短半径÷軌道長半径を表示します。", "１より大きい場合は"};
  const QFont font = QApplication::font();
  const QRawFont raw = QRawFont::fromFont(font);
  ASSERT_TRUE(raw.isValid()) << font.family().toStdString();
  const QFontMetrics metrics(font);
  for (const char* text : texts) {
    for (const char32_t code : QString::fromUtf8(text).toUcs4()) {
      EXPECT_TRUE(raw.supportsCharacter(static_cast<uint>(code)))
          << raw.familyName().toStdString() << " lacks U+" << std::hex << static_cast<unsigned>(code) << " of " << text;
      EXPECT_TRUE(metrics.inFontUcs4(code)) << std::hex << static_cast<unsigned>(code);
    }
  }
  EXPECT_TRUE(framework::qt::FontCovers(font, QString::fromUtf8("ケプラー")));
}

}  // namespace
