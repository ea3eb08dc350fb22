// The maze page's figures, measured in the page: the whole picture to the canvas, the
// animation frames while the game runs, and a key press to the dome on the canvas. Each
// call returns its figures as lines.
window.bgiWebBench = (() => {
  const FrameMs = 1000 / 60;
  const canvas = document.getElementById("graph");
  const stats = (list) => {
    const s = [...list].sort((a, b) => a - b);
    return { median: s[Math.floor(s.length / 2)] ?? 0, max: s[s.length - 1] ?? 0 };
  };
  const fixed = (v) => v.toFixed(2);
  // Where the first pixel of the dome's colour is in the block (x, y, w, h) of the canvas,
  // as x + y * width; -1 when none is there.
  const domeAt = (x, y, w, h) => {
    x = Math.max(0, x), y = Math.max(0, y);
    w = Math.min(w, canvas.width - x), h = Math.min(h, canvas.height - y);
    if (w <= 0 || h <= 0) return -1;
    const d = canvas.getContext("2d").getImageData(x, y, w, h).data;
    for (let i = 0; i < d.length; i += 4)
      if (d[i] === 168 && d[i + 1] === 0 && d[i + 2] === 0)
        return x + ((i / 4) % w) + (y + Math.floor(i / 4 / w)) * canvas.width;
    return -1;
  };
  let key = null;

  return {
    // The whole picture from the program's framebuffer onto the canvas, n times.
    whole(n) {
      const times = [];
      for (let i = 0; i < n; ++i) times.push(bgiWeb.paintWhole());
      const s = stats(times);
      return `web whole picture ${canvas.width}x${canvas.height} to canvas: median ` +
        `${fixed(s.median)} ms, max ${fixed(s.max)} ms (goal <= ${fixed(FrameMs)} ms)\n` +
        `ratio web_whole_picture_to_frame ${fixed(s.median / FrameMs)}`;
    },
    // Animation frame intervals and paint times while the game runs, for ms milliseconds.
    frames(ms) {
      return new Promise((done) => {
        const stamps = [];
        const paintedBefore = bgiWeb.paintMs.length;
        const start = performance.now();
        const step = (t) => {
          stamps.push(t);
          if (t - start < ms) return requestAnimationFrame(step);
          const gaps = stamps.slice(1).map((v, i) => v - stamps[i]);
          const g = stats(gaps);
          const p = stats(bgiWeb.paintMs.slice(Math.max(0, bgiWeb.paintMs.length -
            (bgiWeb.paintMs.length - paintedBefore))));
          done(`web frames while the game runs: ${gaps.length} frames, interval median ` +
            `${fixed(g.median)} ms, max ${fixed(g.max)} ms; paint median ` +
            `${fixed(p.median)} ms, max ${fixed(p.max)} ms`);
        };
        requestAnimationFrame(step);
      });
    },
    // Watches from the next key press on the canvas until the dome has moved there. Each
    // frame looks only around the dome, so that watching costs the page little.
    armKey() {
      const from = domeAt(0, 0, canvas.width, canvas.height);
      const x = from % canvas.width, y = Math.floor(from / canvas.width), around = 64;
      key = { from, pressed: null, ms: null };
      const armed = key;
      canvas.addEventListener("keydown", () => { armed.pressed = performance.now(); },
        { capture: true, once: true });
      const watch = () => {
        if (armed.pressed !== null &&
            domeAt(x - around, y - around, 2 * around, 2 * around) !== armed.from) {
          armed.ms = performance.now() - armed.pressed;
          return;
        }
        if (armed.pressed === null || performance.now() - armed.pressed < 2000)
          requestAnimationFrame(watch);
      };
      requestAnimationFrame(watch);
    },
    // The last armed press's time to the dome in milliseconds, null until it moved.
    keyMs() {
      return key ? key.ms : null;
    },
    keyFigures(times) {
      const s = stats(times);
      return `web key press to dome on canvas: ${times.length} presses, median ` +
        `${fixed(s.median)} ms, max ${fixed(s.max)} ms (goal <= ${fixed(FrameMs)} ms)\n` +
        `ratio web_key_to_dome_to_frame ${fixed(s.median / FrameMs)}`;
    },
  };
})();
"ready";
