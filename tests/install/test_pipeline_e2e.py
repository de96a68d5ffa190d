"""The install pipeline end to end: pipetool under Wine downloads the fake
big package from nginx on 127.0.0.1 with each downloader, runs it, and (when
asked) first removes a previous version with the fake uninstaller."""
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.environ["MELODRIX_SOURCE_DIR"]
BUILD = os.environ["MELODRIX_BUILD_DIR"]
sys.path.insert(0, os.path.join(SOURCE, "tests", "download"))
from dlservers import Nginx  # noqa: E402  (the download tests' loopback server)

PIPETOOL = os.path.join(BUILD, "tools", "pipetool", "pipetool.exe")
FAKE_PACKAGE = os.path.join(BUILD, "tools", "fakepackage", "fakepackage.exe")
FAKE_UNINSTALLER = os.path.join(BUILD, "tools", "fakeuninstaller", "fakeuninstaller.exe")
END_CODES = {2003, 2004, 1004, 5004, 5005}
TEMP_COPY = "\\~KorvelTemp.92482B06FB471E17\\Melodrix_un_asa.exe"


def win(path):
    return "Z:" + path.replace("/", "\\")


def package_bytes():
    with open(FAKE_PACKAGE, "rb") as f:
        data = f.read()
    # The downloaders refuse packages under 1 MiB; bytes after the image do not matter.
    return data + b"\0" * max(0, 1536 * 1024 - len(data))


class PipelineEndToEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Nginx()
        cls.package = package_bytes()
        cls.md5 = hashlib.md5(cls.package).hexdigest()
        cls.server.publish(f"soft/{cls.md5}/Melodrix.exe", cls.package)
        cls.server.publish(f"soft/{'0' * 32}/Melodrix.exe", cls.package)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="mdx-pipe-")
        self.install_dir = os.path.join(self.dir, "Apps", "Melodrix")  # made by the pipeline

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def scenario(self, name, lines):
        path = os.path.join(self.dir, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
        return win(path)

    def run_pipeline(self, url, package=(), uninstaller=(), extra=()):
        env = dict(os.environ)
        env["MELODRIX_FAKE_PACKAGE_SCENARIO"] = self.scenario("package.txt", package)
        env["MELODRIX_FAKE_UNINSTALLER_SCENARIO"] = self.scenario("uninstall.txt", uninstaller)
        cmd = [os.environ["MELODRIX_WINE_RUN"], "--prefix", os.environ["MELODRIX_WINE_PREFIX"],
               PIPETOOL, url, win(self.install_dir), *extra]
        proc = subprocess.run(cmd, capture_output=True, timeout=120, env=env)
        events = []
        for line in proc.stdout.decode("utf-8").splitlines():
            code, value, text = (line.split(" ", 2) + [""])[:3]
            events.append((int(code), float(value), text))
        return proc.returncode, events

    def url(self, md5=None):
        return self.server.url(f"soft/{md5 or self.md5}/Melodrix.exe")

    def codes(self, events):
        return [c for c, _, _ in events if c != 1002]

    def package_path(self):
        return os.path.join(self.install_dir, "__Package_Melodrix.exe")

    def test_fresh_install_with_each_downloader(self):
        for download_type in (1, 2, 3, 7):
            with self.subTest(download_type=download_type):
                shutil.rmtree(self.install_dir, ignore_errors=True)
                record = os.path.join(self.dir, f"cmd{download_type}.txt")
                rc, events = self.run_pipeline(
                    self.url(),
                    package=[f"record {win(record)}", "create uninst.ep",
                             "print Progress=0.5\\nInstPath=C:\\\\Melodrix\\nState=Success\\n"],
                    extra=[f"-downloadtype={download_type}", "--ssc", "false", "-instcmd=/NCRC"])
                self.assertEqual(rc, 0, events)
                codes = self.codes(events)
                self.assertEqual(codes[0], 1001, events)
                self.assertEqual([c for c in codes if c >= 2000], [2001, 2002, 2002, 3000, 2003], events)
                self.assertEqual(codes[codes.index(2001) - 1], 1003, events)
                self.assertIn((2002, 0.5, ""), events)
                self.assertFalse(os.path.exists(self.package_path()))
                # The package installed into the directory it was given.
                self.assertTrue(os.path.exists(os.path.join(self.install_dir, "uninst.ep")))
                with open(record, encoding="utf-8") as f:
                    command = f.read()
                inst = win(self.install_dir)
                self.assertEqual(
                    command,
                    f'"{inst}\\__Package_Melodrix.exe" /S -console=show -version=1.0.0'
                    f' -adminact=true -authorizationact=true -dsc=true -ssc=false /NCRC'
                    f' -instdir="{inst}" /D={inst}')

    def test_failed_package_leaves_no_package_file(self):
        rc, events = self.run_pipeline(self.url(), package=["print State=Fail\\n", "sleep 300"])
        self.assertEqual(rc, 1)
        self.assertEqual(events[-1], (2004, 0, "安装包安装失败"))
        self.assertFalse(os.path.exists(self.package_path()))

    def test_wrong_md5_retries_with_the_same_downloader(self):
        rc, events = self.run_pipeline(self.url("0" * 32))
        codes = self.codes(events)
        self.assertEqual(rc, 1, events)
        self.assertIn(1005, codes, events)
        self.assertEqual(codes.count(1001), 2, events)
        self.assertGreater(codes.index(1001, codes.index(1005)), codes.index(1005))
        self.assertEqual(codes[-1], 1004, events)
        self.assertNotIn(2001, codes)
        self.assertFalse(os.path.exists(self.package_path()))

    def previous_version(self):
        old = os.path.join(self.dir, "Old")
        os.makedirs(old)
        shutil.copy(FAKE_UNINSTALLER, os.path.join(old, "uninst.ep"))
        return old

    def test_previous_version_is_removed_before_the_download(self):
        old = self.previous_version()
        record = os.path.join(self.dir, "uninstall-cmd.txt")
        rc, events = self.run_pipeline(
            self.url(),
            package=["print State=Success\\n"],
            uninstaller=[f"record {win(record)}", "print Progress=0.5\\n", "sleep 300",
                         "print State=Success\\n", "sleep 300", "print Progress=1\\n"],
            extra=["--prev", win(os.path.join(old, "uninst.ep")), "--adminact", "false"])
        self.assertEqual(rc, 0, events)
        codes = self.codes(events)
        self.assertEqual(codes[:3], [5002, 5002, 5003], events)
        self.assertLess(codes.index(5003), codes.index(1001))
        self.assertEqual(codes.count(5003), 1)
        with open(record, encoding="utf-8") as f:
            command = f.read()
        self.assertIn(TEMP_COPY + " /S -adminact=", command)
        self.assertTrue(command.endswith(" -console=show _?=" + win(old)), command)

    def test_failed_removal_starts_no_download(self):
        for lines, end in ((["print State=Fail\\n"], (5005, 0, "安装包卸载失败")),
                           (["print Error=in use\\n"], (5005, 0, "in use"))):
            with self.subTest(end=end):
                old = os.path.join(self.dir, "Old")
                shutil.rmtree(old, ignore_errors=True)
                self.previous_version()
                rc, events = self.run_pipeline(
                    self.url(), uninstaller=lines,
                    extra=["--prev", win(os.path.join(old, "uninst.ep"))])
                self.assertEqual(rc, 1)
                self.assertEqual(events[-1], end)
                self.assertNotIn(1001, self.codes(events))


if __name__ == "__main__":
    unittest.main(verbosity=2)
