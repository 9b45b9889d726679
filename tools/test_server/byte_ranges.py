"""Parsing of a single-range Range header against a body size."""

import re

_SPEC = re.compile(r"^bytes=(\d*)-(\d*)$")


class Ranges:
    NONE = "none"                    # no usable Range: answer 200 with the whole body
    SATISFIABLE = "satisfiable"      # answer 206 with [start, end]
    UNSATISFIABLE = "unsatisfiable"  # answer 416


def parse_range(header, size):
    """Returns (kind, start, end) with end inclusive.

    Malformed and multi-range headers are ignored (a 200 answer), as a server may do; only a
    well-formed single range that starts past the body is unsatisfiable.
    """
    if not header:
        return Ranges.NONE, 0, size - 1
    match = _SPEC.match(header.strip())
    if not match:
        return Ranges.NONE, 0, size - 1
    first, last = match.groups()
    if not first and not last:
        return Ranges.NONE, 0, size - 1
    if not first:  # suffix range: the last N bytes
        count = int(last)
        if count == 0 or size == 0:
            return Ranges.UNSATISFIABLE, 0, 0
        return Ranges.SATISFIABLE, max(0, size - count), size - 1
    start = int(first)
    end = int(last) if last else size - 1
    if end < start:
        return Ranges.NONE, 0, size - 1
    if start >= size:
        return Ranges.UNSATISFIABLE, 0, 0
    return Ranges.SATISFIABLE, start, min(end, size - 1)
