"""The images of the main window's game-area and pre-download pages, the poster pager dots:
round glyph buttons (pause, play, download, folder), the pre-download hint panel, the
completed mark. PAGE_IMAGES maps paths under resources/ to drawing functions."""

import math

from images import GOLD, GOLD_LIGHT, WHITE
from raster import Canvas, clamp01

GREEN = (63, 174, 90, 255)

# Plate, rim and glyph colours of the round buttons per state.
ROUND_STATES = {
    "normal": ((27, 32, 48, 220), GOLD, WHITE),
    "hovered": ((44, 52, 76, 235), GOLD_LIGHT, GOLD_LIGHT),
    "pushed": ((18, 21, 30, 240), GOLD, GOLD),
    "disabled": ((60, 64, 72, 200), (110, 110, 110, 255), (150, 150, 150, 255)),
}


def glyph(canvas, kind, c, s, ink):
    """A glyph centred at (c, c), scaled by s (1 for a 32-pixel button)."""
    if kind == "pause":
        for dx in (-3.5, 3.5):
            canvas.stroke([(c + dx * s, c - 6 * s), (c + dx * s, c + 6 * s)], 3.4 * s, ink)
    elif kind == "play":
        canvas.shade(lambda x, y: (ink, clamp01(0.5 - max(c - 4.5 * s - x, abs(y - c) * 1.55 - (c + 7 * s - x) * 0.9))))
    elif kind == "download":
        canvas.stroke([(c, c - 8 * s), (c, c + 4 * s)], 3.0 * s, ink)
        canvas.stroke([(c - 6 * s, c - 1 * s), (c, c + 5 * s), (c + 6 * s, c - 1 * s)], 3.0 * s, ink)
        canvas.stroke([(c - 8 * s, c + 9 * s), (c + 8 * s, c + 9 * s)], 2.4 * s, ink)
    elif kind == "folder":
        canvas.rounded_rect((c - 8 * s, c - 6 * s, c - 1 * s, c - 2 * s), 1.5 * s, lambda t: ink)
        canvas.rounded_rect((c - 8 * s, c - 4 * s, c + 8 * s, c + 7 * s), 1.8 * s, lambda t: ink)
    elif kind == "check":
        canvas.stroke([(c - 7 * s, c), (c - 2 * s, c + 5 * s), (c + 8 * s, c - 6 * s)], 3.4 * s, ink)


def round_button(size, kind, state):
    """A round plate with a rim and a glyph."""
    plate, rim, ink = ROUND_STATES[state]
    canvas = Canvas(size, size)
    c = size / 2
    canvas.circle(c, c, c - 0.5, rim)
    canvas.circle(c, c, c - 2.0, plate)
    glyph(canvas, kind, c, size / 32, ink)
    return canvas


def finish_mark(size):
    """The completed mark: a green disc with a white tick."""
    canvas = Canvas(size, size)
    c = size / 2
    canvas.circle(c, c, c - 0.5, GREEN)
    glyph(canvas, "check", c, size / 32, WHITE)
    return canvas


def hint_panel(width, height):
    """The dark, gold-edged panel behind the pre-download texts."""
    canvas = Canvas(width, height)
    rect = (0.5, 0.5, width - 0.5, height - 0.5)
    canvas.rounded_rect(rect, 6, lambda t: (18, 21, 30, 210))
    canvas.rounded_frame(rect, 6, 1.0, (201, 162, 80, 160))
    return canvas


def pager_dot(size):
    """The current poster's pager dot: a filled gold dot."""
    canvas = Canvas(size, size)
    canvas.circle(size / 2, size / 2, 5.0, GOLD_LIGHT)
    return canvas


def pager_ring(size):
    """Another poster's pager dot: a light ring."""
    canvas = Canvas(size, size)
    c = size / 2
    canvas.shade(lambda x, y: ((255, 255, 255, 170), clamp01(1.2 - abs(math.hypot(x - c, y - c) - 4.4) * 1.4)))
    return canvas


def _table():
    images = {}
    main = "themes/default/main/"
    for prefix, kind, names, size in (
            ("img_btn_Pause_", "pause", ("normal", "hovered", "disabled"), 25),
            ("img_btn_Play_", "play", ("normal", "hovered", "disabled"), 25),
            ("img_btn_ChangeInstallPath_", "folder", ("normal", "hovered"), 25)):
        for name in names:
            images[main + prefix + name + ".png"] = lambda k=kind, s=name, z=size: round_button(z, k, s)
    # The pre-download buttons name their states hover, push and disable.
    short = {"normal": "normal", "hover": "hovered", "push": "pushed", "disable": "disabled"}
    for prefix, kind in (("img_predownload_", "download"), ("img_btnStart_", "play"), ("img_btnPause_", "pause")):
        for name, state in short.items():
            images[main + prefix + name + ".png"] = lambda k=kind, s=state: round_button(36, k, s)
    images[main + "img_predownloadBG.png"] = lambda: hint_panel(188, 44)
    images[main + "img_finish.png"] = lambda: finish_mark(36)
    images[main + "dot_empty.png"] = lambda: pager_ring(20)
    images[main + "dot_filled.png"] = lambda: pager_dot(20)
    return images


PAGE_IMAGES = _table()
