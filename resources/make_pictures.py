#!/usr/bin/python3
"""Draws all pictures of the Versanta application assistant.

Makes the navigation buttons, title pictures, check marks, decoration
bands, the logo, the window icon (vra.ico) and resources.qrc, and the
desktop icons (at.versanta.vra.png in the hicolor sizes).

Run from the repository root:
    /usr/bin/python3 resources/make_pictures.py
Output goes to resources/pictures/ and, for the desktop icons, to
packaging/icons/hicolor/<N>x<N>/apps/ (existing files are overwritten).
"""
import os
import struct

from PIL import Image, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")
HICOLOR = os.path.join(os.path.dirname(HERE), "packaging", "icons", "hicolor")
APP_ID = "at.versanta.vra"
FONT_DIR = "/usr/share/fonts/truetype/liberation/"
BOLD = FONT_DIR + "LiberationSans-Bold.ttf"
REGULAR = FONT_DIR + "LiberationSans-Regular.ttf"

WHITE = (255, 255, 255)
LIGHT_GREEN = (67, 160, 71)     # button text, readable on white
DARK_GREEN = (27, 94, 32)       # frames, icons, logo
SOFT_GREEN = (200, 230, 201)
PALE_GREEN = (238, 246, 238)
GREY = (97, 97, 97)
TEXT_DARK = (33, 33, 33)

written = []


def save(img, name, **opts):
    """Saves a picture into OUT and remembers its name for the qrc file."""
    path = os.path.join(OUT, name)
    if name.endswith(".gif") and img.mode != "P":
        img = img.convert("P", palette=Image.ADAPTIVE, colors=256)
    img.save(path, **opts)
    written.append(name)


def fit_font(text, path, max_w, max_h, largest=48):
    """Returns the largest font whose rendered text fits into max_w x max_h."""
    for size in range(largest, 5, -1):
        font = ImageFont.truetype(path, size)
        left, top, right, bottom = font.getbbox(text)
        if right - left <= max_w and bottom - top <= max_h:
            return font
    return ImageFont.truetype(path, 6)


def draw_centered(draw, box, text, font, fill):
    """Draws text centred on its real glyph extent inside box (x0, y0, x1, y1)."""
    left, top, right, bottom = font.getbbox(text)
    x = box[0] + (box[2] - box[0] - (right - left)) / 2 - left
    y = box[1] + (box[3] - box[1] - (bottom - top)) / 2 - top
    draw.text((round(x), round(y)), text, font=font, fill=fill)


def text_picture(size, text, bg, fg, path=BOLD, pad=2):
    img = Image.new("RGB", size, bg)
    font = fit_font(text, path, size[0] - 2 * pad, size[1] - 2)
    draw_centered(ImageDraw.Draw(img), (0, 0, size[0], size[1]), text, font, fg)
    return img


