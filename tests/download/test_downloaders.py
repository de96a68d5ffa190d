"""End-to-end scenarios of the three downloaders against loopback servers
(nginx and the fault-injecting server), driven through dltool."""
import os
import shutil
import sys
import tempfile
import traceback

from dlrun import run_dltool, win_path
from dlservers import FaultServer, Nginx, free_port, make_package, md5

MiB = 1048576
URL_MD5_MISSING = {1: "curl获取url-md5失败", 3: "mtcurl获取url-md5失败"}
MD5_MISMATCH = {1: "curl文件md5校验失败", 3: "mtcurl文件md5校验失败"}

failures = []


def check(name, condition, run=None):
    if not condition:
        failures.append(name)
        print(f"FAIL {name}: {run!r}", flush=True)
    else:
        print(f"ok   {name}", flush=True)


class Workdir:
    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="mdx-dl-")
        self.count = 0

    def target(self):
        self.count += 1
        return os.path.join(self.root, f"case{self.count}", "__Package_Melodrix.exe")


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def progress_ok(run, download_type):
    values = run.progress()
    if download_type == 2:
        return True
    return all(0 < v <= 1 for v in values) and values == sorted(values) or any(
        c == 1005 for c in run.codes())


def shared_scenarios(nginx, work, pkg, pkg_md5):
    """Behaviour both curl downloaders share, and the outcome the system downloader gives."""
    nginx.publish(f"pkg/{pkg_md5}/app.exe", pkg)
    nginx.publish("plain/app.exe", pkg)
    wrong = "0" * 32
    nginx.publish(f"pkg/{wrong}/app.exe", pkg)
    nginx.publish(f"pkg/{pkg_md5.upper()}/app.exe", pkg)
    for t in (1, 3, 2):
        # Happy path through a three-hop redirect chain ending at /<md5>/app.exe.
        target = work.target()
        run = run_dltool(t, nginx.url(f"go/3/pkg/{pkg_md5}/app.exe"), target)
        check(f"type{t} redirect chain with md5 succeeds",
              run.rc == 0 and run.codes() == [1001, 1003] and read(target) == pkg and progress_ok(run, t), run)
        text = {1: "LibCurl", 3: "LibCurl", 2: "URLDownloadToFile"}[t]
        check(f"type{t} success text", run.events[-1][2] == text, run)
        if t == 2:
            check("type2 reports progress when the server sends a length", len(run.progress()) > 0, run)
            continue
        check(f"type{t} no .part or part files left",
              not any(n != "__Package_Melodrix.exe" for n in os.listdir(os.path.dirname(target))), run)

        target = work.target()
        run = run_dltool(t, nginx.url("plain/app.exe"), target)
        check(f"type{t} no md5 segment: info then success",
              run.rc == 0 and run.codes() == [1001, 1006, 1003] and run.events[-2][2] == URL_MD5_MISSING[t]
              and read(target) == pkg, run)

        for label, segment in (("wrong", wrong), ("upper-case", pkg_md5.upper())):
            target = work.target()
            run = run_dltool(t, nginx.url(f"go/1/pkg/{segment}/app.exe"), target)
            info = [x for c, _, x in run.events if c == 1006]
            check(f"type{t} {label} md5: info, retry, second run info, fail",
                  run.rc == 1 and run.codes() == [1001, 1006, 1005, 1001, 1006, 1004]
                  and info == [MD5_MISMATCH[t]] * 2 and read(target) is None, run)


