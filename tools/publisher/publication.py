"""Builds what the publisher serves from a recipe: the game versions with their flat version maps,
the patch lists and patches between versions, and the launcher's files with their map.

Layout of the sample folder (only www/ is served):

    objects/<md5>                         every distinct file once
    www/game/<version>/<path>             the version's files (links into objects/)
    www/game/<version>/version_map.txt    flat map; "version" is an entry whose "md5" is the version
    www/game/<version>/patchs/<older>/patch_list.txt, <path>.patch or <path>.qzdiff
    www/launcher/launcher_version_map.txt, resources.zip [, launcher.exe]
    recipe.txt                            what the folder was built from; written last

A rebuild happens only when recipe.txt differs from the recipe at hand.
"""

import concurrent.futures
import hashlib
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

from sample_game import GAME_EXE, write_game_file

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.environ.get("LAUNCHER_BUILD", os.path.join(REPO, "build"))
# The skin folder the launcher's own archive is packed from: resources/ with the drawn images,
# which the repository's resources/ lacks.
SKIN_FOLDER = os.path.join(BUILD, "skin_stage", "resources")
PATCHGEN = os.path.join(REPO, "tools", "patchgen")
PATCH_SUFFIX = ".patch"
ALT_PATCH_SUFFIX = ".qzdiff"  # what the launcher asks for when the older version has no KORU.exe.patch
LAUNCHER_VERSION = "1.0.1"
MARKER = ".sample_publisher"
_SOURCES = (os.path.dirname(os.path.abspath(__file__)), PATCHGEN)


class HashingWriter:
    def __init__(self, out):
        self.out, self.md5, self.size = out, hashlib.md5(), 0

    def write(self, data):
        self.out.write(data)
        self.md5.update(data)
        self.size += len(data)


def md5_of_file(path):
    digest = hashlib.md5()
    with open(path, "rb") as f:
        for chunk in iter(lambda: f.read(8 * 1024 * 1024), b""):
            digest.update(chunk)
    return digest.hexdigest()


def _sources_digest():
    digest = hashlib.sha256()
    for folder in _SOURCES:
        if not os.path.isdir(folder):
            continue
        for name in sorted(os.listdir(folder)):
            if name.endswith(".py"):
                with open(os.path.join(folder, name), "rb") as f:
                    digest.update(name.encode() + f.read())
    return digest.hexdigest()


def flat_map(version, entries):
    """A flat version map: one member per file, and "version" as an entry whose "md5" holds it."""
    members = {path: {"md5": md5, "size": size} for path, (md5, size) in entries.items()}
    members["version"] = {"md5": version}
    return json.dumps(members, indent="\t", sort_keys=True, ensure_ascii=False) + "\n"


def wrapped_map(version, entries):
    """The layout the launcher's own map writer produces: "version" and "list"."""
    members = {path: {"md5": md5, "size": size} for path, (md5, size) in entries.items()}
    return json.dumps({"version": version, "list": members}, indent="\t", sort_keys=True, ensure_ascii=False) + "\n"


def resources_zip(folder):
    """The skin archive: the laid-out skin folder, its entries under "resources/" as in the
    archive built into the launcher, and a marker that makes it differ from that one. Fixed
    dates keep its MD5 stable."""
    if not os.path.isdir(folder):
        raise RuntimeError(f"no skin folder at {folder} (build it: cmake --build <build> --target skin_resources)")
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w", zipfile.ZIP_DEFLATED) as archive:
        names = []
        for top, dirs, files in os.walk(folder):
            dirs.sort()
            names += [os.path.join(top, name) for name in sorted(files)]
        for name in names:
            entry = "resources/" + os.path.relpath(name, folder).replace(os.sep, "/")
            info = zipfile.ZipInfo(entry, (1980, 1, 1, 0, 0, 0))
            with open(name, "rb") as f:
                archive.writestr(info, f.read(), zipfile.ZIP_DEFLATED)
        marker = zipfile.ZipInfo("sample_publisher.txt", (1980, 1, 1, 0, 0, 0))
        archive.writestr(marker, f"Skin archive published by the sample publisher, launcher {LAUNCHER_VERSION}\n")
    return data.getvalue()


