#pragma once
// The shape of well-formed UTF-8, for the bytes that come from the keyboard and those that
// go to the console rows.
#include <cstddef>

namespace platform::terminal {

// The length of the character that lead begins; 0 for a byte that begins none.
inline size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xc2 && lead <= 0xdf) return 2;
  if (lead >= 0xe0 && lead <= 0xef) return 3;
  if (lead >= 0xf0 && lead <= 0xf4) return 4;
  return 0;
}

// Whether c may stand at position (1 or later) of a character that lead begins. The second
// byte's range rules out the overlong forms, the surrogates and codes beyond U+10FFFF; the
// later ones are any continuation byte.
inline bool Utf8Continues(unsigned char lead, size_t position, unsigned char c) {
  if ((c & 0xc0) != 0x80) return false;
  if (position != 1) return true;
  switch (lead) {
    case 0xe0:
      return c >= 0xa0;
    case 0xed:
      return c <= 0x9f;
    case 0xf0:
      return c >= 0x90;
    case 0xf4:
      return c <= 0x8f;
    default:
      return true;
  }
}

}  // namespace platform::terminal
