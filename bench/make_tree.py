#!/usr/bin/env python3
"""Generates the benchmark's template trees, repeatably (seeded).

  default  about 190 MB, shaped like a real template: two 60 MB and one 20 MB media files,
           10 MB of XML/JSON, a 1500-frame image sequence of 8-40 KB frames, nested folders
  small    3000 small files (0.2-8 KB) in nested folders
  huge     one 1 GiB file (for memory)

Usage: make_tree.py KIND OUT_FOLDER [--seed N]
Media and frames are made of random bytes (already-compressed data compresses no further);
XML/JSON is generated text that compresses the way real project files do."""
import argparse
import json
import os
import random

MB = 1000 * 1000


def write_random(path, size, rng):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        left = size
        while left:
            n = min(left, 4 << 20)
            f.write(rng.randbytes(n))
            left -= n


def xml_text(rng, size):
    words = ["clip", "track", "effect", "keyframe", "title", "fade", "opacity", "scale",
             "position", "duration", "layer", "mask", "blend", "color", "font", "shadow"]
    parts, total = ['<?xml version="1.0" encoding="utf-8"?>\n<project>\n'], 0
    while total < size:
        w = rng.choice(words)
        line = (f'  <{w} id="{rng.randrange(100000)}" start="{rng.random():.4f}" '
                f'end="{rng.random():.4f}" value="{rng.randrange(1 << 20)}"/>\n')
        parts.append(line)
        total += len(line)
    parts.append("</project>\n")
    return "".join(parts)


def json_text(rng, size):
    items, total = [], 0
    while total < size:
        item = {"name": f"layer{rng.randrange(10000)}", "x": rng.random(), "y": rng.random(),
                "visible": rng.random() < 0.5, "frames": [rng.randrange(1500) for _ in range(8)]}
        items.append(item)
        total += 120
    return json.dumps({"layers": items}, indent=1)


def write_text(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def default_tree(out, rng):
    write_random(os.path.join(out, "media", "video", "intro.mp4"), 60 * MB, rng)
    write_random(os.path.join(out, "media", "video", "outro.mp4"), 60 * MB, rng)
    write_random(os.path.join(out, "media", "audio", "theme.wav"), 20 * MB, rng)
    for i in range(8):
        write_text(os.path.join(out, "project", f"scene{i}.xml"), xml_text(rng, 1000 * 1000))
    write_text(os.path.join(out, "project", "meta", "layers.json"), json_text(rng, 2 * MB))
    for i in range(1500):
        size = rng.randrange(8 * 1024, 40 * 1024)
        write_random(os.path.join(out, "sequences", f"part{i // 500}", f"frame{i:04d}.png"),
                     size, rng)
    write_text(os.path.join(out, "readme.txt"), "Template project for the benchmark.\n")


def small_tree(out, rng):
    for i in range(3000):
        folder = os.path.join(out, f"group{i % 12}", f"set{i % 5}")
        write_text(os.path.join(folder, f"item{i:04d}.xml"), xml_text(rng, rng.randrange(200, 8000)))


def huge_tree(out, rng):
    write_random(os.path.join(out, "media", "master.mov"), 1 << 30, rng)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("kind", choices=["default", "small", "huge"])
    parser.add_argument("out")
    parser.add_argument("--seed", type=int, default=20261207)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    {"default": default_tree, "small": small_tree, "huge": huge_tree}[args.kind](args.out, rng)


if __name__ == "__main__":
    main()
