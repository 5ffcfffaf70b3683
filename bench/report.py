#!/usr/bin/env python3
"""Prints the ratios of a benchmark run (Google Benchmark JSON output):
the library against the DOM-parsing application and against the physical
floor, the throughputs, the query latencies and the peak memory."""
import json
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
LENGTHS = {6000: "10 min", 36000: "1 h", 360000: "10 h"}


def load(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    # A benchmark run with repetitions is represented by its median.
    table = {}
    medians = set()
    for run in runs:
        if run.get("error_occurred"):
            continue
        median = run.get("run_type") == "aggregate" and run.get("aggregate_name") == "median"
        if run.get("run_type", "iteration") != "iteration" and not median:
            continue
        parts = run["run_name"].split("/")
        arg = int(parts[1]) if len(parts) > 1 and parts[1].isdigit() else None
        key = (parts[0], arg)
        if key in medians:
            continue
        run["cpu_seconds"] = run["cpu_time"] * UNITS[run["time_unit"]]
        table[key] = run
        if median:
            medians.add(key)
    return table


def main(path):
    table = load(path)

    def get(name, arg=None):
        return table.get((name, arg))

    def mbps(run):
        return run["bytes_per_second"] / 1e6

    print("\nRatios (CPU time, one run; the median where a benchmark was repeated):")
    for arg, length in LENGTHS.items():
        ours, peer = get("BM_Xml", arg), get("BM_XmlDomPeer", arg)
        if ours and peer:
            print(f"  inputdata_xml vs DOM peer, {length} document: "
                  f"{peer['cpu_seconds'] / ours['cpu_seconds']:.2f}x faster")
    for arg, length in LENGTHS.items():
        ours, floor = get("BM_Xml", arg), get("BM_XmlCopyFloor", arg)
        if ours and floor:
            print(f"  inputdata_xml, {length} document: {mbps(ours):.0f} MB/s, "
                  f"{ours['items_per_second'] / 1e3:.0f} k samples/s, "
                  f"{floor['cpu_seconds'] / ours['cpu_seconds']:.1%} of one memcpy of the document")
    for form, name in (("container", "BM_FileContainer"), ("text form", "BM_FileText")):
        for arg, length in LENGTHS.items():
            ours, floor = get(name, arg), get(name + "ReadFloor", arg)
            if ours and floor:
                print(f"  inputdata_file {form}, {length}: {mbps(ours):.0f} MB/s, "
                      f"{ours['items_per_second'] / 1e3:.0f} k samples/s, "
                      f"{floor['cpu_seconds'] / ours['cpu_seconds']:.1%} of plain read() of the file")
    for label, name in (("inputdata_binary, 6000 records", "BM_Binary"), ("inputdata_VTT, 10 000 cues", "BM_Vtt")):
        ours, floor = get(name), get(name + "CopyFloor")
        if ours and floor:
            print(f"  {label}: {mbps(ours):.0f} MB/s, {ours['items_per_second'] / 1e3:.0f} k items/s, "
                  f"{floor['cpu_seconds'] / ours['cpu_seconds']:.1%} of one memcpy")

    print("\nQuery latency (CPU time per call):")
    for label, name in (("outdata_pinfo_osd", "BM_PInfoOsd"),
                        ("outdata_pinfo_osd in playback order", "BM_PInfoOsdPlayback"), ("outdata_num", "BM_Num"),
                        ("outdata_loginInfo_osd", "BM_LoginOsd"), ("outdata_pinfo_osd_mk2", "BM_PInfoOsdMk2"),
                        ("GetAv3File", "BM_GetAv3File")):
        for arg, length in LENGTHS.items():
            run = get(name, arg)
            if run:
                extra = f" ({int(run['files'])} files)" if "files" in run else ""
                print(f"  {label}, {length}: {run['cpu_seconds'] * 1e9:,.0f} ns{extra}")
    run = get("BM_VttData")
    if run:
        print(f"  GetVTTData, 10 000 cues: {run['cpu_seconds'] * 1e9:,.0f} ns")

    print("\nPeak heap memory / input size:")
    for label, name in (("inputdata_xml", "BM_MemoryXml"), ("DOM peer", "BM_MemoryXmlDomPeer"),
                        ("inputdata_file container", "BM_MemoryFileContainer"),
                        ("inputdata_file text form", "BM_MemoryFileText")):
        for arg, length in LENGTHS.items():
            run = get(name, arg)
            if run:
                print(f"  {label}, {length}: {run['peak_MB']:.1f} MB for {run['input_MB']:.1f} MB "
                      f"({run['peak_per_input_byte']:.2f}x)")
    run = get("BM_MemoryVtt")
    if run:
        print(f"  inputdata_VTT, 10 000 cues: {run['peak_MB']:.1f} MB for {run['input_MB']:.1f} MB "
              f"({run['peak_per_input_byte']:.2f}x)")
    for arg, length in LENGTHS.items():
        ours, peer = get("BM_MemoryXml", arg), get("BM_MemoryXmlDomPeer", arg)
        if ours and peer:
            print(f"  inputdata_xml vs DOM peer, {length}: {peer['peak_MB'] / ours['peak_MB']:.2f}x less memory")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "bench.json")
