#!/usr/bin/env python3
"""Draws Varelith's icon: a dark rounded square with a light "あ" and an amber "A".

One set of stroke paths (in a 32 x 32 grid) feeds both outputs, so the scalable
SVG and the small PNGs stay alike:
  data/icons/varelith.svg     scalable, for the hicolor theme
  data/icons/varelith-16.png  16 x 16, 16-colour palette
  data/icons/varelith-32.png  32 x 32, 16-colour palette
The PNGs are rendered with ImageMagick's own vector drawing (MVG, which takes
SVG path data), supersampled, then quantised. The results are committed, so
building the program never needs this script; rerun it after changing a path:
  scripts/make-icons.py
"""

import pathlib
import subprocess
import sys
import tempfile

BACKGROUND = "#27313f"
BACKGROUND_EDGE = "#3d4a5c"
GLYPH = "#f4f1e8"
ACCENT = "#f2a43a"

# The "あ": a crossbar, a stem, and the sweep that loops round to the right.
HIRAGANA_A = [
    "M 6.0 8.6 L 17.0 7.6",
    "M 10.6 4.6 Q 10.2 14.0 12.6 21.4",
    "M 15.8 11.2 Q 12.0 19.8 8.0 20.8 Q 4.8 21.3 5.5 17.8"
    " Q 7.0 12.8 14.4 12.9 Q 20.4 13.2 20.2 18.0 Q 20.0 21.6 16.4 23.4",
]
# The small Latin "A" in the lower right corner.
LATIN_A = [
    "M 21.2 28.2 L 25.0 18.6 L 28.8 28.2",
    "M 22.6 24.8 L 27.4 24.8",
]

# Strokes are heavier at 16 px so that each stays at least a pixel and a half wide.
GLYPH_STROKE = {16: 2.6, 32: 2.5, "svg": 2.5}
ACCENT_STROKE = {16: 2.4, 32: 2.1, "svg": 2.1}

SUPERSAMPLE = 16


def svg_text() -> str:
    def strokes(paths, colour, width):
        return "\n".join(
            f'    <path d="{d}" stroke="{colour}" stroke-width="{width}"/>' for d in paths
        )

    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <title>Varelith</title>
  <rect x="1" y="1" width="30" height="30" rx="6" ry="6" fill="{BACKGROUND}"
        stroke="{BACKGROUND_EDGE}" stroke-width="1"/>
  <g fill="none" stroke-linecap="round" stroke-linejoin="round">
{strokes(HIRAGANA_A, GLYPH, GLYPH_STROKE["svg"])}
{strokes(LATIN_A, ACCENT, ACCENT_STROKE["svg"])}
  </g>
</svg>
"""


def mvg_text(size: int) -> str:
    scale = SUPERSAMPLE * size / 32
    lines = [
        f"affine {scale} 0 0 {scale} 0 0",
        f"fill '{BACKGROUND}'",
        f"stroke '{BACKGROUND_EDGE}'",
        "stroke-width 1",
        "roundrectangle 1,1 31,31 6,6",
        "fill none",
        "stroke-linecap round",
        "stroke-linejoin round",
        f"stroke '{GLYPH}'",
        f"stroke-width {GLYPH_STROKE[size]}",
    ]
    lines += [f"path '{d}'" for d in HIRAGANA_A]
    lines += [f"stroke '{ACCENT}'", f"stroke-width {ACCENT_STROKE[size]}"]
    lines += [f"path '{d}'" for d in LATIN_A]
    return "\n".join(lines) + "\n"


def blend(start: str, end: str, fraction: float) -> str:
    a = [int(start[i : i + 2], 16) for i in (1, 3, 5)]
    b = [int(end[i : i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * fraction):02x}" for x, y in zip(a, b))


# Fifteen opaque colours plus transparency: the four inks and the steps between
# the background and each ink, so that edges stay smooth and no stray hue appears.
PALETTE = (
    [BACKGROUND, BACKGROUND_EDGE, GLYPH, ACCENT]
    + [blend(BACKGROUND, GLYPH, f / 6) for f in range(1, 6)]
    + [blend(BACKGROUND, ACCENT, f / 4) for f in range(1, 4)]
    + [blend(BACKGROUND_EDGE, GLYPH, 0.5), blend(GLYPH, ACCENT, 0.5), "#1b222c"]
)


def render_png(size: int, target: pathlib.Path, palette: pathlib.Path) -> None:
    big = SUPERSAMPLE * size
    # The drawing goes inline: common ImageMagick policies refuse "@file" arguments.
    subprocess.run(
        [
            "convert", "-size", f"{big}x{big}", "xc:none",
            "-draw", mvg_text(size),
            "-filter", "Box", "-resize", f"{size}x{size}",
            "-write", "mpr:drawn", "+delete",
            # Colours snap to the palette; the alpha becomes on/off, as PNG8 holds it.
            "(", "mpr:drawn", "-alpha", "off", "-dither", "None", "-remap", f"{palette}", ")",
            "(", "mpr:drawn", "-alpha", "extract", "-threshold", "50%", ")",
            "-alpha", "off", "-compose", "CopyOpacity", "-composite",
            "-strip", f"PNG8:{target}",
        ],
        check=True,
    )


def main() -> int:
    icons = pathlib.Path(__file__).resolve().parent.parent / "data" / "icons"
    icons.mkdir(parents=True, exist_ok=True)
    (icons / "varelith.svg").write_text(svg_text())
    with tempfile.TemporaryDirectory() as scratch:
        palette = pathlib.Path(scratch) / "palette.png"
        subprocess.run(
            ["convert"] + [f"xc:{c}" for c in PALETTE] + ["+append", f"PNG24:{palette}"],
            check=True,
        )
        for size in (16, 32):
            render_png(size, icons / f"varelith-{size}.png", palette)
    return 0


if __name__ == "__main__":
    sys.exit(main())
