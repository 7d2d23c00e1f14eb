// Keeps the clip library to one operation at a time on the UI thread. A library operation
// may show a message box, whose nested event loop delivers timer ticks, clicks and slider
// steps; whatever arrives then finds the library taken and leaves everything as it is.
#pragma once

namespace orvik {

class LibraryTurn {
  public:
    // Takes the library when it is free (busy becomes true until this turn ends).
    explicit LibraryTurn(bool& busy) : busy(busy), granted(!busy) { busy = true; }
    ~LibraryTurn() {
        if (granted) {
            busy = false;
        }
    }
    LibraryTurn(const LibraryTurn&) = delete;
    LibraryTurn& operator=(const LibraryTurn&) = delete;

    // False when another operation holds the library: the caller must leave it alone.
    explicit operator bool() const { return granted; }

  private:
    bool& busy;
    bool granted;
};

}  // namespace orvik
