"""The sample game: which files each version has and their bytes, generated on the fly.

Every byte follows from the file's path and revision, so the same recipe always gives the same
files (and the same MD5s) on any machine. A revision k of a file is its base content with edits
1..k laid over it and a tail that grows with k, which is how a real game file changes between
releases: mostly the same bytes, so patches stay small. KORU.exe is the stand-in game that the
build produces; its revisions only add a trailer, which Windows ignores when it runs the file.
"""

import random

KIB = 1024
MIB = 1024 * KIB
GAME_EXE = "KORU.exe"
_SEED_BLOCK = MIB
_WRITE_CHUNK = 8 * MIB


class SampleFile:
    """One path of the game and its revision in each version (None: absent from that version)."""

    def __init__(self, path, size, revisions):
        self.path, self.size, self.revisions = path, size, revisions


class Recipe:
    def __init__(self, name, versions, files):
        self.name, self.versions, self.files = name, versions, files

    def files_of(self, index):
        """(path, size, revision) of every file of version `index`, in path order."""
        found = [(f.path, f.size, f.revisions[index]) for f in self.files if f.revisions[index] is not None]
        return sorted(found)

    def describe(self):
        """A text that changes whenever the recipe's output would."""
        return repr((self.name, self.versions, [(f.path, f.size, f.revisions) for f in self.files]))


def demo_recipe(scale=1):
    """Three versions of about 55 MiB: one file over 32 MiB (several download ranges), files that
    change, stay, appear and go, an empty file and a deep folder. KORU.exe changes from the first
    version to the second but not from the second to the third, so both patch suffixes occur.
    `scale` shrinks every size but KORU.exe's, for tests."""
    versions = ["10077_0_1", "10077_0_2", "10077_0_3"]
    files = [
        SampleFile(GAME_EXE, None, [0, 1, 1]),
        SampleFile("KORU_Data/globalgamemanagers", 256 * KIB, [0, 1, 2]),
        SampleFile("KORU_Data/level0", 3 * MIB, [0, 1, 1]),
        SampleFile("KORU_Data/sharedassets0.assets", 40 * MIB, [0, 1, 1]),
        SampleFile("KORU_Data/resources.resource", 6 * MIB, [0, 0, 0]),
        SampleFile("KORU_Data/Managed/Assembly-CSharp.dll", 700 * KIB, [0, 1, 2]),
        SampleFile("KORU_Data/StreamingAssets/boot.config", 200, [0, 1, 2]),
        SampleFile("KORU_Data/StreamingAssets/empty.flag", 0, [0, 0, 0]),
        SampleFile("KORU_Data/StreamingAssets/legacy.bundle", 1 * MIB, [0, 0, None]),
        SampleFile("KORU_Data/StreamingAssets/dlc/pack1.bundle", 2 * MIB, [None, 0, 0]),
        SampleFile("KORU_Data/StreamingAssets/dlc/pack2.bundle", 3 * MIB // 2, [None, None, 0]),
        SampleFile("KORU_Data/a/b/c/deep.txt", 5000, [0, 0, 1]),
    ]
    for f in files:
        if f.size is not None:
            f.size = int(f.size * scale)
    return Recipe(f"demo/{scale}", versions, files)


def bench_recipe(total_mib=2048):
    """One version of `total_mib` MiB in files of mixed sizes, for the full-install benchmark."""
    sizes = [512 * MIB, 384 * MIB, 256 * MIB] + [64 * MIB] * 8 + [33 * MIB] * 10 + [MIB] * 30
    sizes += [64 * KIB] * 100 + [4 * KIB] * 60
    scale = total_mib * MIB / sum(sizes)
    files = [SampleFile(GAME_EXE, None, [0])]
    for i, size in enumerate(sizes):
        files.append(SampleFile(f"KORU_Data/bench/{i // 50:02d}/file{i:03d}.bin", int(size * scale), [0]))
    return Recipe("bench", ["10077_0_1"], files)


RECIPES = {"demo": demo_recipe, "bench": bench_recipe, "tiny": lambda: demo_recipe(1 / 1024)}


def _seed_block(path):
    return random.Random(f"base:{path}").randbytes(_SEED_BLOCK)


def _base_chunk(block, index, length):
    # Each chunk is the seed block turned by a different amount: distinct, and far faster to make
    # than fresh random bytes.
    turn = (index * 104729) % len(block)
    chunk = block[turn:] + block[:turn]
    while len(chunk) < length:
        chunk += chunk
    return chunk[:length]


def _edits(path, size, revision):
    """(offset, bytes) laid over the base for each edit up to the revision."""
    out = []
    for k in range(1, revision + 1):
        if size == 0:
            break
        rng = random.Random(f"edit:{path}:{k}")
        length = min(max(64, size // 100), 64 * KIB, size)
        out.append((rng.randrange(size - length + 1), rng.randbytes(length)))
    return out


def _tail(path, revision):
    return random.Random(f"tail:{path}:{revision}").randbytes(37 * revision)


def write_game_file(out, path, size, revision, game_exe=None):
    """Writes the bytes of `path` at `revision` to the open binary file `out`; KORU.exe takes the
    stand-in game's bytes `game_exe` as its base."""
    if path == GAME_EXE:
        out.write(game_exe)
        if revision:
            out.write(b"\0TARVENOR-SAMPLE-REVISION-%d\0" % revision + _tail(path, revision))
        return
    block = _seed_block(path)
    edits = _edits(path, size, revision)
    for index, start in enumerate(range(0, size, _WRITE_CHUNK)):
        chunk = bytearray(_base_chunk(block, index, min(_WRITE_CHUNK, size - start)))
        for offset, data in edits:
            lo, hi = max(offset, start), min(offset + len(data), start + len(chunk))
            if lo < hi:
                chunk[lo - start:hi - start] = data[lo - offset:hi - offset]
        out.write(chunk)
    out.write(_tail(path, revision))
