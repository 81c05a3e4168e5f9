#!/usr/bin/python3
"""Writes the bundled sample library of drawings (needs Debian's python3-ezdxf).

Run from anywhere: the files are written beside this script. Every file is audited after writing.
"""
import math
import os
import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))


def new_doc(version="R2000"):
    doc = ezdxf.new(version, setup=True)  # setup: standard line types HIDDEN, CENTER, DASHED ...
    doc.layers.add("OUTLINE", color=7)
    doc.layers.add("HIDDEN", color=1, linetype="HIDDEN")
    doc.layers.add("CENTER", color=3, linetype="CENTER")
    doc.layers.add("DIM", color=2, linetype="CONTINUOUS")
    doc.layers.add("TEXT", color=4)
    doc.layers.add("GLASS", color=5, linetype="DASHED")
    return doc


def save(doc, folder, name):
    path = os.path.join(HERE, folder)
    os.makedirs(path, exist_ok=True)
    target = os.path.join(path, name)
    doc.saveas(target)
    auditor = ezdxf.readfile(target).audit()
    if auditor.has_errors:
        raise SystemExit(f"{target}: audit found {len(auditor.errors)} errors")


def flange(size):
    """A round flange: outline, bolt circle on a centre line, hidden bore, a diameter text."""
    doc = new_doc()
    msp = doc.modelspace()
    r = size / 2
    msp.add_circle((0, 0), r, dxfattribs={"layer": "OUTLINE"})
    msp.add_circle((0, 0), r * 0.35, dxfattribs={"layer": "HIDDEN"})
    msp.add_circle((0, 0), r * 0.7, dxfattribs={"layer": "CENTER"})
    for k in range(6):
        a = math.radians(60 * k)
        c = (r * 0.7 * math.cos(a), r * 0.7 * math.sin(a))
        msp.add_circle(c, r * 0.08, dxfattribs={"layer": "OUTLINE"})
    msp.add_line((-r * 1.15, 0), (r * 1.15, 0), dxfattribs={"layer": "CENTER"})
    msp.add_line((0, -r * 1.15), (0, r * 1.15), dxfattribs={"layer": "CENTER"})
    msp.add_text(f"%%c{size:g}", dxfattribs={"layer": "TEXT", "height": size * 0.06}).set_pos(
        (r * 0.8, -r * 1.1), align="LEFT")
    dim = msp.add_linear_dim(base=(0, -r * 1.35), p1=(-r, 0), p2=(r, 0),
                             dxfattribs={"layer": "DIM"})
    dim.render()
    save(doc, "mechanical", f"flange_{size:g}.dxf")


def bracket(width, height, version="R2000"):
    """An L bracket as a closed polyline with a rounded corner (bulge) and two slotted holes."""
    doc = new_doc(version)
    msp = doc.modelspace()
    t = width * 0.15
    msp.add_lwpolyline([(0, 0, 0), (width - t, 0, 0.4142), (width, t, 0), (width, height, 0),
                        (width - t, height, 0), (width - t, t, 0), (0, t, 0)],
                       format="xyb", close=True, dxfattribs={"layer": "OUTLINE"})
    for x in (width * 0.3, width * 0.6):
        msp.add_circle((x, t / 2), t * 0.2, dxfattribs={"layer": "OUTLINE"})
        msp.add_line((x, -t * 0.3), (x, t * 1.3), dxfattribs={"layer": "CENTER"})
    msp.add_arc((width - t, t), t * 0.5, 270, 360, dxfattribs={"layer": "HIDDEN"})
    msp.add_mtext(f"\\fArial|b1;BRACKET\\P\\H0.7x;{width:g} x {height:g}",
                  dxfattribs={"layer": "TEXT", "char_height": width * 0.05,
                              "insert": (0, -width * 0.12)})
    save(doc, "mechanical", f"bracket_{width:g}x{height:g}.dxf")


def shaft(length):
    doc = new_doc()
    msp = doc.modelspace()
    d = length * 0.12
    msp.add_lwpolyline([(0, -d / 2), (length, -d / 2), (length, d / 2), (0, d / 2)], close=True,
                       dxfattribs={"layer": "OUTLINE"})
    msp.add_line((-5, 0), (length + 5, 0), dxfattribs={"layer": "CENTER"})
    msp.add_lwpolyline([(length * 0.3, -d * 0.15), (length * 0.5, -d * 0.15),
                        (length * 0.5, d * 0.15), (length * 0.3, d * 0.15)], close=True,
                       dxfattribs={"layer": "HIDDEN"})
    msp.add_ellipse((length * 0.8, 0), major_axis=(d * 0.3, 0), ratio=0.5,
                    dxfattribs={"layer": "OUTLINE"})
    msp.add_text("SHAFT", dxfattribs={"layer": "TEXT", "height": d * 0.3}).set_pos(
        (length / 2, d), align="BOTTOM_CENTER")
    save(doc, "mechanical", f"shaft_{length:g}.dxf")


def symbols_doc(version="R2000"):
    """Electrical symbols as blocks: a terminal inside a switch, a lamp with attributes."""
    doc = new_doc(version)
    term = doc.blocks.new("TERMINAL")
    term.add_circle((0, 0), 0.6)
    sw = doc.blocks.new("SWITCH", base_point=(0, 0))
    sw.add_line((0, 0), (3, 0))
    sw.add_line((3, 0), (7, 2))
    sw.add_line((7, 0), (10, 0))
    sw.add_blockref("TERMINAL", (0, 0))
    sw.add_blockref("TERMINAL", (10, 0))
    lamp = doc.blocks.new("LAMP", base_point=(5, 0))
    lamp.add_circle((5, 0), 2.5)
    lamp.add_line((5 - 1.77, -1.77), (5 + 1.77, 1.77))
    lamp.add_line((5 - 1.77, 1.77), (5 + 1.77, -1.77))
    lamp.add_blockref("TERMINAL", (2.5, 0))
    lamp.add_attdef("TAG", (5, 3), dxfattribs={"height": 1.2})
    return doc


