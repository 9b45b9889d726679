"""Starts the test HTTP server: python3 tools/test_server --root <folder> [--port 0] [--ignore-stdin]

Prints "READY <port> <closed_port>" as its only stdout line and serves until its standard input
reaches EOF (so a parent that dies takes it down) or it gets SIGTERM.
"""

import argparse
import os

from lifecycle import serve_until_stopped
from server import TestServer


def main():
    parser = argparse.ArgumentParser(prog="test_server")
    parser.add_argument("--root", required=True, help="folder served under every base prefix")
    parser.add_argument("--port", type=int, default=0, help="0 picks a free port")
    parser.add_argument("--ignore-stdin", action="store_true",
                        help="keep serving at stdin EOF (for scripts that stop it with SIGTERM)")
    args = parser.parse_args()
    if not os.path.isdir(args.root):
        parser.error(f"--root is not a folder: {args.root}")

    serve_until_stopped(TestServer(args.root, args.port), args.ignore_stdin)


if __name__ == "__main__":
    main()
