"""The report behind bench/RESULTS.md: which figures it takes from the benchmark output,
how it pairs ours with the program beside it, and the verdicts against the goals."""
import io
import math
import json
import os
import re
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
import bench_report  # noqa: E402


def entry(run_name, aggregate, real, cpu, unit="ms", **counters):
    e = {"name": f"{run_name}_{aggregate}", "run_name": run_name, "run_type": "aggregate",
         "aggregate_name": aggregate, "real_time": real, "cpu_time": cpu, "time_unit": unit}
    e.update(counters)
    return e


def write_results(folder, file_name, entries):
    with open(os.path.join(folder, file_name), "w") as f:
        json.dump({"context": {"num_cpus": 2, "date": "2026-12-08"}, "benchmarks": entries}, f)


class LoadMediansTest(unittest.TestCase):
    def test_takes_only_medians_in_milliseconds_under_registered_names(self):
        with tempfile.TemporaryDirectory() as folder:
            write_results(folder, "a.json", [
                entry("Decode/640x480/q75/packed", "mean", 9.0, 9.0, "us"),
                entry("Decode/640x480/q75/packed", "median", 1500.0, 1200.0, "us"),
                entry("Decode/640x480/q75/packed", "stddev", 1.0, 1.0, "us"),
            ])
            write_results(folder, "b.json", [
                entry("BM_StartToFirstFrame/iterations:5/manual_time", "median", 0.25, 0.001,
                      "s", first_frame_ms=190.0),
                entry("BM_ScanFolderTree/manual_time", "median", 2000000.0, 1.0, "ns"),
            ])
            with open(os.path.join(folder, "notes.txt"), "w") as f:
                f.write("not a result")
            medians, context = bench_report.load_medians(folder)
        self.assertEqual(sorted(medians), ["BM_ScanFolderTree", "BM_StartToFirstFrame",
                                           "Decode/640x480/q75/packed"])
        self.assertAlmostEqual(medians["Decode/640x480/q75/packed"].wall, 1.5)
        self.assertAlmostEqual(medians["Decode/640x480/q75/packed"].cpu, 1.2)
        self.assertAlmostEqual(medians["BM_StartToFirstFrame"].wall, 250.0)
        self.assertAlmostEqual(medians["BM_ScanFolderTree"].wall, 2.0)
        self.assertEqual(medians["BM_StartToFirstFrame"].counters["first_frame_ms"], 190.0)
        self.assertEqual(context["num_cpus"], 2)


def medians_of(entries):
    return {bench_report.strip_run_suffixes(e["run_name"]): bench_report.Median(e)
            for e in entries}


class ComparisonRowsTest(unittest.TestCase):
    def test_pairs_each_variant_with_the_reference_of_its_own_frame(self):
        medians = medians_of([
            entry("Decode/1280x1024/q75/packed", "median", 20.0, 8.0),
            entry("Decode/1280x1024/q75/libjpeg-turbo", "median", 10.0, 4.0),
            entry("Decode/640x480/q75/packed", "median", 3.0, 1.0),
            entry("Decode/640x480/q75/scalar", "median", 6.0, 2.5),
            entry("Decode/640x480/q75/libjpeg-turbo", "median", 2.0, 1.0),
        ])
        rows = bench_report.comparison_rows(medians, r"(Decode/[^/]+/q\d+)/packed",
                                            {"packed": 1.0, "scalar": 2.5}, "libjpeg-turbo")
        # Smaller pictures first; a ratio of exactly the goal meets it; each variant has its own.
        self.assertEqual([r[:2] for r in rows], [["Decode/640x480/q75", "packed"],
                                                 ["Decode/640x480/q75", "scalar"],
                                                 ["Decode/1280x1024/q75", "packed"]])
        self.assertEqual([r[4] for r in rows], ["1.00", "2.50", "2.00"])  # cpu ratios
        self.assertEqual([r[5] for r in rows], ["1.50", "3.00", "2.00"])  # wall ratios
        self.assertEqual([r[6] for r in rows],
                         ["<= 1.0: met", "<= 2.5: met", "<= 1.0: **missed**"])

    def test_a_frame_without_its_reference_gives_no_row(self):
        medians = medians_of([entry("Decode/640x480/q90/packed", "median", 3.0, 1.0)])
        self.assertEqual(bench_report.comparison_rows(
            medians, r"(Decode/[^/]+/q\d+)/packed", {"packed": 1.0}, "libjpeg-turbo"), [])

    def test_a_reference_that_took_no_time_gives_no_ratio_instead_of_failing(self):
        self.assertTrue(math.isnan(bench_report.ratio(1.0, 0.0)))


