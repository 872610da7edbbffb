#!/usr/bin/env python3
"""Local reference server for the launcher: the version server and the publisher's pages.

Python 3 standard library only. It keeps the two contracts the launcher relies on and nothing more.

The version server
    GET /getClientVersion.php?p=yarvo&g=kolv&v=<file version>
    The body is the whole answer, read in the client's ANSI code page, shorter than 1,024 bytes.
    An answer of at most 5 characters, or one starting with a negative number such as "-1", means
    "no update". Any other answer is the address of the new executable; the launcher downloads it
    with a plain GET, needs a Content-Length header and installs the file only when exactly that
    many bytes arrive. The launcher compares no versions: the server decides (with
    --current-version, a launcher already at the served version is told "no update").

The publisher's pages
    GET /client/gamecode/kolv/mac/<hardware address>/   the login page (a sign-in form and a server list)
    GET /client/gamecode/kolv/play_gamecode.php?svname=<name>&sid=<n>
        the game page. The launcher takes any navigation whose address contains "play_gamecode" as
        the game address and reads the server's name from svname (UTF-8, percent-encoded).

Options choose the answers (see --help). Tests may also choose per request, without restarting:
    /answer/<kind>[/<download mode>]/getClientVersion.php?...   the version answer of that kind
    /download/<mode>/<file name>                                 the served file in that mode
so a test points the launcher's base address at http://host:port/answer/<kind>.

Every request is logged as one JSON line (method, path, query, headers) on standard error and,
with --request-log, appended to that file.
"""
import argparse
import html
import json
import os
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ANSWER_KINDS = {
    "none": "no update: -1",
    "update": "the address of the served file (--file), downloaded in --download mode",
    "five": "five characters, 12345: no update",
    "six-digits": "six digits, 123456: taken as a download address",
    "padded": "blanks around -1: no update",
    "empty": "an empty body with status 200: no update",
    "404": "status 404",
    "overlong": "an address padded to 1,100 bytes: longer than the launcher supports",
}
DOWNLOAD_MODES = {
    "normal": "the whole file with its Content-Length",
    "chunked": "chunked transfer encoding, no Content-Length",
    "short": "one byte less than the announced Content-Length, then the connection closes",
    "404": "status 404",
    "slow": "the whole file in 16 KiB pieces, 20 ms apart",
    "drop": "half the announced length, then the connection is dropped",
}
DEFAULT_SERVERS = ["一区 龙腾四海", "二区 风起云涌", "三区 岳临天下", "Test-1"]


