// Each kind of control is shown by its own adapter: a widget of the kind's Qt class, the kind's
// focus policy, and the look that the kind's own properties give it.

#include <gtest/gtest.h>

#include <memory>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include "framework/menu_item.hpp"
#include "framework/property_kinds.hpp"
#include "framework/qt/qt_control_adapter.hpp"
#include "framework/qt/qt_painted_widget.hpp"
#include "framework/qt/qt_text_view.hpp"
#include "qt_test_support.hpp"

namespace {

using framework::Colour;
using qt_test::Add;
using qt_test::Placed;
using qt_test::TestWindow;

class QtControlKinds : public qt_test::QtRun {};

template <class W>
bool IsA(const QWidget* widget) {
  return dynamic_cast<const W*>(widget) != nullptr;
}

// Adds a control of class C named "c", with `name` set to `value` unless `name` is empty.
template <class C>
void AddC(TestWindow& window, const char* name = "", bool value = false) {
  auto& control = Add<C>(window, "c", Placed("c", 0, 0, 80, 40).Bytes());
  if (name[0] != '\0') control.SetProperty(name, value);
}

TEST_F(QtControlKinds, EachKindIsShownByItsOwnWidgetAndTakesTheFocusAsItsKindDoes) {
  for (const framework::PropertyKind* kind : framework::kinds::kAll) {
    const bool visible = kind != &framework::kinds::Window && kind != &framework::kinds::Timer;
    EXPECT_EQ(framework::qt::AdapterFor(*kind) != nullptr, visible) << kind->Name();
  }

  struct Row {
    const char* what;
    void (*add)(TestWindow& window);
    bool (*widget_is)(const QWidget* widget);
    Qt::FocusPolicy focus;
  };
  const Row rows[] = {
      {"rectangle", [](TestWindow& w) { AddC<framework::Rectangle>(w); }, &IsA<framework::QtPaintedWidget>,
       Qt::NoFocus},
      {"canvas", [](TestWindow& w) { AddC<framework::Canvas>(w); }, &IsA<framework::QtPaintedWidget>, Qt::NoFocus},
      {"canvas that accepts the focus", [](TestWindow& w) { AddC<framework::Canvas>(w, "AcceptFocus", true); },
       &IsA<framework::QtPaintedWidget>, Qt::StrongFocus},
      {"push button", [](TestWindow& w) { AddC<framework::PushButton>(w); }, &IsA<QPushButton>, Qt::StrongFocus},
      {"label", [](TestWindow& w) { AddC<framework::Label>(w); }, &IsA<QLabel>, Qt::NoFocus},
      {"text field", [](TestWindow& w) { AddC<framework::TextField>(w); }, &IsA<QLineEdit>, Qt::StrongFocus},
      {"text area", [](TestWindow& w) { AddC<framework::TextArea>(w); }, &IsA<QPlainTextEdit>, Qt::StrongFocus},
      {"read-only text area without wrapping",
       [](TestWindow& w) {
         AddC<framework::TextArea>(w, "ScrollbarHorizontal", true);
         w.ControlByName("c").SetProperty("ReadOnly", true);
       },
       &IsA<framework::QtTextView>, Qt::StrongFocus},
      {"slider", [](TestWindow& w) { AddC<framework::Slider>(w); }, &IsA<QSlider>, Qt::StrongFocus},
      {"check box without a tab stop", [](TestWindow& w) { AddC<framework::CheckBox>(w, "TabStop", false); },
       &IsA<QCheckBox>, Qt::ClickFocus},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto window = qt_test::MakeWindow(row.add, qt_test::WindowString({}));
    QWidget* widget = platform.WidgetFor(window->ControlByName("c"));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(row.widget_is(widget)) << widget->metaObject()->className();
    EXPECT_EQ(widget->focusPolicy(), row.focus);
  }

  // A timer is no visible control: it has no widget.
  auto window = qt_test::MakeWindow([](TestWindow& w) { w.AddControl("t", w.New<framework::Timer>()); },
                                    qt_test::WindowString({}));
  EXPECT_EQ(platform.WidgetFor(window->ControlByName("t")), nullptr);
}

TEST_F(QtControlKinds, EachKindShowsTheLookOfItsOwnProperties) {
  const Colour red = Colour::FromRgb(0xFF0000);
  const Colour yellow = Colour::FromRgb(0xFFFF00);
  const auto text_look = [&](framework::Control& control) {
    control.SetProperty("Border", false);
    control.SetProperty("TextColor", red);
    control.SetProperty("BackColor", yellow);
  };
  auto window = qt_test::MakeWindow(
      [&](TestWindow& w) {
        auto& label = Add<framework::Label>(w, "label", Placed("label", 0, 0, 80, 40).Bytes());
        label.SetProperty("Multiline", true);
        label.SetProperty("TextColor", red);
        text_look(Add<framework::TextField>(w, "field", Placed("field", 0, 50, 80, 20).Bytes()));
        text_look(Add<framework::TextArea>(w, "editor", Placed("editor", 100, 0, 80, 40).Bytes()));
        auto& table = Add<framework::TextArea>(w, "table", Placed("table", 100, 50, 80, 40).Bytes());
        table.SetProperty("ReadOnly", true);
        table.SetProperty("ScrollbarHorizontal", true);
        text_look(table);
      },
      qt_test::WindowString({}));
  const auto widget = [&](const char* name) { return platform.WidgetFor(window->ControlByName(name)); };
  const auto colour = [](const QWidget* w, QPalette::ColorRole role) { return w->palette().color(QPalette::Active, role); };

  auto* label = qobject_cast<QLabel*>(widget("label"));
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->wordWrap());
  EXPECT_EQ(colour(label, QPalette::WindowText), QColor(Qt::red));
  // Font styles and wrapping follow the model both ways.
  auto& model_label = window->ControlByName("label");
  for (const bool on : {true, false}) {
    for (const char* style : {"Bold", "Italic", "Underline"}) model_label.SetProperty(style, on);
    model_label.SetProperty("Multiline", on);
    EXPECT_EQ(label->font().bold(), on);
    EXPECT_EQ(label->font().italic(), on);
    EXPECT_EQ(label->font().underline(), on);
    EXPECT_EQ(label->wordWrap(), on);
  }

  auto* field = qobject_cast<QLineEdit*>(widget("field"));
  ASSERT_NE(field, nullptr);
  EXPECT_FALSE(field->hasFrame());
  EXPECT_EQ(colour(field, QPalette::Text), QColor(Qt::red));
  EXPECT_EQ(colour(field, QPalette::Base), QColor(Qt::yellow));

  for (const char* name : {"editor", "table"}) {
    SCOPED_TRACE(name);
    auto* area = qobject_cast<QAbstractScrollArea*>(widget(name));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(colour(area, QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(colour(area, QPalette::Base), QColor(Qt::yellow));
  }

  // The window's menu bar shows as MenuBarVisible says.
  auto bar = std::make_shared<framework::MenuBar>();
  auto file = std::make_shared<framework::MenuItem>();
  file->SetName("FileMenu");
  file->SetText("File");
  bar->Append(file);
  window->SetMenuBar(bar);
  auto* main = qobject_cast<QMainWindow*>(platform.WindowWidgetFor(*window));
  ASSERT_NE(main, nullptr);
  EXPECT_FALSE(main->menuBar()->isHidden());
  window->SetProperty("MenuBarVisible", false);
  EXPECT_TRUE(main->menuBar()->isHidden());
}

}  // namespace
