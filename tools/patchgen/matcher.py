"""Finds where the new file repeats the old one, bsdiff-style: aligned old blocks are indexed by
hash, the new file is searched byte by byte only where no alignment holds, and each alignment is
extended window by window while at least half of the bytes agree (the differing bytes go into the
diff block, which compresses well when they are few).

Only C-level bulk operations touch every byte (slices, comparisons, big-integer arithmetic), so a
file of a few hundred MiB with a few percent changed takes seconds.
"""

BLOCK = 128      # indexed block, and the shortest alignment searched for
WINDOW = 4096    # step of the extension


def equal_bytes(a, b):
    """Number of positions where the equal-length byte strings agree."""
    if a == b:
        return len(a)
    x = int.from_bytes(a, "little") ^ int.from_bytes(b, "little")
    return x.to_bytes(len(a), "little").count(0)


def good(a, b):
    return equal_bytes(a, b) * 2 >= len(a)


def build_index(old):
    index = {}
    for pos in range(0, len(old) - BLOCK + 1, BLOCK):
        index.setdefault(hash(old[pos:pos + BLOCK]), pos)
    return index


class Matcher:
    def __init__(self, old, new):
        self.old = old
        self.new = new
        self.index = build_index(old)

    def search(self, start, delta):
        """First (new position, old position) from start on where a whole block repeats; the last
        alignment wins over the index when both fit."""
        old, new, index = self.old, self.new, self.index
        if not index and delta is None:
            return None
        for q in range(start, len(new) - BLOCK + 1):
            key = new[q:q + BLOCK]
            if delta is not None and 0 <= q + delta and old[q + delta:q + delta + BLOCK] == key:
                return q, q + delta
            o = index.get(hash(key))
            if o is not None and old[o:o + BLOCK] == key:
                return q, o
        return None

    def extend_back(self, q, o, limit):
        """Moves a match start back over equal bytes, not before limit."""
        old, new = self.old, self.new
        back = 0
        while back < BLOCK and q - back > limit and o - back > 0 and new[q - back - 1] == old[o - back - 1]:
            back += 1
        return q - back

    def extend_forward(self, end, delta):
        """End of the alignment grown from end: whole windows while good, then blocks."""
        old, new = self.old, self.new
        limit = min(len(new), len(old) - delta)
        while end < limit:
            w = min(WINDOW, limit - end)
            if good(new[end:end + w], old[end + delta:end + delta + w]):
                end += w
                continue
            stop = end + w
            while end < stop:
                b = min(BLOCK, stop - end)
                if not good(new[end:end + b], old[end + delta:end + delta + b]):
                    return end
                end += b
            return end
        return end

    def matches(self):
        """(new start, old start, length) of each alignment, in new-file order, not overlapping."""
        result = []
        pos = 0
        delta = None
        while True:
            hit = self.search(pos, delta)
            if hit is None:
                return result
            q, o = hit
            delta = o - q
            start = self.extend_back(q, o, pos)
            end = self.extend_forward(q + BLOCK, delta)
            result.append((start, start + delta, end - start))
            pos = end


_MASKS = {}


def _masks(n):
    if n not in _MASKS:
        if len(_MASKS) > 8:
            _MASKS.clear()
        _MASKS[n] = (int.from_bytes(b"\x80" * n, "little"), int.from_bytes(b"\x7f" * n, "little"))
    return _MASKS[n]


def subtract(a, b):
    """Byte-wise (a - b) mod 256 of equal-length byte strings, as whole-string integer arithmetic:
    each byte of a gets its top bit set so that no borrow crosses into the next byte, and the top
    bits are fixed up afterwards."""
    n = len(a)
    if a == b:
        return bytes(n)
    high, low = _masks(n)
    x = int.from_bytes(a, "little")
    y = int.from_bytes(b, "little")
    r = ((x | high) - (y & low)) ^ ((x ^ y) & high) ^ high
    return r.to_bytes(n, "little")


def diff_bytes(new, old, new_start, old_start, length, chunk=1 << 20):
    parts = []
    for off in range(0, length, chunk):
        m = min(chunk, length - off)
        parts.append(subtract(new[new_start + off:new_start + off + m], old[old_start + off:old_start + off + m]))
    return b"".join(parts)


def make_triples(old, new):
    """Triples (x, y, z) with the diff and extra blocks that turn old into new."""
    triples, diff, extra = [], [], []
    old_pos = 0
    new_pos = 0
    for start, old_start, length in Matcher(old, new).matches():
        if start > new_pos or old_start != old_pos:
            # Bytes before the first alignment, or a move of the old position, in a triple of its own.
            if triples:
                x, y, _ = triples[-1]
                triples[-1] = (x, y + start - new_pos, old_start - old_pos)
            else:
                triples.append((0, start - new_pos, old_start - old_pos))
            extra.append(new[new_pos:start])
        triples.append((length, 0, 0))
        diff.append(diff_bytes(new, old, start, old_start, length))
        new_pos = start + length
        old_pos = old_start + length
    if new_pos < len(new):
        if triples:
            x, y, z = triples[-1]
            triples[-1] = (x, y + len(new) - new_pos, z)
        else:
            triples.append((0, len(new) - new_pos, 0))
        extra.append(new[new_pos:])
    return triples, b"".join(diff), b"".join(extra)
