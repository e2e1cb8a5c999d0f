"""The publisher's emblem: a shield bearing an eight-pointed star.

Bold shapes and few colours, because it is mostly seen at about 50 pixels
high, on white.
"""

import math
import sys

from PIL import Image, ImageDraw, ImageFilter

from common import save_jpeg, shrink

WIDTH, HEIGHT = 193, 236
SCALE = 6

NAVY = (16, 52, 92)
TEAL = (18, 110, 118)
GOLD = (212, 160, 36)
GOLD_DARK = (150, 104, 14)
CREAM = (252, 248, 232)


def shield(cx, top, w, h, inset=0.0):
    """Outline of a heater shield: straight sides that curve into a point."""
    left, right = cx - w / 2 + inset, cx + w / 2 - inset
    y0 = top + inset
    bottom = top + h - inset * 1.4
    straight = top + h * 0.42
    pts = [(left, y0)]
    # A shallow dip in the top edge.
    for i in range(1, 20):
        t = i / 20
        pts.append((left + (right - left) * t, y0 + math.sin(math.pi * t) * h * 0.025))
    pts.append((right, y0))
    pts.append((right, straight))
    for i in range(1, 41):
        t = i / 40
        # Each side bows outwards on its way down to the point.
        x = right + (cx - right) * t ** 1.6
        y = straight + (bottom - straight) * t
        pts.append((x, y))
    for i in range(39, 0, -1):
        t = i / 40
        x = left + (cx - left) * t ** 1.6
        y = straight + (bottom - straight) * t
        pts.append((x, y))
    pts.append((left, straight))
    return pts


def star(cx, cy, r_out, r_in, points=8, turn=0.0):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.pi * i / points + turn - math.pi / 2
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def main(out):
    s = SCALE
    W, H = WIDTH * s, HEIGHT * s
    img = Image.new("RGB", (W, H), (255, 255, 255))

    cx = W / 2
    top, w, h = 30 * s, 168 * s, 196 * s

    # Soft shadow so the shield lifts off the white page.
    shadow = Image.new("L", (W, H), 0)
    ImageDraw.Draw(shadow).polygon([(x + 3 * s, y + 4 * s) for x, y in shield(cx, top, w, h)], fill=90)
    shadow = shadow.filter(ImageFilter.GaussianBlur(4 * s))
    img.paste((120, 120, 120), mask=shadow)

    d = ImageDraw.Draw(img)
    d.polygon(shield(cx, top, w, h), fill=GOLD_DARK)
    d.polygon(shield(cx, top, w, h, 3 * s), fill=GOLD)
    d.polygon(shield(cx, top, w, h, 11 * s), fill=NAVY)

    # Lower field in teal, split by a gold chevron.
    field = Image.new("L", (W, H), 0)
    ImageDraw.Draw(field).polygon(shield(cx, top, w, h, 11 * s), fill=255)
    lower = Image.new("L", (W, H), 0)
    chev_y = top + h * 0.60
    ImageDraw.Draw(lower).polygon([(0, H), (0, chev_y + 40 * s), (cx, chev_y - 12 * s),
                                   (W, chev_y + 40 * s), (W, H)], fill=255)
    lower = Image.composite(lower, Image.new("L", (W, H), 0), field)
    img.paste(TEAL, mask=lower)
    band = Image.new("L", (W, H), 0)
    bd = ImageDraw.Draw(band)
    bd.line([(0, chev_y + 40 * s), (cx, chev_y - 12 * s), (W, chev_y + 40 * s)], fill=255, width=9 * s,
            joint="curve")
    img.paste(GOLD, mask=Image.composite(band, Image.new("L", (W, H), 0), field))

    # The mark: an eight-pointed star of two squares, with a ring at its heart.
    sy = top + h * 0.33
    d.polygon(star(cx, sy, 47 * s, 36 * s), fill=GOLD_DARK)
    d.polygon(star(cx, sy, 43 * s, 33 * s), fill=GOLD)
    d.ellipse([cx - 15 * s, sy - 15 * s, cx + 15 * s, sy + 15 * s], fill=NAVY)
    d.ellipse([cx - 8 * s, sy - 8 * s, cx + 8 * s, sy + 8 * s], fill=CREAM)

    # Three small diamonds above the shield, standing in for a crest.
    for dx, size in ((-24, 6), (0, 9), (24, 6)):
        x, y = cx + dx * s, top - (14 if dx == 0 else 10) * s
        d.polygon([(x, y - size * s), (x + size * s * 0.7, y), (x, y + size * s), (x - size * s * 0.7, y)],
                  fill=GOLD)

    save_jpeg(shrink(img, (WIDTH, HEIGHT)), out, quality=92)


if __name__ == "__main__":
    main(sys.argv[1])
