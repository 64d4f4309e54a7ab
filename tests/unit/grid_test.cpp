// The grid: the number generator, the batches "换一批" fills in, and the layouts of the four sizes,
// checked against the widgets themselves.

#include "grid/number_generator.h"
#include "program_fixture.h"
#include "ui/controls/fonts.h"

#include <QLineEdit>
#include <algorithm>
#include <numeric>

using namespace testing_support;
using ui::Property;

namespace {

void pressNewBatch() {
    ui::FormWindow::current()->raise(ui::按钮1, ui::Event::Clicked);
}

std::vector<int> numbers(int count) {
    std::vector<int> result;
    for (int k = 1; k <= count; ++k) {
        result.push_back(std::stoi("0" + text(ui::cell(k))));
    }
    return result;
}

// Everything of a cell that a handler may write, to tell that nothing changed.
struct CellState {
    QRect geometry;
    int fontPixels, colour, visible;
    ui::Text text;
    bool operator==(const CellState&) const = default;
};

std::vector<CellState> allCells() {
    std::vector<CellState> result;
    for (int k = 1; k <= ui::cellCount; ++k) {
        const auto* edit = static_cast<QLineEdit*>(ui::FormWindow::current()->widget(ui::cell(k)));
        result.push_back({edit->geometry(), edit->font().pixelSize(),
                          integer(ui::cell(k), Property::TextColour),
                          integer(ui::cell(k), Property::Visible), text(ui::cell(k))});
    }
    return result;
}

class GridTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ui::writeProperty(ui::时钟1, Property::TimerPeriod, 0);
        ui::writeProperty(ui::分组框2, Property::Visible, false);
    }
};

} // namespace

TEST(NumberGenerator, FirstValuesFromTheStartState) {
    // The well-known first outputs of this generator from state 1.
    grid::NumberGenerator generator;
    std::vector<int> values;
    for (int i = 0; i < 10; ++i) {
        values.push_back(generator.next());
    }
    EXPECT_EQ(values,
              (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
    // A draw is low + the next value modulo the range's width.
    const std::tuple<int, int, std::vector<int>> draws[] = {
        {1, 36, {6, 36, 35, 5, 18}}, {1, 9, {6, 9, 8}}, {1, 16, {10, 4, 15}}};
    for (const auto& [low, high, expected] : draws) {
        grid::NumberGenerator fresh;
        std::vector<int> drawn;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            drawn.push_back(fresh.draw(low, high));
        }
        EXPECT_EQ(drawn, expected) << low << ".." << high;
    }
}

TEST_F(GridTest, FirstTwoBatchesAtThreeByThree) {
    pressNewBatch();
    EXPECT_EQ(numbers(9), (std::vector<int>{6, 9, 8, 5, 2, 4, 1, 3, 7}));
    pressNewBatch();
    EXPECT_EQ(numbers(9), (std::vector<int>{8, 6, 9, 4, 1, 7, 5, 3, 2}));
}

TEST_F(GridTest, APressWithNoSizeChangesNothingAndDrawsNothing) {
    ui::writeProperty(ui::组合框1, Property::CurrentItem, -1);
    const auto before = allCells();
    pressNewBatch();
    chooseSize(-1);
    EXPECT_EQ(allCells(), before);
    ui::writeProperty(ui::组合框1, Property::CurrentItem, 0);
    pressNewBatch();
    EXPECT_EQ(numbers(9), (std::vector<int>{6, 9, 8, 5, 2, 4, 1, 3, 7})) << "no draw was consumed";
}

TEST_F(GridTest, FirstBatchAtFourByFour) {
    chooseSize(1);
    pressNewBatch();
    EXPECT_EQ(numbers(16),
              (std::vector<int>{10, 4, 15, 5, 2, 13, 7, 3, 1, 12, 8, 14, 9, 16, 11, 6}));
}

TEST_F(GridTest, EveryBatchIsAPermutationAndTouchesOnlyTheShownCells) {
    for (const int item : {3, 2, 1, 0, 3}) {
        chooseSize(item);
        const int count = (item + 3) * (item + 3);
        const auto before = allCells();
        for (int press = 0; press < 3; ++press) {
            pressNewBatch();
            auto drawn = numbers(count);
            std::sort(drawn.begin(), drawn.end());
            std::vector<int> all(static_cast<std::size_t>(count));
            std::iota(all.begin(), all.end(), 1);
            EXPECT_EQ(drawn, all) << "size " << item;
        }
        const auto after = allCells();
        for (int k = 1; k <= ui::cellCount; ++k) {
            auto expected = before[static_cast<std::size_t>(k - 1)];
            if (k <= count) {
                expected.text =
                    after[static_cast<std::size_t>(k - 1)].text; // only the text is written
            }
            EXPECT_EQ(after[static_cast<std::size_t>(k - 1)], expected) << "cell " << k;
        }
    }
}

TEST_F(GridTest, LayoutsOfTheFourSizes) {
    struct Layout {
        int n, size, fontPixels;
        std::vector<int> highlighted;
    };
    const Layout layouts[] = {{3, 180, 160, {5}},
                              {4, 135, 107, {6, 7, 10, 11}},
                              {5, 108, 80, {13}},
                              {6, 90, 60, {15, 16, 21, 22}}};
    for (int pass = 0; pass < 2; ++pass) { // the second pass re-lays a grid that holds numbers
        for (int item = 0; item < 4; ++item) {
            const Layout& l = layouts[item];
            pressNewBatch();
            chooseSize(item);
            const auto cells = allCells();
            for (int k = 1; k <= l.n * l.n; ++k) {
                SCOPED_TRACE(testing::Message() << "N " << l.n << " cell " << k);
                const CellState& c = cells[static_cast<std::size_t>(k - 1)];
                const int row = (k - 1) / l.n, column = (k - 1) % l.n;
                EXPECT_EQ(c.geometry,
                          QRect(15 + column * l.size, 15 + row * l.size, l.size, l.size))
                    << "no cell grows with the form's face";
                EXPECT_EQ(c.fontPixels, l.fontPixels);
                const bool lit = std::count(l.highlighted.begin(), l.highlighted.end(), k) > 0;
                EXPECT_EQ(c.colour, lit ? 8429696 : 0);
                EXPECT_EQ(c.visible, 1);
                EXPECT_EQ(c.text, "");
            }
            for (int k = l.n * l.n + 1; k <= ui::cellCount; ++k) {
                EXPECT_EQ(cells[static_cast<std::size_t>(k - 1)].visible, 0)
                    << "N " << l.n << " cell " << k;
            }
        }
    }
}

TEST_F(GridTest, HiddenCellsKeepWhatTheyHadAndShowEmptyAgain) {
    chooseSize(3);
    pressNewBatch();
    const auto sixBySix = allCells();
    chooseSize(0);
    const auto threeByThree = allCells();
    for (int k = 10; k <= 36; ++k) {
        auto expected = sixBySix[static_cast<std::size_t>(k - 1)];
        expected.visible = 0;
        EXPECT_EQ(threeByThree[static_cast<std::size_t>(k - 1)], expected) << "cell " << k;
    }
    chooseSize(3);
    for (int k = 1; k <= 36; ++k) {
        EXPECT_EQ(text(ui::cell(k)), "") << "no old number shows again: cell " << k;
    }
}
