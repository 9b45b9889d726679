"""Tests of the local sample publisher: what it builds (maps that match the files, patches that turn
each older version's files into the newer ones) and what it answers over HTTP."""

import hashlib
import http.client
import io
import json
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

PACKAGE = pathlib.Path(__file__).resolve().parents[2] / "tools" / "publisher"
sys.path.insert(0, str(PACKAGE))

from publication import ALT_PATCH_SUFFIX, PATCH_SUFFIX, SKIN_FOLDER, Builder  # noqa: E402
from sample_game import GAME_EXE, RECIPES, demo_recipe  # noqa: E402

WAIT_S = 20  # watchdog for every wait on the child process
FAKE_GAME = b"MZ" + bytes(range(256)) * 12


def md5(data):
    return hashlib.md5(data).hexdigest()


def apply_patch(old, patch):
    """The launcher's patch format read back: container, header, then (add, copy, seek) triples."""
    unpacked, packed = struct.unpack_from("<II", patch)
    raw = zlib.decompress(patch[8:8 + packed])
    assert len(raw) == unpacked and raw[:8] == b"BSDIFN40"

    def number(offset):
        magnitude = struct.unpack_from("<i", raw, offset)[0]
        return -magnitude if raw[offset + 7] & 0x80 else magnitude

    control_len, diff_len, new_size = number(8), number(16), number(24)
    control, diff, extra = 32, 32 + control_len, 32 + control_len + diff_len
    new, old_pos = bytearray(), 0
    while len(new) < new_size:
        x, y, z = number(control), number(control + 8), number(control + 16)
        control += 24
        for i in range(x):
            add = old[old_pos + i] if 0 <= old_pos + i < len(old) else 0
            new.append((raw[diff + i] + add) & 0xFF)
        diff += x
        new += raw[extra:extra + y]
        extra += y
        old_pos += x + z
    assert len(new) == new_size
    return bytes(new)


def read_map(path):
    with open(path, encoding="utf-8") as f:
        members = json.load(f)
    version = members.pop("version")["md5"]
    return version, {key: (entry["md5"], entry["size"]) for key, entry in members.items()}


def files_under(folder, skip=()):
    found = {}
    for top, dirs, names in os.walk(folder):
        dirs[:] = [d for d in dirs if os.path.join(top, d) not in skip]
        for name in names:
            full = os.path.join(top, name)
            found[os.path.relpath(full, folder).replace(os.sep, "/")] = full
    return found


class TinySample(unittest.TestCase):
    """The tiny profile (the demo's versions and file shapes at 1/1024 of the size), built once."""

    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory()
        cls.game_exe = os.path.join(cls.temp.name, "KORU.exe")
        with open(cls.game_exe, "wb") as f:
            f.write(FAKE_GAME)
        cls.recipe = RECIPES["tiny"]()
        cls.sample = os.path.join(cls.temp.name, "sample")
        Builder(cls.sample, cls.recipe, cls.game_exe).build()
        cls.www = os.path.join(cls.sample, "www")

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()


