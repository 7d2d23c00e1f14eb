// The outcome of an operation that can fail with a reason. The operation returns a Status,
// or a Result<T> when it gives a value on success; the caller looks at it and returns early
// on a failure, passing the reason on. A reason
// is worded for the user, as the message that ends up on the screen ("clip.mkv: cannot be
// written: No space left on device"); success is no reason at all, not an empty text.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

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

template <typename T>
class [[nodiscard]] Result {
  public:
    // A value, or a failure (a Status that is not Ok()), as the operation returns them.
    Result(T value) : outcome_(std::move(value)) {}
    Result(Status failure) : outcome_(std::move(failure)) {}

    bool Ok() const { return std::holds_alternative<T>(outcome_); }
    // Why it failed; empty on success.
    const std::string& Why() const {
        static const std::string kNone;
        return Ok() ? kNone : std::get<Status>(outcome_).Why();
    }

    // The value; only when Ok().
    T& operator*() { return std::get<T>(outcome_); }
    const T& operator*() const { return std::get<T>(outcome_); }
    T* operator->() { return &std::get<T>(outcome_); }
    const T* operator->() const { return &std::get<T>(outcome_); }

  private:
    std::variant<T, Status> outcome_;
};

}  // namespace orvik