# ---------------------------------------------------------------- buttons
def icon(kind, px=22, scale=4):
    """A small shape icon, drawn large and scaled down for smooth edges."""
    s = px * scale
    img = Image.new("RGB", (s, s), WHITE)
    d = ImageDraw.Draw(img)
    w = 2 * scale                      # stroke width
    c = DARK_GREEN

    def r(*v):                         # grid units (0..22) to pixels
        return [round(a * scale) for a in v]

    if kind == "house":
        d.polygon(r(11, 2, 1, 11, 21, 11), fill=c)
        d.rectangle(r(4, 10, 18, 20), fill=c)
        d.rectangle(r(9, 13, 13, 20), fill=WHITE)
    elif kind == "table":
        d.rectangle(r(2, 3, 20, 19), outline=c, width=w)
        d.rectangle(r(2, 3, 20, 7), fill=c)
        for y in (11, 15):
            d.line(r(2, y, 20, y), fill=c, width=scale)
        d.line(r(8, 3, 8, 19), fill=c, width=scale)
    elif kind == "list":
        for y in (4, 9, 14, 19):
            d.ellipse(r(2, y - 1.5, 5, y + 1.5), fill=c)
            d.line(r(8, y, 20, y), fill=c, width=w)
    elif kind == "printer":
        d.rectangle(r(6, 2, 16, 9), outline=c, width=w)
        d.rounded_rectangle(r(1, 8, 21, 17), radius=2 * scale, fill=c)
        d.rectangle(r(6, 13, 16, 21), fill=WHITE, outline=c, width=w)
        d.line(r(8, 17, 14, 17), fill=c, width=scale)
        d.ellipse(r(17, 10, 19, 12), fill=SOFT_GREEN)
    elif kind == "close":
        d.rectangle(r(1, 2, 10, 21), outline=c, width=w)
        d.polygon(r(1, 2, 8, 5, 8, 21, 1, 21), fill=c)
        d.line(r(13, 7, 21, 15), fill=(183, 28, 28), width=w)
        d.line(r(13, 15, 21, 7), fill=(183, 28, 28), width=w)
    elif kind == "savepdf":
        # a sheet with its corner turned down, and an arrow down into a tray
        d.polygon(r(1, 1, 8, 1, 12, 5, 12, 21, 1, 21), outline=c, width=w)
        d.polygon(r(8, 1, 8, 5, 12, 5), fill=c)
        for y in (9, 13, 17):
            d.line(r(4, y, 9, y), fill=c, width=scale)
        d.line(r(17, 2, 17, 12), fill=c, width=w)
        d.polygon(r(13, 10, 21, 10, 17, 16), fill=c)
        d.line(r(14, 20, 21, 20), fill=c, width=w)
    return img.resize((px, px), Image.LANCZOS)


NAV = [("startseite", "Startseite", "house", True),
       ("stammdaten", "Stammdaten", "table", True),
       ("inhaltsverzeichnis", "Inhaltsverzeichnis", "list", True),
       ("drucken", "Drucken", "printer", False),
       ("schliessen", "Schliessen", "close", False),
       ("pdf_speichern", "Als PDF speichern", "savepdf", False)]


def make_buttons():
    w, h, text_x = 160, 30, 32
    # one size for all buttons, the largest at which every text fits
    font = min((fit_font(n[1], BOLD, w - text_x - 4, h - 12, largest=16) for n in NAV),
               key=lambda f: f.size)
    # one common baseline for all buttons
    top, bottom = font.getbbox("ÄSgy")[1::2]
    y = (h - (bottom - top)) // 2 - top
    for name, text, kind, selectable in NAV:
        img = Image.new("RGB", (w, h), WHITE)
        img.paste(icon(kind), (4, 4))
        d = ImageDraw.Draw(img)
        d.text((text_x, y), text, font=font, fill=LIGHT_GREEN)
        save(img, "nav_%s.gif" % name)
        if selectable:
            right = text_x + font.getbbox(text)[2]
            d.rectangle((text_x - 3, 3, min(right + 3, w - 1), h - 4),
                        outline=DARK_GREEN, width=1)
            save(img, "nav_%s_selected.gif" % name)


# ----------------------------------------------------------------- titles
TITLES = [
    ("a", (445, 24), "Antrag gemäß IV. Abschnitt der VO-VRA - Aufnahme in den Listarium"),
    ("b", (496, 21), "Antrag gemäß V. Abschnitt der VO-VRA - Änderung der Verwendung (§28 Abs. 1 Z 1)"),
    ("c", (516, 19), "Antrag gemäß V. Abschnitt der VO-VRA - Änderung der Packungsgrösse (§28 Abs. 1 Z 2)"),
    ("d", (399, 18), "Antrag gemäß V. Abschnitt der VO-VRA - Streichung (§28 Abs. 1 Z 3)"),
    ("e", (406, 19), "Antrag gemäß VI. Abschnitt der VO-VRA - Preiserhöhung roter Bereich"),
    ("f", (487, 18), "Antrag gemäß VI. Abschnitt der VO-VRA - Preiserhöhung gelber oder grüner Bereich"),
]


