#!/usr/bin/env python3
"""The viewer in a real X window: Xvfb, xdotool and screenshots.

Usage: viewer_window_test.py VIEWER ORQCARTA [--shots DIR]

Starts Xvfb, opens an atlas of three generated maps at different
resolutions, and checks from screenshots and the viewer's view lines that
the map is drawn, that a drag pans it by exactly the dragged distance, and
that a zoom click in atlas mode switches to the finer map (its caption in
the map list). With --shots the screenshots worth showing are kept.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

CONVERT = "/usr/bin/convert"  # ImageMagick, not a stand-in earlier on PATH
IMPORT = "/usr/bin/import"


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


class Screen:
    """A screenshot as rows of (r, g, b) read from a binary PPM."""

    def __init__(self, png, ppm):
        subprocess.run([CONVERT, png, ppm], check=True)
        with open(ppm, "rb") as f:
            data = f.read()
        fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        self.width, self.height = int(fields.group(1)), int(fields.group(2))
        self.pixels = data[fields.end():]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i:i + 3]


class Viewer:
    def __init__(self, display, viewer, maps, workdir):
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=workdir)
        self.out = open(os.path.join(workdir, "viewer.out"), "w+")
        self.process = subprocess.Popen([viewer, "--print-view", "--size", "1000x700", maps], env=self.env,
                                        stdout=self.out, stderr=subprocess.STDOUT)
        self.seen = 0

    def lines(self):
        self.out.flush()
        with open(self.out.name) as f:
            return [l for l in f.read().splitlines() if l.startswith("view ")]

    def next_view(self, timeout=10):
        """Waits for a view line after those seen so far; returns the last one."""
        end = time.time() + timeout
        while time.time() < end:
            lines = self.lines()
            if len(lines) > self.seen:
                time.sleep(0.3)  # let the paint that follows a change finish
                lines = self.lines()
                self.seen = len(lines)
                return parse_view(lines[-1])
            if self.process.poll() is not None:
                fail("the viewer ended: " + open(self.out.name).read())
            time.sleep(0.05)
        fail("no view change reported within %d s" % timeout)

    def xdo(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def shot(self, workdir, name):
        png = os.path.join(workdir, name + ".png")
        subprocess.run([IMPORT, "-window", "root", png], env=self.env, check=True)
        return png, Screen(png, os.path.join(workdir, name + ".ppm"))

    def keep(self, png, target):
        """Saves the viewer window's part of a screenshot as target."""
        window = subprocess.run(["xdotool", "search", "--name", "orqcarta viewer"], env=self.env,
                                capture_output=True, text=True).stdout.split()[0]
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=self.env,
                                  capture_output=True, text=True).stdout
        g = dict(line.split("=") for line in geometry.split())
        crop = "%sx%s+%s+%s" % (g["WIDTH"], g["HEIGHT"], g["X"], g["Y"])
        subprocess.run([CONVERT, png, "-crop", crop, "+repage", target], check=True)

    def close(self):
        self.process.terminate()
        self.process.wait(5)


def parse_view(line):
    fields = dict(re.findall(r'(\w+)=("[^"]*"|\S+)', line))
    ox, oy = (int(v) for v in fields["origin"].split(","))
    return {"map": fields["map"].strip('"'), "selector": fields["selector"].strip('"'), "left": int(fields["left"]),
            "top": int(fields["top"]), "mag": float(fields["magnification"]), "origin": (ox, oy)}


