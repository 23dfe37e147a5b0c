// Windows and controls as Qt shows them: sizes, places, looks, tooltips, focus order, closing.

#include <cstdio>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextBlock>
#include <QTest>

#include "framework/menu_item.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::PropertyStringWriter;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;
using qt_test::WidgetOf;

class QtWindows : public qt_test::QtRun {};

// Sets environment variables back as they were when it was made, however the test ends: a failed
// assertion must not leave the tests after it without a display.
class ScopedEnvironment {
 public:
  explicit ScopedEnvironment(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      const char* value = std::getenv(name);
      m_saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~ScopedEnvironment() {
    for (const auto& [name, value] : m_saved) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

TEST(QtDisplay, OnlyAPlatformByNameOrADisplayThatAnswersCounts) {
  const ScopedEnvironment environment{"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"};
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}) unsetenv(name);
  EXPECT_FALSE(framework::QtPlatform::DisplayAvailable());
  setenv("DISPLAY", "", 1);  // set but empty names no display
  EXPECT_FALSE(framework::QtPlatform::DisplayAvailable());
  setenv("DISPLAY", ":987", 1);  // no X server answers there
  EXPECT_FALSE(framework::QtPlatform::DisplayAvailable());
  unsetenv("DISPLAY");

  const std::string socket = testing::TempDir() + "quillorn-wayland-socket";
  setenv("WAYLAND_DISPLAY", socket.c_str(), 1);
  std::remove(socket.c_str());
  EXPECT_FALSE(framework::QtPlatform::DisplayAvailable()) << "no compositor socket";
  std::FILE* file = std::fopen(socket.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_TRUE(framework::QtPlatform::DisplayAvailable()) << "the compositor socket exists";
  std::remove(socket.c_str());
  unsetenv("WAYLAND_DISPLAY");

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_TRUE(framework::QtPlatform::DisplayAvailable());
  unsetenv("QT_QPA_PLATFORM");
}

QSize ContentSize(const framework::Window& window) {
  return qt_test::Platform().ContentWidgetFor(window)->size();
}

QRect Geometry(const framework::Control& control) { return qt_test::Platform().WidgetFor(control)->geometry(); }

QRect Model(const framework::RectControl& control) {
  return QRect(control.Left(), control.Top(), control.Width(), control.Height());
}

TEST_F(QtWindows, TheContentAreaHasTheModelsSizeAndFollowsItsChanges) {
  qt_test::WindowLook look;
  look.width = 692;
  look.height = 559;
  look.title = "Quillorn";
  auto window = qt_test::MakeWindow([](TestWindow&) {}, qt_test::WindowString(look));
  QWidget* top = platform.WindowWidgetFor(*window);
  ASSERT_NE(top, nullptr);
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->windowTitle(), QStringLiteral("Quillorn"));
  EXPECT_EQ(ContentSize(*window), QSize(692, 559));

  // A size set by code: the Qt window follows the model.
  framework::SetProperties(*window, PropertyStringWriter().Int32("Width", 500).Int32("Height", 400).Bytes());
  EXPECT_EQ(ContentSize(*window), QSize(500, 400));
}

TEST_F(QtWindows, WindowsWithAMenuBarStillGetTheirFullContentSize) {
  auto window = qt_test::MakeWindow([](TestWindow&) {}, qt_test::WindowString({}));
  auto bar = std::make_shared<framework::MenuBar>();
  auto file = std::make_shared<framework::MenuItem>();
  file->SetName("FileMenu");
  file->SetText("ファイル");
  bar->Append(file);
  window->SetMenuBar(bar);
  auto* main = qobject_cast<QMainWindow*>(platform.WindowWidgetFor(*window));
  ASSERT_NE(main, nullptr);
  EXPECT_NE(main->menuWidget(), nullptr);
  EXPECT_EQ(ContentSize(*window), QSize(300, 200));
}

TEST_F(QtWindows, ResizingByTheUserReachesTheModelAndTheLocksMoveTheWidgets) {
  qt_test::WindowLook look;
  look.min_width = 200;
  look.min_height = 150;
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::PushButton>(w, "stretched", Placed("stretched", 10, 10, 280, 20, "LTR").Bytes());
        Add<framework::PushButton>(w, "corner", Placed("corner", 210, 170, 80, 20, "RB").Bytes());
      },
      qt_test::WindowString(look));
  QWidget* top = platform.WindowWidgetFor(*window);
  const QSize extra = top->size() - ContentSize(*window);

  top->resize(QSize(400, 260) + extra);
  qt_test::ProcessEvents();
  EXPECT_EQ(window->Width(), 400);
  EXPECT_EQ(window->Height(), 260);
  const auto& stretched = static_cast<framework::RectControl&>(window->ControlByName("stretched"));
  const auto& corner = static_cast<framework::RectControl&>(window->ControlByName("corner"));
  EXPECT_EQ(Model(stretched), QRect(10, 10, 380, 20));
  EXPECT_EQ(Model(corner), QRect(310, 230, 80, 20));
  EXPECT_EQ(Geometry(stretched), Model(stretched));
  EXPECT_EQ(Geometry(corner), Model(corner));

  // The Qt window cannot go below the model's minimum content size.
  EXPECT_EQ(top->minimumSize(), QSize(200, 150) + extra);
  top->resize(QSize(100, 100) + extra);
  qt_test::ProcessEvents();
  EXPECT_EQ(window->Width(), 200);
  EXPECT_EQ(window->Height(), 150);
  EXPECT_EQ(ContentSize(*window), QSize(200, 150));
}

