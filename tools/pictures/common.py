"""Shared helpers for the picture scripts.

Everything is drawn at several times the final size and scaled down, which is
the simplest way to get smooth edges out of PIL's drawing primitives.
"""

import os

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
FONT_DIR = os.path.join(ROOT, "resources", "fonts")
BOLD_FONT = os.path.join(FONT_DIR, "Vazirmatn-FD-Bold.ttf")
BLACK_FONT = os.path.join(FONT_DIR, "Vazirmatn-FD-Black.ttf")

PERSIAN_DIGITS = "۰۱۲۳۴۵۶۷۸۹"


def shrink(img, size):
    """Scales a supersampled drawing down to its final size."""
    return img.resize(size, Image.LANCZOS)


def save_jpeg(img, path, quality=90):
    # Baseline, not progressive: older decoders and some image loaders handle
    # only baseline JPEGs. No optimisation pass keeps the bytes identical from
    # run to run.
    img.convert("RGB").save(path, "JPEG", quality=quality, progressive=False,
                            optimize=False, subsampling="4:2:0")
