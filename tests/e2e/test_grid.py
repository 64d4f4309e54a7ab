"""The grid under the cover: batches of numbers and the sizes, read back from the screen."""

import harness
from harness import (FIRST_3X3, HIGHLIGHT, ProgramTestCase, cells_inked, choose_size, enter,
                     press_batch_button, read_grid, text_colours)

# Every run draws from the same generator state, so the first batches are always these.
SECOND_3X3 = ["8", "6", "9", "4", "1", "7", "5", "3", "2"]
FIRST_4X4 = ["10", "4", "15", "5", "2", "13", "7", "3", "1", "12", "8", "14", "9", "16", "11",
             "6"]
BLACK = (0, 0, 0)


def expected_colours(size, highlighted):
    return [HIGHLIGHT if k in highlighted else BLACK for k in range(1, size * size + 1)]


class GridTest(ProgramTestCase):
    def assertEmptyGrid(self, program, size):
        self.wait(lambda: not any(cells_inked(program, size)), harness.SCREEN_TIMEOUT,
                  f"the {size}x{size} cells to be empty")

    def test_batches_then_a_change_of_size(self):
        program = self.start()
        enter(program)
        press_batch_button(program, 3)
        self.assertEqual(read_grid(program, 3), FIRST_3X3)
        self.assertEqual(text_colours(program, 3), expected_colours(3, {5}))
        press_batch_button(program, 3)
        self.assertEqual(read_grid(program, 3), SECOND_3X3)

        choose_size(program, "4x4")
        self.assertEqual(harness.size_shown(program), "4x4")
        self.assertEmptyGrid(program, 4)
        self.assertEqual(read_grid(program, 4), [""] * 16)
        press_batch_button(program, 4)
        self.assertEqual(sorted(read_grid(program, 4)), sorted(str(n) for n in range(1, 17)),
                         "each of 1..16 once")
        self.assertEqual(text_colours(program, 4), expected_colours(4, {6, 7, 10, 11}))

        # Picking the size already shown lays the grid out again, empty.
        choose_size(program, "4x4")
        self.assertEmptyGrid(program, 4)

    def test_first_batch_at_4x4(self):
        program = self.start()
        enter(program)
        choose_size(program, "4x4")
        press_batch_button(program, 4)
        self.assertEqual(read_grid(program, 4), FIRST_4X4)

    def test_smaller_size_and_back_show_no_old_numbers(self):
        program = self.start()
        enter(program)
        choose_size(program, "6x6")
        press_batch_button(program, 6)
        self.assertEqual(text_colours(program, 6), expected_colours(6, {15, 16, 21, 22}))
        choose_size(program, "3x3")
        self.assertEmptyGrid(program, 3)
        press_batch_button(program, 3)
        self.assertEqual(text_colours(program, 3), expected_colours(3, {5}))
        choose_size(program, "6x6")
        self.assertEmptyGrid(program, 6)


if __name__ == "__main__":
    harness.main()
