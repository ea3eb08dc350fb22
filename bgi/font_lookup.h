#pragma once
// Where the C front finds a stroked font: a file NAME.CHR in the folder that initgraph was
// given, then in the current folder, then the fonts built into the library.
#include <cstdint>
#include <string>
#include <string_view>

namespace bgi {

// The folder of initgraph's driver path as a DOS program wrote it: outside Windows its
// backslashes become slashes and a drive letter is dropped ("C:\TC\BGI" is "/TC/BGI/").
// Empty (the current folder) for an empty path.
std::string FontFolder(std::string_view driverPath);

// Remembers initgraph's driver path for the lookups that follow.
void SetFontPath(std::string_view driverPath);

// Loads the registry entry of font number into memory unless it is already: grOk, or
// grFontNotFound when no file and no built-in font has its name, or grInvalidFont when the
// file found is no font. Numbers outside the registry are left to settextstyle to refuse.
int16_t LoadFontForUse(uint16_t number);

}  // namespace bgi
