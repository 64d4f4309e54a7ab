// What the accessibility tree learns of the main window, read through Qt's accessibility
// interfaces on the offscreen platform: names and roles, the cells' rows and columns in every
// grid size, their numbers as text, what is hidden, and the enter picture's press action.

#include "app/event_bindings.h"
#include "program_fixture.h"
#include "ui/accessibility/cell_names.h"
#include "ui/controls/fonts.h"
#include "ui/controls/properties.h"
#include "ui/form/form_window.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using namespace ui;
using testing_support::chooseSize;

class AccessibleWindow : public testing::Test {
protected:
    AccessibleWindow() {
        app::bindEventHandlers(window_);
        window_.createAndShow();
    }

    QAccessibleInterface& of(ControlId id) const {
        QAccessibleInterface* found = QAccessible::queryAccessibleInterface(window_.widget(id));
        EXPECT_NE(found, nullptr);
        return *found;
    }
    std::string name(ControlId id) const { return of(id).text(QAccessible::Name).toStdString(); }
    bool invisible(ControlId id) const { return of(id).state().invisible; }

    FormWindow window_;
};

TEST(CellNames, FollowTheGridSizeThatTheWidthTells) {
    EXPECT_EQ(gridSizeForCellWidth(180), 3);
    EXPECT_EQ(gridSizeForCellWidth(135), 4);
    EXPECT_EQ(gridSizeForCellWidth(108), 5);
    EXPECT_EQ(gridSizeForCellWidth(90), 6);
    for (const int width : {0, -180, 48, 100, 540, 270, 60}) {
        EXPECT_EQ(gridSizeForCellWidth(width), std::nullopt) << width;
    }
    EXPECT_EQ(cellAccessibleName(1, 3).toStdString(), "第1行第1列");
    EXPECT_EQ(cellAccessibleName(6, 3).toStdString(), "第2行第3列");
    EXPECT_EQ(cellAccessibleName(36, 6).toStdString(), "第6行第6列");
    EXPECT_EQ(cellAccessibleName(10, 3).toStdString(), "第10格"); // beyond the 3 x 3 grid
    EXPECT_EQ(cellAccessibleName(12, std::nullopt).toStdString(), "第12格");
}

TEST_F(AccessibleWindow, EveryControlHasANameAndARoleThatFitIt) {
    const struct {
        ControlId control;
        QAccessible::Role role;
        const char* name;
    } expected[] = {
        {分组框1, QAccessible::Grouping, "注意力训练"},
        {分组框2, QAccessible::Grouping, "封面"},
        {计时1, QAccessible::StaticText, "倒计时 10"},
        {透明标签1, QAccessible::StaticText, "前言"},
        {签名, QAccessible::StaticText, "签名 By: Varnholt"},
        {底板, QAccessible::StaticText, "封面底板"},
        {选择框1, QAccessible::CheckBox, "已阅读并同意"},
        {Logo, QAccessible::Graphic, "标志"},
        {点击进入, QAccessible::Button, "点击进入"},
        {按钮1, QAccessible::Button, "换一批"},
        {cell(1), QAccessible::EditableText, "第1行第1列"},
    };
    for (const auto& [control, role, accessibleName] : expected) {
        EXPECT_EQ(of(control).role(), role) << accessibleName;
        EXPECT_EQ(name(control), accessibleName);
    }
    EXPECT_EQ(of(组合框1).role(), QAccessible::ComboBox);
    EXPECT_EQ(of(组合框1).text(QAccessible::Description).toStdString(), "方格大小");
    EXPECT_TRUE(name(透明标签2).starts_with("少儿成长；专注教育\n\n业余作品"));
}

TEST_F(AccessibleWindow, CellsNameTheirRowAndColumnInEveryGridSize) {
    // Sizes in an order that re-lays every grid from another one.
    const struct {
        int n, cell;
        const char* name;
    } cases[] = {
        {4, 1, "第1行第1列"}, {4, 5, "第2行第1列"},  {4, 8, "第2行第4列"},  {4, 16, "第4行第4列"},
        {6, 2, "第1行第2列"}, {6, 7, "第2行第1列"},  {6, 23, "第4行第5列"}, {6, 36, "第6行第6列"},
        {5, 6, "第2行第1列"}, {5, 13, "第3行第3列"}, {5, 25, "第5行第5列"}, {3, 3, "第1行第3列"},
        {3, 4, "第2行第1列"}, {3, 9, "第3行第3列"},
    };
    int shownSize = 0;
    for (const auto& c : cases) {
        if (c.n != shownSize) {
            chooseSize(c.n - 3);
            shownSize = c.n;
            for (int k = 1; k <= cellCount; ++k) {
                EXPECT_EQ(invisible(cell(k)), k > c.n * c.n)
                    << c.n << " x " << c.n << ", cell " << k;
            }
        }
        EXPECT_EQ(name(cell(c.cell)), c.name) << c.n << " x " << c.n << ", cell " << c.cell;
    }
}

TEST_F(AccessibleWindow, CellsExposeTheirNumberAsText) {
    writeProperty(cell(4), Property::Text, "27");
    QAccessibleTextInterface* text = of(cell(4)).textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()).toStdString(), "27");
    EXPECT_TRUE(of(cell(4)).state().readOnly);
}

TEST_F(AccessibleWindow, TheHiddenCoverAndWhatItHoldsAreNotShown) {
    EXPECT_FALSE(invisible(分组框2));
    EXPECT_TRUE(invisible(Logo)); // hidden until the mouse is over the enter picture
    writeProperty(分组框2, Property::Visible, false);
    for (const ControlId control : {分组框2, 计时1, 透明标签2, 选择框1, 点击进入, 底板}) {
        EXPECT_TRUE(invisible(control)) << name(control);
    }
    EXPECT_FALSE(invisible(按钮1));
}

TEST_F(AccessibleWindow, TheCountdownsNameFollowsItsCaption) {
    writeProperty(计时1, Property::Text, "7");
    EXPECT_EQ(name(计时1), "倒计时 7");
}

TEST_F(AccessibleWindow, PressingTheEnterPictureEntersAsAClickDoes) {
    QAccessibleActionInterface* actions = of(点击进入).actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_FALSE(of(Logo).actionInterface() && of(Logo).actionInterface()->actionNames().contains(
                                                   QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(readProperty(分组框2, Property::Visible).flag()) << "posted, not run at once";
    EXPECT_TRUE(testing_support::waitUntil(
        [] { return !readProperty(分组框2, Property::Visible).flag(); }, 10000));
}

} // namespace