def make_titles():
    for key, size, text in TITLES:
        img = text_picture(size, text, PALE_GREEN, DARK_GREEN, BOLD, pad=3)
        save(img, "title_%s.bmp" % key)


# ------------------------------------------------------------------ marks
def mark_base():
    """13x10 palette picture: index 0 transparent, black outline with cut corners."""
    img = Image.new("P", (13, 10), 0)
    img.putpalette([255, 255, 255, 0, 0, 0, 27, 94, 32, 102, 187, 106,
                    211, 47, 47] + [0] * (251 * 3))
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = 0, 1, 8, 9          # 9x9 square
    d.line((x0 + 1, y0, x1 - 1, y0), fill=1)
    d.line((x0 + 1, y1, x1 - 1, y1), fill=1)
    d.line((x0, y0 + 1, x0, y1 - 1), fill=1)
    d.line((x1, y0 + 1, x1, y1 - 1), fill=1)
    return img, d


def make_marks():
    img, d = mark_base()
    dark = [(2, 4), (3, 5), (4, 6), (5, 5), (6, 4), (7, 3), (8, 2), (9, 1), (10, 0)]
    for x, y in dark:
        img.putpixel((x, y + 1), 3)      # lighter shade below
    for x, y in dark:
        img.putpixel((x, y), 2)
    img.putpixel((11, 0), 3)
    save(img, "mark_yes.gif", transparency=0, optimize=False)

    img, d = mark_base()
    d.rectangle((2, 3, 6, 7), fill=4)    # one transparent pixel to the outline
    save(img, "mark_no.gif", transparency=0, optimize=False)


# ------------------------------------------------------------- decoration
def gradient(size, left, right, vertical=False):
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    n = size[1] if vertical else size[0]
    for i in range(n):
        t = i / max(n - 1, 1)
        col = tuple(round(a + (b - a) * t) for a, b in zip(left, right))
        d.line((0, i, size[0], i) if vertical else (i, 0, i, size[1]), fill=col)
    return img


