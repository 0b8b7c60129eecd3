#!/usr/bin/env python3
"""Writes the 58 catalogue skins (skin_01.qvsk .. skin_58.qvsk) into the folder given.

Each skin is a hue crossed with a style; the output is the same on every run. Every skin is
checked for readable text before it is written: each text colour against its background, and
the blue the window uses for its instructions against the window background.
"""
import colorsys
import math
import struct
import sys
from pathlib import Path

# The file size of each catalogue entry, 1..58.
SIZES = [
    18930, 13192, 24409, 30738, 8321, 26370, 15733, 12105, 23603, 20863,
    11676, 17997, 11725, 37461, 30958, 25715, 34523, 28961, 29447, 15562,
    20738, 18765, 31134, 44110, 20275, 20703, 17460, 16675, 11121, 10017,
    8490, 11740, 19752, 26506, 18056, 8565, 7177, 10937, 10008, 10591,
    32808, 5057, 7497, 16746, 9026, 27155, 24495, 5088, 11135, 7715,
    8099, 5319, 10218, 28555, 6896, 16551, 49705, 20975,
]

# (name, hue in degrees, saturation). Skin n is HUES[(n-1) // 4] in STYLES[(n-1) % 4]; the
# program's own skin, 26, is Azure Classic.
HUES = [
    ("Graphite", 0, 0.0), ("Slate", 215, 0.22), ("Teal", 178, 0.55), ("Jade", 150, 0.45),
    ("Moss", 105, 0.35), ("Olive", 65, 0.40), ("Azure", 208, 0.70), ("Amber", 38, 0.75),
    ("Copper", 20, 0.55), ("Coral", 8, 0.65), ("Rose", 340, 0.50), ("Plum", 300, 0.35),
    ("Violet", 265, 0.45), ("Indigo", 235, 0.50), ("Ocean", 195, 0.60),
]
STYLES = ["Flat", "Classic", "Night", "Glass"]

ROLES = [
    "windowBack", "windowText", "editBack", "editText", "editBorder", "buttonFace",
    "buttonFacePressed", "buttonText", "buttonBorder", "groupLine", "groupText", "listBack",
    "listAltBack", "listText", "listGrid", "listSelectBack", "listSelectText", "headerBack",
    "headerText", "statusBack", "statusText", "frameOuter", "frameFill", "titleText",
    "titleTextInactive", "captionButtonFace", "captionButtonGlyph", "captionButtonHot", "accentText",
]
# frameLineWidth, buttonCornerRadius, captionGlyphWeight, titleAlign, captionButtonShape
METRICS = {"Flat": (1, 0, 1, 1, 0), "Classic": (1, 3, 2, 0, 0), "Night": (2, 4, 2, 0, 1), "Glass": (1, 6, 2, 1, 1)}
CAPTION_HEIGHT = 24
INSTRUCTIONS_BLUE = (0, 0, 255)


def hls(hue, lightness, saturation):
    r, g, b = colorsys.hls_to_rgb((hue % 360) / 360.0, min(max(lightness, 0.0), 1.0), min(max(saturation, 0.0), 1.0))
    return (round(r * 255), round(g * 255), round(b * 255))


def luminance(rgb):
    def channel(c):
        c /= 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def palette(hue, sat, style):
    p = {
        "windowBack": hls(hue, 0.94, sat * 0.45), "windowText": hls(hue, 0.12, sat * 0.4),
        "editBack": hls(hue, 0.99, sat * 0.3), "editText": hls(hue, 0.10, sat * 0.3),
        "editBorder": hls(hue, 0.55, sat * 0.6), "buttonFace": hls(hue, 0.86, sat * 0.55),
        "buttonFacePressed": hls(hue, 0.76, sat * 0.6), "buttonText": hls(hue, 0.12, sat * 0.4),
        "buttonBorder": hls(hue, 0.42, sat * 0.6), "groupLine": hls(hue, 0.68, sat * 0.45),
        "groupText": hls(hue, 0.26, sat * 0.8), "listBack": hls(hue, 0.995, sat * 0.2),
        "listAltBack": hls(hue, 0.955, sat * 0.5), "listText": hls(hue, 0.10, sat * 0.3),
        "listGrid": hls(hue, 0.84, sat * 0.35), "listSelectBack": hls(hue, 0.32, sat * 0.8),
        "headerBack": hls(hue, 0.85, sat * 0.45),
        "headerText": hls(hue, 0.12, sat * 0.4), "statusBack": hls(hue, 0.87, sat * 0.4),
        "statusText": hls(hue, 0.12, sat * 0.4), "frameOuter": hls(hue, 0.25, sat * 0.7),
        "frameFill": hls(hue, 0.45, sat * 0.75), "captionButtonHot": (200, 40, 40),
        "accentText": hls(230, 0.35, 0.9),
    }
    if style == "Flat":
        p.update(frameFill=hls(hue, 0.84, sat * 0.45), frameOuter=hls(hue, 0.55, sat * 0.5),
                 captionButtonFace=hls(hue, 0.78, sat * 0.45),
                 buttonFace=hls(hue, 0.90, sat * 0.4), windowBack=hls(hue, 0.965, sat * 0.3))
    elif style == "Classic":
        p.update(captionButtonFace=hls(hue, 0.62, sat * 0.7))
    elif style == "Night":
        p.update(frameFill=hls(hue, 0.16, sat * 0.35), frameOuter=hls(hue, 0.06, sat * 0.3),
                 captionButtonFace=hls(hue, 0.28, sat * 0.35),
                 windowBack=hls(hue, 0.92, sat * 0.12), buttonFace=hls(hue, 0.84, sat * 0.2),
                 headerBack=hls(hue, 0.24, sat * 0.3), headerText=hls(hue, 0.95, sat * 0.2),
                 statusBack=hls(hue, 0.22, sat * 0.3), statusText=hls(hue, 0.94, sat * 0.2))
    else:  # Glass
        p.update(captionButtonFace=hls(hue, 0.80, sat * 0.6),
                 buttonFace=hls(hue, 0.88, sat * 0.65), listSelectBack=hls(hue, 0.29, sat * 0.9))
    return p


