#!/usr/bin/env python3
"""Writes a lot file of Gaussian measurements, the same bytes on every machine.

    scripts/make-lot-file.py OUT [POINTS] [--columns 2] [--crlf]

POINTS defaults to 100000, the most a chart takes. With --columns 2 each line
also holds an uncertainty. The numbers come from a 64-bit linear congruential
generator and the Box-Muller transform written out here, so the file never
depends on a library's random numbers.
"""
import argparse
import math


def uniforms(seed):
    state = seed
    while True:
        state = (state * 6364136223846793005 + 1442695040888963407) % 2**64
        yield ((state >> 11) + 0.5) / 2**53


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("points", nargs="?", type=int, default=100000)
    parser.add_argument("--columns", type=int, choices=(1, 2), default=1)
    parser.add_argument("--crlf", action="store_true")
    args = parser.parse_args()
    u = uniforms(15)
    end = "\r\n" if args.crlf else "\n"
    with open(args.out, "w", newline="") as out:
        for _ in range(args.points):
            radius = math.sqrt(-2.0 * math.log(next(u)))
            value = 25.4 + 0.12 * radius * math.cos(2.0 * math.pi * next(u))
            if args.columns == 2:
                out.write("%.4f,%.4f%s" % (value, 0.002 + 0.01 * next(u), end))
            else:
                out.write("%.4f%s" % (value, end))


if __name__ == "__main__":
    main()
