"""Tests of tools/check_includes.py over small source trees."""

import importlib.util
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "tools" / "check_includes.py"
_spec = importlib.util.spec_from_file_location("check_includes", SCRIPT)
check_includes = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(check_includes)


def make_tree(root, files):
    for relative, text in files.items():
        path = pathlib.Path(root) / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)


class CheckIncludes(unittest.TestCase):
    def test_each_layer_reaches_only_itself_and_the_layers_below(self):
        cases = [
            ("app/a.cpp", "base/x.h", True),
            ("app/a.h", "app/b.h", True),
            ("app/a.cpp", "update/state.h", False),
            ("base/a.cpp", "app/x.h", False),
            ("download/a.cpp", "app/x.h", True),
            ("download/a.cpp", "update/x.h", False),
            ("update/a.cpp", "download/x.h", True),
            ("ui/render/a.cpp", "ui/x.h", True),
            ("ui/a.cpp", "windows/x.h", False),
            ("windows/a.cpp", "browser/x.h", True),
            ("browser/a.cpp", "windows/x.h", False),
            ("browser/a.cpp", "ui/x.h", True),
            ("app/launcher_main.cpp", "windows/x.h", True),  # the composition root
            ("tests/app/a_test.cpp", "update/x.h", True),     # outside the layers
        ]
        for source, included, allowed in cases:
            with self.subTest(source=source, included=included):
                with tempfile.TemporaryDirectory() as root:
                    make_tree(root, {source: f'#include <windows.h>\n  #  include "{included}"\n'})
                    found = check_includes.violations(pathlib.Path(root))
                self.assertEqual(found, [] if allowed else [(source, 2, included)])

    def test_a_violation_is_printed_and_fails_the_run(self):
        with tempfile.TemporaryDirectory() as root:
            make_tree(root, {"app/a.cpp": '#include "app/a.h"\n#include "ui/window.h"\n', "base/b.h": ""})
            done = subprocess.run([sys.executable, str(SCRIPT), root], capture_output=True, text=True, timeout=60)
        self.assertEqual(done.returncode, 1)
        self.assertEqual(len(done.stdout.splitlines()), 1)
        self.assertTrue(done.stdout.startswith("app/a.cpp:2: includes ui/window.h"), done.stdout)


if __name__ == "__main__":
    unittest.main()
