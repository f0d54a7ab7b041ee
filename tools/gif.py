"""Small raster canvas with a GIF89a encoder/decoder and a 24-bit BMP writer.

Python 3 standard library only.  The canvas keeps one RGB tuple per pixel;
GIF output builds a palette of the colours used (at most 256) and compresses
the indices with real variable-length LZW.  The decoder is the inverse and is
used by the sample generator to prove that every picture it writes reads back
pixel for pixel.
"""

import math
import struct


class Canvas:
    """A width x height picture; pixel (0, 0) is the top left corner."""

    def __init__(self, width, height, background=(255, 255, 255)):
        self.width = width
        self.height = height
        self.pixels = [background] * (width * height)

    # -- pixels ---------------------------------------------------------
    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    # -- filled shapes -------------------------------------------------
    def rect(self, x0, y0, x1, y1, colour):
        """Fill the pixels x0 <= x < x1, y0 <= y < y1 (float bounds rounded)."""
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        if x1 < x0:
            x0, x1 = x1, x0
        if y1 < y0:
            y0, y1 = y1, y0
        x0 = max(0, x0)
        y0 = max(0, y0)
        x1 = min(self.width, x1)
        y1 = min(self.height, y1)
        for y in range(y0, y1):
            row = y * self.width
            for x in range(x0, x1):
                self.pixels[row + x] = colour

    def frame(self, x0, y0, x1, y1, colour, thickness=1):
        """Outline of the rectangle filled by rect(x0, y0, x1, y1)."""
        t = thickness
        self.rect(x0, y0, x1, y0 + t, colour)
        self.rect(x0, y1 - t, x1, y1, colour)
        self.rect(x0, y0, x0 + t, y1, colour)
        self.rect(x1 - t, y0, x1, y1, colour)

    def box(self, x0, y0, x1, y1, fill, outline, thickness=1):
        self.rect(x0, y0, x1, y1, fill)
        self.frame(x0, y0, x1, y1, outline, thickness)

    def polygon(self, points, colour):
        """Fill a polygon (even-odd rule, sampled at pixel centres)."""
        if len(points) < 3:
            return
        ys = [p[1] for p in points]
        y_min = max(0, int(math.floor(min(ys))))
        y_max = min(self.height - 1, int(math.ceil(max(ys))))
        n = len(points)
        for y in range(y_min, y_max + 1):
            yc = y + 0.5
            xs = []
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                xa = int(math.ceil(xs[i] - 0.5))
                xb = int(math.floor(xs[i + 1] - 0.5))
                for x in range(max(0, xa), min(self.width - 1, xb) + 1):
                    self.pixels[y * self.width + x] = colour

    def ellipse(self, cx, cy, rx, ry, colour):
        """Fill the ellipse centred at (cx, cy) (pixel-centre sampling)."""
        if rx <= 0 or ry <= 0:
            return
        for y in range(max(0, int(cy - ry - 1)), min(self.height, int(cy + ry + 2))):
            dy = (y + 0.5 - cy) / ry
            if abs(dy) > 1:
                continue
            half = rx * math.sqrt(1 - dy * dy)
            xa = int(math.ceil(cx - half - 0.5))
            xb = int(math.floor(cx + half - 0.5))
            for x in range(max(0, xa), min(self.width - 1, xb) + 1):
                self.pixels[y * self.width + x] = colour

    def disc(self, cx, cy, r, colour):
        self.ellipse(cx, cy, r, r, colour)

    def ring(self, cx, cy, r, thickness, colour):
        """A circle outline between radius r - thickness and r."""
        r_in = r - thickness
        for y in range(max(0, int(cy - r - 1)), min(self.height, int(cy + r + 2))):
            for x in range(max(0, int(cx - r - 1)), min(self.width, int(cx + r + 2))):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r_in <= d <= r:
                    self.pixels[y * self.width + x] = colour

    def line(self, x0, y0, x1, y1, colour, width=1.0):
        """A straight stroke of the given width between two points."""
        dx = x1 - x0
        dy = y1 - y0
        length = math.hypot(dx, dy)
        if length == 0:
            self.disc(x0, y0, width / 2.0, colour)
            return
        nx = -dy / length * width / 2.0
        ny = dx / length * width / 2.0
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                      (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    def dashed_frame(self, x0, y0, x1, y1, colour, dash=4, gap=3):
        x0, y0, x1, y1 = (int(round(v)) for v in (x0, y0, x1, y1))
        period = dash + gap
        for x in range(x0, x1):
            if (x - x0) % period < dash:
                self.put(x, y0, colour)
                self.put(x, y1 - 1, colour)
        for y in range(y0, y1):
            if (y - y0) % period < dash:
                self.put(x0, y, colour)
                self.put(x1 - 1, y, colour)

    def dashed_circle(self, cx, cy, r, colour, segments=24):
        for i in range(segments):
            if i % 2:
                continue
            a0 = 2 * math.pi * i / segments
            a1 = 2 * math.pi * (i + 1) / segments
            self.line(cx + r * math.cos(a0), cy + r * math.sin(a0),
                      cx + r * math.cos(a1), cy + r * math.sin(a1), colour, 1.6)

    def bitmap_text(self, x, y, rows, colour, scale=1):
        """Draw a glyph given as strings of '#' and '.' (one per row)."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch == '#':
                    self.rect(x + i * scale, y + j * scale,
                              x + (i + 1) * scale, y + (j + 1) * scale, colour)

    # -- whole-picture operations --------------------------------------
    def paste(self, other, x, y):
        for j in range(other.height):
            for i in range(other.width):
                self.put(x + i, y + j, other.pixels[j * other.width + i])

    def rotated(self, quarter_turns):
        """A copy turned clockwise by 90 degrees times quarter_turns."""
        q = quarter_turns % 4
        if q == 0:
            out = Canvas(self.width, self.height)
            out.pixels = list(self.pixels)
            return out
        if q == 2:
            out = Canvas(self.width, self.height)
            out.pixels = list(reversed(self.pixels))
            return out
        out = Canvas(self.height, self.width)
        for y in range(self.height):
            for x in range(self.width):
                c = self.pixels[y * self.width + x]
                if q == 1:      # clockwise: (x, y) -> (H-1-y, x)
                    out.pixels[x * out.width + (self.height - 1 - y)] = c
                else:           # anticlockwise: (x, y) -> (y, W-1-x)
                    out.pixels[(self.width - 1 - x) * out.width + y] = c
        return out

    def colours(self):
        seen = {}
        for c in self.pixels:
            if c not in seen:
                seen[c] = len(seen)
        return list(seen)


# ----------------------------------------------------------------------
# GIF89a
# ----------------------------------------------------------------------

def _palette_for(canvas):
    colours = canvas.colours()
    if len(colours) > 256:
        raise ValueError("picture has %d colours; a GIF holds 256" % len(colours))
    # A stable order: sort by colour value so that the same drawing always
    # gives the same file.
    colours.sort()
    bits = 1
    while (1 << bits) < len(colours):
        bits += 1
    table = colours + [(0, 0, 0)] * ((1 << bits) - len(colours))
    return table, bits


def lzw_encode(indices, min_code_size):
    """GIF-flavoured LZW: returns the packed byte string (without sub-blocks)."""
    clear = 1 << min_code_size
    eoi = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    code_size = min_code_size + 1
    next_code = eoi + 1
    table = {}
    emit(clear, code_size)
    if not indices:
        emit(eoi, code_size)
        if bit_count:
            out.append(bit_buffer & 0xFF)
        return bytes(out)
    prefix = indices[0]
    for pixel in indices[1:]:
        key = (prefix << 8) | pixel
        code = table.get(key)
        if code is not None:
            prefix = code
            continue
        emit(prefix, code_size)
        table[key] = next_code
        next_code += 1
        if next_code > (1 << code_size) and code_size < 12:
            code_size += 1
        if next_code >= 4096:
            emit(clear, code_size)
            table = {}
            code_size = min_code_size + 1
            next_code = eoi + 1
        prefix = pixel
    emit(prefix, code_size)
    # The decoder adds one more table entry after this code; when that entry
    # reaches the next power of two it reads the end code one bit wider.
    if next_code == (1 << code_size) and code_size < 12:
        code_size += 1
    emit(eoi, code_size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif_bytes(canvas):
    table, bits = _palette_for(canvas)
    index_of = {c: i for i, c in enumerate(table[:len(canvas.colours())])}
    indices = [index_of[c] for c in canvas.pixels]
    min_code_size = max(2, bits)
    data = lzw_encode(indices, min_code_size)
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", canvas.width, canvas.height,
                       0x80 | 0x70 | (bits - 1), 0, 0)
    for r, g, b in table:
        out += bytes((r, g, b))
    out += struct.pack("<BHHHHB", 0x2C, 0, 0, canvas.width, canvas.height, 0)
    out.append(min_code_size)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    out.append(0x3B)
    return bytes(out)


def gif_decode(data):
    """Decode a single-image GIF as written by gif_bytes: (width, height, rgb list)."""
    if data[:6] not in (b"GIF89a", b"GIF87a"):
        raise ValueError("not a GIF")
    width, height, flags, _bg, _aspect = struct.unpack("<HHBBB", data[6:13])
    pos = 13
    palette = []
    if flags & 0x80:
        size = 1 << ((flags & 7) + 1)
        for i in range(size):
            palette.append(tuple(data[pos + 3 * i:pos + 3 * i + 3]))
        pos += 3 * size
    while data[pos] == 0x21:          # skip extensions
        pos += 2
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    if data[pos] != 0x2C:
        raise ValueError("no image descriptor")
    _x, _y, w, h, iflags = struct.unpack("<HHHHB", data[pos + 1:pos + 10])
    if (w, h) != (width, height) or iflags & 0x80 or iflags & 0x40:
        raise ValueError("unsupported image layout")
    pos += 10
    min_code_size = data[pos]
    pos += 1
    stream = bytearray()
    while data[pos]:
        n = data[pos]
        stream += data[pos + 1:pos + 1 + n]
        pos += n + 1
    if data[pos + 1] != 0x3B:
        raise ValueError("missing trailer")
    clear = 1 << min_code_size
    eoi = clear + 1
    code_size = min_code_size + 1
    dictionary = [[i] for i in range(clear)] + [None, None]
    out = []
    bit_pos = 0
    total_bits = len(stream) * 8
    previous = None
    while bit_pos + code_size <= total_bits:
        code = 0
        for k in range(code_size):
            byte = stream[(bit_pos + k) >> 3]
            code |= ((byte >> ((bit_pos + k) & 7)) & 1) << k
        bit_pos += code_size
        if code == clear:
            code_size = min_code_size + 1
            dictionary = [[i] for i in range(clear)] + [None, None]
            previous = None
            continue
        if code == eoi:
            break
        if previous is None:
            entry = dictionary[code]
            out.extend(entry)
            previous = entry
            continue
        if code < len(dictionary):
            entry = dictionary[code]
        elif code == len(dictionary):
            entry = previous + [previous[0]]
        else:
            raise ValueError("bad LZW code %d" % code)
        out.extend(entry)
        if len(dictionary) < 4096:
            dictionary.append(previous + [entry[0]])
            if len(dictionary) == (1 << code_size) and code_size < 12:
                code_size += 1
        previous = entry
    else:
        raise ValueError("LZW stream ended without end code")
    if len(out) != width * height:
        raise ValueError("decoded %d pixels, expected %d" % (len(out), width * height))
    return width, height, [palette[i] for i in out]


# ----------------------------------------------------------------------
# BMP (24 bits per pixel, bottom-up rows)
# ----------------------------------------------------------------------

def bmp_bytes(canvas, pixels_per_metre=3780):
    row_size = (canvas.width * 3 + 3) & ~3
    image_size = row_size * canvas.height
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + image_size, 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                       image_size, pixels_per_metre, pixels_per_metre, 0, 0)
    body = bytearray()
    pad = bytes(row_size - canvas.width * 3)
    for y in range(canvas.height - 1, -1, -1):
        row = canvas.pixels[y * canvas.width:(y + 1) * canvas.width]
        for r, g, b in row:
            body += bytes((b, g, r))
        body += pad
    return header + info + bytes(body)


def bmp_decode(data):
    magic, _size, _r1, _r2, offset = struct.unpack("<2sIHHI", data[:14])
    if magic != b"BM":
        raise ValueError("not a BMP")
    (hsize, width, height, _planes, bpp, compression, _isz,
     _xr, _yr, _used, _imp) = struct.unpack("<IiiHHIIiiII", data[14:54])
    if hsize != 40 or bpp != 24 or compression != 0 or height <= 0:
        raise ValueError("unsupported BMP")
    row_size = (width * 3 + 3) & ~3
    pixels = [None] * (width * height)
    for y in range(height):
        base = offset + (height - 1 - y) * row_size
        for x in range(width):
            b, g, r = data[base + 3 * x:base + 3 * x + 3]
            pixels[y * width + x] = (r, g, b)
    return width, height, pixels


# ----------------------------------------------------------------------
# PNG (only for looking at pictures during development)
# ----------------------------------------------------------------------

def png_bytes(width, height, pixels):
    import zlib
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for r, g, b in pixels[y * width:(y + 1) * width]:
            raw += bytes((r, g, b))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))
