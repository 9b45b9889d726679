"""The launcher's skin images, drawn from code: one function per kind of image, and the table of
every file the skins use (IMAGES), by path under resources/.

The look: a dark night-blue frame with gold accents (title bar, emblem, tray icon), light
parchment dialog panels with a gold border, blue primary and slate secondary buttons, a golden
call-to-action button.
"""

import math
import random

from raster import Canvas, clamp01, mix, rounded_rect_distance

INK = (18, 21, 30, 255)
NIGHT = (27, 32, 48, 255)
GOLD = (201, 162, 80, 255)
GOLD_LIGHT = (236, 207, 138, 255)
GOLD_DARK = (140, 104, 40, 255)
PARCHMENT_TOP = (247, 241, 228, 255)
PARCHMENT_BOTTOM = (233, 224, 202, 255)
WHITE = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)

# Button faces: (top colour, bottom colour, border colour) per family and state.
BUTTON_FACES = {
    "blue": {
        "normal": ((72, 132, 226, 255), (40, 92, 184, 255), (28, 66, 140, 255)),
        "hovered": ((96, 154, 240, 255), (56, 112, 206, 255), (36, 80, 160, 255)),
        "pushed": ((36, 84, 170, 255), (30, 70, 146, 255), (22, 52, 112, 255)),
        "disabled": ((140, 150, 168, 255), (118, 128, 146, 255), (100, 108, 124, 255)),
    },
    "gray": {
        "normal": ((76, 82, 96, 255), (52, 57, 68, 255), (36, 40, 48, 255)),
        "hovered": ((96, 102, 118, 255), (66, 72, 86, 255), (44, 48, 58, 255)),
        "pushed": ((44, 48, 58, 255), (38, 42, 50, 255), (28, 31, 38, 255)),
        "disabled": ((120, 124, 132, 255), (104, 108, 116, 255), (90, 94, 100, 255)),
    },
    "white": {
        "normal": ((255, 255, 255, 255), (242, 244, 248, 255), (176, 190, 214, 255)),
        "hovered": ((246, 250, 255, 255), (228, 238, 252, 255), (72, 132, 226, 255)),
        "pushed": ((226, 234, 246, 255), (216, 226, 240, 255), (52, 104, 200, 255)),
        "disabled": ((240, 240, 240, 255), (232, 232, 232, 255), (200, 200, 200, 255)),
    },
    "yellow": {
        "normal": ((250, 214, 110, 255), (222, 164, 44, 255), (150, 100, 24, 255)),
        "hovered": ((255, 228, 140, 255), (236, 182, 64, 255), (164, 112, 30, 255)),
        "pushed": ((214, 160, 44, 255), (196, 140, 32, 255), (130, 86, 20, 255)),
        "disabled": ((200, 194, 178, 255), (172, 166, 150, 255), (136, 130, 116, 255)),
    },
}


def gradient(top, bottom):
    return lambda t: mix(top, bottom, clamp01(t))


def button(width, height, family, state):
    """A rounded button face with a vertical gradient, a border and a soft top highlight."""
    top, bottom, border = BUTTON_FACES[family][state]
    canvas = Canvas(width, height)
    radius = min(8.0, height / 4)
    rect = (0.5, 0.5, width - 0.5, height - 0.5)
    canvas.rounded_rect(rect, radius, lambda t: border)
    canvas.rounded_rect(rect, radius, gradient(top, bottom), inset=1.0)
    if state != "pushed":
        shine = (255, 255, 255, 40)
        canvas.rounded_frame((1.5, 1.5, width - 1.5, height - 1.5), radius - 1, 1.0, shine)
    return canvas


def close_glyph(size, glyph, state, light):
    """A caption button: a cross or a minimise bar, with a round plate when hot or pushed."""
    canvas = Canvas(size, size)
    plates = {"hovered": (214, 76, 66, 255) if glyph == "close" else (255, 255, 255, 46),
              "pushed": (168, 52, 44, 255) if glyph == "close" else (255, 255, 255, 80)}
    if not light:
        plates["hovered"] = (214, 76, 66, 255) if glyph == "close" else (0, 0, 0, 30)
        plates["pushed"] = (168, 52, 44, 255) if glyph == "close" else (0, 0, 0, 60)
    if state in plates:
        canvas.rounded_rect((0, 0, size, size), size / 5, lambda t: plates[state])
    ink = WHITE if light or (state != "normal" and glyph == "close") else (70, 62, 52, 255)
    c, arm, width = size / 2, size * 0.22, max(1.6, size / 14)
    if glyph == "close":
        canvas.stroke([(c - arm, c - arm), (c + arm, c + arm)], width, ink)
        canvas.stroke([(c - arm, c + arm), (c + arm, c - arm)], width, ink)
    else:
        canvas.stroke([(c - arm, c + arm * 0.2), (c + arm, c + arm * 0.2)], width, ink)
    return canvas


