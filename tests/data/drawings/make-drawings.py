#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the DXF and PDF drawings of the golden tables with ezdxf and
matplotlib, libraries nobody here wrote, so that the readers are tested on
files made by others. Each drawing holds the texts of one .orb file; the
tests convert it and expect the bytes of that .orb's conversion.

Run from the repository's top: tests/data/drawings/make-drawings.py
(Debian packages python3-ezdxf and python3-matplotlib). The output is
committed; the tests never run this script.
"""
import math
import os
import re

import ezdxf
from ezdxf.enums import TextEntityAlignment
import matplotlib
matplotlib.use("pdf")
matplotlib.rcParams["pdf.fonttype"] = 42  # TrueType: real text, not paths
import matplotlib.pyplot as plt
from matplotlib.backends.backend_pdf import PdfPages

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.normpath(os.path.join(HERE, "..", "..", ".."))
GOLDEN = os.path.join(TOP, "tests", "data", "golden")
HEIGHT = 1.2  # text height in drawing units; rows stand 4 units apart


def read_orb(path):
    texts = []
    with open(path, encoding="latin-1") as orb:
        for line in orb:
            match = re.match(r"\s*\(([-\d.]+) ([-\d.]+) [-\d.]+\),(.*?)\s*$", line)
            if match:
                texts.append((float(match[1]), float(match[2]), match[3]))
    return texts


def is_number(text):
    return text.isdigit()


def add_text(space, x, y, text, **attribs):
    """A TEXT whose first alignment point (group 10) is the left end of its
    baseline. Numbers are right-justified as CAD programs write them: the
    justification point (group 11) then lies where the font's widths put
    the right end, which the reader must not use."""
    entity = space.add_text(text, dxfattribs=dict(height=HEIGHT, **attribs))
    entity.dxf.insert = (x, y)
    if is_number(text):
        entity.dxf.halign = 2  # right
        entity.dxf.align_point = (x + 0.9 * HEIGHT * len(text), y)
    return entity


def add_mtext(space, x, y, text, attachment, **attribs):
    """An MTEXT whose first baseline starts at (x, y): top attachments stand
    one character height above it, middle ones half of it, bottom ones on it
    (one line of text)."""
    above = {1: HEIGHT, 4: HEIGHT / 2, 7: 0.0}[attachment]
    return space.add_mtext(text, dxfattribs=dict(
        insert=(x, y + above), char_height=HEIGHT, attachment_point=attachment,
        **attribs))


def dxf_all_text(texts, version, name, paper_title=False):
    doc = ezdxf.new(version)
    msp = doc.modelspace()
    for x, y, text in texts:
        if paper_title and text == texts[0][2]:
            # The title stands in paper space, at the same place.
            add_text(doc.layout("Layout1"), x, y, text)
        else:
            add_text(msp, x, y, text)
    doc.saveas(os.path.join(HERE, name))


# MTEXT as CAD programs write it: formatting codes around the plain text.
FORMATTED = {
    "W12X26": r"{\fArial|b0|i0|c0|p34;W12X26}",
    "PLjX6": r"\A1;PLjX6",
    "W/NUT 3/4 X 2 A325": r"W/NUT\~3/4 X 2 {\H1.2x;A325}",
    "FIELD WELD": r"{\LFIELD} WELD",
    "2L&3R": r"{\C1;2L&3R}",
}


def dxf_mixed(texts, name):
    """The description and remarks columns as MTEXT, every other column as
    TEXT; the attachment point changes from row to row."""
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    headers = {text: x for x, y, text in texts[1:8]}
    mtext_columns = (headers["DESCRIPTION"], headers["REMARKS"])
    for index, (x, y, text) in enumerate(texts):
        nearest = min(headers.values(), key=lambda h: abs(h - x))
        if index >= 8 and nearest in mtext_columns:
            attachment = (1, 4, 7)[index % 3]
            add_mtext(msp, x, y, FORMATTED.get(text, text), attachment)
        else:
            add_text(msp, x, y, text)
    doc.saveas(os.path.join(HERE, name))


def dxf_block(texts, name):
    """The table inside block BOM (base point (100, 50)), its header line in
    block HEADS (base point (7, 3)) nested in BOM at (20, 30), scaled by 0.5
    and turned by 180 degrees. BOM is inserted at (500, 300), scaled by 2
    and turned by 90 degrees, which puts the table upright at (1000, 2000),
    twice its size. The texts' block coordinates are worked out backwards,
    so only the right transforms line the cells up again. The title is an
    attribute of the reference; a hidden attribute and an attribute
    definition stand among the cells and must not be read."""
    doc = ezdxf.new("R2010")
    msp = doc.modelspace()
    heads = doc.blocks.new("HEADS", base_point=(7, 3))
    bom = doc.blocks.new("BOM", base_point=(100, 50))

    def in_bom(x, y):  # world (1000 + 2x, 2000 + 2y) -> BOM coordinates
        return (950 + y, -200 - x)

    def in_heads(qx, qy):  # BOM coordinates -> HEADS coordinates
        return (7 - 2 * (qx - 20), 3 - 2 * (qy - 30))

    title = texts[0]
    for index, (x, y, text) in enumerate(texts[1:], start=1):
        if index < 8:
            hx, hy = in_heads(*in_bom(x, y))
            heads.add_text(text, dxfattribs=dict(
                height=2 * HEIGHT, rotation=90, insert=(hx, hy)))
        else:
            bx, by = in_bom(x, y)
            bom.add_text(text, dxfattribs=dict(
                height=HEIGHT / 2, rotation=-90, insert=(bx, by)))
    bom.add_blockref("HEADS", (20, 30), dxfattribs=dict(
        xscale=0.5, yscale=0.5, rotation=180))
    # An attribute definition among the cells of the first data row.
    bom.add_attdef("NOTE", in_bom(60, 192), text="ATTDEF NOTE",
                   dxfattribs=dict(height=HEIGHT / 2))
    ref = msp.add_blockref("BOM", (500, 300), dxfattribs=dict(
        xscale=2, yscale=2, rotation=90))
    ref.add_attrib("TITLE", title[2], (1000 + 2 * title[0], 2000 + 2 * title[1]),
                   dxfattribs=dict(height=2 * HEIGHT))
    hidden = ref.add_attrib("HIDDEN", "HIDDEN NOTE", (1000 + 2 * 60, 2000 + 2 * 188),
                            dxfattribs=dict(height=2 * HEIGHT))
    hidden.dxf.flags = 1
    doc.saveas(os.path.join(HERE, name))


def pdf_pages(pages, name, units=7.0):
    """Every page draws the texts of one table with matplotlib, each at the
    left end of its baseline; `units` points stand for one drawing unit."""
    with PdfPages(os.path.join(TOP, name) if "/" in name else os.path.join(HERE, name)) as pdf:
        for texts in pages:
            xs = [x for x, y, t in texts]
            ys = [y for x, y, t in texts]
            left, right = min(xs) - 5, max(xs) + 25
            bottom, top = min(ys) - 5, max(ys) + 5
            figure = plt.figure(figsize=((right - left) * units / 72,
                                         (top - bottom) * units / 72))
            axes = figure.add_axes((0, 0, 1, 1))
            axes.set_xlim(left, right)
            axes.set_ylim(bottom, top)
            axes.axis("off")
            for x, y, text in texts:
                axes.text(x, y, text, fontsize=HEIGHT * units, ha="left",
                          va="baseline", family="DejaVu Sans")
            pdf.savefig(figure)
            plt.close(figure)


def main():
    sample = read_orb(os.path.join(TOP, "examples", "sample.orb"))
    bottomup = read_orb(os.path.join(GOLDEN, "bottomup.orb"))
    dxf_all_text(sample, "R2000", "sample-text.dxf", paper_title=True)
    dxf_block(sample, "sample-block.dxf")
    dxf_all_text(bottomup, "R12", "bottomup-text.dxf")
    pdf_pages([read_orb(os.path.join(GOLDEN, "exportA.orb")),
               read_orb(os.path.join(GOLDEN, "exportB.orb"))],
              "export-pages.pdf")
    # The examples beside sample.orb: the TEXT and MTEXT mix, and the
    # matplotlib PDF.
    dxf_mixed(sample, os.path.join(TOP, "examples", "sample.dxf"))
    pdf_pages([sample], "examples/sample.pdf")


if __name__ == "__main__":
    main()
