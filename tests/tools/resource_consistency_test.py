"""The skin archive against the code that uses it: texts, fonts, colours, classes, attributes,
images, named controls and skin files.

A text id missing from a language file shows as the bare id, a colour name missing from
global.xml draws transparent, an unknown font falls back to the default, an unknown class or
attribute leaves its control without its look, a missing image draws nothing and a missing control
leaves its piece of a window inert; none of these fails at run time, so they are checked here.
"""

import json
import pathlib
import posixpath
import re
import sys
import unittest
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parents[2]
RESOURCES = ROOT / "resources"
THEME = RESOURCES / "themes" / "default"
CODE_FOLDERS = ("windows", "app", "ui", "update", "browser")
LANGUAGES = ("zh_TW", "en")

# The images drawn at build time, by their path under resources/.
sys.path.insert(0, str(ROOT / "tools" / "skin_art"))
from images import IMAGES  # noqa: E402
from page_images import PAGE_IMAGES  # noqa: E402

TEXT_ID = re.compile(r"STRING_[A-Z0-9_]+")
# Attribute lists nested in an attribute value, as in dropbox="bkcolor='white'".
NESTED_ATTRIBUTE = re.compile(r"(\w+)\s*=\s*'([^']*)'")
# A class's "value" holds an attribute list of its own.
LISTED_ATTRIBUTE = re.compile(r'(\w+)\s*=\s*"([^"]*)"')
PLACEHOLDER = re.compile(r"%l?s|\{p\d+\}")
# Elements that define resources rather than use them.
DEFINITIONS = {"Font", "TextColor", "Image"}


def code_files(folders=CODE_FOLDERS):
    for folder in folders:
        yield from sorted((ROOT / folder).rglob("*.cpp"))
        yield from sorted((ROOT / folder).rglob("*.h"))


def skin_files():
    return sorted(path for path in THEME.rglob("*.xml") if path.name != "global.xml")


def language_texts(code):
    """The texts as the language table reads them: a line counts only when '=' cuts it into
    exactly two non-empty pieces and the key holds no ';'."""
    texts = {}
    for line in (RESOURCES / "lang" / f"{code}.ini").read_text(encoding="utf-8").splitlines():
        pieces = [piece for piece in line.split("=") if piece]
        if len(pieces) != 2:
            continue
        key = pieces[0].strip()
        if key and ";" not in key:
            texts[key] = pieces[1].strip()
    return texts


def attribute_pairs(element):
    """Every (name, value) an element applies, nested and class-listed attributes included."""
    pending = list(element.attrib.items())
    while pending:
        name, value = pending.pop()
        if element.tag == "Class" and name == "name":
            continue
        if element.tag == "Class" and name == "value":
            pending.extend(LISTED_ATTRIBUTE.findall(value))
            continue
        yield name.lower(), value
        pending.extend(NESTED_ATTRIBUTE.findall(value))


def named_uses(element):
    """The (kind, name) pairs of the fonts, colours and classes an element asks for by name."""
    if element.tag in DEFINITIONS:
        return
    for name, value in attribute_pairs(element):
        value = value.strip()
        if name == "font" and value:
            yield "font", value
        elif name.endswith(("color", "color1")) and value:
            yield "colour", value
        elif name == "class":
            yield from (("class", item) for item in value.split())


def code_uses(text):
    """The classes and colours launcher code names in its calls."""
    for call in re.findall(r"\b(?:ApplyClass|SwitchLook)\(([^;]*);", text):
        yield from (("class", name) for name in re.findall(r'L"([^"]*)"', call))
    for call in re.findall(r"\bSet\w*Color\(([^;]*);", text):
        yield from (("colour", name) for name in re.findall(r'L"([^"]*)"', call))


def images_of(element):
    """The image files an element (or a class) names: plain paths and the file of a 'file=' list."""
    if element.tag in DEFINITIONS:
        return
    for name, value in attribute_pairs(element):
        if name == "file" or (name.endswith("image") and "=" not in value):
            yield value.strip()


def json_images(node):
    """The NormalImage and HotImage values anywhere in a channel configuration."""
    if isinstance(node, dict):
        for key, value in node.items():
            if key in ("NormalImage", "HotImage") and isinstance(value, str):
                yield value
            else:
                yield from json_images(value)
    elif isinstance(node, list):
        for item in node:
            yield from json_images(item)


def class_names(tree):
    return {element.get("name") for element in tree.iter("Class")}


