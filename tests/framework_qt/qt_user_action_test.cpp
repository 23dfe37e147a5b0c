// What the user does through Qt reaches the model's entry points, and only there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTranslator>

#include "framework/qt/qt_translations.hpp"
#include "framework/text_conversion.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::PropertyStringWriter;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;
using qt_test::WidgetOf;

class QtUserActions : public qt_test::QtRun {
 protected:
  // A window with the controls the tests use, each bound to its handler.
  std::shared_ptr<TestWindow> MakeControlWindow() {
    return qt_test::MakeWindow(
        [](TestWindow& w) {
          auto self = w.Self();
          auto bind = [&](const char* name, const char* event, auto handler) {
            framework::RuntimeAddEventHandler(w.ControlByName(name), event,
                                              framework::RuntimeCreateDelegate(self, handler, name));
          };
          Add<framework::PushButton>(
              w, "pGo", Placed("pGo", 10, 10, 80, 20).String("Caption", "開始").Boolean("Default", true).Bytes());
          bind("pGo", "Action", &TestWindow::ButtonAction);
          Add<framework::PushButton>(w, "pStop",
                                     Placed("pStop", 100, 10, 80, 20)
                                         .String("Caption", "停止")
                                         .Boolean("Cancel", true)
                                         .Boolean("Enabled", false)
                                         .Bytes());
          bind("pStop", "Action", &TestWindow::ButtonAction);
          Add<framework::PushButton>(
              w, "pStep", Placed("pStep", 190, 10, 80, 20).String("Caption", "こま送り").Boolean("Cancel", true).Bytes());
          bind("pStep", "Action", &TestWindow::ButtonAction);
          Add<framework::PushButton>(w, "pFail", Placed("pFail", 10, 160, 80, 20).Bytes());
          bind("pFail", "Action", &TestWindow::ThrowingAction);
          Add<framework::TextField>(w, "tE", Placed("tE", 10, 40, 120, 22).String("Text", "0.866").Bytes());
          Add<framework::TextField>(w, "tFixed",
                                    Placed("tFixed", 140, 40, 120, 22).String("Text", "6").Boolean("ReadOnly", true).Bytes());
          Add<framework::Slider>(w, "slE", qt_test::EccentricitySlider(10, 70).Bytes());
          bind("slE", "ValueChanged", &TestWindow::SliderValueChanged);
          Add<framework::CheckBox>(w, "cDraw",
                                   Placed("cDraw", 10, 100, 200, 20)
                                       .String("Caption", "円軌道を表示する。")
                                       .Int32("State", 1)
                                       .Boolean("Value", true)
                                       .Bytes());
          bind("cDraw", "Action", &TestWindow::CheckBoxAction);
        },
        qt_test::WindowString({}));
  }

  template <class C>
  C& Model(TestWindow& window, std::string_view name) {
    return static_cast<C&>(window.ControlByName(name));
  }
};

TEST_F(QtUserActions, AClickThroughQtRunsTheBoundHandlerOnceAndADisabledButtonIgnoresIt) {
  auto window = MakeControlWindow();
  auto* go = WidgetOf<QPushButton>(window->ControlByName("pGo"));
  QTest::mouseClick(go, Qt::LeftButton);
  EXPECT_EQ(window->actions, std::vector<std::string>{"pGo"});

  auto* stop = WidgetOf<QPushButton>(window->ControlByName("pStop"));
  QTest::mouseClick(stop, Qt::LeftButton);
  stop->click();
  EXPECT_EQ(window->actions, std::vector<std::string>{"pGo"});

  // Enabled by code, the same button answers.
  Model<framework::PushButton>(*window, "pStop").SetEnabled(true);
  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_EQ(window->actions, (std::vector<std::string>{"pGo", "pStop"}));
}

TEST_F(QtUserActions, AHandlerThatThrowsEndsThatHandlerOnlyAndTheRunGoesOn) {
  auto window = MakeControlWindow();
  WidgetOf<QPushButton>(window->ControlByName("pFail"))->click();
  EXPECT_EQ(framework::UnhandledExceptionCount(), 1);
  WidgetOf<QPushButton>(window->ControlByName("pGo"))->click();
  EXPECT_EQ(window->actions, (std::vector<std::string>{"throwing pFail", "pGo"}));
}

