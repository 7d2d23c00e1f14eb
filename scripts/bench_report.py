#!/usr/bin/env python3
"""Writes bench/RESULTS.md from the JSON files the benchmark programs wrote in one run.

Every figure is the median of the run's repetitions; every ratio is ours over the program
beside it, both medians of the same run. On a shared machine the processor time of a
single-threaded benchmark swings far less than its wall time, so ratios and verdicts are
taken on processor time, with the wall-time ratio beside; the start-up, which waits for the
playback tick, and the whole runs of orvik-frame (check, export), some on several processors,
are judged on wall time.

    bench_report.py RESULTS_DIR OUTPUT.md [NOTES.md]

NOTES.md, when given, is appended: what bounds the goals a run misses, written by hand.
"""
import json
import os
import platform
import re
import subprocess
import sys
import time

UNIT_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}

# The decoder's goals, ours over libjpeg-turbo on processor time, one per variant: the packed
# variant is the one every x86-64 processor picks, so it is held to the tighter ratio.
PLANES_GOALS = {"packed": 0.75, "scalar": 0.85}
BGR_GOALS = {"packed": 0.75, "scalar": 0.9}
# The whole `orvik-frame check --jobs 1` beside the libjpeg-turbo program, on wall time.
CHECK_JOBS1_GOAL = 0.75


class Median:
    """One benchmark's median: wall and processor time in milliseconds, and its counters."""

    def __init__(self, entry):
        scale = UNIT_MS[entry.get("time_unit", "ns")]
        self.wall = entry["real_time"] * scale
        self.cpu = entry["cpu_time"] * scale
        self.counters = entry


def load_medians(results_dir):
    """{run name: Median} over every JSON file in results_dir, and the first file's context."""
    medians, context = {}, None
    for name in sorted(os.listdir(results_dir)):
        if not name.endswith(".json"):
            continue
        with open(os.path.join(results_dir, name)) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        for entry in data.get("benchmarks", []):
            if entry.get("aggregate_name") == "median":
                medians[strip_run_suffixes(entry["run_name"])] = Median(entry)
    return medians, context or {}


def strip_run_suffixes(run_name):
    """'X/iterations:5/manual_time' -> 'X': the name as the benchmark registered it."""
    return re.sub(r"(/iterations:\d+|/manual_time|/real_time)+$", "", run_name)


def ratio(ours, beside):
    return ours / beside if beside > 0 else float("nan")


def verdict(value, goal):
    return "met" if value <= goal else "**missed**"


def ms(value):
    return f"{value:.2f}" if value < 100 else f"{value:.0f}"


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(str(c) for c in row) + " |" for row in rows]
    return "\n".join(lines) + "\n"


def comparison_rows(medians, pattern, goals, beside_name):
    """Rows of ours beside one reference for every benchmark family matching pattern
    (a regular expression with one group: the family, e.g. 'Decode/640x480/q75'); goals maps
    each of ours (e.g. 'packed') to its goal, None for no verdict."""
    rows = []
    families = sorted({m.group(1) for n in medians if (m := re.fullmatch(pattern, n))},
                      key=family_order)
    for family in families:
        beside = medians.get(f"{family}/{beside_name}")
        if beside is None:
            continue
        for ours_name, goal in goals.items():
            ours = medians.get(f"{family}/{ours_name}")
            if ours is None:
                continue
            r = ratio(ours.cpu, beside.cpu)
            row = [family, ours_name, ms(ours.cpu), ms(beside.cpu), f"{r:.2f}",
                   f"{ratio(ours.wall, beside.wall):.2f}"]
            if goal is not None:
                row.append(f"<= {goal}: {verdict(r, goal)}")
            rows.append(row)
    return rows


def family_order(family):
    """Smaller pictures first, then quality."""
    numbers = [int(n) for n in re.findall(r"\d+", family)]
    return (numbers[0] * numbers[1] if len(numbers) >= 2 else 0, numbers)


def single_rows(medians, prefix, goal, extra=()):
    rows = []
    for name in sorted((n for n in medians if n.startswith(prefix)),
                       key=lambda n: (family_order(n), n)):
        m = medians[name]
        row = [name, ms(m.wall), ms(m.cpu)]
        row += [f"{m.counters.get(c, float('nan')):.2f}" for c in extra]
        row.append(verdict(m.cpu, goal))
        rows.append(row)
    return rows


def processor_ms(median):
    """The processor time of a program run as its own process (all its threads)."""
    return median.counters.get("cpu_ms", float("nan"))


