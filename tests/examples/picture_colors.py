#!/usr/bin/env python3
"""Reads a binary PPM picture and answers about its colours, for the example checks.

  picture_colors.py FILE size             -> WIDTHxHEIGHT
  picture_colors.py FILE at X,Y ...       -> RRGGBB for each point
  picture_colors.py FILE count RRGGBB     -> how many pixels have that colour
"""
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
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1 :]


def main():
    path, question, args = sys.argv[1], sys.argv[2], sys.argv[3:]
    width, height, pixels = read_ppm(path)
    if question == "size":
        print(f"{width}x{height}")
    elif question == "at":
        for point in args:
            x, y = (int(v) for v in point.split(","))
            i = 3 * (y * width + x)
            print(pixels[i : i + 3].hex().upper())
    elif question == "count":
        wanted = bytes.fromhex(args[0])
        print(sum(1 for i in range(0, len(pixels), 3) if pixels[i : i + 3] == wanted))
    else:
        sys.exit(f"unknown question {question}")


main()
