#!/usr/bin/env python3
"""Serves out/web at http://localhost:8000/ (or the port given) with the headers a web DAW on
another site needs to load Halvo from it: CORS and a cross-origin resource policy."""
import functools
import http.server
import sys
from pathlib import Path


class CrossOriginHandler(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header("Access-Control-Allow-Origin", "*")
        self.send_header("Cross-Origin-Resource-Policy", "cross-origin")
        super().end_headers()


folder = Path(__file__).resolve().parent.parent / "out" / "web"
port = int(sys.argv[1]) if len(sys.argv) > 1 else 8000
handler = functools.partial(CrossOriginHandler, directory=str(folder))
print(f"Halvo: http://localhost:{port}/halvo/index.js")
http.server.ThreadingHTTPServer(("localhost", port), handler).serve_forever()
