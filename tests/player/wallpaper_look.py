#!/usr/bin/env python3
"""Looks at the wallpaper for the shell tests: at a screenshot (a binary PPM file), or at the
player's processes.
  frame SHOT          the share of pixels in the demo movie's background colour, and the left and
                      right edge of its gliding square on the row the square crosses (or - -)
  box SHOT R G B      a point on the first line of text of the box of colour R G B in the screen's
                      lower right quarter (the page's link box): its left edge and top edge plus 12,
                      or nothing
  pixel SHOT X Y      the colour at X Y
  cpu SECONDS PID...  the share of one core that the processes and all their descendants (the
                      player's web processes) use during SECONDS
  memory PID...       their resident memory (RSS, shared pages counted in each process) and
                      proportional memory (PSS, shared pages split between sharers), in MB
"""
import os
import sys
import time

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


def process_tree(roots):
    children = {}
    for name in os.listdir('/proc'):
        if name.isdigit():
            try:
                parent = int(open('/proc/%s/stat' % name).read().rsplit(')', 1)[1].split()[1])
                children.setdefault(parent, []).append(int(name))
            except OSError:
                pass
    tree, todo = [], list(roots)
    while todo:
        pid = todo.pop()
        tree.append(pid)
        todo += children.get(pid, [])
    return tree


def cpu_ticks(pids):
    total = 0
    for pid in pids:
        try:
            fields = open('/proc/%d/stat' % pid).read().rsplit(')', 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except OSError:
            pass
    return total


def cpu(seconds, roots):
    pids = process_tree(roots)
    before = cpu_ticks(pids)
    time.sleep(seconds)
    print('%.3f' % ((cpu_ticks(pids) - before) / os.sysconf('SC_CLK_TCK') / seconds))


def memory(roots):
    totals = {'Rss:': 0, 'Pss:': 0}
    for pid in process_tree(roots):
        try:
            for line in open('/proc/%d/smaps_rollup' % pid):
                fields = line.split()
                if fields[0] in totals:
                    totals[fields[0]] += int(fields[1])
        except OSError:
            pass
    print(totals['Rss:'] // 1024, totals['Pss:'] // 1024)


def main():
    if sys.argv[1] == 'memory':
        memory([int(p) for p in sys.argv[2:]])
        return
    if sys.argv[1] == 'cpu':
        cpu(float(sys.argv[2]), [int(p) for p in sys.argv[3:]])
        return
    command, image = sys.argv[1], read_ppm(sys.argv[2])
    if command == 'frame':
        frame(image)
    elif command == 'box':
        box(image, tuple(int(v) for v in sys.argv[3:6]))
    elif command == 'pixel':
        print(*at(image, int(sys.argv[3]), int(sys.argv[4])))


main()
