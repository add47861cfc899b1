#!/usr/bin/python3
"""Generates the QX574 artwork under src/resources/.

Run from anywhere:  python3 tools/make_artwork.py   (needs Debian's python3-pil
and fonts-dejavu-core).  The generated images are committed, so the build never
runs this script.  Output is deterministic: the same script gives the same files.

LCD colours (used by every LCD picture and by the LCD window of face.jpg, so the
pictures blend into the face wherever they are placed on the window):
    LCD background  #b9c4a8  (185, 196, 168)
    lit segment     #1e261c  (30, 38, 28)   - also the suggested colour of the
                                               panel's status words (FAST, dBA, ...)
    ghost segment   #afbb9e  (175, 187, 158)

Files (all under src/resources/):

  bitmaps/LCD0.png ... LCD15.png   39 x 70  big LCD digits, opaque, LCD background.
        Slots 0-9 the digits 0-9, 10 blank (ghost segments only), 11 "-",
        12 "E", 13 "r", 14 "L", 15 "H".  Glyph box (before the italic slant)
        x 3.5-31.5, y 4-63; the bottom edge of the digits lies on row 63.
  bitmaps/LCDS0.png ... LCDS9.png  13 x 22  small LCD digits 0-9 (clock), opaque.
  bitmaps/BAT0.png ... BAT5.png    43 x 15  battery outline with 0 ... 5 bars, opaque.

  glyphs/open.png        24 x 24  RGBA  "Open File"
  glyphs/save.png        24 x 24  RGBA  "Save to file"
  glyphs/print.png       24 x 24  RGBA  "Print"
  glyphs/datalogger.png  24 x 24  RGBA  "Data Logger" (download from the meter)
  glyphs/output.png      24 x 24  RGBA  "Output Tabular to graph"
  glyphs/run.png         24 x 24  RGBA  "Start Graphing Real Time Data"
  glyphs/stop.png        24 x 24  RGBA  "Stop Graphing Real Time Data"
  glyphs/help.png        24 x 24  RGBA  "Help"
  glyphs/app.png         64 x 64  RGBA  application icon (a sound level meter)

  panel/face.jpg       186 x 470  the meter's front (imgPanel, placed at panel -3, 0)
  panel/colorbar.jpg   156 x 25   level bar colour scale (imgColorBar at 12, 55);
                                  band rows 2-14, ticks rows 17-24; the scale runs
                                  from column 0 to column 154 (the full range).
  panel/colon.jpg        5 x 22   clock separator (Image2 at 84, 87; Image1 at 117, 88)
  panel/battery.jpg     43 x 15   fixed battery mark (imgBat at 12, 225)
  panel/under.jpg       41 x 12   "UNDER" mark (imgUNDER at 13, 16)
  panel/over.jpg        34 x 12   "OVER" mark (imgOVER at 140, 16)
  panel/autooff.jpg     20 x 15   auto power-off mark (imgAutoOff at 63, 223)
  panel/point.jpg       10 x 8    decimal point (imgPoint at 120, 200)

face.jpg layout.  Panel coordinates are those of the panel's client area; face.jpg
is drawn at panel (-3, 0), so image x = panel x + 3 and image y = panel y.
Rectangles are left, top, width x height.

  LCD window (flat #b9c4a8)  panel -3, 12, 186 x 235  (image 0, 12, 186 x 235):
        the whole width of the face, rows 12-246, rounded corners of radius 9
        (all LCD controls lie inside it; the corners stay clear of them).
  Ghost (unlit) images drawn into the window at the places of MainD1-MainD4,
  LCDT1-LCDT8, imgUNDER, imgOVER and imgAutoOff, and the empty level-bar track
  with its tick marks at imgColorBar's place, so that empty controls look like
  unlit LCD areas and lit ones line up with their ghosts.

  Keys (each drawn inside exactly its key area):
        POWER    btnPower     panel  20, 290, 48 x 25   (image  23, 290)
        A/C      btnAC        panel 108, 289, 53 x 31   (image 111, 289)
        MAX/MIN  btnMaxMin    panel  17, 351, 48 x 25   (image  20, 351)
        F/S      btnFast      panel 111, 348, 49 x 31   (image 114, 348)
        REC      btnREC       panel  17, 407, 48 x 30   (image  20, 407)
        RANGE    btnLevel     panel 110, 407, 51 x 34   (image 113, 407)
  Top-right corner (panel 145-180, 1-15) is left plain for SpeedButton1/2.
  Rows 0-8 show the housing's top edge with the microphone neck and windscreen ball;
  between the window and the keys (rows 250-283) the name plate "QX574".

The script also refreshes the pictures embedded in QX574Help.htm (tool glyphs and a
picture of the panel, as data URIs), so the help page stays a single file.
"""

import base64
import io
import math
import os
import random
import re

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
RES = os.path.join(ROOT, "src", "resources")

