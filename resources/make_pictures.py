#!/usr/bin/python3
"""Regenerates the program's pictures, icon and hand cursor in this folder.

Run by hand after changing the artwork (the build uses the committed files):
    /usr/bin/python3 resources/make_pictures.py
Needs Debian's python3-pil and fonts-wqy-zenhei. The output is the same
byte for byte on every run, so a regenerated file only shows up in a diff
when the artwork really changed.
"""

import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ZENHEI = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
ZENHEI_REGULAR = 0
ZENHEI_SHARP = 2  # carries hand-tuned 12 px bitmaps, crisp like the system font

CHARCOAL = (22, 22, 22)
FLOOR_LIGHT = 121
CAPTION_BLUE = (157, 183, 187)

WIDTH, HEIGHT = 450, 228
SCALE = 4  # shapes are drawn this much larger and shrunk, for smooth edges
FLOOR_TOP, FLOOR_FULL = 120, 196
TILE_LEFTS = (29, 159, 289)
TILE_TOP, TILE_W, TILE_H = 80, 69, 76
TILE_SPLIT = 119
UNITS = (("时", 102, 155), ("分", 234, 286), ("秒", 362, 415))
UNIT_TOP, UNIT_BOTTOM = 88, 145
# Text is drawn over these parts of the finished window, so they stay plain.
FLAT_TOP_BAND = (0, 0, WIDTH, 51)
PLAIN_FLOOR = ((416, 200, 449, 221), (156, 210, 245, 227))


def say(text):
    print("make_pictures: " + text)


def s(v):
    """A window pixel measure in drawing pixels."""
    return round(v * SCALE)


def floor_grey(y):
    """Grey of the background at row y: flat above the floor, then a smooth
    rise that eases in and out so the floor has no hard horizon line."""
    if y <= FLOOR_TOP:
        return CHARCOAL[0]
    t = min(1.0, (y - FLOOR_TOP) / (FLOOR_FULL - FLOOR_TOP))
    return CHARCOAL[0] + (FLOOR_LIGHT - CHARCOAL[0]) * (3 * t * t - 2 * t * t * t)


