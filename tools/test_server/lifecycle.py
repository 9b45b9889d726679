"""How a server process announces itself and ends, shared by every program that runs a TestServer.

The first stdout line is "READY <port> <closed_port>"; the process serves until its standard input
reaches EOF (so a parent that dies takes it down), SIGTERM or SIGINT.
"""

import os
import signal
import socket
import threading


def refused_port():
    """A port that refuses connections at once: bound but never listening, and kept so until exit
    so that no other program can take it meanwhile."""
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.bind(("127.0.0.1", 0))
    return sock


def make_blocking(fd):
    # Wine hands a Linux child its sockets as non-blocking descriptors.
    try:
        os.set_blocking(fd, True)
    except OSError:
        pass


def watch_stdin(stop):
    # The raw descriptor, not sys.stdin: a buffered reader blocked in this daemon thread would
    # abort the interpreter's exit when the server stops for another reason.
    make_blocking(0)
    try:
        while os.read(0, 65536):
            pass
    except OSError:
        pass
    stop.set()


def serve_until_stopped(server, ignore_stdin):
    """Serves on a thread, prints the READY line and returns once told to stop."""
    stop = threading.Event()
    for signum in (signal.SIGTERM, signal.SIGINT):
        signal.signal(signum, lambda *_: stop.set())
    closed = refused_port()
    threading.Thread(target=server.serve_forever, daemon=True).start()
    make_blocking(1)
    print(f"READY {server.server_address[1]} {closed.getsockname()[1]}", flush=True)
    if not ignore_stdin:
        threading.Thread(target=watch_stdin, args=(stop,), daemon=True).start()
    stop.wait()
    server.shutdown()
    server.server_close()
    closed.close()