def check_sections(medians):
    """orvik-frame check of a folder, on one thread beside the libjpeg-turbo program and with
    its default jobs beside one thread: whole processes, the default-jobs run on several
    processors at once, so judged on wall time, with processor time beside."""
    rows, frames = [], 0
    for size in ("640x480", "1280x1024"):
        jobs1, default, reference = (medians.get(f"Check/{size}/{n}")
                                     for n in ("jobs1", "default", "libjpeg-turbo"))
        if None in (jobs1, default, reference):
            continue
        frames = jobs1.counters.get("frames", 0)
        for run, ours, beside_name, beside, goal in (
                ("`check --jobs 1`", jobs1, "libjpeg-turbo program", reference,
                 CHECK_JOBS1_GOAL),
                ("`check`", default, "`check --jobs 1`", jobs1, 0.6),
                ("libjpeg-turbo program", reference, "", None, None)):
            row = [size, run, ms(ours.wall), ms(processor_ms(ours)), beside_name]
            if beside is None:
                row += ["", "", ""]
            else:
                r = ratio(ours.wall, beside.wall)
                row += [f"{r:.2f}", f"{ratio(processor_ms(ours), processor_ms(beside)):.2f}",
                        f"<= {goal}: {verdict(r, goal)}"]
            rows.append(row)
    if not rows:
        return []
    return [f"## `orvik-frame check` of a folder of {frames:.0f} frames, whole process (goals: "
            f"ratio <= {CHECK_JOBS1_GOAL} beside libjpeg-turbo, <= 0.6 default jobs beside "
            "`--jobs 1`)\n\n"
            "`orvik-frame check --jobs 1` and `orvik-frame check` (its default jobs, one a "
            "processor) of a recording of one date folder of quality-75 frames, beside a "
            "libjpeg-turbo program decoding the same coded data as .jpg files to BGR "
            "(JDCT_ISLOW, default settings) on one thread. Each run is a whole process; the "
            "verdicts are on wall time, since the default-jobs run works on several processors "
            "at once, and the processor time of the process (all its threads) is shown "
            "beside.\n",
            table(["Size", "Run", "Wall ms", "Processor ms", "Beside", "Ratio (wall)",
                   "Ratio (processor)", "Goal"], rows)]


MONTH_FRAMES = 2.6e6  # a month at one frame a second


def activity_sections(medians):
    """The DC-only pass beside the full decode of its variant (processor time), and
    orvik-frame activity as whole processes (wall time): beside check --jobs 1, its default
    jobs beside --jobs 1, a run with the index in the cache beside the first; the frames a
    second a core and what a month of footage takes."""
    parts = []
    rows = []
    for variant in ("packed", "scalar"):
        rows += comparison_rows(medians, r"(Decode/[^/]+/q\d+)/" + variant,
                                {f"dc-only-{variant}": 0.45}, variant)
    if rows:
        rows.sort(key=lambda r: (family_order(r[0]), r[1]))
        parts.append("## DC-only pass beside the full decode to planes (goal: ratio <= 0.45)\n\n"
                     "DecodeLumaDc (the luma DC picture, no transform) beside DecodeFramePlanes "
                     "of the same variant on the same frames.\n")
        parts.append(table(["Frame", "Ours", "Ours ms (cpu)", "Full decode ms (cpu)",
                            "Ratio (cpu)", "Ratio (wall)", "Goal"], rows))
    rows, speeds, frames = [], [], 0
    start = medians.get("Activity/start")
    for size in ("640x480", "1280x1024"):
        runs = {n: medians.get(f"Activity/{size}/{n}")
                for n in ("jobs1", "default", "cached", "check-jobs1")}
        if None in runs.values():
            continue
        frames = runs["jobs1"].counters.get("frames", 0)
        for run, ours, beside_name, beside, goal in (
                ("`activity --jobs 1`", runs["jobs1"], "`check --jobs 1`", runs["check-jobs1"],
                 0.5),
                ("`activity`", runs["default"], "`activity --jobs 1`", runs["jobs1"], 0.6),
                ("`activity`, index in the cache", runs["cached"], "`activity --jobs 1`",
                 runs["jobs1"], 0.05)):
            r = ratio(ours.wall, beside.wall)
            rows.append([size, run, ms(ours.wall), ms(processor_ms(ours)), beside_name,
                         f"{r:.2f}", f"<= {goal}: {verdict(r, goal)}"])
        # A month is read in one process: its start is paid once, not once a folder.
        floor = start.wall if start else 0.0
        per_core = frames_per_second(frames, runs["jobs1"].wall - floor)
        all_cores = frames_per_second(frames, runs["default"].wall - floor)
        speeds.append([size, f"{per_core:.0f}", f"{all_cores:.0f}",
                       f"{MONTH_FRAMES / per_core / 3600:.2f}",
                       f"{MONTH_FRAMES / all_cores / 3600:.2f}"])
    if rows:
        parts.append(f"## `orvik-frame activity` of a folder of {frames:.0f} frames, whole "
                     "process (goals: <= 0.5 beside `check --jobs 1`, <= 0.6 default jobs "
                     "beside `--jobs 1`, <= 0.05 with the index in place)\n\n"
                     "Each run a whole process from an empty cache, but the one with the "
                     "folder's index already in the cache; wall time."
                     + (f" Starting and ending the process alone (`orvik-frame --version`) "
                        f"takes {ms(start.wall)} ms, which bounds the run with the index in "
                        "place.\n" if start else "\n"))
        parts.append(table(["Size", "Run", "Wall ms", "Processor ms", "Beside",
                            "Ratio (wall)", "Goal"], rows))
        parts.append("Frames a second of the runs beyond the process's start, and the hours "
                     "a month of footage at one frame a second (2.6 million frames) takes at "
                     "that pace, on one core and on every core:\n")
        parts.append(table(["Size", "Frames a second, one core", "Frames a second, every core",
                            "Month hours, one core", "Month hours, every core"], speeds))
    return parts


