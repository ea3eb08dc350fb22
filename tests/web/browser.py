"""Headless Chromium driven over its DevTools protocol (websocket-client): a page to load,
script to evaluate in it, keys to press on it."""
import json
import os
import shutil
import subprocess
import tempfile
import time
import urllib.request

import websocket


class Browser:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="chromium-")
        self.process = subprocess.Popen(
            [shutil.which("chromium") or "chromium", "--headless=new", "--no-sandbox",
             "--disable-gpu", "--no-first-run", "--remote-debugging-port=0",
             "--user-data-dir=" + self.profile, "--window-size=1280,900", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
            if time.monotonic() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError("chromium did not start")
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        pages = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json"))
        page = next(p for p in pages if p["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60)
        self.next_id = 0
        self.worker_clock_speed = None

    def send(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        return self.next_id

    def call(self, method, **params):
        sent = self.send(method, **params)
        while True:
            reply = json.loads(self.socket.recv())
            if reply.get("method") == "Target.attachedToTarget":
                self.started_worker(reply["params"]["sessionId"])
            if reply.get("id") == sent:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})

    def speed_worker_clocks(self, speed):
        """From the next page on, the wall clock (Date.now) of its workers, where a program
        runs, goes speed times as fast, as faketime makes it for a desktop program; None
        puts it back. Each worker waits at its start until its clock is set."""
        self.worker_clock_speed = speed
        self.call("Target.setAutoAttach", autoAttach=speed is not None,
                  waitForDebuggerOnStart=speed is not None, flatten=True)

    def started_worker(self, session):
        if self.worker_clock_speed is not None:
            self.send("Runtime.evaluate", session, expression=(
                "(() => { const now = Date.now.bind(Date), start = now(); "
                f"Date.now = () => start + (now() - start) * {self.worker_clock_speed}; }})()"))
        self.send("Runtime.runIfWaitingForDebugger", session)

    def open(self, url):
        self.call("Page.navigate", url=url)
        self.wait_for("document.readyState === 'complete'", 30)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, seconds):
        """Polls until the expression is true; False when the time ran out."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            try:
                if self.evaluate(expression):
                    return True
            except RuntimeError:
                pass
            time.sleep(0.05)
        return False

    def key(self, key, code, virtual_key, text=None):
        """Presses and releases a key on the focused element."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "windowsVirtualKeyCode": virtual_key, "nativeVirtualKeyCode": virtual_key}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=virtual_key, nativeVirtualKeyCode=virtual_key)

    def close(self):
        try:
            self.socket.close()
        except Exception:
            pass
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)
