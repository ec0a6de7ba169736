"""A small anti-aliased drawing surface and the colour helpers around it.

VectorCanvas fills shapes on a grid of sub-samples (scale x scale per pixel)
and averages them down, which gives smooth edges to the larger pictures.
Coordinates are in output pixels; (0, 0) is the top-left corner of the
top-left pixel. (The 16-colour icons and the cursors are pixel art, drawn as
text in make_art.py.)
"""

import math


def lerp(c0, c1, t):
    """Mix two colours; t = 0 gives c0, t = 1 gives c1."""
    t = min(1.0, max(0.0, t))
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def vertical_gradient(y0, c0, y1, c1):
    """Paint that runs from c0 at row y0 to c1 at row y1."""
    return lambda x, y: lerp(c0, c1, (y - y0) / (y1 - y0))


class VectorCanvas:
    """Shapes filled on sub-samples; paint is an (r, g, b) tuple, an
    (r, g, b, alpha) tuple blended over what is there, or a function
    (x, y) -> (r, g, b) of the output-pixel position."""

    def __init__(self, width, height, scale=4):
        self.width = width
        self.height = height
        self.scale = scale
        self.samples = [[None] * (width * scale) for _ in range(height * scale)]

    # -- filling -------------------------------------------------------------

    def _fill_span(self, sy, sx0, sx1, paint):
        row = self.samples[sy]
        sx0 = max(sx0, 0)
        sx1 = min(sx1, len(row))
        if sx0 >= sx1:
            return
        if callable(paint):
            y = (sy + 0.5) / self.scale
            for sx in range(sx0, sx1):
                row[sx] = paint((sx + 0.5) / self.scale, y)
        elif len(paint) == 4:
            *rgb, alpha = paint
            for sx in range(sx0, sx1):
                under = row[sx] if row[sx] is not None else tuple(rgb)
                row[sx] = lerp(under, rgb, alpha)
        else:
            row[sx0:sx1] = [paint] * (sx1 - sx0)

    def _rows(self, top, bottom):
        """Sub-sample rows whose centres lie between two pixel y values."""
        s = self.scale
        first = max(0, math.ceil(top * s - 0.5))
        last = min(self.height * s - 1, math.floor(bottom * s - 0.5))
        for sy in range(first, last + 1):
            yield sy, (sy + 0.5) / s

    def _span(self, sy, x_left, x_right, paint):
        s = self.scale
        self._fill_span(sy, math.ceil(x_left * s - 0.5),
                        math.floor(x_right * s - 0.5) + 1, paint)

    def polygon(self, points, paint):
        """Fill a polygon (list of (x, y)) by the even-odd rule."""
        ys = [p[1] for p in points]
        edges = list(zip(points, points[1:] + points[:1]))
        for sy, y in self._rows(min(ys), max(ys)):
            xs = []
            for (x0, y0), (x1, y1) in edges:
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for left, right in zip(xs[0::2], xs[1::2]):
                self._span(sy, left, right, paint)

    def rect(self, x0, y0, x1, y1, paint):
        """Fill the box from corner (x0, y0) to corner (x1, y1)."""
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], paint)

    def ellipse(self, cx, cy, rx, ry, paint):
        for sy, y in self._rows(cy - ry, cy + ry):
            t = 1 - ((y - cy) / ry) ** 2
            if t > 0:
                half = rx * math.sqrt(t)
                self._span(sy, cx - half, cx + half, paint)

    def stroke(self, points, width, paint):
        """Draw a polyline with round joins and caps."""
        r = width / 2
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            length = math.hypot(x1 - x0, y1 - y0)
            if length == 0:
                continue
            nx, ny = -(y1 - y0) / length * r, (x1 - x0) / length * r
            self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                          (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], paint)
        for x, y in points:
            self.ellipse(x, y, r, r, paint)

    # -- reading -------------------------------------------------------------

    def pixels(self):
        """Rows of (r, g, b, coverage): the mean colour of the covered
        sub-samples of each pixel, and the share of them that are covered."""
        s = self.scale
        out = []
        for y in range(self.height):
            band = self.samples[y * s:(y + 1) * s]
            row = []
            for x in range(self.width):
                covered = [c for line in band for c in line[x * s:(x + 1) * s]
                           if c is not None]
                if not covered:
                    row.append((0, 0, 0, 0.0))
                    continue
                n = len(covered)
                r, g, b = (round(sum(c[i] for c in covered) / n) for i in range(3))
                row.append((r, g, b, n / (s * s)))
            out.append(row)
        return out


def arc(cx, cy, rx, ry, start_deg, end_deg, steps=16):
    """Points along an ellipse arc, angles in degrees, y axis pointing up."""
    pts = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return pts


def over(pixel, backdrop):
    """An (r, g, b, coverage) pixel laid over a solid backdrop colour."""
    *rgb, coverage = pixel
    return lerp(backdrop, rgb, coverage)


def median_cut(colours, count):
    """Up to count representative colours of a list of (r, g, b): the list is
    split at the median of its widest channel until there are enough boxes."""
    boxes = [list(colours)]
    while len(boxes) < count:
        def spread(box):
            return max(max(c[i] for c in box) - min(c[i] for c in box) for i in range(3))
        splittable = [b for b in boxes if len(set(b)) > 1]
        if not splittable:
            break
        box = max(splittable, key=spread)
        boxes.remove(box)
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[i] for c in b) / len(b)) for i in range(3)) for b in boxes]


def quantize(rows, count):
    """Map rows of (r, g, b) onto at most count colours: (palette, index rows).
    Pictures with few enough colours keep them exactly."""
    flat = [c for row in rows for c in row]
    unique = sorted(set(flat))
    palette = unique if len(unique) <= count else median_cut(flat, count)
    nearest = {}
    for c in unique:
        nearest[c] = min(range(len(palette)),
                         key=lambda i: sum((a - b) ** 2 for a, b in zip(c, palette[i])))
    return palette, [[nearest[c] for c in row] for row in rows]
