"""Runs the real program on a private X server, drives it through real input and reads the screen.

The one support module of every test that starts an X server (tests/e2e and tests/desktop):
- XSession: Xvfb on a free display (-displayfd), openbox if asked, a session bus of its own and
  the AT-SPI registry on it if asked, and a scale factor for the programs it starts.
- One environment policy (clean_environment): a program sees PATH, HOME, LANG, its display, its
  own runtime folder, the sanitizer settings of the test's own environment and a session bus
  address that is either the session's own bus or one that cannot be reached, so every start
  meets the same bus situation whatever runs on the machine.
- Child: every process started here leads a process group of its own and is stopped with it, at
  the end of its test, when a class's set-up fails (class clean-ups), when the interpreter exits
  and, as a last resort, when the harness itself is killed.
- Input goes through XTEST (xdotool without --window, or XClient) to screen points, so it takes
  the road of a user's mouse and keyboard. The screen is read back with ImageMagick's `import`,
  and digits with tesseract. Every wait polls with a generous bound (wait_for).
- A tool a test needs that is missing or does not start is a skip that says why, and under CI
  (CI=true), where tools/install-deps.sh installs every tool, a failure (missing).
"""

import atexit
import collections
import ctypes
import io
import os
import select
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
OUTER_WIDTH, OUTER_HEIGHT = 582, 640  # the main window, frame included

# Bounds for the slow, shared machine.
START_TIMEOUT = 30.0
EXIT_TIMEOUT = 15.0
SCREEN_TIMEOUT = 10.0

# A session bus address nobody listens on: programs get it unless their session runs a bus.
NO_SESSION_BUS = "unix:path=/nonexistent/fokarium-no-bus"
SANITIZER_VARIABLES = ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS")

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


def under_ci():
    return os.environ.get("CI") == "true"


class MissingTool(Exception):
    """A tool the test needs is missing under CI, where it must be installed."""


def missing(what):
    """Ends the test (or class) for lack of a tool: a skip saying why, under CI a failure."""
    if under_ci():
        raise MissingTool(f"missing under CI=true: {what} (tools/install-deps.sh test installs it)")
    raise unittest.SkipTest(what)


def clean_environment(home, display=None, bus_address=NO_SESSION_BUS, scale=1, extra=None):
    """The environment of everything a test starts: nothing of the caller's desktop leaks in."""
    env = {
        "PATH": "/usr/bin:/bin",
        "HOME": home,
        # A UTF-8 locale as in any desktop session: Xlib encodes WM_NAME by the locale.
        "LANG": "C.UTF-8",
        "DBUS_SESSION_BUS_ADDRESS": bus_address,
    }
    if display:
        env["DISPLAY"] = display
    if scale != 1:
        env["QT_SCALE_FACTOR"] = str(scale)
    # The sanitizer settings (leak suppressions among them) reach every program under test.
    env.update({name: os.environ[name] for name in SANITIZER_VARIABLES if name in os.environ})
    env.update(extra or {})
    return env


_libc = ctypes.CDLL(None, use_errno=True)
_PR_SET_PDEATHSIG = 1


def _end_with_parent():
    # A last resort for a harness killed outright (a test run's timeout): the child gets SIGTERM
    # when the harness dies, as its own process group is out of reach of the killer.
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGTERM)


