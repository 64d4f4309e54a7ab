// The form's records against the program's tables: the window, every control in the form list
// order, the kinds' own properties and the event bindings.

#include "qt_printing.h"
#include "ui/form/form.h"
#include "ui/texts/gbk_text.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

using namespace ui;

namespace {

QString u(const char* gbk) {
    return fromGbk(gbk);
}

const ControlRecord& byName(const QString& name) {
    for (const ControlRecord& r : formControls()) {
        if (u(r.name) == name) {
            return r;
        }
    }
    throw std::runtime_error("no control " + name.toStdString());
}

} // namespace

TEST(Form, WindowRecord) {
    const WindowRecord& w = windowRecord();
    EXPECT_EQ(w.id, 0x52010001u);
    EXPECT_EQ(u(w.caption), QString("Fokarium - 注意力训练 v1.0"));
    EXPECT_EQ(w.width, 582);
    EXPECT_EQ(w.height, 640);
    EXPECT_EQ(w.background, buttonFace);
}

TEST(Form, EveryControlInFormListOrder) {
    struct Row {
        const char* name;
        Kind kind;
        ControlId id, container;
        int left, top, width, height;
        bool visible, tabStop;
    };
    // clang-format off
    const Row expected[] = {
        {"计时1", Kind::TransLabel, 0x1601030D, 0x160102B3, 512, 16, 40, 40, true, false},
        {"透明标签1", Kind::TransLabel, 0x1601030C, 0x160102B3, 154, 56, 264, 80, true, false},
        {"透明标签2", Kind::TransLabel, 0x1601030B, 0x160102B3, 81, 172, 410, 272, true, false},
        {"签名", Kind::TransLabel, 0x160102D7, 0x160102B3, 320, 552, 272, 56, true, false},
        {"分组框2", Kind::GroupBox, 0x160102B3, 0x16010002, 0, 0, 573, 616, true, false},
        {"选择框1", Kind::CheckBox, 0x160102D5, 0x160102B3, 16, 561, 208, 42, true, true},
        {"Logo", Kind::PicBox, 0x160102C3, 0x160102B3, 397, 432, 139, 136, true, false},
        {"时钟1", Kind::Timer, 0x160102B7, 0x16010002, 32, 16, 32, 32, false, false},
        {"编辑框36", Kind::EditBox, 0x16010137, 0x16010002, 64, 72, 48, 32, true, true},
        {"编辑框35", Kind::EditBox, 0x16010136, 0x16010002, 72, 72, 48, 32, true, true},
        {"编辑框34", Kind::EditBox, 0x16010135, 0x16010002, 64, 80, 48, 32, true, true},
        {"编辑框33", Kind::EditBox, 0x16010134, 0x16010002, 56, 88, 48, 32, true, true},
        {"编辑框32", Kind::EditBox, 0x16010133, 0x16010002, 72, 96, 48, 32, true, true},
        {"编辑框31", Kind::EditBox, 0x16010132, 0x16010002, 48, 64, 48, 32, true, true},
        {"编辑框30", Kind::EditBox, 0x16010131, 0x16010002, 56, 72, 48, 32, true, true},
        {"编辑框29", Kind::EditBox, 0x16010130, 0x16010002, 64, 80, 48, 32, true, true},
        {"编辑框28", Kind::EditBox, 0x1601012F, 0x16010002, 72, 64, 48, 32, true, true},
        {"编辑框27", Kind::EditBox, 0x1601012E, 0x16010002, 48, 64, 48, 32, true, true},
        {"编辑框26", Kind::EditBox, 0x1601012D, 0x16010002, 80, 64, 48, 32, true, true},
        {"编辑框25", Kind::EditBox, 0x1601012C, 0x16010002, 64, 64, 48, 32, true, true},
        {"编辑框24", Kind::EditBox, 0x1601012B, 0x16010002, 56, 64, 48, 32, true, true},
        {"编辑框23", Kind::EditBox, 0x1601012A, 0x16010002, 56, 72, 48, 32, true, true},
        {"编辑框22", Kind::EditBox, 0x16010129, 0x16010002, 72, 80, 48, 32, true, true},
        {"编辑框21", Kind::EditBox, 0x16010128, 0x16010002, 72, 72, 48, 32, true, true},
        {"编辑框20", Kind::EditBox, 0x16010127, 0x16010002, 80, 72, 48, 32, true, true},
        {"编辑框19", Kind::EditBox, 0x16010126, 0x16010002, 72, 72, 48, 32, true, true},
        {"编辑框18", Kind::EditBox, 0x16010125, 0x16010002, 64, 64, 48, 32, true, true},
        {"编辑框17", Kind::EditBox, 0x16010124, 0x16010002, 72, 80, 48, 32, true, true},
        {"编辑框16", Kind::EditBox, 0x16010123, 0x16010002, 48, 88, 48, 32, true, true},
        {"编辑框15", Kind::EditBox, 0x16010122, 0x16010002, 80, 80, 48, 32, true, true},
        {"编辑框14", Kind::EditBox, 0x16010121, 0x16010002, 56, 104, 48, 32, true, true},
        {"编辑框13", Kind::EditBox, 0x16010120, 0x16010002, 72, 88, 48, 32, true, true},
        {"组合框1", Kind::ComboBox, 0x1601008A, 0x16010002, 456, 568, 82, 29, true, true},
        {"按钮1", Kind::Button, 0x1601000C, 0x16010002, 247, 566, 78, 36, true, true},
        {"编辑框10", Kind::EditBox, 0x160100A8, 0x16010002, 64, 48, 48, 32, true, true},
        {"编辑框11", Kind::EditBox, 0x160100A9, 0x16010002, 64, 64, 48, 32, true, true},
        {"编辑框12", Kind::EditBox, 0x1601011F, 0x16010002, 88, 72, 48, 32, true, true},
        {"编辑框9", Kind::EditBox, 0x16010048, 0x16010002, 375, 375, 180, 180, true, true},
        {"编辑框8", Kind::EditBox, 0x1601004A, 0x16010002, 195, 375, 180, 180, true, true},
        {"编辑框7", Kind::EditBox, 0x1601004B, 0x16010002, 15, 375, 180, 180, true, true},
        {"编辑框4", Kind::EditBox, 0x1601004C, 0x16010002, 15, 195, 180, 180, true, true},
        {"编辑框5", Kind::EditBox, 0x16010049, 0x16010002, 195, 195, 180, 180, true, true},
        {"编辑框6", Kind::EditBox, 0x16010047, 0x16010002, 375, 195, 180, 180, true, true},
        {"编辑框3", Kind::EditBox, 0x16010046, 0x16010002, 375, 15, 180, 180, true, true},
        {"编辑框2", Kind::EditBox, 0x1601003E, 0x16010002, 195, 15, 180, 180, true, true},
        {"编辑框1", Kind::EditBox, 0x16010034, 0x16010002, 15, 15, 180, 180, true, true},
        {"点击进入", Kind::PicBox, 0x160102D0, 0x160102B3, 246, 482, 80, 80, true, false},
        {"底板", Kind::TransLabel, 0x16010308, 0x160102B3, 104, 352, 368, 262, true, false},
        {"分组框1", Kind::GroupBox, 0x16010002, 0x52010001, 1, 0, 573, 616, true, false},
    };
    // clang-format on
    const auto controls = formControls();
    ASSERT_EQ(controls.size(), std::size(expected));
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlRecord& r = controls[i];
        const Row& e = expected[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(u(r.name), QString(e.name));
        EXPECT_EQ(r.kind, e.kind);
        EXPECT_EQ(r.id, e.id);
        EXPECT_EQ(r.container, e.container);
        EXPECT_EQ(QRect(r.left, r.top, r.width, r.height), QRect(e.left, e.top, e.width, e.height));
        EXPECT_EQ(r.visible, e.visible);
        EXPECT_EQ(r.tabStop, e.tabStop);
        EXPECT_EQ(findRecord(e.id), &r);
    }
}

