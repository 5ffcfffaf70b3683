#!/usr/bin/python3
"""The review page in a real browser (headless chromium through
chromium-driver): its OSD against `plovermeta osd` at the same moments, for
every form the tool reads; clicks on the route and the timeline; the keys;
no network request and no script error.

usage: review_browser_test.py PLOVERMETA EXAMPLES_DIR ARTEFACT_DIR

The screenshot of the page with a video is kept in ARTEFACT_DIR."""
import datetime
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

TOOL, EXAMPLES, ARTEFACTS = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)
ENV = dict(os.environ, TZ="UTC0")  # the example's recorder runs on UTC
DOCUMENT = "20260314_100000.xml"
# The file list names 20260314_100130_CH1.mp4, recorded from 10:01:30; the
# test's video is the same recording transcoded, found by its name without
# extension.
VIDEO = "20260314_100130_CH1.webm"
VIDEO_START = datetime.datetime(2026, 3, 14, 10, 1, 30, tzinfo=datetime.timezone.utc)


def run(*args, cwd=None, zone="UTC0"):
    done = subprocess.run([TOOL, *args], cwd=cwd, env=dict(ENV, TZ=zone), capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"plovermeta {' '.join(args)}: {done.returncode} {done.stderr}")
    return done.stdout


def fields(block):
    """OSD lines as {label: [values]}; a line without a label continues the
    one before it.  The asked time is the osd command's, not the OSD's."""
    out, label = {}, None
    for line in block.splitlines():
        if not line.strip():
            continue
        head, value = line[:10].strip(), line[10:]
        label = head or label
        out.setdefault(label, []).append(value)
    out.pop("asked", None)
    return out


def local_text(ms, offset_hours=0):
    when = datetime.datetime.fromtimestamp(ms / 1000 + offset_hours * 3600, datetime.timezone.utc)
    return when.strftime("%Y-%m-%d %H:%M:%S.%f")[:23]


def play_text(ms):
    return "%02d:%02d:%02d.%03d" % (ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)


class Browser:
    def __init__(self):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run", "--mute-audio",
                     "--autoplay-policy=no-user-gesture-required", "--window-size=1400,900"):
            options.add_argument(flag)
        self.profile = tempfile.mkdtemp(prefix="review-profile-")
        options.add_argument("--user-data-dir=" + self.profile)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL", "browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

    def open(self, path):
        self.driver.get("file://" + path)
        self.wait("return window.review !== undefined")

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait(self, condition, *args, timeout=10):
        end = time.time() + timeout
        while time.time() < end:
            if self.js(condition, *args):
                return
            time.sleep(0.05)
        raise AssertionError("timed out waiting for: " + condition)

    def osd(self):
        return self.driver.find_element("id", "osd").text

    def requests_and_errors(self):
        urls = [json.loads(e["message"])["message"] for e in self.driver.get_log("performance")]
        urls = [m["params"]["request"]["url"] for m in urls if m["method"] == "Network.requestWillBeSent"]
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        return urls, errors

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)


class ReviewPageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="review-test-")
        cls.document = os.path.join(EXAMPLES, DOCUMENT)
        # Ten seconds of a test picture, VP9 in WebM.
        subprocess.run(["ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=640x360:rate=10",
                        "-t", "10", "-c:v", "libvpx-vp9", "-b:v", "200k", "-deadline", "realtime",
                        os.path.join(cls.work, VIDEO)], check=True)
        run("review", cls.document, "--video", VIDEO, "-o", "review.html", cwd=cls.work)
        cls.browser = Browser()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        shutil.rmtree(cls.work, ignore_errors=True)

    def open_video_page(self):
        b = self.browser
        b.open(os.path.join(self.work, "review.html"))
        b.wait("const v = document.getElementById('video'); return v.readyState >= 1")
        return b

    def test_video_overlay_matches_osd(self):
        b = self.open_video_page()
        for seconds in (0.0, 2.5, 4.0, 7.3, 9.5):
            b.js("document.getElementById('video').currentTime = arguments[0]", seconds)
            expected_ms = int(VIDEO_START.timestamp() * 1000 + seconds * 1000)
            b.wait("return review.time() === arguments[0]", expected_ms)
            at = local_text(expected_ms)
            with self.subTest(at=at):
                self.assertEqual(fields(b.osd()), fields(run("osd", self.document, "--at", at, "--before")))

    def test_every_form_matches_osd(self):
        b = self.browser
        # The document on a machine west of UTC reads as on any other; the
        # recording made west of UTC prints the offset that the tool prints.
        cases = [(DOCUMENT, "at", "UTC0", 0), (DOCUMENT, "at", "EST5", 0), ("west/" + DOCUMENT, "at", "JST-9", -5), ("20260314_100000_M2.dat", "index", "UTC0", 0),
                 ("20260314_100000_M2.txt", "index", "UTC0", 0), ("20260314_100100.bin", "at", "UTC0", 0),
                 ("20260314_100000.vtt", "play", "UTC0", 0)]
        for name, asked, zone, offset in cases:
            path = os.path.join(EXAMPLES, name)
            page = os.path.join(self.work, name.replace("/", "-") + ".html")
            run("review", path, "-o", page, "--force", zone=zone)
            b.open(page)
            count = b.js("return review.count")
            blocks = run("play", path).split("\n\n")
            self.assertEqual(count, len(blocks), name)
            for i in sorted({0, 1, count // 2, count - 1} & set(range(count))):
                b.js("review.seekSample(arguments[0])", i)
                t = b.js("return review.timeOf(arguments[0])", i)
                if asked == "at":
                    expected = run("osd", path, "--at", local_text(t, offset), "--before", zone=zone)
                elif asked == "play":
                    expected = run("osd", path, "--at", play_text(t))
                else:
                    index = fields(blocks[i])["sample"][0].split(",")[0].split()[1]
                    expected = run("osd", path, "--index", index)
                with self.subTest(form=name, zone=zone, sample=i):
                    self.assertEqual(fields(b.osd()), fields(expected))
            # Without a video the slider drives the page.
            k = min(2, count - 1)
            b.js("const s = document.getElementById('slider'); s.value = review.timeOf(arguments[0]) + 1;"
                 "s.dispatchEvent(new Event('input'))", k)
            self.assertEqual(b.js("return review.sample()"), k, name)

    def test_clicks_and_keys_seek_samples(self):
        b = self.open_video_page()
        count = b.js("return review.count")
        actions = ActionChains(b.driver)
        # The route: the sample drawn nearest the click (points of a halt
        # lie on each other: any of them is right).
        for i in (20, count // 2, count - 5):
            p = b.js("return review.routePoint(arguments[0])", i)
            actions.move_by_offset(0, 0).perform()
            b.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mousePressed", "x": p["x"], "y": p["y"],
                                                                    "button": "left", "clickCount": 1})
            b.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": "mouseReleased", "x": p["x"], "y": p["y"],
                                                                    "button": "left", "clickCount": 1})
            j = b.js("return review.sample()")
            q = b.js("return review.routePoint(arguments[0])", j)
            with self.subTest(route=i):
                self.assertLess(abs(p["x"] - q["x"]) + abs(p["y"] - q["y"]), 1.0)
                self.assertEqual(b.js("return review.time()"), b.js("return review.timeOf(arguments[0])", j))
        # The timeline: the sample at the time under the click.
        for i in (3, count // 3, count - 2):
            p = b.js("return review.timelinePoint(review.timeOf(arguments[0]))", i)
            for kind in ("mousePressed", "mouseReleased"):
                b.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": p["x"], "y": p["y"],
                                                                        "button": "left", "clickCount": 1})
            with self.subTest(timeline=i):
                self.assertEqual(b.js("return review.sample()"), i)
        # The keys, sample by sample.
        body = b.driver.find_element("tag name", "body")
        steps = [(Keys.HOME, 0), (Keys.ARROW_RIGHT, 1), (Keys.ARROW_RIGHT, 2), (Keys.ARROW_LEFT, 1),
                 (Keys.END, count - 1), (Keys.ARROW_LEFT, count - 2)]
        for key, expected in steps:
            body.send_keys(key)
            with self.subTest(key=repr(key)):
                self.assertEqual(b.js("return review.sample()"), expected)
        b.js("review.seek(arguments[0])", VIDEO_START.timestamp() * 1000 + 1000)
        body.send_keys(Keys.SPACE)
        b.wait("return !document.getElementById('video').paused")
        body.send_keys(Keys.SPACE)
        b.wait("return document.getElementById('video').paused")

    def test_no_network_no_error_and_a_screenshot(self):
        b = self.open_video_page()
        b.driver.get_log("performance")
        b.driver.get_log("browser")
        b.driver.refresh()
        b.wait("return window.review !== undefined")
        b.wait("return document.getElementById('video').readyState >= 2")
        b.js("document.getElementById('video').currentTime = 5.0")
        b.wait("return review.time() === arguments[0]", int(VIDEO_START.timestamp() * 1000) + 5000)
        b.wait("return document.getElementById('video').readyState >= 3")
        urls, errors = b.requests_and_errors()
        allowed = {"file://" + os.path.join(self.work, "review.html"), "file://" + os.path.join(self.work, VIDEO)}
        self.assertTrue(allowed <= set(urls), urls)
        # data: addresses are the browser's own video controls, not requests.
        self.assertEqual({u for u in urls if not u.startswith("data:")} - allowed, set())
        self.assertEqual(errors, [])
        os.makedirs(ARTEFACTS, exist_ok=True)
        time.sleep(0.5)  # the video's controls fade
        b.driver.save_screenshot(os.path.join(ARTEFACTS, "review-page.png"))


if __name__ == "__main__":
    if TOOL is None:
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1], verbosity=2)
