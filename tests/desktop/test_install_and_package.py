"""The installed tree (cmake --install into a scratch DESTDIR), its desktop entry and metadata as
Debian's validators see them, and the .deb from cpack, extracted and run with nothing else of the
build tree."""

import configparser
import gzip
import os
import re
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
MANUAL_PAGE = "usr/share/man/man6/fokarium.6.gz"
COPYRIGHT = "usr/share/doc/fokarium/copyright"
CHANGELOG = "usr/share/doc/fokarium/changelog.gz"
LINTIAN_OVERRIDES = "usr/share/lintian/overrides/fokarium"
EXPECTED_FILES = {"usr/bin/fokarium", DESKTOP_ENTRY, METAINFO, MANUAL_PAGE, COPYRIGHT, CHANGELOG,
                  LINTIAN_OVERRIDES} | {
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
        self.assertEqual(component.findtext("project_license"), "MIT")

    def test_manual_page_renders_without_warnings(self):
        page = self.path(MANUAL_PAGE)
        # The way lintian checks manual pages: any warning of man or groff lands on stderr.
        checked = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                      env=dict(os.environ, LC_ALL="C.UTF-8"))
        self.assertEqual((checked.returncode, checked.stderr), (0, ""))
        shown = run(["man", "-l", page], env=dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80"))
        self.assertEqual(shown.returncode, 0, shown.stderr)
        text = " ".join(shown.stdout.split())
        self.assertIn("fokarium - attention training with number grids", text)
        self.assertIn("takes no options", text)
        for section in ("SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXIT STATUS", "FILES"):
            self.assertIn(f"\n{section}\n", shown.stdout)
        self.assertRegex(text, r"EXIT STATUS 0 The program ended normally.* 255 The program could not run")


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
        cls.debug_packages = [os.path.join(out, n) for n in os.listdir(out) if n.endswith(".ddeb")]
        cls.root = os.path.join(cls.scratch.name, "extracted")
        run(["dpkg-deb", "--extract", cls.deb, cls.root], check=True)
        cls.program = os.path.join(cls.root, "usr/bin/fokarium")

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def field(self, name):
        return run(["dpkg-deb", "--field", self.deb, name], check=True).stdout.strip()

    def readelf(self, *options):
        return run(["readelf", "--wide", *options, self.program], check=True).stdout

    def test_lintian_reports_no_tag_that_is_not_overridden(self):
        # Errors, warnings and the informational tags all count; the installed override file
        # names each tag that stays, with its reason.
        result = run(["lintian", "--display-info", "--fail-on", "error,warning,info", self.deb])
        tags = [line for line in result.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
        self.assertEqual(tags, [], result.stdout + result.stderr)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_description_reads_right_in_apt(self):
        synopsis, *extended = self.field("Description").split("\n")
        self.assertTrue(0 < len(synopsis) < 80, synopsis)
        self.assertTrue(extended, "an extended description follows the synopsis")
        for line in extended:
            self.assertTrue(line.startswith(" ") and len(line) <= 80, repr(line))
        text = " ".join(line.strip() for line in extended)
        self.assertNotIn(";", text)
        self.assertIn("in random order.", text)

    def test_copyright_is_machine_readable_with_the_mit_licence(self):
        from debian.copyright import Copyright
        with open(os.path.join(self.root, COPYRIGHT), encoding="utf-8") as text:
            copyright = Copyright(text, strict=True)
        self.assertEqual(copyright.header.format,
                         "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
        program_source = copyright.find_files_paragraph("app/main.cpp")
        self.assertEqual(program_source.license.synopsis, "MIT")
        self.assertIn("The Fokarium developers", program_source.copyright)
        texts = {p.license.synopsis: p.license.text for p in copyright.all_license_paragraphs()}
        self.assertIn("Permission is hereby granted, free of charge", texts.get("MIT", ""))

    def test_changelog_is_the_native_packages_compressed_reproducibly(self):
        from debian.changelog import Changelog
        with open(os.path.join(self.root, CHANGELOG), "rb") as compressed:
            data = compressed.read()
        # The gzip header of gzip -9n: no file name (flag bit 3), no time stamp, best compression.
        self.assertEqual((data[:2], data[3] & 0x08, data[4:8], data[8]),
                         (b"\x1f\x8b", 0, bytes(4), 2))
        log = Changelog(gzip.decompress(data).decode("utf-8"), strict=True)
        self.assertEqual((log.package, str(log.version)), ("fokarium", self.field("Version")))

    def test_program_is_hardened_and_its_debug_information_packaged_apart(self):
        dynamic = self.readelf("--dynamic")
        self.assertRegex(dynamic, r"\(FLAGS\)\s+BIND_NOW")  # immediate binding ...
        self.assertRegex(dynamic, r"\(FLAGS_1\)\s+Flags: NOW PIE")  # ... and position-independent
        self.assertIn("GNU_RELRO", self.readelf("--program-headers"))
        symbols = self.readelf("--dyn-syms")
        self.assertRegex(symbols, r" __\w+_chk@", "fortified libc calls")
        self.assertIn(" __stack_chk_fail@", symbols)
        sections = set(re.findall(r"\] (\.\S+)", self.readelf("--sections")))
        self.assertEqual(sections & {".symtab", ".debug_info"}, set(), "stripped")
        self.assertIn(".gnu_debuglink", sections)
        build_id = re.search(r"Build ID: ([0-9a-f]+)", self.readelf("--notes")).group(1)
        self.assertEqual(len(self.debug_packages), 1, "one debug package")
        listing = run(["dpkg-deb", "--contents", self.debug_packages[0]], check=True).stdout
        self.assertIn(f"./usr/lib/debug/.build-id/{build_id[:2]}/{build_id[2:]}.debug", listing)

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
        root, program = self.root, self.program
        self.assertNotIn(BUILD_DIR, self.readelf("--dynamic"), "no run path into the build tree")
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