TEST(Form, CellNumbersNameTheirEditBoxes) {
    for (int k = 1; k <= cellCount; ++k) {
        const ControlRecord* r = findRecord(cell(k));
        ASSERT_NE(r, nullptr) << k;
        EXPECT_EQ(u(r->name), QString("编辑框%1").arg(k));
        EXPECT_EQ(r->font.height, k <= 9 ? 160 : 12) << k;
        EXPECT_EQ(r->font.weight, 700) << k;
        EXPECT_EQ(r->align, HAlign::Centre) << k;
        EXPECT_EQ(r->textColour, 0u) << k;
        EXPECT_EQ(r->background, white) << k;
        EXPECT_STREQ(r->text, "") << k;
    }
    EXPECT_EQ(cell(0), 0u);
    EXPECT_EQ(cell(37), 0u);
}

TEST(Form, TransparentLabels) {
    struct Row {
        const char* name;
        const char* text;
        Colour colour;
        FontSpec font;
        HAlign align;
        bool wordWrap, shadow;
    };
    const Row expected[] = {
        {"计时1", "10", 0x000000FF, {29, 700, false}, HAlign::Centre, false, false},
        {"透明标签1", "前言", 0x000080FF, {56, 700, false}, HAlign::Centre, false, false},
        {"透明标签2",
         "少儿成长；专注教育\r\n\r\n业余作品；绝无病毒\r\n\r\n欢迎转载；免费使用\r\n\r\n版权所有；"
         "翻版必究",
         0x000080FF,
         {37, 400, false},
         HAlign::Centre,
         true,
         true},
        {"签名", "By: Varnholt", 0, {29, 700, true}, HAlign::Left, false, false},
        {"底板", "", 0, {}, HAlign::Left, false, false},
    };
    for (const Row& e : expected) {
        SCOPED_TRACE(e.name);
        const ControlRecord& r = byName(e.name);
        EXPECT_EQ(r.kind, Kind::TransLabel);
        EXPECT_EQ(u(r.text), QString(e.text));
        EXPECT_EQ(r.textColour, e.colour);
        EXPECT_EQ(r.font.height, e.font.height);
        EXPECT_EQ(r.font.weight, e.font.weight);
        EXPECT_EQ(r.font.italic, e.font.italic);
        EXPECT_EQ(r.align, e.align);
        EXPECT_EQ(r.valign, VAlign::Centre);
        EXPECT_EQ(r.wordWrap, e.wordWrap);
        EXPECT_EQ(r.whiteShadow, e.shadow);
    }
    EXPECT_EQ(std::string_view(byName("透明标签2").text).size(), 84u);
}

