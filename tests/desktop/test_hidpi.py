"""The program at a scale factor of 2 (QT_SCALE_FACTOR=2) against the same program at 1, under
Xvfb and openbox: the window is twice as large in device pixels, the form's places and sizes hold
in logical pixels, and text, logo and fingerprint are drawn at the device resolution."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402
from harness import (BATCH_BUTTON, ENTER_PICTURE, GRID, GROUP_BOX_ORIGIN, LOGO, OUTER_HEIGHT,  # noqa: E402
                     OUTER_WIDTH, PREFACE, START_TIMEOUT, Rect, wait_for)

CELL_1_MIDDLE = Rect(65, 45, 80, 120)  # where cell 1's number is; blank on the cover
EDGE_OF_CELLS_1_2 = Rect(195, 27, 1, 1)  # a sunken edge; white on the cover
GRID_IN_CLIENT = GRID.moved(*GROUP_BOX_ORIGIN)
WHITE = 250


def has_ink(image):
    return image.convert("L").getextrema()[0] < 128


def white_runs(values, scale, least=20):
    """The runs of white pixels longer than `least` logical pixels, as (start, end) in logical
    pixels from the first value."""
    runs, start = [], None
    for i, value in enumerate(list(values) + [0]):
        if value >= WHITE and start is None:
            start = i
        elif value < WHITE and start is not None:
            if i - start > least * scale:
                runs.append((start / scale, i / scale))
            start = None
    return runs


def blocky_fraction(image):
    """The fraction of 2 x 2 pixel blocks along edges whose pixels all agree, at the worse of the
    four block alignments: a picture drawn at half the resolution and enlarged pixel by pixel
    gives 1 there, one drawn at the full resolution far less."""
    from PIL import ImageChops, ImageFilter
    gray = image.convert("L")
    near_edge = ImageChops.subtract(gray.filter(ImageFilter.MaxFilter(3)),
                                    gray.filter(ImageFilter.MinFilter(3))).load()
    pixels = gray.load()
    worst = 0.0
    for dx in (0, 1):
        for dy in (0, 1):
            edges = uniform = 0
            for y in range(dy, gray.height - 1, 2):
                for x in range(dx, gray.width - 1, 2):
                    if near_edge[x, y] <= 32:
                        continue
                    block = (pixels[x, y], pixels[x + 1, y], pixels[x, y + 1], pixels[x + 1, y + 1])
                    edges += 1
                    uniform += max(block) - min(block) <= 16
            worst = max(worst, uniform / max(edges, 1))
    return worst


def fine_detail(image):
    """What a picture holds beyond half its resolution: the mean difference between it and its
    half-size copy enlarged again."""
    from PIL import Image, ImageChops, ImageStat
    gray = image.convert("L")
    half = gray.resize((gray.width // 2, gray.height // 2), Image.BOX)
    again = half.resize(gray.size, Image.BILINEAR)
    return ImageStat.Stat(ImageChops.difference(gray, again)).mean[0]


class Run:
    """One run of the program at a scale: its geometry and two screenshots, the first with the
    logo shown over the cover, the second of the filled grid."""

    def __init__(self, scale):
        self.scale = scale
        with harness.XSession(1600, 1400, scale=scale) as session:
            self.program = program = session.start_program(harness.ProgramTestCase.binary)
            program.wait_window()
            self.frame = session.frame_extents(program.window)
            self.origin = (program.client.left, program.client.top)
            self.width, self.height = program.client.width, program.client.height
            session.move(*program.rect_on_screen(ENTER_PICTURE).centre)
            self.cover = wait_for(lambda: self.shot_with_ink(session, LOGO), START_TIMEOUT,
                                  "the logo")
            self.fingerprints = self.fingerprint_frames(session)
            session.click(*program.rect_on_screen(ENTER_PICTURE).centre)
            session.click(*program.rect_on_screen(BATCH_BUTTON).centre)
            self.grid = wait_for(lambda: self.grid_shot(session), START_TIMEOUT,
                                 "the cover to go and the numbers to show")
            session.key("Escape")
            self.exit_code = program.wait_exit(START_TIMEOUT)

    def fingerprint_frames(self, session):
        """The fingerprint's different pictures over two turns of its 1.5 s animation."""
        area = self.program.rect_on_screen(ENTER_PICTURE)
        frames = {}
        until = time.monotonic() + 3.0
        while time.monotonic() < until:
            image = session.client.grab_image(area)
            frames[image.tobytes()] = image
        return list(frames.values())

    def shot_with_ink(self, session, rect):
        shot = session.screenshot()
        return shot if has_ink(self.crop(shot, rect)) else None

    def grid_shot(self, session):
        shot = session.screenshot()
        edge = self.crop(shot, EDGE_OF_CELLS_1_2).convert("L").getpixel((0, 0))
        return shot if edge < WHITE and has_ink(self.crop(shot, CELL_1_MIDDLE)) else None

    def crop(self, shot, rect):
        """A rectangle of 分组框1, in logical pixels, out of a screenshot."""
        return shot.crop(self.program.rect_on_screen(rect).box)

    def outer_size(self):
        left, right, top, bottom = self.frame
        return (self.width + left + right, self.height + top + bottom)


