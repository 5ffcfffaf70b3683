#!/usr/bin/python3
"""The review page of a 10-hour recording in headless chromium: the page's
size, the time from navigation to a drawn page, and seeks.  Not part of the
test suite: figures, not a pass or fail.

usage: review_bench.py PLOVERMETA [HOURS]

Writes a 10 Hz metadata document of HOURS hours (default 10: 360 000
samples, a log-in every five minutes, two cameras' one-minute files) with
the sample elements the benchmarks' documents hold, then its review page."""
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

INDEX = ("<Index no=\"{i}\">\r\n<TS>2016/02/29 {h:02d}:{m:02d}:{s:02d}.{ms:03d}</TS>\r\n<G-STAT>{gstat}</G-STAT>\r\n"
         "<GPS>\r\n<Latitude>N35.{lat:06d}</Latitude>\r\n<Longitude>E139.{lon:06d}</Longitude>\r\n"
         "<Altitude>40.5</Altitude>\r\n<Own>{own}</Own>\r\n<Satelite>9</Satelite>\r\n</GPS>\r\n<Radar>\r\n"
         "<Speed id=\"1\">{own}</Speed>\r\n<Speed id=\"2\">0</Speed>\r\n<Speed id=\"3\">0</Speed>\r\n"
         "<Speed id=\"4\">{target}</Speed>\r\n<Speed id=\"5\">0</Speed>\r\n</Radar>\r\n</Index>\r\n")


def document(samples):
    minutes = samples // 600
    out = ["<MetaData>\r\n<V-Info><Recorder model=\"REC-9\" serial=\"SN1\"/></V-Info>\r\n<F-Info>\r\n"
           "<StreamSettings><CameraIn id=\"1\"><Name>Front</Name></CameraIn></StreamSettings>\r\n<LoginInfo>\r\n"]
    for n in range(max(1, samples // 3000)):
        out.append(f"<Login time=\"2016-02-29 {10 + n * 5 // 60:02d}:{n * 5 % 60:02d}:00\"><Officers><Officer id=\"1\">"
                   f"<First>Officer{n % 7}</First><Last>L</Last><O-ID>ID-{n % 7}</O-ID></Officer></Officers></Login>\r\n")
    out.append("</LoginInfo>\r\n<FileList>\r\n")
    for m in range(minutes):
        for camera in (1, 2):
            out.append(f"<File ch=\"{camera}\" dtype=\"v\"><F-Name>CAM{camera}_20160229_{10 + m // 60:02d}{m % 60:02d}00"
                       f".MP4</F-Name><RecST>2016-02-29 {10 + m // 60:02d}:{m % 60:02d}:00</RecST></File>\r\n")
    out.append("</FileList>\r\n</F-Info>\r\n<P-Info>\r\n")
    for i in range(samples):
        # Lights on for a minute in every seven, the siren now and then.
        gstat = ("1" if i // 600 % 7 == 0 else "0") + ("1" if i % 5000 < 300 else "0") + "0" * 22
        out.append(INDEX.format(i=i, h=10 + i // 36000, m=i // 600 % 60, s=i // 10 % 60, ms=i % 10 * 100, gstat=gstat,
                                lat=100000 + i % 900000, lon=200000 + (i * 7) % 800000, own=40 + i // 50 % 30,
                                target=50 + i // 70 % 20))
    out.append("</P-Info>\r\n</MetaData>\r\n")
    return "".join(out)


def main():
    tool = sys.argv[1]
    hours = float(sys.argv[2]) if len(sys.argv) > 2 else 10
    samples = int(hours * 36000)
    work = tempfile.mkdtemp(prefix="review-bench-")
    env = dict(os.environ, TZ="JST-9")
    try:
        path = os.path.join(work, "20160229_100000.xml")
        with open(path, "w") as f:
            f.write(document(samples))
        started = time.time()
        subprocess.run([tool, "review", path, "-o", os.path.join(work, "review.html")], env=env, check=True,
                       stdout=subprocess.DEVNULL)
        written = time.time() - started
        size = os.path.getsize(os.path.join(work, "review.html"))
        print(f"{samples} samples: document {os.path.getsize(path) / 1e6:.0f} MB, page {size / 1e6:.1f} MB "
              f"({size / samples:.0f} bytes a sample), written in {written:.1f} s")

        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run", "--window-size=1400,900",
                     "--user-data-dir=" + os.path.join(work, "profile")):
            options.add_argument(flag)
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            for run in range(3):
                driver.get("file://" + os.path.join(work, "review.html"))
                ready = driver.execute_script("return performance.getEntriesByName('review-ready')[0].startTime")
                print(f"load {run + 1}: navigation to a drawn page {ready:.0f} ms")
            random.seed(1)
            targets = [random.randrange(samples) for _ in range(200)]
            seek = driver.execute_script(
                "const t0 = performance.now();"
                "for (const i of arguments[0]) review.seek(review.timeOf(i));"
                "return (performance.now() - t0) / arguments[0].length", targets)
            step = driver.execute_script(
                "review.seekSample(1000); const t0 = performance.now();"
                "for (let k = 0; k < 1000; k++) document.dispatchEvent(new KeyboardEvent('keydown', {key: 'ArrowRight'}));"
                "return (performance.now() - t0) / 1000")
            click = driver.execute_script(
                "const p = review.routePoint(arguments[0]); const t0 = performance.now();"
                "document.getElementById('route-marker').dispatchEvent(new MouseEvent('click', {clientX: p.x, clientY: p.y}));"
                "return performance.now() - t0", samples // 3)
            print(f"seek to a random sample: {seek:.2f} ms each (200); next sample key: {step:.2f} ms; "
                  f"click on the route: {click:.0f} ms")
        finally:
            driver.quit()
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
