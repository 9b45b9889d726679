"""Tests of the project's test HTTP server, driven as its users drive it: a child process over HTTP."""

import http.client
import json
import os
import pathlib
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

PACKAGE = pathlib.Path(__file__).resolve().parents[2] / "tools" / "test_server"
BIG = bytes((i * 7 + i // 251) % 256 for i in range(100000))
WAIT_S = 10  # watchdog for every wait on the child process


class ServerProcess:
    def __init__(self, root, *extra):
        self.process = subprocess.Popen([sys.executable, str(PACKAGE), "--root", root, *extra],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        line = self.process.stdout.readline().decode()
        words = line.split()
        if len(words) != 3 or words[0] != "READY":
            self.stop()
            raise AssertionError(f"bad first line: {line!r}")
        self.port, self.closed_port = int(words[1]), int(words[2])

    def wait(self):
        return self.process.wait(timeout=WAIT_S)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait(timeout=WAIT_S)
        for pipe in (self.process.stdin, self.process.stdout):
            pipe.close()


def make_tree(root):
    os.makedirs(os.path.join(root, "dir"))
    with open(os.path.join(root, "big.bin"), "wb") as f:
        f.write(BIG)
    with open(os.path.join(root, "dir", "small.txt"), "wb") as f:
        f.write(b"0123456789")
    open(os.path.join(root, "empty.bin"), "wb").close()


class ServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.temp.name, "root")
        make_tree(cls.root)
        with open(os.path.join(cls.temp.name, "outside.txt"), "w") as f:
            f.write("secret")
        cls.server = ServerProcess(cls.root)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.temp.cleanup()

    def setUp(self):
        self.request("POST", "/_control/reset")

    def connect(self):
        return http.client.HTTPConnection("127.0.0.1", self.server.port, timeout=WAIT_S)

    def request(self, method, path, headers=None, body=None, connection=None):
        conn = connection or self.connect()
        try:
            conn.request(method, path, body=body, headers=headers or {})
            response = conn.getresponse()
            return response.status, dict(response.getheaders()), response.read()
        finally:
            if connection is None:
                conn.close()

    def fault(self, **spec):
        status, _, body = self.request("POST", "/_control/fault", body=json.dumps(spec).encode())
        self.assertEqual(status, 200, body)

    def log(self):
        return json.loads(self.request("GET", "/_control/log")[2])

    def raw_exchange(self, request):
        """Sends request bytes and reads until the server closes (for answers that lie about length)."""
        with socket.create_connection(("127.0.0.1", self.server.port), timeout=WAIT_S) as sock:
            sock.sendall(request)
            data = b""
            while chunk := sock.recv(65536):
                data += chunk
        head, _, body = data.partition(b"\r\n\r\n")
        return head.decode(), body


class FileTest(ServerTest):
    def test_ranges(self):
        size = len(BIG)
        cases = [
            # range header, status, Content-Range, expected body
            (None, 200, None, BIG),
            ("bytes=0-0", 206, f"bytes 0-0/{size}", BIG[:1]),
            ("bytes=10-19", 206, f"bytes 10-19/{size}", BIG[10:20]),
            ("bytes=99990-", 206, f"bytes 99990-99999/{size}", BIG[99990:]),
            ("bytes=-5", 206, f"bytes 99995-99999/{size}", BIG[-5:]),
            ("bytes=99999-200000", 206, f"bytes 99999-99999/{size}", BIG[-1:]),
            (f"bytes={size}-{size}", 416, f"bytes */{size}", b""),
            ("bytes=5-2", 200, None, BIG),          # malformed: ignored, as a server may
            ("bytes=0-1,5-6", 200, None, BIG),      # several ranges are not served
            ("items=0-1", 200, None, BIG),
        ]
        for header, status, content_range, body in cases:
            with self.subTest(header=header):
                got_status, headers, got_body = self.request("GET", "/b0/big.bin", {"Range": header} if header else {})
                self.assertEqual(got_status, status)
                self.assertEqual(headers.get("Content-Range"), content_range)
                self.assertEqual(got_body, body)

    def test_empty_file(self):
        self.assertEqual(self.request("GET", "/b0/empty.bin")[::2], (200, b""))
        status, headers, _ = self.request("GET", "/b0/empty.bin", {"Range": "bytes=0-0"})
        self.assertEqual((status, headers["Content-Range"]), (416, "bytes */0"))

    def test_any_base_serves_the_tree_and_nothing_outside_it(self):
        for path in ("/b0/dir/small.txt", "/b7/dir/small.txt", "/anything/dir/%73mall.txt"):
            with self.subTest(path=path):
                self.assertEqual(self.request("GET", path)[::2], (200, b"0123456789"))
        for path in ("/b0/missing.bin", "/b0/dir", "/b0/", "/b0", "/", "/b0/../outside.txt",
                     "/b0/dir/../../outside.txt", "/b0/%2e%2e/outside.txt", "/b0/..%2Foutside.txt",
                     "/b0//big.bin"):
            with self.subTest(path=path):
                self.assertEqual(self.request("GET", path)[0], 404)

    def test_head_answers_the_headers_without_a_body(self):
        status, headers, body = self.request("HEAD", "/b0/big.bin", {"Range": "bytes=0-9"})
        self.assertEqual((status, headers["Content-Length"], headers["Content-Range"], body),
                         (206, "10", f"bytes 0-9/{len(BIG)}", b""))

    def test_keep_alive_serves_several_requests_on_one_connection(self):
        conn = self.connect()
        try:
            for first in (0, 50, 99):
                self.assertEqual(self.request("GET", "/b0/big.bin", {"Range": f"bytes={first}-{first}"},
                                              connection=conn)[2], BIG[first:first + 1])
            self.request("POST", "/sink/x", body=b"{}", connection=conn)
            self.assertEqual(self.request("GET", "/b0/dir/small.txt", connection=conn)[2], b"0123456789")
        finally:
            conn.close()
        self.assertEqual(len(self.log()), 5)


class FaultTest(ServerTest):
    def test_status_and_fail_first(self):
        cases = [
            # spec, statuses of four requests in a row
            ({"status": 403}, [403, 403, 403, 403]),
            ({"fail_first": 2}, [500, 500, 206, 206]),
            ({"fail_first": 1, "status": 503}, [503, 206, 206, 206]),
            ({"fail_first": 0, "status": 503}, [206, 206, 206, 206]),
        ]
        for spec, statuses in cases:
            with self.subTest(spec=spec):
                self.fault(path="/b0/big.bin", **spec)
                got = [self.request("GET", "/b0/big.bin", {"Range": "bytes=0-0"})[0] for _ in statuses]
                self.assertEqual(got, statuses)

    def test_wildcard_base_and_exact_path(self):
        self.fault(path="/*/big.bin", status=503)
        self.fault(path="/b1/big.bin", status=404)
        self.assertEqual([self.request("HEAD", p)[0] for p in ("/b0/big.bin", "/b1/big.bin", "/b2/big.bin")],
                         [503, 404, 503])
        self.assertEqual(self.request("HEAD", "/b0/dir/small.txt")[0], 200)
        self.fault(path="/*/big.bin")  # a path alone clears its faults
        self.assertEqual(self.request("HEAD", "/b0/big.bin")[0], 200)

    def test_fail_first_counts_across_bases_of_a_wildcard(self):
        self.fault(path="/*/big.bin", fail_first=2)
        self.assertEqual([self.request("HEAD", f"/b{i}/big.bin")[0] for i in range(3)], [500, 500, 200])

    def test_body_faults(self):
        size = len(BIG)
        flipped = bytearray(BIG)
        flipped[15] ^= 0xFF
        cases = [
            # spec, range, status, Content-Range, body
            ({"ignore_range": True}, "bytes=10-19", 200, None, BIG),
            ({"extra_bytes": 3}, "bytes=10-19", 206, f"bytes 10-19/{size}", BIG[10:23]),
            ({"extra_bytes": 3}, "bytes=99998-99999", 206, f"bytes 99998-99999/{size}", BIG[-2:] + bytes(3)),
            ({"short_206": True}, "bytes=10-19", 206, f"bytes 10-14/{size}", BIG[10:15]),
            ({"short_206": True}, "bytes=10-12", 206, f"bytes 10-11/{size}", BIG[10:12]),
            ({"short_206": True}, "bytes=0-0", 206, f"bytes 0-0/{size}", BIG[:1]),
            ({"corrupt_byte": 15}, "bytes=10-19", 206, f"bytes 10-19/{size}", bytes(flipped[10:20])),
            ({"corrupt_byte": 15}, "bytes=20-29", 206, f"bytes 20-29/{size}", BIG[20:30]),
            ({"corrupt_byte": 15}, None, 200, None, bytes(flipped)),
            ({"throttle": 1000000}, "bytes=0-99", 206, f"bytes 0-99/{size}", BIG[:100]),
        ]
        for spec, header, status, content_range, body in cases:
            with self.subTest(spec=spec, range=header):
                self.fault(path="/b0/big.bin", **spec)
                got_status, headers, got_body = self.request("GET", "/b0/big.bin", {"Range": header} if header else {})
                self.assertEqual((got_status, headers.get("Content-Range")), (status, content_range))
                self.assertEqual(int(headers["Content-Length"]), len(body))
                self.assertEqual(got_body, body)

    def test_truncate_after_sends_part_of_the_promised_body_then_closes(self):
        self.fault(path="/b0/big.bin", truncate_after=7)
        head, body = self.raw_exchange(b"GET /b0/big.bin HTTP/1.1\r\nHost: x\r\nRange: bytes=100-199\r\n\r\n")
        self.assertIn("Content-Length: 100", head)
        self.assertEqual(body, BIG[100:107])

    def test_delay_and_throttle_hold_the_answer_back(self):
        for spec, least_s in (({"delay_ms": 300}, 0.25), ({"throttle": 20000}, 0.4)):
            with self.subTest(spec=spec):
                self.fault(path="/b0/big.bin", **spec)
                began = time.monotonic()
                body = self.request("GET", "/b0/big.bin", {"Range": "bytes=0-9999"})[2]
                self.assertGreaterEqual(time.monotonic() - began, least_s)  # the server sleeps: never faster
                self.assertEqual(body, BIG[:10000])

    def test_redirect(self):
        self.fault(path="/b0/big.bin", redirect="/b1/dir/small.txt")
        status, headers, _ = self.request("GET", "/b0/big.bin")
        self.assertEqual((status, headers["Location"]), (302, "/b1/dir/small.txt"))

    def test_raw_answers_exact_bytes_on_any_path(self):
        self.fault(path="/b0/gate", raw='{"DlcAddr":["x"]}')
        self.fault(path="/b0/big.bin", raw="é", content_type="text/plain; charset=utf-8")
        status, headers, body = self.request("POST", "/b0/gate", body=b"{}")
        self.assertEqual((status, headers["Content-Type"], body), (200, "application/json", b'{"DlcAddr":["x"]}'))
        status, headers, body = self.request("GET", "/b0/big.bin", {"Range": "bytes=0-0"})
        self.assertEqual((status, headers["Content-Type"], body), (200, "text/plain; charset=utf-8", "é".encode()))

    def test_bad_fault_specs_are_refused(self):
        for body in (b'{"status": 500}', b'{"path": "b0/x", "status": 500}', b'{"path": "/x", "stauts": 500}',
                     b'{"path": "/x", "status": "500"}', b'{"path": "/x", "fail_first": true}',
                     b'{"path": "/x", "ignore_range": 1}', b'{"path": "/x", "status": 99}',
                     b'{"path": "/x", "throttle": 0}', b'{"path": "/x", "extra_bytes": -1}',
                     b'[]', b'not json', b'\xff'):
            with self.subTest(body=body):
                self.assertEqual(self.request("POST", "/_control/fault", body=body)[0], 400)

    def test_reset_clears_faults_and_log(self):
        self.fault(path="/b0/big.bin", status=500)
        self.request("HEAD", "/b0/big.bin")
        self.request("POST", "/_control/reset")
        self.assertEqual(self.log(), [])
        self.assertEqual(self.request("HEAD", "/b0/big.bin")[0], 200)


class LogAndSinkTest(ServerTest):
    def test_log_records_requests_in_order_without_control_calls(self):
        self.request("GET", "/b0/big.bin?x=1&y=2", {"Range": "bytes=0-0", "User-Agent": "UA/1"})
        self.fault(path="/b9/none", status=500)
        self.request("POST", "/sink/track/json_track?token=t", {"Content-Type": "application/json; charset=UTF-8"},
                     body='{"a":"ü"}'.encode())
        self.request("POST", "/sink/bin", body=b"\xffok")
        self.assertEqual(self.log(), [
            {"method": "GET", "path": "/b0/big.bin", "query": "x=1&y=2", "range": "bytes=0-0",
             "user_agent": "UA/1", "content_type": "", "body": ""},
            {"method": "POST", "path": "/sink/track/json_track", "query": "token=t", "range": "",
             "user_agent": "", "content_type": "application/json; charset=UTF-8",
             "body": '{"a":"ü"}'},
            {"method": "POST", "path": "/sink/bin", "query": "", "range": "", "user_agent": "",
             "content_type": "", "body": "\ufffdok"},
        ])

    def test_sinks_answer_every_method(self):
        for method, path in (("POST", "/sink/track/json_track"), ("GET", "/sink/v1/adjust?a=1&b=2")):
            with self.subTest(method=method):
                status, headers, body = self.request(method, path, body=b"{}" if method == "POST" else None)
                self.assertEqual((status, body), (200, b'{"code":0}'))

    def test_ip_echoes_the_client_address_unless_overridden(self):
        self.assertEqual(self.request("GET", "/ip")[::2], (200, b"127.0.0.1"))
        self.fault(path="/ip", raw="203.0.113.9", content_type="text/plain")
        self.assertEqual(self.request("GET", "/ip")[2], b"203.0.113.9")

    def test_oversized_request_body_is_refused(self):
        status = self.request("POST", "/sink/x", {"Content-Length": str(64 * 1024 * 1024)}, body=b"")[0]
        self.assertEqual(status, 413)


class ProcessTest(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.addCleanup(self.temp.cleanup)
        self.server = ServerProcess(self.temp.name)
        self.addCleanup(self.server.stop)

    def test_closed_port_refuses_at_once(self):
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", self.server.closed_port), timeout=WAIT_S).close()

    def test_stdin_eof_stops_the_server(self):
        self.server.process.stdin.close()
        self.assertEqual(self.server.wait(), 0)
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", self.server.port), timeout=WAIT_S).close()

    def test_control_exit_ends_the_process_at_once(self):
        conn = http.client.HTTPConnection("127.0.0.1", self.server.port, timeout=WAIT_S)
        conn.request("POST", "/_control/exit")
        self.assertEqual(conn.getresponse().status, 200)
        conn.close()
        self.assertEqual(self.server.wait(), 1)

    def test_sigterm_stops_the_server_with_a_connection_open(self):
        idle = socket.create_connection(("127.0.0.1", self.server.port), timeout=WAIT_S)
        self.addCleanup(idle.close)
        self.server.process.send_signal(signal.SIGTERM)
        self.assertEqual(self.server.wait(), 0)


if __name__ == "__main__":
    unittest.main()
