#!/usr/bin/env bash
# Writes the small seed inputs of the two fuzz targets into corpus/ beside this script.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$here/corpus/png_image" "$here/corpus/label_settings"

echo "writing PNG seeds to $here/corpus/png_image"
python3 - "$here/corpus/png_image" <<'PY'
import struct, sys, zlib

out = sys.argv[1]

def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

def png(width, height, depth, colour, rows, extra=b""):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour, 0, 0, 0)
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))

rgb = png(2, 2, 8, 2, [b"\xff\0\0\0\xff\0", b"\0\0\xff\x16\x16\x16"])
seeds = {
    "rgb_2x2.png": rgb,
    "rgba_2x1.png": png(2, 1, 8, 6, [b"\xff\0\0\x80\x10\x20\x30\0"]),
    "grey_1x1.png": png(1, 1, 8, 0, [b"\x64"]),
    "grey_alpha16_1x1.png": png(1, 1, 16, 4, [b"\x12\x34\x80\x00"]),
    "palette_trns_2x2.png": png(2, 2, 2, 3, [b"\x10", b"\x20"],
                                chunk(b"PLTE", b"\x16\x16\x16\x9d\xb7\xbb\0\0\0") +
                                chunk(b"tRNS", b"\xff\xff\x00")),
    "truncated.png": rgb[:40],
    "bad_crc.png": rgb[:29] + bytes([rgb[29] ^ 1]) + rgb[30:],
    "bad_signature.png": b"\x89PNH" + rgb[4:],
    "huge_header.png": png(100000, 100000, 8, 2, [b""]),
    # A text chunk header claiming 160 MiB as the file's last bytes.
    "text_chunk_past_end.png": rgb[:33] + struct.pack(">I", 0x0A000000) + b"iTXt",
}
for name, data in seeds.items():
    with open(f"{out}/{name}", "wb") as f:
        f.write(data)
PY

# A label input is a run of steps: setting number byte (taken mod 11, minus 2; 0xFE
# and 0xFF are the int limits), a little-endian int32, a length byte, then that many
# bytes of text or font record.
echo "writing label seeds to $here/corpus/label_settings"
label="$here/corpus/label_settings"
printf '\x03\x01\x00\x00\x00\x00' >"$label/effect_sunken"
printf '\x06\x05\x00\x00\x00\x00\x07\x02\x00\x00\x00\x00' >"$label/align_right_wrap_2"
printf '\x02\x00\x00\x00\x00\x01\x39' >"$label/caption_9"
printf '\x09\x00\x00\x00\x00\x00\xff\x00\x00\x00\x00\x00' >"$label/bad_numbers"
{
  printf '\x04\x00\x00\x00\x00\x3c'
  printf '\xd0\xff\xff\xff\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x90\x01\x00\x00'
  printf '\x00\x00\x00\x86\x00\x00\x00\x00'
  head -c 32 /dev/zero
} >"$label/digits_font"