LCD_BG = (185, 196, 168)
LCD_ON = (30, 38, 28)
LCD_GHOST = (175, 187, 158)
LCD_SHADOW = (166, 177, 150)  # faint shadow a lit segment casts on the reflector

FONT_DIR = "/usr/share/fonts/truetype/dejavu"


def font(name, size):
    try:
        return ImageFont.truetype(os.path.join(FONT_DIR, name), size)
    except OSError:
        return ImageFont.load_default()


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def out(*parts):
    path = os.path.join(RES, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def save_png(img, *parts):
    img.save(out(*parts), "PNG", optimize=True)


JPEG_ARGS = dict(quality=92, subsampling=0, optimize=True)


def jpeg_roundtrip(colour):
    buf = io.BytesIO()
    Image.new("RGB", (16, 16), colour).save(buf, "JPEG", **JPEG_ARGS)
    buf.seek(0)
    return Image.open(buf).convert("RGB").getpixel((8, 8))


def jpeg_fill_for(target):
    """The colour to store so that a flat JPEG area decodes to exactly target."""
    best, best_err = target, None
    for dr in range(-3, 4):
        for dg in range(-3, 4):
            for db in range(-3, 4):
                c = (target[0] + dr, target[1] + dg, target[2] + db)
                err = sum(abs(a - b) for a, b in zip(jpeg_roundtrip(c), target))
                if best_err is None or err < best_err or (err == best_err and sum(map(abs, (dr, dg, db))) <
                                                          sum(abs(a - b) for a, b in zip(best, target))):
                    best, best_err = c, err
    return best


def save_jpg(img, *parts):
    # 4:4:4 and a corrected fill keep the flat LCD colour exact after decoding, so the
    # PNG bitmaps, which the panel draws on top of these pictures, blend in.
    img = img.convert("RGB")
    fill = jpeg_fill_for(LCD_BG)
    img.putdata([fill if px == LCD_BG else px for px in img.getdata()])
    img.save(out(*parts), "JPEG", **JPEG_ARGS)


class Canvas:
    """Supersampled drawing surface; coordinates are in final-image pixels."""

    def __init__(self, w, h, bg, s=8, mode="RGB"):
        self.w, self.h, self.s = w, h, s
        self.img = Image.new(mode, (w * s, h * s), bg)
        self.d = ImageDraw.Draw(self.img)

    def p(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    def poly(self, pts, fill):
        self.d.polygon(self.p(pts), fill=fill)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=0):
        s = self.s
        self.d.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=fill, outline=outline,
                         width=int(width * s))

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=0):
        s = self.s
        self.d.rounded_rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], radius=r * s, fill=fill,
                                 outline=outline, width=int(round(width * s)))

    def ellipse(self, x0, y0, x1, y1, fill=None, outline=None, width=0):
        s = self.s
        self.d.ellipse([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=fill, outline=outline,
                       width=int(round(width * s)))

    def line(self, pts, fill, width):
        self.d.line(self.p(pts), fill=fill, width=max(1, int(round(width * self.s))), joint="curve")

    def arc(self, x0, y0, x1, y1, a0, a1, fill, width):
        s = self.s
        self.d.arc([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], a0, a1, fill=fill, width=int(round(width * s)))

    def text(self, x, y, txt, fnt_name, size, fill, anchor="mm", spacing=0.0):
        f = font(fnt_name, int(round(size * self.s)))
        if spacing == 0.0:
            self.d.text((x * self.s, y * self.s), txt, font=f, fill=fill, anchor=anchor)
            return
        # letter-spaced text, centred on x
        widths = [f.getlength(ch) for ch in txt]
        total = sum(widths) + spacing * self.s * (len(txt) - 1)
        cx = x * self.s - total / 2
        for ch, wd in zip(txt, widths):
            self.d.text((cx, y * self.s), ch, font=f, fill=fill, anchor="lm")
            cx += wd + spacing * self.s

    def result(self):
        return self.img.resize((self.w, self.h), Image.BOX)


# --------------------------------------------------------------------------
# Seven-segment geometry

SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg",
    " ": "", "-": "g", "E": "adefg", "r": "eg", "L": "def", "H": "bcefg",
}


def segment_polys(L, T, R, B, t, g):
    """Classic LCD segments: flat outer edges, 45-degree seams at the corners."""
    M = (T + B) / 2.0
    h = t / 2.0
    a = [(L + g, T), (R - g, T), (R - t - g, T + t), (L + t + g, T + t)]
    d = [(L + g, B), (R - g, B), (R - t - g, B - t), (L + t + g, B - t)]
    f = [(L, T + g), (L + t, T + t + g), (L + t, M - h - g * 0.7), (L + h, M - g * 0.7), (L, M - h - g * 0.7)]
    e = [(L, B - g), (L + t, B - t - g), (L + t, M + h + g * 0.7), (L + h, M + g * 0.7), (L, M + h + g * 0.7)]
    b = [(R + L - x, y) for x, y in f]
    c = [(R + L - x, y) for x, y in e]
    gg = [(L + h + g, M), (L + t + g * 0.7, M - h), (R - t - g * 0.7, M - h), (R - h - g, M),
          (R - t - g * 0.7, M + h), (L + t + g * 0.7, M + h)]
    return {"a": a, "b": b, "c": c, "d": d, "e": e, "f": f, "g": gg}


