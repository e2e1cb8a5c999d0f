"""The animated green marker shown above the digit that is being drawn.

A downward arrow bobs over a bar as wide as the digit, both with a soft glow.
The stage behind it is black, so the frames are opaque black rather than
transparent: GIF transparency is one bit and would leave a dark fringe around
the glow anyway.
"""

import math
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import shrink

WIDTH, HEIGHT = 141, 41
FRAMES = 10
FRAME_MS = 90
SCALE = 4

# The palette is a single ramp from black through green to a pale highlight,
# so every frame shares it and the glow shades smoothly.
RAMP = [(0, 0, 0), (0, 45, 10), (0, 115, 25), (10, 190, 45), (40, 235, 70), (190, 255, 170)]


def ramp_palette(steps=32):
    colours = []
    for i in range(steps):
        t = i / (steps - 1) * (len(RAMP) - 1)
        k = min(int(t), len(RAMP) - 2)
        f = t - k
        a, b = RAMP[k], RAMP[k + 1]
        colours.append(tuple(round(x + (y - x) * f) for x, y in zip(a, b)))
    return colours


def draw_shapes(drop, glow):
    """Returns a greyscale mask of the arrow and bar at supersampled size."""
    s = SCALE
    mask = Image.new("L", (WIDTH * s, HEIGHT * s), 0)
    d = ImageDraw.Draw(mask)
    cx = WIDTH * s / 2
    top = (1.5 + drop) * s
    # Arrow: a short stem and a wide head, pointing at the digit below.
    stem_w, stem_h = 12 * s, 9 * s
    head_w, head_h = 40 * s, 19 * s
    d.rectangle([cx - stem_w / 2, top, cx + stem_w / 2, top + stem_h + 2 * s], fill=255)
    d.polygon([(cx - head_w / 2, top + stem_h), (cx + head_w / 2, top + stem_h),
               (cx, top + stem_h + head_h)], fill=255)
    # Bar across the digit's width; it brightens as the arrow lands.
    bar_top = 34 * s
    d.rounded_rectangle([4 * s, bar_top, (WIDTH - 4) * s, bar_top + 4 * s], radius=2 * s,
                        fill=round(170 + 85 * glow))
    return mask


def frame(i):
    t = i / FRAMES
    # Eases in and out: the arrow slows at both ends of its travel.
    bounce = (1 - math.cos(2 * math.pi * t)) / 2
    mask = draw_shapes(drop=4.0 * bounce, glow=bounce)
    small = shrink(mask, (WIDTH, HEIGHT))
    halo = small.filter(ImageFilter.GaussianBlur(3)).point(lambda v: round(v * (0.55 + 0.45 * bounce)))
    body = small.point(lambda v: round(v * 0.8))
    level = ImageChops.lighter(body, halo.point(lambda v: round(v * 0.8)))
    # A thin bright core inside the shape makes it read as lit, not flat.
    core = small.filter(ImageFilter.MinFilter(5)).point(lambda v: round(v * (0.08 + 0.12 * bounce)))
    level = ImageChops.add(level, core)
    return level


def main(out):
    palette = ramp_palette()
    steps = len(palette)
    flat = [c for rgb in palette for c in rgb] + [0] * (768 - 3 * steps)
    frames = []
    for i in range(FRAMES):
        level = frame(i)
        # Maps brightness straight onto the ramp: no colour search, no dithering.
        indexed = level.point(lambda v: min(steps - 1, round(v / 255 * (steps - 1))))
        img = Image.frombytes("P", indexed.size, indexed.tobytes())
        img.putpalette(flat)
        frames.append(img)
    frames[0].save(out, save_all=True, append_images=frames[1:], duration=FRAME_MS,
                   loop=0, optimize=False, disposal=1)


if __name__ == "__main__":
    main(sys.argv[1])
