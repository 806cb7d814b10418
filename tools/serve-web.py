#!/usr/bin/env python3
"""Serves a folder (the browser build's page) on http://127.0.0.1:PORT/ until Ctrl+C.

    tools/serve-web.py DIR [PORT]      (PORT 8080 by default)

Only this machine can reach it. WebAssembly goes out as application/wasm, so
that browsers compile it while it downloads, and nothing is cached, so a
rebuilt page is what the browser gets.
"""
import functools
import http.server
import sys


class PageHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".js": "text/javascript", ".svg": "image/svg+xml", ".ttf": "font/ttf"}

    def end_headers(self):
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def log_message(self, format, *args):  # one quiet line per failed request only
        if len(args) > 1 and str(args[1]).startswith(("4", "5")):
            sys.stderr.write("serve-web: %s\n" % (format % args))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: serve-web.py DIR [PORT]")
    folder = sys.argv[1]
    text = sys.argv[2] if len(sys.argv) == 3 else "8080"
    if not text.isdigit() or not 1 <= int(text) <= 65535:
        sys.exit("serve-web: the port must be a number from 1 to 65535, not %r" % text)
    port = int(text)
    handler = functools.partial(PageHandler, directory=folder)
    try:
        server = http.server.ThreadingHTTPServer(("127.0.0.1", port), handler)
    except OSError as error:
        sys.exit("serve-web: cannot serve on 127.0.0.1:%d: %s (is the port in use? give another: ./run.sh --web PORT)"
                 % (port, error.strerror))
    print("Quellor in the browser: http://127.0.0.1:%d/  (Ctrl+C stops it)" % port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        print()
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