def shear(pts, slant, base):
    return [(x + slant * (base - y), y) for x, y in pts]


def draw_seven(cv, ch, box, t, g, slant, dx=0.0, dy=0.0, ghost=True, shadow=0.0, on=LCD_ON):
    L, T, R, B = box
    polys = segment_polys(L + dx, T + dy, R + dx, B + dy, t, g)
    lit = SEGMENTS[ch]
    if ghost:
        for name, pts in polys.items():
            if name not in lit:
                cv.poly(shear(pts, slant, B + dy), LCD_GHOST)
    if shadow:
        for name in lit:
            pts = [(x + shadow, y + shadow) for x, y in polys[name]]
            cv.poly(shear(pts, slant, B + dy + shadow), LCD_SHADOW)
    for name in lit:
        cv.poly(shear(polys[name], slant, B + dy), on)


BIG_BOX = (3.5, 4.0, 31.5, 63.0)
BIG_T, BIG_G, BIG_SLANT = 6.0, 0.85, 0.07
SMALL_BOX = (1.6, 1.5, 10.8, 20.5)
SMALL_T, SMALL_G, SMALL_SLANT = 2.1, 0.35, 0.07


def big_digit(ch):
    cv = Canvas(39, 70, LCD_BG)
    draw_seven(cv, ch, BIG_BOX, BIG_T, BIG_G, BIG_SLANT, shadow=1.0)
    return cv.result()


def small_digit(ch):
    cv = Canvas(13, 22, LCD_BG)
    draw_seven(cv, ch, SMALL_BOX, SMALL_T, SMALL_G, SMALL_SLANT, shadow=0.5)
    return cv.result()


# --------------------------------------------------------------------------
# LCD marks (battery, UNDER/OVER, auto-off, colon, point)

def draw_battery(cv, ox, oy, bars, ghost_only=False):
    on = LCD_GHOST if ghost_only else LCD_ON
    # outline: body 1..37 x 1.5..13.5, terminal 37..41
    cv.rect(ox + 1, oy + 1.5, ox + 37, oy + 13.5, fill=on)
    cv.rect(ox + 2.6, oy + 3.1, ox + 35.4, oy + 11.9, fill=LCD_BG)
    cv.rect(ox + 37, oy + 5, ox + 40.5, oy + 10, fill=on)
    gap, left, right = 1.3, 2.6, 35.4
    bw = (right - left - 6 * gap) / 5.0
    for i in range(5):
        x0 = ox + left + gap + i * (bw + gap)
        colour = on if i < bars else LCD_GHOST
        cv.poly([(x0 + 0.5, oy + 4.4), (x0 + bw, oy + 4.4), (x0 + bw - 0.5, oy + 10.6), (x0, oy + 10.6)], colour)


def battery_image(bars):
    cv = Canvas(43, 15, LCD_BG)
    draw_battery(cv, 0, 0, bars)
    return cv.result()


UNDER_W, OVER_W = 41, 34


def draw_word(cv, ox, oy, w, h, word, colour, arrow):
    """A small LCD word with a pointer triangle (arrow 'left' or 'right')."""
    f = "DejaVuSansCondensed-Bold.ttf"
    if arrow == "left":
        cv.poly([(ox + 0.8, oy + h / 2), (ox + 5, oy + 2.2), (ox + 5, oy + h - 2.2)], colour)
        cv.text(ox + 6.5 + (w - 6.5) / 2, oy + h / 2 + 0.3, word, f, 9.4, colour)
    else:
        cv.poly([(ox + w - 0.8, oy + h / 2), (ox + w - 5, oy + 2.2), (ox + w - 5, oy + h - 2.2)], colour)
        cv.text(ox + (w - 6.5) / 2, oy + h / 2 + 0.3, word, f, 9.4, colour)


def word_image(w, h, word, arrow):
    cv = Canvas(w, h, LCD_BG)
    draw_word(cv, 0, 0, w, h, word, LCD_ON, arrow)
    return cv.result()


def draw_autooff(cv, ox, oy, colour):
    # power symbol: open ring with a bar, beside a small "A"
    cx, cy, r = ox + 6.5, oy + 8.0, 4.6
    cv.arc(cx - r, cy - r, cx + r, cy + r, -55, 235, colour, 1.6)
    cv.line([(cx, cy - r - 1.2), (cx, cy - 0.6)], colour, 1.6)
    cv.text(ox + 15.5, oy + 8.2, "A", "DejaVuSansCondensed-Bold.ttf", 9.0, colour)


def autooff_image():
    cv = Canvas(20, 15, LCD_BG)
    draw_autooff(cv, 0, 0, LCD_ON)
    return cv.result()