TEST_F(QtUserActions, TypingReachesTheModelAndCodeReachesTheField) {
  auto window = MakeControlWindow();
  auto* field = WidgetOf<QLineEdit>(window->ControlByName("tE"));
  auto& model = Model<framework::TextField>(*window, "tE");
  field->selectAll();
  QTest::keyClicks(field, "0.5");
  EXPECT_EQ(model.Text(), "0.5");
  QTest::keyClick(field, Qt::Key_Backspace);
  EXPECT_EQ(model.Text(), "0.");

  model.SetText("0.999");
  EXPECT_EQ(field->text(), QStringLiteral("0.999"));

  // Another change of the control leaves the cursor where the user put it.
  field->setCursorPosition(2);
  model.SetEnabled(false);
  model.SetEnabled(true);
  EXPECT_EQ(field->cursorPosition(), 2);

  // A read-only field keeps its text, in Qt and in the model.
  auto* fixed = WidgetOf<QLineEdit>(window->ControlByName("tFixed"));
  QTest::keyClicks(fixed, "9");
  EXPECT_EQ(fixed->text(), QStringLiteral("6"));
  EXPECT_EQ(Model<framework::TextField>(*window, "tFixed").Text(), "6");
}

TEST_F(QtUserActions, APasteKeepsTextOfAnyLengthUnlessLimitTextLimitsIt) {
  auto window = qt_test::MakeWindow(
      [](TestWindow& w) {
        Add<framework::TextField>(w, "tDivision", Placed("tDivision", 10, 10, 120, 22).String("Text", "300").Bytes());
        Add<framework::TextField>(w, "tShort", Placed("tShort", 10, 40, 120, 22).Int32("LimitText", 5).Bytes());
      },
      qt_test::WindowString({}));
  // Past the line edit's own default limit of 32 767; the leading zeros leave the number 300.
  const std::string digits = std::string(40000 - 3, '0') + "300";
  QApplication::clipboard()->setText(QString::fromStdString(digits));
  struct Row {
    const char* field;
    std::size_t kept;
  };
  for (const Row& row : {Row{"tDivision", digits.size()}, Row{"tShort", 5}}) {
    SCOPED_TRACE(row.field);
    auto* field = WidgetOf<QLineEdit>(window->ControlByName(row.field));
    field->selectAll();
    field->paste();
    const std::string& text = Model<framework::TextField>(*window, row.field).Text();
    // Compared whole but not printed: a failure would print 40 000 digits.
    EXPECT_TRUE(text == digits.substr(0, row.kept)) << "kept " << text.size() << " bytes";
    EXPECT_EQ(field->text().size(), static_cast<qsizetype>(row.kept));
  }
  EXPECT_EQ(framework::Val(Model<framework::TextField>(*window, "tDivision").Text()), 300.0);

  // Code sets a long text whole as well.
  auto& division = Model<framework::TextField>(*window, "tDivision");
  division.SetText(std::string(50000, '7'));
  EXPECT_EQ(WidgetOf<QLineEdit>(division)->text().size(), 50000);

  // Even past LimitText; the user then cannot make it longer still, and no change but the
  // text's own moves the cursor.
  auto& limited = Model<framework::TextField>(*window, "tShort");
  auto* edit = WidgetOf<QLineEdit>(limited);
  limited.SetText("1234567");
  edit->setCursorPosition(2);
  limited.SetEnabled(false);
  limited.SetEnabled(true);
  QApplication::clipboard()->setText(QStringLiteral("89"));
  edit->paste();
  QTest::keyClicks(edit, "0");
  EXPECT_EQ(limited.Text(), "1234567");
  EXPECT_EQ(edit->text(), QStringLiteral("1234567"));
  EXPECT_EQ(edit->cursorPosition(), 2);
  // The limit is the length code set, not the length the user left: a character deleted may be
  // typed back, one more may not. The user's edits leave the limit alone, so Undo keeps them.
  edit->setCursorPosition(3);
  struct Step {
    QKeySequence keys;
    const char* text;
  };
  for (const Step& step : {Step{QKeySequence(Qt::Key_Backspace), "124567"}, Step{QKeySequence::Undo, "1234567"},
                           Step{QKeySequence::Redo, "124567"}, Step{QKeySequence(Qt::Key_X), "12x4567"},
                           Step{QKeySequence(Qt::Key_Y), "12x4567"}}) {
    SCOPED_TRACE(step.keys.toString().toStdString());
    QTest::keySequence(edit, step.keys);
    EXPECT_EQ(limited.Text(), step.text);
    EXPECT_EQ(edit->text().toStdString(), step.text);
  }
  EXPECT_EQ(edit->cursorPosition(), 3);
  // A higher limit lets the user type again, the cursor where it was.
  framework::SetProperties(limited, PropertyStringWriter().Int32("LimitText", 8).Bytes());
  EXPECT_EQ(edit->cursorPosition(), 3);
  QTest::keyClicks(edit, "000");
  EXPECT_EQ(limited.Text(), "12x04567");
  EXPECT_EQ(edit->text().toStdString(), limited.Text());

  // A new limit alone keeps the user's selection, either way round, and the whole text, even a
  // limit below the 8 characters the user typed.
  struct Selection {
    std::int32_t limit;
    int start;
    int length;  // negative: selected leftwards, the cursor at the start
  };
  for (const Selection& row : {Selection{9, 1, 3}, Selection{5, 5, -3}, Selection{0, 2, 4}}) {
    SCOPED_TRACE(row.limit);
    edit->setSelection(row.start, row.length);
    framework::SetProperties(limited, PropertyStringWriter().Int32("LimitText", row.limit).Bytes());
    EXPECT_EQ(edit->text().toStdString(), limited.Text());
    EXPECT_EQ(edit->selectionStart(), std::min(row.start, row.start + row.length));
    EXPECT_EQ(edit->selectionLength(), std::abs(row.length));
    EXPECT_EQ(edit->cursorPosition(), row.start + row.length);
  }
}