def caption_pixel(hue, sat, style, active, x, y, width):
    t = y / (CAPTION_HEIGHT - 1)
    sheen = 0.03 * math.sin(math.pi * x / (width - 1)) if width > 1 else 0.0
    if not active:
        base = {"Night": 0.30, "Flat": 0.90}.get(style, 0.80)
        return hls(hue, base - 0.06 * t + sheen, sat * 0.15)
    if style == "Flat":
        return hls(hue, 0.84 - 0.04 * t + sheen, sat * 0.45)
    if style == "Classic":
        return hls(hue, 0.50 - 0.14 * t + sheen, sat)
    if style == "Night":
        return hls(hue, 0.20 - 0.10 * t + sheen, sat * 0.35)
    band = 0.84 - 0.06 * t if t < 0.5 else 0.66 + 0.08 * (t - 0.5)  # Glass: glossy upper half
    return hls(hue, band + sheen, sat * 0.85)


def caption_image(hue, sat, style, active, width):
    rows = []
    for y in range(CAPTION_HEIGHT):
        for x in range(width):
            r, g, b = caption_pixel(hue, sat, style, active, x, y, width)
            rows.append(bytes((b, g, r, 0)))
    return b"".join(rows)


def best_text_on(pixels):
    """Whichever of near-white and near-black reads best on every one of the pixels."""
    choices = [(250, 250, 250), (16, 16, 24)]
    return max(choices, key=lambda text: min(contrast(text, p) for p in pixels))


def section(tag, payload):
    return tag + struct.pack("<I", len(payload)) + payload


def build(number, size):
    hue_name, hue, sat = HUES[(number - 1) // len(STYLES)]
    style = STYLES[(number - 1) % len(STYLES)]
    name = f"{hue_name} {style}".encode()
    colours = palette(hue, sat, style)
    fixed_size = 12 + (8 + len(name)) + (8 + 2 + 4 * len(ROLES)) + (8 + 8) + 2 * (8 + 4) + 8  # all but the pixels
    width = min(256, (size - fixed_size) // (2 * CAPTION_HEIGHT * 4))
    assert width >= 1, f"skin {number}: {size} bytes are too few"
    caption_colours = {active: [caption_pixel(hue, sat, style, active, x, y, width)
                                for y in range(CAPTION_HEIGHT) for x in range(width)] for active in (True, False)}
    colours["titleText"] = best_text_on(caption_colours[True])
    colours["titleTextInactive"] = best_text_on(caption_colours[False])
    for key, active in (("titleText", True), ("titleTextInactive", False)):
        worst = min(contrast(colours[key], p) for p in caption_colours[active])
        assert worst >= 3.0, f"skin {number}: {key} has contrast {worst:.2f} on its caption"
    colours["captionButtonGlyph"] = best_text_on([colours["captionButtonFace"]])
    colours["listSelectText"] = best_text_on([colours["listSelectBack"]])
    check_readable(number, colours)

    palt = struct.pack("<H", len(ROLES)) + b"".join(bytes((*colours[role], 0)) for role in ROLES)
    fixed = [section(b"NAME", name), section(b"PALT", palt), section(b"METR", bytes(METRICS[style]) + bytes(3))]
    images = [section(tag, struct.pack("<HH", width, CAPTION_HEIGHT) + caption_image(hue, sat, style, active, width))
              for tag, active in ((b"CAPA", True), (b"CAPI", False))]
    body = b"".join(fixed + images)
    padding = section(b"PAD ", bytes(size - 12 - len(body) - 8))
    data = b"QVSK" + struct.pack("<HHI", 1, len(fixed) + len(images) + 1, size) + body + padding
    assert len(data) == size
    return data


def check_readable(number, c):
    pairs = [("windowText", "windowBack"), ("editText", "editBack"), ("buttonText", "buttonFace"),
             ("buttonText", "buttonFacePressed"), ("groupText", "windowBack"), ("listText", "listBack"),
             ("listText", "listAltBack"), ("listSelectText", "listSelectBack"), ("headerText", "headerBack"),
             ("statusText", "statusBack"), ("accentText", "windowBack"), ("captionButtonGlyph", "captionButtonFace")]
    pairs.append(("instructionsBlue", "windowBack"))
    c = dict(c, instructionsBlue=INSTRUCTIONS_BLUE)
    faults = []
    for text, back in pairs:
        ratio = contrast(c[text], c[back])
        needed = 3.0 if text == "captionButtonGlyph" else 4.5  # a glyph, not text
        if ratio < needed:
            faults.append(f"skin {number}: {text} on {back} has contrast {ratio:.2f}")
    assert not faults, "\n".join(faults)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    skins = [build(n, size) for n, size in enumerate(SIZES, start=1)]
    assert len(set(skins)) == len(skins) == 58
    for n, data in enumerate(skins, start=1):
        path = out / f"skin_{n:02d}.qvsk"
        if not path.exists() or path.read_bytes() != data:  # keep timestamps of unchanged files
            path.write_bytes(data)


if __name__ == "__main__":
    main()
