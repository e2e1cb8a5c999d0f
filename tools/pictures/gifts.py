"""Finishes the rendered gift boxes as a photograph.

The render comes in at one and a half times the final size; scaling it down
smooths the remaining edge steps. A light vignette and a fine grain, from a
seeded generator so every run gives the same bytes, take off the too-clean
look of a raw render.
"""

import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from common import save_jpeg

WIDTH, HEIGHT = 700, 467


def vignette(size):
    w, h = size
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).ellipse([-w * 0.25, -h * 0.3, w * 1.25, h * 1.3], fill=255)
    return mask.filter(ImageFilter.GaussianBlur(w / 8))


def grain(size, seed):
    rng = random.Random(seed)
    noise = Image.frombytes("L", size, rng.randbytes(size[0] * size[1]))
    return noise.filter(ImageFilter.GaussianBlur(0.5))


def main(src, out):
    img = Image.open(src).convert("RGB").resize((WIDTH, HEIGHT), Image.LANCZOS)
    dark = img.point(lambda v: round(v * 0.78))
    img = Image.composite(img, dark, vignette(img.size))
    # Centred on mid-grey, so it adds texture without shifting the tone.
    noise = grain(img.size, 1807).point(lambda v: round(128 + (v - 128) * 0.04)).convert("RGB")
    img = ImageChops.add(img, noise, scale=1.0, offset=-128)
    save_jpeg(img, out, quality=85)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