def best_shift(before, after, box, candidates):
    """The (dx, dy) under which `after` matches `before` moved by it best, over a grid of samples in box."""
    x0, y0, x1, y1 = box
    samples = [(x, y) for y in range(y0, y1, 3) for x in range(x0, x1, 3)]
    scores = []
    for dx, dy in candidates:
        bad = sum(1 for x, y in samples if before.at(x, y) != after.at(x + dx, y + dy))
        scores.append((bad, (dx, dy)))
    scores.sort()
    return scores[0]


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    viewer, orqcarta = sys.argv[1], sys.argv[2]
    shots = sys.argv[sys.argv.index("--shots") + 1] if "--shots" in sys.argv else None
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print("SKIP: %s is not installed" % tool)
            sys.exit(77)
    workdir = tempfile.mkdtemp(prefix="orq_viewer_window_")
    maps = os.path.join(workdir, "maps")
    os.mkdir(maps)
    heights = {}
    for name, lat, lon, caption in (("coarse", ("44", "49"), ("6", "15"), "Coarse: Alps"),
                                    ("middle", ("46", "47"), ("10", "11.5"), "Middle: Bernina"),
                                    ("fine", ("46.4", "46.6"), ("10.6", "10.9"), "Fine: Livigno")):
        made = subprocess.run([orqcarta, "blankmap", os.path.join(maps, name), "--lat", *lat, "--long", *lon,
                               "--width", "900", "--caption", caption], check=True, capture_output=True, text=True)
        heights[name] = int(re.search(r"\(900 x (\d+) pixels\)", made.stdout).group(1))

    display = ":%d" % (90 + os.getpid() % 100)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    time.sleep(1)
    app = None
    try:
        app = Viewer(display, viewer, maps, workdir)
        view = app.next_view()
        while True:  # the first fit follows the first show
            time.sleep(0.5)
            lines = app.lines()
            if len(lines) == app.seen:
                break
            app.seen = len(lines)
            view = parse_view(lines[-1])
        if view["map"] != "Coarse: Alps" or view["selector"] != "Coarse: Alps":
            fail("the atlas did not open on the coarsest map: %s" % view)
        png, first = app.shot(workdir, "opened")
        ox, oy = view["origin"]
        # Drawn: the map area holds the light map background and dark
        # frame/label pixels, not one flat colour.
        area = [first.at(x, y) for y in range(oy + 10, oy + 600, 7) for x in range(ox + 10, ox + 800, 7)]
        light = sum(1 for p in area if min(p) > 230)
        dark = sum(1 for p in area if max(p) < 100)
        if light < len(area) // 2 or dark < 5 or len(set(area)) < 3:
            fail("the map does not look drawn (%d light, %d dark of %d samples)" % (light, dark, len(area)))
        if shots:
            app.keep(png, os.path.join(shots, "viewer-atlas.png"))

        # Zoom in by the wheel so that the image is larger than the window,
        # then drag.
        app.xdo("mousemove", ox + 400, oy + 300)
        for _ in range(3):
            app.xdo("click", 4)
            view = app.next_view()
        if view["mag"] <= 1.5:
            fail("the wheel did not zoom in: %s" % view)
        _, before = app.shot(workdir, "before-pan")
        start = view
        # The map takes its anchor at the first move with the button down:
        # the drag counts from there.
        anchor = (ox + 499, oy + 400)
        dx, dy = -99, -60
        app.xdo("mousemove", ox + 500, oy + 400, "mousedown", 1)
        app.xdo("mousemove", *anchor)
        time.sleep(0.1)
        for step in range(1, 6):
            app.xdo("mousemove", anchor[0] + dx * step // 5, anchor[1] + dy * step // 5)
            time.sleep(0.05)
        app.xdo("mouseup", 1)
        view = app.next_view()
        _, after = app.shot(workdir, "after-pan")
        moved = ((view["left"] - start["left"]) * view["mag"], (view["top"] - start["top"]) * view["mag"])
        if abs(moved[0] + dx) > view["mag"] or abs(moved[1] + dy) > view["mag"]:
            fail("the view moved by %s image pixels for a drag of %s" % (moved, (dx, dy)))
        box = (ox + 150, oy + 120, ox + 650, oy + 420)
        candidates = [(x, y) for x in range(dx - 6, dx + 7) for y in range(dy - 6, dy + 7)]
        bad, shift = best_shift(before, after, box, candidates)
        # The view moves by whole image pixels: the picture follows the drag
        # to within one image pixel (mag screen pixels) plus resampling.
        tolerance = view["mag"] + 1
        if abs(shift[0] - dx) > tolerance or abs(shift[1] - dy) > tolerance:
            fail("the picture moved by %s for a drag of %s" % (shift, (dx, dy)))
        print("pan: dragged %s, picture moved %s (%d mismatching samples)" % ((dx, dy), shift, bad))

        # Atlas zoom: fit the coarse map, switch to atlas mode with the
        # keyboard, click on the middle map's area.
        window = subprocess.run(["xdotool", "search", "--name", "orqcarta viewer"], env=app.env,
                                capture_output=True, text=True).stdout.split()[0]
        app.xdo("windowfocus", "--sync", window)
        app.xdo("key", "ctrl+0")
        view = app.next_view()
        app.xdo("key", "a")
        time.sleep(0.5)
        # The blank maps are linear inside their 30-pixel frames: (46.5 N,
        # 10.75 E) on the coarse map.
        img_x = 30 + (10.75 - 6) / 9 * 840
        img_y = 30 + (49 - 46.5) / 5 * (heights["coarse"] - 60)
        cx = ox + round((img_x - view["left"]) * view["mag"])
        cy = oy + round((img_y - view["top"]) * view["mag"])
        app.xdo("mousemove", cx, cy, "click", 1)
        view = app.next_view()
        if view["map"] != "Middle: Bernina" or view["selector"] != "Middle: Bernina":
            fail("the zoom click did not switch to the finer map: %s" % view)
        png, _ = app.shot(workdir, "zoomed")
        if shots:
            app.keep(png, os.path.join(shots, "viewer-zoomed.png"))
        print("atlas zoom: switched to %s" % view["selector"])
        print("PASS")
    finally:
        if app:
            app.close()
        xvfb.terminate()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    main()
