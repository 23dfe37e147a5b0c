// The whole program on Qt: what its main window shows, and what clicks and menu choices made
// through Qt do to the run.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QSize>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>

#include "app/implicit_instance.hpp"
#include "framework/menu_item.hpp"
#include "framework/runtime.hpp"
#include "program_run.hpp"
#include "qt_test_support.hpp"

namespace {

using qt_test::RunProgram;

QWidget* WidgetNamed(const MainWindow& window, std::string_view name) {
  return qt_test::Platform().WidgetFor(window.ControlByName(name));
}

// The pixel at content coordinates (x, y), whatever the device pixel ratio of the grab.
QRgb PixelAt(const QImage& image, int x, int y) {
  const qreal ratio = image.devicePixelRatio();
  return image.pixel(qRound(x * ratio), qRound(y * ratio));
}

bool NearBlack(QRgb colour) { return qRed(colour) < 64 && qGreen(colour) < 64 && qBlue(colour) < 64; }

bool White(QRgb colour) { return qRed(colour) == 255 && qGreen(colour) == 255 && qBlue(colour) == 255; }

QString Hex(QRgb colour) { return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')); }

// The non-ASCII characters of `text` that the font Qt picks first for `font` cannot draw (a
// fallback font would draw them in another face, or not at all).
QString Uncovered(const QFont& font, const QString& text) {
  const QRawFont raw = QRawFont::fromFont(font);
  QString missing;
  for (const char32_t character : text.toUcs4()) {
    if (character >= 0x80 && !raw.supportsCharacter(character)) missing += QString::fromUcs4(&character, 1);
  }
  return missing;
}

// What a control widget shows as its text, or an empty text for widgets without one.
QString WidgetText(const QWidget& widget) {
  if (auto* button = qobject_cast<const QPushButton*>(&widget)) return button->text();
  if (auto* box = qobject_cast<const QCheckBox*>(&widget)) return box->text();
  if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (auto* field = qobject_cast<const QLineEdit*>(&widget)) return field->text();
  return QString();
}

TEST(ProgramWindowOnQt, TheMainWindowOpensAtItsDesignSizeWithItsTitle) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    QWidget* top = qt_test::Platform().WindowWidgetFor(window);
    QWidget* content = qt_test::Platform().ContentWidgetFor(window);
    ASSERT_NE(top, nullptr);
    ASSERT_NE(content, nullptr);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(content->size(), QSize(692, 559));
    EXPECT_EQ(top->windowTitle(), QStringLiteral("Quillorn"));
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, TheGrabShowsTwoWhiteFramedCanvasAreasAndTheButtonRow) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    ASSERT_NE(qt_test::Platform().ContentWidgetFor(window), nullptr);
    const QImage image = qt_test::GrabContent(window);
    ASSERT_FALSE(image.isNull());

    struct Area {
      const char* name;
      QRect rect;
    };
    // Each canvas lies in a white, black-framed rectangle; frame 0 draws nothing on the probes
    // next to the frame.
    for (const Area& area : {Area{"cOrbit", QRect(20, 17, 396, 356)}, Area{"cPath", QRect(431, 17, 241, 356)}}) {
      SCOPED_TRACE(area.name);
      const QRect& r = area.rect;
      // Along each edge: the frame pixel is black, the pixel outside it is not, the one inside is white.
      for (int step = 0; step <= 4; ++step) {
        const int x = r.left() + (r.width() - 1) * step / 4;
        const int y = r.top() + (r.height() - 1) * step / 4;
        struct Probe {
          QPoint frame, outside, inside;
        };
        const Probe probes[] = {
            {{r.left(), y}, {r.left() - 1, y}, {r.left() + 1, y}},
            {{r.right(), y}, {r.right() + 1, y}, {r.right() - 1, y}},
            {{x, r.top()}, {x, r.top() - 1}, {x, r.top() + 1}},
            {{x, r.bottom()}, {x, r.bottom() + 1}, {x, r.bottom() - 1}},
        };
        for (const Probe& probe : probes) {
          const QRgb frame = PixelAt(image, probe.frame.x(), probe.frame.y());
          const QRgb outside = PixelAt(image, probe.outside.x(), probe.outside.y());
          const QRgb inside = PixelAt(image, probe.inside.x(), probe.inside.y());
          EXPECT_TRUE(NearBlack(frame)) << "frame at " << probe.frame.x() << "," << probe.frame.y() << " is "
                                        << Hex(frame).toStdString();
          EXPECT_FALSE(NearBlack(outside)) << "outside at " << probe.outside.x() << "," << probe.outside.y();
          // The corners' inner neighbours along an edge are frame pixels of the other edge.
          if (step != 0 && step != 4) {
            EXPECT_TRUE(White(inside)) << "inside at " << probe.inside.x() << "," << probe.inside.y() << " is "
                                       << Hex(inside).toStdString();
          }
        }
      }
    }