def probe_failures(fault, work):
    """Length probes that give no usable length end the run without a transfer:
    the single-stream downloader after its six attempts with -998, the two-range
    downloader at once with 0."""
    data = make_package(MiB + 1, 51)
    fault.add_package("probe.exe", data)
    both = ((1, -998.0), (3, 0.0))
    cases = [("headstatus=405", both), ("nolen=1", both), ("status=500", both),
             # Beyond what the two ranges' 32-bit offsets hold: refused, never wrapped.
             ("headlen=2147483648", ((3, 0.0),))]
    for options, types in cases:
        for t, value in types:
            fault.clear()
            target = work.target()
            run = run_dltool(t, fault.url(options, md5(data), "probe.exe"), target)
            gets = [r for r in fault.log() if r[0] == "GET"]
            check(f"type{t} {options}: fails with {value:g} and no transfer",
                  run.rc == 1 and run.codes() == [1001, 1004] and run.events[-1][1] == value and not gets
                  and read(target) is None, (run, gets))


def single_stream_scenarios(fault, nginx, work):
    one = make_package(MiB, 11)
    fault.add_package("one.exe", one)
    # A length one byte short of 1 MiB: six attempts 500 ms apart, then -998.
    target = work.target()
    run = run_dltool(1, fault.url("headlen=1048575", "x", "one.exe"), target)
    check("type1 length 1048575 fails with -998 after six attempts",
          run.rc == 1 and run.codes() == [1001, 1004] and run.events[-1][1] == -998 and run.seconds >= 2.5, run)
    heads = [r for r in fault.log() if r[0] == "HEAD" and "headlen" in r[1]]
    check("type1 length probe repeated by every attempt", len(heads) >= 6, heads)

    target = work.target()
    run = run_dltool(1, fault.url("-", md5(one), "one.exe"), target)
    check("type1 exactly 1 MiB is accepted", run.rc == 0 and read(target) == one, run)

    # Resume: the first transfer is cut after 40 %; the next asks for the rest.
    big = make_package(4 * MiB, 12)
    fault.add_package("big.exe", big)
    fault.clear()
    cut = int(len(big) * 0.4)
    target = work.target()
    run = run_dltool(1, fault.url(f"cut={cut},rate={2 * MiB}", md5(big), "big.exe"), target)
    gets = [r for r in fault.log() if r[0] == "GET"]
    check("type1 resume after a cut: success and identical file", run.rc == 0 and read(target) == big, run)
    check("type1 resume asks for the rest with a Range request",
          len(gets) >= 2 and gets[0][2] is None and gets[1][2] == f"bytes={cut}-", gets)
    after = run.progress()
    check("type1 resume progress continues from 40 %",
          len(after) > 0 and all(v > 0.39 for v in after[-1:]) and after == sorted(after), run)

    # A connection reset after 40 % (curl 56) resumes the same way.
    fault.clear()
    target = work.target()
    run = run_dltool(1, fault.url(f"reset={cut}", md5(big), "big.exe"), target)
    gets = [r for r in fault.log() if r[0] == "GET"]
    # A reset discards what was still in flight, so the client resumes from what it had.
    resumed_from = int(gets[1][2][6:-1]) if len(gets) == 2 and gets[1][2] else -1
    check("type1 resume after a connection reset", run.rc == 0 and read(target) == big and len(gets) == 2
          and 0 < resumed_from <= cut, (run, gets))

    # A partial file of an earlier run is removed at construction.
    target = work.target()
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target + ".part", "wb") as f:
        f.write(b"stale" * 1000)
    run = run_dltool(1, fault.url("-", md5(one), "one.exe"), target)
    check("type1 stale .part removed at construction", run.rc == 0 and read(target) == one, run)

    # file:/// URL: the probes get no status, stage B supplies the length.
    src = os.path.join(work.root, "local", "pkg.exe")
    os.makedirs(os.path.dirname(src))
    with open(src, "wb") as f:
        f.write(one)
    target = work.target()
    run = run_dltool(1, "file:///" + win_path(src).replace("\\", "/"), target)
    check("type1 file:/// URL", run.rc == 0 and read(target) == one and run.codes() == [1001, 1006, 1003], run)

    # Statuses at or above 400 fail every attempt.
    target = work.target()
    run = run_dltool(1, fault.url("status=404", "x", "one.exe"), target)
    check("type1 404 fails", run.rc == 1 and run.codes() == [1001, 1004], run)

    target = work.target()
    run = run_dltool(1, fault.url("loop=1", "x", "one.exe"), target)
    check("type1 redirect loop fails", run.rc == 1 and run.codes() == [1001, 1004], run)

    # Empty target path.
    for t in (1, 3, 2):
        run = run_dltool(t, fault.url("-", "x", "one.exe"), "")
        check(f"type{t} empty target: start then fail 1.0",
              run.codes() == [1001, 1004] and run.events[-1][1] == 1.0 and run.events[-1][2] == "", run)


