#include "font_lookup.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

#include "arguments.h"
#include "builtin_fonts.h"
#include "font_file.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "graph_state.h"

namespace bgi {

namespace {

std::string fontFolder;

// nullopt when there is no such file; else grOk, or grInvalidFont for a file that is no font.
std::optional<int16_t> LoadFromFile(const std::string& path, FontEntry& entry) {
  std::vector<uint8_t> bytes;
  const FontFileRead read = ReadFontFile(path, bytes);
  if (read == FontFileRead::NotFound) return std::nullopt;
  if (read == FontFileRead::Invalid) return grInvalidFont;
  return LoadFontFromBytes(bytes, entry);
}

// Registered as a program registers a font linked into it.
int16_t LoadBuiltIn(const FontEntry& entry) {
  const auto fonts = BuiltInFonts();
  const auto font = std::find_if(fonts.begin(), fonts.end(), [&](const BuiltInFont& f) {
    return std::string_view(f.name) == entry.Name;
  });
  if (font == fonts.end()) return grFontNotFound;
  // Registration reports grOk, which would clear a code the program has not read yet.
  const int16_t pending = Graph.ResultCode;
  const int number = registerbgifont(font->file.data());
  Graph.ResultCode = pending;
  return number > 0 ? grOk : grInvalidFont;
}

}  // namespace

std::string FontFolder(std::string_view driverPath) {
  std::string folder(driverPath);
#ifndef _WIN32
  if (folder.size() >= 2 && folder[1] == ':' && std::isalpha(uint8_t(folder[0]))) {
    folder.erase(0, 2);
  }
  std::replace(folder.begin(), folder.end(), '\\', '/');
#endif
  // "C:" alone is the current folder of that drive.
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\' && folder.back() != ':') {
    folder += '/';
  }
  return folder;
}

void SetFontPath(std::string_view driverPath) {
  fontFolder = FontFolder(driverPath);
}

int16_t LoadFontForUse(uint16_t number) {
  if (number == DefaultFont || number > NumFonts || !Fonts[number].Data.empty()) return grOk;
  FontEntry& entry = Fonts[number];
  std::vector<std::string> folders{fontFolder};
  if (!fontFolder.empty()) folders.emplace_back();  // the current folder
  // A folder without the file is passed over; a file that is there but no font ends the search.
  for (const std::string& folder : folders) {
    if (auto result = LoadFromFile(folder + entry.Name + ".CHR", entry)) return *result;
  }
  return LoadBuiltIn(entry);
}

}  // namespace bgi