def colon_image():
    cv = Canvas(5, 22, LCD_BG)
    for y in (7.4, 16.4):
        cv.poly(shear([(1.2, y - 1.3), (3.6, y - 1.3), (3.6, y + 1.3), (1.2, y + 1.3)], SMALL_SLANT, 20.5),
                LCD_ON)
    return cv.result()


def point_image():
    cv = Canvas(10, 8, LCD_BG)
    cv.poly(shear([(3.4, 1.6), (8.6, 1.6), (8.6, 7.0), (3.4, 7.0)], BIG_SLANT, 7.0), LCD_ON)
    return cv.result()


# --------------------------------------------------------------------------
# Level bar

BAR_W, BAR_H = 156, 25
BAR_FULL = 154  # pixels of the full scale


def bar_colour(x):
    """Green -> yellow -> red along the full scale."""
    u = max(0.0, min(1.0, x / BAR_FULL))
    green, yellow, orange, red = (40, 170, 60), (240, 210, 40), (245, 140, 30), (220, 40, 30)
    if u < 0.55:
        return mix(green, yellow, u / 0.55)
    if u < 0.8:
        return mix(yellow, orange, (u - 0.55) / 0.25)
    return mix(orange, red, (u - 0.8) / 0.2)


def draw_bar_ticks(cv, ox, oy, colour):
    for i in range(11):
        x = ox + 0.5 + i * BAR_FULL / 10.0
        major = i in (0, 5, 10)
        cv.rect(x - 0.6, oy + 17, x + 0.6, oy + (24.5 if major else 21), fill=colour)
    for i in range(10):
        x = ox + 0.5 + (i + 0.5) * BAR_FULL / 10.0
        cv.rect(x - 0.4, oy + 17, x + 0.4, oy + 19, fill=colour)


def bar_segments():
    """Segment spans of the band: 3 px lit, 1 px gap, like an LCD bar graph."""
    segs = []
    x = 0
    while x < BAR_W:
        segs.append((x, min(x + 3, BAR_W)))
        x += 4
    return segs


def colorbar_image():
    cv = Canvas(BAR_W, BAR_H, LCD_BG, s=4)
    for x0, x1 in bar_segments():
        for x in range(x0, x1):
            cv.rect(x, 2, x + 1, 15, fill=bar_colour(x + 0.5))
    # darker lower edge gives the band a little depth
    for x0, x1 in bar_segments():
        for x in range(x0, x1):
            cv.rect(x, 13.5, x + 1, 15, fill=mix(bar_colour(x + 0.5), (0, 0, 0), 0.18))
            cv.rect(x, 2, x + 1, 3, fill=mix(bar_colour(x + 0.5), (255, 255, 255), 0.25))
    draw_bar_ticks(cv, 0, 0, LCD_ON)
    return cv.result()


# --------------------------------------------------------------------------
# Face of the meter

FACE_W, FACE_H = 186, 470
GLASS = (0, 12, 186, 247)  # image coordinates, x1/y1 exclusive
KEYS = [  # name, panel rect, caption below the key
    ("POWER", (20, 290, 48, 25), "POWER"),
    ("A/C", (108, 289, 53, 31), "dBA · dBC"),
    ("MAX/MIN", (17, 351, 48, 25), "HOLD"),
    ("F/S", (111, 348, 49, 31), "FAST · SLOW"),
    ("REC", (17, 407, 48, 30), "DATA LOG"),
    ("RANGE", (110, 407, 51, 34), "LEVEL"),
]


def vgradient(w, h, top, bottom):
    g = Image.new("RGB", (1, h))
    for y in range(h):
        g.putpixel((0, y), mix(top, bottom, y / max(1, h - 1)))
    return g.resize((w, h))


def paste_rrect_gradient(base, box, r, top, bottom, s):
    x0, y0, x1, y1 = [int(round(v * s)) for v in box]
    grad = vgradient(x1 - x0, y1 - y0, top, bottom)
    mask = Image.new("L", (x1 - x0, y1 - y0), 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, x1 - x0 - 1, y1 - y0 - 1], radius=int(r * s), fill=255)
    base.paste(grad, (x0, y0), mask)


