"""The tool's exports read by the programs people open them with.

consumers_test.py TOOL EXAMPLES SCHEMA WORKDIR

Exports the example recording (document and container) and a copy of the
document whose names hold &, <, quotes, commas, a line break and non-ASCII
letters, then has xmllint (GPX schema), gpxpy, GDAL's ogrinfo, Python's csv
module, ffprobe and ffmpeg read them back.  A missing reader skips the test
(exit 77), except on CI, where it fails it.
"""
import csv
import json
import os
import re
import shutil
import subprocess
import sys

TOOL, EXAMPLES, SCHEMA, WORK = sys.argv[1:5]
ON_CI = os.environ.get("CI") == "true"


def need(program):
    if shutil.which(program):
        return
    print(f"missing {program}", file=sys.stderr)
    sys.exit(1 if ON_CI else 77)


def run(*args):
    done = subprocess.run(args, capture_output=True, text=True, env=dict(os.environ, TZ="UTC0"))
    if done.returncode != 0 or "Warning" in done.stderr or "ERROR" in done.stderr:
        raise AssertionError(f"{' '.join(args)}: exit {done.returncode}\n{done.stdout}{done.stderr}")
    return done.stdout


def hostile_document():
    text = open(os.path.join(EXAMPLES, "20260314_100000.xml"), encoding="utf-8").read()
    names = {"<First>Ada</First>": "<First>Ada, &quot;Jr&quot;</First>",
             "<Last>Okafor</Last>": "<Last>O&amp;Kafor &lt;i&gt;\u00d8deg\u00e5rd</Last>",
             "<Last>Lindqvist</Last>": "<Last>Lind-->qvist\nSecond line</Last>"}
    for plain, hostile in names.items():
        assert plain in text
        text = text.replace(plain, hostile)
    folder = os.path.join(WORK, "hostile")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "20260314_100000.xml")
    open(path, "w", encoding="utf-8").write(text)
    return path


def export(source, fmt, name):
    out = os.path.join(WORK, name + "." + fmt)
    for stale in (out, os.path.join(WORK, name + ".csvt")):
        if os.path.exists(stale):
            os.remove(stale)
    run(TOOL, "export", source, "--to", fmt, "-o", out)
    return out


def check_recording(source, name):
    samples = export(source, "csv", name)
    with open(samples, newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    placed = [r for r in rows if r["lat_deg"]]
    lats = [float(r["lat_deg"]) for r in placed]
    lons = [float(r["lon_deg"]) for r in placed]
    assert len(rows) == 180 and len(placed) == 177, (len(rows), len(placed))
    extent = f"({min(lons):.6f}, {min(lats):.6f}) - ({max(lons):.6f}, {max(lats):.6f})"

    def ogr(path, layer, count):
        options = ["-oo", "AUTODETECT_TYPE=YES"] if path.endswith(".csv") else []
        info = run("ogrinfo", "-ro", "-so", *options, path, layer)
        assert f"Feature Count: {count}" in info, info
        found = re.search(r"Extent: \(([-\d.]+), ([-\d.]+)\) - \(([-\d.]+), ([-\d.]+)\)", info)
        if found:
            got = "({:.6f}, {:.6f}) - ({:.6f}, {:.6f})".format(*map(float, found.groups()))
            assert got == extent, (path, got, extent)
        return info

    info = ogr(samples, name, 180)
    assert re.search(r"status: String", info) and re.search(r"speed1: Integer", info), info
    run("ogrinfo", "-ro", "-al", "-oo", "AUTODETECT_TYPE=YES", samples)  # every value converts quietly

    gpx = export(source, "gpx", name)
    run("xmllint", "--noout", "--schema", SCHEMA, gpx)
    ogr(gpx, "track_points", 177)
    import gpxpy  # noqa: E402 - only after the reader check

    with open(gpx, encoding="utf-8") as f:
        points = gpxpy.parse(f).tracks[0].segments[0].points
    assert len(points) == 177 and points[0].time is not None

    geojson = export(source, "geojson", name)
    ogr(geojson, name, 178)
    features = json.load(open(geojson, encoding="utf-8"))["features"]
    assert all(isinstance(f["properties"].get("own"), (int, float)) for f in features[1:])

    for fmt, codec in (("vtt", "webvtt"), ("srt", "subrip")):
        track = export(source, fmt, name)
        probe = run("ffprobe", "-v", "error", "-count_packets", "-show_entries",
                    "stream=codec_name,nb_read_packets", "-of", "csv=p=0", track)
        assert probe.strip() == f"{codec},180", probe
    muxed = os.path.join(WORK, name + ".mkv")
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=duration=2:size=64x48:rate=5",
        "-i", os.path.join(WORK, name + ".vtt"), "-map", "0", "-map", "1", "-c:v", "mpeg4", "-c:s", "webvtt",
        muxed)
    streams = run("ffprobe", "-v", "error", "-show_entries", "stream=codec_type", "-of", "csv=p=0", muxed)
    assert streams.split() == ["video", "subtitle"], streams
    return rows


def main():
    for program in ("xmllint", "ogrinfo", "ffprobe", "ffmpeg"):
        need(program)
    try:
        import gpxpy  # noqa: F401
    except ImportError:
        need("python3-gpxpy")
    if not os.path.exists(SCHEMA):
        need(SCHEMA)
    os.makedirs(WORK, exist_ok=True)
    check_recording(os.path.join(EXAMPLES, "20260314_100000.xml"), "document")
    check_recording(os.path.join(EXAMPLES, "20260314_100000_M2.dat"), "container")
    rows = check_recording(hostile_document(), "hostile")
    officers = rows[-1]["officers"]
    assert "Ada, \"Jr\"" in officers and "\u00d8deg\u00e5rd" in officers, officers
    print("consumers: 3 passed, 0 failed")


main()