def make_decoration():
    # header band
    img = gradient((419, 23), (46, 125, 50), (200, 230, 201))
    d = ImageDraw.Draw(img)
    d.line((0, 22, 418, 22), fill=DARK_GREEN)
    font = fit_font("Antragstellung - Versanta", BOLD, 300, 15, largest=15)
    top, bottom = font.getbbox("Antragstellung - Versanta")[1::2]
    d.text((8, (22 - (bottom - top)) // 2 - top), "Antragstellung - Versanta",
           font=font, fill=WHITE)
    save(img, "header.gif")

    # logo: a rounded emblem with a light circle, a white "V" and the word
    s = 4
    big = Image.new("RGB", (184 * s, 75 * s), WHITE)
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((6 * s, 8 * s, 65 * s, 67 * s), radius=12 * s, fill=DARK_GREEN)
    d.ellipse((13 * s, 15 * s, 58 * s, 60 * s), fill=LIGHT_GREEN, outline=SOFT_GREEN, width=2 * s)
    d.line((23 * s, 26 * s, 35.5 * s, 50 * s, 48 * s, 26 * s), fill=WHITE, width=6 * s,
           joint="curve")
    logo = big.resize((184, 75), Image.LANCZOS)
    d = ImageDraw.Draw(logo)
    font = fit_font("Versanta", BOLD, 108, 30, largest=28)
    draw_centered(d, (72, 14, 182, 46), "Versanta", font, DARK_GREEN)
    small = fit_font("Versicherungsanstalt", REGULAR, 106, 12, largest=11)
    draw_centered(d, (72, 46, 182, 60), "Versicherungsanstalt", small, GREY)
    d.line((76, 47, 178, 47), fill=SOFT_GREEN)
    save(logo, "logo.gif")

    # caption above the name field
    img = text_picture((150, 20), "Name des Antragstellers", PALE_GREEN, DARK_GREEN, BOLD, pad=4)
    ImageDraw.Draw(img).line((0, 19, 149, 19), fill=SOFT_GREEN)
    save(img, "name_caption.jpg", quality=95)

    # footer band
    img = gradient((511, 16), (238, 238, 238), (224, 224, 224), vertical=True)
    d = ImageDraw.Draw(img)
    d.line((0, 0, 510, 0), fill=LIGHT_GREEN)
    font = fit_font("Versanta - Antragstellung", REGULAR, 400, 11, largest=11)
    draw_centered(d, (0, 1, 511, 16), "Versanta - Antragstellung", font, GREY)
    save(img, "footer.gif")

    # thin strip
    img = gradient((496, 7), DARK_GREEN, (232, 245, 233))
    d = ImageDraw.Draw(img)
    d.line((0, 0, 495, 0), fill=WHITE)
    d.line((0, 6, 495, 6), fill=WHITE)
    d.line((0, 3, 495, 3), fill=SOFT_GREEN)
    save(img, "strip.gif")


# ------------------------------------------------------------------- icon
def icon_master(px):
    """RGBA motif: a sheet of paper with folded corner and a green tick."""
    s = px * 8
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)

    def r(*v):                           # units of a 16 grid
        return [round(a * s / 16) for a in v]

    line = max(1, s // 16)
    d.polygon(r(2, 0.5, 10, 0.5, 14, 4.5, 14, 15.5, 2, 15.5), fill=(250, 250, 250, 255),
              outline=(90, 90, 90, 255))
    d.line(r(2, 0.5, 10, 0.5, 14, 4.5, 14, 15.5, 2, 15.5, 2, 0.5), fill=(90, 90, 90, 255),
           width=line)
    d.polygon(r(10, 0.5, 10, 4.5, 14, 4.5), fill=(200, 200, 200, 255))
    if px > 16:
        for y in (3.5, 6, 8.5):
            d.line(r(4, y, 9 if y < 5 else 12, y), fill=(170, 170, 170, 255), width=line)
    d.line(r(3.5, 10, 6.5, 13.5, 15, 5), fill=(46, 125, 50, 255), width=round(s * 2.2 / 16),
           joint="curve")
    return img.resize((px, px), Image.LANCZOS)


def dib(img, bpp):
    """One ICO image: BITMAPINFOHEADER, palette, XOR rows and AND mask rows."""
    w, h = img.size
    alpha = img.getchannel("A")
    opaque = [a >= 128 for a in alpha.getdata()]
    palette = b""
    if bpp == 32:
        px = list(img.getdata())
        xor_rows = [b"".join(struct.pack("4B", b_, g, r_, a) for r_, g, b_, a in
                             px[y * w:(y + 1) * w]) for y in range(h)]
    else:
        colours = 1 << bpp
        flat = Image.new("RGB", img.size, WHITE)
        flat.paste(img, mask=alpha.point(lambda a: 255 if a >= 128 else 0))
        q = flat.quantize(colors=colours - 1)
        pal = q.getpalette()[:3 * (colours - 1)]
        pal += [0] * (3 * (colours - 1) - len(pal)) + [0, 0, 0]   # last entry black
        palette = b"".join(struct.pack("4B", pal[i + 2], pal[i + 1], pal[i], 0)
                           for i in range(0, 3 * colours, 3))
        idx = [i if o else colours - 1 for i, o in zip(q.getdata(), opaque)]
        stride = (w * bpp + 31) // 32 * 4
        xor_rows = []
        for y in range(h):
            row = idx[y * w:(y + 1) * w]
            if bpp == 4:
                row = row + [0] * (len(row) % 2)
                data = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
            else:
                data = bytes(row)
            xor_rows.append(data + b"\0" * (stride - len(data)))
    mask_stride = (w + 31) // 32 * 4
    and_rows = []
    for y in range(h):
        bits = bytearray(mask_stride)
        if bpp != 32:                    # 32 bit relies on alpha, mask stays zero
            for x in range(w):
                if not opaque[y * w + x]:
                    bits[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(bits))
    pixels = b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bpp, 0, len(pixels),
                         0, 0, (1 << bpp) if bpp < 32 else 0, 0)
    return header + palette + pixels