def draw_key(cv, name, rect):
    s = cv.s
    px, py, w, h = rect
    x0, y0, x1, y1 = px + 3 + 0.5, py + 0.5, px + 3 + w - 0.5, py + h - 2.0
    r = min(9.0, (y1 - y0) / 2.0)
    # soft shadow on the housing
    sh = Image.new("L", cv.img.size, 0)
    ImageDraw.Draw(sh).rounded_rectangle([x0 * s, (y0 + 2.0) * s, x1 * s, (y1 + 2.0) * s], radius=r * s, fill=150)
    sh = sh.filter(ImageFilter.GaussianBlur(1.3 * s))
    cv.img.paste((8, 9, 11), (0, 0), sh)
    # rim, body, highlight
    cv.rrect(x0, y0, x1, y1, r, fill=(22, 24, 27))
    paste_rrect_gradient(cv.img, (x0 + 0.8, y0 + 0.8, x1 - 0.8, y1 - 0.8), r - 0.8, (118, 125, 133), (72, 77, 84), s)
    paste_rrect_gradient(cv.img, (x0 + 1.6, y0 + 1.6, x1 - 1.6, y1 - 1.4), r - 1.6, (100, 107, 115), (80, 86, 93), s)
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    white = (242, 244, 245)
    bold = "DejaVuSansCondensed-Bold.ttf"
    if name == "POWER":
        col = (255, 150, 60)
        rr = 5.0
        cv.arc(cx - rr, cy - rr, cx + rr, cy + rr, -50, 230, col, 1.7)
        cv.line([(cx, cy - rr - 1.5), (cx, cy)], col, 1.7)
    elif name == "REC":
        cv.ellipse(cx - 15.5, cy - 3.6, cx - 8.3, cy + 3.6, fill=(230, 45, 40), outline=(120, 20, 20), width=0.5)
        cv.text(cx + 4.0, cy + 0.3, "REC", bold, 10.5, white)
    else:
        cv.text(cx, cy + 0.3, name, bold, 10.5 if len(name) <= 5 else 9.5, white)


def draw_glass(cv):
    s = cv.s
    gx0, gy0, gx1, gy1 = GLASS
    # recess: dark moulded edge around the window, light lip below it
    cv.rrect(gx0 - 4, gy0 - 3, gx1 + 4, gy1 + 3, 11, fill=(14, 16, 18))
    cv.rect(0, gy1 + 3, FACE_W, gy1 + 4, fill=(88, 94, 100))
    cv.rrect(gx0, gy0, gx1, gy1, 9, fill=LCD_BG)
    # inner shadow along the top edge only (nothing is drawn there)
    for i, t in enumerate((0.30, 0.17, 0.07)):
        row = gy0 + i
        m = Image.new("L", cv.img.size, 0)
        ImageDraw.Draw(m).rounded_rectangle([gx0 * s, gy0 * s, gx1 * s - 1, gy1 * s - 1], radius=9 * s, fill=255)
        band = Image.new("L", cv.img.size, 0)
        ImageDraw.Draw(band).rectangle([gx0 * s, row * s, gx1 * s - 1, (row + 1) * s - 1], fill=255)
        cv.img.paste(mix(LCD_BG, (60, 66, 55), t), (0, 0), ImageChops.multiply(m, band))


def draw_ghosts(cv):
    """Unlit LCD elements at the places of the panel's LCD controls (image coords)."""
    def ghost_seven(px, py, box, t, g, slant):
        draw_seven(cv, "8", box, t, g, slant, dx=px + 3, dy=py, ghost=False, on=LCD_GHOST)

    for px, py in ((0, 146), (40, 145), (84, 144), (133, 144)):
        ghost_seven(px, py, BIG_BOX, BIG_T, BIG_G, BIG_SLANT)
    for px in (31, 44, 57, 70, 89, 104, 123, 137):
        ghost_seven(px, 89, SMALL_BOX, SMALL_T, SMALL_G, SMALL_SLANT)
    draw_word(cv, 13 + 3, 16, UNDER_W, 12, "UNDER", LCD_GHOST, "left")
    draw_word(cv, 140 + 3, 16, OVER_W, 12, "OVER", LCD_GHOST, "right")
    draw_autooff(cv, 63 + 3, 223, LCD_GHOST)
    # empty level-bar track with the same tick marks as the colour bar
    bx, by = 12 + 3, 55
    for x0, x1 in bar_segments():
        cv.rect(bx + x0, by + 2, bx + x1, by + 15, fill=LCD_GHOST)
    draw_bar_ticks(cv, bx, by, LCD_ON)


def draw_microphone(cv):
    """Top edge: the housing's shoulders against the backdrop, the microphone neck
    rising from the middle and the foot of the windscreen ball above it."""
    s = cv.s
    cx = FACE_W / 2.0
    # backdrop above the housing
    cv.img.paste(vgradient(FACE_W * s, 7 * s, (196, 201, 206), (176, 182, 188)), (0, 0))
    # housing top with rounded shoulders (the glass recess covers its lower part)
    cv.rrect(-2, 4.5, FACE_W + 2, 30, 7, fill=(56, 61, 67))
    cv.rect(6, 4.5, FACE_W - 6, 5.3, fill=(96, 103, 111))
    # neck: a short chrome tube
    for i in range(20):
        u = i / 19.0
        shade = int(100 + 125 * math.sin(math.pi * (0.12 + 0.76 * u)))
        x0 = cx - 11 + i * 22 / 20.0
        cv.rect(x0, 0, x0 + 22 / 20.0 + 0.05, 6.5, fill=(shade, shade + 3, shade + 7))
    cv.rect(cx - 11, 6.0, cx + 11, 6.8, fill=(45, 49, 54))
    # ball: dark foam, only its lower rim is inside the picture
    rng = random.Random(574)
    cv.ellipse(cx - 30, -50, cx + 30, 2.6, fill=(40, 43, 48))
    for _ in range(160):
        x = rng.uniform(cx - 28, cx + 28)
        y = rng.uniform(-1, 2.6)
        if ((x - cx) / 30.0) ** 2 + ((y + 23.7) / 26.3) ** 2 < 0.95:
            c = rng.choice(((70, 75, 82), (26, 28, 31), (60, 64, 70)))
            cv.ellipse(x - 0.45, y - 0.45, x + 0.45, y + 0.45, fill=c)