def gear_glyph(size, state):
    """The settings button of the title bar: a light cog on a plate that lights up when hot."""
    canvas = Canvas(size, size)
    if state != "normal":
        plate = (255, 255, 255, 46) if state == "hovered" else (255, 255, 255, 80)
        canvas.rounded_rect((0, 0, size, size), size / 5, lambda t: plate)
    ink = GOLD_LIGHT if state == "hovered" else WHITE
    c = size / 2
    for tooth in range(8):
        angle = tooth * math.pi / 4
        inner, outer = size * 0.2, size * 0.33
        canvas.stroke([(c + inner * math.cos(angle), c + inner * math.sin(angle)),
                       (c + outer * math.cos(angle), c + outer * math.sin(angle))], size / 9, ink)
    canvas.circle(c, c, size * 0.24, ink)
    canvas.circle(c, c, size * 0.1, (44, 52, 76, 255))
    return canvas


def band(height, top, bottom):
    """A horizontal band, stretched sideways: a vertical gradient with a gold rule on top."""
    canvas = Canvas(8, height)
    canvas.shade(lambda x, y: (mix(top, bottom, y / height), 1.0))
    canvas.shade(lambda x, y: (GOLD_DARK, 1.0), (0, 0, 8, 1))
    return canvas


def check_mark(size, selected, state, round_mark):
    """A check box (square) or an option mark (round): frame, and a tick or dot when selected."""
    canvas = Canvas(size, size)
    disabled = state == "disabled"
    frame = (150, 150, 150, 255) if disabled else GOLD if state == "hovered" else (120, 110, 96, 255)
    fill = (236, 234, 230, 255) if disabled else WHITE
    radius = size / 2 if round_mark else 3.0
    rect = (1, 1, size - 1, size - 1)
    if selected and not round_mark:
        face = (170, 170, 170, 255) if disabled else (52, 104, 200, 255)
        canvas.rounded_rect(rect, radius, lambda t: face)
        canvas.stroke([(size * 0.27, size * 0.52), (size * 0.44, size * 0.68), (size * 0.74, size * 0.34)],
                      max(1.8, size / 9), WHITE)
        return canvas
    canvas.rounded_rect(rect, radius, lambda t: frame)
    canvas.rounded_rect(rect, radius, lambda t: fill, inset=1.3)
    if selected:
        dot = (160, 160, 160, 255) if disabled else (52, 104, 200, 255)
        canvas.circle(size / 2, size / 2, size * 0.24, dot)
    return canvas


def help_mark(size, hovered=False):
    """A round help mark: a question mark on a slate disc."""
    canvas = Canvas(size, size)
    c = size / 2
    canvas.circle(c, c, c - 0.5, (72, 132, 226, 255) if hovered else (128, 136, 150, 255))
    s = size / 18
    points = [(c + 3.2 * s * math.cos(a), c - 2.6 * s + 3.2 * s * math.sin(a)) for a in
              [math.pi * (1.0 + i / 8) for i in range(11)]]
    canvas.stroke(points + [(c, c + 1.8 * s)], 1.8 * s, WHITE)
    canvas.circle(c, c + 4.6 * s, 1.2 * s, WHITE)
    return canvas


def edit_field(width, height, disabled):
    """A text field: a white (or grey, disabled) rounded box with a thin frame."""
    canvas = Canvas(width, height)
    frame = (200, 200, 200, 255) if disabled else (176, 168, 150, 255)
    fill = (236, 236, 236, 255) if disabled else WHITE
    rect = (0.5, 0.5, width - 0.5, height - 0.5)
    canvas.rounded_rect(rect, 6, lambda t: frame)
    canvas.rounded_rect(rect, 6, lambda t: fill, inset=1.0)
    return canvas