TEST(Form, OtherKindsProperties) {
    EXPECT_EQ(byName("分组框1").background, buttonFace);
    EXPECT_EQ(byName("分组框2").background, white);
    const ControlRecord& check = byName("选择框1");
    EXPECT_EQ(u(check.text), QString("已阅读并同意"));
    EXPECT_TRUE(check.checked);
    EXPECT_EQ(check.font.height, 21);
    EXPECT_EQ(check.background, white);
    const ControlRecord& combo = byName("组合框1");
    ASSERT_EQ(combo.items.size(), 4u);
    EXPECT_EQ(
        QStringList({u(combo.items[0]), u(combo.items[1]), u(combo.items[2]), u(combo.items[3])}),
        QStringList({"3x3", "4x4", "5x5", "6x6"}));
    EXPECT_EQ(combo.currentItem, 0);
    EXPECT_EQ(combo.font.height, 21);
    EXPECT_EQ(comboBoxBuiltHeight, 160);
    EXPECT_EQ(u(byName("按钮1").text), QString("换一批"));
    EXPECT_EQ(byName("按钮1").font.height, 0) << "the default GUI font";
    EXPECT_EQ(byName("时钟1").timerPeriod, 0);
    EXPECT_EQ(byName("Logo").picture, PictureId::Logo);
    EXPECT_FALSE(byName("Logo").handPointer);
    EXPECT_EQ(byName("点击进入").picture, PictureId::Enter);
    EXPECT_TRUE(byName("点击进入").handPointer);
}

TEST(Form, EventBindings) {
    struct Row {
        const char* control;
        Event event;
        HandlerId handler;
    };
    const Row expected[] = {
        {"", Event::Created, HandlerId::SetStartState},
        {"选择框1", Event::Clicked, HandlerId::AskAgreement},
        {"时钟1", Event::Periodic, HandlerId::CountdownTick},
        {"点击进入", Event::MouseMoved, HandlerId::ShowLogoAndSignature},
        {"点击进入", Event::LeftButtonPressed, HandlerId::Enter},
        {"底板", Event::MouseMoved, HandlerId::HideLogoAndSignature},
        {"组合框1", Event::ListItemSelected, HandlerId::LayOutGrid},
        {"按钮1", Event::Clicked, HandlerId::FillBatch},
    };
    const auto bindings = formBindings();
    ASSERT_EQ(bindings.size(), std::size(expected));
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const ControlId control =
            *expected[i].control ? byName(expected[i].control).id : windowRecord().id;
        EXPECT_EQ(bindings[i].control, control) << i;
        EXPECT_EQ(bindings[i].event, expected[i].event) << i;
        EXPECT_EQ(bindings[i].handler, expected[i].handler) << i;
    }
}
