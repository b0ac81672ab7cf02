#!/usr/bin/env python3
"""Looks at a screenshot of the wallpaper (a binary PPM file) for the shell test:
  frame SHOT          the share of pixels in the demo movie's background colour, and the left and
                      right edge of its gliding square on the row the square crosses (or - -)
  box SHOT R G B      a point on the first line of text of the box of colour R G B in the screen's
                      lower right quarter (the page's link box): its left edge and top edge plus 12,
                      or nothing
  pixel SHOT X Y      the colour at X Y
"""
import sys

BACKGROUND = (32, 36, 58)
SQUARE = (240, 170, 50)


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b'P6' or fields[3] != b'255':
        raise SystemExit('not an 8-bit binary PPM: ' + path)
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height * 3]


def near(pixel, colour, slack):
    return all(abs(a - b) <= slack for a, b in zip(pixel, colour))


def at(image, x, y):
    width, _, pixels = image
    i = (y * width + x) * 3
    return tuple(pixels[i:i + 3])


def frame(image):
    width, height, _ = image
    samples = [(x, y) for y in range(0, height, 8) for x in range(0, width, 8)]
    share = sum(near(at(image, x, y), BACKGROUND, 6) for x, y in samples) / len(samples)
    row = height // 2  # the square glides through the middle of the screen
    xs = [x for x in range(width) if near(at(image, x, row), SQUARE, 30)]
    print('%.3f %s %s' % (share, xs[0] if xs else '-', xs[-1] if xs else '-'))


def box(image, colour):
    width, height, _ = image
    points = [(x, y) for y in range(height // 2, height) for x in range(width // 2, width)
              if near(at(image, x, y), colour, 8)]
    if points:
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        print(min(xs) + 12, min(ys) + 12)


def main():
    command, image = sys.argv[1], read_ppm(sys.argv[2])
    if command == 'frame':
        frame(image)
    elif command == 'box':
        box(image, tuple(int(v) for v in sys.argv[3:6]))
    elif command == 'pixel':
        print(*at(image, int(sys.argv[3]), int(sys.argv[4])))


main()
