#pragma once
// Reading a stroked-font file into a registry entry. The file is untrusted: anything
// short, truncated or inconsistent is refused and the entry is left as it was.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graph/settings.h"
#include "graph/text.h"

// Fills entry from the bytes of a whole font file; grOk or grInvalidFont.
int16_t LoadFontFromBytes(std::span<const uint8_t> file, FontEntry& entry);

enum class FontFileRead { Ok, NotFound, Invalid };

// Reads a whole font file: NotFound when there is no regular file of that name, Invalid when
// it cannot be read or is larger than any font.
FontFileRead ReadFontFile(const std::string& name, std::vector<uint8_t>& bytes);
