"""Background of the draw set-up window.

Kept pale and low in contrast, because dark captions, text boxes and lists sit
on top of it. A mid-green band low in the middle lets a yellow caption with a
black shadow stand out. The scattered balls and confetti come from a seeded
generator, so the picture is the same on every run.
"""

import math
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from common import BOLD_FONT, PERSIAN_DIGITS, save_jpeg, shrink

WIDTH, HEIGHT = 450, 300
SCALE = 3           # supersampling of the 96-dpi picture
BAND_Y = 215        # centre of the darker band, in final pixels
BAND_HALF = 22

BALL_COLOURS = [(250, 214, 90), (120, 190, 240), (240, 130, 120), (150, 215, 130), (200, 160, 225)]
CONFETTI = [(255, 220, 90), (120, 200, 235), (245, 150, 140), (255, 255, 255), (150, 220, 150)]


def base(s):
    w, h = WIDTH * s, HEIGHT * s
    top, bottom = (226, 246, 222), (196, 232, 194)
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / (h - 1)
        d.line([(0, y), (w, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    # Soft light spot in the upper middle, like a stage light.
    glow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(glow).ellipse([w * 0.2, -h * 0.5, w * 0.8, h * 0.45], fill=120)
    glow = glow.filter(ImageFilter.GaussianBlur(60 * s // 3))
    img.paste((246, 255, 240), mask=glow)
    return img


def band(img, s):
    w, h = img.size
    cy, half, fade = BAND_Y * s, BAND_HALF * s, 10 * s

    def across(y):
        # Flat through the middle, with smooth edges above and below.
        t = (abs(y - cy) - (half - fade)) / (2 * fade)
        t = min(1.0, max(0.0, t))
        return 1 - t * t * (3 - 2 * t)

    def along(x):
        # A little lighter towards the window's sides.
        u = (x - w / 2) / (w / 2)
        return 1 - 0.45 * u * u

    rows = Image.new("L", (1, h))
    rows.putdata([round(255 * across(y)) for y in range(h)])
    cols = Image.new("L", (w, 1))
    cols.putdata([round(255 * along(x)) for x in range(w)])
    mask = ImageChops.multiply(rows.resize((w, h)), cols.resize((w, h)))
    tint = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(tint)
    for y in range(h):
        # Darker at the bottom edge, as if lit from above.
        t = min(1.0, max(0.0, (y - (cy - half)) / (2 * half)))
        d.line([(0, y), (w, y)], fill=tuple(round(a + (b - a) * t) for a, b in zip((96, 160, 102), (62, 122, 72))))
    img.paste(tint, mask=mask.point(lambda v: round(v * 0.9)))
    # Hairlines along both edges make it read as a ribbon, not a smudge.
    line = Image.new("L", (w, h), 0)
    ld = ImageDraw.Draw(line)
    for y in (cy - half + 2 * s, cy + half - 2 * s):
        ld.line([(0, y), (w, y)], fill=255, width=s)
    img.paste((210, 235, 190), mask=ImageChops.multiply(line, cols.resize((w, h))).point(lambda v: round(v * 0.5)))


def ball(layer, alpha, x, y, r, colour, digit, font):
    """A draw ball: a shaded disc with a pale label and a digit, drawn faintly."""
    d = ImageDraw.Draw(layer)
    a = ImageDraw.Draw(alpha)
    dark = tuple(round(c * 0.78) for c in colour)
    d.ellipse([x - r, y - r, x + r, y + r], fill=dark)
    d.ellipse([x - r * 0.92, y - r * 0.96, x + r * 0.8, y + r * 0.78], fill=colour)
    a.ellipse([x - r, y - r, x + r, y + r], fill=255)
    lr = r * 0.5
    d.ellipse([x - lr, y - lr, x + lr, y + lr], fill=(255, 255, 250))
    d.text((x, y + r * 0.05), digit, font=font, fill=dark, anchor="mm")
    # Highlight.
    d.ellipse([x - r * 0.62, y - r * 0.72, x - r * 0.25, y - r * 0.45], fill=(255, 255, 255))


def scatter(img, rng, s):
    w, h = img.size
    layer = Image.new("RGB", (w, h), (0, 0, 0))
    alpha = Image.new("L", (w, h), 0)

    # Balls mostly along the edges, out of the way of the controls in the middle.
    spots = [(0.07, 0.12, 30), (0.93, 0.10, 26), (0.05, 0.55, 22), (0.95, 0.50, 24),
             (0.10, 0.90, 28), (0.90, 0.92, 30), (0.30, 0.05, 16), (0.70, 0.04, 18),
             (0.22, 0.32, 12), (0.79, 0.30, 13), (0.26, 0.97, 14), (0.74, 0.99, 15)]
    for i, (fx, fy, r) in enumerate(spots):
        r *= s
        x = fx * w + rng.uniform(-6, 6) * s
        y = fy * h + rng.uniform(-6, 6) * s
        font = ImageFont.truetype(BOLD_FONT, round(r * 0.8))
        ball(layer, alpha, x, y, r, BALL_COLOURS[i % len(BALL_COLOURS)], PERSIAN_DIGITS[rng.randrange(10)],
             font)

    # Confetti: little tilted strips scattered everywhere.
    d = ImageDraw.Draw(layer)
    a = ImageDraw.Draw(alpha)
    for _ in range(90):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        length, thick = rng.uniform(4, 9) * s, rng.uniform(1.5, 3) * s
        ang = rng.uniform(0, math.pi)
        dx, dy = math.cos(ang) * length / 2, math.sin(ang) * length / 2
        nx, ny = -math.sin(ang) * thick / 2, math.cos(ang) * thick / 2
        pts = [(x - dx - nx, y - dy - ny), (x + dx - nx, y + dy - ny), (x + dx + nx, y + dy + ny),
               (x - dx + nx, y - dy + ny)]
        d.polygon(pts, fill=CONFETTI[rng.randrange(len(CONFETTI))])
        a.polygon(pts, fill=rng.randrange(150, 256))

    # Faint: the decoration must never compete with the text over it.
    alpha = alpha.filter(ImageFilter.GaussianBlur(0.6 * s)).point(lambda v: round(v * 0.38))
    img.paste(layer, mask=alpha)


def main(out, density=1):
    """Writes the picture for a screen of `density` times 96 dpi: the same drawing, drawn
    at that many times the pixels, so a scaled screen gets detail rather than a
    stretched 96-dpi picture."""
    s = SCALE * density
    rng = random.Random(7241)
    img = base(s)
    scatter(img, rng, s)
    band(img, s)
    save_jpeg(shrink(img, (WIDTH * density, HEIGHT * density)), out, quality=90)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 1)
