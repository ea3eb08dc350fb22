#!/usr/bin/env python3
"""Reads a binary PPM picture and answers questions about its colours, one line each, for
the example checks (one run answers them all: starting Python is the slow part).

  picture_colors.py FILE QUESTION...
    size      -> WIDTHxHEIGHT
    X,Y       -> RRGGBB, the colour of that pixel
    RRGGBB    -> how many pixels have that colour
"""
import collections
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not a binary PPM with 8-bit samples")
    return int(fields[1]), int(fields[2]), data[pos + 1 :]


def main():
    width, height, pixels = read_ppm(sys.argv[1])
    counts = None
    for question in sys.argv[2:]:
        if question == "size":
            print(f"{width}x{height}")
        elif "," in question:
            x, y = (int(v) for v in question.split(","))
            i = 3 * (y * width + x)
            print(pixels[i : i + 3].hex().upper())
        else:
            if counts is None:
                counts = collections.Counter(
                    pixels[i : i + 3] for i in range(0, len(pixels), 3))
            print(counts[bytes.fromhex(question)])


main()
