"""Writers for the picture files the resources use: ICO, CUR, BMP, GIF87a, JPEG.

Rows are always handed in top-down; each writer turns them the way its format
wants. Palettes are lists of (r, g, b).
"""

import os
import shutil
import struct
import subprocess
import tempfile

# The standard 16-colour VGA palette, in the order of the Windows colour table.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

MONO = [(0, 0, 0), (255, 255, 255)]


def _pack_row(values, bpp):
    """Pack one row of small integers at bpp bits each, padded to 4 bytes."""
    bits = 0
    nbits = 0
    out = bytearray()
    for v in values:
        bits = (bits << bpp) | v
        nbits += bpp
        if nbits == 8:
            out.append(bits)
            bits = nbits = 0
    if nbits:
        out.append(bits << (8 - nbits))
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def _bitmapinfoheader(width, height, bpp, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0,
                       image_size, 0, 0, colours, 0)


def _icon_image(indices, transparent, bpp, palette):
    """One image of an icon or cursor resource: header (with the height
    doubled for the two masks), palette, XOR bits and AND mask, bottom-up.
    transparent[y][x] is True where the AND mask lets the screen through."""
    height = len(indices)
    width = len(indices[0])
    xor = b''.join(_pack_row(row, bpp) for row in reversed(indices))
    and_mask = b''.join(_pack_row([1 if t else 0 for t in row], 1)
                        for row in reversed(transparent))
    colours = [palette[i] if i < len(palette) else (0, 0, 0)
               for i in range(1 << bpp)]
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    header = _bitmapinfoheader(width, 2 * height, bpp,
                               len(xor) + len(and_mask), 0)
    return header + table + xor + and_mask


def _write_icon_file(path, kind, images):
    """images: list of (width, height, colour_count, field1, field2, data);
    the two fields are planes/bit count for icons, the hot spot for cursors."""
    out = bytearray(struct.pack('<HHH', 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for width, height, count, f1, f2, data in images:
        out += struct.pack('<BBBBHHII', width % 256, height % 256, count % 256,
                           0, f1, f2, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    _write(path, bytes(out))


def write_ico(path, images, palette):
    """images: list of (indices, transparent, bpp), all sharing one palette."""
    entries = []
    for indices, transparent, bpp in images:
        data = _icon_image(indices, transparent, bpp, palette)
        entries.append((len(indices[0]), len(indices), 1 << bpp, 1, bpp, data))
    _write_icon_file(path, 1, entries)


def write_cur(path, indices, transparent, hotspot):
    """A monochrome cursor: indices 0 = black, 1 = white."""
    data = _icon_image(indices, transparent, 1, MONO)
    _write_icon_file(path, 2, [(len(indices[0]), len(indices), 2,
                                hotspot[0], hotspot[1], data)])


def write_bmp24(path, rgb_rows):
    height = len(rgb_rows)
    width = len(rgb_rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rgb_rows):
        line = b''.join(struct.pack('<BBB', b, g, r) for r, g, b in row)
        body += line + b'\0' * (stride - len(line))
    info = _bitmapinfoheader(width, height, 24, len(body), 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(body),
                              0, 0, 14 + len(info))
    _write(path, file_header + info + bytes(body))


def _lzw(indices, min_code_size):
    """GIF flavour of LZW: variable code width, least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    state = {'bits': 0, 'n': 0}

    def emit(code, width):
        state['bits'] |= code << state['n']
        state['n'] += width
        while state['n'] >= 8:
            out.append(state['bits'] & 0xFF)
            state['bits'] >>= 8
            state['n'] -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table = fresh_table()
    width = min_code_size + 1
    emit(clear, width)
    current = ()
    for value in indices:
        candidate = current + (value,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], width)
        next_code = len(table) + 2
        if next_code < 4096:
            table[candidate] = next_code
            # The decoder widens one code later than the encoder adds the entry.
            if next_code == (1 << width):
                width += 1
        else:
            emit(clear, width)
            table = fresh_table()
            width = min_code_size + 1
        current = (value,)
    if current:
        emit(table[current], width)
    emit(end, width)
    if state['n']:
        out.append(state['bits'] & 0xFF)
    return bytes(out)


def write_gif87a(path, indices, palette):
    """A single-image GIF87a file: global colour table, no extension blocks."""
    height = len(indices)
    width = len(indices[0])
    bits = 1
    while (1 << bits) < len(palette):
        bits += 1
    colours = palette + [(0, 0, 0)] * ((1 << bits) - len(palette))
    out = bytearray(b'GIF87a')
    out += struct.pack('<HHBBB', width, height, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0)
    out += b''.join(struct.pack('BBB', *c) for c in colours)
    out += struct.pack('<BHHHHB', 0x2C, 0, 0, width, height, 0)
    min_code_size = max(2, bits)
    data = _lzw([v for row in indices for v in row], min_code_size)
    out.append(min_code_size)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out += b'\0;'
    _write(path, bytes(out))


def write_jpeg(path, rgb_rows, quality=92):
    """JPEG through ImageMagick, fed a PPM; full-resolution colour, no metadata."""
    height = len(rgb_rows)
    width = len(rgb_rows[0])
    ppm = b'P6 %d %d 255\n' % (width, height) + bytes(
        v for row in rgb_rows for px in row for v in px)
    convert = '/usr/bin/convert' if os.path.exists('/usr/bin/convert') else shutil.which('convert')
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, 'picture.ppm')
        _write(source, ppm)
        subprocess.run([convert, source, '-strip', '-sampling-factor', '1x1',
                        '-quality', str(quality), 'jpeg:' + path], check=True)


def _write(path, data):
    os.makedirs(os.path.dirname(path) or '.', exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