class HighDpi(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.plain = Run(1)
        cls.double = Run(2)

    def test_both_runs_end_on_esc_with_status_0(self):
        self.assertEqual((self.plain.exit_code, self.double.exit_code), (0, 0))

    def test_the_window_is_twice_as_large_in_device_pixels(self):
        # The frame is the window manager's, in device pixels at both scales; it rounds to
        # whole logical pixels, so the window may be one logical pixel off at scale 2.
        for run in (self.plain, self.double):
            for got, logical in zip(run.outer_size(), (OUTER_WIDTH, OUTER_HEIGHT)):
                self.assertLessEqual(abs(got - run.scale * logical), 2,
                                     f"scale {run.scale}: {run.outer_size()}")
        self.assertEqual(self.double.width, 2 * self.plain.width)

    def test_the_grid_keeps_its_places_and_sizes_in_logical_pixels(self):
        def runs(run):
            gray = run.grid.convert("L")
            x0, y0 = run.origin
            s = run.scale
            across = [gray.getpixel((x0 + x, y0 + s * (GRID_IN_CLIENT.top + 12)))
                      for x in range(s * 580)]
            down = [gray.getpixel((x0 + s * (GRID_IN_CLIENT.left + 12), y0 + y))
                    for y in range(s * 619)]
            return white_runs(across, s), white_runs(down, s)

        plain, double = runs(self.plain), runs(self.double)
        self.assertEqual(double, plain)
        across, down = double
        # Three white cell insides each way, inside the 180 px cells from the grid's corner,
        # less the sunken edge.
        for found, first in ((across, GRID_IN_CLIENT.left), (down, GRID_IN_CLIENT.top)):
            self.assertEqual(len(found), 3, found)
            for i, (start, end) in enumerate(found):
                left = first + 180 * i
                self.assertTrue(left < start <= left + 3, (i, start))
                self.assertTrue(left + 180 - 3 <= end <= left + 180, (i, end))

    def assert_drawn_at_device_resolution(self, sharp, plain):
        from PIL import Image
        enlarged = plain.resize(sharp.size, Image.BILINEAR)
        # Not a half-resolution drawing enlarged pixel by pixel ...
        self.assertLess(blocky_fraction(sharp), 0.8)
        # ... nor one enlarged smoothly: it holds detail finer than a logical pixel.
        self.assertGreater(fine_detail(sharp), 1.6 * fine_detail(enlarged))

    def assert_still_picture_sharp(self, shot_name, rect):
        self.assert_drawn_at_device_resolution(
            self.double.crop(getattr(self.double, shot_name), rect),
            self.plain.crop(getattr(self.plain, shot_name), rect))

    def test_text_is_rendered_at_the_device_resolution(self):
        self.assert_still_picture_sharp("cover", PREFACE)
        self.assert_still_picture_sharp("grid", GRID)

    def test_logo_and_fingerprint_are_drawn_from_their_full_resolution_sources(self):
        self.assert_still_picture_sharp("cover", LOGO)
        # The fingerprint animates: it is compared with the picture of the same moment at
        # scale 1, the one closest to it seen at half its size.
        from PIL import Image, ImageChops, ImageStat
        sharp = self.double.crop(self.double.cover, ENTER_PICTURE)
        half = sharp.resize(self.plain.fingerprints[0].size, Image.BOX)
        plain = min(self.plain.fingerprints, key=lambda frame: sum(
            ImageStat.Stat(ImageChops.difference(frame, half)).mean))
        self.assert_drawn_at_device_resolution(sharp, plain)

if __name__ == "__main__":
    harness.main()
