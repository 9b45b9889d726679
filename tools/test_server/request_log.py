"""The requests the server received, in arrival order, for the tests to inspect."""

import threading


class RequestLog:
    def __init__(self):
        self._lock = threading.Lock()
        self._entries = []

    def add(self, entry):
        with self._lock:
            self._entries.append(entry)

    def entries(self):
        with self._lock:
            return list(self._entries)

    def clear(self):
        with self._lock:
            self._entries.clear()
