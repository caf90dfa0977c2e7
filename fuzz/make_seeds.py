#!/usr/bin/python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Standard library only. The seeds are tiny on purpose: libFuzzer mutates them, so what counts is
that every header kind, bit depth and compression is there once, plus the broken shapes
(truncated, bad offsets, huge sizes) that a reader must refuse. Run it again after a change;
files it does not write (crash reproducers kept as regression seeds) are left alone.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

# ---------------------------------------------------------------------------------------------
# Bitmaps

BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS = 0, 1, 2, 3


def file_header(total, offset):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def info_header(w, h, bpp, compression=BI_RGB, image_size=0, colours=0, size=40,
                masks=(0, 0, 0, 0)):
    head = struct.pack("<IiiHHIIiiII", size, w, h, 1, bpp, compression, image_size,
                       2835, 2835, colours, 0)
    if size >= 108:
        head += struct.pack("<IIII", *masks)
        head += struct.pack("<I", 0x73524742)  # 'sRGB'
        head += bytes(36) + bytes(12)           # endpoints, gamma
    if size >= 124:
        head += struct.pack("<IIII", 4, 0, 0, 0)  # intent, profile data, size, reserved
    return head


def palette(n):
    """n entries stepping through the colours, as B G R 0."""
    out = b""
    for i in range(n):
        v = (i * 255 // max(n - 1, 1)) & 0xFF
        out += bytes((v, (v * 7) & 0xFF, 255 - v, 0))
    return out


def rows(w, h, bpp, pixel):
    """Pixel data, each row padded to four bytes; pixel(x, y) gives an index or a packed value."""
    data = b""
    stride = ((w * bpp + 31) // 32) * 4
    for y in range(h):
        bits = 0
        nbits = 0
        row = bytearray()
        for x in range(w):
            v = pixel(x, y)
            if bpp >= 8:
                row += v.to_bytes(bpp // 8, "little")
            else:
                bits = (bits << bpp) | (v & ((1 << bpp) - 1))
                nbits += bpp
                if nbits == 8:
                    row.append(bits)
                    bits = nbits = 0
        if nbits:
            row.append(bits << (8 - nbits))
        row += bytes(stride - len(row))
        data += bytes(row)
    return data


def bmp(w, h, bpp, pixels, compression=BI_RGB, colours=None, size=40, masks=None,
        extra=b""):
    """A whole file; `extra` (bit masks after a 40-byte header) sits before the palette."""
    if colours is None:
        colours = (1 << bpp) if bpp <= 8 else 0
    head = info_header(w, h, bpp, compression, len(pixels), colours if bpp <= 8 else 0, size,
                       masks or (0, 0, 0, 0))
    pal = palette(colours) if bpp <= 8 else b""
    offset = 14 + len(head) + len(extra) + len(pal)
    return file_header(offset + len(pixels), offset) + head + extra + pal + pixels


def core_bmp(w, h, bpp):
    """The old OS/2 header: 12 bytes, palette entries of three bytes."""
    head = struct.pack("<IHHHH", 12, w, h, 1, bpp)
    pal = b"".join(bytes((i * 80 & 0xFF, 0, 255 - i * 80 & 0xFF)) for i in range(1 << bpp))
    pixels = rows(w, h, bpp, lambda x, y: (x + y) % (1 << bpp))
    offset = 14 + len(head) + len(pal)
    return file_header(offset + len(pixels), offset) + head + pal + pixels


def rle8(w, h):
    """Encoded runs, an absolute run, a delta and the end marks."""
    out = b""
    for y in range(h):
        out += bytes((2, y + 1, 0, 3, 5, 6, 7, 0))  # run of 2, absolute 3 (padded to even)
        out += bytes((w - 5, 9)) if w > 5 else b""
        out += bytes((0, 0))                          # end of line
    out += bytes((0, 2, 1, 0))                        # delta
    out += bytes((0, 1))                              # end of bitmap
    return out


def rle4(w, h):
    out = b""
    for y in range(h):
        out += bytes((3, 0x12, 0, 4, 0x34, 0x56))     # run of 3 nibbles, absolute 4 nibbles
        out += bytes((w - 7, 0x7F)) if w > 7 else b""
        out += bytes((0, 0))
    out += bytes((0, 1))
    return out


def rle_overrun():
    """Runs longer than the line and deltas past the picture's end."""
    return bytes((255, 1, 255, 2, 0, 2, 200, 200, 255, 3, 0, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0, 1))


def pattern(mod):
    return lambda x, y: (x * 3 + y) % mod


def rgb555(x, y):
    return ((x * 4) & 31) << 10 | ((y * 6) & 31) << 5 | ((x + y) & 31)


def rgb565(x, y):
    return ((x * 4) & 31) << 11 | ((y * 9) & 63) << 5 | ((x + y) & 31)


def rgb24(x, y):
    return (x * 40 & 0xFF) << 16 | (y * 50 & 0xFF) << 8 | ((x ^ y) * 30 & 0xFF)


def argb(x, y):
    return ((x * 30) & 0xFF) << 24 | rgb24(x, y)


def bitmaps():
    W, H = 7, 5  # odd width: every row needs padding
    s = {}
    s["bpp1.bmp"] = bmp(W, H, 1, rows(W, H, 1, pattern(2)))
    s["bpp4.bmp"] = bmp(W, H, 4, rows(W, H, 4, pattern(16)))
    s["bpp4_short_palette.bmp"] = bmp(W, H, 4, rows(W, H, 4, pattern(16)), colours=3)
    s["bpp8.bmp"] = bmp(W, H, 8, rows(W, H, 8, pattern(256)))
    s["bpp8_short_palette.bmp"] = bmp(W, H, 8, rows(W, H, 8, pattern(256)), colours=2)
    s["bpp16_555.bmp"] = bmp(W, H, 16, rows(W, H, 16, rgb555))
    s["bpp16_565_bitfields.bmp"] = bmp(W, H, 16, rows(W, H, 16, rgb565), BI_BITFIELDS,
                                       extra=struct.pack("<III", 0xF800, 0x07E0, 0x001F))
    s["bpp24.bmp"] = bmp(W, H, 24, rows(W, H, 24, rgb24))
    s["bpp32.bmp"] = bmp(W, H, 32, rows(W, H, 32, rgb24))
    s["bpp32_bitfields.bmp"] = bmp(W, H, 32, rows(W, H, 32, rgb24), BI_BITFIELDS,
                                   extra=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF))
    s["bpp32_zero_masks.bmp"] = bmp(W, H, 32, rows(W, H, 32, rgb24), BI_BITFIELDS,
                                    extra=struct.pack("<III", 0, 0, 0))
    s["rle8.bmp"] = bmp(W, H, 8, rle8(W, H), BI_RLE8)
    s["rle4.bmp"] = bmp(W + 2, H, 4, rle4(W + 2, H), BI_RLE4)
    s["rle8_overrun.bmp"] = bmp(4, 3, 8, rle_overrun(), BI_RLE8)
    s["rle4_overrun.bmp"] = bmp(4, 3, 4, rle_overrun(), BI_RLE4)
    s["rle8_topdown.bmp"] = bmp(W, -H, 8, rle8(W, H), BI_RLE8)
    s["v4_bpp32_alpha.bmp"] = bmp(W, H, 32, rows(W, H, 32, argb), BI_BITFIELDS, size=108,
                                  masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000))
    s["v4_bpp24.bmp"] = bmp(W, H, 24, rows(W, H, 24, rgb24), size=108)
    s["v5_bpp32_alpha.bmp"] = bmp(W, H, 32, rows(W, H, 32, argb), BI_BITFIELDS, size=124,
                                  masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000))
    s["v5_bpp16_565.bmp"] = bmp(W, H, 16, rows(W, H, 16, rgb565), BI_BITFIELDS, size=124,
                                masks=(0xF800, 0x07E0, 0x001F, 0))
    s["v5_bpp8.bmp"] = bmp(W, H, 8, rows(W, H, 8, pattern(256)), size=124)
    s["topdown_bpp24.bmp"] = bmp(W, -H, 24, rows(W, H, 24, rgb24))
    s["topdown_bpp1.bmp"] = bmp(W, -H, 1, rows(W, H, 1, pattern(2)))
    s["core_bpp8.bmp"] = core_bmp(3, 2, 8)
    s["core_bpp4.bmp"] = core_bmp(5, 2, 4)
    s["one_pixel.bmp"] = bmp(1, 1, 24, rows(1, 1, 24, rgb24))
    s["vehicle_58high.bmp"] = bmp(2, 58, 24, rows(2, 58, 24, rgb24))

    # Broken ones: each must be refused, never read past the data or allocated blindly.
    good = s["bpp24.bmp"]
    s["truncated_pixels.bmp"] = good[: len(good) // 2]
    s["truncated_header.bmp"] = good[:30]
    s["only_signature.bmp"] = b"BM"
    s["empty.bmp"] = b""
    s["offset_past_end.bmp"] = good[:10] + struct.pack("<I", 0x7FFFFFF0) + good[14:]
    s["offset_inside_header.bmp"] = good[:10] + struct.pack("<I", 20) + good[14:]
    s["huge_both.bmp"] = bmp(0x7FFFFFFF, 0x7FFFFFFF, 24, b"\0" * 12)
    s["huge_negative_height.bmp"] = bmp(100000, -100000, 1, b"\0" * 12)
    s["width_32767.bmp"] = bmp(32767, 1, 24, b"\0" * 64)
    s["width_32768.bmp"] = bmp(32768, 1, 8, rows(32768, 1, 8, lambda x, y: 0)[:64])
    s["height_32768_rle8.bmp"] = bmp(1, 32768, 8, bytes((0, 1)), BI_RLE8)
    s["zero_width.bmp"] = bmp(0, 5, 24, b"")
    s["negative_width.bmp"] = bmp(-7, 5, 24, rows(W, H, 24, rgb24))
    s["bad_bpp.bmp"] = bmp(W, H, 7, rows(W, H, 8, pattern(256)), colours=0)
    s["bpp0.bmp"] = bmp(W, H, 0, b"\0" * 40, colours=0)
    s["palette_count_huge.bmp"] = (lambda b: b[:46] + struct.pack("<I", 0x40000000) + b[50:])(
        s["bpp8.bmp"])
    s["rle8_with_bpp24.bmp"] = bmp(W, H, 24, rle8(W, H), BI_RLE8)
    s["header_size_huge.bmp"] = good[:14] + struct.pack("<I", 0xFFFFFF00) + good[18:]
    s["bitfields_bpp24.bmp"] = bmp(W, H, 24, rows(W, H, 24, rgb24), BI_BITFIELDS,
                                   extra=struct.pack("<III", 0xFF0000, 0xFF00, 0xFF))
    s["planes_zero.bmp"] = good[:26] + struct.pack("<H", 0) + good[28:]
    s["not_a_picture.bmp"] = b"This is a text file, not a picture.\r\n"

    # Other formats Qt reads, under a .bmp name as a user might have them.
    s["png_rgb.bmp"] = png(W, H)
    s["png_wide.bmp"] = png(40000, 1)
    s["ppm.bmp"] = b"P6\n3 2\n255\n" + bytes(range(18))
    s["pbm_wide.bmp"] = b"P4\n40000 1\n" + bytes(5000 // 8)
    s["xpm.bmp"] = (b'/* XPM */\nstatic char *x[] = {\n"3 2 2 1",\n"a c #ff0000",\n'
                    b'"b c None",\n"aba",\n"bab"\n};\n')
    return s


def png(w, h):
    """A true-colour PNG; rows are all zero, so even a huge one stays a few bytes."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(w * 3) for _ in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# Library lines: label 1-40, era, country, type, overhead line, its height, pantograph,
# direction, shunting, push-pull, double traction, cycle, variations, bitmap name from 59.

def line(label, era=b"4  ", country=b"FRG", kind=b"E ", ol=b"Y", olh=b"58", rest=b"YBNNN0N",
         name=b"br101.bmp"):
    return label.ljust(40)[:40] + era + country + kind + ol + olh + rest + name


def library_lines():
    s = {}
    s["normal.txt"] = line(b"BR 101 Intercity")
    s["consist.txt"] = line(b"Train 12", kind=b"X ", name=b"00012.bmp")
    s["zeros_name.txt"] = line(b"Zeros", name=b"00000.bmp")
    s["digits_then_letters.txt"] = line(b"Twelve", name=b"12ab.bmp")
    s["blank.txt"] = b""
    s["blanks.txt"] = b" " * 70
    s["short.txt"] = b"BR 218"
    s["short_in_numbers.txt"] = line(b"Cut")[:50]
    s["ends_at_58.txt"] = line(b"No name", name=b"")
    s["long_label.txt"] = b"L" * 300
    s["long_name.txt"] = line(b"Long name", name=b"x" * 400 + b".bmp")
    s["hex_height.txt"] = line(b"Hex", olh=b"&H", rest=b"YBNNN&N", name=b"&H1F.bmp")
    s["octal_name.txt"] = line(b"Octal", name=b"&O17x.bmp")
    s["exponent_name.txt"] = line(b"Exponent", name=b"1E3xx.bmp")
    s["exponent_d_name.txt"] = line(b"ExponentD", name=b"2D-1x.bmp")
    s["huge_exponent.txt"] = line(b"Huge", name=b"9E999.bmp")
    s["tabs_in_numbers.txt"] = line(b"Tabs", olh=b"\t7", name=b"\t1 2\n.bmp")
    s["letters_in_numbers.txt"] = line(b"Letters", olh=b"ab", rest=b"YBNNNxN")
    s["signs.txt"] = line(b"Signs", olh=b"-9", rest=b"YBNNN-N", name=b"-0001.bmp")
    s["half.txt"] = line(b"Half", olh=b".5", rest=b"YBNNN.N", name=b"0.5xx.bmp")
    s["lower_y.txt"] = line(b"Lower", ol=b"y")
    s["third_rail.txt"] = line(b"Third rail", ol=b"3", rest=b"NLYYY9Y")
    s["latin1.txt"] = line(b"Gep\xe4ckwagen \xdf\xe9", name=b"w\xe4gen.bmp")
    s["nul_bytes.txt"] = line(b"Nul\0inside", name=b"a\0b.bmp")
    s["backslashes.txt"] = line(b"Back", name=b"sub\\dir\\..\\x.bmp")
    s["cr_inside.txt"] = line(b"CR\rinside", name=b"x\r.bmp")
    lib = [line(b"BR 101"), line(b"Train 1", kind=b"X ", name=b"00001.bmp"), b"",
           line(b"VT 11.5", kind=b"VT")]
    s["file_crlf.lib"] = b"\r\n".join(lib) + b"\r\n"
    s["file_lf_no_end.lib"] = b"\n".join(lib)
    s["file_mixed_ends.lib"] = lib[0] + b"\r\n" + lib[1] + b"\n\r\n\r" + lib[3] + b"\r"
    s["file_only_ends.lib"] = b"\r\n\r\n\n"
    return s


# ---------------------------------------------------------------------------------------------
# Number texts for the leading-number rule and the rounding that follows it.

def number_texts():
    texts = [
        b"12", b" 7", b"7 ", b"\t4\n5", b"1 2 3", b"+3", b"-3", b"- 3", b"+", b"-", b"", b" ",
        b".5", b"1.", b"1.5.5", b"2.5", b"3.5", b"-2.5", b"0.49999999999999994", b"0.5",
        b"1E5", b"1e5", b"1D-3", b"1d+3", b"1E", b"1E+", b"1E-", b"1E999", b"-1E999",
        b"1E-999", b"9" * 400, b"0." + b"0" * 400 + b"1", b"&H", b"&H1F", b"&h1f",
        b"&HFFFF", b"&HFFFFFFFF", b"&HFFFFFFFFFFFFFFFFFFFF", b"&H-1", b"&O17", b"&o17", b"&O",
        b"&O8", b"&O37777777777", b"&", b"&X12", b"12abc", b"00012.bmp", b"abc", b"32767.5",
        b"32768.5", b"-32768.5", b"-32769", b"2147483647.5", b"-2147483648.5", b"65535",
        b"\xb2\xb3", b"\xa012", b"\r12", b"1\x002", b"4.5E-1", b"-0", b"--1", b"+-1",
        b"1e308", b"1.7976931348623157E308", b"4.9E-324",
    ]
    return {"n%02d.txt" % i: t for i, t in enumerate(texts)}


def write(target, seeds):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    return sum(len(d) for d in seeds.values())


def main():
    for target, seeds in (("fuzz_picture", bitmaps()),
                          ("fuzz_library_line", library_lines()),
                          ("fuzz_leading_number", number_texts())):
        size = write(target, seeds)
        print("%s: %d seeds, %d bytes" % (target, len(seeds), size))
    return 0


if __name__ == "__main__":
    sys.exit(main())
