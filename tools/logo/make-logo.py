#!/usr/bin/env python3
"""Draws the RASTERBLICK logo and writes it as C++ data for logo/LogoImage.cpp.

The logo is the maker's web address in yellow bold sans-serif letters on a dark
blue ground, with a soft light halo above the letters and a dark drop shadow
below and to the right. It is drawn with ImageMagick's convert at a multiple of
its size and scaled down, which smooths the letter edges.

Needs python3, ImageMagick's convert and the DejaVu fonts (fonts-dejavu-core).
The program's build does not run this; the source it writes is committed.

    tools/logo/make-logo.py [--output logo/LogoPixels.inc] [--preview logo.png]
"""

import argparse
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 180, 80
TEXT = "www.rasterblick.example"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"

GROUND = (32, 56, 120)
LETTERS = (254, 253, 7)
HALO = (190, 215, 255)
SHADOW = (8, 14, 30)

# Where the letters' ink lies, in logo pixels: columns 6..168, rows 27..45.
TEXT_LEFT, TEXT_TOP, TEXT_WIDTH, TEXT_HEIGHT = 6, 27, 163, 19
# Drawn at this many times the size, then each block of SCALE x SCALE averaged.
SCALE = 4
# The halo: a copy of the letters this far up, blurred, and made this strong.
HALO_RAISE = 2.0
HALO_BLUR = 1.0
HALO_STRENGTH = 1.4
# The shadow: a sharp copy of the letters this far right and down.
SHADOW_SHIFT = 1.5
# The blends at the edges are snapped to steps of this much a channel, which
# keeps the logo to a few hundred colours; the four flat colours stay exact.
COLOUR_STEP = 8

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "logo", "LogoPixels.inc"))


def rgb(colour, alpha=None):
    if alpha is None:
        return "rgb(%d,%d,%d)" % colour
    return "rgba(%d,%d,%d,%g)" % (colour + (alpha,))


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def layer(colour, mask, size):
    """A picture of one colour that is opaque where the mask is white."""
    return ["(", "-size", size, "xc:" + rgb(colour), mask, "-alpha", "off",
            "-compose", "copy_opacity", "-composite", ")"]


def offset(x, y):
    return "%+d%+d" % (round(x), round(y))


def draw(work):
    """Draws the logo and returns its pixels, top row first, as r, g, b bytes."""
    s = SCALE
    box = "%dx%d" % (TEXT_WIDTH * s, TEXT_HEIGHT * s)
    mask = os.path.join(work, "letters.png")
    # White letters on black, cut to their ink and stretched to fill the box.
    convert("-background", "black", "-fill", "white", "-font", FONT, "-pointsize", "240",
            "label:" + TEXT, "-trim", "+repage", "-resize", box + "!",
            "-colorspace", "gray", mask)

    border = 16 * s
    left, top = TEXT_LEFT * s, TEXT_TOP * s
    halo = ["(", *layer(HALO, mask, box)[1:-1],
            "-bordercolor", rgb(HALO, 0), "-border", str(border),
            "-channel", "A", "-blur", "0x%g" % (HALO_BLUR * s),
            "-evaluate", "multiply", "%g" % HALO_STRENGTH, "+channel", ")"]
    raw = os.path.join(work, "logo.rgb")
    convert("-size", "%dx%d" % (WIDTH * s, HEIGHT * s), "xc:" + rgb(GROUND),
            *halo, "-compose", "over",
            "-geometry", offset(left - border, top - border - HALO_RAISE * s), "-composite",
            *layer(SHADOW, mask, box), "-compose", "over",
            "-geometry", offset(left + SHADOW_SHIFT * s, top + SHADOW_SHIFT * s), "-composite",
            *layer(LETTERS, mask, box), "-compose", "over",
            "-geometry", offset(left, top), "-composite",
            "-filter", "box", "-resize", "%dx%d" % (WIDTH, HEIGHT),
            "-depth", "8", "rgb:" + raw)
    with open(raw, "rb") as f:
        pixels = f.read()
    if len(pixels) != WIDTH * HEIGHT * 3:
        sys.exit("make-logo: convert gave %d bytes, not %d" % (len(pixels), WIDTH * HEIGHT * 3))
    return pixels


def snap(pixels):
    """The pixels with every blended colour moved to the nearest step."""
    exact = {GROUND, LETTERS, HALO, SHADOW}
    out = bytearray(pixels)
    for i in range(0, len(out), 3):
        colour = tuple(out[i:i + 3])
        if colour not in exact:
            out[i:i + 3] = bytes(min(255, round(v / COLOUR_STEP) * COLOUR_STEP) for v in colour)
    return bytes(out)


def encode(pixels):
    """The colours in order of first use, and runs of (length, colour number)."""
    colours, numbers, runs = [], {}, []
    for i in range(0, len(pixels), 3):
        colour = (pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]
        if colour not in numbers:
            numbers[colour] = len(colours)
            colours.append(colour)
        number = numbers[colour]
        if runs and runs[-1][1] == number and runs[-1][0] < 0xFFFF:
            runs[-1][0] += 1
        else:
            runs.append([1, number])
    return colours, runs


def wrap(items, indent="    ", width=100):
    lines, line = [], indent
    for item in items:
        piece = item + ","
        if len(line) + len(piece) + 1 > width and line != indent:
            lines.append(line.rstrip())
            line = indent
        line += piece + " "
    if line != indent:
        lines.append(line.rstrip())
    return "\n".join(lines)


def write_source(path, colours, runs):
    text = [
        "// The logo's pixels: written by tools/logo/make-logo.py; run it again",
        "// rather than editing this.",
        "//",
        "// LogoColours holds 0xRRGGBB values; LogoRuns covers the %d x %d pixels" % (WIDTH, HEIGHT),
        "// row by row from the top, each run a length and a colour number.",
        "// clang-format off",
        "constexpr std::uint32_t LogoColours[] = {",
        wrap("0x%06X" % c for c in colours),
        "};",
        "",
        "constexpr LogoRun LogoRuns[] = {",
        wrap("{%d, %d}" % (n, c) for n, c in runs),
        "};",
        "// clang-format on",
        "",
    ]
    with open(path, "w") as f:
        f.write("\n".join(text))


def write_preview(path, pixels, work):
    raw = os.path.join(work, "preview.rgb")
    with open(raw, "wb") as f:
        f.write(pixels)
    convert("-size", "%dx%d" % (WIDTH, HEIGHT), "-depth", "8", "rgb:" + raw,
            "-filter", "point", "-resize", "400%", path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="the C++ source to write")
    parser.add_argument("--preview", help="also write the logo, four times the size, as a PNG")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        pixels = snap(draw(work))
        colours, runs = encode(pixels)
        write_source(args.output, colours, runs)
        if args.preview:
            write_preview(args.preview, pixels, work)
    print("%s: %d colours, %d runs" % (args.output, len(colours), len(runs)))


if __name__ == "__main__":
    main()