class SampleTest(TinySample):

    def version_dir(self, version):
        return os.path.join(self.www, "game", version)

    def test_each_version_map_lists_exactly_its_files_with_their_md5_and_size(self):
        for index, version in enumerate(self.recipe.versions):
            with self.subTest(version=version):
                folder = self.version_dir(version)
                map_version, entries = read_map(os.path.join(folder, "version_map.txt"))
                self.assertEqual(map_version, version)
                on_disk = files_under(folder, skip={os.path.join(folder, "patchs")})
                del on_disk["version_map.txt"]
                self.assertEqual(sorted(entries), sorted(on_disk))
                self.assertEqual(sorted(entries), [path for path, _, _ in self.recipe.files_of(index)])
                for key, (digest, size) in entries.items():
                    with open(on_disk[key], "rb") as f:
                        data = f.read()
                    self.assertEqual((md5(data), len(data)), (digest, size), key)
                with open(on_disk[GAME_EXE], "rb") as f:
                    self.assertTrue(f.read().startswith(FAKE_GAME))

    def test_patches_turn_each_older_version_into_the_newer_one(self):
        lists = 0
        for new_index, new_version in enumerate(self.recipe.versions):
            _, new_map = read_map(os.path.join(self.version_dir(new_version), "version_map.txt"))
            for old_version in self.recipe.versions[:new_index]:
                folder = os.path.join(self.version_dir(new_version), "patchs", old_version)
                with self.subTest(old=old_version, new=new_version):
                    _, patches = read_map(os.path.join(folder, "patch_list.txt"))
                    lists += 1
                    # The launcher probes KORU.exe.patch to learn the suffix of the whole folder.
                    suffix = PATCH_SUFFIX if GAME_EXE in patches else ALT_PATCH_SUFFIX
                    self.assertEqual(sorted(files_under(folder)),
                                     sorted(["patch_list.txt"] + [key + suffix for key in patches]))
                    for key, (digest, size) in patches.items():
                        with open(os.path.join(folder, key + suffix), "rb") as f:
                            patch = f.read()
                        self.assertEqual((md5(patch), len(patch)), (digest, size), key)
                        with open(os.path.join(self.version_dir(old_version), key), "rb") as f:
                            new = apply_patch(f.read(), patch)
                        self.assertEqual((md5(new), len(new)), new_map[key], key)
        self.assertEqual(lists, 3)

    def test_both_suffixes_are_published(self):
        folders = [os.path.join(self.version_dir(new), "patchs", old) for old, new in
                   (("10077_0_1", "10077_0_2"), ("10077_0_2", "10077_0_3"))]
        self.assertIn("KORU.exe.patch", files_under(folders[0]))
        self.assertFalse(any(name.endswith(".patch") for name in files_under(folders[1])))

    def test_launcher_map_lists_the_published_skin_archive(self):
        folder = os.path.join(self.www, "launcher")
        with open(os.path.join(folder, "launcher_version_map.txt"), encoding="utf-8") as f:
            launcher_map = json.load(f)
        self.assertEqual(launcher_map["version"], "1.0.1")
        with open(os.path.join(folder, "resources.zip"), "rb") as f:
            data = f.read()
        self.assertEqual(launcher_map["list"], {"resources.zip": {"md5": md5(data), "size": len(data)}})
        with zipfile.ZipFile(io.BytesIO(data)) as archive:
            names = archive.namelist()
        # The laid-out skin folder whole: the skins, their texts and the drawn images they name.
        skin_files = {"resources/" + name for name in files_under(SKIN_FOLDER)}
        self.assertIn("resources/lang/en.ini", skin_files)
        self.assertTrue(any(name.endswith(".png") for name in skin_files))
        self.assertEqual(set(names), skin_files | {"sample_publisher.txt"})

    def test_the_same_recipe_gives_the_same_bytes_and_is_not_rebuilt(self):
        other = os.path.join(self.temp.name, "again")
        Builder(other, self.recipe, self.game_exe).build()
        for version in self.recipe.versions:
            relative = os.path.join("www", "game", version, "version_map.txt")
            with open(os.path.join(self.sample, relative), "rb") as a, open(os.path.join(other, relative), "rb") as b:
                self.assertEqual(a.read(), b.read())
        stamp = os.stat(os.path.join(other, "recipe.txt")).st_mtime_ns
        Builder(other, self.recipe, self.game_exe).build()
        self.assertEqual(os.stat(os.path.join(other, "recipe.txt")).st_mtime_ns, stamp)

    def test_a_folder_it_did_not_make_is_left_alone(self):
        folder = os.path.join(self.temp.name, "somebody_else")
        os.makedirs(folder)
        with open(os.path.join(folder, "keep.txt"), "w") as f:
            f.write("mine")
        with self.assertRaises(RuntimeError):
            Builder(folder, self.recipe, self.game_exe).build()
        self.assertEqual(os.listdir(folder), ["keep.txt"])

    def test_demo_recipe_has_a_file_spanning_several_download_ranges(self):
        recipe = demo_recipe()
        for index in range(len(recipe.versions)):
            sizes = [size for path, size, _ in recipe.files_of(index) if path != GAME_EXE]
            self.assertGreater(max(sizes), 32 * 1024 * 1024)
            self.assertIn(0, sizes)


class PublisherProcess:
    def __init__(self, sample, game_exe, *extra):
        self.process = subprocess.Popen(
            [sys.executable, str(PACKAGE), "--profile", "tiny", "--sample", sample, "--game-exe", game_exe,
             "--port", "0", *extra], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        words = self.process.stdout.readline().decode().split()
        if len(words) != 3 or words[0] != "READY":
            self.stop()
            raise AssertionError(f"bad first line: {words}")
        self.port = int(words[1])
        self.root_url = f"http://127.0.0.1:{self.port}/"

    def request(self, method, path, body=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=WAIT_S)
        try:
            conn.request(method, path, body=body)
            response = conn.getresponse()
            return response.status, response.read()
        finally:
            conn.close()

    def get_json(self, path):
        status, body = self.request("GET", path)
        assert status == 200, (path, status)
        return json.loads(body)

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=WAIT_S)
        self.process.stdout.close()