TEST_F(QtWindows, FixedWindowsAndTheirTitleBarButtons) {
  qt_test::WindowLook fixed;
  fixed.resizeable = false;
  fixed.minimize_button = false;
  auto window = qt_test::MakeWindow([](TestWindow&) {}, qt_test::WindowString(fixed));
  QWidget* top = platform.WindowWidgetFor(*window);
  EXPECT_EQ(top->minimumSize(), top->maximumSize());
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(top->windowFlags() & Qt::WindowCloseButtonHint);

  qt_test::WindowLook all;
  all.maximize_button = true;
  auto other = qt_test::MakeWindow([](TestWindow&) {}, qt_test::WindowString(all));
  const Qt::WindowFlags flags = platform.WindowWidgetFor(*other)->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_LT(platform.WindowWidgetFor(*other)->minimumSize().width(),
            platform.WindowWidgetFor(*other)->maximumSize().width());

  // A window without a maximise button (as the program's windows are).
  qt_test::WindowLook no_max;
  auto third = qt_test::MakeWindow([](TestWindow&) {}, qt_test::WindowString(no_max));
  EXPECT_FALSE(platform.WindowWidgetFor(*third)->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(QtWindows, ARectangleIsWhiteWithABlackFrameAndACanvasLiesOnTopOfIt) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::Rectangle>(w, "Rectangle1", Placed("Rectangle1", 20, 17, 100, 80).Bytes());
        Add<framework::Canvas>(w, "cOrbit", Placed("cOrbit", 20, 17, 100, 80).Bytes());
        Add<framework::Rectangle>(
            w, "thick",
            Placed("thick", 150, 20, 40, 40)
                .Colour("FillColor", framework::Colour::FromRgb(0x00FF00))
                .Int32("BorderWidth", 3)
                .Colour("TopLeftColor", framework::Colour::FromRgb(0xFF0000))
                .Colour("BottomRightColor", framework::Colour::FromRgb(0x0000FF))
                .Bytes());
      },
      qt_test::WindowString({}));
  const QImage image = qt_test::GrabContent(*window);
  ASSERT_FALSE(image.isNull());
  const QRgb black = qRgb(0, 0, 0);
  const QRgb white = qRgb(255, 255, 255);
  // The frame: the corners and the middle of each edge.
  for (const QPoint p : {QPoint(20, 17), QPoint(119, 17), QPoint(20, 96), QPoint(119, 96), QPoint(70, 17),
                         QPoint(70, 96), QPoint(20, 50), QPoint(119, 50)}) {
    EXPECT_EQ(image.pixel(p), black) << p.x() << "," << p.y();
  }
  // The inside, seen through the canvas, which draws nothing here.
  for (const QPoint p : {QPoint(21, 18), QPoint(70, 50), QPoint(118, 95)}) {
    EXPECT_EQ(image.pixel(p), white) << p.x() << "," << p.y();
  }
  EXPECT_NE(image.pixel(19, 16), black);  // outside the frame

  // Frame colours by edge, a frame as wide as BorderWidth.
  EXPECT_EQ(image.pixel(160, 20), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(150, 40), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(152, 40), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(189, 40), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(170, 57), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(170, 40), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(153, 40), qRgb(0, 255, 0));
}

