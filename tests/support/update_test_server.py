#!/usr/bin/env python3
"""A scripted HTTP server on 127.0.0.1 for the update check's tests.

It answers direct requests and, as a proxy, requests for any host (the absolute URL of
the request line names it), so one server plays both update hosts. Control requests,
made directly to it:
  /__set?host=H&path=P&status=S&body=B   answer GET http://H/P with status S and body B
  /__set?host=H&path=P&stall=1           accept such a request and never answer it
  /__set?host=H&path=P&redirect=URL      answer it with 302 to URL
  /__log                                 "host path" of every other request, one a line
  /__reset                               forget the scripts and the log
  /__quit                                end the server
Any other path of 127.0.0.1 itself: /echo answers with the request line and headers.
Unscripted requests get 404. The server ends by itself after --lifetime seconds.
"""
import argparse
import http.server
import threading
import time
import urllib.parse

scripts = {}
log = []
lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

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
        self.answer(script["status"], script["body"].encode())

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
