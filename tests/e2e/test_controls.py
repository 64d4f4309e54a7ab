"""The controls as a person uses them: the check box over its whole rectangle, mouse moves during a
drag, the drop-down list, and the title bar with its buttons (minimize and restore keep the
state)."""

import harness
from harness import (AGREEMENT, ENTER_PICTURE, SIZE_ITEMS, SIZE_SELECTOR, SIZE_SELECTOR_TEXT,
                     ProgramTestCase, Rect, enter, luminance, press_batch_button, read_grid,
                     read_text)
import screen_checks
from harness import BASE_LABEL_POINT, COVER_BLANK_POINT
from screen_checks import cover_point

# Points of the check box's 208 x 42 rectangle away from its mark and its caption's text.
AGREEMENT_POINTS = {
    "right end": (AGREEMENT.left + AGREEMENT.width - 3, AGREEMENT.top + AGREEMENT.height // 2),
    "above the caption": (AGREEMENT.left + 90, AGREEMENT.top + 2),
    "below the caption": (AGREEMENT.left + 60, AGREEMENT.top + AGREEMENT.height - 3),
    "right of the caption": (AGREEMENT.left + 185, AGREEMENT.top + 12),
}
BUTTON_STEP = 16  # openbox's title-bar buttons stand 16 px apart


class AgreementBoxTest(ProgramTestCase):
    def test_a_click_anywhere_in_the_box_unticks_it_and_asks(self):
        for name, point in AGREEMENT_POINTS.items():
            with self.subTest(point=name):
                program = self.start()
                program.session.click(*cover_point(program, point))
                question = self.wait(lambda: program.session.find_windows(harness.QUESTION_NAME),
                                     harness.SCREEN_TIMEOUT, "the question")[0]
                self.assertFalse(harness.agreement_ticked(program), "un-ticked")
                screen_checks.answer_no_by_escape(program, question)
                program.stop()


class DragTest(ProgramTestCase):
    def test_moves_with_a_button_held_reach_the_control_under_the_pointer(self):
        picture = ENTER_PICTURE.centre
        # (button held, where it goes down); the drag then goes onto the picture and back onto
        # the base label.
        cases = (("left", 1, BASE_LABEL_POINT), ("right", 3, BASE_LABEL_POINT),
                 ("left, from the cover's background", 1, COVER_BLANK_POINT))
        for name, button, start in cases:
            with self.subTest(drag=name):
                program = self.start()
                session = program.session
                session.move(*cover_point(program, start))
                session.tool("xdotool", "mousedown", button, check=True)
                self.addCleanup(session.tool, "xdotool", "mouseup", button)
                session.move(*cover_point(program, picture))
                self.wait(lambda: screen_checks.logo_shown(program)
                          and screen_checks.signature_shown(program),
                          harness.SCREEN_TIMEOUT, "the logo and the signature")
                session.move(*cover_point(program, BASE_LABEL_POINT))
                self.wait(lambda: screen_checks.logo_and_signature_hidden_on_the_cover(program),
                          harness.SCREEN_TIMEOUT, "the logo and the signature to hide on the cover")
                session.tool("xdotool", "mouseup", button, check=True)
                self.assertTrue(harness.cover_shown(program), "no press reached the picture")
                program.stop()


def is_reddish(pixel):
    """The icon's red lines, also where scaling blends them with its white."""
    red, green, blue = pixel
    return red >= 200 and red - max(green, blue) >= 80


def item_text(row):
    """The text of one row of the opened list; the current row is drawn light on the highlight."""
    pixels = list(row.getdata())
    highlighted = sum(map(screen_checks.is_focus_blue, pixels)) > len(pixels) // 2
    keep = (lambda p: luminance(p) > 150) if highlighted else (lambda p: luminance(p) < 160)
    return read_text(row, keep=keep, whitelist=harness.DIGITS + "x")


class SizeSelectorTest(ProgramTestCase):
    def test_white_field_and_the_list_opens_below_it_with_the_items_in_order(self):
        program = self.start()
        session = program.session
        enter(program)
        field = program.capture(SIZE_SELECTOR_TEXT)
        white = harness.count_pixels(field, harness.is_white)
        self.assertGreater(white, field.width * field.height * 3 // 4, "a white field")

        before = set(session.find_windows(classname="fokarium"))
        program.click_on(SIZE_SELECTOR)
        popup = self.wait(lambda: set(session.find_windows(classname="fokarium")) - before,
                          harness.SCREEN_TIMEOUT, "the list to open").pop()
        self.wait(lambda: session.client_rect(popup).height > 2 * SIZE_SELECTOR.height,
                  harness.SCREEN_TIMEOUT, "the list's full height")
        rect = session.client_rect(popup)
        field_rect = program.rect_on_screen(SIZE_SELECTOR)
        self.assertGreaterEqual(rect.top, field_rect.top + field_rect.height - 1, "below")
        self.assertLessEqual(abs(rect.left - field_rect.left), 2, "under the field")

        def items():
            shot = session.screenshot(rect)
            step = shot.height / len(SIZE_ITEMS)
            rows = [shot.crop((2, round(i * step) + 1, shot.width - 2, round((i + 1) * step) - 1))
                    for i in range(len(SIZE_ITEMS))]
            return [item_text(row) for row in rows]

        self.wait(lambda: items() == list(SIZE_ITEMS), harness.SCREEN_TIMEOUT,
                  f"the items {SIZE_ITEMS} in order")
        session.key("Escape")


class TitleBarTest(ProgramTestCase):
    def test_icon_caption_and_buttons(self):
        program = self.start()
        session = program.session
        enter(program)
        press_batch_button(program, 3)
        frame = session.frame_rect(program.window)
        left, right, top, bottom = session.frame_extents(program.window)
        bar = session.screenshot(Rect(frame.left + left, frame.top, frame.width - left - right,
                                      top))
        icon = bar.crop((0, 0, top, top))
        self.assertGreaterEqual(harness.count_pixels(icon, is_reddish), 20, "the grid's red lines")
        caption = bar.crop((bar.width // 4, 0, bar.width * 3 // 4, top))
        self.assertTrue(harness.has_ink(caption, keep=lambda p: luminance(p) > 230),
                        "the caption's light text")

        # openbox draws a maximize button whatever a window asks; a click on it does nothing.
        # The minimize button's click is handled after it.
        close_x, button_y = session.close_button_point(program.window)
        session.click(close_x - BUTTON_STEP, button_y)
        session.click(close_x - 2 * BUTTON_STEP, button_y)
        self.wait(lambda: "Iconic" in session.tool("xprop", "-id", program.window, "WM_STATE"),
                  harness.SCREEN_TIMEOUT, "the window minimized")
        self.assertNotIn("MAXIMIZED", session.property(program.window, "_NET_WM_STATE") or "")

        session.tool("xdotool", "windowactivate", program.window)
        self.wait(lambda: program.window in session.find_windows(harness.WINDOW_NAME),
                  harness.SCREEN_TIMEOUT, "the window restored")
        # openbox animates the restore; the frame comes back to its place.
        self.wait(lambda: session.frame_rect(program.window) == frame, harness.SCREEN_TIMEOUT,
                  f"the frame back at {frame}")
        self.wait(lambda: read_grid(program, 3) == harness.FIRST_3X3, harness.SCREEN_TIMEOUT,
                  "the same numbers after restoring")
        self.assertEqual(harness.size_shown(program), "3x3")
        self.assertTrue(program.running())


if __name__ == "__main__":
    harness.main()
