#!/usr/bin/env python3
"""tools/sign on the shipped program, with throwaway certificates made here by openssl: the
signed program verifies against its certificate and no other, passes every program check,
still starts under Wine and closes with exit code 0, and differs from the unsigned one only in
the signature. Signing is repeatable, replaces an earlier signature, and fails cleanly.
Run by CTest under tools/test, which exports the prefix, the display and the Wine loader.

    sign_test.py --exe EXE --arch ARCH --skin-zip ZIP --skin DIR --version A.B.C.D --tools DIR
"""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "lib"))
import check_uninstaller_pe as pe  # noqa: E402
import varn_x11 as x  # noqa: E402

# Any fixed signing time gives the same signature on every run.
SIGNING_TIME = "1700000000"
# DER identifiers of a counter-signature: classic Authenticode and RFC 3161.
TIME_STAMP_OIDS = (bytes.fromhex("06092a864886f70d010906"), bytes.fromhex("060a2b060104018237030301"))

results = []


def check(name, ok, detail=""):
    results.append(bool(ok))
    print(f"{'ok  ' if ok else 'FAIL'} {name}" + (f": {detail}" if detail and not ok else ""))
    return ok


def run(*command, **kwargs):
    return subprocess.run([str(c) for c in command], capture_output=True, text=True, **kwargs)


def make_certificate(folder, name):
    """A self-signed code-signing certificate and its unencrypted key."""
    cert, key = os.path.join(folder, name + ".pem"), os.path.join(folder, name + ".key")
    made = run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
               "-subj", "/CN=Varnholt throwaway " + name, "-keyout", key, "-out", cert,
               "-addext", "keyUsage=critical,digitalSignature", "-addext", "extendedKeyUsage=codeSigning")
    if made.returncode != 0:
        raise SystemExit("openssl could not make a certificate:\n" + made.stderr)
    return cert, key


def verifies(exe, cert):
    return run("osslsigncode", "verify", "-CAfile", cert, "-in", exe).returncode == 0


def unsigned_part(data):
    """The image as the signature covers it: without the certificate table, the checksum and the
    table's directory entry, zero-padded to 8 bytes as signing pads it."""
    image = pe.Image(data)
    offset, size = image.directories[pe.SECURITY_DIRECTORY]
    body = bytearray(data[:offset] if size else data)
    body[image.checksum_at:image.checksum_at + 4] = bytes(4)
    entry = image.directories_at + 8 * pe.SECURITY_DIRECTORY
    body[entry:entry + 8] = bytes(8)
    body += bytes(-len(body) % 8)
    return bytes(body)


def signature_blob(data):
    offset, size = pe.Image(data).directories[pe.SECURITY_DIRECTORY]
    return data[offset:offset + size]


class Signing:
    def __init__(self, args, folder):
        self.args, self.folder = args, folder
        self.sign_tool = os.path.join(args.tools, "sign")
        with open(args.exe, "rb") as f:
            self.original = f.read()

    def copy(self, name):
        path = os.path.join(self.folder, name)
        with open(path, "wb") as f:
            f.write(self.original)
        return path

    def sign(self, exe, *options):
        return run(self.sign_tool, *options, "--time", SIGNING_TIME, exe)

    def program_check(self, exe):
        return run(sys.executable, os.path.join(HERE, "check_uninstaller_pe.py"), exe, self.args.arch,
                   "--skin", self.args.skin_zip, "--version", self.args.version, "--signed")


def case_pem(signing, cert, key, stranger_cert):
    exe = signing.copy("pem.exe")
    signed = signing.sign(exe, "--cert", cert, "--key", key)
    if not check("signs with --cert and --key", signed.returncode == 0, signed.stderr):
        return None
    check("verifies against its certificate", verifies(exe, cert))
    check("does not verify against another certificate", not verifies(exe, stranger_cert))
    checked = signing.program_check(exe)
    check("passes every program check, signed", checked.returncode == 0, checked.stdout)
    with open(exe, "rb") as f:
        data = f.read()
    check("differs from the unsigned program only in the signature",
          unsigned_part(data) == unsigned_part(signing.original))
    blob = signature_blob(data)
    check("no time stamp unless asked for", not any(oid in blob for oid in TIME_STAMP_OIDS))
    return exe


def case_pkcs12(signing, cert, key, pem_exe):
    password = os.path.join(signing.folder, "password.txt")
    with open(password, "w") as f:
        f.write("throwaway secret\n")
    bundle = os.path.join(signing.folder, "bundle.p12")
    made = run("openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", bundle,
               "-passout", "file:" + password)
    if made.returncode != 0:
        raise SystemExit("openssl could not make a PKCS#12 file:\n" + made.stderr)
    exe = signing.copy("pkcs12.exe")
    signed = signing.sign(exe, "--pkcs12", bundle, "--pass-file", password)
    if not check("signs with --pkcs12 and --pass-file", signed.returncode == 0, signed.stderr):
        return
    check("PKCS#12 signature verifies", verifies(exe, cert))
    if pem_exe:
        with open(exe, "rb") as a, open(pem_exe, "rb") as b:
            check("same key, certificate and time: the same signed bytes", a.read() == b.read())

    with open(password, "w") as f:
        f.write("not the password\n")
    wrong = signing.copy("wrong.exe")
    refused = signing.sign(wrong, "--pkcs12", bundle, "--pass-file", password)
    with open(wrong, "rb") as f:
        untouched = f.read() == signing.original
    check("a wrong password fails and leaves the program unsigned", refused.returncode != 0 and untouched,
          f"exit {refused.returncode}")


def case_resign(signing, pem_exe, cert, stranger_cert, stranger_key):
    resigned = signing.sign(pem_exe, "--cert", stranger_cert, "--key", stranger_key)
    check("signing a signed program replaces its signature",
          resigned.returncode == 0 and verifies(pem_exe, stranger_cert) and not verifies(pem_exe, cert) and
          signing.program_check(pem_exe).returncode == 0, resigned.stderr)


def case_runs(signing, exe):
    """Starts the signed program, waits for its uninstall page and leaves by the cancel button."""
    loader = os.environ.get("VARN_WINE_LOADER")
    if not check("run by tools/test (Wine and display set)", loader and os.environ.get("DISPLAY")):
        return
    x.wait_no_window(x.UNINSTALLER_TITLE)
    x.park_pointer()
    process = subprocess.Popen([loader, exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window = x.find_window(x.UNINSTALLER_TITLE)
        x.Skin(signing.args.skin).wait_uninstall_page(window)
        x.click_centre(window, x.BUTTON_CANCEL)
        code = process.wait(30)
        check("the signed program shows its page under Wine and exits with 0", code == 0, f"exit {code}")
    except (x.Timeout, subprocess.TimeoutExpired) as error:
        state = "still running" if process.poll() is None else f"ended with {process.returncode:#x}"
        check("the signed program shows its page under Wine and exits with 0", False, f"{error} (program {state})")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
        x.park_pointer()


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    for option in ("exe", "arch", "skin-zip", "skin", "version", "tools"):
        parser.add_argument("--" + option, required=True)
    args = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="varn-sign-")
    try:
        signing = Signing(args, folder)
        cert, key = make_certificate(folder, "vendor")
        stranger_cert, stranger_key = make_certificate(folder, "stranger")
        pem_exe = case_pem(signing, cert, key, stranger_cert)
        case_pkcs12(signing, cert, key, pem_exe)
        if pem_exe:
            case_runs(signing, pem_exe)
            case_resign(signing, pem_exe, cert, stranger_cert, stranger_key)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    failed = results.count(False)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
