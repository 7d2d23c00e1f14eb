// Whole programs timed as benchmarks: each iteration starts the program (no shell between),
// its output thrown away, and waits for its end; the iteration's time is the wall time, and
// the counter "cpu_ms" the processor time the program used (all its threads), since a run
// on several processors finishes sooner on the wall than it works.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

namespace orvik::bench {

// Runs argv (argv[0] the program's path) once an iteration; a run that fails or exits with
// anything but 0 skips the benchmark. The counter "frames" is the frames a run handles,
// "peak_mb" the largest resident memory a run reached (its ru_maxrss). beforeEachRun, when
// given, is called before each run, outside the time (to empty a cache, say). Register the
// benchmark with UseManualTime().
void RunProgramTimed(benchmark::State& state, const std::vector<std::string>& argv, int frames,
                     const std::function<void()>& beforeEachRun = {});

// Runs argv once, untimed; whether it exited with 0.
bool RunProgramOnce(const std::vector<std::string>& argv);

// RunProgramTimed for a program that prints a figure of its own, "PREFIX <number>" on a
// line of its standard output: the mean of the numbers is the counter named counter.
void RunProgramTimed(benchmark::State& state, const std::vector<std::string>& argv, int frames,
                     const std::string& prefix, const std::string& counter,
                     const std::function<void()>& beforeEachRun = {});

}  // namespace orvik::bench
