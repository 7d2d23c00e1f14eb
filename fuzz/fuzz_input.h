// FuzzInput: the fuzzer's bytes taken from the front as small numbers, choices and texts.
// Past the end every read gives 0 (or an empty text), so any input is a whole program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvik::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return at_ >= size_; }

    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    // Big-endian; the reads are sequenced by statements, as the operands of | are not.
    std::uint16_t Word() {
        const std::uint16_t high = Byte();
        return static_cast<std::uint16_t>(high << 8 | Byte());
    }
    std::uint32_t Long() {
        const std::uint32_t high = Word();
        return high << 16 | Word();
    }
    bool Bit() { return (Byte() & 1) != 0; }

    // A text of up to maxLength bytes, ended by a zero byte or by the input; never holds 0.
    std::string Text(std::size_t maxLength) {
        std::string text;
        while (text.size() < maxLength && at_ < size_) {
            const char c = static_cast<char>(data_[at_++]);
            if (c == '\0') {
                break;
            }
            text += c;
        }
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace orvik::fuzz