FRAME_START_GOAL_MS = 2.0  # orvik-frame's start beyond the libjpeg-turbo program's


def frame_start_sections(medians):
    """orvik-frame's start beside the libjpeg-turbo program's: each a whole process doing none
    of its work, judged on the difference of their processor times."""
    ours = medians.get("BM_ProgramStart/orvik_frame")
    beside = medians.get("BM_ProgramStartInEmptyFolder/libjpeg_turbo")
    if ours is None or beside is None:
        return []
    difference = processor_ms(ours) - processor_ms(beside)
    return ["## orvik-frame's start beside the libjpeg-turbo program's (goal: within "
            f"{FRAME_START_GOAL_MS:.0f} ms of processor time)\n\n"
            "`orvik-frame --version` beside the libjpeg-turbo program that `check` is timed "
            "against, given an empty folder: each a whole process that loads the program and "
            "its libraries and ends, doing none of its work.\n",
            table(["Program", "Wall ms", "Processor ms"],
                  [["orvik-frame", ms(ours.wall), ms(processor_ms(ours))],
                   ["libjpeg-turbo program", ms(beside.wall), ms(processor_ms(beside))]]),
            f"Difference in processor time: {ms(difference)} ms, "
            f"<= {FRAME_START_GOAL_MS:.0f} ms: {verdict(difference, FRAME_START_GOAL_MS)}.\n"]


def export_sections(medians):
    """The clip export: the copy beside orvik-frame jpeg, judged on wall time (both are whole
    processes and the export's workers run beside each other); H.264 reported by stage."""
    parts = []
    jpeg = medians.get("ExportCopy/640x480/jpeg")
    if jpeg:
        frames = jpeg.counters.get("frames", 0)
        rows = []
        for run, name in (("export --jobs 1", "export-jobs1"), ("export", "export"),
                          ("jpeg", "jpeg")):
            m = medians.get(f"ExportCopy/640x480/{name}")
            if m is None:
                continue
            row = [run, ms(m.wall), f"{frames_per_second(frames, m.wall):.0f}",
                   f"{ratio(m.wall, jpeg.wall):.2f}"]
            row.append("" if name == "jpeg" else verdict(ratio(m.wall, jpeg.wall), 1.0))
            rows.append(row)
        parts.append(f"## Clip export, copy: {frames:.0f} frames of 640 x 480 (goal: ratio "
                     "<= 1.0)\n\n`orvik-frame export` writing a Matroska clip, on one worker and "
                     "on one a processor, beside `orvik-frame jpeg` writing the same frames as "
                     "JPEG files; each a whole process, wall time.\n")
        parts.append(table(["Run", "Wall ms", "Frames a second", "Ratio to jpeg (wall)", "Goal"],
                           rows))
    rows = []
    for size in ("640x480", "1280x1024"):
        export, jobs1, decode, convert, encode = (
            medians.get(f"ExportH264/{size}/{n}")
            for n in ("export", "export-jobs1", "decode", "decode-convert", "encode"))
        if None in (export, jobs1, decode, convert, encode):
            continue
        frames = export.counters.get("frames", 0)
        rows.append([size, f"{frames_per_second(frames, export.wall):.1f}",
                     f"{frames_per_second(frames, jobs1.wall):.1f}", ms(decode.wall),
                     ms(convert.wall - decode.wall),
                     ms(encode.wall / max(1.0, encode.counters.get("frames", 1)))])
    if rows:
        parts.append("## Clip export, H.264 with the default crf (reported)\n\n"
                     "Frames a second of the whole export (one worker a processor, and one "
                     "worker), and the wall time a frame of each stage on its own: decoding to "
                     "the picture, converting it to 4:2:0 (decoding and converting, less "
                     "decoding), and encoding with libx264 and writing.\n")
        parts.append(table(["Size", "Frames a second", "Frames a second (--jobs 1)",
                            "Decode ms", "Conversion ms", "Encode ms"], rows))
    return parts


