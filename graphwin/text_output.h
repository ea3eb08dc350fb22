#pragma once
// The driver's text routine, the OutTextXY slot of every mode record.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

void DriverOutTextXY(int16_t x, int16_t y, std::string_view text);

// The line written to standard output for each character image that cannot be made.
inline constexpr std::string_view GlyphImageFailureLine = "Bitmap konnte nicht erzeugt werden!";

// Makes the image of a character for the glyph cache (direction 0 horizontal, 1 vertical);
// nullopt when it cannot be made. A routine slot, so that a program or a test can supply
// its own images.
using GlyphImageMaker = std::optional<std::array<uint8_t, 8>> (*)(uint8_t code, int direction);
extern GlyphImageMaker MakeGlyphImage;
std::optional<std::array<uint8_t, 8>> MakeGlyphImageFromFont(uint8_t code, int direction);