def face_image():
    s = 4
    cv = Canvas(FACE_W, FACE_H, (44, 48, 53), s=s)
    # housing: vertical gradient with lighter left edge and darker right edge
    cv.img.paste(vgradient(FACE_W * s, FACE_H * s, (52, 57, 63), (33, 36, 40)), (0, 0))
    edge = Image.new("L", (FACE_W * s, 1))
    for x in range(FACE_W * s):
        u = x / (FACE_W * s)
        edge.putpixel((x, 0), int(max(0.0, 1 - (u - 0.015) / 0.05) * 70) if u < 0.065 else 0)
    cv.img.paste((120, 128, 138), (0, 0), edge.resize((FACE_W * s, FACE_H * s)))
    edge = Image.new("L", (FACE_W * s, 1))
    for x in range(FACE_W * s):
        u = 1 - x / (FACE_W * s)
        edge.putpixel((x, 0), int(max(0.0, 1 - u / 0.06) * 120) if u < 0.06 else 0)
    cv.img.paste((10, 11, 13), (0, 0), edge.resize((FACE_W * s, FACE_H * s)))

    draw_microphone(cv)
    draw_glass(cv)
    draw_ghosts(cv)

    # name plate between the window and the keys
    cv.text(FACE_W / 2, 262.5, "QX574", "DejaVuSans-Bold.ttf", 13.5, (236, 239, 242), spacing=1.2)
    cv.text(FACE_W / 2, 277.0, "SOUND LEVEL METER", "DejaVuSansCondensed-Bold.ttf", 7.0, (150, 190, 225),
            spacing=0.9)
    # key well: a slightly darker plate with a fine border, keys on top of it
    cv.rrect(9, 284, FACE_W - 9, 453, 8, fill=(28, 31, 35), outline=(64, 69, 75), width=0.6)
    for name, rect, caption in KEYS:
        draw_key(cv, name, rect)
        if caption:
            px, py, w, h = rect
            cv.text(px + 3 + w / 2.0, py + h + 5.0, caption, "DejaVuSansCondensed-Bold.ttf", 6.5,
                    (165, 172, 180), spacing=0.3)
    cv.text(FACE_W / 2, 461.5, "USB  DATA  LOGGER", "DejaVuSansCondensed-Bold.ttf", 6.5, (120, 128, 137),
            spacing=0.8)
    return cv.result()


# --------------------------------------------------------------------------
# Tool button glyphs and the application icon

INK = (55, 71, 79, 255)
BLUE = (30, 115, 190, 255)
BLUE_D = (21, 86, 148, 255)
BLUE_L = (120, 180, 235, 255)
GREEN = (46, 160, 67, 255)
GREEN_D = (30, 120, 48, 255)
RED = (211, 47, 47, 255)
RED_D = (160, 30, 30, 255)
AMBER = (245, 176, 45, 255)
AMBER_D = (214, 137, 16, 255)
PAPER = (250, 250, 250, 255)
GREY = (144, 164, 174, 255)
GREY_D = (96, 115, 125, 255)
LCD_G = (185, 210, 150, 255)
CLEAR = (0, 0, 0, 0)


def glyph():
    return Canvas(24, 24, CLEAR, s=8, mode="RGBA")


def g_open():
    cv = glyph()
    cv.rrect(2, 5, 20, 20, 1.5, fill=AMBER_D)
    cv.rrect(2, 3.5, 10, 7, 1.2, fill=AMBER_D)
    cv.rect(4, 7, 19, 12, fill=PAPER)
    cv.poly([(5.2, 10), (23, 10), (20.2, 20), (2, 20)], AMBER)
    return cv.result()


def g_save():
    cv = glyph()
    cv.poly([(3, 4.5), (4.5, 3), (18, 3), (21, 6), (21, 19.5), (19.5, 21), (4.5, 21), (3, 19.5)], BLUE)
    cv.rect(7, 3, 16.5, 9.5, fill=(210, 222, 232, 255))
    cv.rect(13.2, 4.3, 15.2, 8.2, fill=BLUE_D)
    cv.rrect(6, 12.5, 18, 21, 1, fill=PAPER)
    cv.rect(7.8, 15, 16.2, 15.9, fill=GREY)
    cv.rect(7.8, 17.5, 16.2, 18.4, fill=GREY)
    return cv.result()


