#include "framework/menu_item.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/runtime.hpp"
#include "framework/runtime_exception.hpp"
#include "model_test_support.hpp"

namespace {

using framework::MenuBar;
using framework::MenuItem;
using framework::NilObjectException;
using framework::OutOfBoundsException;
using framework::QuitMenuItem;
using framework::RuntimeException;
using model_test::HeadlessRun;

template <class Item = MenuItem>
std::shared_ptr<Item> Make(const std::string& name, const std::string& text = "") {
  auto item = std::make_shared<Item>();
  item->SetName(name);
  item->SetText(text.empty() ? name : text);
  return item;
}

// A bar shaped like the program's: File holds Quit; Edit holds Undo, a separator and Copy.
std::shared_ptr<MenuBar> SmallBar() {
  auto bar = std::make_shared<MenuBar>();
  bar->Append(Make("FileMenu"));
  bar->Child("FileMenu")->Append(Make<QuitMenuItem>("FileQuit"));
  bar->Append(Make("EditMenu"));
  bar->Child("EditMenu")->Append(Make("EditUndo"));
  bar->Child("EditMenu")->Append(Make("UntitledMenu1", "-"));
  bar->Child("EditMenu")->Append(Make("EditCopy"));
  return bar;
}

std::vector<std::string> Names(const MenuItem& menu) {
  std::vector<std::string> names;
  for (std::int32_t i = 0; i < menu.Count(); ++i) names.push_back(menu.Item(i)->Name());
  return names;
}

TEST(MenuStructure, KeepsAppendOrderAndFindsItemsByName) {
  auto bar = SmallBar();
  EXPECT_EQ(Names(*bar), (std::vector<std::string>{"FileMenu", "EditMenu"}));
  EXPECT_EQ(Names(*bar->Child("EditMenu")), (std::vector<std::string>{"EditUndo", "UntitledMenu1", "EditCopy"}));
  EXPECT_TRUE(bar->Child("EditMenu")->Item(1)->IsSeparator());
  EXPECT_FALSE(bar->Child("EditMenu")->Item(0)->IsSeparator());

  // Child looks only one level down; Lookup looks everywhere below.
  EXPECT_THROW(bar->Child("EditCopy"), NilObjectException);
  EXPECT_EQ(MenuItem::Lookup(*bar, "EditCopy"), bar->Child("EditMenu")->Item(2));
  EXPECT_NE(std::dynamic_pointer_cast<QuitMenuItem>(MenuItem::Lookup(*bar, "FileQuit")), nullptr);
}

TEST(MenuStructure, LookupIsDepthFirst) {
  // A level-by-level search would find the second "Target" first.
  auto bar = std::make_shared<MenuBar>();
  auto menu = Make("Menu");
  auto sub = Make("Sub");
  auto deep = Make("Target", "deep");
  sub->Append(deep);
  menu->Append(sub);
  bar->Append(menu);
  bar->Append(Make("Target", "shallow"));
  EXPECT_EQ(MenuItem::Lookup(*bar, "Target"), deep);
}

TEST(MenuStructure, MissingNamesAndBadIndicesRaiseClearExceptions) {
  auto bar = SmallBar();
  try {
    bar->Child("HelpMenu");
    FAIL() << "no exception";
  } catch (const NilObjectException& e) {
    EXPECT_NE(std::string(e.what()).find("HelpMenu"), std::string::npos) << e.what();
  }
  try {
    MenuItem::Lookup(*bar, "EditRedo");
    FAIL() << "no exception";
  } catch (const NilObjectException& e) {
    EXPECT_NE(std::string(e.what()).find("EditRedo"), std::string::npos) << e.what();
  }
  const auto edit = bar->Child("EditMenu");
  for (std::int32_t index : {-1, 3, 2147483647}) {
    EXPECT_THROW(edit->Item(index), OutOfBoundsException) << index;
  }
  EXPECT_THROW(MenuItem().Item(0), OutOfBoundsException);
}

TEST(MenuStructure, RefusesNoItemAndItemsInsideThemselves) {
  auto bar = SmallBar();
  auto edit = bar->Child("EditMenu");
  EXPECT_THROW(edit->Append(nullptr), RuntimeException);
  EXPECT_THROW(edit->Append(edit), RuntimeException);
  EXPECT_THROW(edit->Append(bar), RuntimeException);  // bar holds edit
  EXPECT_EQ(edit->Count(), 3);
  // The same item in two menus is no cycle.
  bar->Child("FileMenu")->Append(edit->Item(0));
  EXPECT_EQ(bar->Child("FileMenu")->Count(), 2);
}

using MenuChoice = HeadlessRun;

TEST_F(MenuChoice, ItemsGetTheStandardActionMenusAndSeparatorsNothing) {
  auto bar = SmallBar();
  bar->Child("EditMenu")->Choose();
  MenuItem::Lookup(*bar, "UntitledMenu1")->Choose();
  MenuItem::Lookup(*bar, "EditCopy")->Choose();
  MenuItem::Lookup(*bar, "EditUndo")->Choose();
  EXPECT_EQ(platform.StandardMenuActions(), (std::vector<std::string>{"EditCopy", "EditUndo"}));
  EXPECT_FALSE(platform.QuitCalled());
}

TEST_F(MenuChoice, TheQuitItemEndsTheRunWithStatusZero) {
  auto bar = SmallBar();
  bool ran_after = false;
  platform.Post([&bar] { MenuItem::Lookup(*bar, "FileQuit")->Choose(); });
  platform.Post([&ran_after] { ran_after = true; });
  framework::RuntimeRun();
  EXPECT_FALSE(ran_after);
  EXPECT_TRUE(framework::QuitRequested());
  EXPECT_TRUE(platform.StandardMenuActions().empty());
  EXPECT_EQ(framework::RuntimeExit(), 0);
}

}  // namespace
