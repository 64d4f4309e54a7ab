"""The installed tree (cmake --install into a scratch DESTDIR), its desktop entry and metadata as
Debian's validators see them, and the .deb from cpack, extracted and run with nothing else of the
build tree."""

import configparser
import os
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402

BUILD_DIR = os.environ.get("FOKARIUM_BUILD_DIR", "")
APP_ID = os.environ.get("FOKARIUM_APP_ID", "io.github.fokarium.Fokarium")
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128)

DESKTOP_ENTRY = f"usr/share/applications/{APP_ID}.desktop"
METAINFO = f"usr/share/metainfo/{APP_ID}.metainfo.xml"
EXPECTED_FILES = {"usr/bin/fokarium", DESKTOP_ENTRY, METAINFO} | {
    f"usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES}


def files_under(root):
    return {os.path.relpath(os.path.join(folder, name), root)
            for folder, _, names in os.walk(root) for name in names}


def read_desktop_entry(path):
    entry = configparser.ConfigParser(interpolation=None, strict=True)
    entry.optionxform = str  # keys are case-sensitive
    entry.read(path, encoding="utf-8")
    return entry["Desktop Entry"]


def run(command, timeout=300, **options):
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout, **options)


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="fokarium-install-")
        cls.root = cls.scratch.name
        result = run(["cmake", "--install", BUILD_DIR, "--prefix", "/usr"],
                     env=dict(os.environ, DESTDIR=cls.root))
        if result.returncode != 0:
            cls.scratch.cleanup()
            raise AssertionError("cmake --install failed:\n" + result.stdout + result.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def path(self, relative):
        return os.path.join(self.root, relative)

    def test_files_lie_where_desktops_look_for_them(self):
        self.assertEqual(files_under(self.root), EXPECTED_FILES)
        self.assertTrue(os.access(self.path("usr/bin/fokarium"), os.X_OK))

    def test_icons_are_the_number_grid_in_each_size(self):
        from PIL import Image
        for n in ICON_SIZES:
            with Image.open(self.path(f"usr/share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png")) as icon:
                self.assertEqual(icon.format, "PNG")
                self.assertEqual(icon.size, (n, n))
                colours = icon.convert("RGBA").getcolors(maxcolors=n * n)
                self.assertGreater(len(colours), 2, f"{n} x {n} icon is blank")

    def test_desktop_entry_validates_and_names_the_installed_program(self):
        result = run(["desktop-file-validate", self.path(DESKTOP_ENTRY)])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertNotIn("error", result.stdout + result.stderr)
        entry = read_desktop_entry(self.path(DESKTOP_ENTRY))
        self.assertEqual(entry["Icon"], APP_ID)
        self.assertTrue(os.path.exists(self.path("usr/bin/" + entry["Exec"])))
        self.assertEqual(entry["Name"], "Fokarium")
        self.assertIn("注意力训练", entry["Name[zh_CN]"])
        self.assertIn("Education", entry["Categories"].split(";"))
        self.assertIn("KidsGame", entry["Categories"].split(";"))

    def test_metadata_validates_and_launches_the_desktop_entry(self):
        result = run(["appstreamcli", "validate", "--no-net", self.path(METAINFO)])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        component = ElementTree.parse(self.path(METAINFO)).getroot()
        self.assertEqual(component.findtext("id"), APP_ID)
        self.assertEqual(component.findtext("launchable"), os.path.basename(DESKTOP_ENTRY))
        self.assertEqual(component.findtext("provides/binary"), "fokarium")


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="fokarium-deb-")
        out = os.path.join(cls.scratch.name, "out")
        result = run(["cpack", "-G", "DEB", "-B", out,
                      "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake")], cwd=BUILD_DIR,
                     timeout=1700)  # it builds the whole project first; CTest allows 1800 s
        debs = [os.path.join(out, name) for name in os.listdir(out) if name.endswith(".deb")] \
            if os.path.isdir(out) else []
        if result.returncode != 0 or len(debs) != 1:
            cls.scratch.cleanup()
            raise AssertionError("cpack -G DEB failed:\n" + result.stdout + result.stderr)
        cls.deb = debs[0]

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def field(self, name):
        return run(["dpkg-deb", "--field", self.deb, name], check=True).stdout.strip()

    def test_dependencies_are_computed_and_name_the_font(self):
        depends = {d.strip().split(" ")[0] for d in self.field("Depends").split(",")}
        # From dpkg-shlibdeps: the packages of the libraries the program links.
        self.assertLessEqual({"libc6", "libqt6widgets6", "libqt6gui6", "libqt6core6",
                              "libpng16-16", "libgif7", "libxcb1"}, depends)
        self.assertIn("fonts-arphic-uming", depends)
        self.assertEqual(self.field("Package"), "fokarium")

    def test_contents_are_the_installed_tree(self):
        listing = run(["dpkg-deb", "--contents", self.deb], check=True).stdout
        files = {line.split()[-1].removeprefix("./") for line in listing.splitlines()
                 if not line.startswith("d")}
        self.assertEqual(files, EXPECTED_FILES)

    def test_extracted_program_runs_on_its_own_and_ends_on_esc(self):
        root = os.path.join(self.scratch.name, "extracted")
        run(["dpkg-deb", "--extract", self.deb, root], check=True)
        program = os.path.join(root, "usr/bin/fokarium")
        dynamic = run(["readelf", "--dynamic", program], check=True).stdout
        self.assertNotIn(BUILD_DIR, dynamic, "no run path into the build tree")
        wm_class = read_desktop_entry(os.path.join(root, DESKTOP_ENTRY))["StartupWMClass"]
        # The session's clean environment has nothing that points into the build tree.
        with harness.XSession() as session:
            packaged = session.start_program(program, cwd=root)
            packaged.wait_window()
            self.assertIn(f'"{wm_class}"', session.tool("xprop", "-id", packaged.window,
                                                         "WM_CLASS"))
            session.tool("xdotool", "windowactivate", "--sync", packaged.window, "key", "Escape",
                         check=True)
            self.assertEqual(packaged.wait_exit(harness.START_TIMEOUT), 0, packaged.stderr())

if __name__ == "__main__":
    harness.main()
