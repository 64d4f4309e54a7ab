"""The program at a scale factor of 2 (QT_SCALE_FACTOR=2) against the same program at 1, under
Xvfb and openbox: the window is twice as large in device pixels, the form's places and sizes hold
in logical pixels, and text, logo and fingerprint are drawn at the device resolution."""

import os
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop_session as ds  # noqa: E402

OUTER_SIZE = (582, 640)  # the window, frame included, in logical pixels
GRID_BOX = (1, 0)  # 分组框1 in the client area; the cover 分组框2 lies at its corner
# Rectangles (left, top, width, height) in the client area, logical pixels.
PREFACE = (1 + 81, 172, 410, 272)
LOGO = (1 + 397 + 1, 432, 137, 136)  # 137 x 136 at left 1 in its 139 x 136 box
ENTER = (1 + 246, 482, 80, 80)
GRID = (1 + 15, 15, 540, 540)
ENTER_MIDDLE = (1 + 246 + 40, 482 + 40)
BUTTON_MIDDLE = (1 + 247 + 39, 566 + 18)
CELL_1_MIDDLE = (1 + 15 + 50, 15 + 30, 80, 120)  # where cell 1's number is; blank on the cover
EDGE_OF_CELLS_1_2 = (1 + 195, 15 + 12, 1, 1)  # a sunken edge; white on the cover
WHITE = 250


def device_box(origin, scale, rect):
    left, top, width, height = rect
    return (origin[0] + scale * left, origin[1] + scale * top,
            origin[0] + scale * (left + width), origin[1] + scale * (top + height))


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

    def __init__(self, scale, folder):
        self.scale = scale
        with ds.XSession(1600, 1400) as session:
            process = session.start([ds.PROGRAM], {"QT_SCALE_FACTOR": str(scale)})
            window = ds.wait_for(session.program_window, what="the window")
            # Settled once the window manager's frame is known and the client fits it.
            self.frame = ds.wait_for(lambda: self.frame_extents(session, window),
                                     what="the frame")
            x, y, self.width, self.height = ds.wait_for(
                lambda: self.steady_geometry(session, window), what="the window to settle")
            self.origin = (x, y)
            session.run(["xdotool", "mousemove", *self.at(ENTER_MIDDLE)])
            self.cover = ds.wait_for(
                lambda: self.shot_with_ink(session, folder, LOGO), what="the logo")
            session.run(["xdotool", "click", "1"])
            session.run(["xdotool", "mousemove", *self.at(BUTTON_MIDDLE), "click", "1"])
            self.grid = ds.wait_for(lambda: self.grid_shot(session, folder),
                                    what="the cover to go and the numbers to show")
            session.run(["xdotool", "key", "Escape"])
            self.exit_code = process.wait(ds.WAIT_SECONDS)

    def at(self, point):
        return [str(self.origin[0] + self.scale * point[0]),
                str(self.origin[1] + self.scale * point[1])]

    @staticmethod
    def frame_extents(session, window):
        text = session.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"])
        if "=" not in text:
            return None
        return tuple(int(v) for v in text.split("=")[1].split(","))

    @staticmethod
    def steady_geometry(session, window):
        first = session.client_geometry(window)
        time.sleep(0.3)
        return first if session.client_geometry(window) == first else None

    def shot_with_ink(self, session, folder, rect):
        shot = session.screenshot(folder)
        return shot if has_ink(shot.crop(device_box(self.origin, self.scale, rect))) else None

    def grid_shot(self, session, folder):
        shot = session.screenshot(folder)
        edge = self.crop(shot, EDGE_OF_CELLS_1_2).convert("L").getpixel((0, 0))
        return shot if edge < WHITE and has_ink(self.crop(shot, CELL_1_MIDDLE)) else None

    def crop(self, shot, rect):
        return shot.crop(device_box(self.origin, self.scale, rect))

    def outer_size(self):
        left, right, top, bottom = self.frame
        return (self.width + left + right, self.height + top + bottom)


class HighDpi(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        folder = tempfile.TemporaryDirectory(prefix="fokarium-hidpi-")
        cls.addClassCleanup(folder.cleanup)
        cls.plain = Run(1, folder.name)
        cls.double = Run(2, folder.name)

    def test_both_runs_end_on_esc_with_status_0(self):
        self.assertEqual((self.plain.exit_code, self.double.exit_code), (0, 0))

    def test_the_window_is_twice_as_large_in_device_pixels(self):
        # The frame is the window manager's, in device pixels at both scales; it rounds to
        # whole logical pixels, so the window may be one logical pixel off at scale 2.
        for run in (self.plain, self.double):
            for got, logical in zip(run.outer_size(), OUTER_SIZE):
                self.assertLessEqual(abs(got - run.scale * logical), 2,
                                     f"scale {run.scale}: {run.outer_size()}")
        self.assertEqual(self.double.width, 2 * self.plain.width)

    def test_the_grid_keeps_its_places_and_sizes_in_logical_pixels(self):
        def runs(run):
            gray = run.grid.convert("L")
            x0, y0 = run.origin
            s = run.scale
            across = [gray.getpixel((x0 + x, y0 + s * (GRID[1] + 12)))
                      for x in range(s * 580)]
            down = [gray.getpixel((x0 + s * (GRID[0] + 12), y0 + y)) for y in range(s * 619)]
            return white_runs(across, s), white_runs(down, s)

        plain, double = runs(self.plain), runs(self.double)
        self.assertEqual(double, plain)
        across, down = double
        # Three white cell insides each way, inside the 180 px cells from the grid's corner,
        # less the sunken edge.
        for found, first in ((across, GRID[0]), (down, GRID[1])):
            self.assertEqual(len(found), 3, found)
            for i, (start, end) in enumerate(found):
                left = first + 180 * i
                self.assertTrue(left < start <= left + 3, (i, start))
                self.assertTrue(left + 180 - 3 <= end <= left + 180, (i, end))

    def assert_drawn_at_device_resolution(self, shot_name, rect):
        sharp = self.double.crop(getattr(self.double, shot_name), rect)
        plain = self.plain.crop(getattr(self.plain, shot_name), rect)
        from PIL import Image
        enlarged = plain.resize(sharp.size, Image.BILINEAR)
        # Not a half-resolution drawing enlarged pixel by pixel ...
        self.assertLess(blocky_fraction(sharp), 0.8)
        # ... nor one enlarged smoothly: it holds detail finer than a logical pixel.
        self.assertGreater(fine_detail(sharp), 1.6 * fine_detail(enlarged))

    def test_text_is_rendered_at_the_device_resolution(self):
        self.assert_drawn_at_device_resolution("cover", PREFACE)
        self.assert_drawn_at_device_resolution("grid", GRID)

    def test_logo_and_fingerprint_are_drawn_from_their_full_resolution_sources(self):
        self.assert_drawn_at_device_resolution("cover", LOGO)
        self.assert_drawn_at_device_resolution("cover", ENTER)


if __name__ == "__main__":
    ds.main()