    struct Button {
      const char* name;
      int left;
      const char* caption;
      bool enabled;
    };
    const Button row[] = {
        {"pQuit", 20, "終了", true},          {"pWrite", 126, "書出", true},
        {"pSourceCode", 218, "ケプラー", true}, {"pSourceCode1", 309, "楕円の弧長", false},
        {"pStop", 411, "停止", false},        {"pKomaokuri", 500, "こま送り", true},
        {"pGo", 592, "開始", true},
    };
    for (const Button& button : row) {
      SCOPED_TRACE(button.name);
      auto* widget = qobject_cast<QPushButton*>(WidgetNamed(window, button.name));
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->geometry(), QRect(button.left, 519, 80, 20));
      EXPECT_EQ(widget->text(), QString::fromUtf8(button.caption));
      EXPECT_TRUE(widget->isVisible());
      EXPECT_EQ(widget->isEnabled(), button.enabled);
    }
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, AClickOnTheKeplerButtonOpensTheExplanationWindow) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    framework::QtPlatform& platform = qt_test::Platform();
    QWidget* top = platform.WindowWidgetFor(window);
    ASSERT_NE(top, nullptr);
    // A mouse click reaches only a window that is on the screen.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    EXPECT_EQ(framework::GetImplicitWindow("Keplar.Keplar"), nullptr);

    auto* button = qobject_cast<QPushButton*>(WidgetNamed(window, "pSourceCode"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);

    const auto keplar = std::dynamic_pointer_cast<Keplar>(framework::GetImplicitWindow("Keplar.Keplar"));
    ASSERT_NE(keplar, nullptr);
    QWidget* explanation = platform.WindowWidgetFor(*keplar);
    ASSERT_NE(explanation, nullptr);
    EXPECT_TRUE(explanation->isVisible());
    EXPECT_EQ(explanation->windowTitle(), QStringLiteral("Keplar方程式"));

    auto* text = qobject_cast<QPlainTextEdit*>(platform.WidgetFor(keplar->tResult()));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->document()->blockCount(), 32);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(Uncovered(text->font(), text->toPlainText()), QString());
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, FileQuitThroughItsActionEndsTheRunWithStatusZero) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    QAction* quit = qt_test::Platform().ActionFor(window.FileQuit());
    ASSERT_NE(quit, nullptr);
    quit->trigger();
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, CtrlQInTheExplanationOrTheResultWindowEndsTheRunWithStatusZero) {
  struct Opener {
    const char* name;
    std::function<std::shared_ptr<framework::Window>()> open;
  };
  const Opener openers[] = {
      {"explanation window", [] { return ImplicitInstance::Keplar(); }},
      {"result window", [] { return ImplicitInstance::Caliculate(); }},
  };
  for (const Opener& opener : openers) {
    SCOPED_TRACE(opener.name);
    const std::int32_t status = RunProgram([&opener](MainWindow&) {
      const std::shared_ptr<framework::Window> window = opener.open();
      ASSERT_NE(window, nullptr);
      // The window has no menu bar of its own and shows the application's.
      EXPECT_EQ(window->MenuBar(), nullptr);
      auto* top = qobject_cast<QMainWindow*>(qt_test::Platform().WindowWidgetFor(*window));
      ASSERT_NE(top, nullptr);
      const QList<QAction*> menus = top->menuBar()->actions();
      ASSERT_EQ(menus.size(), 2);
      EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
      EXPECT_TRUE(top->menuBar()->isVisibleTo(top));
      // The content keeps its design size below the bar.
      EXPECT_EQ(qt_test::Platform().ContentWidgetFor(*window)->size(), QSize(600, 400));

      top->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(top));
      ASSERT_EQ(QApplication::activeWindow(), top);
      QTest::keyClick(top, Qt::Key_Q, Qt::ControlModifier);
      EXPECT_TRUE(framework::QuitRequested());
    });
    EXPECT_EQ(status, 0);
  }
}