class Config:
    def __init__(self, args):
        self.answer = args.answer
        self.download = args.download
        self.file = os.path.abspath(args.file) if args.file else None
        self.current_version = args.current_version
        self.servers = args.servers
        self.request_log = args.request_log
        self.log_lock = threading.Lock()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "RadureDevServer/1.0"
    config = None  # set by serve()

    def log_message(self, format, *args):  # the JSON request log replaces the default lines
        pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        self.record(url)
        path = url.path
        parts = [p for p in path.split("/") if p]
        query = urllib.parse.parse_qs(url.query)
        if parts and parts[-1] == "getClientVersion.php":
            self.version_answer(parts[:-1], query)
        elif len(parts) >= 2 and parts[0] == "download":
            mode = parts[1]
            name = "/".join(parts[2:])
            self.download(mode, name)
        elif parts[:4] == ["client", "gamecode", "kolv", "mac"] and len(parts) == 5:
            self.login_page(urllib.parse.unquote(parts[4]))
        elif parts[:3] == ["client", "gamecode", "kolv"] and len(parts) == 4 and "play_gamecode" in parts[3]:
            name = query.get("svname", [""])[0]
            self.game_page(name)
        else:
            self.send_body(404, b"not found\n", "text/plain")

    # --- the request log -------------------------------------------------------------------
    def record(self, url):
        entry = {
            "time": time.time(),
            "method": self.command,
            "path": url.path,
            "query": url.query,
            "headers": {k: v for k, v in self.headers.items()},
        }
        line = json.dumps(entry, ensure_ascii=False)
        with self.config.log_lock:
            print(line, file=sys.stderr, flush=True)
            if self.config.request_log:
                with open(self.config.request_log, "a", encoding="utf-8") as f:
                    f.write(line + "\n")

    # --- the version server -----------------------------------------------------------------
    def version_answer(self, prefix, query):
        kind, mode = self.config.answer, self.config.download
        if prefix[:1] == ["answer"] and len(prefix) >= 2:
            kind = prefix[1]
            if len(prefix) >= 3:
                mode = prefix[2]
        if kind == "update" and self.config.current_version and \
                query.get("v", [""])[0] == self.config.current_version:
            kind = "none"
        if kind not in ANSWER_KINDS or mode not in DOWNLOAD_MODES:
            self.send_body(400, b"unknown answer kind or download mode\n", "text/plain")
            return
        if kind == "404":
            self.send_body(404, b"", "text/plain")
            return
        address = self.download_address(mode)
        body = {
            "none": "-1",
            "update": address,
            "five": "12345",
            "six-digits": "123456",
            "padded": "  -1  ",
            "empty": "",
            "overlong": address + "?" + "x" * max(0, 1100 - len(address) - 1),
        }[kind]
        self.send_body(200, body.encode("gbk"), "text/plain; charset=gbk")

    def download_address(self, mode):
        name = os.path.basename(self.config.file) if self.config.file else "Radure_YV.exe"
        host = self.headers.get("Host") or "%s:%d" % self.server.server_address[:2]
        return "http://%s/download/%s/%s" % (host, mode, urllib.parse.quote(name))

    # --- the download -----------------------------------------------------------------------
    def download(self, mode, name):
        if mode not in DOWNLOAD_MODES:
            self.send_body(400, b"unknown download mode\n", "text/plain")
            return
        file = self.config.file
        if mode == "404" or not file or urllib.parse.unquote(name) != os.path.basename(file):
            self.send_body(404, b"", "application/octet-stream")
            return
        with open(file, "rb") as f:
            data = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Connection", "close")
        self.close_connection = True
        if mode == "chunked":
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for at in range(0, len(data), 4096):
                piece = data[at:at + 4096]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
            return
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        if mode == "short":
            self.wfile.write(data[:-1])
        elif mode == "drop":
            self.wfile.write(data[:len(data) // 2])
            self.wfile.flush()
            self.connection.shutdown(2)
        elif mode == "slow":
            for at in range(0, len(data), 16384):
                self.wfile.write(data[at:at + 16384])
                self.wfile.flush()
                time.sleep(0.02)
        else:
            self.wfile.write(data)

    # --- the publisher's pages ----------------------------------------------------------------
    def login_page(self, hardware_address):
        links = "\n".join(
            '<li><a href="/client/gamecode/kolv/play_gamecode.php?svname=%s&amp;sid=%d">%s</a></li>'
            % (urllib.parse.quote(name, encoding="utf-8"), number, html.escape(name))
            for number, name in enumerate(self.config.servers, start=1))
        page = LOGIN_PAGE.format(mac=html.escape(hardware_address), links=links)
        self.send_body(200, page.encode("utf-8"), "text/html; charset=utf-8")

    def game_page(self, server_name):
        page = GAME_PAGE.format(server=html.escape(server_name))
        self.send_body(200, page.encode("utf-8"), "text/html; charset=utf-8")

    def send_body(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)


LOGIN_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>澜岳 登录</title>
<style>
body {{ margin: 0; background: #1b130d; color: #dac29d; font: 14px "WenQuanYi Zen Hei", sans-serif; }}
form {{ padding: 16px 24px 8px; }}
input {{ width: 180px; background: #2b1f15; color: #fff5d3; border: 1px solid #6b4f2f; padding: 4px; }}
button {{ background: #8a5a24; color: #fff3cd; border: 0; padding: 5px 18px; }}
ul {{ list-style: none; padding: 0 24px; }}
a {{ color: #fff3cd; }}
</style></head>
<body>
<form onsubmit="return false"><p>账号 <input name="user"></p><p>密码 <input name="pass" type="password"></p>
<p><button>登录</button></p></form>
<ul>
{links}
</ul>
<p style="padding: 0 24px; font-size: 11px; color: #6b4f2f">{mac}</p>
</body></html>
"""

GAME_PAGE = """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>澜岳 - {server}</title></head>
<body style="margin:0; background:#0e0a07; color:#dac29d; font:16px sans-serif">
<h1 style="text-align:center; margin-top:20%">澜岳</h1>
<p style="text-align:center">{server}</p>
</body></html>
"""


def serve(args):
    Handler.config = Config(args)
    server = ThreadingHTTPServer((args.host, args.port), Handler)
    server.daemon_threads = True
    port = server.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write("%d\n" % port)
        os.replace(args.port_file + ".tmp", args.port_file)
    print("devserver: http://%s:%d/ (answer %s, download %s)" % (args.host, port, args.answer, args.download),
          file=sys.stderr, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


def main(argv=None):
    kinds = "; ".join("%s: %s" % item for item in ANSWER_KINDS.items())
    modes = "; ".join("%s: %s" % item for item in DOWNLOAD_MODES.items())
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=18620, help="0 picks a free port (see --port-file)")
    parser.add_argument("--port-file", help="write the port the server listens on into this file")
    parser.add_argument("--answer", default="none", choices=ANSWER_KINDS, help="the version answer. " + kinds)
    parser.add_argument("--download", default="normal", choices=DOWNLOAD_MODES,
                        help="how the served file is sent. " + modes)
    parser.add_argument("--file", help="the new executable that an update answer names")
    parser.add_argument("--current-version",
                        help="the version of --file: a launcher that asks with exactly this version is "
                             "told there is no update, as a real version server would")
    parser.add_argument("--servers", nargs="+", default=DEFAULT_SERVERS, help="the login page's server names")
    parser.add_argument("--request-log", help="append every request as a JSON line to this file")
    serve(parser.parse_args(argv))


if __name__ == "__main__":
    main()