def make_ico():
    images = []
    for px in (48, 32, 16):
        master = icon_master(px)
        for bpp in (4, 8, 32):
            images.append((px, bpp, dib(master, bpp)))
    offset = 6 + 16 * len(images)
    data = struct.pack("<HHH", 0, 1, len(images))
    for px, bpp, blob in images:
        data += struct.pack("<BBBBHHII", px, px, 16 if bpp == 4 else 0, 0, 1, bpp,
                            len(blob), offset)
        offset += len(blob)
    data += b"".join(blob for _, _, blob in images)
    with open(os.path.join(OUT, "vra.ico"), "wb") as f:
        f.write(data)
    written.append("vra.ico")


# ----------------------------------------------------------- desktop icons
def desktop_icon(px):
    """The window icon's motif drawn natively at px x px for the desktop.

    The same sheet with folded corner and green tick as icon_master, laid out
    on the target pixel grid: edges and lines fall on whole pixels, strokes
    stay about one pixel per 64 wide so large sizes get finer lines, and the
    larger the icon the more it shows (form lines, a shadow, the logo's
    emblem in the head of the sheet).
    """
    ss = 8                               # supersampling, reduced with a box filter
    s = px * ss
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    unit = px / 16                       # the 16 grid of icon_master, in pixels

    def snap(v):                         # grid units to a whole target pixel
        return int(v * unit + 0.5)

    def S(*v):                           # target pixels to supersampled pixels
        return [round(a * ss) for a in v]

    def box(xa, ya, xb, yb):             # a filled box covering [xa, xb) x [ya, yb)
        return [round(xa * ss), round(ya * ss), round(xb * ss) - 1, round(yb * ss) - 1]

    def poly(points):
        return [tuple(S(*p)) for p in points]

    stroke = max(1, round(px / 64))      # outline and form line width, pixels
    ink = (90, 90, 90, 255)
    paper = (250, 250, 250, 255)
    fold_grey = (200, 200, 200, 255)
    line_grey = (170, 170, 170, 255)
    field_grey = (205, 205, 205, 255)
    tick = (46, 125, 50, 255)

    x0, x1 = snap(2), snap(14)
    y0, y1 = snap(0.5), snap(15.5)
    if px <= 16:
        y0, y1 = 0, px                   # the whole height, as in the window icon
    fold = snap(10)                      # where the corner is turned down
    c = x1 - fold
    outer = [(x0, y0), (fold, y0), (x1, y0 + c), (x1, y1), (x0, y1)]
    w = stroke
    k = w * (2 ** 0.5 - 1)               # inset of the corners at the diagonal
    inner = [(x0 + w, y0 + w), (fold - k, y0 + w), (x1 - w, y0 + c + k),
             (x1 - w, y1 - w), (x0 + w, y1 - w)]

    # soft shadow below the sheet
    if px >= 48:
        shadow = Image.new("L", (s, s), 0)
        off = px / 64
        ImageDraw.Draw(shadow).polygon(
            poly([(x + off * 0.3, y + off) for x, y in outer]), fill=80)
        shadow = shadow.filter(ImageFilter.GaussianBlur(ss * px / 96))
        img.paste((0, 0, 0, 255), (0, 0), shadow)

    # the sheet: the outline, then the paper inset by the stroke width
    d.polygon(poly(outer), fill=ink)
    if px >= 128:                        # light falling on the paper from above
        mask = Image.new("L", (s, s), 0)
        ImageDraw.Draw(mask).polygon(poly(inner), fill=255)
        shade = gradient((s, s), (253, 253, 253), (236, 236, 236), vertical=True)
        img.paste(shade, (0, 0), mask)
    else:
        d.polygon(poly(inner), fill=paper)

    # the turned-down corner
    corner = [(fold, y0), (fold, y0 + c), (x1, y0 + c)]
    d.polygon(poly(corner), fill=fold_grey)
    if px >= 32:
        d.line(S(fold, y0, fold, y0 + c, x1, y0 + c), fill=ink, width=ss * w)
    if px >= 128:                        # light on the back of the fold
        d.polygon(poly([(fold + w, y0 + w * 2.5), (fold + w, y0 + c - w),
                        (x1 - w * 2.5, y0 + c - w)]), fill=(222, 222, 222, 255))

    # form lines: more and finer the larger the icon
    left = snap(4)
    if px >= 128:
        # head of the sheet: the logo's emblem and a title line
        e = snap(2.6)
        ex, ey = left, snap(2)
        d.rounded_rectangle(S(ex, ey, ex + e, ey + e), radius=round(ss * e * 0.2),
                            fill=DARK_GREEN)
        m = e * 0.14
        d.ellipse(S(ex + m, ey + m, ex + e - m, ey + e - m), fill=LIGHT_GREEN)
        d.line(S(ex + e * 0.3, ey + e * 0.32, ex + e * 0.5, ey + e * 0.72,
                 ex + e * 0.7, ey + e * 0.32), fill=WHITE, width=round(ss * e * 0.1),
               joint="curve")
        tx = ex + e + snap(0.6)
        ty = ey + round(e * 0.25)
        d.rectangle(box(tx, ty, fold - snap(0.6), ty + 2 * w), fill=DARK_GREEN)
        ty = ey + round(e * 0.65)
        d.rectangle(box(tx, ty, fold - snap(1.4), ty + w), fill=line_grey)
        # the fields: a label and the line to write on, row by row
        first = ey + e + snap(1.2)
        gap = snap(1.25)
        for i in range((snap(14) - first) // gap + 1):
            y = first + i * gap
            label = snap(6.2) if i % 2 == 0 else snap(7.2)
            d.rectangle(box(left, y, label, y + w), fill=line_grey)
            d.rectangle(box(label + snap(0.5), y + w, snap(12), y + 2 * w), fill=field_grey)
    elif px >= 32:
        ys = [3.5, 5.5, 7.5, 9.5, 11.5] if px >= 64 else [3.5, 6, 8.5]
        for y in ys:
            top = snap(y)
            right = snap(9) if y < 5 else snap(12)
            d.rectangle(box(left, top, right, top + w), fill=line_grey)

    # the tick, with a paper-coloured rim that keeps it apart from the lines
    pts = [(3.5 * unit, 10 * unit), (6.5 * unit, 13.5 * unit), (15 * unit, 5 * unit)]
    width = (2.2 if px < 64 else 2.0) * unit
    if px >= 32:
        rim = width + 2 * w
        d.line(poly(pts), fill=paper, width=round(ss * rim), joint="curve")
        for x, y in (pts[0], pts[-1]):
            d.ellipse(S(x - rim / 2, y - rim / 2, x + rim / 2, y + rim / 2), fill=paper)
    d.line(poly(pts), fill=tick, width=round(ss * width), joint="curve")
    if px >= 32:                         # round ends
        for x, y in (pts[0], pts[-1]):
            d.ellipse(S(x - width / 2, y - width / 2, x + width / 2, y + width / 2),
                      fill=tick)
    return img.resize((px, px), Image.BOX)


def make_desktop_icons():
    """Writes the hicolor PNG icons; they are not part of resources.qrc."""
    for px in (16, 32, 48, 64, 128, 256):
        folder = os.path.join(HICOLOR, "%dx%d" % (px, px), "apps")
        os.makedirs(folder, exist_ok=True)
        desktop_icon(px).save(os.path.join(folder, APP_ID + ".png"), optimize=True)


def write_qrc():
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">', '    <qresource prefix="/pictures">']
    lines += ['        <file alias="%s">pictures/%s</file>' % (n, n) for n in written]
    lines += ["    </qresource>", "</RCC>", ""]
    with open(os.path.join(HERE, "resources.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    make_buttons()
    make_titles()
    make_marks()
    make_decoration()
    make_ico()
    write_qrc()
    make_desktop_icons()
    print("wrote %d pictures to %s and the desktop icons to %s"
          % (len(written), OUT, HICOLOR))