def g_print():
    cv = glyph()
    cv.rect(6.5, 2.5, 17.5, 9, fill=PAPER, outline=GREY_D, width=0.9)
    cv.rrect(2, 8, 22, 17.5, 2, fill=INK)
    cv.rect(2, 8, 22, 10, fill=GREY_D)
    cv.ellipse(17.3, 11.2, 19.3, 13.2, fill=(100, 220, 110, 255))
    cv.rect(6.5, 14, 17.5, 21.5, fill=PAPER, outline=GREY_D, width=0.9)
    cv.rect(8.5, 16.5, 15.5, 17.3, fill=GREY)
    cv.rect(8.5, 18.7, 13.5, 19.5, fill=GREY)
    return cv.result()


def g_datalogger():
    cv = glyph()
    # the meter: ball, body, LCD, keys
    cv.ellipse(3.4, 0.8, 8.6, 6.0, fill=INK)
    cv.rect(5.2, 5, 6.8, 7, fill=GREY_D)
    cv.rrect(2.5, 6.5, 9.5, 22.5, 1.6, fill=INK)
    cv.rect(3.7, 8.2, 8.3, 12.4, fill=LCD_G)
    for y in (14.5, 17.5):
        cv.rect(3.8, y, 5.6, y + 1.5, fill=GREY)
        cv.rect(6.4, y, 8.2, y + 1.5, fill=GREY)
    # download arrow into a tray
    cv.rect(15, 2, 19, 10.5, fill=BLUE)
    cv.poly([(12, 10), (22, 10), (17, 15.5)], BLUE)
    cv.line([(11.5, 16), (11.5, 21.3), (22.5, 21.3), (22.5, 16)], GREY_D, 1.8)
    return cv.result()


def g_output():
    cv = glyph()
    # table
    cv.rect(1.5, 1.5, 12.5, 11.5, fill=PAPER, outline=GREY_D, width=0.9)
    cv.rect(1.5, 1.5, 12.5, 4.4, fill=BLUE)
    for y in (7.4,):
        cv.rect(1.5, y, 12.5, y + 0.8, fill=GREY)
    cv.rect(6.6, 1.5, 7.4, 11.5, fill=GREY)
    # arrow table -> graph
    cv.line([(14.5, 3.5), (18.5, 3.5), (18.5, 8)], BLUE_D, 1.6)
    cv.poly([(16.0, 7.6), (21.0, 7.6), (18.5, 11.0)], BLUE_D)
    # graph
    cv.line([(9.5, 12), (9.5, 22), (22.5, 22)], INK, 1.5)
    cv.line([(11, 19.5), (13.8, 16), (16.2, 18), (19, 13.2), (22, 15)], GREEN, 1.7)
    return cv.result()


def g_run():
    cv = glyph()
    cv.ellipse(1.5, 1.5, 22.5, 22.5, fill=GREEN)
    cv.arc(1.5, 1.5, 22.5, 22.5, 0, 360, GREEN_D, 0.9)
    cv.poly([(9.3, 6.8), (17.6, 12), (9.3, 17.2)], PAPER)
    return cv.result()


def g_stop():
    cv = glyph()
    cv.rrect(3.5, 3.5, 20.5, 20.5, 3.2, fill=RED_D)
    cv.rrect(4.4, 4.4, 19.6, 19.6, 2.5, fill=RED)
    return cv.result()


def g_help():
    cv = glyph()
    cv.ellipse(1.5, 1.5, 22.5, 22.5, fill=BLUE)
    cv.arc(1.5, 1.5, 22.5, 22.5, 0, 360, BLUE_D, 0.9)
    cv.text(12.1, 12.6, "?", "DejaVuSans-Bold.ttf", 15.5, PAPER)
    return cv.result()


def g_app():
    cv = Canvas(64, 64, CLEAR, s=8, mode="RGBA")
    body, body_l = (48, 54, 61, 255), (74, 82, 92, 255)
    # windscreen ball and neck
    cv.rect(28.5, 14, 35.5, 20, fill=(150, 160, 170, 255))
    cv.rect(28.5, 16, 35.5, 17, fill=(110, 120, 130, 255))
    cv.ellipse(22, 1.5, 42, 19.5, fill=(36, 40, 45, 255))
    cv.ellipse(25, 4, 33, 10, fill=(70, 77, 86, 255))
    # body
    cv.rrect(16, 19, 48, 62.5, 6, fill=body)
    cv.rrect(17.5, 20.5, 46.5, 61, 5, fill=body_l)
    cv.rrect(18.5, 21.5, 45.5, 60, 4.5, fill=body)
    # LCD with "94.5"
    cv.rrect(20, 24, 44, 38, 2, fill=LCD_BG + (255,))
    ink = LCD_ON + (255,)
    for x, ch in ((21.4, "9"), (28.3, "4"), (37.4, "5")):
        draw_seven(cv, ch, (x, 26.2, x + 4.8, 35.8), 1.3, 0.2, 0.07, ghost=False, on=ink)
    cv.rect(34.9, 34.5, 36.1, 35.8, fill=ink)
    # keys
    for row in range(2):
        for col in range(2):
            x = 21.5 + col * 12
            y = 42 + row * 8.5
            cv.rrect(x, y, x + 9, y + 5.5, 2.5, fill=(130, 138, 148, 255))
    cv.ellipse(29.5, 55.8, 34.5, 58.8, fill=(230, 55, 50, 255))
    return cv.result()


