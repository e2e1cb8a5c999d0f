"""The program icon: a yellow draw ball with a digit on a green tile.

The PNGs are RGBA at several sizes. The ICO holds one 32 x 32 8-bit paletted
bitmap with a 1-bit mask, the form every Windows version and icon reader
accepts; PIL of this vintage writes only PNG-compressed icon entries, so the
ICO is assembled by hand here.
"""

import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from common import BLACK_FONT, PERSIAN_DIGITS, shrink

BIG = 1024


def radial(size, centre, radius, inner, outer):
    """An RGB disc-shaded fill: inner colour at centre fading to outer at radius."""
    grad = Image.radial_gradient("L").resize((round(radius * 2),) * 2, Image.BILINEAR)
    canvas = Image.new("L", (size, size), 255)
    canvas.paste(grad, (round(centre[0] - radius), round(centre[1] - radius)))
    a = Image.new("RGB", (size, size), inner)
    b = Image.new("RGB", (size, size), outer)
    return Image.composite(b, a, canvas)


def master():
    s = BIG
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))

    # Tile: rounded square, lighter at the top, with a thin darker rim.
    tile_mask = Image.new("L", (s, s), 0)
    ImageDraw.Draw(tile_mask).rounded_rectangle([24, 24, s - 24, s - 24], radius=190, fill=255)
    tile = Image.linear_gradient("L").resize((s, s)).point(lambda v: v)
    top, bottom = (46, 170, 80), (8, 92, 40)
    tile_rgb = Image.composite(Image.new("RGB", (s, s), bottom), Image.new("RGB", (s, s), top), tile)
    rim = ImageChops.subtract(tile_mask, tile_mask.filter(ImageFilter.MinFilter(29)))
    tile_rgb.paste((4, 60, 26), mask=rim)
    img.paste(tile_rgb, mask=tile_mask)

    # Shadow under the ball, so it sits on the tile.
    cx, cy, r = s / 2, s / 2 + 8, 372
    shadow = Image.new("L", (s, s), 0)
    ImageDraw.Draw(shadow).ellipse([cx - r + 10, cy - r + 40, cx + r + 10, cy + r + 40], fill=150)
    shadow = ImageChops.multiply(shadow.filter(ImageFilter.GaussianBlur(24)), tile_mask)
    img.paste((0, 40, 15), mask=shadow)

    # Ball: shaded from a highlight at the upper left.
    ball = radial(s, (cx - 120, cy - 140), r * 1.55, (255, 244, 130), (226, 150, 0))
    ball_mask = Image.new("L", (s, s), 0)
    ImageDraw.Draw(ball_mask).ellipse([cx - r, cy - r, cx + r, cy + r], fill=255)
    img.paste(ball, mask=ball_mask)
    edge = ImageChops.subtract(ball_mask, ball_mask.filter(ImageFilter.MinFilter(21)))
    img.paste((150, 90, 0), mask=edge)

    # White label disc with the digit, as on a real draw ball.
    lr = 250
    ImageDraw.Draw(img).ellipse([cx - lr, cy - lr, cx + lr, cy + lr], fill=(255, 253, 240))
    font = ImageFont.truetype(BLACK_FONT, 540)
    d = ImageDraw.Draw(img)
    d.text((cx, cy + 10), PERSIAN_DIGITS[7], font=font, fill=(10, 80, 35), anchor="mm")

    # Glint on the ball.
    glint = Image.new("L", (s, s), 0)
    ImageDraw.Draw(glint).ellipse([cx - 300, cy - 330, cx - 170, cy - 240], fill=200)
    glint = glint.filter(ImageFilter.GaussianBlur(14))
    img.paste((255, 255, 255), mask=ImageChops.multiply(glint, ball_mask))
    return img


def small(img, size):
    out = shrink(img, (size, size))
    if size <= 48:
        # Scaling down blurs the digit; a light unsharp mask brings its edges back.
        rgb = out.convert("RGB").filter(ImageFilter.UnsharpMask(radius=1, percent=60, threshold=2))
        rgb.putalpha(out.getchannel("A"))
        out = rgb
    return out


def write_ico(img, path):
    """Writes one 32 x 32, 256-colour BMP icon with an AND mask."""
    size = img.width
    alpha = img.getchannel("A")
    opaque = alpha.point(lambda v: 255 if v >= 128 else 0)
    # Half-transparent edge pixels become opaque; blend them over a mid green so
    # the rim does not darken on either light or dark desktops.
    backing = Image.new("RGB", img.size, (20, 110, 50))
    rgb = Image.composite(img.convert("RGB"), backing, alpha)
    rgb = Image.composite(rgb, Image.new("RGB", img.size, (0, 0, 0)), opaque)
    indexed = rgb.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE)
    palette = indexed.getpalette()[:768]
    palette += [0] * (768 - len(palette))

    xor_rows, and_rows = [], []
    px, op = indexed.load(), opaque.load()
    for y in range(size - 1, -1, -1):  # BMP rows run bottom-up
        xor_rows.append(bytes(px[x, y] for x in range(size)))
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (0 if op[x, y] else 1)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        row += b"\0" * (-len(row) % 4)
        and_rows.append(bytes(row))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         size * size + len(and_rows[0]) * size, 0, 0, 256, 0)
    colours = b"".join(bytes((palette[i + 2], palette[i + 1], palette[i], 0)) for i in range(0, 768, 3))
    body = header + colours + b"".join(xor_rows) + b"".join(and_rows)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(body), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + body)


def main(outdir):
    img = master()
    for size in (32, 48, 128, 256):
        small(img, size).save(f"{outdir}/icon-{size}.png", optimize=False)
    write_ico(small(img, 32), f"{outdir}/icon.ico")


if __name__ == "__main__":
    main(sys.argv[1])