def scroll_part(width, height, colour):
    """A scroll bar's track or thumb: a rounded bar to be stretched."""
    canvas = Canvas(width, height)
    canvas.rounded_rect((0, 0, width, height), width / 2, lambda t: colour)
    return canvas


def progress(width, height, fill):
    """A progress bar's track, or its fill, as a stretchable rounded bar."""
    canvas = Canvas(width, height)
    radius = height / 2
    if fill:
        canvas.rounded_rect((0, 0, width, height), radius, gradient(GOLD_LIGHT, GOLD))
    else:
        canvas.rounded_rect((0, 0, width, height), radius, lambda t: (255, 255, 255, 46))
        canvas.rounded_frame((0, 0, width, height), radius, 1.0, (255, 255, 255, 30))
    return canvas


def title_bar(width, height):
    """The main window's title band: night blue, darker at the bottom, a gold rule under it."""
    canvas = Canvas(width, height)
    canvas.shade(lambda x, y: (mix(NIGHT, INK, y / height), 1.0))
    canvas.shade(lambda x, y: (GOLD_DARK, 1.0), (0, height - 2, width, height - 1))
    canvas.shade(lambda x, y: (GOLD, 1.0), (0, height - 1, width, height))
    return canvas


def dialog_panel(width, height, margin=14, pattern=False):
    """A parchment panel with a double gold border inside a soft shadow margin."""
    canvas = Canvas(width, height)
    outer = (margin, margin, width - margin, height - margin)
    for spread in range(margin, 0, -2):
        shadow = (0, 0, 0, int(36 * (1 - spread / margin) ** 2) + 2)
        canvas.rounded_frame((outer[0] - spread, outer[1] - spread + 3, outer[2] + spread, outer[3] + spread + 3),
                             12 + spread, 2.0, shadow)
    canvas.rounded_rect(outer, 12, gradient(PARCHMENT_TOP, PARCHMENT_BOTTOM))
    if pattern:
        # Faint diagonal hatching inside the panel: the pre-download panel's texture.
        ink = (180, 150, 96, 40)
        canvas.shade(lambda x, y: (ink, clamp01(0.5 - rounded_rect_distance(x, y, *outer, 12))
                                   * clamp01(1.0 - abs((x + y) % 22 - 11))))
    canvas.rounded_frame(outer, 12, 2.0, GOLD)
    inner = (outer[0] + 5, outer[1] + 5, outer[2] - 5, outer[3] - 5)
    canvas.rounded_frame(inner, 8, 1.0, (201, 162, 80, 150))
    return canvas


