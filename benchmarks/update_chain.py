#!/usr/bin/env python3
"""Times the whole self-update chain next to curl fetching the same file from the same server.

    benchmarks/update_chain.py [--runs N] [--size BYTES]

Builds the windows-x64 helpers, serves the 1.0.1.1 launcher padded to --size bytes (5 MB by
default; the padding is an overlay after the image, so it is still the same executable), and for
each run installs the 1.0.1.0 old launcher afresh and measures from its start until the "-d"
instance has logged its last line. curl downloads the same address as often. Prints the medians
and their ratio. A measurement, not a test: it passes or fails nothing.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from update_log import log_messages  # noqa: E402
from wine_session import WineSession  # noqa: E402

BUILD = os.path.join(ROOT, "build", "windows-x64")
DATA = r"C:\users\root\AppData\Roaming\yarvo\kolv"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--size", type=int, default=5 * 1000 * 1000)
    args = parser.parse_args()

    subprocess.run(["cmake", "--preset", "windows-x64"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "windows-x64", "--target", "updatecheck", "Radure_YV_1011"],
                   cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    old = os.path.join(BUILD, "tests", "e2e", "updatecheck.exe")
    new = os.path.join(BUILD, "tests", "e2e", "Radure_YV_1011.exe")

    scripts = os.path.join(ROOT, "scripts")
    work = tempfile.mkdtemp(prefix="radure-bench-")
    served = os.path.join(work, "Radure_YV.exe")
    shutil.copy(new, served)
    with open(served, "ab") as f:
        f.write(b"\0" * max(0, args.size - os.path.getsize(served)))
    server_dir = os.path.join(work, "server")
    subprocess.run([os.path.join(scripts, "devserver"), "start", server_dir, "--answer", "update",
                    "--file", served], check=True)
    base = "http://127.0.0.1:%d" % int(open(os.path.join(server_dir, "port")).read())
    download = base + "/download/normal/Radure_YV.exe"

    chain, fetch = [], []
    try:
        with WineSession(scripts, os.path.join(work, "session")) as session:
            installed = session.unix_path(DATA + r"\Radure_YV.exe")
            log = session.unix_path(DATA + r"\res\update.log")
            for _ in range(args.runs):
                shutil.rmtree(session.unix_path(DATA), ignore_errors=True)
                os.makedirs(os.path.dirname(log))
                shutil.copy(old, installed)
                started = time.monotonic()
                session.run(installed, base)
                while len(log_messages(log)) < 11:
                    if time.monotonic() - started > 120:
                        sys.exit("the chain did not finish: %s" % log_messages(log))
                    time.sleep(0.01)
                chain.append(time.monotonic() - started)

                started = time.monotonic()
                subprocess.run(["curl", "-s", "-o", os.path.join(work, "curl.out"), download], check=True)
                fetch.append(time.monotonic() - started)
    finally:
        subprocess.run([os.path.join(scripts, "devserver"), "stop", server_dir], check=False)
        shutil.rmtree(work, ignore_errors=True)

    chain_median, fetch_median = statistics.median(chain), statistics.median(fetch)
    print("file: %d bytes, %d runs" % (args.size, args.runs))
    print("update chain (old launcher start to the restarted copy's last log line): %.3f s" % chain_median)
    print("curl download of the same file:                                          %.3f s" % fetch_median)
    print("ratio: %.1f" % (chain_median / fetch_median))


if __name__ == "__main__":
    main()