class Child:
    """A started process, leader of its own process group so that stopping it stops all it began."""

    def __init__(self, args, env, **popen_options):
        self.args = [str(arg) for arg in args]
        self.process = subprocess.Popen(self.args, env=env, start_new_session=True,
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


def display_in_use(number):
    return os.path.exists(f"/tmp/.X11-unix/X{number}") or os.path.exists(f"/tmp/.X{number}-lock")


def unused_display_number(first=500):
    """A display number with neither a socket nor a lock file at the moment."""
    number = first
    while display_in_use(number):
        number += 1
    return number


def accessibility_tool(name):
    """The path of an at-spi2-core helper; Debian's releases put them in different folders."""
    found = shutil.which(name)
    candidates = [found] if found else []
    candidates += [os.path.join(folder, name) for folder in
                   ("/usr/libexec", "/usr/lib/at-spi2-core", "/usr/libexec/at-spi2-core")]
    listing = subprocess.run(["dpkg", "-L", "at-spi2-core"], capture_output=True, text=True)
    candidates += [line for line in listing.stdout.splitlines()
                   if os.path.basename(line) == name]
    for path in candidates:
        if os.path.isfile(path) and os.access(path, os.X_OK):
            return path
    missing(f"{name} (package at-spi2-core)")


def needs_commands(*names):
    for name in names:
        if not shutil.which(name):
            missing(f"{name} is not installed (no such command)")


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

    def scaled(self, factor):
        return Rect(self.left * factor, self.top * factor, self.width * factor,
                    self.height * factor)


# The form's places, in the coordinates of 分组框1 and of the cover that covers it, in logical
# pixels. 分组框1 lies at (1, 0) in the window's client area.
GROUP_BOX_ORIGIN = (1, 0)
COVER = Rect(0, 0, 573, 616)
COUNTDOWN = Rect(512, 16, 40, 40)
PREFACE = Rect(81, 172, 410, 272)
LOGO = Rect(398, 432, 137, 136)  # the picture, 137 x 136 at left 1 in its 139 x 136 box
ENTER_PICTURE = Rect(246, 482, 80, 80)
LOGO_CLEAR_OF_SIGNATURE = Rect(480, 436, 52, 110)  # a part of the logo that nothing else covers
SIGNATURE = Rect(330, 556, 200, 48)  # the text "By: Varnholt", clear of the enter picture
BASE_LABEL_POINT = (150, 500)  # inside 底板, where no other control lies above it
COVER_BLANK_POINT = (40, 300)  # the cover's own background, outside every control
PREFACE_POINT = (286, 300)  # the preface label 透明标签2
AGREEMENT = Rect(16, 561, 208, 42)
AGREEMENT_INDICATOR = Rect(17, 576, 12, 12)  # the tick's square at the box's left end
BATCH_BUTTON = Rect(247, 566, 78, 36)
SIZE_SELECTOR = Rect(456, 568, 82, 29)
SIZE_SELECTOR_TEXT = Rect(459, 571, 50, 23)  # the closed field's text, left of the arrow
SIZE_ITEMS = ("3x3", "4x4", "5x5", "6x6")
GRID_ORIGIN, GRID_EXTENT = 15, 540
GRID = Rect(GRID_ORIGIN, GRID_ORIGIN, GRID_EXTENT, GRID_EXTENT)
HIGHLIGHT = (128, 160, 128)  # the text colour of the centre cell, or of the centre four
CELL_EDGE = 5  # stays clear of a cell's 2 px sunken edge

# The first batch of the 3 x 3 grid: every run draws from the same generator state.
FIRST_3X3 = ["6", "9", "8", "5", "2", "4", "1", "3", "7"]


def cell_rect(size, k):
    """Cell k (counted from 1, row by row) of the size x size grid."""
    step = GRID_EXTENT // size
    row, column = divmod(k - 1, size)
    return Rect(GRID_ORIGIN + column * step, GRID_ORIGIN + row * step, step, step)


class XClient:
    """A connection of the test's own to the X server: XTEST input without a process per event,
    fast reads of the screen, a ping that tells whether a window's program still answers, and
    the top-level windows created since it opened."""

    def __init__(self, display):
        from Xlib import X, error
        from Xlib import display as xdisplay
        from Xlib.ext import xtest
        self._X, self._xtest, self._error = X, xtest, error
        self.display = xdisplay.Display(display)
        self.root = self.display.screen().root
        # Qt answers _NET_WM_PING by sending the message back to the root window for the
        # clients that select StructureNotify there; SubstructureNotify tells of new windows.
        self.root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        self._protocols = self.display.intern_atom("WM_PROTOCOLS")
        self._ping = self.display.intern_atom("_NET_WM_PING")
        self._net_wm_name = self.display.intern_atom("_NET_WM_NAME")
        self._utf8 = self.display.intern_atom("UTF8_STRING")
        self._stamp = 0
        self._pongs = set()
        # New windows without a name yet. Each is looked at again until it has one or is gone: a
        # slow program (a sanitizer build) may name a window long after creating it.
        self._unnamed = set()
        self._named = {}  # window id: its name

    def close(self):
        self.display.close()

    def _take_events(self):
        X = self._X
        while self.display.pending_events():
            got = self.display.next_event()
            if got.type == X.CreateNotify:
                self._unnamed.add(got.window.id)
            elif (got.type == X.ClientMessage and got.client_type == self._protocols
                  and got.data[1][0] == self._ping):
                self._pongs.add(got.data[1][1])

    def answers(self, window, timeout):
        """Whether the program of the window handles a _NET_WM_PING within timeout seconds: its
        event loop has run after everything sent before."""
        from Xlib.protocol import event
        self._stamp += 1
        stamp = self._stamp
        target = self.display.create_resource_object("window", window)
        target.send_event(event.ClientMessage(window=target, client_type=self._protocols,
                                              data=(32, [self._ping, stamp, window, 0, 0])),
                          event_mask=0)
        self.display.flush()
        deadline = time.monotonic() + timeout
        while True:
            self._take_events()
            if stamp in self._pongs:
                self._pongs.discard(stamp)
                return True
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                return False
            select.select([self.display.fileno()], [], [], min(remaining, 0.1))

    def _name(self, window):
        """A window's _NET_WM_NAME; None while it has none, False once the window is gone."""
        try:
            value = self.display.create_resource_object("window", window).get_full_property(
                self._net_wm_name, self._utf8)
        except self._error.XError:
            return False
        return value.value.decode("utf-8", "replace") if value is not None else None

    def new_windows_named(self, name):
        """Ids of the top-level windows created since this connection opened that exist and
        are named name: a few requests, where a walk of the whole tree takes hundreds."""
        self._take_events()
        for window in list(self._unnamed):
            title = self._name(window)
            if title is False:  # gone
                self._unnamed.discard(window)
            elif title:
                self._unnamed.discard(window)
                self._named[window] = title
        found = []
        for window, title in list(self._named.items()):
            if title != name:
                continue
            if self._name(window) is False:
                del self._named[window]
            else:
                found.append(window)
        return found

    def focus(self):
        """The id of the window with the X input focus (or PointerRoot, None: 1, 0)."""
        focus = self.display.get_input_focus().focus
        return getattr(focus, "id", focus)

    def grab(self, rect):
        """The raw pixels of a rectangle of the screen, straight from the server."""
        return self.root.get_image(rect.left, rect.top, rect.width, rect.height,
                                   self._X.ZPixmap, 0xFFFFFFFF).data

    def grab_image(self, rect):
        """A rectangle of the screen as an RGB image, far faster than a screenshot."""
        return Image.frombytes("RGB", (rect.width, rect.height), self.grab(rect), "raw", "BGRX")

    # Input: each call sends its events together and waits until the server has them.
    def move(self, x, y):
        self._xtest.fake_input(self.display, self._X.MotionNotify, x=x, y=y)
        self.display.sync()

    def buttons(self, *steps):
        """Steps of ("press"|"release", button) or ("move", x, y), sent as one burst."""
        X = self._X
        for step in steps:
            if step[0] == "move":
                self._xtest.fake_input(self.display, X.MotionNotify, x=step[1], y=step[2])
            else:
                kind = X.ButtonPress if step[0] == "press" else X.ButtonRelease
                self._xtest.fake_input(self.display, kind, step[1])
        self.display.sync()

    def key(self, *names):
        """Presses and releases each key (X keysym names such as "a", "Tab", "Left") in turn."""
        from Xlib import XK
        X = self._X
        for name in names:
            code = self.display.keysym_to_keycode(XK.string_to_keysym(name))
            if not code:
                raise ValueError(f"no key for {name!r}")
            self._xtest.fake_input(self.display, X.KeyPress, code)
            self._xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()


class XSession:
    """Xvfb on a free display, with openbox, a session bus and the AT-SPI registry as asked; a
    context manager that always tears all of them down."""

    def __init__(self, width=SCREEN_WIDTH, height=SCREEN_HEIGHT, window_manager=True,
                 accessibility=False, scale=1):
        self.width, self.height, self.scale = width, height, scale
        self.display = None
        self.bus_address = NO_SESSION_BUS
        self.home = tempfile.mkdtemp(prefix="fokarium-x-")
        self._children = []
        self._client = None
        _live_sessions.append(self)
        try:
            needs_commands("Xvfb", "xdotool", "xprop", "xwininfo", "import")
            self._start_server()
            if window_manager:
                self._start_window_manager()
            if accessibility:
                self._start_accessibility()
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        if self in _live_sessions:
            _live_sessions.remove(self)
        if self._client:
            self._client.close()
            self._client = None
        for child in reversed(self._children):
            child.stop()
        self._children.clear()
        shutil.rmtree(self.home, ignore_errors=True)

    def log_path(self, name):
        return os.path.join(self.home, name)

    def start(self, command, extra_env=None, log=None, **options):
        """A helper process in this session's environment, stopped with the session."""
        with open(self.log_path(log or f"{os.path.basename(command[0])}.log"), "ab") as out:
            options.setdefault("stdout", out)
            options.setdefault("stderr", out)
            child = Child(command, self.environment(extra_env), stdin=subprocess.DEVNULL,
                          **options)
        self.adopt(child)
        return child

    def adopt(self, child):
        """Stops the child with the session, if it is still running then."""
        self._children.append(child)

    def _ready_line(self, command_for, what):
        """Starts a server that writes one line (a display number, an address) to the descriptor
        it is given once it is ready, and returns that line."""
        read_end, write_end = os.pipe()
        try:
            server = self.start(command_for(write_end), pass_fds=(write_end,))
        finally:
            os.close(write_end)
        with os.fdopen(read_end) as ready:
            if not select.select([ready.fileno()], [], [], START_TIMEOUT)[0]:
                raise RuntimeError(f"{what} did not start within {START_TIMEOUT:.0f} s")
            line = ready.readline().strip()
        if not line or not server.running():
            raise RuntimeError(f"{what} did not start; see the logs in {self.home}")
        return line

    def _start_server(self):
        number = self._ready_line(
            lambda fd: ["Xvfb", "-screen", "0", f"{self.width}x{self.height}x24", "-nolisten",
                        "tcp", "-noreset",  # no reset when the first client leaves
                        "-displayfd", str(fd)], "Xvfb")
        self.display = f":{number}"

    def _start_window_manager(self):
        needs_commands("openbox")
        manager = self.start(["openbox", "--sm-disable"])
        wait_for(lambda: not manager.running()
                 or "window id" in self.tool("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
                 START_TIMEOUT, "openbox to manage the screen", interval=0.1)
        if not manager.running():
            with open(self.log_path("openbox.log"), errors="replace") as log:
                raise RuntimeError(f"openbox ended at start: {log.read().strip()}")

    def _start_accessibility(self):
        """A session bus of this session's own, the accessibility bus and its registry on it."""
        needs_commands("dbus-daemon", "dbus-send")
        launcher = accessibility_tool("at-spi-bus-launcher")
        registry = accessibility_tool("at-spi2-registryd")
        self.bus_address = self._ready_line(
            lambda fd: ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                        f"--print-address={fd}"], "the session bus")
        # One after the other: a program that starts before the registry listens is never
        # listed, and a registry started before the launcher owns its name would have the
        # session bus start a second launcher.
        self.start([launcher, "--launch-immediately"])
        wait_for(lambda: self.bus_has_owner("org.a11y.Bus"), START_TIMEOUT,
                 "the accessibility bus")
        address = wait_for(self.accessibility_bus, START_TIMEOUT,
                           "the accessibility bus's address")
        self.start([registry])
        wait_for(lambda: self.bus_has_owner("org.a11y.atspi.Registry", f"--bus={address}"),
                 START_TIMEOUT, "the accessibility registry")

    def bus_has_owner(self, name, bus="--session"):
        out = self.tool("dbus-send", bus, "--print-reply", "--dest=org.freedesktop.DBus",
                        "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                        f"string:{name}")
        return "boolean true" in out

    def accessibility_bus(self):
        return self.tool("dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
                         "/org/a11y/bus", "org.a11y.Bus.GetAddress").strip()

    def environment(self, extra=None):
        """What a desktop session gives a program: no Qt platform choice, no Wayland display."""
        return clean_environment(self.home, self.display, self.bus_address, self.scale, extra)

    @property
    def client(self):
        """This test's own X connection (XClient), opened on first use."""
        if self._client is None:
            self._client = XClient(self.display)
        return self._client

    # X tools ------------------------------------------------------------------------------------

    def tool(self, *args, check=False):
        result = subprocess.run([str(arg) for arg in args], env=self.environment(),
                                capture_output=True, timeout=60, check=check)
        return result.stdout.decode("utf-8", "replace")

    def tool_succeeds(self, *args):
        return subprocess.run([str(arg) for arg in args], env=self.environment(),
                              capture_output=True, timeout=60).returncode == 0

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

    def start_program(self, binary, extra_env=None, **options):
        return Program(self, binary, extra_env, **options)


class Program:
    """The program under test, started with the clean environment in an XSession."""

    def __init__(self, session, binary, extra_env=None, **options):
        self.session = session
        self.scale = session.scale
        self.runtime_dir = tempfile.mkdtemp(prefix="runtime-", dir=session.home)
        os.chmod(self.runtime_dir, 0o700)
        env = session.environment(dict(extra_env or {}, XDG_RUNTIME_DIR=self.runtime_dir))
        self.stderr_path = os.path.join(self.runtime_dir, "stderr.txt")
        with open(self.stderr_path, "wb") as stderr:
            self.started = time.monotonic()
            self.child = Child([binary], env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=stderr, **options)
        session.adopt(self.child)
        self.window = None
        self.client = None

    @property
    def pid(self):
        return self.child.pid

    def wait_window(self):
        """Waits until the main window is mapped, framed and settled; fills window and client."""
        self.window = self.session.wait_window(WINDOW_NAME)
        self.session.frame_extents(self.window)
        self.client = wait_for(self._settled_client, START_TIMEOUT,
                               "the window to settle in its frame")
        return self.window

    def _settled_client(self):
        # The program fits itself to the frame once it learns the frame's size, and the window
        # manager then moves it: the place holds once the program has run its event loop (two
        # pings answered) and the window manager has had time to act on what it asked.
        before = self.session.client_rect(self.window)
        for _ in range(2):
            if not self.answers():
                return None
        time.sleep(0.25)
        return before if self.session.client_rect(self.window) == before else None

    def answers(self, timeout=SCREEN_TIMEOUT):
        """Whether the program's event loop answers a ping of its window within timeout."""
        return self.session.client.answers(self.window, timeout)

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
        """A rectangle of 分组框1 (which is also the cover's) in screen coordinates, in device
        pixels."""
        return rect.moved(*GROUP_BOX_ORIGIN).scaled(self.scale).moved(self.client.left,
                                                                      self.client.top)

    def click_on(self, rect):
        """A real click in the middle of a control of 分组框1 or of the cover."""
        self.session.click(*self.rect_on_screen(rect).centre)

    def capture(self, rect, screen=None):
        """A rectangle of 分组框1 out of a screenshot (a new one unless given)."""
        screen = screen if screen is not None else self.session.screenshot()
        return screen.crop(self.rect_on_screen(rect).box)


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
    """Clicks "换一批" and waits for the new batch: every cell shows a number, the grid differs from
    what it showed before the click, and two screenshots in a row agree on it. (Two batches in a
    row that are equal have odds below 1 in 9!; a run's first batches are known and differ.)"""
    before = program.capture(GRID).tobytes()
    program.click_on(BATCH_BUTTON)
    last = [None]

    def new_batch_settled():
        screen = program.session.screenshot()
        pixels = program.capture(GRID, screen).tobytes()
        settled, last[0] = pixels == last[0], pixels
        return settled and pixels != before and all(cells_inked(program, size, screen))

    wait_for(new_batch_settled, SCREEN_TIMEOUT, "a new batch on screen")


class ProgramTestCase(unittest.TestCase):
    """One X session per test class; self.start() runs the program for one test. The session's
    clean-up is registered as a class clean-up, so it runs also when setUpClass fails."""

    binary = None
    session_options = {}

    @classmethod
    def setUpClass(cls):
        cls.session = XSession(**cls.session_options)
        cls.addClassCleanup(cls.session.close)

    def start(self, extra_env=None):
        """Starts the program and waits for its painted cover; the program is stopped after."""
        program = self.session.start_program(self.binary, extra_env)
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
            self.assertEqual(program.wait_exit(), status, program.stderr())
        except TimeoutError as error:
            self.fail(str(error))


SKIPPED = 77  # what CTest reads as a skipped test (SKIP_RETURN_CODE)


def main():
    """Runs the calling script's tests. The program under test is the first argument when that
    names a file, else $FOKARIUM_PROGRAM; other arguments go to unittest.

    Exits with 77 (skipped) when every test was skipped for something this machine lacks; under
    CI a skip fails the run instead, with a line saying what was skipped and why."""
    if len(sys.argv) > 1 and os.path.isfile(sys.argv[1]):
        ProgramTestCase.binary = os.path.abspath(sys.argv.pop(1))
    else:
        ProgramTestCase.binary = os.environ.get("FOKARIUM_PROGRAM")
    result = unittest.main(module="__main__", verbosity=2, exit=False).result
    if not result.wasSuccessful():
        sys.exit(1)
    if result.skipped and under_ci():
        for test, reason in result.skipped:
            print(f"FAIL: skipped under CI=true: {test}: {reason}", file=sys.stderr)
        sys.exit(1)
    if result.testsRun and len(result.skipped) == result.testsRun:
        sys.exit(SKIPPED)
    sys.exit(0)