def multi_part_scenarios(fault, work):
    twenty = make_package(20 * MiB, 21)
    fault.add_package("twenty.exe", twenty)
    fault.clear()
    target = work.target()
    run = run_dltool(3, fault.url("-", md5(twenty), "twenty.exe"), target)
    ranges = sorted(r[2] for r in fault.log() if r[0] == "GET")
    check("type3 20 MiB splits into two ranges at 10 MiB",
          run.rc == 0 and read(target) == twenty and ranges == ["bytes=0-10485759", "bytes=10485760-20971519"],
          (run, ranges))

    short = twenty[:20 * MiB - 1]
    fault.add_package("short.exe", short)
    fault.clear()
    target = work.target()
    run = run_dltool(3, fault.url("-", md5(short), "short.exe"), target)
    ranges = [r[2] for r in fault.log() if r[0] == "GET"]
    check("type3 20 MiB - 1 gives one range", run.rc == 0 and read(target) == short and
          ranges == [f"bytes=0-{20 * MiB - 2}"], (run, ranges))

    for size, ok in ((255, False), (256, True)):
        data = make_package(size, size)
        fault.add_package(f"s{size}.exe", data)
        target = work.target()
        run = run_dltool(3, fault.url("-", md5(data), f"s{size}.exe"), target)
        if ok:
            check("type3 256 bytes download as one range", run.rc == 0 and read(target) == data, run)
        else:
            check("type3 255 bytes fail at resolution",
                  run.codes() == [1001, 1004] and run.events[-1][1] == 0.0, run)

    # A server that ignores ranges is caught by the MD5 check of the joined file.
    target = work.target()
    run = run_dltool(3, fault.url("norange=1", md5(twenty), "twenty.exe"), target)
    check("type3 ignored ranges caught by md5",
          run.rc == 1 and run.codes() == [1001, 1006, 1005, 1001, 1006, 1004] and read(target) is None, run)

    # A cut range resumes from where it stopped within the run.
    fault.clear()
    target = work.target()
    run = run_dltool(3, fault.url(f"cut={3 * MiB}", md5(twenty), "twenty.exe"), target)
    ranges = sorted(r[2] for r in fault.log() if r[0] == "GET")
    check("type3 cut range resumes and file is intact", run.rc == 0 and read(target) == twenty, run)
    check("type3 resumed range asks from its next byte",
          "bytes=%d-%d" % (3 * MiB, 10 * MiB - 1) in ranges, ranges)

    # A range whose server stops sending is given up after 5 s below 1 byte/s
    # (curl 28) and resumed from its next byte.
    fault.clear()
    target = work.target()
    run = run_dltool(3, fault.url(f"stall={MiB}", md5(short), "short.exe"), target)
    ranges = [r[2] for r in fault.log() if r[0] == "GET"]
    check("type3 stalled range times out and resumes",
          run.rc == 0 and read(target) == short and ranges == [f"bytes=0-{20 * MiB - 2}", f"bytes={MiB}-{20 * MiB - 2}"]
          and run.seconds >= 5.0, (run, ranges))


