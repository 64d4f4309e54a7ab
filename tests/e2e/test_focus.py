"""The focus rule in the real window: whichever way the cover goes, typing changes nothing until
the user clicks a cell, and no control shows a focus frame. Esc always ends the program."""

import harness
from harness import (AGREEMENT, COVER, ENTER_PICTURE, ProgramTestCase, cell_rect, cover_shown,
                     enter, press_batch_button, read_grid)
import screen_checks

# Digits that pick a size in the selector, letters, arrows, space and Return.
KEYS = ("4", "5", "6", "3", "a", "x", "Down", "Up", "Right", "Left", "space", "Return", "6")
COUNTDOWN_BOUND = 25.0  # the cover goes ten seconds after start


def click_point(point):
    return lambda program: program.session.click(*screen_checks.cover_point(program, point))


def answer_agreement_no(program):
    program.click_on(AGREEMENT)
    screen_checks.answer_no_by_escape(program, screen_checks.question_window(program))


# Ways for the cover to go: what the user does while it is shown; then the countdown ends unless
# the picture was pressed.
WAYS = (
    ("nothing", None),
    ("press on the picture", lambda program: program.click_on(ENTER_PICTURE)),
    ("click on the cover's background", click_point(harness.COVER_BLANK_POINT)),
    ("click on the preface label", click_point(harness.PREFACE_POINT)),
    ("agreement box un-ticked, answered no", answer_agreement_no),
)


class FocusRuleTest(ProgramTestCase):
    def test_typing_after_the_cover_changes_nothing(self):
        for name, action in WAYS:
            with self.subTest(way=name):
                program = self.start()
                if action:
                    action(program)
                self.wait(lambda: not cover_shown(program), COUNTDOWN_BOUND, "the cover to go")
                self.assertEqual(screen_checks.focus_blue_pixels(program.capture(COVER)), 0,
                                 "no focus frame")
                program.session.key(*KEYS)
                # The button's click is handled after the keys: a 3 x 3 grid must fill.
                press_batch_button(program, 3)
                screen = program.session.screenshot()
                self.assertEqual(read_grid(program, 3, screen), harness.FIRST_3X3)
                self.assertEqual(harness.size_shown(program, screen), "3x3")
                program.session.key("Escape")
                self.assertExitsWith(program, 0)

    def test_escape_ends_with_status_0_while_a_clicked_cell_has_the_focus(self):
        program = self.start()
        enter(program)
        inside = cell_rect(3, 2).inset(harness.CELL_EDGE)
        program.click_on(inside)
        self.assertIsNotNone(screen_checks.blinking_caret(program, inside), "the cell's caret")
        program.session.key("Escape")
        self.assertExitsWith(program, 0)


if __name__ == "__main__":
    harness.main()
