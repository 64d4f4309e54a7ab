"""Drives the real program on a private X server through real input and reads the screen back.

An XSession owns one Xvfb server on a free display with openbox managing it. Programs started in
it get a clean environment. Input goes through XTEST (xdotool without --window) to absolute screen
points, so it takes the road of a user's mouse and keyboard. The screen is read back with
ImageMagick's `import`, and digits with tesseract. Every wait polls with a generous bound, and
everything started here is stopped at the end, also when a test fails or the interpreter exits.
"""

import atexit
import collections
import ctypes
import io
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from concurrent.futures import ThreadPoolExecutor
from dataclasses import dataclass

from PIL import Image

SCREEN_WIDTH, SCREEN_HEIGHT = 1280, 1024
CAPTION = "Fokarium - 注意力训练 v1.0"
WINDOW_NAME = "注意力训练"
QUESTION_NAME = "友情提醒："

# Bounds for the slow, shared machine.
START_TIMEOUT = 30.0
EXIT_TIMEOUT = 15.0
SCREEN_TIMEOUT = 10.0

_live_children = []
_live_sessions = []


def wait_for(condition, timeout, what, interval=0.05):
    """Polls condition() until it gives a true value, which is returned; raises after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"gave up after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _end_with_parent():
    # A last resort for a harness killed outright (a test run's timeout): the child gets SIGTERM
    # when the harness dies, as its own process group is out of reach of the killer.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


class Child:
    """A started process, leader of its own process group so that stopping it stops all it began."""

    def __init__(self, args, env, **popen_options):
        self.args = args
        self.process = subprocess.Popen(args, env=env, start_new_session=True,
                                        preexec_fn=_end_with_parent, **popen_options)
        _live_children.append(self)

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        """The exit status (0..255, or -signal); TimeoutError while it still runs."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimeoutError(f"{self.args[0]} still runs after {timeout:.1f} s") from None

    def stop(self):
        if self in _live_children:
            _live_children.remove(self)
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.process.pid, sig)
            except ProcessLookupError:
                pass  # the whole group has ended already
            try:
                self.process.wait(5.0)
                return
            except subprocess.TimeoutExpired:
                continue


@atexit.register
def _stop_leftovers():
    for session in list(_live_sessions):
        session.close()
    for child in reversed(list(_live_children)):
        child.stop()


def _exit_on_terminate(signum, frame):
    # unittest records any other exception as a test's error and goes on; this one ends the run,
    # and the atexit hook stops what is left.
    raise KeyboardInterrupt(f"signal {signum}")


signal.signal(signal.SIGTERM, _exit_on_terminate)


def _lock_file(number):
    return f"/tmp/.X{number}-lock"


def display_in_use(number):
    return os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(_lock_file(number))


def unused_display_number(first=90):
    """A display number with neither a socket nor a lock file at the moment."""
    number = first
    while display_in_use(number):
        number += 1
    return number


def _lock_owner(number):
    try:
        with open(_lock_file(number)) as lock:
            return int(lock.read().strip() or 0)
    except (OSError, ValueError):
        return None


