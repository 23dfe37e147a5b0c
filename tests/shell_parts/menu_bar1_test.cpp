// The menu bar: its menus and items, and the one instance shared by the whole run.

#include "shell_parts/menu_bar1.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/menu_item.hpp"
#include "../app/started_program.hpp"

namespace {

struct ItemRow {
  std::string name;
  std::string text;
  std::string shortcut;
};

void ExpectMenu(const framework::MenuItem& menu, const std::vector<ItemRow>& items) {
  ASSERT_EQ(menu.Count(), static_cast<std::int32_t>(items.size())) << menu.Name();
  for (std::int32_t i = 0; i < menu.Count(); ++i) {
    const framework::MenuItem& item = *menu.Item(i);
    const ItemRow& row = items[static_cast<std::size_t>(i)];
    EXPECT_EQ(item.Name(), row.name);
    EXPECT_EQ(item.Text(), row.text) << row.name;
    EXPECT_EQ(item.KeyboardShortcut(), row.shortcut) << row.name;
    EXPECT_TRUE(item.AutoEnable()) << row.name;
  }
}

TEST(MenuBar1, HoldsTheFileMenuThenTheEditMenu) {
  auto bar = std::make_shared<MenuBar1>();
  bar->Constructor();
  ExpectMenu(*bar, {{"FileMenu", "ファイル", ""}, {"EditMenu", "編集", ""}});
  ExpectMenu(*bar->Child("FileMenu"), {{"FileQuit", "終了", "Cmd+Q"}});
  const auto quit = bar->Child("FileMenu")->Child("FileQuit");
  EXPECT_NE(std::dynamic_pointer_cast<framework::QuitMenuItem>(quit), nullptr);
  ExpectMenu(*bar->Child("EditMenu"), {{"EditUndo", "元に戻す", "Cmd+Z"},
                                       {"UntitledMenu1", "-", ""},
                                       {"EditCut", "カット", "Cmd+X"},
                                       {"EditCopy", "コピー", "Cmd+C"},
                                       {"EditPaste", "貼り付け", "Cmd+V"},
                                       {"EditClear", "削除", ""},
                                       {"UntitledMenu0", "-", ""},
                                       {"EditSelectAll", "すべてを選択", "Cmd+A"}});
  EXPECT_TRUE(bar->Child("EditMenu")->Child("UntitledMenu1")->IsSeparator());
  EXPECT_TRUE(bar->Child("EditMenu")->Child("UntitledMenu0")->IsSeparator());
}

using MenuBarInUse = StartedProgram;

// The Edit items have no handler of the program's: choosing one gets the platform's standard
// action, and no window or state of the program changes.
TEST_F(MenuBarInUse, EditItemsGetThePlatformsStandardAction) {
  Window().EditCopy().Choose();
  Window().EditSelectAll().Choose();
  EXPECT_EQ(platform.StandardMenuActions(), (std::vector<std::string>{"EditCopy", "EditSelectAll"}));
  EXPECT_FALSE(platform.QuitCalled());
  EXPECT_EQ(framework::OpenWindows().size(), 1u);
}

}  // namespace
