"""Per-path fault switches that make the server misbehave on purpose."""

import threading
import urllib.parse

# key -> (type, smallest allowed value); bool keys have no bound.
_KEYS = {
    "status": (int, 100),
    "fail_first": (int, 0),
    "ignore_range": (bool, None),
    "extra_bytes": (int, 0),
    "truncate_after": (int, 0),
    "short_206": (bool, None),
    "corrupt_byte": (int, 0),
    "throttle": (int, 1),
    "redirect": (str, None),
    "raw": (str, None),
    "content_type": (str, None),
    "delay_ms": (int, 0),
}
_MAX_STATUS = 599
_MAX_DELAY_MS = 600000


class FaultError(ValueError):
    pass


class Fault:
    """One path's switches; unset switches are None."""

    def __init__(self, spec):
        for key in _KEYS:
            setattr(self, key, None)
        self._lock = threading.Lock()
        self._failures_left = 0
        for key, value in spec.items():
            if key == "path":
                continue
            if key not in _KEYS:
                raise FaultError(f"unknown fault key: {key}")
            kind, minimum = _KEYS[key]
            # bool is an int in Python; a switch of one must not pass for the other.
            if type(value) is not kind:
                raise FaultError(f"{key} must be a {kind.__name__}")
            if minimum is not None and value < minimum:
                raise FaultError(f"{key} must be at least {minimum}")
            setattr(self, key, value)
        if self.status is not None and self.status > _MAX_STATUS:
            raise FaultError(f"status must be at most {_MAX_STATUS}")
        if self.delay_ms is not None and self.delay_ms > _MAX_DELAY_MS:
            raise FaultError(f"delay_ms must be at most {_MAX_DELAY_MS}")
        if self.fail_first is not None:
            self._failures_left = self.fail_first

    def take_failure_status(self):
        """The status this request must fail with, or None to serve it (counts fail_first)."""
        if self.fail_first is None:
            return self.status
        with self._lock:
            if self._failures_left == 0:
                return None
            self._failures_left -= 1
        return self.status if self.status is not None else 500


def _key(path):
    return urllib.parse.unquote(path)


class FaultTable:
    """Faults by request path; '/*/rest' applies under any first segment, an exact path wins."""

    def __init__(self):
        self._lock = threading.Lock()
        self._faults = {}

    def set(self, spec):
        """Sets the faults of spec["path"], replacing its old ones; a spec of only a path clears them."""
        if not isinstance(spec, dict):
            raise FaultError("the fault must be a JSON object")
        path = spec.get("path")
        if not isinstance(path, str) or not path.startswith("/"):
            raise FaultError("path must be a string starting with /")
        fault = Fault(spec)
        with self._lock:
            if len(spec) == 1:
                self._faults.pop(_key(path), None)
            else:
                self._faults[_key(path)] = fault

    def reset(self):
        with self._lock:
            self._faults.clear()

    def match(self, path):
        key = _key(path)
        with self._lock:
            fault = self._faults.get(key)
            if fault is None:
                parts = key.split("/", 2)  # "", first segment, rest
                if len(parts) == 3:
                    fault = self._faults.get("/*/" + parts[2])
        return fault
