"""The cover: its countdown, the enter picture and the agreement question."""

import time

import harness
from harness import (AGREEMENT, ENTER_PICTURE, QUESTION_NAME, SCREEN_TIMEOUT, ProgramTestCase,
                     wait_for)


class CountdownTest(ProgramTestCase):
    def test_cover_goes_after_ten_seconds_and_shows_the_empty_grid(self):
        program = self.start()
        shown_at = time.monotonic()
        # Straight X reads of the countdown see every number even on a loaded machine; the
        # numbers are read afterwards, from each different picture.
        client = program.session.client
        countdown = program.rect_on_screen(harness.COUNTDOWN)
        pictures = []

        def cover_gone():
            picture = client.grab_image(countdown)
            if not harness.has_ink(picture, keep=harness.is_red):
                return True
            if not pictures or picture.tobytes() != pictures[-1].tobytes():
                pictures.append(picture)
            return False

        self.wait(cover_gone, 30.0, "the countdown to end")
        gone_at = time.monotonic()
        # The ticks are a second apart; the tenth one comes ten seconds after the window was
        # built, which lies between the program's start and its window showing.
        self.assertGreaterEqual(gone_at - program.started, 8.5)
        self.assertLessEqual(gone_at - shown_at, 14.0)
        seen = []
        for picture in pictures:
            text = harness.read_text(picture, keep=harness.is_red)
            if text and (not seen or seen[-1] != int(text)):  # none while a number is drawn
                seen.append(int(text))
        self.assertEqual(seen, sorted(seen, reverse=True), "the countdown only goes down")
        self.assertTrue(set(seen) <= set(range(1, 11)), seen)
        self.assertGreaterEqual(len(set(seen)), 5, seen)

        screen = program.session.screenshot()
        self.assertEqual(harness.read_grid(program, 3, screen), [""] * 9)
        for k in range(1, 10):
            cell = program.capture(harness.cell_rect(3, k), screen)
            with self.subTest(cell=k):
                inside = cell.crop((harness.CELL_EDGE, harness.CELL_EDGE,
                                    cell.width - harness.CELL_EDGE,
                                    cell.height - harness.CELL_EDGE))
                self.assertTrue(all(map(harness.is_white, inside.getdata())), "white, no digit")
                edge = [cell.getpixel((0, y)) for y in range(cell.height)]
                self.assertTrue(all(harness.luminance(p) < 240 for p in edge), "sunken edge")
        self.assertEqual(harness.size_shown(program, screen), "3x3")
        caption = program.capture(harness.BATCH_BUTTON.inset(6), screen)
        self.assertTrue(harness.has_ink(caption, keep=harness.is_dark), "the button's caption")


class EnterTest(ProgramTestCase):
    def test_press_on_enter_picture_hides_cover_half_a_second_later(self):
        program = self.start()
        session = program.session
        point = program.rect_on_screen(ENTER_PICTURE).centre
        session.move(*point)
        before_press = time.monotonic()
        session.press(*point)
        after_press = time.monotonic()
        self.addCleanup(session.release)

        looks = []  # (capture started, capture ended, cover shown)
        while not looks or looks[-1][2]:
            started = time.monotonic()
            shown = harness.cover_shown(program)
            looks.append((started, time.monotonic(), shown))
            if started - after_press > SCREEN_TIMEOUT:
                break
        # The pause is a lower bound that holds on any machine. How soon after it the cover goes
        # depends on the machine's load, so the upper bound only catches a pause of seconds.
        for started, ended, shown in looks:
            if not shown:
                self.assertGreaterEqual(ended - before_press, 0.4, "cover gone too early")
            else:
                self.assertLessEqual(started - after_press, 4.0, "cover still up")
        self.assertFalse(looks[-1][2], "the cover went")


class AgreementTest(ProgramTestCase):
    def start_and_untick(self):
        """Starts the program, clicks the ticked agreement box and waits for the question; returns
        the program and the question's window.

        The box can only be clicked while the cover is up. A machine so slow that the countdown
        ends before the click lands has not tested anything: the program is started again then.
        """
        for _ in range(3):
            program = self.start()
            self.assertTrue(harness.agreement_ticked(program))
            program.click_on(AGREEMENT)
            try:
                found = wait_for(lambda: program.session.find_windows(QUESTION_NAME)
                                 or not harness.cover_shown(program), SCREEN_TIMEOUT,
                                 "the question")
            except TimeoutError as error:
                self.fail(str(error))
            if found is not True:
                return program, found[0]
            program.stop()  # the countdown ended first
        self.fail("the countdown ended before a click on the agreement box, three times")

    def click_answer(self, program, question, answer):
        """Clicks the button "是" (left) or "否" (right) of the question."""
        session = program.session
        client = session.client_rect(question)

        def both_buttons():
            found = harness.button_centres(session.screenshot(client))
            return found if len(found) == 2 else None

        centres = self.wait(both_buttons, SCREEN_TIMEOUT, "the buttons 是 and 否 on screen")
        x, y = centres[("是", "否").index(answer)]
        session.click(client.left + x, client.top + y)

    def assertAnsweredNo(self, program, question):
        session = program.session
        self.wait(lambda: question not in session.find_windows(QUESTION_NAME), SCREEN_TIMEOUT,
                  "the question to close")
        self.wait(lambda: harness.agreement_ticked(program), SCREEN_TIMEOUT, "the tick back")
        self.assertTrue(program.running())

    def test_no_keeps_the_program_and_the_countdown_waits_for_the_answer(self):
        program, question = self.start_and_untick()
        self.wait(lambda: not harness.agreement_ticked(program), SCREEN_TIMEOUT,
                  "the box to show no tick")
        stopped_at = harness.countdown_value(program)
        deadline = time.monotonic() + 2.5
        while time.monotonic() < deadline:
            self.assertEqual(harness.countdown_value(program), stopped_at, "countdown stopped")
        self.click_answer(program, question, "否")
        self.assertAnsweredNo(program, question)
        self.wait(lambda: (harness.countdown_value(program) or 99) < stopped_at, 5.0,
                  "the countdown to go on")

    def test_escape_answers_no(self):
        program, question = self.start_and_untick()
        program.session.key("Escape")
        self.assertAnsweredNo(program, question)

    def test_yes_ends_with_status_0(self):
        program, question = self.start_and_untick()
        self.click_answer(program, question, "是")
        self.assertExitsWith(program, 0)


if __name__ == "__main__":
    harness.main()
