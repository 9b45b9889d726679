"""Deterministic inputs of the update benchmarks (Python 3 standard library only).

    python3 make_bench_data.py tree <folder> <MiB>          a tree of mixed files totalling MiB
    python3 make_bench_data.py pair <old> <new> <MiB> <%>   a file and its changed version

The changed version differs in about the given share of its bytes: scattered rewritten blocks,
a few inserted and a deleted run (so alignments shift), and a new tail.
"""

import os
import random
import sys

MIB = 1 << 20


def write(path, data):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def make_tree(folder, total_mib):
    """Many small files, some medium ones and a few large ones, over nested folders."""
    rng = random.Random(1)
    total = total_mib * MIB
    written = 0
    index = 0
    # (share of the bytes, size range) per class
    classes = [(0.10, (4 << 10, 256 << 10)), (0.30, (1 * MIB, 16 * MIB)), (0.60, (64 * MIB, 256 * MIB))]
    for share, (low, high) in classes:
        budget = int(total * share)
        while budget > 0:
            size = min(budget, rng.randint(low, high))
            path = os.path.join(folder, f"d{index % 7}", f"s{index % 3}", f"file{index}.bin")
            write(path, rng.randbytes(size))
            budget -= size
            written += size
            index += 1
    return index, written


def make_pair(old_path, new_path, size_mib, percent):
    rng = random.Random(2)
    old = rng.randbytes(size_mib * MIB)
    new = bytearray(old)
    budget = len(old) * percent // 100
    block = 4096
    # About 70 % as rewritten blocks in place, the rest as moves and a new tail.
    for _ in range(budget * 7 // 10 // block):
        at = rng.randrange(0, len(new) - block)
        new[at:at + block] = rng.randbytes(block)
    run = budget // 10
    for at in sorted((rng.randrange(len(new)) for _ in range(2)), reverse=True):
        new[at:at] = rng.randbytes(run // 2)
    cut = rng.randrange(len(new) - run)
    del new[cut:cut + run]
    new += rng.randbytes(run)
    write(old_path, old)
    write(new_path, bytes(new))


def main(argv):
    if len(argv) == 4 and argv[1] == "tree":
        files, size = make_tree(argv[2], int(argv[3]))
        print(f"{files} files, {size} bytes")
        return 0
    if len(argv) == 6 and argv[1] == "pair":
        make_pair(argv[2], argv[3], int(argv[4]), int(argv[5]))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
