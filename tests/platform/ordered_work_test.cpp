// Work handed out in order whatever the number of workers and however slow the taker: each
// index once, in order, never more than a few results ahead, and a run given up halfway
// ends without waiting for the rest. Run under ThreadSanitizer with the threaded tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <thread>
#include <vector>

#include "platform/ordered_work.h"

namespace orvik {
namespace {

// Jobs that each give "worker:index" and count what they made.
std::vector<OrderedWork<std::string>::Job> CountingJobs(std::size_t workers,
                                                        std::atomic<std::size_t>& made) {
    std::vector<OrderedWork<std::string>::Job> jobs;
    for (std::size_t w = 0; w < workers; ++w) {
        jobs.push_back([w, &made](std::size_t index) {
            made.fetch_add(1);
            return std::to_string(w) + ":" + std::to_string(index);
        });
    }
    return jobs;
}

std::size_t IndexOf(const std::string& result) {
    return std::stoul(result.substr(result.find(':') + 1));
}

TEST(OrderedWork, EachIndexComesOnceInOrderForAnyNumberOfWorkers) {
    for (const std::size_t workers : {1u, 2u, 5u}) {
        for (const std::size_t count : {0u, 1u, 7u, 500u}) {
            SCOPED_TRACE(std::to_string(workers) + " workers, " + std::to_string(count));
            std::atomic<std::size_t> made = 0;
            OrderedWork<std::string> work(count, CountingJobs(workers, made));
            std::vector<std::size_t> seen;
            for (std::size_t i = 0; i < count; ++i) {
                seen.push_back(IndexOf(work.Next()));
            }
            std::vector<std::size_t> want(count);
            for (std::size_t i = 0; i < count; ++i) {
                want[i] = i;
            }
            EXPECT_EQ(seen, want);
            EXPECT_EQ(made.load(), count);
        }
    }
}

// A taker that takes nothing lets the workers run only a few results ahead: memory stays
// bounded however far behind it falls, and giving up ends the run at once.
TEST(OrderedWork, WorkersStayAFewResultsAheadAndStopWhenGivenUp) {
    constexpr std::size_t kWorkers = 3;
    std::atomic<std::size_t> made = 0;
    {
        OrderedWork<std::string> work(100000, CountingJobs(kWorkers, made));
        EXPECT_EQ(IndexOf(work.Next()), 0u);
        // Long enough for every worker to fill what it may fill.
        for (int spin = 0; spin < 200 && made.load() < 1 + 2 * kWorkers; ++spin) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    EXPECT_GE(made.load(), 1u);
    EXPECT_LE(made.load(), 1 + 2 * kWorkers);
}

}  // namespace
}  // namespace orvik