def multi_part_retry_resumes(fault, work):
    """A run whose range fails every attempt after progress keeps its part file;
    the retry run asks only for the rest and its progress goes on from there."""
    data = make_package(4 * MiB, 22)
    fault.add_package("resume.exe", data)
    fault.clear()
    cut = int(len(data) * 0.4)
    # GET 1 is cut at 40 % (curl 18), GETs 2-8 fail (curl 22; 1 + 7 attempts): the range's
    # budget of 12 is spent, the run asks for its retry.
    target = work.target()
    run = run_dltool(3, fault.url(f"cut={cut},rate={MiB},fail=2-8", md5(data), "resume.exe"), target)
    gets = [r[2] for r in fault.log() if r[0] == "GET"]
    codes = run.codes()
    check("type3 failed range: retry run then success",
          run.rc == 0 and codes == [1001, 1005, 1001, 1003] and read(target) == data, run)
    retry_at = next((i for i, e in enumerate(run.events) if e[0] == 1005), None)
    check("type3 failed range: retry carries the range's curl code", retry_at is not None
          and run.events[retry_at][1] == 22.0, run)
    check("type3 retry run resumes the part file with a range request",
          len(gets) == 9 and gets[0] == f"bytes=0-{len(data) - 1}" and gets[-1] == f"bytes={cut}-{len(data) - 1}",
          gets)
    before = [v for c, v, _ in run.events[:retry_at or 0] if c == 1002]
    after = [v for c, v, _ in run.events[retry_at or 0:] if c == 1002]
    check("type3 progress made before the retry is kept",
          len(before) > 0 and all(v >= before[-1] + 0.01 for v in after), run)


def system_scenarios(fault, work):
    data = make_package(300000, 31)
    fault.add_package("*", data)
    fault.clear()
    target = work.target()
    url = fault.url("-", "x", "my app 中文.exe")
    run = run_dltool(2, url, target)
    paths = [r[1] for r in fault.log() if r[0] == "GET"]
    check("type2 space and Chinese are encoded with + and upper-case %XX",
          run.rc == 0 and read(target) == data and paths
          and paths[-1].endswith("/my+app+%E4%B8%AD%E6%96%87.exe"), (run, paths))

    fault.clear()
    target = work.target()
    run = run_dltool(2, fault.url("-", "x", "a%20b.exe"), target)
    paths = [r[1] for r in fault.log() if r[0] == "GET"]
    check("type2 existing percent sequences are kept", paths and paths[-1].endswith("/a%20b.exe"), (run, paths))

    target = work.target()
    run = run_dltool(2, f"http://127.0.0.1:{free_port()}/nobody/a.exe", target)
    check("type2 three failures end with a negative HRESULT",
          run.rc == 1 and run.codes() == [1001, 1004] and run.events[-1][1] < 0
          and run.events[-1][2] == "URLDownloadToFile" and run.seconds >= 3.0, run)


def download_type_selection(fault, work):
    data = make_package(MiB + 7, 41)
    fault.add_package("sel.exe", data)
    for t in (0, 4, -1):
        target = work.target()
        run = run_dltool(t, fault.url("-", "x", "sel.exe"), target)
        check(f"download type {t} selects the single-stream downloader",
              run.rc == 0 and run.events[-2][2] == URL_MD5_MISSING[1], run)


def main():
    groups = sys.argv[1:] or ["shared", "single", "multi", "multi-retry", "probes", "system", "types"]
    work = Workdir()
    nginx = Nginx()
    fault = FaultServer()
    try:
        pkg = make_package(3 * MiB + 123, 1)
        for group in groups:
            try:
                if group == "shared":
                    shared_scenarios(nginx, work, pkg, md5(pkg))
                elif group == "single":
                    single_stream_scenarios(fault, nginx, work)
                elif group == "multi":
                    multi_part_scenarios(fault, work)
                elif group == "probes":
                    probe_failures(fault, work)
                elif group == "multi-retry":
                    multi_part_retry_resumes(fault, work)
                elif group == "system":
                    system_scenarios(fault, work)
                elif group == "types":
                    download_type_selection(fault, work)
            except Exception:
                traceback.print_exc()
                failures.append(group)
    finally:
        fault.stop()
        nginx.stop()
        shutil.rmtree(work.root, ignore_errors=True)
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
