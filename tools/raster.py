"""A tiny RGBA canvas and PNG writer for the demo's pixel art (standard library only).

Everything is drawn at the size it is shown: one canvas pixel is one screen pixel.
Shapes are filled by testing pixel centres, so edges stay crisp with no smoothing.
"""
import math
import struct
import zlib

CLEAR = (0, 0, 0, 0)


def rgba(colour, alpha=255):
    """A colour as (r, g, b, a) from (r, g, b) or (r, g, b, a)."""
    if len(colour) == 4:
        return tuple(colour)
    return (colour[0], colour[1], colour[2], alpha)


def mix(a, b, t):
    """Blend two (r, g, b) colours: t = 0 gives a, t = 1 gives b."""
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(colour, factor):
    """Lighter (factor > 1) or darker (factor < 1) version of a colour."""
    if factor >= 1.0:
        return mix(colour, (255, 255, 255), factor - 1.0)
    return mix((0, 0, 0), colour, factor)


class Rng:
    """A small deterministic generator, so every run draws the same pictures."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF or 1

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x & 0xFFFFFFFF
        return self.state

    def random(self):
        return self.next() / 4294967296.0

    def randint(self, lo, hi):
        return lo + self.next() % (hi - lo + 1)


class Canvas:
    def __init__(self, width, height, fill=CLEAR):
        self.w = width
        self.h = height
        self.px = [rgba(fill)] * (width * height)

    # -- pixels -------------------------------------------------------------
    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        if not self.inside(x, y):
            return CLEAR
        return self.px[y * self.w + x]

    def set(self, x, y, colour, alpha=255):
        x = int(x)
        y = int(y)
        if self.inside(x, y):
            self.px[y * self.w + x] = rgba(colour, alpha)

    def blend(self, x, y, colour, alpha):
        """Paint over what is there with the given opacity (0 to 255)."""
        x = int(x)
        y = int(y)
        if not self.inside(x, y) or alpha <= 0:
            return
        dst = self.px[y * self.w + x]
        a = alpha / 255.0
        da = dst[3] / 255.0
        out_a = a + da * (1 - a)
        if out_a <= 0:
            return
        c = tuple(
            int(round((colour[i] * a + dst[i] * da * (1 - a)) / out_a)) for i in range(3)
        )
        self.px[y * self.w + x] = (c[0], c[1], c[2], int(round(out_a * 255)))

    def opaque(self, x, y):
        return self.get(x, y)[3] > 0

    # -- shapes -------------------------------------------------------------
    def rect(self, x, y, w, h, colour, alpha=255):
        for yy in range(int(y), int(y + h)):
            for xx in range(int(x), int(x + w)):
                self.set(xx, yy, colour, alpha)

    def frame(self, x, y, w, h, colour):
        for xx in range(x, x + w):
            self.set(xx, y, colour)
            self.set(xx, y + h - 1, colour)
        for yy in range(y, y + h):
            self.set(x, yy, colour)
            self.set(x + w - 1, yy, colour)

    def poly(self, points, colour, alpha=255):
        """Fill a polygon given by (x, y) corners in pixel units (pixel centres at +0.5)."""
        ys = [p[1] for p in points]
        for y in range(max(0, int(math.floor(min(ys)))), min(self.h, int(math.ceil(max(ys))) + 1)):
            cy = y + 0.5
            xs = []
            n = len(points)
            for i in range(n):
                x0, y0 = points[i]
                x1, y1 = points[(i + 1) % n]
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(math.ceil(xs[i] - 0.5)), int(math.ceil(xs[i + 1] - 0.5))):
                    self.set(x, y, colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=255):
        """Fill an ellipse centred on (cx, cy), both in pixel units."""
        for y in range(int(cy - ry - 1), int(cy + ry + 2)):
            for x in range(int(cx - rx - 1), int(cx + rx + 2)):
                dx = (x + 0.5 - cx) / max(rx, 0.01)
                dy = (y + 0.5 - cy) / max(ry, 0.01)
                if dx * dx + dy * dy <= 1.0:
                    self.set(x, y, colour, alpha)

    def circle(self, cx, cy, r, colour, alpha=255):
        self.ellipse(cx, cy, r, r, colour, alpha)

    def ring(self, cx, cy, r_out, r_in, colour, alpha=255):
        for y in range(int(cy - r_out - 1), int(cy + r_out + 2)):
            for x in range(int(cx - r_out - 1), int(cx + r_out + 2)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r_in <= d <= r_out:
                    self.set(x, y, colour, alpha)

    def line(self, x0, y0, x1, y1, colour, alpha=255):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            self.set(round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t), colour, alpha)

    # -- whole-picture passes ------------------------------------------------
    def outline(self, colour, diagonal=False):
        """Give every shape a one-pixel dark rim: the silhouette reads on any background."""
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.opaque(x, y):
                    continue
                near = [(1, 0), (-1, 0), (0, 1), (0, -1)]
                if diagonal:
                    near += [(1, 1), (-1, 1), (1, -1), (-1, -1)]
                if any(self.get(x + dx, y + dy)[3] > 128 for dx, dy in near):
                    add.append((x, y))
        for x, y in add:
            self.set(x, y, colour)

    def bevel(self, light=1.35, dark=0.65, only=None):
        """Light the upper-left edges and darken the lower-right ones of every shape."""
        src = list(self.px)

        def solid(x, y):
            return self.inside(x, y) and src[y * self.w + x][3] > 0

        for y in range(self.h):
            for x in range(self.w):
                c = src[y * self.w + x]
                if c[3] == 0 or (only is not None and c[:3] != only):
                    continue
                if not solid(x - 1, y) or not solid(x, y - 1):
                    self.set(x, y, shade(c[:3], light), c[3])
                elif not solid(x + 1, y) or not solid(x, y + 1):
                    self.set(x, y, shade(c[:3], dark), c[3])

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                c = other.px[y * other.w + x]
                if c[3] == 255:
                    self.set(ox + x, oy + y, c)
                elif c[3] > 0:
                    self.blend(ox + x, oy + y, c[:3], c[3])

    def mirror_x(self):
        """Copy the left half onto the right half, mirrored: symmetric ships."""
        for y in range(self.h):
            for x in range(self.w // 2):
                self.px[y * self.w + (self.w - 1 - x)] = self.px[y * self.w + x]

    # -- output --------------------------------------------------------------
    def save(self, path):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                raw.extend(self.px[y * self.w + x])
        with open(path, "wb") as f:
            f.write(png_bytes(self.w, self.h, bytes(raw)))


def png_bytes(width, height, raw_rows):
    """An RGBA PNG from rows that each start with filter byte 0."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(raw_rows, 9))
        + chunk(b"IEND", b"")
    )


def even(canvas):
    """Pad a picture to even sides. The engine centres a quad on its drawing point, so an
    odd side puts every texel edge on a pixel centre, where point sampling wavers."""
    if canvas.w % 2 == 0 and canvas.h % 2 == 0:
        return canvas
    out = Canvas(canvas.w + canvas.w % 2, canvas.h + canvas.h % 2)
    out.blit(canvas, 0, 0)
    return out


def strip(cells):
    """Cells of one size side by side, left to right: an animation grid of one row."""
    w = cells[0].w
    h = cells[0].h
    out = Canvas(w * len(cells), h)
    for i, c in enumerate(cells):
        out.blit(c, i * w, 0)
    return out
