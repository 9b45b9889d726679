"""Tests of tools/wine-run.sh with a stand-in for wine: which starts it tries again, and that it says so."""

import os
import pathlib
import subprocess
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "tools" / "wine-run.sh"
WAIT_S = 60  # watchdog of every run
# The retry window of these runs: wider than a start of the stand-in takes on a loaded machine.
WINDOW_MS = 3000

# A wine that plays one scripted start per call: "<exit code> <milliseconds> <text or ->" lines,
# the last repeating; each call is counted.
STAND_IN = """#!/bin/bash
n=$(( $(cat "$STAND_IN_DIR/calls" 2>/dev/null || echo 0) + 1 ))
echo "$n" > "$STAND_IN_DIR/calls"
line=$(sed -n "${n}p" "$STAND_IN_DIR/plays"); [ -n "$line" ] || line=$(tail -n 1 "$STAND_IN_DIR/plays")
read -r code ms text <<<"$line"
sleep "$(printf '%d.%03d' $((ms / 1000)) $((ms % 1000)))"
[ "$text" = - ] || echo "$text"
exit "$code"
"""


class WineRun(unittest.TestCase):
    def run_with(self, plays):
        """(exit code, stdout, stderr, calls) of wine-run.sh over the scripted starts."""
        with tempfile.TemporaryDirectory() as folder:
            stand_in = pathlib.Path(folder) / "wine"
            stand_in.write_text(STAND_IN)
            stand_in.chmod(0o755)
            (pathlib.Path(folder) / "plays").write_text("\n".join(plays) + "\n")
            env = dict(os.environ, PATH=f"{folder}:{os.environ['PATH']}", STAND_IN_DIR=folder,
                       WINE_RUN_WINDOW_MS=str(WINDOW_MS))
            done = subprocess.run(["bash", str(SCRIPT), "program.exe"], env=env, capture_output=True, text=True,
                                  timeout=WAIT_S)
            calls = int((pathlib.Path(folder) / "calls").read_text())
            return done.returncode, done.stdout, done.stderr, calls

    def test_only_a_silent_start_that_ended_at_once_is_tried_again(self):
        cases = [
            ("ran and passed", ["0 0 ok"], 0, 1, 0),
            ("failed at once after printing", ["1 0 boom"], 1, 1, 0),
            ("failed silently after running a while", [f"3 {WINDOW_MS + 200} -"], 3, 1, 0),
            ("Wine failed the start twice", ["5 0 -", "5 0 -", "0 0 ok"], 0, 3, 2),
            ("Wine failed every start", ["5 0 -"], 5, 3, 3),
        ]
        for name, plays, code, calls, notes in cases:
            with self.subTest(name):
                got_code, out, err, got_calls = self.run_with(plays)
                self.assertEqual((got_code, got_calls), (code, calls), err)
                self.assertEqual(err.count("wine-run: program.exe ended with exit code 5"), notes, err)
                if plays[-1].endswith(" ok") or plays[-1].endswith(" boom"):
                    self.assertEqual(out, plays[-1].split(" ", 2)[2] + "\n")


if __name__ == "__main__":
    unittest.main()