def electrical():
    doc = symbols_doc()
    msp = doc.modelspace()
    msp.add_blockref("SWITCH", (0, 0), dxfattribs={"layer": "OUTLINE"})
    ref = msp.add_blockref("LAMP", (20, 0), dxfattribs={"layer": "OUTLINE"})
    ref.add_auto_attribs({"TAG": "L1"})
    msp.add_line((10, 0), (17.5, 0))
    save(doc, "electrical", "switch_and_lamp.dxf")

    doc = symbols_doc()
    msp = doc.modelspace()
    for k in range(4):
        ref = msp.add_blockref("LAMP", (k * 12, 0), dxfattribs={"rotation": 90 * (k % 2)})
        ref.add_auto_attribs({"TAG": f"L{k + 1}"})
        msp.add_blockref("SWITCH", (k * 12 - 5, -10), dxfattribs={"xscale": 0.5, "yscale": 0.5})
    save(doc, "electrical", "lamp_row.dxf")

    doc = new_doc()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (2, 4), (4, -4), (6, 4), (8, -4), (10, 0)],
                       dxfattribs={"layer": "OUTLINE"})
    msp.add_line((-4, 0), (0, 0))
    msp.add_line((10, 0), (14, 0))
    msp.add_text("R1 10k", dxfattribs={"layer": "TEXT", "height": 1.5}).set_pos((5, 5),
                                                                                align="CENTER")
    save(doc, "electrical", "resistor.dxf")

    doc = new_doc()
    msp = doc.modelspace()
    for y, w in ((0, 8), (-1.5, 5), (-3, 2)):
        msp.add_line((-w / 2, y), (w / 2, y))
    msp.add_line((0, 0), (0, 5))
    msp.add_solid([(-0.5, 5), (0.5, 5), (0, 6)], dxfattribs={"layer": "OUTLINE"})
    save(doc, "electrical", "ground.dxf")


def door(width, version="R2000"):
    doc = new_doc(version)
    msp = doc.modelspace()
    msp.add_line((0, 0), (0, width), dxfattribs={"layer": "OUTLINE"})
    msp.add_arc((0, 0), width, 0, 90, dxfattribs={"layer": "HIDDEN"})
    msp.add_lwpolyline([(-50, -50), (width + 50, -50), (width + 50, 0), (-50, 0)], close=True,
                       dxfattribs={"layer": "OUTLINE"})
    msp.add_mtext("{\\C1;DOOR} \\Swide^;\\P" + f"W={width:g}",
                  dxfattribs={"layer": "TEXT", "char_height": width * 0.08,
                              "insert": (width * 0.2, width * 0.5), "attachment_point": 5})
    save(doc, "architecture", f"door_{width:g}.dxf")


def window(width):
    doc = new_doc()
    msp = doc.modelspace()
    frame = doc.blocks.new("FRAME")
    frame.add_lwpolyline([(0, 0), (width, 0), (width, 100), (0, 100)], close=True)
    pane = doc.blocks.new("PANE")
    pane.add_line((10, 50), (width / 2 - 10, 50), dxfattribs={"layer": "GLASS"})
    pane.add_blockref("FRAME", (0, 0), dxfattribs={"xscale": 0.5})
    msp.add_blockref("PANE", (0, 0))
    msp.add_blockref("PANE", (width / 2, 0))
    msp.add_text(f"WINDOW {width:g}", dxfattribs={"layer": "TEXT", "height": 40}).set_pos(
        (0, 130), align="LEFT")
    save(doc, "architecture", f"window_{width:g}.dxf")


def japanese():
    doc = new_doc("R2000")
    doc.encoding = "cp932"  # written as $DWGCODEPAGE ANSI_932
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 60), (0, 60)], close=True,
                       dxfattribs={"layer": "OUTLINE"})
    msp.add_text("部品名：六角ボルト M10", dxfattribs={"layer": "TEXT", "height": 5}).set_pos(
        (5, 45), align="LEFT")
    msp.add_mtext("材質：SS400\\P数量：４個", dxfattribs={"layer": "TEXT", "char_height": 4,
                                                   "insert": (5, 35)})
    save(doc, "japanese", "bolt_sjis_r2000.dxf")

    doc = new_doc("R2013")
    msp = doc.modelspace()
    msp.add_circle((0, 0), 30, dxfattribs={"layer": "OUTLINE"})
    msp.add_text("配電盤 記号", dxfattribs={"layer": "TEXT", "height": 6}).set_pos(
        (0, 35), align="BOTTOM_CENTER")
    msp.add_mtext("{\\fMS Gothic|b0;注記}\\P電源：単相100V", dxfattribs={
        "layer": "TEXT", "char_height": 4, "insert": (-25, -35)})
    save(doc, "japanese", "panel_utf8_2013.dxf")


def main():
    for size in (50, 100, 200):
        flange(size)
    bracket(40, 60)
    bracket(80, 120, "R2010")
    shaft(150)
    electrical()
    door(800)
    door(900, "R2018")
    window(1200)
    japanese()


if __name__ == "__main__":
    main()