TEST_F(QtUserActions, TheStandardContextMenuOfATextFieldIsInJapanese) {
  if (!QFileInfo::exists(framework::qt::QtTranslationsFolder() + QStringLiteral("/qtbase_ja.qm"))) {
    GTEST_SKIP() << "Qt's Japanese translation is not installed";
  }
  auto window = MakeControlWindow();
  std::unique_ptr<QMenu> menu(WidgetOf<QLineEdit>(window->ControlByName("tE"))->createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  ASSERT_EQ(texts.size(), 7);  // undo, redo, cut, copy, paste, delete, select all
  for (const QString& text : texts) {
    // Japanese where the English has only ASCII letters and an accelerator.
    EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }))
        << text.toStdString();
  }

  // A second platform in the same process finds the translation installed already.
  {
    int argc = 1;
    char name[] = "quillorn_qt_tests";
    char* argv[] = {name, nullptr};
    const framework::QtPlatform second(argc, argv);
  }
  EXPECT_EQ(QCoreApplication::instance()->findChildren<QTranslator*>(QStringLiteral("quillorn-qtbase-ja")).size(), 1);
}

TEST_F(QtUserActions, SliderMovesByTheUserRaiseValueChangedOnceAndCodeDoesNotEchoBack) {
  auto window = MakeControlWindow();
  auto* slider = WidgetOf<QSlider>(window->ControlByName("slE"));
  auto& model = Model<framework::Slider>(*window, "slE");

  QTest::keyClick(slider, Qt::Key_Right);      // one line step
  QTest::keyClick(slider, Qt::Key_PageUp);     // one page step
  EXPECT_EQ(model.Value(), 110);
  EXPECT_EQ(window->slider_values, (std::vector<std::int32_t>{100, 110}));

  // Set by code: the model raises ValueChanged once; the widget follows without a second one.
  model.SetValue(500);
  EXPECT_EQ(slider->value(), 500);
  EXPECT_EQ(window->slider_values, (std::vector<std::int32_t>{100, 110, 500}));

  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_EQ(model.Value(), 999);
  EXPECT_EQ(window->slider_values.back(), 999);
}

TEST_F(QtUserActions, ACheckBoxClickTogglesTheModelAndCodeSetsTheBox) {
  auto window = MakeControlWindow();
  auto* box = WidgetOf<QCheckBox>(window->ControlByName("cDraw"));
  auto& model = Model<framework::CheckBox>(*window, "cDraw");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
  EXPECT_FALSE(model.Value());
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(window->actions, std::vector<std::string>{"cDraw off"});

  model.SetValue(true);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(window->actions, (std::vector<std::string>{"cDraw off", "cDraw on"}));

  // Disabled, a click changes neither the model nor the box.
  model.SetEnabled(false);
  box->click();
  EXPECT_TRUE(model.Value());
  EXPECT_TRUE(box->isChecked());
}

TEST_F(QtUserActions, ReturnPressesTheDefaultButtonEscapeOnlyTheFirstCancelButton) {
  auto window = MakeControlWindow();
  QWidget* top = platform.WindowWidgetFor(*window);
  top->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(top));

  // From a text field: the field must not keep Return to itself.
  auto* field = WidgetOf<QLineEdit>(window->ControlByName("tE"));
  field->setFocus();
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(window->actions, std::vector<std::string>{"pGo"});

  // pStop, the first cancel button, is disabled: Escape does nothing, not even reach pStep.
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(window->actions, std::vector<std::string>{"pGo"});
  Model<framework::PushButton>(*window, "pStop").SetEnabled(true);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(window->actions, (std::vector<std::string>{"pGo", "pStop"}));

  // From a focused push button, Return still means the default button, once.
  QWidget* step = platform.WidgetFor(window->ControlByName("pStep"));
  step->setFocus();
  QTest::keyClick(step, Qt::Key_Enter);
  EXPECT_EQ(window->actions, (std::vector<std::string>{"pGo", "pStop", "pGo"}));
}

}  // namespace
