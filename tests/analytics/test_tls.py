"""The collection endpoint is verified: with the test CA given through
MELODRIX_CA_BUNDLE a "localhost" certificate signed by it receives the batch,
one signed by another CA receives nothing and the send is reported failed."""
import os
import shutil
import ssl
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "download"))
from tlscerts import make_certificates  # noqa: E402

from collector import Collector  # noqa: E402
import test_tracker  # noqa: E402


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def context(key, cert):
    c = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    c.load_cert_chain(cert, key)
    return c


class CollectorTls(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="mdx-analytics-tls-")
        cls.ca, cls.good, cls.rogue = make_certificates(os.path.join(cls.root, "certs"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root, ignore_errors=True)

    def setUp(self):
        test_tracker.clean_settings()
        os.environ["MELODRIX_CA_BUNDLE"] = win_path(self.ca)

    def tearDown(self):
        os.environ.pop("MELODRIX_CA_BUNDLE", None)

    def test_certificate_of_the_bundle_ca_passes(self):
        with Collector(context(*self.good)) as c:
            p = test_tracker.run_tool(c.url, "click:Secure")
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual([r["properties"]["qx_name"] for r in c.records()], ["Secure"], p.stderr)

    def test_certificate_of_another_ca_is_refused(self):
        with Collector(context(*self.rogue)) as c:
            p = test_tracker.run_tool(c.url, "click:Rogue")
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual(c.records(), [])
            self.assertIn("TelemetryCore SDK send failed: ", p.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