# --------------------------------------------------------------------------
# Pictures inside the help page (embedded as data URIs, so the page stays one file)

def help_panel_picture():
    """The control panel as the program shows it: 94.5 dBA FAST, range 30-130."""
    panel = Image.new("RGB", (184, 471), (240, 240, 240))
    panel.paste(face_image(), (-3, 0))
    level = 945
    slots = [10, level // 100 % 10, level // 10 % 10, level % 10]
    for (x, y), slot in zip(((0, 146), (40, 145), (84, 144), (133, 144)), slots):
        panel.paste(big_digit("0123456789 -ErLH"[slot]), (x, y))
    for x, ch in zip((57, 70, 89, 104, 123, 137), "102530"):
        panel.paste(small_digit(ch), (x, 89))
    panel.paste(colon_image(), (84, 87))
    panel.paste(colon_image(), (117, 88))
    panel.paste(point_image(), (120, 200))
    panel.paste(battery_image(5), (12, 225))
    bar = (level - 300) * 3 // 20 + 4
    panel.paste(colorbar_image().crop((0, 0, bar, BAR_H)), (12, 55))
    d = ImageDraw.Draw(panel)
    f = font("DejaVuSans-Bold.ttf", 13)
    for txt, x, y in (("FAST", 57, 15), ("30", 9, 35), ("130", 150, 35), ("dBA", 133, 118)):
        d.text((x, y), txt, font=f, fill=LCD_ON)
    return panel


def data_uri(img, fmt):
    buf = io.BytesIO()
    if fmt == "JPEG":
        img.convert("RGB").save(buf, "JPEG", quality=88, subsampling=0, optimize=True)
        mime = "image/jpeg"
    else:
        img.save(buf, "PNG", optimize=True)
        mime = "image/png"
    return "data:%s;base64,%s" % (mime, base64.b64encode(buf.getvalue()).decode("ascii"))


def update_help(glyph_images):
    """Refreshes the pictures of QX574Help.htm: <img ... data-glyph="NAME" alt=".." src="...">
    gets that tool glyph, <img ... data-artwork="panel" ... src="..."> the panel picture."""
    path = os.path.join(RES, "QX574Help.htm")
    if not os.path.exists(path):
        return
    with open(path, encoding="utf-8") as f:
        html = f.read()
    uris = {name: data_uri(img, "PNG") for name, img in glyph_images.items()}
    html = re.sub(r'(data-glyph="(\w+)" alt="[^"]*" src=")[^"]*(")',
                  lambda m: m.group(1) + uris[m.group(2)] + m.group(3), html)
    panel_uri = data_uri(help_panel_picture(), "JPEG")
    html = re.sub(r'(data-artwork="panel"[^>]*? src=")[^"]*(")', lambda m: m.group(1) + panel_uri + m.group(2), html)
    with open(path, "w", encoding="utf-8") as f:
        f.write(html)


# --------------------------------------------------------------------------

def main():
    for i, ch in enumerate("0123456789 -ErLH"):
        save_png(big_digit(ch), "bitmaps", "LCD%d.png" % i)
    for i in range(10):
        save_png(small_digit(str(i)), "bitmaps", "LCDS%d.png" % i)
    for i in range(6):
        save_png(battery_image(i), "bitmaps", "BAT%d.png" % i)

    glyphs = {}
    for name, fn in (("open", g_open), ("save", g_save), ("print", g_print), ("datalogger", g_datalogger),
                     ("output", g_output), ("run", g_run), ("stop", g_stop), ("help", g_help), ("app", g_app)):
        glyphs[name] = fn()
        save_png(glyphs[name], "glyphs", name + ".png")

    save_jpg(face_image(), "panel", "face.jpg")
    save_jpg(colorbar_image(), "panel", "colorbar.jpg")
    save_jpg(colon_image(), "panel", "colon.jpg")
    save_jpg(battery_image(5), "panel", "battery.jpg")
    save_jpg(word_image(UNDER_W, 12, "UNDER", "left"), "panel", "under.jpg")
    save_jpg(word_image(OVER_W, 12, "OVER", "right"), "panel", "over.jpg")
    save_jpg(autooff_image(), "panel", "autooff.jpg")
    save_jpg(point_image(), "panel", "point.jpg")

    update_help(glyphs)


if __name__ == "__main__":
    main()
