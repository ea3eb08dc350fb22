#!/usr/bin/env python3
"""The pages of a web build played in headless Chromium: the maze page draws its maze in
the game's colours, prints its time lines, moves the dome on an arrow key and ends on `a`
with exit code 0; a C example page draws; a page served without isolation says why and
starts nothing. Then the figures of the maze page (tests/web/web_bench.js).

    tests/web/run_web_tests.py BUILD_DIR"""
import functools
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(__file__))
from browser import Browser  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# The default palette's colours the maze uses, as the canvas shows them.
FRAME, WALL, CELL, DOME = (0, 168, 0), (0, 0, 168), (252, 252, 252), (168, 0, 0)

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def serve(folder, isolated):
    if isolated:
        server = subprocess.Popen([os.path.join(ROOT, "scripts", "serve-web"), folder, "0"],
                                  stdout=subprocess.PIPE, text=True)
        return server.stdout.readline().strip(), server.terminate
    plain = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
    threading.Thread(target=plain.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{plain.server_address[1]}/", plain.shutdown


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


# Counts of the canvas's pixels by colour, and the bounding box of the dome's colour.
CANVAS_COLOURS = """(() => {
  const c = document.getElementById('graph');
  const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
  const counts = {}; let box = null;
  for (let i = 0; i < d.length; i += 4) {
    const key = d[i] + ',' + d[i + 1] + ',' + d[i + 2];
    counts[key] = (counts[key] || 0) + 1;
    if (key === '168,0,0') {
      const x = (i / 4) % c.width, y = Math.floor(i / 4 / c.width);
      box = box ? [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x),
                   Math.max(box[3], y)] : [x, y, x, y];
    }
  }
  return {counts, box};
})()"""

# Whether the dome's box went from a to b by about a cell (dx, dy); the edges of a cell's
# bar may differ by a pixel from one slot to another, so centres are compared.
MOVED = """(a, b, dx, dy) => {
  if (!b) return false;
  const step = (i) => (b[i] + b[i + 2]) / 2 - (a[i] + a[i + 2]) / 2;
  const ok = (d, want) => want === 0 ? Math.abs(d) < 3 : Math.sign(d) === want && Math.abs(d) >= 3;
  return ok(step(0), dx) && ok(step(1), dy);
}"""

# How many pixels of the canvas differ from the picture the program handed to the page.
CANVAS_DIFFERS = """(() => {
  const c = document.getElementById('graph');
  const shown = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
  const heap = Module.HEAPU32, at = bgiWeb.shownPixels;
  let differ = 0;
  for (let i = 0; i < shown.length; ++i) if (shown[i] !== heap[at + i]) ++differ;
  return differ;
})()"""

ARROWS = {"up": ("ArrowUp", 38, 0, -1), "down": ("ArrowDown", 40, 0, 1),
          "left": ("ArrowLeft", 37, -1, 0), "right": ("ArrowRight", 39, 1, 0)}
WALL_LINE = "Ei kannata hakata kupolia muuriin!!"


def colour_count(picture, colour):
    return picture["counts"].get(",".join(map(str, colour)), 0)


def press_arrow(browser, name):
    key, vk, _, _ = ARROWS[name]
    browser.key(key, key, vk)


def test_maze(browser, url):
    browser.open(url + "game/maze.html")
    check(browser.wait_for("bgiWeb.started", 60), "the maze page starts its program")
    check(browser.evaluate("document.activeElement.id") == "graph", "the canvas has the focus")
    check(browser.wait_for("bgiWeb.lines.some(l => l.includes('sekuntia'))", 30),
          "the time lines appear in the console panel")
    browser.wait_for("(" + CANVAS_COLOURS + ").box !== null", 10)
    picture = browser.evaluate(CANVAS_COLOURS)
    area = browser.evaluate("document.getElementById('graph').width * "
                            "document.getElementById('graph').height")
    check(colour_count(picture, FRAME) > area // 50, "the frame shows in green")
    check(colour_count(picture, WALL) > area // 10, "the walls show in blue")
    check(colour_count(picture, CELL) > area // 10, "the open cells show in white")
    box = picture["box"]
    check(box is not None and box[2] - box[0] < 40 and box[3] - box[1] < 40,
          f"the dome shows as one red cell ({box})")
    if box is None:
        return
    # Each arrow either moves the dome a cell that way or meets a wall, which the game says;
    # a start with walls on all four sides cannot be, so one of them moves it.
    moved = False
    for name, (_, _, dx, dy) in ARROWS.items():
        before = browser.evaluate(CANVAS_COLOURS)["box"]
        walls = browser.evaluate(f"bgiWeb.lines.filter(l => l === '{WALL_LINE}').length")
        press_arrow(browser, name)
        went = browser.wait_for(f"({MOVED})({before}, ({CANVAS_COLOURS}).box, {dx}, {dy})", 5)
        hit = browser.wait_for(
            f"bgiWeb.lines.filter(l => l === '{WALL_LINE}').length > {walls}", 0 if went else 5)
        after = browser.evaluate(CANVAS_COLOURS)["box"]
        check(went or hit, f"the {name} arrow moves the dome or meets a wall ({before} -> {after})")
        moved = moved or went
        if went:
            press_arrow(browser, {"up": "down", "down": "up", "left": "right",
                                  "right": "left"}[name])
            browser.wait_for(f"({MOVED})({before}, ({CANVAS_COLOURS}).box, 0, 0)", 5)
    check(moved, "an arrow key moves the dome on the canvas")
    # Between two frames the canvas is the program's shown picture, pixel for pixel, however
    # many blocks the frames before painted; mines move meanwhile, so it is looked at thrice.
    differing = []
    for _ in range(3):
        time.sleep(0.3)
        differing.append(browser.evaluate(CANVAS_DIFFERS))
    check(differing == [0, 0, 0], f"the canvas shows the program's picture exactly ({differing})")
    browser.key("a", "KeyA", 65, "a")
    check(browser.wait_for("bgiWeb.exitCode === 0", 20), "`a` ends the game with exit code 0")
    status = browser.evaluate("document.getElementById('status').textContent")
    check("exit code 0" in status, f"the page shows the exit code ({status!r})")
    frames = browser.evaluate("bgiWeb.frames")
    browser.key("ArrowUp", "ArrowUp", 38)
    time.sleep(0.3)
    check(browser.evaluate("bgiWeb.frames") == frames and not browser.evaluate("bgiWeb.error"),
          "after the end the page takes no keys and paints no more")


def test_time_running_out(browser, url):
    """The game's clock forty times as fast: the count goes below zero and the dome explodes
    in rings, whose last one the canvas keeps after the end."""
    browser.speed_worker_clocks(40)
    try:
        browser.open(url + "game/maze.html")
        ended = browser.wait_for("bgiWeb.ended", 60)
    finally:
        browser.speed_worker_clocks(None)
    lines = browser.evaluate("bgiWeb.lines")
    check(ended and browser.evaluate("bgiWeb.exitCode") == 2,
          f"when the time runs out the game ends with exit code 2 ({lines[-3:]})")
    at = lines.index("RAJAHDYS" + "!" * 21) if "RAJAHDYS" + "!" * 21 in lines else -1
    check(not any(line.startswith("Blocking on the main thread") for line in lines),
          "the console panel has only the program's own lines")
    check(at > 0 and re.search(r"Aikaa jaljella vain-\d+ sekuntia!!$", lines[at - 1]),
          "the explosion comes right after a count below zero")
    # The last ring, in its random colour, covers the whole window; the canvas keeps it.
    counts = browser.evaluate(CANVAS_COLOURS)["counts"]
    area = browser.evaluate("document.getElementById('graph').width * "
                            "document.getElementById('graph').height")
    check(area > 0 and list(counts.values()) == [area],
          f"after the end the canvas keeps the explosion's last ring ({counts})")


def test_c_example(browser, url):
    browser.open(url + "examples/shapes_and_fills.html")
    check(browser.wait_for("bgiWeb.started", 60), "the C example page starts its program")
    drew = browser.wait_for(f"Object.keys(({CANVAS_COLOURS}).counts).length >= 4", 20)
    check(drew, "the C example draws on the canvas in several colours")
    browser.key("Enter", "Enter", 13, "\r")
    check(browser.wait_for("bgiWeb.exitCode === 0", 20),
          "the C example ends with exit code 0 after a key")


def test_program_that_crashes(browser):
    """A program of one's own through scripts/bgi-web, which stops with a fault."""
    out = tempfile.mkdtemp(prefix="bgi-web-")
    try:
        built = subprocess.run([os.path.join(ROOT, "scripts", "bgi-web"),
                                os.path.join(HERE, "crash_on_key.c"), out],
                               capture_output=True, text=True)
        page = os.path.join(out, "crash_on_key.html")
        if not check(built.returncode == 0 and f"Page written to {page}" in built.stdout,
                     "scripts/bgi-web builds a program of one's own into a page"):
            print(built.stdout + built.stderr, file=sys.stderr)
            return
        url, stop = serve(out, isolated=True)
        try:
            browser.open(url + "crash_on_key.html")
            check(browser.wait_for("bgiWeb.lines.includes('press a key')", 60) and
                  browser.wait_for(f"({CANVAS_COLOURS}).counts['84,252,84'] > 0", 10),
                  "the program's page prints and draws")
            browser.key("Enter", "Enter", 13, "\r")
            check(browser.wait_for("bgiWeb.ended", 20), "a fault ends the page's part")
            status = browser.evaluate("document.getElementById('status').textContent")
            check("crash_on_key stopped with an error: Uncaught RuntimeError" in status and
                  "Reload the page" in status and
                  browser.evaluate("document.getElementById('status').className") == "error",
                  f"the page shows that the program stopped with an error ({status!r})")
            frames = browser.evaluate("bgiWeb.frames")
            browser.key("ArrowUp", "ArrowUp", 38)
            time.sleep(0.3)
            check(browser.evaluate("bgiWeb.frames") == frames and
                  "still running" not in browser.evaluate("bgiWeb.lines") and
                  browser.evaluate(f"({CANVAS_COLOURS}).counts['84,252,84'] > 0"),
                  "after the fault the picture stays and the page takes no keys")
        finally:
            stop()
    finally:
        shutil.rmtree(out, ignore_errors=True)


def test_not_isolated(browser, folder):
    url, stop = serve(folder, isolated=False)
    try:
        browser.open(url + "game/maze.html")
        time.sleep(1)
        status = browser.evaluate("document.getElementById('status').textContent")
        check("cross-origin isolated" in status and "serve-web" in status,
              "without isolation the page says why and what to do")
        check(browser.evaluate("bgiWeb.started") is False, "without isolation nothing starts")
    finally:
        stop()


def bench(browser, url):
    browser.open(url + "game/maze.html")
    if not browser.wait_for("bgiWeb.started && bgiWeb.lines.length > 1", 60):
        check(False, "the bench's maze page starts")
        return
    probe = open(os.path.join(HERE, "web_bench.js")).read()
    browser.evaluate(probe)
    print(browser.evaluate("bgiWebBench.whole(20)"), flush=True)
    print(browser.evaluate("bgiWebBench.frames(2000)"), flush=True)
    # A press that moves the dome, then it and its way back in turn, each measured.
    back = {"up": "down", "down": "up", "left": "right", "right": "left"}
    times = []
    way = None
    for name in ARROWS:
        ms = measure_press(browser, name)
        if ms is not None:
            way = name
            times.append(ms)
            break
    presses = [way, back[way]] * 6 if way else []
    for name in presses[1:]:
        ms = measure_press(browser, name)
        if ms is None:
            break  # a mine or the end of the game came in the way
        times.append(ms)
    if times:
        print(browser.evaluate(f"bgiWebBench.keyFigures({times})"), flush=True)
    else:
        print("web key press to dome on canvas: no arrow moved the dome", flush=True)
    browser.key("a", "KeyA", 65, "a")


def measure_press(browser, name):
    """Milliseconds from the arrow's press to the dome's move on the canvas; None when it
    did not move."""
    browser.evaluate("bgiWebBench.armKey()")
    press_arrow(browser, name)
    if not browser.wait_for("bgiWebBench.keyMs() !== null", 2.5):
        return None
    time.sleep(0.1)  # the game's next turn starts before the next press
    return browser.evaluate("bgiWebBench.keyMs()")


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web")
    url, stop = serve(folder, isolated=True)
    browser = Browser()
    try:
        test_maze(browser, url)
        test_time_running_out(browser, url)
        test_c_example(browser, url)
        test_program_that_crashes(browser)
        test_not_isolated(browser, folder)
        bench(browser, url)
    finally:
        browser.close()
        stop()
    if failures:
        print(f"{len(failures)} browser check(s) failed", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
