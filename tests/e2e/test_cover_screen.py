"""What only the real window shows of the cover: clicks on the controls beneath it do nothing, the
countdown leaves no trace of its old text, and the logo hides again on the base label."""

import harness
from harness import (BATCH_BUTTON, COUNTDOWN, ENTER_PICTURE, SIZE_SELECTOR, ProgramTestCase,
                     cell_rect, cells_inked, countdown_value, cover_shown, enter,
                     press_batch_button, read_grid)
import screen_checks
from harness import BASE_LABEL_POINT
from screen_checks import cover_point, ink_box, logo_shown, signature_shown

COUNTDOWN_PIXELS = 29  # the countdown's character height


class CoverScreenTest(ProgramTestCase):
    def test_clicks_where_the_controls_lie_beneath_the_cover_change_nothing(self):
        program = self.start()
        for rect in (BATCH_BUTTON, SIZE_SELECTOR, *(cell_rect(3, k) for k in range(1, 10))):
            program.click_on(rect)
        self.assertTrue(cover_shown(program), "the clicks fell on the cover")
        enter(program)
        screen = program.session.screenshot()
        self.assertEqual(cells_inked(program, 3, screen), [False] * 9, "an empty grid")
        self.assertEqual(harness.size_shown(program, screen), "3x3")
        press_batch_button(program, 3)
        self.assertEqual(read_grid(program, 3), harness.FIRST_3X3, "the first batch")

    def test_the_countdown_shows_only_its_new_text(self):
        program = self.start()

        def one_digit_on_screen():
            screen = program.session.screenshot()
            value = countdown_value(program, screen)
            return (value, program.capture(COUNTDOWN, screen)) if value in range(1, 10) else None

        # Once "10" has become a one-digit number, no ink of "1" or "0" stays: the red ink is one
        # digit, centred in the 40 px label.
        value, shot = self.wait(one_digit_on_screen, harness.SCREEN_TIMEOUT, "one digit")
        left, top, right, bottom = ink_box(shot, harness.is_red)
        digit = ink_box(screen_checks.normal_weight_text(str(value), COUNTDOWN_PIXELS),
                        harness.is_ink)
        self.assertLessEqual(right - left, (digit[2] - digit[0]) * 1.5, f"only {value}")
        self.assertLessEqual(abs((left + right) / 2 - COUNTDOWN.width / 2), 3, "centred")
        any_ink = ink_box(shot, lambda p: not harness.is_white(p))
        self.assertLessEqual(max(left - any_ink[0], top - any_ink[1], any_ink[2] - right,
                                 any_ink[3] - bottom), 2, "nothing but the digit's edges")

    def test_moving_from_the_picture_to_the_base_label_hides_logo_and_signature(self):
        program = self.start()
        session = program.session
        self.assertFalse(logo_shown(program) or signature_shown(program))
        session.move(*cover_point(program, ENTER_PICTURE.centre))
        self.wait(lambda: logo_shown(program) and signature_shown(program),
                  harness.SCREEN_TIMEOUT, "the logo and the signature")
        session.move(*cover_point(program, BASE_LABEL_POINT))
        self.wait(lambda: screen_checks.logo_and_signature_hidden_on_the_cover(program),
                  harness.SCREEN_TIMEOUT, "the logo and the signature to hide on the cover")


if __name__ == "__main__":
    harness.main()