class ResourceConsistency(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.glob = ET.parse(THEME / "global.xml")
        cls.skins = {path: ET.parse(path) for path in skin_files()}

    def test_every_text_id_in_use_is_in_both_languages_with_the_same_placeholders(self):
        used = {}
        for path in [*code_files(), *skin_files(), *THEME.glob("*.json")]:
            for text_id in TEXT_ID.findall(path.read_text(encoding="utf-8")):
                used.setdefault(text_id, path.relative_to(ROOT))
        self.assertIn("STRING_START_GAME", used)  # the scan itself reached the code
        texts = {code: language_texts(code) for code in LANGUAGES}
        missing = [f"{text_id} ({where}) lacks in {code}.ini" for code in LANGUAGES
                   for text_id, where in sorted(used.items()) if text_id not in texts[code]]
        placeholders = {code: {text_id: sorted(PLACEHOLDER.findall(text)) for text_id, text in texts[code].items()}
                        for code in LANGUAGES}
        differing = [f"{text_id} has placeholders {[placeholders[code][text_id] for code in LANGUAGES]}"
                     for text_id in sorted(used) if all(text_id in texts[code] for code in LANGUAGES)
                     and len({str(placeholders[code][text_id]) for code in LANGUAGES}) > 1]
        self.assertEqual(missing + differing, [])

    def test_every_font_colour_and_class_the_skins_and_the_code_use_is_defined(self):
        known = {"font": {element.get("id") for element in self.glob.iter("Font")},
                 "colour": {element.get("name") for element in self.glob.iter("TextColor")},
                 "class": class_names(self.glob)}
        uses = [(use, "global.xml", known) for element in self.glob.iter() for use in named_uses(element)]
        for path, tree in self.skins.items():
            # A skin's own classes serve it, and a page built into a window sees that window's.
            host = self.skins.get(path.parent / "skin.xml", tree)
            here = {**known, "class": known["class"] | class_names(tree) | class_names(host)}
            uses += [(use, path.relative_to(THEME), here) for element in tree.iter() for use in named_uses(element)]
        # The framework's own optional classes (a scroll bar's look) are the skins' choice: launcher code only.
        for path in code_files(("windows", "browser")):
            uses += [(use, path.relative_to(ROOT), known) for use in code_uses(path.read_text(encoding="utf-8"))]
        self.assertGreater(len(uses), 100)  # the scan itself found the markup
        undefined = [f"{kind} {name} ({where})" for (kind, name), where, defined in uses if name not in defined[kind]]
        self.assertEqual(undefined, [])

    def test_every_attribute_the_skins_set_is_one_the_framework_reads(self):
        # The framework drops an attribute it does not know without a word. The names it knows are
        # the literals of ui/, and pairs of them where it composes a name (a part and a state).
        known = set()
        for path in code_files(("ui",)):
            names = set(re.findall(r'L"([a-z][a-z0-9_]*)"', path.read_text(encoding="utf-8")))
            known |= names | {first + second for first in names for second in names}
        trees = {THEME / "global.xml": self.glob, **self.skins}
        unknown = [f"{name} ({path.relative_to(THEME)})" for path, tree in trees.items() for element in tree.iter()
                   for name, _ in attribute_pairs(element) if name not in known]
        self.assertEqual(unknown, [])

    def test_every_image_a_window_shows_is_drawn_or_stored(self):
        # A missing image draws nothing. An image path is taken under the folder of the window
        # that shows it, so a class's images are checked in every folder whose skins use it.
        available = set(IMAGES) | set(PAGE_IMAGES) | {
            path.relative_to(RESOURCES).as_posix() for path in RESOURCES.rglob("*.png")}
        classes = {element.get("name"): element for element in self.glob.iter("Class")}
        shown = []  # (image, folder of the window, where it is named)
        for path, tree in self.skins.items():
            folder = path.parent.relative_to(THEME)
            for element in tree.iter():
                used = [classes[name] for kind, name in named_uses(element) if kind == "class" and name in classes]
                for source in [element, *used]:
                    shown += [(image, folder, path.name) for image in images_of(source)]
        channel = json.loads((THEME / "common_config_CHANNEL_TW.json").read_text(encoding="utf-8"))
        shown += [(image, pathlib.Path("main"), "channel links") for image in json_images(channel)]
        self.assertGreater(len(shown), 50)
        missing = [f"{image} ({where} in {folder})" for image, folder, where in shown
                   if posixpath.normpath(f"themes/default/{folder.as_posix()}/{image}") not in available]
        self.assertEqual(sorted(set(missing)), [])

    def test_every_control_the_windows_look_up_by_name_is_in_a_skin(self):
        # A control the skin lacks leaves its piece of the window inert without a word.
        lookups = [
            r'\bFind\w*(?:<[^>]*>)?\((?:[^;()]*,\s*)?(?:std::wstring\()?L"(\w+)"',  # FindControl, FindNamed<T>(page, ...)
            r'GetName\(\)\s*[!=]=\s*L"(\w+)"',  # handlers that test the sender's name
            r'\{L"(\w+)",\s*\[',  # the dialogs' click tables
        ]
        names = {element.get("name") for tree in self.skins.values() for element in tree.iter()}
        looked_up = []
        for path in code_files(("windows",)):
            text = path.read_text(encoding="utf-8")
            looked_up += [(name, path.relative_to(ROOT)) for pattern in lookups for name in re.findall(pattern, text)]
            # The settings pages pass their controls' names to helpers that look them up.
            for call in re.findall(r"\b(?:SetupChoice|SetupSpeedRow|SetTip)\(([^;]*);", text):
                looked_up += [(name, path.relative_to(ROOT)) for name in re.findall(r'L"([a-z]\w*)"', call)]
        self.assertGreater(len(looked_up), 50)
        self.assertEqual([use for use in looked_up if use[0] not in names], [])

    def test_every_skin_file_the_code_loads_exists(self):
        loaded = []
        for path in code_files():
            text = path.read_text(encoding="utf-8")
            where = path.relative_to(ROOT)
            folder = re.search(r'GetSkinFolder\(\)[^{]*\{\s*return L"([^"]*)"', text)
            file = re.search(r'GetSkinFile\(\)[^{]*\{\s*return L"([^"]*)"', text)
            if folder and file:
                loaded.append((f"{folder.group(1)}/{file.group(1)}", where))
                text = text.replace(file.group(0), "")
            loaded += [(name, where) for name in re.findall(r'L"([\w/]+\.xml)"', text)]
        names = {name for name, _ in loaded}
        self.assertTrue({"main/skin.xml", "global.xml", "main/tab_asset_none.xml"} <= names, names)
        self.assertEqual([use for use in loaded if not (THEME / use[0]).is_file()], [])


if __name__ == "__main__":
    unittest.main()