def month_sections(medians):
    """A month of footage beside one day: the scan and the viewer's start (goal: the first
    frame of the month within 500 ms), and batch work on one date folder and on 10 frames by
    range (goal: within 2x of the day, in wall time and in peak memory)."""
    scan_month, scan_day = medians.get("MonthScan/month"), medians.get("MonthScan/day")
    if scan_month is None or scan_day is None:
        return []
    frames = scan_month.counters.get("frames", 0)
    day_frames = scan_day.counters.get("frames", 0)
    rows = [["Scan (in process)", ms(scan_month.wall), ms(scan_day.wall),
             f"{ratio(scan_month.wall, scan_day.wall):.2f}",
             f"{scan_month.counters.get('bytes_per_frame', 0):.1f} bytes a frame",
             f"{scan_day.counters.get('bytes_per_frame', 0):.1f} bytes a frame",
             f"<= 80 bytes: {verdict(scan_month.counters.get('bytes_per_frame', 999), 80.0)}"]]
    for run, name, counter, goal in (
            ("Viewer: main to first frame", "MonthViewerFirst", "first_frame_ms", 500.0),
            ("Viewer: main to recording read", "MonthViewerRead", "read_ms", None)):
        month, day = medians.get(f"{name}/month"), medians.get(f"{name}/day")
        if month is None or day is None:
            continue
        ours, beside = month.counters.get(counter, 0), day.counters.get(counter, 0)
        rows.append([run, ms(ours), ms(beside), f"{ratio(ours, beside):.2f}",
                     f"{month.counters.get('peak_mb', 0):.0f} MB",
                     f"{day.counters.get('peak_mb', 0):.0f} MB",
                     "reported" if goal is None else f"<= {goal:.0f} ms: {verdict(ours, goal)}"])
    for run, name in (("`check` of a date folder", "MonthCheck/{}/folder"),
                      ("`check` of 10 frames by range", "MonthCheck/{}/range10"),
                      ("`export` of a date folder", "MonthExport/{}/folder"),
                      ("`export` of 10 frames by range", "MonthExport/{}/range10")):
        month, day = medians.get(name.format("month")), medians.get(name.format("day"))
        if month is None or day is None:
            continue
        wall_ratio = ratio(month.wall, day.wall)
        peak_ratio = ratio(month.counters.get("peak_mb", 0), day.counters.get("peak_mb", 0))
        rows.append([run, ms(month.wall), ms(day.wall), f"{wall_ratio:.2f}",
                     f"{month.counters.get('peak_mb', 0):.0f} MB",
                     f"{day.counters.get('peak_mb', 0):.0f} MB",
                     f"<= 2: time {verdict(wall_ratio, 2.0)}, memory "
                     f"{verdict(peak_ratio, 2.0)}"])
    return [f"## A month of footage beside one day (goals: first frame <= 500 ms, batch work "
            "<= 2x the day)\n\n"
            f"A month of {frames:.0f} frames (hour folders at one frame a second, a day and an "
            f"hour missing, holes) beside one day of it ({day_frames:.0f} frames), every "
            "frame a hard link. The scan runs in the benchmark's process; the viewer "
            "(offscreen) and orvik-frame are whole processes: the viewer's figures are its "
            "own, from main; the batch runs' are wall time from start to end, with the peak "
            "resident memory of the process.\n",
            table(["Run", "Month ms", "Day ms", "Ratio", "Month", "Day", "Goal"], rows)]


def frames_per_second(frames, wall_ms):
    return frames / wall_ms * 1000 if wall_ms > 0 else float("nan")


