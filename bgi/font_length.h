#pragma once
// How many bytes a stroked-font file in memory spans. registerbgifont gets only a pointer,
// as classic programs pass a font linked into them, so the length comes from the font's own
// tables and stroke lists, read no further than they reach.
#include <cstddef>
#include <cstdint>

namespace bgi {

// A block without the font signature spans its four signature bytes, and one with broken
// tables its two headers: too short for the font reader, which then refuses it.
size_t FontFileLength(const uint8_t* font);

}  // namespace bgi
