// A progress line on standard error, redrawn in place at most four times a second, and
// only when standard error is a terminal: a pipe or a file gets nothing of it.
#pragma once

#include <chrono>
#include <string>

namespace orvik {

class ProgressLine {
  public:
    ProgressLine();
    // Whether the line is to be redrawn now; callers make its text only then.
    bool Due() const;
    void Show(const std::string& text);
    void Clear();

  private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point next_;
};

}  // namespace orvik
