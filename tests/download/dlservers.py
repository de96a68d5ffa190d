"""Loopback servers for the download tests: nginx with its own config, and a
fault-injecting HTTP server whose behaviour is chosen by the request path.

Fault server paths: /f/<options>/<segment>/<name>, where <options> is "-" or
comma-separated key=value pairs:
  cut=N      the first GET of this path sends N body bytes, then closes
  reset=N    the first GET sends N body bytes, then resets the connection
  stall=N    the first GET sends N body bytes, then sends nothing more
  rate=N     body bytes per second (slow drip)
  norange=1  ignore Range: 200 with the whole body
  wrong=1    send other bytes than the package's
  status=N   answer every request with status N
  headstatus=N  answer HEAD requests with status N
  headlen=N  HEAD announces Content-Length N
  nolen=1    no Content-Length at all
  loop=1     redirect to itself
  fail=A-B   the A-th to B-th GET of this path (counting from 1) answer 503
<name> picks the package registered with add_package().
"""
import hashlib
import http.server
import os
import random
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import threading
import time


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def make_package(size, seed):
    return random.Random(seed).randbytes(size)


def md5(data):
    return hashlib.md5(data).hexdigest()


class FaultServer:
    def __init__(self, tls_context=None):
        self.packages = {}
        self.requests = []  # (method, raw path, Range header or None)
        self.cut_done = set()
        self.get_counts = {}
        self.stopping = threading.Event()
        self.lock = threading.Lock()
        outer = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def do_HEAD(self):
                outer.handle(self, head=True)

            def do_GET(self):
                outer.handle(self, head=False)

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.httpd.daemon_threads = True
        if tls_context is not None:
            self.httpd.socket = tls_context.wrap_socket(self.httpd.socket, server_side=True)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def add_package(self, name, data):
        self.packages[name] = data

    def url(self, options, segment, name, host="127.0.0.1", scheme="http"):
        return f"{scheme}://{host}:{self.port}/f/{options}/{segment}/{name}"

    def log(self):
        with self.lock:
            return list(self.requests)

    def clear(self):
        with self.lock:
            self.requests.clear()

    def stop(self):
        self.stopping.set()
        self.httpd.shutdown()
        self.httpd.server_close()

    def handle(self, h, head):
        with self.lock:
            self.requests.append(("HEAD" if head else "GET", h.path, h.headers.get("Range")))
        parts = h.path.split("/")
        if len(parts) < 5 or parts[1] != "f":
            return self.plain_status(h, 404)
        options = {}
        if parts[2] != "-":
            for pair in parts[2].split(","):
                k, _, v = pair.partition("=")
                options[k] = v
        name = parts[-1]
        data = self.packages.get(name)
        if data is None:
            data = self.packages.get("*")
        if data is None:
            return self.plain_status(h, 404)
        if "loop" in options:
            h.send_response(302)
            h.send_header("Location", h.path)
            h.send_header("Content-Length", "0")
            h.end_headers()
            return
        if "fail" in options and not head:
            first, _, last = options["fail"].partition("-")
            with self.lock:
                number = self.get_counts.get(h.path, 0) + 1
                self.get_counts[h.path] = number
            if int(first) <= number <= int(last):
                return self.plain_status(h, 503)
        if "status" in options:
            return self.plain_status(h, int(options["status"]))
        if head and "headstatus" in options:
            return self.plain_status(h, int(options["headstatus"]))
        if "wrong" in options:
            data = bytes(reversed(data))
        total = len(data)
        start, end, partial = 0, total - 1, False
        rng = h.headers.get("Range")
        if rng and "norange" not in options and rng.startswith("bytes="):
            first, _, last = rng[6:].partition("-")
            start = int(first) if first else 0
            end = int(last) if last else total - 1
            end = min(end, total - 1)
            if start > end:
                return self.plain_status(h, 416)
            partial = True
        h.send_response(206 if partial else 200)
        if head and "headlen" in options:
            h.send_header("Content-Length", options["headlen"])
        elif "nolen" not in options:
            h.send_header("Content-Length", str(end - start + 1))
        if partial:
            h.send_header("Content-Range", f"bytes {start}-{end}/{total}")
        h.send_header("Accept-Ranges", "bytes")
        if "nolen" in options:
            h.send_header("Connection", "close")
        h.end_headers()
        if head:
            return
        body = data[start:end + 1]
        limit = len(body)
        fault = next((k for k in ("cut", "reset", "stall") if k in options), None)
        if fault:
            with self.lock:
                first_time = h.path not in self.cut_done
                self.cut_done.add(h.path)
            if first_time:
                limit = min(limit, int(options[fault]))
            else:
                fault = None
        rate = int(options.get("rate", "0"))
        chunk = 65536 if not rate else max(1024, rate // 20)
        sent = 0
        try:
            while sent < limit:
                n = min(chunk, limit - sent)
                h.wfile.write(body[sent:sent + n])
                sent += n
                if rate:
                    time.sleep(n / rate)
            h.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass
        if fault == "stall":
            self.stopping.wait(60)
        if fault == "reset":
            h.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            h.close_connection = True
            h.connection.close()
            return
        if limit < len(body) or "nolen" in options:
            h.close_connection = True
            try:
                h.connection.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    @staticmethod
    def plain_status(h, status):
        h.send_response(status)
        h.send_header("Content-Length", "0")
        h.end_headers()


NGINX_CONF = """
master_process off;
daemon off;
worker_processes 1;
pid {root}/nginx.pid;
error_log {root}/error.log;
events {{ worker_connections 64; }}
http {{
  access_log {root}/access.log;
  client_body_temp_path {root}/tmp/body;
  proxy_temp_path {root}/tmp/proxy;
  fastcgi_temp_path {root}/tmp/fastcgi;
  uwsgi_temp_path {root}/tmp/uwsgi;
  scgi_temp_path {root}/tmp/scgi;
  types {{ application/octet-stream exe; }}
  default_type application/octet-stream;
  server {{
    listen 127.0.0.1:{port};
    root {root}/www;
    {extra}
  }}
}}
"""


class Nginx:
    """nginx serving {root}/www, with redirect chains: /go/<hops>/<path>
    redirects hop by hop down to /<path>. In `extra`, "@ROOT@" stands for the
    server's folder."""

    def __init__(self, extra=""):
        self.root = tempfile.mkdtemp(prefix="mdx-nginx-")
        os.makedirs(os.path.join(self.root, "tmp"))
        os.makedirs(os.path.join(self.root, "www"))
        self.port = free_port()
        extra = extra.replace("@ROOT@", self.root) + """
    location ~ ^/go/1/(.*)$ { return 302 /$1; }
    location ~ ^/go/2/(.*)$ { return 302 /go/1/$1; }
    location ~ ^/go/3/(.*)$ { return 301 /go/2/$1; }
"""
        conf = os.path.join(self.root, "nginx.conf")
        with open(conf, "w") as f:
            f.write(NGINX_CONF.format(root=self.root, port=self.port, extra=extra))
        self.proc = subprocess.Popen(["/usr/sbin/nginx", "-p", self.root, "-c", conf],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while time.time() < deadline:
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=0.2).close()
                return
            except OSError:
                time.sleep(0.05)
        self.stop()
        raise RuntimeError("nginx did not start")

    def publish(self, rel_path, data):
        path = os.path.join(self.root, "www", rel_path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    def url(self, rel_path):
        return f"http://127.0.0.1:{self.port}/{rel_path}"

    def stop(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        shutil.rmtree(self.root, ignore_errors=True)
