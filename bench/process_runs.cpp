#include "bench/process_runs.h"

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

extern char** environ;

namespace orvik::bench {
namespace {

struct ProgramRun {
    bool succeeded = false;
    double wallSeconds = 0;
    double processorMs = 0;
    double peakMb = 0;
    std::string output;  // standard output, when asked for
};

double Ms(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// Everything the pipe gives until its writer closes it.
std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            return text;
        }
    }
}

// The kernel starts a new process's peak memory at its parent's peak (the spawn shares the
// parent's memory until the exec), so a benchmark that once held a large recording would
// show that peak for every program it runs. Resetting this process's peak to what it holds
// now, its freed memory returned first, leaves a floor of this process's own few
// megabytes under each program's figure.
void ResetOwnPeakMemory() {
    malloc_trim(0);
    const int fd = open("/proc/self/clear_refs", O_WRONLY | O_CLOEXEC);
    if (fd >= 0) {
        const ssize_t written = write(fd, "5", 1);
        static_cast<void>(written);  // without it the figures are only higher
        close(fd);
    }
}

// Runs argv to its end, its standard error thrown away and its standard output too unless
// keepOutput; the child's own processor time and peak memory from wait4.
ProgramRun RunProgram(const std::vector<std::string>& argv, bool keepOutput) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (keepOutput && pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (keepOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    } else {
        posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    }

    ProgramRun run;
    ResetOwnPeakMemory();
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const bool spawned = posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ) == 0;
    if (keepOutput) {
        close(pipeEnds[1]);
        run.output = spawned ? ReadAll(pipeEnds[0]) : "";
        close(pipeEnds[0]);
    }
    if (spawned) {
        int status = 0;
        rusage usage{};
        pid_t waited = 0;
        while ((waited = wait4(child, &status, 0, &usage)) < 0 && errno == EINTR) {
        }
        run.succeeded = waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        run.processorMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
        run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes on Linux
    }
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// The number after prefix on the output; negative when there is none.
double FigureAfter(const std::string& output, const std::string& prefix) {
    const std::size_t at = output.find(prefix);
    return at == std::string::npos ? -1 : std::strtod(output.c_str() + at + prefix.size(), nullptr);
}

}  // namespace

void RunProgramTimed(benchmark::State& state, const std::vector<std::string>& argv, int frames,
                     const std::string& prefix, const std::string& counter,
                     const std::function<void()>& beforeEachRun) {
    double processorMs = 0;
    double peakMb = 0;
    double figures = 0;
    for (auto _ : state) {
        if (beforeEachRun) {
            state.PauseTiming();
            beforeEachRun();
            state.ResumeTiming();
        }
        const ProgramRun run = RunProgram(argv, !prefix.empty());
        const double figure = prefix.empty() ? 0 : FigureAfter(run.output, prefix);
        if (!run.succeeded || figure < 0) {
            state.SkipWithError(("failed: " + argv[0]).c_str());
            break;
        }
        state.SetIterationTime(run.wallSeconds);
        processorMs += run.processorMs;
        peakMb = std::max(peakMb, run.peakMb);
        figures += figure;
    }
    state.counters["frames"] = frames;
    state.counters["cpu_ms"] = benchmark::Counter(processorMs, benchmark::Counter::kAvgIterations);
    state.counters["peak_mb"] = peakMb;
    if (!prefix.empty()) {
        state.counters[counter] = benchmark::Counter(figures, benchmark::Counter::kAvgIterations);
    }
}

void RunProgramTimed(benchmark::State& state, const std::vector<std::string>& argv, int frames,
                     const std::function<void()>& beforeEachRun) {
    RunProgramTimed(state, argv, frames, "", "", beforeEachRun);
}

bool RunProgramOnce(const std::vector<std::string>& argv) {
    return RunProgram(argv, false).succeeded;
}

}  // namespace orvik::bench
