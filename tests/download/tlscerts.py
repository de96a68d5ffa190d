"""Test certificates made at test time with openssl: a test CA, a server
certificate for "localhost" signed by it, and one signed by another CA."""
import os
import subprocess


def _run(*args):
    subprocess.run(["openssl", *args], check=True, capture_output=True)


def _ca(folder, name):
    key, cert = os.path.join(folder, f"{name}.key"), os.path.join(folder, f"{name}.pem")
    _run("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert, "-days", "2",
         "-subj", f"/CN=Melodrix Test {name}", "-addext", "basicConstraints=critical,CA:TRUE",
         "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    return key, cert


def _leaf(folder, name, ca_key, ca_cert):
    key, csr, cert = (os.path.join(folder, f"{name}.{ext}") for ext in ("key", "csr", "pem"))
    ext = os.path.join(folder, f"{name}.ext")
    with open(ext, "w") as f:
        f.write("subjectAltName=DNS:localhost\nbasicConstraints=CA:FALSE\n"
                "keyUsage=digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\n")
    _run("req", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", csr, "-subj", "/CN=localhost")
    _run("x509", "-req", "-in", csr, "-CA", ca_cert, "-CAkey", ca_key, "-CAcreateserial", "-out", cert,
         "-days", "2", "-extfile", ext)
    return key, cert


def make_certificates(folder):
    """Returns (ca bundle path, (good key, good cert), (rogue key, rogue cert))."""
    os.makedirs(folder, exist_ok=True)
    ca_key, ca_cert = _ca(folder, "ca")
    other_key, other_cert = _ca(folder, "otherca")
    good = _leaf(folder, "good", ca_key, ca_cert)
    rogue = _leaf(folder, "rogue", other_key, other_cert)
    return ca_cert, good, rogue