TEST_F(QtWindows, ControlsShowTheirModelStateAndHelpTags) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::PushButton>(w, "pGo",
                                   Placed("pGo", 10, 10, 80, 20)
                                       .String("Caption", "開始")
                                       .Boolean("Default", true)
                                       .String("HelpTag", "line 1\rline 2\r")
                                       .Bytes());
        Add<framework::PushButton>(w, "pStop",
                                   Placed("pStop", 100, 10, 80, 20).String("Caption", "停止").Boolean("Enabled", false).Bytes());
        Add<framework::Label>(w, "lLeft", Placed("lLeft", 10, 40, 100, 20).String("Text", "離心率：e").Bytes());
        Add<framework::Label>(w, "lRight",
                              Placed("lRight", 10, 60, 100, 20).String("Text", "").Int32("TextAlign", 2).Bytes());
        Add<framework::Label>(w, "lHidden",
                              Placed("lHidden", 10, 80, 100, 20).String("Text", "x").Boolean("Visible", false).Bytes());
        Add<framework::TextField>(
            w, "tE", Placed("tE", 120, 40, 120, 22).String("Text", "0.866").Int32("Alignment", 3).Bytes());
        Add<framework::TextField>(w, "tLocked",
                                  Placed("tLocked", 120, 70, 120, 22).Boolean("ReadOnly", true).Bytes());
        Add<framework::CheckBox>(w, "cDraw",
                                 Placed("cDraw", 10, 110, 200, 20)
                                     .String("Caption", "円軌道を表示する。")
                                     .Int32("State", 1)
                                     .Boolean("Value", true)
                                     .Bytes());
        Add<framework::Slider>(w, "slE", qt_test::EccentricitySlider(10, 140).Bytes());
      },
      qt_test::WindowString({}));

  auto* go = WidgetOf<QPushButton>(window->ControlByName("pGo"));
  ASSERT_NE(go, nullptr);
  EXPECT_EQ(go->text(), QString::fromUtf8("開始"));
  EXPECT_TRUE(go->isDefault());
  EXPECT_TRUE(go->isEnabled());
  EXPECT_EQ(go->toolTip(), QStringLiteral("line 1\nline 2\n"));
  EXPECT_EQ(go->geometry(), QRect(10, 10, 80, 20));
  auto* stop = WidgetOf<QPushButton>(window->ControlByName("pStop"));
  EXPECT_FALSE(stop->isEnabled());
  EXPECT_FALSE(stop->isDefault());
  EXPECT_TRUE(stop->toolTip().isEmpty());

  auto* left = WidgetOf<QLabel>(window->ControlByName("lLeft"));
  EXPECT_EQ(left->text(), QString::fromUtf8("離心率：e"));
  EXPECT_EQ(left->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
  EXPECT_EQ(left->textFormat(), Qt::PlainText);
  EXPECT_EQ(WidgetOf<QLabel>(window->ControlByName("lRight"))->alignment(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_FALSE(WidgetOf<QLabel>(window->ControlByName("lHidden"))->isVisible());
  EXPECT_TRUE(left->isVisible());

  auto* field = WidgetOf<QLineEdit>(window->ControlByName("tE"));
  EXPECT_EQ(field->text(), QStringLiteral("0.866"));
  EXPECT_TRUE(field->alignment() & Qt::AlignRight);
  EXPECT_FALSE(field->isReadOnly());
  EXPECT_TRUE(WidgetOf<QLineEdit>(window->ControlByName("tLocked"))->isReadOnly());

  auto* box = WidgetOf<QCheckBox>(window->ControlByName("cDraw"));
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(box->text(), QString::fromUtf8("円軌道を表示する。"));

  auto* slider = WidgetOf<QSlider>(window->ControlByName("slE"));
  EXPECT_EQ(slider->orientation(), Qt::Horizontal);
  EXPECT_EQ(slider->minimum(), 0);
  EXPECT_EQ(slider->maximum(), 999);
  EXPECT_EQ(slider->value(), 99);
  EXPECT_EQ(slider->singleStep(), 1);
  EXPECT_EQ(slider->pageStep(), 10);

  // Changes made by code show at once.
  auto& stop_model = static_cast<framework::PushButton&>(window->ControlByName("pStop"));
  stop_model.SetEnabled(true);
  stop_model.SetCaption("続行");
  EXPECT_TRUE(stop->isEnabled());
  EXPECT_EQ(stop->text(), QString::fromUtf8("続行"));
  static_cast<framework::Label&>(window->ControlByName("lRight")).SetText("0.5");
  EXPECT_EQ(WidgetOf<QLabel>(window->ControlByName("lRight"))->text(), QStringLiteral("0.5"));
}

TEST_F(QtWindows, TextAreasShowOneLinePerCrAndTheirScrollBars) {
  std::string text;
  for (int line = 1; line <= 32; ++line) text += "line " + std::to_string(line) + (line < 32 ? "\r" : "");
  auto window = qt_test::MakeWindow(
      [&text](TestWindow& w) {
        Add<framework::TextArea>(w, "wrapped",
                                 Placed("wrapped", 0, 0, 200, 100)
                                     .Boolean("ScrollbarHorizontal", false)
                                     .Boolean("ScrollbarVertical", true)
                                     .String("Text", text)
                                     .Boolean("ReadOnly", true)
                                     .Bytes());
        Add<framework::TextArea>(w, "table",
                                 Placed("table", 0, 100, 200, 100)
                                     .Boolean("ScrollbarHorizontal", true)
                                     .Boolean("ScrollbarVertical", true)
                                     .Bytes());
      },
      qt_test::WindowString({}));
  auto* wrapped = WidgetOf<QPlainTextEdit>(window->ControlByName("wrapped"));
  ASSERT_NE(wrapped, nullptr);
  EXPECT_EQ(wrapped->blockCount(), 32);
  EXPECT_EQ(wrapped->document()->findBlockByNumber(17).text(), QStringLiteral("line 18"));
  EXPECT_TRUE(wrapped->isReadOnly());
  EXPECT_FALSE(wrapped->horizontalScrollBar()->isVisible());
  EXPECT_EQ(wrapped->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(wrapped->verticalScrollBar()->isVisible());

  // An area with both bars shows both while it is empty, with nothing to scroll.
  auto* table = WidgetOf<QPlainTextEdit>(window->ControlByName("table"));
  EXPECT_TRUE(table->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(table->verticalScrollBar()->isVisible());
  EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(table->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(table->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_FALSE(table->isReadOnly());

  // The text is replaced whole, CR by CR.
  static_cast<framework::TextArea&>(window->ControlByName("table")).SetText("a\tb\rc\td\r");
  EXPECT_EQ(table->toPlainText(), QStringLiteral("a\tb\nc\td\n"));
}

TEST_F(QtWindows, TabFollowsTabIndexAndCanvasesWithoutAcceptFocusTakeNoFocus) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        // Created against the tab order, which a focus chain in creation order would follow.
        Add<framework::PushButton>(w, "third", Placed("third", 0, 0, 50, 20).Int32("TabIndex", 30).Bytes());
        Add<framework::Slider>(w, "second", Placed("second", 0, 60, 50, 20).Int32("TabIndex", 8).Bytes());
        Add<framework::Canvas>(w, "canvas", Placed("canvas", 60, 0, 50, 50).Int32("TabIndex", 0).Bytes());
        Add<framework::Label>(w, "label", Placed("label", 60, 60, 50, 20).Int32("TabIndex", 1).Bytes());
        Add<framework::TextField>(w, "first", Placed("first", 0, 30, 50, 20).Int32("TabIndex", 2).Bytes());
        Add<framework::CheckBox>(w, "untabbed",
                                 Placed("untabbed", 0, 90, 50, 20).Int32("TabIndex", 9).Boolean("TabStop", false).Bytes());
      },
      qt_test::WindowString({}));
  QWidget* first = platform.WidgetFor(window->ControlByName("first"));
  QWidget* second = platform.WidgetFor(window->ControlByName("second"));
  QWidget* third = platform.WidgetFor(window->ControlByName("third"));
  EXPECT_EQ(platform.WidgetFor(window->ControlByName("canvas"))->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(platform.WidgetFor(window->ControlByName("label"))->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(platform.WidgetFor(window->ControlByName("untabbed"))->focusPolicy(), Qt::ClickFocus);

  // The widgets of `among` that Tab reaches, in the order it reaches them from `first`.
  const auto tab_order = [&](const std::vector<QWidget*>& among) {
    std::vector<QWidget*> order;
    for (QWidget* w = first->nextInFocusChain(); w != first && order.size() < 50; w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisibleTo(platform.WindowWidgetFor(*window)) &&
          std::find(among.begin(), among.end(), w) != among.end()) {
        order.push_back(w);
      }
    }
    return order;
  };
  EXPECT_EQ(tab_order({second, third}), (std::vector<QWidget*>{second, third}));

  // A control added to the shown window takes its place by its TabIndex, which it gets after
  // its widget was made.
  Add<framework::TextField>(*window, "late", Placed("late", 60, 90, 50, 20).Int32("TabIndex", 5).Bytes());
  QWidget* late = platform.WidgetFor(window->ControlByName("late"));
  EXPECT_EQ(tab_order({late, second, third}), (std::vector<QWidget*>{late, second, third}));

  // One that has its TabIndex before it is added. Its string carries no Name, so the name it gets
  // as it is added reaches the platform before the window lists it.
  auto early_control = window->New<framework::TextField>();
  framework::SetProperties(*early_control, PropertyStringWriter().Int32("TabIndex", 4).Bytes());
  window->AddControl("early", early_control);
  QWidget* early = platform.WidgetFor(*early_control);
  EXPECT_EQ(tab_order({early, late, second, third}), (std::vector<QWidget*>{early, late, second, third}));

  // A hidden window hears nothing of its controls; a TabIndex changed meanwhile counts once it is
  // shown again.
  framework::SetProperties(*window, PropertyStringWriter().Boolean("Visible", false).Bytes());
  framework::SetProperties(window->ControlByName("third"), PropertyStringWriter().Int32("TabIndex", 3).Bytes());
  window->Show();
  EXPECT_EQ(tab_order({early, late, second, third}), (std::vector<QWidget*>{third, early, late, second}));
}

TEST_F(QtWindows, TheCloseButtonAsksTheModelWhichRemovesTheWindow) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) { Add<framework::PushButton>(w, "b", Placed("b", 0, 0, 50, 20).Bytes()); },
      qt_test::WindowString({}));
  QPointer<QWidget> top = platform.WindowWidgetFor(*window);
  QPointer<QWidget> button = platform.WidgetFor(window->ControlByName("b"));
  top->close();
  EXPECT_EQ(window->actions, std::vector<std::string>{"Close"});
  EXPECT_FALSE(window->IsOpen());
  EXPECT_EQ(platform.WindowWidgetFor(*window), nullptr);
  EXPECT_EQ(platform.WidgetFor(window->ControlByName("b")), nullptr);
  qt_test::ProcessEvents();
  EXPECT_TRUE(top.isNull());
  EXPECT_TRUE(button.isNull());
}

TEST_F(QtWindows, AWindowWithoutACloseButtonStaysOpenWhenAskedToClose) {
  auto window = qt_test::MakeWindow(
      {}, qt_test::WindowString({}) + PropertyStringWriter().Boolean("CloseButton", false).Bytes());
  const QPointer<QWidget> top = platform.WindowWidgetFor(*window);
  EXPECT_FALSE(top->windowFlags() & Qt::WindowCloseButtonHint);
  top->close();
  qt_test::ProcessEvents();
  EXPECT_TRUE(window->actions.empty());
  EXPECT_TRUE(window->IsOpen());
  ASSERT_FALSE(top.isNull());
  EXPECT_EQ(platform.WindowWidgetFor(*window), top.data());
  EXPECT_TRUE(top->isVisible());
}

TEST_F(QtWindows, AWindowMadeInvisibleHidesAndShowsAgainWithWhatChangedMeanwhile) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) { Add<framework::Label>(w, "l", Placed("l", 0, 0, 80, 20).String("Text", "before").Bytes()); },
      qt_test::WindowString({}));
  QWidget* top = platform.WindowWidgetFor(*window);
  framework::SetProperties(*window, PropertyStringWriter().Boolean("Visible", false).Bytes());
  EXPECT_FALSE(top->isVisible());
  static_cast<framework::Label&>(window->ControlByName("l")).SetText("after");
  window->Show();
  EXPECT_EQ(platform.WindowWidgetFor(*window), top);
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(WidgetOf<QLabel>(window->ControlByName("l"))->text(), QStringLiteral("after"));
}

TEST_F(QtWindows, AControlAddedToAShownWindowAppearsOnTop) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) { Add<framework::Rectangle>(w, "under", Placed("under", 0, 0, 100, 100).Bytes()); },
      qt_test::WindowString({}));
  auto& late = Add<framework::Label>(*window, "late", Placed("late", 10, 10, 50, 20).String("Text", "late").Bytes());
  auto* label = WidgetOf<QLabel>(late);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("late"));
  EXPECT_EQ(platform.ContentWidgetFor(*window)->childAt(20, 20), label);
}

}  // namespace