class Builder:
    def __init__(self, sample_dir, recipe, game_exe_path, launcher_exe_path=None, resources_dir=None,
                 log=lambda text: None):
        self.dir = os.path.abspath(sample_dir)
        self.recipe = recipe
        self.game_exe_path = game_exe_path
        self.launcher_exe_path = launcher_exe_path
        self.resources_dir = resources_dir or SKIN_FOLDER
        self.log = log
        self.objects = os.path.join(self.dir, "objects")
        self.www = os.path.join(self.dir, "www")

    # -- the cache key ---------------------------------------------------------------------

    def recipe_text(self):
        parts = [self.recipe.describe(), "game_exe " + md5_of_file(self.game_exe_path),
                 "launcher_exe " + (md5_of_file(self.launcher_exe_path) if self.launcher_exe_path else "-"),
                 "resources " + hashlib.md5(resources_zip(self.resources_dir)).hexdigest(),
                 "sources " + _sources_digest(), "patchgen " + str(os.path.isdir(PATCHGEN))]
        return "\n".join(parts) + "\n"

    def up_to_date(self, text):
        try:
            with open(os.path.join(self.dir, "recipe.txt")) as f:
                return f.read() == text
        except OSError:
            return False

    def build(self):
        """Builds the sample folder unless it already holds this recipe's output."""
        text = self.recipe_text()
        if self.up_to_date(text):
            return
        self._clear()
        with open(self.game_exe_path, "rb") as f:
            self.game_exe = f.read()
        self._made = {}  # (path, revision) -> (md5, size)
        maps = [self._build_version(i) for i in range(len(self.recipe.versions))]
        self._build_patches(maps)
        self._build_launcher()
        with open(os.path.join(self.dir, "recipe.txt"), "w") as f:
            f.write(text)

    def _clear(self):
        os.makedirs(self.dir, exist_ok=True)
        marker = os.path.join(self.dir, MARKER)
        if os.listdir(self.dir) and not os.path.exists(marker):
            raise RuntimeError(f"{self.dir} is not empty and was not made by the sample publisher")
        for name in ("recipe.txt",):
            if os.path.exists(os.path.join(self.dir, name)):
                os.remove(os.path.join(self.dir, name))
        for name in ("objects", "www"):
            shutil.rmtree(os.path.join(self.dir, name), ignore_errors=True)
        os.makedirs(self.objects)
        os.makedirs(self.www)
        open(marker, "w").close()

    # -- content store ---------------------------------------------------------------------

    def _store(self, write):
        """Runs write(out) into a new object; its (md5, size)."""
        fd, tmp = tempfile.mkstemp(dir=self.objects, suffix=".tmp")
        with os.fdopen(fd, "wb") as f:
            out = HashingWriter(f)
            write(out)
        md5 = out.md5.hexdigest()
        os.replace(tmp, os.path.join(self.objects, md5))
        return md5, out.size

    def _place(self, md5, target):
        os.makedirs(os.path.dirname(target), exist_ok=True)
        source = os.path.join(self.objects, md5)
        try:
            os.link(source, target)
        except OSError:
            shutil.copyfile(source, target)

    # -- game ------------------------------------------------------------------------------

    def _build_version(self, index):
        version = self.recipe.versions[index]
        self.log(f"sample: game version {version}")
        entries = {}
        for path, size, revision in self.recipe.files_of(index):
            key = (path, revision)
            if key not in self._made:
                self._made[key] = self._store(lambda out: write_game_file(out, path, size, revision, self.game_exe))
            entries[path] = self._made[key]
            self._place(entries[path][0], os.path.join(self.www, "game", version, *path.split("/")))
        with open(os.path.join(self.www, "game", version, "version_map.txt"), "w", encoding="utf-8") as f:
            f.write(flat_map(version, entries))
        return entries

    def _build_patches(self, maps):
        if not os.path.isdir(PATCHGEN):
            self.log("sample: tools/patchgen is missing, so no patches are published")
            return
        pairs = {}
        for new in range(len(maps)):
            for old in range(new):
                for path, (md5, size) in maps[new].items():
                    before = maps[old].get(path)
                    if before and before[0] != md5 and before[1] > 0:
                        pairs[(before[0], md5)] = None
        self.log(f"sample: {len(pairs)} patches")
        with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
            for pair, result in zip(pairs, pool.map(self._make_patch, pairs)):
                pairs[pair] = result
        for new in range(len(maps)):
            for old in range(new):
                self._publish_patch_list(maps, old, new, pairs)

    def _make_patch(self, pair):
        old, new = (os.path.join(self.objects, md5) for md5 in pair)
        out = os.path.join(self.objects, f"patch-{pair[0]}-{pair[1]}")
        subprocess.run([sys.executable, PATCHGEN, old, new, out], check=True)
        md5 = md5_of_file(out)
        os.replace(out, os.path.join(self.objects, md5))
        return md5, os.path.getsize(os.path.join(self.objects, md5))

    def _publish_patch_list(self, maps, old, new, pairs):
        versions = self.recipe.versions
        chosen = {}
        for path, (md5, size) in maps[new].items():
            before = maps[old].get(path)
            patch = pairs.get((before[0], md5)) if before else None
            # A patch no smaller than the file is not worth it, except the game's, whose patch tells
            # the launcher which suffix this folder uses.
            if patch and (path == GAME_EXE or patch[1] < size):
                chosen[path] = patch
        if not chosen:
            return
        suffix = PATCH_SUFFIX if GAME_EXE in chosen else ALT_PATCH_SUFFIX
        folder = os.path.join(self.www, "game", versions[new], "patchs", versions[old])
        for path, (md5, _) in chosen.items():
            self._place(md5, os.path.join(folder, *path.split("/")) + suffix)
        with open(os.path.join(folder, "patch_list.txt"), "w", encoding="utf-8") as f:
            f.write(flat_map(versions[new], chosen))

    # -- launcher --------------------------------------------------------------------------

    def _build_launcher(self):
        folder = os.path.join(self.www, "launcher")
        os.makedirs(folder)
        data = resources_zip(self.resources_dir)
        entries = {"resources.zip": self._store(lambda out: out.write(data))}
        if self.launcher_exe_path:
            with open(self.launcher_exe_path, "rb") as f:
                exe = f.read()
            entries["launcher.exe"] = self._store(lambda out: out.write(exe))
        for name, (md5, _) in entries.items():
            self._place(md5, os.path.join(folder, name))
        with open(os.path.join(folder, "launcher_version_map.txt"), "w", encoding="utf-8") as f:
            f.write(wrapped_map(LAUNCHER_VERSION, entries))
