#pragma once
// The ten classic stroke fonts linked into the library, whole font files made at build time
// from the Hershey vector fonts by scripts/hershey-to-chr (the mapping is written there).
#include <cstdint>
#include <span>

namespace bgi {

struct BuiltInFont {
  const char* name;  // the registry entry it fills: "TRIP", "LITT", ...
  std::span<const uint8_t> file;
};

// In font number order, TRIP first.
std::span<const BuiltInFont> BuiltInFonts();

}  // namespace bgi
