"""The installer's reporters and tracker against the loopback collector,
driven through tracktool (one run = one installer start-up and shutdown)."""
import configparser
import glob
import os
import subprocess
import sys
import unittest

from collector import Collector

BUILD = os.environ["MELODRIX_BUILD_DIR"]
PREFIX = os.environ["MELODRIX_WINE_PREFIX"]
TOOL = os.path.join(BUILD, "tools", "tracktool", "tracktool.exe")


def run_tool(url, *events):
    cmd = [os.environ["MELODRIX_WINE_RUN"], "--prefix", PREFIX, TOOL, url, *events]
    p = subprocess.run(cmd, capture_output=True, text=True, timeout=120,
                       env=dict(os.environ, WINEDEBUG="-all"))
    return p


def settings_dir():
    hits = glob.glob(os.path.join(PREFIX, "drive_c", "users", "*", "AppData", "Local",
                                  "QXLocal", "Melodrix.downloader"))
    return hits[0] if hits else None


def clean_settings():
    d = settings_dir()
    if d:
        for f in os.listdir(d):
            os.remove(os.path.join(d, f))


def read_identity():
    cp = configparser.ConfigParser(interpolation=None)
    cp.optionxform = str
    path = os.path.join(settings_dir(), "Melodrix.downloader_QXSConfigure.ini")
    with open(path, "rb") as raw:
        encoding = "utf-16" if raw.read(2) == b"\xff\xfe" else "latin-1"
    with open(path, encoding=encoding) as f:
        cp.read_file(f)
    return cp


class TrackerEndToEnd(unittest.TestCase):
    def setUp(self):
        clean_settings()

    def test_clicks_view_task_go_out_in_one_batch_with_ab(self):
        with Collector() as c:
            p = run_tool(c.url, "click:Install", "click:Custom", "view:x", "task:下载完成:12.5")
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual(c.errors, [])
            self.assertEqual(len(c.batches), 1, c.batches)
            recs = c.batches[0]
        self.assertEqual([r["event"] for r in recs], ["QxEventClick", "QxEventClick", "QxEventView", "QxEventTask"])
        click = recs[0]["properties"]
        self.assertEqual(click["qx_name"], "Install")
        self.assertEqual(click["qx_click_type"], "Button")
        self.assertIs(click["$is_first_time"], True)
        self.assertEqual(click["qx_app_id"], "Melodrix.downloader")
        self.assertEqual(click["qx_dlapp_id"], "Melodrix")
        self.assertEqual(click["$lib"], "cpp")
        for r in recs:
            self.assertEqual(r["properties"]["qxc_ab"], "IN", r)
            self.assertEqual(r["type"], "track")
            self.assertEqual(len(r["distinct_id"]), 36)
        self.assertEqual(recs[2]["properties"]["qx_name"], "安装中")
        task = recs[3]["properties"]
        self.assertEqual(task["qx_task_name"], "下载完成")
        self.assertEqual(task["qx_task_elapsed"], 12.5)
        self.assertEqual(task["qx_task_result"], "Success")

    def test_identity_file_first_run_second_run_and_other_endpoint(self):
        with Collector() as c:
            self.assertEqual(run_tool(c.url, "click:A").returncode, 0)
            first = read_identity()
            base = first["Base"]
            did = base["DistinctId"]
            self.assertRegex(did, r"^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$")
            self.assertEqual(base["PrimaryDistinctId"], did)
            self.assertEqual(base.get("UserId", ""), "")
            self.assertEqual(base["UserVipLevel"], "0")
            self.assertEqual(base["URL"], c.url)
            self.assertEqual(base["isLogined"], "NG")
            self.assertEqual(first["UninstallInfo"]["AppName"], "Melodrix.downloader")
            self.assertEqual(run_tool(c.url, "click:B").returncode, 0)
            self.assertEqual(read_identity()["Base"]["DistinctId"], did)
            self.assertEqual({r["distinct_id"] for r in c.records()}, {did})
        with Collector() as other:
            self.assertEqual(run_tool(other.url, "click:C").returncode, 0)
            base = read_identity()["Base"]
            self.assertEqual(base["URL"], other.url)
            self.assertEqual(base["DistinctId"], did)
            self.assertEqual(base["isLogined"], "NG")

    def test_crash_first_is_staged_and_sent_next_run(self):
        with Collector() as c:
            self.assertEqual(run_tool(c.url, "crash:x").returncode, 0)
            self.assertEqual(c.records(), [], "a crash with nothing pending is not sent in its run")
            staged = os.path.join(settings_dir(), "Melodrix.downloader_QXSPending.txt")
            with open(staged, encoding="utf-8") as f:
                self.assertIn('"event":"AppCrashed"', f.read())
            self.assertEqual(run_tool(c.url, "click:Next").returncode, 0)
            events = [r["event"] for r in c.records()]
        self.assertEqual(events, ["AppCrashed", "QxEventClick"])
        crash = c.records()[0]["properties"]
        self.assertEqual(crash["app_crashed_reason"], "崩溃")
        self.assertNotIn("$is_first_time", crash)

    def test_unsent_records_survive_a_failing_endpoint(self):
        with Collector() as c:
            c.mode = "status"
            p = run_tool(c.url, "click:Lost1", "click:Lost2")
            self.assertEqual(p.returncode, 0)
            self.assertEqual(p.stderr.count("TelemetryCore SDK send failed: refused"), 3, p.stderr)
            self.assertEqual(c.records(), [])
            c.mode = "ok"
            self.assertEqual(run_tool(c.url, "click:Later").returncode, 0)
            names = [r["properties"]["qx_name"] for r in c.records()]
        self.assertEqual(names, ["Lost1", "Lost2", "Later"])

    def test_dropped_connection_counts_as_failure(self):
        with Collector() as c:
            c.mode = "drop"
            p = run_tool(c.url, "click:Dropped")
            self.assertEqual(p.returncode, 0)
            self.assertIn("TelemetryCore SDK send failed: ", p.stderr)
            c.mode = "ok"
            run_tool(c.url, "view:v")
            self.assertEqual([r["event"] for r in c.records()], ["QxEventClick", "QxEventView"])

    def test_seventy_clicks_go_out_as_30_30_10(self):
        with Collector() as c:
            p = run_tool(c.url, *["click:C%d" % i for i in range(70)])
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual([len(b) for b in c.batches], [30, 30, 10])
            names = [r["properties"]["qx_name"] for r in c.records()]
        self.assertEqual(names, ["C%d" % i for i in range(70)])
        for body in c.bodies:
            self.assertTrue(body.startswith("data_list=") and body.endswith("&gzip=1"))

    def test_analytics_disabled_sends_nothing(self):
        ini = os.path.join(os.path.dirname(TOOL), "KorvelInstallerConfig.ini")
        with open(ini, "w", encoding="utf-8") as f:
            f.write("[Install]\r\nIsEnableAppTelemetry=false\r\n")
        try:
            with Collector() as c:
                p = run_tool(c.url, "click:A", "view:v", "task:t:1", "crash:x")
                self.assertEqual(p.returncode, 0, p.stderr)
                self.assertEqual(c.batches, [])
                staged = os.path.join(settings_dir() or "", "Melodrix.downloader_QXSPending.txt")
                if os.path.exists(staged):
                    with open(staged, encoding="utf-8") as f:
                        self.assertEqual(f.read().strip(), "")
        finally:
            os.remove(ini)


if __name__ == "__main__":
    unittest.main(verbosity=2)