def vertical_ramp(width, height, top, bottom):
    """An L image running from grey `top` to grey `bottom`."""
    column = Image.new("L", (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        column.putpixel((0, y), round(top + (bottom - top) * t))
    return column.resize((width, height), Image.NEAREST)


def rounded_mask(size, box, radius):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle(box, radius=radius, fill=255)
    return mask


def draw_tile(layer, left):
    """One flip-clock card: darker below the split than above, a soft gloss
    on the upper leaf, a bevelled rim and two hinge knobs on the split."""
    x0, y0 = s(left), s(TILE_TOP)
    x1, y1 = s(left + TILE_W), s(TILE_TOP + TILE_H)
    split = s(TILE_SPLIT)
    w, h = x1 - x0, y1 - y0
    upper = vertical_ramp(w, split - y0, 37, 30)
    lower = vertical_ramp(w, y1 - split, 26, 20)
    face = Image.new("L", (w, h))
    face.paste(upper, (0, 0))
    face.paste(lower, (0, split - y0))
    card = Image.merge("RGBA", (face, face, face, Image.new("L", (w, h), 255)))
    draw = ImageDraw.Draw(card)
    # The gap between the two leaves and the lit lip of the lower leaf.
    draw.rectangle((0, split - y0 - s(1), w, split - y0 + s(0.75)), fill=(6, 6, 6, 255))
    draw.rectangle((0, split - y0 + s(0.75), w, split - y0 + s(1.5)), fill=(58, 58, 58, 255))
    # Gloss on the upper leaf, fading out before the split.
    gloss = vertical_ramp(w, split - y0 - s(1), 10, 0)
    white = Image.new("RGBA", gloss.size, (255, 255, 255, 255))
    card.paste(white, (0, 0), gloss)
    rim_outer = rounded_mask((w, h), (0, 0, w - 1, h - 1), s(7))
    rim_inner = rounded_mask((w, h), (s(1), s(1), w - 1 - s(1), h - 1 - s(1)), s(6))
    rim = ImageChops.subtract(rim_outer, rim_inner)
    rim_colour = Image.merge("RGB", [vertical_ramp(w, h, 78, 30)] * 3).convert("RGBA")
    card.paste(rim_colour, (0, 0), rim)
    card.putalpha(rim_outer)
    layer.alpha_composite(card, (x0, y0))
    draw = ImageDraw.Draw(layer)
    for edge in (left, left + TILE_W):
        kx0, kx1 = s(edge - 2.5), s(edge + 2.5)
        ky0, ky1 = s(TILE_SPLIT - 5.5), s(TILE_SPLIT + 5.5)
        draw.rounded_rectangle((kx0, ky0, kx1, ky1), radius=s(1.5), fill=(16, 16, 16, 255))
        draw.rounded_rectangle((kx0 + s(1), ky0 + s(1), kx1 - s(1), ky1 - s(1)), radius=s(1), fill=(92, 92, 92, 255))
        draw.rectangle((kx0 + s(1.5), ky0 + s(1.5), kx1 - s(1.5), ky0 + s(3.5)), fill=(150, 150, 150, 255))


def glyph_masks(text, size, weight, edge):
    """Fill and edge masks of `text`, cropped to the edge's ink."""
    font = ImageFont.truetype(ZENHEI, size, index=ZENHEI_REGULAR)
    l, t, r, b = font.getbbox(text, stroke_width=edge)
    pad = edge + 2
    outer = Image.new("L", (r - l + 2 * pad, b - t + 2 * pad), 0)
    inner = Image.new("L", outer.size, 0)
    at = (pad - l, pad - t)
    ImageDraw.Draw(outer).text(at, text, font=font, fill=255, stroke_width=edge, stroke_fill=255)
    ImageDraw.Draw(inner).text(at, text, font=font, fill=255, stroke_width=weight, stroke_fill=255)
    box = outer.getbbox()
    return inner.crop(box), outer.crop(box)


def fitted_glyph(text, width, height, weight, edge):
    """The character's fill and edge masks, sized so that its ink, edge
    included, fills width x height (both in drawing pixels)."""
    probe = 400
    _, outer = glyph_masks(text, probe, weight, edge)
    size = probe * min(width / outer.width, height / outer.height)
    return glyph_masks(text, round(size), weight, edge)


def draw_unit(layer, text, left, right):
    """A unit character: light grey, a shade darker at the foot, with a thin
    green edge; centred in its box."""
    inner, outer = fitted_glyph(text, s(right - left), s(UNIT_BOTTOM - UNIT_TOP), s(0.6), s(1.7))
    w, h = outer.size
    x = s((left + right) / 2) - w // 2
    y = s(UNIT_BOTTOM) - h
    green = Image.new("RGBA", (w, h), (70, 168, 86, 255))
    fill = Image.merge("RGB", [vertical_ramp(w, h, 232, 176)] * 3).convert("RGBA")
    glyph = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    glyph.paste(green, (0, 0), outer)
    glyph.paste(fill, (0, 0), inner)
    layer.alpha_composite(glyph, (x, y))


def reflect(layer, top, foot, depth, strength):
    """The part of `layer` between rows top and foot, upside down below foot,
    fading from `strength` to nothing over `depth` rows."""
    part = layer.crop((0, top, layer.width, foot)).transpose(Image.FLIP_TOP_BOTTOM)
    part = part.crop((0, 0, part.width, min(depth, part.height)))
    fade = vertical_ramp(1, part.height, 255 * strength, 0).resize(part.size)
    part.putalpha(ImageChops.multiply(part.getchannel("A"), fade))
    return part.filter(ImageFilter.GaussianBlur(SCALE * 0.6)), foot


def main_window_background():
    size = (s(WIDTH), s(HEIGHT))
    column = Image.new("L", (1, size[1]))
    for y in range(size[1]):
        column.putpixel((0, y), round(floor_grey((y + 0.5) / SCALE)))
    floor = column.resize(size, Image.NEAREST)
    canvas = Image.merge("RGB", [floor] * 3).convert("RGBA")

    tiles = Image.new("RGBA", size, (0, 0, 0, 0))
    for left in TILE_LEFTS:
        draw_tile(tiles, left)
    units = Image.new("RGBA", size, (0, 0, 0, 0))
    for text, left, right in UNITS:
        draw_unit(units, text, left, right)

    # A soft contact shadow where each card meets the floor.
    shadow = Image.new("L", size, 0)
    for left in TILE_LEFTS:
        ImageDraw.Draw(shadow).ellipse(
            (s(left - 2), s(TILE_TOP + TILE_H - 3), s(left + TILE_W + 2), s(TILE_TOP + TILE_H + 4)), fill=120
        )
    shadow = shadow.filter(ImageFilter.GaussianBlur(s(2)))
    canvas.paste(Image.new("RGBA", size, (0, 0, 0, 255)), (0, 0), shadow)

    for part, foot in (
        reflect(units, s(UNIT_TOP - 2), s(UNIT_BOTTOM), s(44), 0.24),
        reflect(tiles, s(TILE_TOP), s(TILE_TOP + TILE_H), s(40), 0.45),
    ):
        canvas.alpha_composite(part, (0, foot))
    canvas.alpha_composite(tiles)
    canvas.alpha_composite(units)
    picture = canvas.convert("RGB").resize((WIDTH, HEIGHT), Image.LANCZOS)

    # Where the window draws its own text the picture must stay plain.
    top = picture.crop(FLAT_TOP_BAND)
    assert top.getextrema() == ((22, 22),) * 3, "top band is not flat charcoal"
    for box in PLAIN_FLOOR:
        for (lo, hi) in picture.crop(box).getextrema():
            assert 115 <= lo and hi <= 124, "plain floor at %s is %d..%d" % (box, lo, hi)
    return picture


def caption_picture(text, size, left, top, advance, ink_box, mode):
    """A check box picture: the caption in the system-font look on the dark
    window colour, its ink kept inside ink_box."""
    font = ImageFont.truetype(ZENHEI, 12, index=ZENHEI_SHARP)
    picture = Image.new("RGB", size, CHARCOAL)
    draw = ImageDraw.Draw(picture)
    draw.fontmode = "1"  # the embedded bitmaps, unsmoothed
    for i, ch in enumerate(text):
        # The bitmaps' ink starts two rows below the pen position.
        draw.text((left + i * advance, top - 2), ch, font=font, fill=CAPTION_BLUE)
    ink = ImageChops.difference(picture, Image.new("RGB", size, CHARCOAL)).getbbox()
    assert ink_box[0] <= ink[0] and ink_box[1] <= ink[1] and ink[2] <= ink_box[2] and ink[3] <= ink_box[3], (
        "caption %s ink %s is outside %s" % (text, ink, ink_box)
    )
    return picture.convert(mode)


# --- Icon ------------------------------------------------------------------

ICON_PALETTE = (
    (0, 0, 0), (14, 14, 14), (26, 26, 26), (38, 38, 38),
    (52, 52, 52), (70, 70, 70), (96, 96, 96), (128, 128, 128),
    (160, 160, 160), (196, 196, 196), (232, 232, 232), (255, 255, 255),
    (34, 92, 48), (56, 140, 74), (84, 190, 104), (158, 214, 170),
)


def icon_artwork(n):
    """The program's icon at n x n: a dark flip card split across the middle
    with hinge knobs, and a clock face with a green rim showing three
    o'clock. The hands are set on whole pixels so they stay sharp at 16 x 16."""
    k = 16
    size = n * k
    hand = max(1, n // 16)
    centre = n / 2 + (hand % 2) / 2  # odd-width hands need a pixel centre
    art = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    pad = max(1, n // 16) * k
    card = (pad, pad, size - 1 - pad, size - 1 - pad)
    draw = ImageDraw.Draw(art)
    draw.rounded_rectangle(card, radius=size // 7, fill=(14, 14, 14, 255))
    inset = (card[0] + k, card[1] + k, card[2] - k, card[3] - k)
    draw.rounded_rectangle(inset, radius=size // 8, fill=(40, 40, 40, 255))
    mid = size // 2
    draw.rectangle((inset[0], inset[1], inset[2], mid), fill=(54, 54, 54, 255))
    draw.rectangle((card[0], mid - k // 2, card[2], mid + k // 2), fill=(0, 0, 0, 255))
    c, r = centre * k, size * 0.31
    draw.ellipse((c - r, c - r, c + r, c + r), fill=(84, 190, 104, 255))
    rin = r - max(k, size * 0.05)
    draw.ellipse((c - rin, c - rin, c + rin, c + rin), fill=(232, 232, 232, 255))
    knob_w, knob_h = max(k, size * 0.04), max(2 * k, size * 0.14)
    for x in (card[0], card[2]):
        draw.rectangle((x - knob_w, mid - knob_h / 2, x + knob_w, mid + knob_h / 2), fill=(128, 128, 128, 255))
    small = art.resize((n, n), Image.BOX)
    draw = ImageDraw.Draw(small)
    first = int(centre - hand / 2)
    last = first + hand - 1
    reach = rin / k
    draw.rectangle((first, int(centre - reach * 0.8), last, last), fill=(14, 14, 14, 255))
    draw.rectangle((first, first, int(centre + reach * 0.6), last), fill=(14, 14, 14, 255))
    return small


def nearest_index(rgb):
    return min(
        range(len(ICON_PALETTE)),
        key=lambda i: sum((a - b) * (a - b) for a, b in zip(ICON_PALETTE[i], rgb)),
    )


def dib_header(width, height, bit_count, image_bytes):
    # The height counts the colour rows and the AND mask rows together.
    return struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, bit_count, 0, image_bytes, 0, 0, 0, 0)


def packed_rows(width, height, bits, value_at):
    """Bottom-up DIB rows of `bits`-bit values, each row padded to 4 bytes."""
    stride = ((width * bits + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            v = value_at(x, y)
            bit = x * bits
            row[bit // 8] |= v << (8 - bits - bit % 8)
        out += row
    return bytes(out)


def icon_entry(art):
    w, h = art.size
    px = art.load()
    xor = packed_rows(w, h, 4, lambda x, y: nearest_index(px[x, y][:3]) if px[x, y][3] >= 128 else 0)
    mask = packed_rows(w, h, 1, lambda x, y: 0 if px[x, y][3] >= 128 else 1)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in ICON_PALETTE)
    return dib_header(w, h, 4, len(xor) + len(mask)) + palette + xor + mask


def resource_dir(kind, entries):
    """An ICO (kind 1) or CUR (kind 2) file. Each entry is (width, height,
    colour count, field1, field2, image bytes): planes and bit count for
    icons, the hot spot for cursors."""
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    table, images = b"", b""
    for w, h, colours, f1, f2, image in entries:
        table += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2, len(image), offset)
        offset += len(image)
        images += image
    return head + table + images


def countdown_icon():
    arts = [icon_artwork(n) for n in (48, 32, 16)]
    return resource_dir(1, [(a.width, a.height, 16, 1, 4, icon_entry(a)) for a in arts])


# --- Hand cursor -------------------------------------------------------------

# '#' black, '.' white, ' ' transparent; the tip of the index finger is the hot spot.
HAND = (
    "     ###            ",
    "    #...#           ",
    "    #...#           ",
    "    #...#           ",
    "    #...#           ",
    "    #...####        ",
    "    #...#...####    ",
    "    #...#...#...### ",
    "    #...#...#...#..#",
    "    #...#...#...#..#",
    "    #...#...#...#..#",
    " ## #...#...#...#..#",
    "#..##...#...#...#..#",
    "#...#...#...#...#..#",
    " #.................#",
    "  #................#",
    "  #................#",
    "   #..............# ",
    "   #..............# ",
    "    #............#  ",
    "    #............#  ",
    "     #..........#   ",
    "     #..........#   ",
    "     ############   ",
)
HAND_HOT_SPOT = (6, 1)


def hand_cell(x, y):
    return HAND[y][x] if y < len(HAND) and x < len(HAND[y]) else " "


def hand_cursor():
    assert hand_cell(*HAND_HOT_SPOT) == "." and hand_cell(HAND_HOT_SPOT[0], 0) == "#", "hot spot is off the finger tip"
    n = 32
    xor = packed_rows(n, n, 1, lambda x, y: 1 if hand_cell(x, y) == "." else 0)
    mask = packed_rows(n, n, 1, lambda x, y: 1 if hand_cell(x, y) == " " else 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = dib_header(n, n, 1, len(xor) + len(mask)) + palette + xor + mask
    return resource_dir(2, [(n, n, 2, HAND_HOT_SPOT[0], HAND_HOT_SPOT[1], image)])


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
    say("wrote resources/" + name)


def save_png(name, picture):
    picture.save(os.path.join(HERE, name), "PNG", optimize=False, compress_level=9)
    say("wrote resources/%s (%dx%d %s)" % (name, picture.width, picture.height, picture.mode))


def main():
    if not os.path.exists(ZENHEI):
        sys.exit("make_pictures: %s is missing (apt-get install fonts-wqy-zenhei)" % ZENHEI)
    save_png("main_window_background.png", main_window_background())
    save_png("pin_on_top.png", caption_picture("置顶", (56, 24), 1, 7, 12, (1, 7, 27, 20), "RGB"))
    save_png("power_off.png", caption_picture("是否关机", (80, 24), 0, 6, 13, (0, 6, 52, 19), "RGBA"))
    write("countdown.ico", countdown_icon())
    write("hand.cur", hand_cursor())


if __name__ == "__main__":
    main()