TEST(ProgramWindowOnQt, TheExplanationIndentsItsTabbedLinesByAboutFourCharacters) {
  const std::int32_t status = RunProgram([](MainWindow&) {
    const auto keplar = ImplicitInstance::Keplar();
    auto* text = qobject_cast<QPlainTextEdit*>(qt_test::Platform().WidgetFor(keplar->tResult()));
    ASSERT_NE(text, nullptr);
    // Line 18 begins with a TAB, line 17 ("Do") with none: the TAB's width is where line 18's
    // text starts, measured against the left edge of line 17.
    const QTextBlock plain = text->document()->findBlockByNumber(16);
    const QTextBlock tabbed = text->document()->findBlockByNumber(17);
    ASSERT_TRUE(tabbed.text().startsWith(QLatin1Char('\t')));
    QTextCursor cursor(tabbed);
    cursor.setPosition(tabbed.position() + 1);
    const int indented = text->cursorRect(cursor).left();
    cursor.setPosition(plain.position());
    const int indent = indented - text->cursorRect(cursor).left();
    const qreal digit = QFontMetricsF(text->font()).horizontalAdvance(QLatin1Char('0'));
    EXPECT_NEAR(indent, 4.0 * digit, 1.5);
    // Qt's default is 80 pixels, far beyond four characters of a desktop font.
    EXPECT_LT(indent, 50);
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, TheQuitButtonClickedThroughQtEndsTheRunWithStatusZero) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    QWidget* top = qt_test::Platform().WindowWidgetFor(window);
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    auto* button = qobject_cast<QPushButton*>(WidgetNamed(window, "pQuit"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, ClosingTheMainWindowEndsTheRunWithStatusZero) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    QWidget* top = qt_test::Platform().WindowWidgetFor(window);
    ASSERT_NE(top, nullptr);
    top->close();
  });
  EXPECT_EQ(status, 0);
}

TEST(ProgramWindowOnQt, TheFontsInUseDrawEveryJapaneseTextOfTheMainWindow) {
  const std::int32_t status = RunProgram([](MainWindow& window) {
    framework::QtPlatform& platform = qt_test::Platform();
    QStringList texts_checked;
    int tooltips_checked = 0;
    for (const auto& control : window.Controls()) {
      QWidget* widget = platform.WidgetFor(*control);
      if (widget == nullptr) continue;  // the timer
      const QString text = WidgetText(*widget);
      EXPECT_EQ(Uncovered(widget->font(), text), QString()) << "in " << control->Name();
      if (!text.isEmpty()) texts_checked << text;
      if (!widget->toolTip().isEmpty()) {
        EXPECT_EQ(Uncovered(QToolTip::font(), widget->toolTip()), QString()) << "in the tooltip of "
                                                                              << control->Name();
        ++tooltips_checked;
      }
    }
    // The walk reached labels, check boxes and buttons, and every control with a help tag.
    for (const char* expected : {"離心率：e", "≦ 0.999", "円軌道と中心を合わせる。", "楕円の弧長"}) {
      EXPECT_TRUE(texts_checked.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_EQ(tooltips_checked, 34);

    // Menus and their items are drawn in the font of the menu bar or menu that shows them.
    QStringList menu_texts;
    std::function<void(const framework::MenuItem&)> check_menu = [&](const framework::MenuItem& parent) {
      for (const auto& item : parent.Children()) {
        if (item->IsSeparator()) continue;
        QAction* action = platform.ActionFor(window, *item);
        ASSERT_NE(action, nullptr) << item->Name();
        menu_texts << action->text();
        int shown_in = 0;
        for (QObject* object : action->associatedObjects()) {
          if (auto* shown = qobject_cast<QWidget*>(object)) {
            EXPECT_EQ(Uncovered(shown->font(), action->text()), QString()) << item->Name();
            ++shown_in;
          }
        }
        EXPECT_GT(shown_in, 0) << item->Name();
        check_menu(*item);
      }
    };
    ASSERT_NE(window.MenuBar(), nullptr);
    check_menu(*window.MenuBar());
    EXPECT_EQ(menu_texts, QStringList({"ファイル", "終了", "編集", "元に戻す", "カット", "コピー", "貼り付け",
                                       "削除", "すべてを選択"}));
    framework::Quit(0);
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
