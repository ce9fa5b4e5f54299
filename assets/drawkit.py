"""Small drawing kit shared by the picture generators of the program and of the sample disc.

Shapes are drawn supersampled into coverage masks and painted onto an RGBA canvas, so edges are
smooth. Pictures that the program draws transparent (the colour of the bottom-left pixel is left
out) are flattened over the colours they will actually sit on, so their soft edges show no fringe
of the key colour.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
KEY = (255, 0, 255)  # transparent colour of keyed bitmaps

_FONT_FILES = {
    "sans": "DejaVuSans.ttf",
    "sans-bold": "DejaVuSans-Bold.ttf",
    "sans-italic": "DejaVuSans-Oblique.ttf",
    "sans-cond": "DejaVuSansCondensed.ttf",
    "sans-cond-bold": "DejaVuSansCondensed-Bold.ttf",
    "serif": "DejaVuSerif.ttf",
    "serif-bold": "DejaVuSerif-Bold.ttf",
    "serif-italic": "DejaVuSerif-Italic.ttf",
    "serif-bold-italic": "DejaVuSerif-BoldItalic.ttf",
    "serif-cond": "DejaVuSerifCondensed.ttf",
    "serif-cond-bold": "DejaVuSerifCondensed-Bold.ttf",
    "serif-cond-italic": "DejaVuSerifCondensed-Italic.ttf",
}
_font_cache = {}


def font(face, size):
    key = (face, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_DIR + _FONT_FILES[face], size)
    return _font_cache[key]


def hexcol(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """Colour a moved towards colour b by t (0..1)."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def vgradient(size, stops):
    """RGB picture with a vertical gradient; stops = [(position 0..1, colour), ...]."""
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        for i in range(len(stops) - 1):
            (p0, c0), (p1, c1) = stops[i], stops[i + 1]
            if p0 <= t <= p1:
                c = mix(c0, c1, (t - p0) / max(1e-9, p1 - p0))
                break
        else:
            c = stops[-1][1] if t > stops[-1][0] else stops[0][1]
        d.line([(0, y), (w, y)], fill=c)
    return img


