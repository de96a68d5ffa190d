"""A loopback analytics collector: accepts the form body
"data_list=<urlencoded base64 of gzip(json array)>&gzip=1", decodes it and
keeps every batch. It can answer another status, stall past the client's
timeout, or drop the connection."""
import base64
import gzip
import http.server
import json
import threading
import time
import urllib.parse


class Collector:
    def __init__(self, tls_context=None):
        self.batches = []      # list of lists of records
        self.bodies = []       # raw request bodies
        self.errors = []
        self.mode = "ok"       # ok | status | stall | drop
        self.status = 500
        self.stall_seconds = 5
        self._lock = threading.Lock()
        collector = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def log_message(self, *args):
                pass

            def do_POST(self):
                length = int(self.headers.get("Content-Length", "0"))
                body = self.rfile.read(length).decode("ascii", "replace")
                mode = collector.mode
                if mode == "drop":
                    self.connection.close()
                    return
                if mode == "stall":
                    time.sleep(collector.stall_seconds)
                    return
                if mode == "status":
                    self.send_response(collector.status)
                    self.end_headers()
                    self.wfile.write(b"refused")
                    return
                try:
                    records = collector.decode(body)
                except Exception as exc:  # a malformed body is a test failure
                    collector.errors.append(repr(exc))
                    self.send_response(400)
                    self.end_headers()
                    return
                with collector._lock:
                    collector.bodies.append(body)
                    collector.batches.append(records)
                self.send_response(200)
                self.send_header("Content-Length", "2")
                self.end_headers()
                self.wfile.write(b"ok")

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        port = self.server.server_address[1]
        self.url = "http://127.0.0.1:%d/sa?project=test" % port
        if tls_context is not None:
            self.server.socket = tls_context.wrap_socket(self.server.socket, server_side=True)
            # "localhost" is what the test certificate names; it resolves to 127.0.0.1.
            self.url = "https://localhost:%d/sa?project=test" % port
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)

    @staticmethod
    def decode(body):
        if not body.startswith("data_list=") or not body.endswith("&gzip=1"):
            raise ValueError("unexpected body form: %r" % body[:40])
        encoded = body[len("data_list="):-len("&gzip=1")]
        raw = base64.b64decode(urllib.parse.unquote(encoded), validate=True)
        records = json.loads(gzip.decompress(raw).decode("utf-8"))
        if not isinstance(records, list):
            raise ValueError("batch is not a JSON array")
        return records

    def records(self):
        with self._lock:
            return [r for b in self.batches for r in b]

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()