class ReportTest(unittest.TestCase):
    def write(self, entries):
        out = io.StringIO()
        bench_report.write_report(medians_of(entries), {"num_cpus": 2}, "test settings",
                                  "## Notes\n\nhand-written\n", out)
        return out.getvalue()

    def test_goals_in_milliseconds_are_judged_on_the_right_time(self):
        report = self.write([
            entry("SliderStep/640x480/q75/packed", "median", 7.0, 4.0),   # cpu within 5 ms
            entry("PlaybackTick/1280x1024/q90/scalar", "median", 30.0, 16.0,
                  frames_per_tick=1.0),                                  # cpu over 15 ms
            entry("BM_StartToFirstFrame/iterations:5/manual_time", "median", 320.0, 0.2,
                  first_frame_ms=200.0, frames=1800),                    # wall over 300 ms
        ])
        self.assertIn("| SliderStep/640x480/q75/packed | 7.00 | 4.00 | met |", report)
        self.assertIn("| PlaybackTick/1280x1024/q90/scalar | 30.00 | 16.00 | 1.00 | "
                      "**missed** |", report)
        self.assertIn("| 1800 | 320 | 200 | **missed** |", report)
        self.assertTrue(report.rstrip().endswith("hand-written"))

    def test_rows_run_from_the_smaller_picture_and_keep_a_fixed_order_within_one(self):
        report = self.write([
            entry("SliderStep/1280x1024/q75/packed", "median", 9.0, 3.0),
            entry("SliderStep/640x480/q75/scalar", "median", 8.0, 3.0),
            entry("SliderStep/640x480/q75/packed", "median", 7.0, 2.0),
        ])
        order = [report.index(f"| SliderStep/{n} |") for n in
                 ("640x480/q75/packed", "640x480/q75/scalar", "1280x1024/q75/packed")]
        self.assertEqual(order, sorted(order))

    def test_timeline_paint_is_judged_against_a_frame_time_and_its_build_reported(self):
        report = self.write([
            entry("TimelinePaint/month", "median", 0.4, 0.3, frames=1e6),
            entry("TimelinePaint/empty", "median", 20.0, 17.0),
            entry("TimelineBuild/month", "median", 11.0, 9.0, frames=1e6),
        ])
        self.assertIn("| TimelinePaint/month | 0.40 | 0.30 | 1000000 | met |", report)
        self.assertIn("| TimelinePaint/empty | 20.00 | 17.00 | 0 | **missed** |", report)
        self.assertIn("| TimelineBuild/month | 11.00 | 9.00 | 1000000 | reported |", report)

    def test_scan_row_takes_its_figures_from_the_counters(self):
        report = self.write([entry("BM_ScanFolderTree/manual_time", "median", 900.0, 5.0,
                                   frames=1e6, find_ms=1000.0, scan_per_find=0.9,
                                   cpu_per_find_cpu=1.2, bytes_per_frame=64.5)])
        self.assertIn("| 1000000 | 900 | 1000 | 0.90 | 1.20 | 64.5 | "
                      "ratio **missed**, memory met |", report)

    def test_conversion_is_set_beside_the_copy_of_the_output_size(self):
        report = self.write([
            entry("BM_CopyOutputBytes/1280/1024", "median", 0.5, 0.4),
            entry("BM_ConvertPacked/1280/1024", "median", 2.0, 1.6),
            entry("BM_ConvertScalar/1280/1024", "median", 4.0, 4.0),
        ])
        self.assertIn("| packed | 1.60 | 0.40 | 4.00 | 4.00 |", report)
        self.assertIn("| scalar | 4.00 | 0.40 | 10.00 | 8.00 |", report)

    def test_export_copy_is_judged_beside_jpeg_and_h264_split_by_stage(self):
        report = self.write([
            entry("ExportCopy/640x480/export-jobs1/iterations:2/manual_time", "median", 900.0,
                  0.1, frames=1000),
            entry("ExportCopy/640x480/export/iterations:2/manual_time", "median", 2400.0, 0.1,
                  frames=1000),
            entry("ExportCopy/640x480/jpeg/iterations:2/manual_time", "median", 2000.0, 0.1,
                  frames=1000),
            entry("ExportH264/640x480/export/iterations:1", "median", 2000.0, 50.0, frames=100),
            entry("ExportH264/640x480/export-jobs1/iterations:1", "median", 2500.0, 30.0,
                  frames=100),
            entry("ExportH264/640x480/decode", "median", 1.0, 1.0, frames=1),
            entry("ExportH264/640x480/decode-convert", "median", 1.5, 1.5, frames=1),
            entry("ExportH264/640x480/encode/iterations:1", "median", 1800.0, 40.0, frames=100),
        ])
        self.assertIn("| export --jobs 1 | 900 | 1111 | 0.45 | met |", report)
        self.assertIn("| export | 2400 | 417 | 1.20 | **missed** |", report)
        self.assertIn("| jpeg | 2000 | 500 | 1.00 |  |", report)
        self.assertIn("| 640x480 | 50.0 | 40.0 | 1.00 | 0.50 | 18.00 |", report)

    def test_decoder_goals_hold_the_packed_variant_to_the_tighter_ratio(self):
        # (benchmark family, variant, cpu ms beside 1.0 ms of libjpeg-turbo, verdict)
        cases = [
            ("Decode/640x480/q75", "packed", 0.75, "<= 0.75: met"),
            ("Decode/640x480/q75", "scalar", 0.80, "<= 0.85: met"),
            ("Decode/1280x1024/q90", "packed", 0.80, "<= 0.75: **missed**"),
            ("Decode/1280x1024/q90", "scalar", 0.86, "<= 0.85: **missed**"),
            ("DecodeToBgr/640x480/q75", "packed", 0.76, "<= 0.75: **missed**"),
            ("DecodeToBgr/640x480/q75", "scalar", 0.90, "<= 0.9: met"),
            ("DecodeToBgr/1280x1024/q90", "packed", 0.70, "<= 0.75: met"),
            ("DecodeToBgr/1280x1024/q90", "scalar", 0.95, "<= 0.9: **missed**"),
        ]
        entries = [entry(f"{family}/libjpeg-turbo", "median", 1.0, 1.0)
                   for family in {c[0] for c in cases}]
        entries += [entry(f"{family}/{variant}", "median", cpu, cpu)
                    for family, variant, cpu, _ in cases]
        report = self.write(entries)
        self.assertIn("Frame bytes to planes (goals: ratio <= 0.75 packed, <= 0.85 scalar)",
                      report)
        self.assertIn("BGR picture (goals: ratio <= 0.75 packed, <= 0.9 scalar)", report)
        for family, variant, cpu, want in cases:
            with self.subTest(family=family, variant=variant):
                self.assertRegex(report, rf"\| {family} \| {variant} \| {cpu:.2f} \| 1\.00 \| "
                                 rf"{cpu:.2f} \| {cpu:.2f} \| {re.escape(want)} \|")

    def test_check_is_judged_on_wall_time_with_processor_time_beside(self):
        def run(name, wall, cpu):
            return entry(f"Check/{name}/iterations:2/manual_time", "median", wall, 0.1,
                         frames=200, cpu_ms=cpu)
        report = self.write([
            run("1280x1024/jobs1", 900.0, 900.0),
            run("1280x1024/default", 450.0, 990.0),
            run("1280x1024/libjpeg-turbo", 750.0, 720.0),
            run("640x480/jobs1", 300.0, 300.0),  # no reference run: no rows for this size
        ])
        self.assertIn("folder of 200 frames", report)
        self.assertIn("| 1280x1024 | `check --jobs 1` | 900 | 900 | libjpeg-turbo program | "
                      "1.20 | 1.25 | <= 0.75: **missed** |", report)
        self.assertIn("| 1280x1024 | `check` | 450 | 990 | `check --jobs 1` | 0.50 | 1.10 | "
                      "<= 0.6: met |", report)
        self.assertIn("| 1280x1024 | libjpeg-turbo program | 750 | 720 |  |  |  |  |", report)
        self.assertNotIn("| 640x480 |", report)

    def test_a_month_is_set_beside_its_day_and_judged_on_time_and_memory(self):
        def run(name, wall, **counters):
            return entry(f"{name}/iterations:2/manual_time", "median", wall, 0.1, **counters)
        report = self.write([
            run("MonthScan/month", 4000.0, frames=2472300, bytes_per_frame=77.25),
            run("MonthScan/day", 150.0, frames=86100, bytes_per_frame=77.5),
            run("MonthViewerFirst/month", 5000.0, first_frame_ms=4800.0, peak_mb=300.0),
            run("MonthViewerFirst/day", 300.0, first_frame_ms=200.0, peak_mb=60.0),
            run("MonthViewerRead/month", 5000.0, read_ms=4700.0, peak_mb=300.0),
            run("MonthViewerRead/day", 300.0, read_ms=190.0, peak_mb=60.0),
            run("MonthCheck/month/folder", 950.0, peak_mb=34.0),
            run("MonthCheck/day/folder", 900.0, peak_mb=34.0),
            run("MonthExport/month/range10", 250.0, peak_mb=80.0),
            run("MonthExport/day/range10", 100.0, peak_mb=35.0),
        ])
        self.assertIn("A month of 2472300 frames", report)
        self.assertIn("| Scan (in process) | 4000 | 150 | 26.67 | 77.2 bytes a frame | "
                      "77.5 bytes a frame | <= 80 bytes: met |", report)
        self.assertIn("| Viewer: main to first frame | 4800 | 200 | 24.00 | 300 MB | 60 MB | "
                      "<= 500 ms: **missed** |", report)
        self.assertIn("| Viewer: main to recording read | 4700 | 190 | 24.74 | 300 MB | "
                      "60 MB | reported |", report)
        self.assertIn("| `check` of a date folder | 950 | 900 | 1.06 | 34 MB | 34 MB | "
                      "<= 2: time met, memory met |", report)
        self.assertIn("| `export` of 10 frames by range | 250 | 100 | 2.50 | 80 MB | 35 MB | "
                      "<= 2: time **missed**, memory **missed** |", report)
        self.assertNotIn("`check` of 10 frames by range", report)  # no runs, no row

    def test_without_the_month_runs_there_is_no_month_section(self):
        self.assertNotIn("A month of footage", self.write([]))

    def test_dc_only_is_judged_beside_the_full_decode_of_its_own_variant(self):
        report = self.write([
            entry("Decode/640x480/q75/packed", "median", 1.0, 1.0),
            entry("Decode/640x480/q75/scalar", "median", 2.0, 2.0),
            entry("Decode/640x480/q75/dc-only-packed", "median", 0.5, 0.4),
            entry("Decode/640x480/q75/dc-only-scalar", "median", 0.9, 0.9),
        ])
        self.assertIn("| Decode/640x480/q75 | dc-only-packed | 0.40 | 1.00 | 0.40 | 0.50 | "
                      "<= 0.45: met |", report)
        self.assertIn("| Decode/640x480/q75 | dc-only-scalar | 0.90 | 2.00 | 0.45 | 0.45 | "
                      "<= 0.45: met |", report)

    def test_activity_is_judged_on_wall_time_and_a_month_paced_beyond_the_start(self):
        def run(name, wall, cpu=1.0):
            return entry(f"Activity/{name}/iterations:2/manual_time", "median", wall, 0.1,
                         frames=200, cpu_ms=cpu)
        report = self.write([
            run("start", 10.0),
            run("1280x1024/jobs1", 210.0, 200.0),
            run("1280x1024/default", 130.0, 230.0),
            run("1280x1024/cached", 10.5),  # exactly the goal: met
            run("1280x1024/check-jobs1", 500.0),
        ])
        self.assertIn("| 1280x1024 | `activity --jobs 1` | 210 | 200 | `check --jobs 1` | 0.42 | "
                      "<= 0.5: met |", report)
        self.assertIn("| 1280x1024 | `activity` | 130 | 230 | `activity --jobs 1` | 0.62 | "
                      "<= 0.6: **missed** |", report)
        self.assertIn("| 1280x1024 | `activity`, index in the cache | 10.50 | 1.00 | "
                      "`activity --jobs 1` | 0.05 | <= 0.05: met |", report)
        self.assertIn("takes 10.00 ms", report)
        # 200 frames in 200 ms and 120 ms beyond the start: 1000 and 1667 a second.
        self.assertIn("| 1280x1024 | 1000 | 1667 | 0.72 | 0.43 |", report)

    def test_frame_start_is_judged_on_processor_time_beyond_the_libjpeg_turbo_programs(self):
        def run(name, wall, cpu):
            return entry(f"{name}/iterations:20/manual_time", "median", wall, 0.1, frames=0,
                         cpu_ms=cpu)
        for ours_cpu, want in ((4.5, "2.50 ms, <= 2 ms: **missed**"),
                               (4.0, "2.00 ms, <= 2 ms: met")):
            report = self.write([run("BM_ProgramStart/orvik_frame", 5.0, ours_cpu),
                                 run("BM_ProgramStartInEmptyFolder/libjpeg_turbo", 2.5, 2.0)])
            self.assertIn(f"| orvik-frame | 5.00 | {ours_cpu:.2f} |", report)
            self.assertIn("| libjpeg-turbo program | 2.50 | 2.00 |", report)
            self.assertIn(f"Difference in processor time: {want}.", report)
        # Without the program beside it, no section.
        self.assertNotIn("orvik-frame's start", self.write([run("BM_ProgramStart/orvik_frame",
                                                                5.0, 4.0)]))


if __name__ == "__main__":
    unittest.main()
