"""The grid cells as a person sees them: bold digits at every size, the text pointer, a blinking
caret after a click, a double-click that selects the number, and keys that change no text."""

import harness
from harness import (ProgramTestCase, cell_rect, choose_size, enter, press_batch_button,
                     read_grid, read_text)
import screen_checks
from screen_checks import Pointer

# Character height of the cells' bold font at each grid size, in pixels.
FONT_PIXELS = {3: 160, 4: 107, 5: 80, 6: 60}
HIGHLIGHTED = {3: {5}, 4: {6, 7, 10, 11}, 5: {13}, 6: {15, 16, 21, 22}}
BOLD_AT_LEAST = 1.25  # ink of a bold digit over the same digit at normal weight


class BoldDigitsTest(ProgramTestCase):
    def test_digits_are_bold_at_every_size(self):
        program = self.start()
        enter(program)
        for size in (3, 4, 5, 6):
            with self.subTest(size=size):
                if size != 3:
                    choose_size(program, f"{size}x{size}")
                press_batch_button(program, size)
                screen = program.session.screenshot()
                # A black cell with one digit; read back so that the same digit is drawn.
                for k in range(1, size * size + 1):
                    crop = program.capture(cell_rect(size, k).inset(harness.CELL_EDGE), screen)
                    digit = read_text(crop)
                    if k not in HIGHLIGHTED[size] and len(digit) == 1:
                        break
                else:
                    self.fail("no black one-digit cell")
                normal = screen_checks.normal_weight_text(digit, FONT_PIXELS[size])
                ratio = screen_checks.ink_mass(crop) / screen_checks.ink_mass(normal)
                self.assertGreaterEqual(ratio, BOLD_AT_LEAST, f"cell {k} ({digit})")


class CellInputTest(ProgramTestCase):
    def test_pointer_is_the_text_pointer_over_cells_and_the_arrow_over_the_cover(self):
        program = self.start()
        pointer = Pointer(program.session)
        self.addCleanup(pointer.close)
        pointer.move_over(program, harness.COVER_BLANK_POINT)
        self.wait(lambda: Pointer.is_arrow(pointer.image()), harness.SCREEN_TIMEOUT,
                  "the arrow over the cover")
        enter(program)
        for k in (1, 5, 9):
            with self.subTest(cell=k):
                pointer.move_over(program, cell_rect(3, k).centre)
                self.wait(lambda: Pointer.is_text_pointer(pointer.image()),
                          harness.SCREEN_TIMEOUT, f"the text pointer over cell {k}")

    def test_a_clicked_cell_shows_a_blinking_caret_and_keys_change_no_text(self):
        program = self.start()
        session = program.session
        enter(program)
        press_batch_button(program, 3)
        cell = cell_rect(3, 1)  # shows "6"
        inside = cell.inset(harness.CELL_EDGE)
        digit = screen_checks.ink_box(program.capture(inside))
        # A click right of the digit puts the caret after it.
        right_of_digit = (inside.left + (digit[2] + inside.width) // 2, inside.top
                          + inside.height // 2)
        session.click(*screen_checks.cover_point(program, right_of_digit))
        caret = screen_checks.blinking_caret(program, inside)
        self.assertIsNotNone(caret, "a caret blinks in the clicked cell")
        self.assertGreaterEqual(caret, digit[2], "after the digit")

        # Keys that would edit the text; then Home, whose caret move shows they were all handled.
        session.key("1", "2", "a", "BackSpace", "Delete", "ctrl+x", "space", "Return", "Home")
        caret = screen_checks.blinking_caret(program, inside)
        self.assertIsNotNone(caret, "the caret still blinks")
        self.assertLessEqual(caret, digit[0], "Home moved the caret before the digit")
        self.assertEqual(read_grid(program, 3), harness.FIRST_3X3, "no text changed")
        self.assertEqual(harness.text_colours(program, 3),
                         [harness.HIGHLIGHT if k == 5 else (0, 0, 0) for k in range(1, 10)])

    def test_a_double_click_selects_the_number(self):
        program = self.start()
        enter(program)
        press_batch_button(program, 3)
        inside = cell_rect(3, 4).inset(harness.CELL_EDGE)  # shows "5"
        self.assertEqual(screen_checks.focus_blue_pixels(program.capture(inside)), 0)
        x, y = program.rect_on_screen(inside).centre
        program.session.tool("xdotool", "mousemove", x, y, "click", "--repeat", 2,
                             "--delay", 80, 1, check=True)
        self.wait(lambda: screen_checks.focus_blue_pixels(program.capture(inside)) >= 500,
                  harness.SCREEN_TIMEOUT, "the number shown selected")


if __name__ == "__main__":
    harness.main()
