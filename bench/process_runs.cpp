#include "bench/process_runs.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace orvik::bench {
namespace {

struct ProgramRun {
    bool succeeded = false;
    double wallSeconds = 0;
    double processorMs = 0;
};

// The processor time, user and system, of the waited-for children so far, in milliseconds.
double ChildrenProcessorMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

ProgramRun RunProgram(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);

    ProgramRun run;
    const double processorBefore = ChildrenProcessorMs();
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ) == 0) {
        int status = 0;
        pid_t waited = 0;
        while ((waited = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
        }
        run.succeeded = waited == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    run.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.processorMs = ChildrenProcessorMs() - processorBefore;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

}  // namespace

void RunProgramTimed(benchmark::State& state, const std::vector<std::string>& argv, int frames,
                     const std::function<void()>& beforeEachRun) {
    double processorMs = 0;
    for (auto _ : state) {
        if (beforeEachRun) {
            state.PauseTiming();
            beforeEachRun();
            state.ResumeTiming();
        }
        const ProgramRun run = RunProgram(argv);
        if (!run.succeeded) {
            state.SkipWithError(("failed: " + argv[0]).c_str());
            break;
        }
        state.SetIterationTime(run.wallSeconds);
        processorMs += run.processorMs;
    }
    state.counters["frames"] = frames;
    state.counters["cpu_ms"] = benchmark::Counter(processorMs, benchmark::Counter::kAvgIterations);
}

bool RunProgramOnce(const std::vector<std::string>& argv) {
    return RunProgram(argv).succeeded;
}

}  // namespace orvik::bench
