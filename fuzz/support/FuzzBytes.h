#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tolvik::fuzzing {

// Reads a fuzz input from the front: single bytes for the choices a harness
// makes, then the rest as the payload. Past the end every byte reads as 0,
// so a short input still makes every choice.
class FuzzBytes {
 public:
  FuzzBytes(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  std::uint8_t Next() {
    if (position_ >= bytes_.size()) {
      return 0;
    }
    return bytes_[position_++];
  }

  // The bytes not taken yet.
  std::span<const std::uint8_t> Rest() const { return bytes_.subspan(position_); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

// Whether bit `bit` of `flags` is set.
constexpr bool FlagSet(std::uint8_t flags, int bit) {
  return ((flags >> bit) & 1) != 0;
}

}  // namespace tolvik::fuzzing
