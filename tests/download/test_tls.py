"""HTTPS downloads keep peer and host verification on: with the test CA given
through MELODRIX_CA_BUNDLE, a "localhost" certificate signed by it passes and
one signed by another CA is refused before any request is made."""
import os
import shutil
import ssl
import sys
import tempfile

from dlrun import run_dltool, win_path
from dlservers import FaultServer, make_package, md5
from tlscerts import make_certificates


def tls_server(key, cert):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return FaultServer(tls_context=context)


def main():
    root = tempfile.mkdtemp(prefix="mdx-tls-")
    failures = []
    servers = []
    try:
        ca, good, rogue = make_certificates(os.path.join(root, "certs"))
        env = {"MELODRIX_CA_BUNDLE": win_path(ca)}
        data = make_package(1048576 + 99, 7)
        good_server, rogue_server = tls_server(*good), tls_server(*rogue)
        servers = [good_server, rogue_server]
        for server in servers:
            server.add_package("app.exe", data)
        count = 0
        for t in (1, 3):
            count += 1
            target = os.path.join(root, f"ok{count}", "app.exe")
            run = run_dltool(t, good_server.url("-", md5(data), "app.exe", host="localhost", scheme="https"),
                             target, env=env)
            ok = run.rc == 0 and open(target, "rb").read() == data if run.rc == 0 else False
            print(("ok  " if ok else "FAIL"), f"type{t} certificate signed by the bundle's CA passes", run)
            if not ok:
                failures.append(f"type{t} good")

            rogue_server.clear()
            target = os.path.join(root, f"bad{count}", "app.exe")
            log = os.path.join(root, f"bad{count}.log")
            run = run_dltool(t, rogue_server.url("-", md5(data), "app.exe", host="localhost", scheme="https"),
                             target, env=env, log=log)
            with open(log, encoding="utf-8", errors="replace") as f:
                lines = f.read()
            # libcurl's 60: the peer's certificate failed verification.
            ok = (run.rc == 1 and run.codes() == [1001, 1004] and not os.path.exists(target)
                  and not rogue_server.log() and "error:60:" in lines)
            if not ok:
                print(lines[-2000:])
            print(("ok  " if ok else "FAIL"), f"type{t} certificate of another CA is refused", run)
            if not ok:
                failures.append(f"type{t} rogue")
    finally:
        for server in servers:
            server.stop()
        shutil.rmtree(root, ignore_errors=True)
    print(f"{len(failures)} failed: {failures}" if failures else "all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
