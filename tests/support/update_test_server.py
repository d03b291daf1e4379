#!/usr/bin/env python3
"""A scripted HTTP server on 127.0.0.1 for the update check's tests.

It answers direct requests and, as a proxy, requests for any host (the absolute URL of
the request line names it), so one server plays both update hosts. Control requests,
made directly to it:
  /__set?host=H&path=P&status=S&body=B   answer GET http://H/P with status S and body B
  /__set?host=H&path=P&stall=1           accept such a request and never answer it
  /__set?host=H&path=P&redirect=URL      answer it with 302 to URL
  /__file?host=H&path=P&source=F&version=V[&sign=dev|other|none][&tamper=1][&rate=R]
          [&nosize=1][&stall_after=N]
      answer GET http://H/P with the bytes of the local file F, and P + ".sig" with their
      update signature for the name of P and version V: by the development key, by another
      key, or none. tamper=1 changes one byte after signing; rate=R sends R bytes a second;
      nosize=1 announces no size (the body ends when the connection closes); stall_after=N
      stops sending after N bytes and never goes on.
  /__log                                 "host path" of every other request, one a line
  /__reset                               forget the scripts and the log
  /__quit                                end the server
Any other path of 127.0.0.1 itself: /echo answers with the request line and headers.
Unscripted requests get 404. The server ends by itself after --lifetime seconds.
"""
import argparse
import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "scripts", "lib"))
import update_signature  # noqa: E402

DEVELOPMENT_KEY = os.path.join(ROOT, "keys", "update-development.pem")

scripts = {}
log = []
lock = threading.Lock()
PIECE = 16384


@functools.lru_cache(maxsize=None)
def other_key():
    """A private key that is not the development one, made once per server."""
    path = os.path.join(tempfile.mkdtemp(prefix="kestrova-other-key-"), "other.pem")
    subprocess.run(["openssl", "genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-256",
                    "-out", path], check=True, capture_output=True)
    return path


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def handle(self):
        try:
            super().handle()
        except (BrokenPipeError, ConnectionResetError):
            pass  # a client that went, such as a cancelled download

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        target = urllib.parse.urlsplit(self.path)
        host = target.hostname or self.headers.get("Host", "").split(":")[0]
        path = target.path
        query = urllib.parse.parse_qs(target.query)
        if host == "127.0.0.1" and path.startswith("/__"):
            return self.control(path, query)
        if host == "127.0.0.1" and path == "/echo":
            text = self.requestline + "\r\n" + str(self.headers)
            return self.answer(200, text.encode())
        with lock:
            log.append(host + " " + path)
            script = scripts.get((host, path))
        if script is None:
            return self.answer(404, b"not found")
        if script.get("stall"):
            time.sleep(3600)
            return
        if script.get("redirect"):
            return self.answer(302, b"", [("Location", script["redirect"])])
        if "file" in script:
            return self.send_file(script)
        self.answer(script["status"], script["body"].encode())

    def send_file(self, script):
        data = script["file"]
        self.send_response(200)
        if script["nosize"]:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        for start in range(0, len(data), PIECE):
            if script["stall_after"] is not None and start >= script["stall_after"]:
                time.sleep(3600)
                return
            piece = data[start:start + PIECE]
            self.wfile.write(piece)
            if script["rate"]:
                time.sleep(len(piece) / script["rate"])

    def control(self, path, query):
        first = {name: values[0] for name, values in query.items()}
        with lock:
            if path == "/__set":
                scripts[(first["host"], first["path"])] = {
                    "status": int(first.get("status", "200")),
                    "body": first.get("body", ""),
                    "stall": first.get("stall") == "1",
                    "redirect": first.get("redirect"),
                }
            elif path == "/__file":
                self.add_file(first)
            elif path == "/__reset":
                scripts.clear()
                log.clear()
            elif path == "/__log":
                return self.answer(200, "".join(line + "\n" for line in log).encode())
            elif path == "/__quit":
                self.answer(200)
                threading.Thread(target=self.server.shutdown).start()
                return
        self.answer(200)


    @staticmethod
    def add_file(first):
        """Scripts a download and its signature file; called with the lock held."""
        with open(first["source"], "rb") as f:
            data = f.read()
        host, path = first["host"], first["path"]
        sign = first.get("sign", "dev")
        if sign != "none":
            key = DEVELOPMENT_KEY if sign == "dev" else other_key()
            message = update_signature.message(path.rsplit("/", 1)[-1], first["version"], data)
            scripts[(host, path + ".sig")] = {"status": 200, "body": update_signature.signature_line(message, key) + "\n"}
        if first.get("tamper") == "1":
            middle = len(data) // 2
            data = data[:middle] + bytes([data[middle] ^ 1]) + data[middle + 1:]
        stall_after = first.get("stall_after")
        scripts[(host, path)] = {
            "file": data,
            "rate": float(first.get("rate", "0")),
            "nosize": first.get("nosize") == "1",
            "stall_after": int(stall_after) if stall_after is not None else None,
        }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--lifetime", type=float, default=900)
    arguments = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", arguments.port), Handler)
    server.daemon_threads = True
    lifetime = threading.Timer(arguments.lifetime, server.shutdown)
    lifetime.daemon = True
    lifetime.start()
    server.serve_forever()


if __name__ == "__main__":
    main()