class ServingTest(TinySample):
    def setUp(self):
        self.setting = os.path.join(self.temp.name, "run", "save", "setting.json")
        self.publisher = self.start("--reset", "--write-setting", self.setting)

    def start(self, *extra):
        publisher = PublisherProcess(self.sample, self.game_exe, *extra)
        self.addCleanup(publisher.stop)
        return publisher

    def path_of(self, url):
        self.assertTrue(url.startswith(self.publisher.root_url), url)
        return "/" + url[len(self.publisher.root_url):].split("?")[0]

    def served_map_version(self, base_url):
        return self.publisher.get_json(self.path_of(base_url) + "version_map.txt")["version"]["md5"]

    def gate(self):
        answer = self.publisher.get_json("/get/urls?key=WIN10TW_&udid=abc")
        self.assertIsInstance(answer["Others"], str)
        return answer, json.loads(answer["Others"])

    def predownload_urls(self):
        answer = self.publisher.get_json("/pre_download?channel=TW&udid=abc")
        return json.loads(answer["info"])["TW_pc_addr"]

    def test_gate_answer_shape_and_what_its_addresses_serve(self):
        answer, options = self.gate()
        self.assertEqual([self.served_map_version(url) for url in answer["DlcAddr"]], ["10077_0_1"] * 2)
        self.assertIsInstance(options["PatchOption"], int)
        for flag in ("UseWebExtraParam", "DeleteLogTXT", "PreDlcCheck"):
            self.assertIsInstance(options[flag], bool)
        self.assertIn("TransToGame", options)
        launcher_map = self.path_of(options["DlcAddr"][0]) + "launcher_version_map.txt"
        self.assertEqual(self.publisher.get_json(launcher_map)["version"], "1.0.1")
        self.assertEqual([self.served_map_version(url) for url in options["PreDlcAddr"]], ["10077_0_2"] * 2)
        status, page = self.publisher.request("GET", self.path_of(options["ActivityAddr"]) + "?lang=en")
        self.assertEqual(status, 200)
        self.assertIn(b"10077_0_1", page)

    def test_advance_moves_every_answer_to_the_next_version_until_the_last(self):
        self.assertEqual([self.served_map_version(url) for url in self.predownload_urls()], ["10077_0_2"] * 2)
        for current, coming in (("10077_0_2", "10077_0_3"), ("10077_0_3", None)):
            status, body = self.publisher.request("POST", "/_control/publisher/advance")
            self.assertEqual((status, json.loads(body)["current"]), (200, current))
            answer, options = self.gate()
            self.assertEqual(self.served_map_version(answer["DlcAddr"][0]), current)
            expected = [coming] * 2 if coming else []
            self.assertEqual([self.served_map_version(url) for url in options["PreDlcAddr"]], expected)
            self.assertEqual([self.served_map_version(url) for url in self.predownload_urls()], expected)
        status, _ = self.publisher.request("POST", "/_control/publisher/advance")
        self.assertEqual(status, 409)

    def test_offered_version_survives_a_restart_until_reset(self):
        self.publisher.request("POST", "/_control/publisher/advance")
        self.publisher.stop()
        again = self.start()
        self.assertEqual(again.get_json("/_control/publisher/state")["current"], "10077_0_2")
        again.stop()
        fresh = self.start("--reset")
        self.assertEqual(fresh.get_json("/_control/publisher/state")["current"], "10077_0_1")

    def test_advance_command_reports_by_exit_code(self):
        def advance(port):
            return subprocess.run([sys.executable, str(PACKAGE), "--advance", "--port", str(port)],
                                  capture_output=True, timeout=WAIT_S).returncode

        self.assertEqual([advance(self.publisher.port) for _ in range(3)], [0, 0, 1])
        self.publisher.stop()
        self.assertEqual(advance(self.publisher.port), 2)

    def test_sinks_log_records_and_faults_still_override_answers(self):
        self.publisher.request("POST", "/_control/reset")
        self.assertEqual(self.publisher.request("POST", "/track/json_track?token=t", b'{"log_type":"x"}'),
                         (200, b'{"code":0}'))
        self.assertEqual(self.publisher.request("GET", "/v1/adjust?event=start")[0], 200)
        self.assertEqual(self.publisher.request("GET", "/ip"), (200, b"127.0.0.1"))
        fault = json.dumps({"path": "/get/urls", "raw": "not json " * 20})
        self.assertEqual(self.publisher.request("POST", "/_control/fault", fault)[0], 200)
        self.assertEqual(self.publisher.request("GET", "/get/urls")[1], ("not json " * 20).encode())
        log = [(e["method"], e["path"], e["query"], e["body"]) for e in self.publisher.get_json("/_control/log")]
        self.assertEqual(log, [("POST", "/track/json_track", "token=t", '{"log_type":"x"}'),
                               ("GET", "/v1/adjust", "event=start", ""), ("GET", "/ip", "", ""),
                               ("GET", "/get/urls", "", "")])

    def test_endpoint_file_points_the_launcher_at_the_publisher(self):
        with open(self.setting, encoding="utf-8") as f:
            setting = json.load(f)
        self.assertEqual(setting["GateURLs"], [self.publisher.root_url])
        self.assertEqual(self.publisher.request("POST", self.path_of(setting["TrackURL"]), b"{}")[0], 200)
        self.assertTrue(1 <= setting["UpdateInterval"] <= 99)
        self.assertEqual(setting["RefreshInterval"], 1)


if __name__ == "__main__":
    unittest.main()