@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    width: int
    height: int

    @property
    def box(self):
        """The PIL crop box."""
        return (self.left, self.top, self.left + self.width, self.top + self.height)

    @property
    def centre(self):
        return (self.left + self.width // 2, self.top + self.height // 2)

    def moved(self, dx, dy):
        return Rect(self.left + dx, self.top + dy, self.width, self.height)

    def inset(self, margin):
        return Rect(self.left + margin, self.top + margin, self.width - 2 * margin,
                    self.height - 2 * margin)


class XSession:
    """Xvfb and openbox on a free display; a context manager that always tears both down."""

    def __init__(self):
        self.display = None
        self.home = tempfile.mkdtemp(prefix="fokarium-e2e-")
        self._server = None
        self._window_manager = None
        _live_sessions.append(self)

    def __enter__(self):
        try:
            self._start_server()
            self._start_window_manager()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self in _live_sessions:
            _live_sessions.remove(self)
        for child in (self._window_manager, self._server):
            if child:
                child.stop()
        self._window_manager = self._server = None
        shutil.rmtree(self.home, ignore_errors=True)

    def _log(self, name):
        return open(os.path.join(self.home, name), "wb")

    def _start_server(self):
        # Someone else may take the probed number first; then this server ends at once (the lock
        # file names the other server's pid) and the next free number is tried.
        number = unused_display_number()
        for _ in range(20):
            with self._log(f"xvfb-{number}.log") as log:
                server = Child(["Xvfb", f":{number}", "-screen", "0",
                                f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24", "-nolisten", "tcp",
                                "-noreset"],  # no reset when the first client leaves
                               {"PATH": os.environ.get("PATH", "/usr/bin:/bin")},
                               stdout=log, stderr=log)
            self.display = f":{number}"
            wait_for(lambda: not server.running() or (_lock_owner(number) == server.pid
                                                      and self.tool_succeeds("xdpyinfo")),
                     START_TIMEOUT, f"Xvfb on {self.display}", interval=0.1)
            if server.running():
                self._server = server
                return
            server.stop()
            number = unused_display_number(number + 1)
        raise RuntimeError("found no free X display")

    def _start_window_manager(self):
        with self._log("openbox.log") as log:
            self._window_manager = Child(["openbox"], self.environment(), stdout=log,
                                         stderr=log)
        wait_for(lambda: not self._window_manager.running()
                 or "window id" in self.tool("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
                 START_TIMEOUT, "openbox to manage the screen", interval=0.1)
        if not self._window_manager.running():
            with open(os.path.join(self.home, "openbox.log"), errors="replace") as log:
                raise RuntimeError(f"openbox ended at start: {log.read().strip()}")

    def environment(self):
        """What a desktop session gives a program: no Qt platform choice, no Wayland display."""
        return {
            "PATH": "/usr/bin:/bin",
            "HOME": self.home,
            "DISPLAY": self.display,
            # A UTF-8 locale as in any desktop session: Xlib encodes WM_NAME by the locale.
            "LANG": "C.UTF-8",
        }

    # X tools ------------------------------------------------------------------------------------

    def tool(self, *args, check=False):
        result = subprocess.run([str(arg) for arg in args], env=self.environment(),
                                capture_output=True, timeout=60, check=check)
        return result.stdout.decode("utf-8", "replace")

    def tool_succeeds(self, *args):
        return subprocess.run(args, env=self.environment(), capture_output=True,
                              timeout=60).returncode == 0

    def find_windows(self, name=None, classname=None):
        """Ids of the mapped windows whose WM_NAME (or WM_CLASS name) contains the text."""
        query = ["--name", name] if name is not None else ["--classname", classname]
        return [int(word) for word in self.tool("xdotool", "search", "--onlyvisible",
                                                *query).split()]

    def wait_window(self, name, timeout=START_TIMEOUT):
        return wait_for(lambda: self.find_windows(name), timeout, f"a window named {name!r}")[0]

    def property(self, window, name):
        """The value part of `xprop -id window name`, or None while it is not set."""
        line = self.tool("xprop", "-id", window, name).strip()
        return line.split("=", 1)[1].strip() if "=" in line else None

    def client_rect(self, window):
        """The window's client area in screen coordinates."""
        info = {}
        for line in self.tool("xwininfo", "-id", window, check=True).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        return Rect(int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
                    int(info["Width"]), int(info["Height"]))

    def frame_extents(self, window):
        """(left, right, top, bottom) of the frame, once the window manager has framed it."""
        value = wait_for(lambda: self.property(window, "_NET_FRAME_EXTENTS"), START_TIMEOUT,
                         "the window manager's frame")
        return tuple(int(part) for part in value.split(","))

    def frame_rect(self, window):
        """The outer rectangle of the window, frame and title bar included."""
        left, right, top, bottom = self.frame_extents(window)
        client = self.client_rect(window)
        return Rect(client.left - left, client.top - top, client.width + left + right,
                    client.height + top + bottom)

    def close_button_point(self, window):
        """The middle of openbox's close button: the right end of the title bar."""
        left, right, top, bottom = self.frame_extents(window)
        frame = self.frame_rect(window)
        # The default theme draws a 13 px button 3 px in from the right border.
        return (frame.left + frame.width - right - 3 - 13 // 2, frame.top + top // 2)

    # Input, through XTEST -----------------------------------------------------------------------

    def move(self, x, y):
        self.tool("xdotool", "mousemove", x, y, check=True)

    def click(self, x, y):
        self.tool("xdotool", "mousemove", x, y, "click", 1, check=True)

    def press(self, x, y):
        """Moves there and presses the left button, without releasing it."""
        self.tool("xdotool", "mousemove", x, y, "mousedown", 1, check=True)

    def release(self):
        self.tool("xdotool", "mouseup", 1, check=True)

    def key(self, *names):
        self.tool("xdotool", "key", *names, check=True)

    # Screen -------------------------------------------------------------------------------------

    def screenshot(self, rect=None):
        """The screen, or a rectangle of it, as an RGB image."""
        data = subprocess.run(["import", "-window", "root", "png:-"], env=self.environment(),
                              capture_output=True, timeout=60, check=True).stdout
        image = Image.open(io.BytesIO(data)).convert("RGB")
        return image.crop(rect.box) if rect else image

    def start_program(self, binary):
        return Program(self, binary)


class Program:
    """The program under test, started with a clean environment in an XSession."""

    def __init__(self, session, binary):
        self.session = session
        self.runtime_dir = tempfile.mkdtemp(prefix="runtime-", dir=session.home)
        os.chmod(self.runtime_dir, 0o700)
        env = session.environment()
        env["XDG_RUNTIME_DIR"] = self.runtime_dir
        self.stderr_path = os.path.join(self.runtime_dir, "stderr.txt")
        with open(self.stderr_path, "wb") as stderr:
            self.started = time.monotonic()
            self.child = Child([binary], env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=stderr)
        self.window = None
        self.client = None

    def wait_window(self):
        """Waits until the main window is mapped and framed; fills window and client."""
        self.window = self.session.wait_window(WINDOW_NAME)
        self.session.frame_extents(self.window)
        self.client = self.session.client_rect(self.window)
        return self.window

    def running(self):
        return self.child.running()

    def stop(self):
        self.child.stop()

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        return self.child.wait_exit(timeout)

    def stderr(self):
        with open(self.stderr_path, encoding="utf-8", errors="replace") as stream:
            return stream.read()

    def rect_on_screen(self, rect):
        """A rectangle of 分组框1 (which is also the cover's) in screen coordinates."""
        return rect.moved(self.client.left + GROUP_BOX_ORIGIN[0],
                          self.client.top + GROUP_BOX_ORIGIN[1])

    def click_on(self, rect):
        """A real click in the middle of a control of 分组框1 or of the cover."""
        self.session.click(*self.rect_on_screen(rect).centre)

    def capture(self, rect, screen=None):
        """A rectangle of 分组框1 out of a screenshot (a new one unless given)."""
        screen = screen if screen is not None else self.session.screenshot()
        return screen.crop(self.rect_on_screen(rect).box)


# Places, in the coordinates of 分组框1 and of the cover that covers it. 分组框1 lies at (1, 0) in
# the window's client area.
GROUP_BOX_ORIGIN = (1, 0)
COVER = Rect(0, 0, 573, 616)
COUNTDOWN = Rect(512, 16, 40, 40)
ENTER_PICTURE = Rect(246, 482, 80, 80)
AGREEMENT = Rect(16, 561, 208, 42)
AGREEMENT_INDICATOR = Rect(17, 576, 12, 12)  # the tick's square at the box's left end
BATCH_BUTTON = Rect(247, 566, 78, 36)
SIZE_SELECTOR = Rect(456, 568, 82, 29)
SIZE_SELECTOR_TEXT = Rect(459, 571, 50, 23)  # the closed field's text, left of the arrow
SIZE_ITEMS = ("3x3", "4x4", "5x5", "6x6")
GRID_ORIGIN, GRID_EXTENT = 15, 540
HIGHLIGHT = (128, 160, 128)  # the text colour of the centre cell, or of the centre four
CELL_EDGE = 5  # stays clear of a cell's 2 px sunken edge


def cell_rect(size, k):
    """Cell k (counted from 1, row by row) of the size x size grid."""
    step = GRID_EXTENT // size
    row, column = divmod(k - 1, size)
    return Rect(GRID_ORIGIN + column * step, GRID_ORIGIN + row * step, step, step)


# Pixels -------------------------------------------------------------------------------------------


def luminance(pixel):
    red, green, blue = pixel
    return (299 * red + 587 * green + 114 * blue) // 1000


def count_pixels(image, predicate):
    return sum(1 for pixel in image.getdata() if predicate(pixel))


def is_red(pixel):
    red, green, blue = pixel
    return red >= 200 and green <= 90 and blue <= 90


def is_white(pixel):
    return pixel == (255, 255, 255)


def is_ink(pixel):
    """Text pixels of a cell; the highlight colour (128, 160, 128) of the centre counts too."""
    return luminance(pixel) < 200


def is_dark(pixel):
    return luminance(pixel) < 100


def has_ink(image, keep=is_ink, at_least=20):
    return count_pixels(image, keep) >= at_least


# Reading text with tesseract ----------------------------------------------------------------------

DIGITS = "0123456789"
# tesseract's line mode misses some serif digits at one scale that it reads at another, so each
# crop is read at two glyph heights, and at a third when those two disagree.
GLYPH_HEIGHTS = (20, 16, 24)


def _tesseract_line(page, whitelist):
    png = io.BytesIO()
    page.save(png, format="PNG")
    result = subprocess.run(["tesseract", "stdin", "stdout", "--psm", "7", "-c",
                             f"tessedit_char_whitelist={whitelist}"],
                            input=png.getvalue(), capture_output=True, timeout=60, check=True)
    return result.stdout.decode().strip()


def _page(glyphs, height):
    """The ink scaled to the glyph height, on white with a margin."""
    scaled = glyphs.resize((max(1, round(glyphs.width * height / glyphs.height)), height),
                           Image.LANCZOS)
    margin = 16
    page = Image.new("L", (scaled.width + 2 * margin, scaled.height + 2 * margin), 255)
    page.paste(scaled, (margin, margin))
    return page


def read_text(image, keep=is_ink, whitelist=DIGITS):
    """One line of text in a crop; "" when the crop holds no ink.

    The crop is thresholded by keep (ink black, the rest white) and cut to its ink, then read.
    """
    mask = Image.new("L", image.size, 255)
    mask.putdata([0 if keep(pixel) else 255 for pixel in image.getdata()])
    ink = Image.eval(mask, lambda value: 255 - value).getbbox()
    if ink is None:
        return ""
    glyphs = mask.crop(ink)
    reads = [_tesseract_line(_page(glyphs, height), whitelist) for height in GLYPH_HEIGHTS[:2]]
    if reads[0] != reads[1]:
        reads.append(_tesseract_line(_page(glyphs, GLYPH_HEIGHTS[2]), whitelist))
    text, votes = collections.Counter(reads).most_common(1)[0]
    return text if votes >= 2 else reads[0]


def read_grid(program, size, screen=None):
    """The texts of the cells of the size x size grid, row by row, from one screenshot."""
    screen = screen if screen is not None else program.session.screenshot()
    crops = [program.capture(cell_rect(size, k).inset(CELL_EDGE), screen)
             for k in range(1, size * size + 1)]
    with ThreadPoolExecutor(max_workers=2) as pool:
        return list(pool.map(read_text, crops))


def cells_inked(program, size, screen=None):
    """For each cell of the grid: whether it shows any text."""
    screen = screen if screen is not None else program.session.screenshot()
    return [has_ink(program.capture(cell_rect(size, k).inset(CELL_EDGE), screen))
            for k in range(1, size * size + 1)]


def text_colours(program, size, screen=None):
    """For each cell of the grid: the colour of most of its text pixels, None when empty."""
    screen = screen if screen is not None else program.session.screenshot()
    colours = []
    for k in range(1, size * size + 1):
        ink = [pixel for pixel in program.capture(cell_rect(size, k).inset(CELL_EDGE),
                                               screen).getdata() if is_ink(pixel)]
        colours.append(collections.Counter(ink).most_common(1)[0][0] if ink else None)
    return colours


def countdown_value(program, screen=None):
    """The number that the red countdown shows, or None when there is none."""
    text = read_text(program.capture(COUNTDOWN, screen), keep=is_red)
    return int(text) if text else None


def cover_shown(program, screen=None):
    """Whether the cover is up: its red countdown is on screen."""
    return has_ink(program.capture(COUNTDOWN, screen), keep=is_red)


def agreement_ticked(program, screen=None):
    return has_ink(program.capture(AGREEMENT_INDICATOR, screen), keep=is_dark, at_least=8)


def size_shown(program, screen=None):
    """The text of the closed size selector, such as "3x3"."""
    crop = program.capture(SIZE_SELECTOR_TEXT, screen)
    return read_text(crop, keep=lambda pixel: luminance(pixel) < 160, whitelist=DIGITS + "x")


def button_centres(image):
    """Centres of the push buttons along the bottom of a dialog's client image, left to right.

    The buttons' frames make the lowest band of rows that differ from the dialog's ground; the
    band's top row is made of the frames' top edges, one run of drawn pixels per button.
    """
    width, height = image.size
    pixels = image.load()

    def drawn(x, y):
        return is_ink(pixels[x, y])

    rows = [y for y in range(height) if any(drawn(x, y) for x in range(width))]
    if not rows:
        return []
    bottom = top = rows[-1]
    while top - 1 in rows:
        top -= 1
    runs = []
    for x in (x for x in range(width) if drawn(x, top)):
        if runs and x - runs[-1][1] <= 2:
            runs[-1][1] = x
        else:
            runs.append([x, x])
    return [((first + last) // 2, (top + bottom) // 2) for first, last in runs
            if last - first >= 20]


# Actions of a user ------------------------------------------------------------------------------


def enter(program):
    """Clicks the enter picture and waits until the cover has gone."""
    program.click_on(ENTER_PICTURE)
    wait_for(lambda: not cover_shown(program), SCREEN_TIMEOUT, "the cover to go")


def choose_size(program, item):
    """Opens the size selector with a click and clicks the item ("3x3" ... "6x6") in its list."""
    session = program.session
    before = set(session.find_windows(classname="fokarium"))
    program.click_on(SIZE_SELECTOR)
    popup = wait_for(lambda: set(session.find_windows(classname="fokarium")) - before,
                     SCREEN_TIMEOUT, "the size list to open").pop()
    wait_for(lambda: session.client_rect(popup).height > 2 * SIZE_SELECTOR.height,
             SCREEN_TIMEOUT, "the size list's full height")
    # Qt drops a release on the list within the double-click interval (400 ms) of its opening
    # unless the pointer has moved 10 px, as from a press held to drag onto an item.
    time.sleep(0.5)
    rect = session.client_rect(popup)
    row_height = rect.height / len(SIZE_ITEMS)  # the items share the list's height
    index = SIZE_ITEMS.index(item)
    session.click(rect.left + rect.width // 2, int(rect.top + row_height * (index + 0.5)))
    wait_for(lambda: popup not in session.find_windows(classname="fokarium"), SCREEN_TIMEOUT,
             "the size list to close")


def press_batch_button(program, size):
    """Clicks "换一批" and waits until every cell of the grid shows a number."""
    program.click_on(BATCH_BUTTON)
    wait_for(lambda: all(cells_inked(program, size)), SCREEN_TIMEOUT, "a new batch on screen")


class ProgramTestCase(unittest.TestCase):
    """One X session per test class; self.start() runs the program for one test."""

    binary = None

    @classmethod
    def setUpClass(cls):
        cls.session = XSession().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.close()

    def start(self):
        """Starts the program and waits for its painted cover; the program is stopped after."""
        program = self.session.start_program(self.binary)
        self.addCleanup(program.stop)
        try:
            program.wait_window()
            wait_for(lambda: cover_shown(program), START_TIMEOUT, "the cover to be painted")
        except TimeoutError as error:
            self.fail(f"{error}; the program's stderr: {program.stderr()!r}")
        return program

    def wait(self, condition, timeout, what):
        """wait_for, failing the test (not erroring) when the bound passes."""
        try:
            return wait_for(condition, timeout, what)
        except TimeoutError as error:
            self.fail(str(error))

    def assertExitsWith(self, program, status):
        try:
            self.assertEqual(program.wait_exit(), status)
        except TimeoutError as error:
            self.fail(str(error))


def main():
    """Runs the calling script's tests; the first argument is the path of the program."""
    if len(sys.argv) < 2 or not os.access(sys.argv[1], os.X_OK):
        sys.exit(f"usage: {sys.argv[0]} PATH-TO-FOKARIUM [unittest options]")
    ProgramTestCase.binary = os.path.abspath(sys.argv.pop(1))
    unittest.main(module="__main__", verbosity=2)
