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
  const domeBox = () => {
    const d = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 0; i < d.length; i += 4)
      if (d[i] === 168 && d[i + 1] === 0 && d[i + 2] === 0) return i / 4;
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
    // Watches from the next key press on the canvas until the dome has moved there.
    armKey() {
      key = { from: domeBox(), pressed: null, result: null };
      const armed = key;
      canvas.addEventListener("keydown", () => { armed.pressed = performance.now(); },
        { capture: true, once: true });
      const watch = () => {
        if (armed.pressed !== null && domeBox() !== armed.from) {
          const ms = performance.now() - armed.pressed;
          armed.result = `web key press to dome on canvas: ${fixed(ms)} ms ` +
            `(goal <= ${fixed(FrameMs)} ms)\nratio web_key_to_dome_to_frame ${fixed(ms / FrameMs)}`;
          return;
        }
        if (armed.pressed === null || performance.now() - armed.pressed < 2000)
          requestAnimationFrame(watch);
      };
      requestAnimationFrame(watch);
    },
    keyResult() {
      return key ? key.result : null;
    },
  };
})();
"ready";
