#pragma once

#include <cstdint>

namespace framework {

// An opaque RGB colour, one byte per channel, as windows, controls and shapes store it.
struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  // From the &hRRGGBB form in which the program writes colours.
  static constexpr Colour FromRgb(std::uint32_t rrggbb) {
    return Colour{static_cast<std::uint8_t>((rrggbb >> 16) & 0xFF),
                  static_cast<std::uint8_t>((rrggbb >> 8) & 0xFF),
                  static_cast<std::uint8_t>(rrggbb & 0xFF)};
  }
  constexpr std::uint32_t Rgb() const {
    return (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | std::uint32_t{blue};
  }

  friend constexpr bool operator==(const Colour&, const Colour&) = default;
};

}  // namespace framework
