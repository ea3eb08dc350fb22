// Runs a program built to WebAssembly in its page: the program in a worker, this thread
// painting what it drew onto the canvas once an animation frame and handing the canvas's
// keys and mouse to it. What the page knows of the run is in window.bgiWeb, for the tests
// and the bench.
"use strict";
(function () {
  const program = document.currentScript.dataset.program;
  const canvas = document.getElementById("graph");
  const statusLine = document.getElementById("status");
  const consolePanel = document.getElementById("console");
  const context = canvas.getContext("2d");
  const MaxConsoleLines = 2000;
  let consoleToScroll = false;

  const state = (window.bgiWeb = {
    program,
    started: false,
    ended: false,
    exitCode: null,
    error: null,
    frames: 0, // animation frames that painted something
    shownPixels: 0, // where the program's shown picture is, as an index of Module.HEAPU32
    paintMs: [], // time spent painting each such frame (the last 600)
    lines: [],
  });

  function setStatus(text, isError) {
    statusLine.textContent = text;
    statusLine.className = isError ? "error" : "";
  }

  function scrollConsole() {
    consoleToScroll = false;
    consolePanel.scrollTop = consolePanel.scrollHeight;
  }

  function addLine(text, isError) {
    const line = document.createElement("div");
    line.textContent = text;
    if (isError) line.className = "stderr";
    consolePanel.appendChild(line);
    while (consolePanel.childElementCount > MaxConsoleLines) consolePanel.firstChild.remove();
    // Scrolled once a frame: reading the panel's height here would lay the page out again
    // for every line a program prints.
    if (!consoleToScroll) requestAnimationFrame(scrollConsole);
    consoleToScroll = true;
    state.lines.push(text);
    if (state.lines.length > MaxConsoleLines) state.lines.shift();
  }

  // Shared memory between the program's threads needs a page isolated from other origins;
  // without it the program cannot start at all, so the page says why and stops here.
  if (!window.crossOriginIsolated || typeof SharedArrayBuffer === "undefined") {
    const how =
      location.protocol === "file:"
        ? "It was opened from a file; a page cannot be isolated there."
        : "The server did not send the headers Cross-Origin-Opener-Policy: same-origin " +
          "and Cross-Origin-Embedder-Policy: require-corp.";
    state.error = "not cross-origin isolated";
    setStatus(
      "This program cannot run: the page is not cross-origin isolated, which its threads " +
        "need. " + how + " Serve its folder with scripts/serve-web FOLDER and open the " +
        "address it prints.",
      true);
    return;
  }

  // Ends the page's part: no more keys, mouse or painting once the program is gone.
  function finish(text, isError) {
    if (state.ended) return;
    state.ended = true;
    setStatus(text, isError);
    // The last picture, where the program's memory still answers after its end or error.
    try {
      paintFrame();
    } catch (e) {
      console.warn("the last picture could not be painted:", e);
    }
  }

  // --- painting: the changed blocks of the shown window onto the canvas ---
  // The program hands over opaque RGBA rows; they go row by row into one image of the
  // canvas's size, and only the changed block of it goes to the canvas. No image is made per
  // frame and no pixel is touched one by one: a frame costs about what it changed.
  const Frame = { width: 0, height: 4, pixels: 8, count: 12, blocks: 16 };
  let image = null;
  let imagePixels = null;

  function paintFrame() {
    if (!state.started) return;
    const start = performance.now();
    const frame = Module._bgi_web_frame() >> 2;
    const heap = Module.HEAPU32;
    const width = Module.HEAP32[frame + Frame.width / 4];
    const height = Module.HEAP32[frame + Frame.height / 4];
    const count = Module.HEAP32[frame + Frame.count / 4];
    if (width !== canvas.width || height !== canvas.height) {
      canvas.width = width;
      canvas.height = height;
    }
    if (count === 0) return;
    if (image === null || image.width !== width || image.height !== height) {
      image = new ImageData(width, height);
      imagePixels = new Uint32Array(image.data.buffer);
    }
    const pixels = heap[frame + Frame.pixels / 4] >> 2;
    state.shownPixels = pixels;
    for (let i = 0; i < count; ++i) {
      const b = frame + Frame.blocks / 4 + 4 * i;
      const x = heap[b], y = heap[b + 1], w = heap[b + 2], h = heap[b + 3];
      for (let row = y; row < y + h; ++row) {
        const at = row * width + x;
        imagePixels.set(heap.subarray(pixels + at, pixels + at + w), at);
      }
      context.putImageData(image, 0, 0, x, y, w, h);
    }
    state.frames++;
    state.paintMs.push(performance.now() - start);
    if (state.paintMs.length > 600) state.paintMs.shift();
  }

  // The whole picture again, as for a new window; its time in milliseconds (the bench).
  state.paintWhole = () => {
    const start = performance.now();
    Module._bgi_web_damage_all();
    paintFrame();
    return performance.now() - start;
  };

  function animate() {
    if (state.ended) return;
    paintFrame();
    requestAnimationFrame(animate);
  }

  // --- keys and mouse: the platform's messages ---
  const WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_RBUTTONDOWN = 0x204;
  const WM_MBUTTONDOWN = 0x207;

  // The key's character as on the desktop: Latin-1 of a printing key, the control code of
  // Ctrl with a letter, the codes of Enter, Esc, Backspace and Tab; -1 for the rest.
  function characterOf(e) {
    if (e.key.length === 1) {
      const code = e.key.charCodeAt(0);
      if (e.ctrlKey && !e.altKey) {
        const upper = e.key.toUpperCase().charCodeAt(0);
        return upper >= 64 && upper < 96 ? upper - 64 : -1;
      }
      return code <= 255 ? code : -1;
    }
    return { Enter: 13, Escape: 27, Backspace: 8, Tab: 9 }[e.key] ?? -1;
  }

  // keyCode is the Windows virtual key of the key in every browser.
  function onKey(e, down) {
    if (state.ended || !state.started) return;
    if (e.keyCode === 0) return;
    if (!(e.ctrlKey && e.shiftKey && e.key === "I")) e.preventDefault();
    Module._bgi_web_key(down ? 1 : 0, e.keyCode, down ? characterOf(e) : -1);
  }

  function buttonsOf(e) {
    return (e.buttons & 1 ? 0x1 : 0) | (e.buttons & 2 ? 0x2 : 0) | (e.buttons & 4 ? 0x10 : 0) |
      (e.shiftKey ? 0x4 : 0) | (e.ctrlKey ? 0x8 : 0);
  }

  function onMouse(e, message) {
    if (state.ended || !state.started || canvas.clientWidth === 0) return;
    const x = Math.floor((e.offsetX * canvas.width) / canvas.clientWidth);
    const y = Math.floor((e.offsetY * canvas.height) / canvas.clientHeight);
    Module._bgi_web_mouse(message, buttonsOf(e), x, y);
  }

  const buttonMessage = [WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN];
  canvas.addEventListener("keydown", (e) => onKey(e, true));
  canvas.addEventListener("keyup", (e) => onKey(e, false));
  canvas.addEventListener("mousemove", (e) => onMouse(e, WM_MOUSEMOVE));
  canvas.addEventListener("mousedown", (e) => {
    canvas.focus();
    if (e.button < 3) onMouse(e, buttonMessage[e.button] + (e.detail === 2 ? 2 : 0));
  });
  canvas.addEventListener("mouseup", (e) => {
    if (e.button < 3) onMouse(e, buttonMessage[e.button] + 1);
  });
  canvas.addEventListener("contextmenu", (e) => e.preventDefault());

  // --- the program ---
  // The screen is the page's area for the canvas: the maximised window takes it whole.
  const screenWidth = Math.max(320, window.innerWidth);
  const screenHeight = Math.max(200, window.innerHeight - consolePanel.offsetHeight -
    statusLine.offsetHeight - 4);

  window.Module = {
    print: (text) => addLine(text, false),
    // The runtime's note that the page's thread waited for a lock (briefly: for a key, a
    // frame, the window that went) is meant for developers: the browser's console has it.
    printErr: (text) =>
      text.startsWith("Blocking on the main thread") ? console.warn(text) : addLine(text, true),
    preRun: [() => { Module.ENV.GRAPHWIN_SCREEN = screenWidth + "x" + screenHeight; }],
    onRuntimeInitialized: () => {
      state.started = true;
      setStatus("");
      canvas.focus();
      requestAnimationFrame(animate);
    },
    onExit: (code) => {
      state.exitCode = code;
      finish(program + " ended with exit code " + code + ".", code !== 0);
    },
    onAbort: (what) => stopped(String(what)),
  };
  window.addEventListener("error", (e) => {
    // A fault of the program's worker arrives wrapped: its own event has the message.
    stopped(String(e.error instanceof ErrorEvent ? e.error.message : e.message));
  });

  function stopped(what) {
    if (state.ended) return;
    state.error = what;
    finish(program + " stopped with an error: " + what + ". Reload the page to run it again.",
      true);
  }

  setStatus("Loading " + program + " ...");
  const script = document.createElement("script");
  script.src = program + ".js";
  script.onerror = () => finish("Could not load " + program + ".js from this folder.", true);
  document.body.appendChild(script);
})();
