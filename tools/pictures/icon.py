"""The program icon: a yellow draw ball with a digit on a green tile.

The PNGs are RGBA at several sizes. The ICO leads with a 32 x 32 8-bit
paletted bitmap with a 1-bit mask, the form every Windows version and icon
reader accepts, then holds a 32-bit bitmap for every size Windows asks for up to
its 200 % scaling, and the 256 x 256 one as PNG. PIL of this vintage writes only
PNG-compressed icon entries, so the ICO is assembled by hand here.
"""

import io
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


def mask_rows(opaque):
    """The AND mask of a BMP icon entry: one bit a pixel, set where it is clear."""
    size = opaque.width
    op = opaque.load()
    rows = []
    for y in range(size - 1, -1, -1):  # BMP rows run bottom-up
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (0 if op[x, y] else 1)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        if size % 8:
            row.append(bits << (8 - size % 8))
        row += b"\0" * (-len(row) % 4)
        rows.append(bytes(row))
    return rows


def opaque_of(img):
    return img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)


def paletted_entry(img):
    """A 256-colour BMP entry with an AND mask, the form every Windows version and icon
    reader accepts."""
    size = img.width
    alpha = img.getchannel("A")
    opaque = opaque_of(img)
    # Half-transparent edge pixels become opaque; blend them over a mid green so
    # the rim does not darken on either light or dark desktops.
    backing = Image.new("RGB", img.size, (20, 110, 50))
    rgb = Image.composite(img.convert("RGB"), backing, alpha)
    rgb = Image.composite(rgb, Image.new("RGB", img.size, (0, 0, 0)), opaque)
    indexed = rgb.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE)
    palette = indexed.getpalette()[:768]
    palette += [0] * (768 - len(palette))

    px = indexed.load()
    xor_rows = [bytes(px[x, y] for x in range(size)) for y in range(size - 1, -1, -1)]
    and_rows = mask_rows(opaque)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         size * size + len(and_rows[0]) * size, 0, 0, 256, 0)
    colours = b"".join(bytes((palette[i + 2], palette[i + 1], palette[i], 0)) for i in range(0, 768, 3))
    return 8, header + colours + b"".join(xor_rows) + b"".join(and_rows)


def true_colour_entry(img):
    """A 32-bit BMP entry: colour with its alpha, and the AND mask for readers that
    ignore the alpha."""
    size = img.width
    flipped = img.transpose(Image.FLIP_TOP_BOTTOM)
    r, g, b, a = flipped.split()
    pixels = Image.merge("RGBA", (b, g, r, a)).tobytes()
    and_rows = mask_rows(opaque_of(img))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + len(and_rows[0]) * size, 0, 0, 0, 0)
    return 32, header + pixels + b"".join(and_rows)


def png_entry(img):
    """A PNG entry, as Windows takes its 256-pixel icons."""
    out = io.BytesIO()
    img.save(out, "PNG", optimize=False)
    return 32, out.getvalue()


def write_ico(entries, path):
    """Writes an icon file of (image, entry maker) pairs, in that order."""
    bodies = [(img.width, *make(img)) for img, make in entries]
    offset = 6 + 16 * len(bodies)
    directory = struct.pack("<HHH", 0, 1, len(bodies))
    for size, depth, body in bodies:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, depth, len(body), offset)
        offset += len(body)
    with open(path, "wb") as f:
        f.write(directory + b"".join(body for _, _, body in bodies))


# Windows shows an icon at 16, 32 or 48 pixels and its window icons at 16 and 32,
# times its scaling: 125 % asks for 20 and 40, 150 % for 24 and 48, 200 % for 32 and
# 64. Each of those is drawn at its own size, where scaling one down would blur it.
PNG_SIZES = (16, 20, 24, 32, 40, 48, 64, 128, 256)
ICO_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def main(outdir):
    img = master()
    sized = {size: small(img, size) for size in PNG_SIZES}
    for size, picture in sized.items():
        picture.save(f"{outdir}/icon-{size}.png", optimize=False)
    entries = [(sized[32], paletted_entry)]
    entries += [(sized[size], png_entry if size >= 256 else true_colour_entry) for size in ICO_SIZES]
    write_ico(entries, f"{outdir}/icon.ico")


if __name__ == "__main__":
    main(sys.argv[1])