def radial(size, centre, radius, inner, outer):
    """RGB picture fading from inner colour at centre to outer colour at radius and beyond."""
    w, h = size
    # PIL's gradient is 0 in the middle and reaches 255 only in the corners; stretched here so
    # that it reaches 255 at the rim of the inscribed circle (r = 128) and stays there.
    base = Image.radial_gradient("L").point(lambda v: min(255, v * 255 // 179))
    scale = radius / 128.0
    big = base.resize((max(1, int(256 * scale)), max(1, int(256 * scale))), Image.BILINEAR)
    mask = Image.new("L", size, 255)
    mask.paste(big, (int(centre[0] - big.width / 2), int(centre[1] - big.height / 2)))
    return Image.composite(Image.new("RGB", size, outer), Image.new("RGB", size, inner), mask)


def noise(size, amount, seed):
    """Grey picture around 128 with a little deterministic grain, for paper-like surfaces."""
    rnd = random.Random(seed)
    w, h = size
    data = bytes(128 + rnd.randint(-amount, amount) for _ in range(w * h))
    return Image.frombytes("L", size, data)


def add_grain(img, amount, seed):
    """img + (grain - 128), clipped, in two saturating steps."""
    g = noise(img.size, amount, seed).convert("RGB")
    up = ImageChops.subtract(g, Image.new("RGB", img.size, (128,) * 3))
    down = ImageChops.subtract(Image.new("RGB", img.size, (128,) * 3), g)
    return ImageChops.subtract(ImageChops.add(img, up), down)


class Canvas:
    """An RGBA picture painted through supersampled coverage masks."""

    def __init__(self, size, ss=4, base=None):
        self.w, self.h = size
        self.ss = ss
        if base is None:
            self.img = Image.new("RGBA", size, (0, 0, 0, 0))
        else:
            self.img = base.convert("RGBA")

    # ----- masks
    def mask(self):
        m = Image.new("L", (self.w * self.ss, self.h * self.ss), 0)
        return m, ImageDraw.Draw(m)

    def s(self, *v):
        """Scale 1x coordinates to the supersampled mask."""
        return [x * self.ss for x in v]

    def shrink(self, big):
        return big.resize((self.w, self.h), Image.BOX)

    # ----- painting
    def paint(self, small_mask, paint, opacity=1.0):
        if opacity < 1.0:
            small_mask = small_mask.point(lambda v: int(v * opacity + 0.5))
        if isinstance(paint, tuple):
            layer = Image.new("RGBA", (self.w, self.h), paint[:3] + (255,))
        else:
            layer = paint.convert("RGBA")
            if layer.size != (self.w, self.h):
                full = Image.new("RGBA", (self.w, self.h), (0, 0, 0, 0))
                full.paste(layer, (0, 0))
                layer = full
        layer.putalpha(ImageChops.multiply(layer.getchannel("A"), small_mask))
        self.img = Image.alpha_composite(self.img, layer)

    def fill(self, big_mask, paint, opacity=1.0):
        self.paint(self.shrink(big_mask), paint, opacity)

    def shadow(self, big_mask, offset=(2, 3), blur=3.0, opacity=0.35, colour=(0, 0, 0)):
        small = self.shrink(big_mask)
        moved = Image.new("L", small.size, 0)
        moved.paste(small, (int(offset[0]), int(offset[1])))
        self.paint(moved.filter(ImageFilter.GaussianBlur(blur)), colour, opacity)

    # ----- shapes (1x float coordinates)
    def rrect(self, box, r, paint, opacity=1.0, outline=None, width=1.0):
        m, d = self.mask()
        d.rounded_rectangle(self.s(*box), radius=r * self.ss, fill=255)
        self.fill(m, paint, opacity)
        if outline is not None:
            self.rrect_outline(box, r, outline, width)
        return m

    def rrect_outline(self, box, r, colour, width=1.0, opacity=1.0):
        m, d = self.mask()
        x0, y0, x1, y1 = box
        d.rounded_rectangle(self.s(x0, y0, x1, y1), radius=r * self.ss, fill=255)
        inner = width
        d.rounded_rectangle(self.s(x0 + inner, y0 + inner, x1 - inner, y1 - inner),
                            radius=max(0, r - inner) * self.ss, fill=0)
        self.fill(m, colour, opacity)

    def ellipse(self, box, paint, opacity=1.0):
        m, d = self.mask()
        d.ellipse(self.s(*box), fill=255)
        self.fill(m, paint, opacity)
        return m

    def ring(self, centre, r_out, r_in, paint, opacity=1.0):
        m, d = self.mask()
        cx, cy = centre
        d.ellipse(self.s(cx - r_out, cy - r_out, cx + r_out, cy + r_out), fill=255)
        d.ellipse(self.s(cx - r_in, cy - r_in, cx + r_in, cy + r_in), fill=0)
        self.fill(m, paint, opacity)
        return m

    def polygon(self, pts, paint, opacity=1.0):
        m, d = self.mask()
        d.polygon([(x * self.ss, y * self.ss) for x, y in pts], fill=255)
        self.fill(m, paint, opacity)
        return m

    def line(self, pts, width, paint, opacity=1.0, round_caps=True):
        m, d = self.mask()
        sp = [(x * self.ss, y * self.ss) for x, y in pts]
        d.line(sp, fill=255, width=max(1, int(round(width * self.ss))), joint="curve")
        if round_caps:
            r = width * self.ss / 2
            for x, y in (sp[0], sp[-1]):
                d.ellipse((x - r, y - r, x + r, y + r), fill=255)
        self.fill(m, paint, opacity)
        return m

    def text(self, xy, text, face, size, paint, anchor="la", opacity=1.0, spacing=0,
             supersample=False):
        """Text at its natural hinting (crisp at small sizes) unless supersample is set."""
        if supersample:
            m, d = self.mask()
            f = font(face, size * self.ss)
            self._spaced(d, (xy[0] * self.ss, xy[1] * self.ss), text, f, anchor,
                         spacing * self.ss)
            self.fill(m, paint, opacity)
        else:
            m = Image.new("L", (self.w, self.h), 0)
            d = ImageDraw.Draw(m)
            self._spaced(d, xy, text, font(face, size), anchor, spacing)
            self.paint(m, paint, opacity)

    @staticmethod
    def _spaced(d, xy, text, f, anchor, spacing):
        if not spacing:
            d.text(xy, text, font=f, fill=255, anchor=anchor)
            return
        total = sum(f.getlength(ch) for ch in text) + spacing * (len(text) - 1)
        x, y = xy
        if anchor[0] == "m":
            x -= total / 2
        elif anchor[0] == "r":
            x -= total
        for ch in text:
            d.text((x, y), ch, font=f, fill=255, anchor="l" + anchor[1])
            x += f.getlength(ch) + spacing

    def text_shadowed(self, xy, text, face, size, paint, shadow=(0, 0, 0), offset=(1, 1),
                      opacity=0.5, blur=1.0, anchor="la", spacing=0, supersample=True):
        layer = Canvas((self.w, self.h), self.ss)
        layer.text(xy, text, face, size, (255, 255, 255), anchor, 1.0, spacing, supersample)
        a = layer.img.getchannel("A")
        moved = Image.new("L", a.size, 0)
        moved.paste(a, offset)
        if blur:
            moved = moved.filter(ImageFilter.GaussianBlur(blur))
        self.paint(moved, shadow, opacity)
        self.paint(a, paint)

    def rgb(self, matte=(255, 255, 255)):
        under = matte if isinstance(matte, Image.Image) else Image.new("RGB", self.img.size,
                                                                        matte)
        return Image.alpha_composite(under.convert("RGBA"), self.img).convert("RGB")


def text_width(text, face, size, spacing=0):
    f = font(face, size)
    return f.getlength(text) + spacing * max(0, len(text) - 1)


def fit_size(text, face, size, max_width, spacing=0, minimum=6):
    while size > minimum and text_width(text, face, size, spacing) > max_width:
        size -= 1
    return size


def keyed(rgba, matte, cut=24, key=KEY):
    """Flatten an RGBA picture for bottom-left-pixel transparency.

    Pixels with (almost) no coverage become the key colour; the others are composited over the
    matte, the colour or picture they will be drawn on, so soft edges blend into it.
    """
    under = matte if isinstance(matte, Image.Image) else Image.new("RGB", rgba.size, matte)
    flat = Image.alpha_composite(under.convert("RGBA"), rgba).convert("RGB")
    clear = rgba.getchannel("A").point(lambda a: 255 if a < cut else 0)
    flat.paste(key, (0, 0, rgba.width, rgba.height), clear)
    # The program takes its transparent colour from the bottom-left pixel.
    assert flat.getpixel((0, rgba.height - 1)) == key, "bottom-left pixel must be the key"
    return flat


def save_bmp(img, path):
    """24-bit Windows bitmap (BI_RGB, bottom-up)."""
    img.convert("RGB").save(path, format="BMP")


# ----- small pictograms, drawn into a box (x, y, size) on a canvas -------------------------

def picto(cv, kind, x, y, size, paint, opacity=1.0, accent=None):
    """Pictograms of the catalogue: one per subject, sized to a square box."""
    s = size / 100.0

    def P(px, py):
        return (x + px * s, y + py * s)

    if kind == "bone":
        m, d = cv.mask()
        for cx, cy in ((22, 30), (30, 22), (70, 78), (78, 70)):
            r = 13 * s
            X, Y = P(cx, cy)
            d.ellipse(cv.s(X - r, Y - r, X + r, Y + r), fill=255)
        w = 16 * s * cv.ss
        d.line([tuple(cv.s(*P(28, 28))), tuple(cv.s(*P(72, 72)))], fill=255, width=int(w))
        cv.fill(m, paint, opacity)
    elif kind == "drop":
        m, d = cv.mask()
        # the tip at the top, then the round belly from the right side round to the left
        pts = [P(50, 6)] + [P(50 + 30 * math.cos(t), 62 + 30 * math.sin(t))
                            for t in [math.radians(-30 + i * 4) for i in range(0, 61)]]
        d.polygon([tuple(cv.s(*p)) for p in pts], fill=255)
        cv.fill(m, paint, opacity)
        if accent:
            cv.line([P(36, 64), P(38, 76), P(48, 84)], 5 * s, accent, opacity)
    elif kind == "capsule":
        m, d = cv.mask()
        # a capsule lying at 45 degrees: a thick line with round caps
        d.line([tuple(cv.s(*P(28, 72))), tuple(cv.s(*P(72, 28)))], fill=255,
               width=int(34 * s * cv.ss))
        for px, py in ((28, 72), (72, 28)):
            X, Y = P(px, py)
            r = 17 * s
            d.ellipse(cv.s(X - r, Y - r, X + r, Y + r), fill=255)
        cv.fill(m, paint, opacity)
        if accent:
            half, hd = cv.mask()
            hd.line([tuple(cv.s(*P(28, 72))), tuple(cv.s(*P(50, 50)))], fill=255,
                    width=int(34 * s * cv.ss))
            X, Y = P(28, 72)
            r = 17 * s
            hd.ellipse(cv.s(X - r, Y - r, X + r, Y + r), fill=255)
            cut, cd = cv.mask()
            cd.polygon([tuple(cv.s(*p)) for p in (P(0, 0), P(100, 100), P(0, 100))], fill=255)
            half = ImageChops.multiply(half, m)
            cv.fill(ImageChops.multiply(half, cut), accent, opacity)
    elif kind == "cell":
        cv.ring(P(50, 50), 40 * s, 31 * s, paint, opacity)
        cv.ellipse((*P(36, 34), *P(62, 58)), paint, opacity)
        for px, py in ((70, 34), (30, 66), (64, 70)):
            cv.ellipse((*P(px - 4, py - 4), *P(px + 4, py + 4)), paint, opacity * 0.8)
    elif kind == "scalpel":
        cv.polygon([P(10, 92), P(56, 46), P(64, 54), P(18, 100)], paint, opacity)
        cv.polygon([P(58, 44), P(90, 6), P(96, 10), P(80, 40), P(66, 52)], paint, opacity)
    elif kind == "bear":
        for px, py, r in ((27, 26, 15), (73, 26, 15)):
            cv.ellipse((*P(px - r, py - r), *P(px + r, py + r)), paint, opacity)
        cv.ellipse((*P(14, 22), *P(86, 92)), paint, opacity)
        if accent:
            cv.ellipse((*P(35, 58), *P(65, 84)), accent, opacity)
            cv.ellipse((*P(33, 44), *P(42, 53)), accent, opacity)
            cv.ellipse((*P(58, 44), *P(67, 53)), accent, opacity)
            cv.ellipse((*P(45, 60), *P(55, 68)), paint, opacity)
    elif kind == "heart":
        cv.polygon(heart_points(x, y, size), paint, opacity)
    elif kind == "neuron":
        cv.ellipse((*P(32, 32), *P(60, 60)), paint, opacity)
        w = 6 * s
        for pts in (((46, 46), (46, 8), (38, 0)), ((46, 8), (56, 2)),
                    ((46, 46), (10, 30), (2, 36)), ((10, 30), (8, 20)),
                    ((46, 46), (14, 74), (8, 84)), ((46, 46), (84, 88), (96, 96)),
                    ((84, 88), (90, 78)), ((46, 46), (88, 26), (98, 28))):
            cv.line([P(*p) for p in pts], w, paint, opacity)
    elif kind == "book":
        # an open book seen from the front, with a cross above its fold
        cv.polygon([P(6, 40), P(48, 50), P(48, 92), P(6, 82)], paint, opacity)
        cv.polygon([P(94, 40), P(52, 50), P(52, 92), P(94, 82)], paint, opacity)
        cv.polygon([P(42, 8), P(58, 8), P(58, 20), P(70, 20), P(70, 36), P(58, 36), P(58, 46),
                    P(42, 46), P(42, 36), P(30, 36), P(30, 20), P(42, 20)],
                   accent or paint, opacity)
    elif kind == "pulse":
        cv.line([P(2, 56), P(28, 56), P(36, 40), P(46, 80), P(58, 14), P(68, 64), P(74, 56),
                 P(98, 56)], 8 * s, paint, opacity)
    else:
        raise ValueError(kind)


def heart_points(x, y, size, steps=120):
    pts = []
    for i in range(steps):
        t = 2 * math.pi * i / steps
        hx = 16 * math.sin(t) ** 3
        hy = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((x + size / 2 + hx * size / 36, y + size * 0.45 - hy * size / 36))
    return pts
