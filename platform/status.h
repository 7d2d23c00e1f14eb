// The outcome of an operation that can fail with a reason. The operation returns a Status;
// the caller looks at it and returns early on a failure, passing the reason on. A reason
// is worded for the user, as the message that ends up on the screen ("clip.mkv: cannot be
// written: No space left on device"); success is no reason at all, not an empty text.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace orvik {

class [[nodiscard]] Status {
  public:
    // Success.
    Status() = default;
    static Status Failure(std::string why) { return Status(std::move(why)); }

    bool Ok() const { return !why_.has_value(); }
    // Why it failed; empty on success.
    const std::string& Why() const { return why_ ? *why_ : kNoReason; }

  private:
    explicit Status(std::string why) : why_(std::move(why)) {}

    inline static const std::string kNoReason;
    std::optional<std::string> why_;
};

}  // namespace orvik