def machine_lines(context):
    cpu = "unknown"
    try:
        with open("/proc/cpuinfo") as f:
            cpu = next(line.split(":", 1)[1].strip() for line in f if line.startswith("model name"))
    except (OSError, StopIteration):
        pass
    load = context.get("load_avg") or list(os.getloadavg())
    compiler = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout
    return [
        f"- Processor: {cpu}, {os.cpu_count()} cores seen by the system "
        f"({context.get('num_cpus', '?')} by Google Benchmark, "
        f"{context.get('mhz_per_cpu', '?')} MHz)",
        f"- System: {platform.system()} {platform.release()}; compiler: "
        f"{compiler.splitlines()[0] if compiler else 'unknown'}",
        f"- Date: {context.get('date', time.strftime('%Y-%m-%d %H:%M:%S'))}; source: "
        f"{os.environ.get('ORVIK_BENCH_SOURCE', 'unknown')}",
        "- Load average when the run ended: " + ", ".join(f"{x:.2f}" for x in load),
    ]


def write_report(medians, context, settings, notes, out):
    cmp_header = ["Frame", "Ours", "Ours ms (cpu)", "Beside ms (cpu)", "Ratio (cpu)",
                  "Ratio (wall)"]
    parts = ["# Benchmark results\n",
             "Written by `scripts/bench.sh` from one run; do not edit by hand.\n",
             "\n".join(machine_lines(context)) + "\n",
             f"Settings: {settings}. Each figure is the median of the repetitions; each "
             "ratio is ours over the program beside it, both medians of this run, so the "
             "two ran under the same conditions. Ratios and verdicts use processor time "
             "(cpu), which on a shared machine swings much less than wall time; wall-time "
             "ratios are given beside. `packed` is the variant the processor test picks on "
             "every x86-64 machine (packed transform and conversion); `scalar` is the "
             "other (scalar transform and conversion).\n"]

    parts.append("## Frame bytes to planes (goals: "
                 f"ratio <= {PLANES_GOALS['packed']} packed, <= {PLANES_GOALS['scalar']} "
                 "scalar)\n\n"
                 "Our decoder beside libjpeg-turbo on the same coded data (JDCT_ISLOW, raw "
                 "data out).\n")
    parts.append(table(cmp_header + ["Goal"], comparison_rows(
        medians, r"(Decode/[^/]+/q\d+)/packed", PLANES_GOALS,
        "libjpeg-turbo")))

    parts.append("## Frame bytes to the BGR picture (goals: "
                 f"ratio <= {BGR_GOALS['packed']} packed, <= {BGR_GOALS['scalar']} scalar)\n\n"
                 "DecodeFrame beside libjpeg-turbo to BGR (JDCT_ISLOW) with its default smooth "
                 "chroma upsampling; the last column compares with libjpeg-turbo sharing each "
                 "chroma sample between a pixel pair, which is the work DecodeFrame does.\n")
    rows = comparison_rows(medians, r"(DecodeToBgr/[^/]+/q\d+)/packed",
                           BGR_GOALS, "libjpeg-turbo")
    pairs = {(r[0], r[1]): r[4] for r in comparison_rows(
        medians, r"(DecodeToBgr/[^/]+/q\d+)/packed", {"packed": None, "scalar": None},
        "libjpeg-turbo-pairs")}
    parts.append(table(cmp_header + ["Goal", "Ratio to pairs (cpu)"],
                       [r + [pairs.get((r[0], r[1]), "")] for r in rows]))

    parts.append("## Planes to the BGR picture, 1280 x 1024 (reported)\n\n"
                 "The two conversions beside a memcpy of the output size.\n")
    copy = medians.get("BM_CopyOutputBytes/1280/1024")
    rows = []
    for variant, name in (("packed", "BM_ConvertPacked/1280/1024"),
                          ("scalar", "BM_ConvertScalar/1280/1024")):
        m = medians.get(name)
        if m and copy:
            rows.append([variant, ms(m.cpu), ms(copy.cpu), f"{ratio(m.cpu, copy.cpu):.2f}",
                         f"{ratio(m.wall, copy.wall):.2f}"])
    parts.append(table(["Variant", "Conversion ms (cpu)", "memcpy ms (cpu)", "Ratio (cpu)",
                        "Ratio (wall)"], rows))

    parts += check_sections(medians)
    parts += activity_sections(medians)

    parts.append("## One colour slider step on a 640 x 480 frame (goal: <= 5 ms)\n\n"
                 "SetPictureAdjustments: the matrix rebuilt, the frame file read again and "
                 "decoded to the picture.\n")
    parts.append(table(["Benchmark", "Wall ms", "Cpu ms", "Goal"],
                       single_rows(medians, "SliderStep/", 5.0)))

    parts.append("## One playback tick with a due frame, 1280 x 1024 (goal: <= 15 ms)\n\n"
                 "The tick (clock, play step, frame read and decoded), PresentFrame into the "
                 "picture surface and the window paint it asks for, offscreen.\n")
    parts.append(table(["Benchmark", "Wall ms", "Cpu ms", "Frames a tick", "Goal"],
                       single_rows(medians, "PlaybackTick/", 15.0, ["frames_per_tick"])))

    parts.append("## Painting the Timeline window, a month of footage (goal: <= 16 ms)\n\n"
                 "The whole window rendered into an image offscreen: 1,000,000 frames in 720 "
                 "hourly folders, beside the window with no recording; building the timeline "
                 "from the records (after every scan) is reported below them.\n")
    rows = [r[:3] + [f"{medians[r[0]].counters.get('frames', 0):.0f}"] + r[3:]
            for r in single_rows(medians, "TimelinePaint/", 16.0)]
    build = medians.get("TimelineBuild/month")
    if build:
        rows.append(["TimelineBuild/month", ms(build.wall), ms(build.cpu),
                     f"{build.counters.get('frames', 0):.0f}", "reported"])
    parts.append(table(["Benchmark", "Wall ms", "Cpu ms", "Frames", "Goal"], rows))

    parts.append("## Scan of a frame tree (goals: ratio <= 1.0, <= 80 bytes a frame)\n\n"
                 "ScanFolderTree beside `find ROOT -mindepth 2 -maxdepth 2 -printf '%s %p\\n'` "
                 "over 24 folders, both run in each iteration.\n")
    scan = medians.get("BM_ScanFolderTree")
    if scan:
        c = scan.counters
        parts.append(table(
            ["Frames", "Scan ms (wall)", "find ms (wall)", "Ratio (wall)", "Ratio (cpu)",
             "Bytes a frame", "Goals"],
            [[f"{c.get('frames', 0):.0f}", ms(scan.wall), ms(c.get("find_ms", 0)),
              f"{c.get('scan_per_find', 0):.2f}", f"{c.get('cpu_per_find_cpu', 0):.2f}",
              f"{c.get('bytes_per_frame', 0):.1f}",
              f"ratio {verdict(c.get('cpu_per_find_cpu', 9), 1.0)}, "
              f"memory {verdict(c.get('bytes_per_frame', 999), 80.0)}"]]))

    parts.append("## Loading a frame in a folder of 20,000 lower-case names (reported)\n\n"
                 "GoToFile on a frame file named in lower case (546 bytes: opened and read, "
                 "nothing to decode); it is opened by its listed name.\n")
    load = medians.get("BM_LoadInMixedCaseFolder")
    if load:
        parts.append(table(["Files in the folder", "Wall ms", "Cpu ms"],
                           [[f"{load.counters.get('files', 0):.0f}", f"{load.wall:.4f}",
                             f"{load.cpu:.4f}"]]))

    parts.append("## Start-up to the first frame shown (goal: <= 300 ms)\n\n"
                 "`orvik-view --quit-after-first-frame` on the demo recording (orvik-mkrec's "
                 "default), offscreen: wall time from starting the process to its end, and the "
                 "viewer's own time from main to the presented frame.\n")
    start = medians.get("BM_StartToFirstFrame")
    if start:
        parts.append(table(
            ["Recording frames", "Process start to end ms", "main to first frame ms", "Goal"],
            [[f"{start.counters.get('frames', 0):.0f}", ms(start.wall),
              ms(start.counters.get("first_frame_ms", 0)), verdict(start.wall, 300.0)]]))

    parts += frame_start_sections(medians)
    parts += export_sections(medians)
    parts += month_sections(medians)

    if notes:
        parts.append(notes)
    out.write("\n".join(parts))


def main(argv):
    if len(argv) not in (3, 4):
        sys.exit(__doc__)
    medians, context = load_medians(argv[1])
    notes = ""
    if len(argv) == 4:
        with open(argv[3]) as f:
            notes = f.read()
    settings = os.environ.get("ORVIK_BENCH_SETTINGS", "as the benchmarks were run")
    with open(argv[2], "w") as out:
        write_report(medians, context, settings, notes, out)


if __name__ == "__main__":
    main(sys.argv)
