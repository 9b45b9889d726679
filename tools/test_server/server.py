"""The HTTP side: files under any base prefix, the control calls, sinks and the address echo.

Programs built on the server (the sample publisher) add answers of their own through `routes`: a
map from an exact request path (without the query) to a function of a `RoutedRequest` that returns
`(status, content_type, body bytes)`. A routed path under /_control/ is a control call of that
program (not logged, no faults); any other routed path is served like a file (logged, faults apply,
Range ignored).
"""

import http.server
import json
import os
import socket
import sys
import time
import urllib.parse

from byte_ranges import Ranges, parse_range
from faults import Fault, FaultError, FaultTable
from request_log import RequestLog

CONTROL_PREFIX = "/_control/"
SINK_PREFIX = "/sink/"
IP_PATH = "/ip"
MAX_REQUEST_BODY = 16 * 1024 * 1024
CHUNK = 256 * 1024
NO_FAULT = Fault({})


class FileSource:
    """A body read from a file; bytes past its end read as zeros (for the surplus-bytes fault)."""

    def __init__(self, path):
        self.file = open(path, "rb")
        self.size = os.fstat(self.file.fileno()).st_size

    def read(self, offset, count):
        data = b""
        if offset < self.size:
            self.file.seek(offset)
            data = self.file.read(min(count, self.size - offset))
        return data + bytes(count - len(data))

    def close(self):
        self.file.close()


class BytesSource:
    def __init__(self, data):
        self.file = None
        self.data = data
        self.size = len(data)

    def read(self, offset, count):
        data = self.data[offset:offset + count]
        return data + bytes(count - len(data))

    def close(self):
        pass


class RoutedRequest:
    def __init__(self, method, path, query, body):
        self.method, self.path, self.query, self.body = method, path, query, body


class TestServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 128

    def __init__(self, root, port=0, routes=None):
        self.root = os.path.realpath(root)
        self.faults = FaultTable()
        self.log = RequestLog()
        self.routes = dict(routes or {})
        super().__init__(("127.0.0.1", port), Handler)

    def handle_error(self, request, client_address):
        # A client that hangs up mid-answer is normal here (truncation, cancels, kills).
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "TestServer/1"

    def log_message(self, format, *args):
        pass  # the request log is the record; stderr is kept for real errors

    def do_GET(self):
        self._dispatch()

    def do_HEAD(self):
        self._dispatch()

    def do_POST(self):
        self._dispatch()

    # -- request handling ------------------------------------------------------------------

    def _dispatch(self):
        try:
            path, _, query = self.path.partition("?")
            body = self._read_body()
            if body is None:
                return
            if path.startswith(CONTROL_PREFIX):
                self._control(path, query, body)
            else:
                self._log(path, query, body)
                self._serve(path, query, body)
        except (ConnectionError, socket.timeout):
            self.close_connection = True

    def _read_body(self):
        if self.headers.get("Transfer-Encoding"):
            self._send_simple(501, b"chunked request bodies are not supported\n")
            self.close_connection = True
            return None
        try:
            length = int(self.headers.get("Content-Length") or 0)
        except ValueError:
            length = -1
        if length < 0 or length > MAX_REQUEST_BODY:
            self._send_simple(413, b"bad request body length\n")
            self.close_connection = True
            return None
        return self.rfile.read(length)

    def _log(self, path, query, body):
        self.server.log.add({
            "method": self.command,
            "path": path,
            "query": query,
            "range": self.headers.get("Range", ""),
            "user_agent": self.headers.get("User-Agent", ""),
            "content_type": self.headers.get("Content-Type", ""),
            "body": body.decode("utf-8", errors="replace"),
        })

    def _serve(self, path, query, body):
        fault = self.server.faults.match(path) or NO_FAULT
        if fault.delay_ms:
            time.sleep(fault.delay_ms / 1000)
        status = fault.take_failure_status()
        if status is not None:
            self._send_simple(status, f"fault status {status}\n".encode(), fault=fault)
            return
        if fault.redirect is not None:
            self._send_simple(302, b"redirected\n", {"Location": fault.redirect}, fault)
            return
        if fault.raw is not None:
            self._send_source(BytesSource(fault.raw.encode()), fault.content_type or "application/json", fault,
                              ranged=False)
        elif path in self.server.routes:
            self._send_routed(path, query, body, fault)
        elif path == IP_PATH:
            self._send_source(BytesSource(self.client_address[0].encode()), "text/plain", fault, ranged=False)
        elif path.startswith(SINK_PREFIX):
            self._send_source(BytesSource(b'{"code":0}'), "application/json", fault, ranged=False)
        else:
            file_path = self._file_for(path)
            if file_path is None:
                self._send_simple(404, b"not found\n", fault=fault)
                return
            self._send_source(FileSource(file_path), "application/octet-stream", fault, ranged=True)

    def _file_for(self, path):
        """The file that /<base>/<relative path> names under the root, or None; never outside it."""
        segments = urllib.parse.unquote(path).split("/")[2:]
        if not segments or any(s in ("", ".", "..") or "\\" in s or "\0" in s for s in segments):
            return None
        full = os.path.realpath(os.path.join(self.server.root, *segments))
        if not full.startswith(self.server.root + os.sep) or not os.path.isfile(full):
            return None
        return full

    # -- answers ---------------------------------------------------------------------------

    def _send_simple(self, status, body, headers=None, fault=NO_FAULT):
        if status < 200 or status in (204, 304):
            body = b""
        self._send_source(BytesSource(body), "text/plain", fault, ranged=False, status=status, headers=headers)

    def _send_source(self, source, content_type, fault, ranged, status=200, headers=None):
        try:
            size = source.size
            kind, start, end = Ranges.NONE, 0, size - 1
            if ranged and not fault.ignore_range:
                kind, start, end = parse_range(self.headers.get("Range"), size)
            headers = dict(headers or {})
            if ranged:
                headers["Accept-Ranges"] = "bytes"
            if kind == Ranges.UNSATISFIABLE:
                headers["Content-Range"] = f"bytes */{size}"
                status, start, end = 416, 0, -1
                source = BytesSource(b"")
            elif kind == Ranges.SATISFIABLE:
                if fault.short_206:
                    end = start + (end - start + 2) // 2 - 1  # the first half, rounded up
                headers["Content-Range"] = f"bytes {start}-{end}/{size}"
                status = 206
            length = end - start + 1 + (fault.extra_bytes or 0)
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(length))
            for name, value in headers.items():
                self.send_header(name, value)
            self.end_headers()
            if self.command != "HEAD":
                self._send_bytes(source, start, length, fault)
        finally:
            source.close()

    def _send_bytes(self, source, start, length, fault):
        count = length
        if fault.truncate_after is not None and fault.truncate_after < length:
            count = fault.truncate_after
            self.close_connection = True  # the promised length never arrives
        if fault.throttle is None and fault.corrupt_byte is None and source.file is not None:
            # Untouched file bytes go through the kernel, so large transfers are not bound by Python.
            in_file = max(0, min(count, source.size - start))
            if in_file:
                self.wfile.flush()
                self.connection.sendfile(source.file, start, in_file)
            start, count = start + in_file, count - in_file
        chunk = CHUNK if fault.throttle is None else max(1, min(CHUNK, fault.throttle // 10))
        began = time.monotonic()
        sent = 0
        while sent < count:
            offset = start + sent
            data = bytearray(source.read(offset, min(chunk, count - sent)))
            if fault.corrupt_byte is not None and offset <= fault.corrupt_byte < offset + len(data):
                data[fault.corrupt_byte - offset] ^= 0xFF
            self.wfile.write(data)
            sent += len(data)
            if fault.throttle is not None:
                wait = began + sent / fault.throttle - time.monotonic()
                if wait > 0:
                    time.sleep(wait)

    # -- control calls ---------------------------------------------------------------------

    def _send_routed(self, path, query, body, fault=NO_FAULT):
        status, content_type, data = self.server.routes[path](RoutedRequest(self.command, path, query, body))
        self._send_source(BytesSource(data), content_type, fault, ranged=False, status=status)

    def _control(self, path, query, body):
        if path == CONTROL_PREFIX + "log" and self.command in ("GET", "HEAD"):
            self._send_json(200, self.server.log.entries())
        elif path == CONTROL_PREFIX + "reset" and self.command == "POST":
            self.server.faults.reset()
            self.server.log.clear()
            self._send_json(200, {"code": 0})
        elif path == CONTROL_PREFIX + "exit" and self.command == "POST":
            # The last resort of a parent whose stdin close did not stop the server (a parent
            # under Wine holds no handle of its Linux child to kill it by).
            self._send_json(200, {"code": 0})
            self.wfile.flush()
            os._exit(1)
        elif path == CONTROL_PREFIX + "fault" and self.command == "POST":
            try:
                self.server.faults.set(json.loads(body.decode("utf-8")))
            except (ValueError, FaultError) as error:
                self._send_json(400, {"code": 1, "error": str(error)})
                return
            self._send_json(200, {"code": 0})
        elif path in self.server.routes:
            self._send_routed(path, query, body)
        else:
            self._send_json(404, {"code": 1, "error": "unknown control call"})

    def _send_json(self, status, value):
        self._send_source(BytesSource(json.dumps(value).encode()), "application/json", NO_FAULT, ranged=False,
                          status=status)
