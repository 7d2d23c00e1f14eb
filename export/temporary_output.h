// An output file written under a temporary name in the same folder and renamed to its own
// name only when it is whole: until then the folder holds no file of that name, and a
// failed or cancelled output leaves nothing behind.
#pragma once

#include <string>

#include "platform/status.h"

namespace orvik {

class TemporaryOutput {
  public:
    explicit TemporaryOutput(std::string finalPath);
    // Removes the temporary file unless it was committed.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // Makes the empty temporary file (".NAME.PID.N.part" beside the output, a name no
    // other file has).
    Status Create();
    const std::string& Path() const { return temporaryPath_; }
    // Renames the temporary file to the output's name, replacing a file of that name.
    Status Commit();

  private:
    std::string finalPath_;
    std::string temporaryPath_;  // empty until made, and again once committed
};

}  // namespace orvik
