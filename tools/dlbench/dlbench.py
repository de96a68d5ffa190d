#!/usr/bin/env python3
"""Download benchmark (run by hand, not by ctest). Prints figures:

  1. Throughput from nginx on loopback for a 512 MiB package: each downloader
     type through dltool, curl.exe built for Windows from the same curl source
     (under the same Wine), and the native Linux curl, with ratios.
  2. With nginx capping every connection at 20 MB/s (limit_rate 20m): the
     two-range downloader next to single-stream and `aria2c -x2`.
  3. Peak anonymous resident memory (RssAnon, sampled every 20 ms) of the Wine
     process running dltool, for a 16 MiB and a 512 MiB package.

  tools/dlbench/dlbench.py --build-dir build/dl [--size-mib 512]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tests", "download"))

from dlservers import Nginx, md5  # noqa: E402

MiB = 1048576


def win_path(path):
    return "Z:" + path.replace("/", "\\")


def _windows_process(marker, exclude):
    for pid in os.listdir("/proc"):
        if not pid.isdigit() or int(pid) in exclude:
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if marker in f.read():
                    return int(pid)
        except OSError:
            pass
    return None


def _memory(pid):
    """(VmHWM, RssAnon) of a process in MiB; None when it is gone."""
    values = {}
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                key, _, rest = line.partition(":")
                if key in ("VmHWM", "RssAnon"):
                    values[key] = int(rest.split()[0]) / 1024.0
    except OSError:
        return None
    return values.get("VmHWM", 0.0), values.get("RssAnon", 0.0)


def timed(cmd, env=None, marker=None):
    """Runs cmd; returns (seconds, exit code, peak anonymous memory in MiB of the
    process whose command line holds `marker` (the Windows program under Wine),
    0 when not measured)."""
    started = time.monotonic()
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    peak_anon = 0.0
    target = None
    while proc.poll() is None:
        if marker and target is None:
            target = _windows_process(marker, {os.getpid()})
        if target is not None:
            memory = _memory(target)
            if memory:
                peak_anon = max(peak_anon, memory[1])
        time.sleep(0.02)
    return time.monotonic() - started, proc.returncode, peak_anon


def write_package(path, size):
    block = os.urandom(MiB)
    with open(path, "wb") as f:
        for i in range(size // MiB):
            f.write(bytes([i & 0xFF]) + block[1:])
        f.write(block[: size % MiB])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build-dir", default=os.path.join(SOURCE, "build", "dl"))
    parser.add_argument("--size-mib", type=int, default=512)
    parser.add_argument("--repeat", type=int, default=1)
    args = parser.parse_args()
    build = os.path.abspath(args.build_dir)
    prefix = os.path.join(build, "wineprefix")
    wine_run = [os.path.join(SOURCE, "scripts", "wine-run"), "--prefix", prefix]
    dltool = os.path.join(build, "tools", "dltool", "dltool.exe")
    curl_exe = subprocess.run([os.path.join(HERE, "build-curl-exe.sh"), os.path.join(build, "..", "dl-bench")],
                              capture_output=True, text=True)
    curl_exe = curl_exe.stdout.strip() if curl_exe.returncode == 0 else ""

    work = tempfile.mkdtemp(prefix="mdx-bench-")
    nginx = Nginx(extra="sendfile on;\n    location /capped/ { limit_rate 20m; alias @ROOT@/www/; }\n")
    try:
        sizes = {"big": args.size_mib * MiB, "small": 16 * MiB}
        urls = {}
        for name, size in sizes.items():
            data_path = os.path.join(work, f"{name}.bin")
            write_package(data_path, size)
            with open(data_path, "rb") as f:
                digest = md5(f.read())
            dest = os.path.join(nginx.root, "www", "pkg", digest)
            os.makedirs(dest, exist_ok=True)
            shutil.move(data_path, os.path.join(dest, "app.exe"))
            urls[name] = (f"pkg/{digest}/app.exe", size)

        def out(name):
            return os.path.join(work, "out", name, "__Package_Melodrix.exe")

        def run_dltool(t, rel, name):
            target = out(name)
            shutil.rmtree(os.path.dirname(target), ignore_errors=True)
            seconds, rc, rss = timed(wine_run + [dltool, f"-type={t}", nginx.url(rel), win_path(target)],
                                     marker=b"dltool.exe")
            shutil.rmtree(os.path.dirname(target), ignore_errors=True)
            return seconds, rc, rss

        def best(fn):
            results = [fn() for _ in range(args.repeat)]
            return min(results, key=lambda r: r[0])

        rel, size = urls["big"]
        print(f"== 1. {size // MiB} MiB from nginx on 127.0.0.1 ==")
        figures = {}
        for label, t in (("dltool type 1 (single-stream)", 1), ("dltool type 3 (two ranges)", 3),
                         ("dltool type 2 (URLDownloadToFile)", 2)):
            figures[label] = best(lambda: run_dltool(t, rel, f"t{t}"))
        if curl_exe:
            target = out("curlexe")
            os.makedirs(os.path.dirname(target), exist_ok=True)
            figures["curl.exe (same source, Wine)"] = best(
                lambda: timed(wine_run + [curl_exe, "-s", "-o", win_path(target), nginx.url(rel)]))
        target = out("native")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        figures["native Linux curl"] = best(lambda: timed(["curl", "-s", "-o", target, nginx.url(rel)]))
        reference = {k: v for k, v in figures.items() if "curl" in k}
        for label, (seconds, rc, _) in figures.items():
            rate = size / MiB / seconds
            ratios = "  ".join(f"{rate / (size / MiB / r[0]):.2f}x {k.split(' ')[0]}" for k, r in reference.items())
            print(f"{label:36s} {seconds:7.2f} s {rate:8.1f} MiB/s  rc={rc}  {ratios}")

        print("\n== 2. nginx limit_rate 20m per connection ==")
        capped = "capped/" + rel
        capped_figures = {}
        for label, t in (("dltool type 1 (single-stream)", 1), ("dltool type 3 (two ranges)", 3)):
            capped_figures[label] = best(lambda: run_dltool(t, capped, f"c{t}"))
        if shutil.which("aria2c"):
            folder = os.path.join(work, "out", "aria")
            capped_figures["aria2c -x2 -s2"] = best(lambda: timed(
                ["aria2c", "-q", "-x2", "-s2", "--allow-overwrite=true", "--file-allocation=none",
                 "-d", folder, "-o", "app.exe", nginx.url(capped)]))
        for label, (seconds, rc, _) in capped_figures.items():
            print(f"{label:36s} {seconds:7.2f} s {size / MiB / seconds:8.1f} MiB/s  rc={rc}")

        print("\n== 3. peak anonymous resident memory of the dltool Wine process ==")
        for name in ("small", "big"):
            rel_n, size_n = urls[name]
            for t in (1, 3, 2):
                seconds, rc, rss = run_dltool(t, rel_n, f"m{t}")
                print(f"{size_n // MiB:4d} MiB  type {t}: peak anonymous RSS {rss:7.1f} MiB  ({seconds:.2f} s, rc={rc})")
    finally:
        nginx.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