def poster_placeholder(width, height, seed=7):
    """A night landscape: dusk sky, stars, a moon, mountain ranges and a keep on a crag."""
    rng = random.Random(seed)
    canvas = Canvas(width, height)
    sky_top, sky_mid, horizon = (14, 18, 44, 255), (58, 44, 92, 255), (214, 122, 78, 255)

    def sky(x, y):
        t = y / height
        colour = mix(sky_top, sky_mid, t / 0.55) if t < 0.55 else mix(sky_mid, horizon, (t - 0.55) / 0.35)
        return colour, 1.0

    canvas.shade(sky)
    for _ in range(width * height // 900):
        x, y = rng.uniform(0, width), rng.uniform(0, height * 0.5)
        canvas.circle(x, y, rng.uniform(0.4, 1.2), (255, 248, 230, rng.randint(90, 230)))
    moon_x, moon_y, moon_r = width * 0.78, height * 0.22, height * 0.08
    canvas.shade(lambda x, y: ((255, 236, 190, 40), clamp01(1 - (math.hypot(x - moon_x, y - moon_y) - moon_r) / (moon_r * 2.5))),
                 (moon_x - moon_r * 4, moon_y - moon_r * 4, moon_x + moon_r * 4, moon_y + moon_r * 4))
    canvas.circle(moon_x, moon_y, moon_r, (252, 238, 204, 255))

    def ridge(base, amplitude, waves, phase):
        return [height * base - amplitude * sum(math.sin(x / width * w * math.pi + phase + i) / (i + 1)
                                                for i, w in enumerate(waves)) for x in range(width)]

    layers = [(0.62, height * 0.10, (3, 7, 13), (64, 52, 96, 255)),
              (0.72, height * 0.08, (2, 5, 11), (38, 34, 66, 255)),
              (0.84, height * 0.06, (4, 9, 17), (20, 22, 40, 255))]
    for index, (base, amplitude, waves, colour) in enumerate(layers):
        heights = ridge(base, amplitude, waves, index * 1.7)
        if index == 1:
            # The keep: towers with pointed roofs on the middle ridge.
            crag = int(width * 0.3)
            for tower_x, tower_w, tower_h in ((crag - 34, 18, 70), (crag, 26, 110), (crag + 36, 16, 60)):
                top = heights[min(max(crag, 0), width - 1)] - tower_h
                for x in range(max(0, tower_x - tower_w // 2), min(width, tower_x + tower_w // 2)):
                    roof = top - (tower_w / 2 - abs(x - tower_x)) * 1.4
                    heights[x] = min(heights[x], roof)
        canvas.polygon_below(heights, lambda x, y, c=colour: c)
    # Warm windows in the keep.
    crag = width * 0.3
    for wx, wy in ((crag - 2, 0.0), (crag + 3, 14.0), (crag - 36, 20.0)):
        base = ridge(0.72, height * 0.08, (2, 5, 11), 1.7)[int(crag)] - 80 + wy
        canvas.shade(lambda x, y: ((255, 196, 96, 255), 1.0), (wx, base, wx + 3, base + 6))
    # Vignette.
    cx, cy = width / 2, height / 2
    canvas.shade(lambda x, y: ((0, 0, 0, 255), 0.45 * clamp01((math.hypot((x - cx) / cx, (y - cy) / cy) - 0.7) / 0.7)))
    return canvas


def emblem(size):
    """The launcher's emblem: a gold-rimmed night-blue shield carrying a gold T."""
    canvas = Canvas(size, size)
    s = size / 32.0
    rim = max(1.0, 2.0 * s)

    def shield(x, y):
        # A rounded square top that narrows to a point: distance to the union of a box and a wedge.
        nx, ny = x / s - 16, y / s - 15
        top = max(abs(nx) - 12, abs(ny + 5) - 9)
        wedge = max(abs(nx) * 1.1 + (ny - 3) * 0.9 - 9.5, -ny - 2)
        return min(top, wedge) * s

    canvas.shade(lambda x, y: (GOLD, clamp01(0.5 - shield(x, y))))
    canvas.shade(lambda x, y: (NIGHT, clamp01(0.5 - shield(x, y) - rim)))
    canvas.stroke([(9 * s, 9.5 * s), (23 * s, 9.5 * s)], 3.2 * s, GOLD_LIGHT)
    canvas.stroke([(16 * s, 9.5 * s), (16 * s, 24 * s)], 3.2 * s, GOLD_LIGHT)
    return canvas


def link_icon(glyph, hovered, size=32):
    """A community link: a round night-blue plate, gold-rimmed when hot, with a light glyph."""
    canvas = Canvas(size, size)
    c, r = size / 2, size / 2 - 1
    canvas.circle(c, c, r, GOLD if hovered else (70, 78, 100, 255))
    canvas.circle(c, c, r - 1.5, (44, 52, 76, 255) if hovered else NIGHT)
    ink = GOLD_LIGHT if hovered else (214, 218, 228, 255)
    w = size / 14
    if glyph == "facebook":  # two heads and shoulders
        for dx, scale in ((-4.5, 0.8), (3.0, 1.0)):
            x = c + dx * size / 32
            canvas.circle(x, c - 3.5 * size / 32 * scale, 3.2 * size / 32 * scale, ink)
            canvas.stroke([(x - 4.5 * size / 32 * scale, c + 7 * size / 32), (x + 4.5 * size / 32 * scale, c + 7 * size / 32)],
                          5 * size / 32 * scale, ink)
    elif glyph == "forum":  # a speech bubble with lines
        canvas.rounded_rect((c - 9, c - 8, c + 9, c + 5), 3, lambda t: ink)
        canvas.stroke([(c - 5, c + 4), (c - 7, c + 9), (c - 1, c + 4)], w, ink)
        for y in (c - 4, c):
            canvas.stroke([(c - 5, y), (c + 5, y)], 1.4, NIGHT)
    elif glyph == "video":  # a play triangle
        canvas.shade(lambda x, y: (ink, clamp01(0.5 - max(c - 5 - x, abs(y - c) * 1.6 - (c + 8 - x) * 0.85))))
    elif glyph == "shop":  # a coin
        canvas.circle(c, c, 8.5, ink)
        canvas.circle(c, c, 6.0, (44, 52, 76, 255) if hovered else NIGHT)
        canvas.stroke([(c, c - 3.5), (c, c + 3.5)], 2.0, ink)
    else:  # faq: a question mark
        points = [(c - 4 + 4 * math.cos(a), c - 4 + 4 * math.sin(a)) for a in
                  [math.pi * (1.0 + i / 8) for i in range(13)]]
        canvas.stroke(points + [(c, c + 2)], 2.2 * size / 32, ink)
        canvas.circle(c, c + 6.5, 1.5, ink)
    return canvas


def _states(prefix, draw, states=("normal", "hovered", "pushed", "disabled")):
    return {f"{prefix}_{state}.png": (lambda s=state: draw(s)) for state in states}


def _table():
    images = {}
    public = "themes/default/public/"
    for family, width, height in (("blue", 100, 40), ("blue", 156, 52), ("gray", 156, 52), ("yellow", 388, 84),
                                  ("blue", 188, 56), ("gray", 188, 56), ("white", 230, 46),
                                  ("yellow", 280, 80)):
        for name, draw in _states(f"img_btn_{family}_{width}x{height}",
                                  lambda s, f=family, w=width, h=height: button(w, h, f, s)).items():
            images[public + name] = draw
    for glyph in ("close", "min"):
        for light, prefix in ((False, f"btn_{glyph}"), (True, f"btn_wnd_{glyph}")):
            size = 32 if light else 24
            for name, draw in _states(prefix, lambda s, g=glyph, l=light, z=size: close_glyph(z, g, s, l),
                                      ("normal", "hovered", "pushed")).items():
                images[public + name] = draw
    for round_mark, kind in ((False, "check"), (True, "radio")):
        for selected, suffix in ((False, ""), (True, "_selected")):
            for name, draw in _states(f"{kind}{suffix}", lambda s, r=round_mark, sel=selected: check_mark(18, sel, s, r),
                                      ("normal", "hovered", "disabled")).items():
                images[public + name] = draw
    for glyph in ("facebook", "forum", "video", "shop", "faq"):
        for hovered, state in ((False, "normal"), (True, "hot")):
            images[f"themes/default/menu/img_icon_{glyph}_{state}.png"] = lambda g=glyph, h=hovered: link_icon(g, h)
    images[public + "progress_track.png"] = lambda: progress(24, 8, False)
    images[public + "progress_fill.png"] = lambda: progress(24, 8, True)
    for name, draw in _states("themes/default/main/btn_settings", lambda s: gear_glyph(32, s),
                              ("normal", "hovered", "pushed")).items():
        images[name] = draw
    images["themes/default/main/game_band.png"] = lambda: band(148, (22, 26, 40, 235), (12, 14, 22, 250))
    images[public + "titlebar.png"] = lambda: title_bar(64, 48)
    images[public + "poster_placeholder.png"] = lambda: poster_placeholder(860, 400)
    images[public + "dialog_bg_504x320.png"] = lambda: dialog_panel(504, 320)
    images[public + "logo_18x18.png"] = lambda: emblem(18)
    images[public + "logo_48x48.png"] = lambda: emblem(48)
    images["themes/default/setup/bg.png"] = lambda: dialog_panel(584, 420)
    images["themes/default/predlc/img_predownloadPatternBG.png"] = lambda: dialog_panel(580, 418, pattern=True)
    setting = "themes/default/setting/"
    images[setting + "bg.png"] = lambda: dialog_panel(844, 540)
    images[setting + "img_btn_QuestionMark.png"] = lambda: help_mark(18)
    images[setting + "img_edit_normal.png"] = lambda: edit_field(40, 36, False)
    images[setting + "img_edit_disable.png"] = lambda: edit_field(40, 36, True)
    images[setting + "scroll_track.png"] = lambda: scroll_part(8, 24, (0, 0, 0, 20))
    images[setting + "scroll_thumb.png"] = lambda: scroll_part(8, 24, (140, 130, 112, 170))
    images[setting + "scroll_thumb_hot.png"] = lambda: scroll_part(8, 24, (201, 162, 80, 230))
    return images


IMAGES = _table()
ICON_SIZES = (16, 24, 32, 48, 256)
