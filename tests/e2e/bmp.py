"""Windows bitmaps, 24-bit and uncompressed, read and written with the standard library only, and
composed the way the program copies pixels (SRCCOPY: a rectangle replaced, no transparency)."""

import struct


class Picture:
    """Pixels as rows from top to bottom, each row the blue, green, red bytes of its pixels."""

    def __init__(self, width, height, rows=None):
        self.width = width
        self.height = height
        self.rows = rows if rows is not None else [bytearray(width * 3) for _ in range(height)]

    def pixel(self, x, y):
        b, g, r = self.rows[y][3 * x:3 * x + 3]
        return r, g, b

    def paste(self, source, x, y):
        """Copies all of `source` with its top-left corner at (x, y); what falls outside is lost."""
        for sy in range(source.height):
            ty = y + sy
            if not 0 <= ty < self.height:
                continue
            left = max(0, x)
            right = min(self.width, x + source.width)
            if left >= right:
                continue
            self.rows[ty][3 * left:3 * right] = source.rows[sy][3 * (left - x):3 * (right - x)]

    def first_difference(self, other):
        """None when the pictures are alike, else a sentence naming the first pixel that differs."""
        if (self.width, self.height) != (other.width, other.height):
            return f"size {other.width} x {other.height}, expected {self.width} x {self.height}"
        for y in range(self.height):
            if bytes(self.rows[y]) != bytes(other.rows[y]):
                for x in range(self.width):
                    if self.pixel(x, y) != other.pixel(x, y):
                        return (f"pixel ({x}, {y}) is #{'%02x%02x%02x' % other.pixel(x, y)}, "
                                f"expected #{'%02x%02x%02x' % self.pixel(x, y)}")
        return None


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError(f"{path}: not a Windows bitmap")
    offset, header_size = struct.unpack_from("<II", data, 10)
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if header_size < 40 or planes != 1 or bits != 24 or compression != 0:
        raise ValueError(f"{path}: {bits}-bit bitmap with compression {compression}, "
                         "expected 24-bit uncompressed")
    top_down = height < 0
    height = abs(height)
    stride = (width * 3 + 3) & ~3
    if offset + stride * height > len(data):
        raise ValueError(f"{path}: pixel data cut short")
    rows = [bytearray(data[offset + r * stride:offset + r * stride + width * 3]) for r in range(height)]
    if not top_down:
        rows.reverse()
    return Picture(width, height, rows)


def write(picture, path):
    """A bottom-up 24-bit bitmap, so that a failed comparison can be looked at."""
    stride = (picture.width * 3 + 3) & ~3
    pad = bytes(stride - picture.width * 3)
    pixels = b"".join(bytes(row) + pad for row in reversed(picture.rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 24, 0, len(pixels),
                       3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)
