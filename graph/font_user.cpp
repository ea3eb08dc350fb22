// User character sizes and fonts registered from memory.
#include <algorithm>
#include <string>
#include <utility>

#include "font_file.h"
#include "graph/settings.h"
#include "graph/text.h"
#include "graph_state.h"

void SetUserCharSize(int32_t multX, int32_t divX, int32_t multY, int32_t divY) {
  if (divX <= 0 || divY <= 0 || multX < 0 || multY < 0) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.TextSettings.XScale = static_cast<float>(double(multX) / divX);
  Graph.TextSettings.YScale = static_cast<float>(double(multY) / divY);
}

int16_t RegisterBGIfont(std::span<const uint8_t> fontFile) {
  FontEntry loaded;
  if (LoadFontFromBytes(fontFile, loaded) != grOk) {
    Graph.ResultCode = grInvalidFont;
    return grInvalidFont;
  }
  // The font's name: four characters after the two bytes of header size.
  std::string name(reinterpret_cast<const char*>(loaded.Info) + 2, 4);
  name = name.substr(0, name.find_first_of(std::string(" \0", 2)));
  int16_t number = 0;
  for (int16_t i = 1; i <= NumFonts; ++i) {
    if (name == Fonts[i].Name) number = i;
  }
  if (number == 0) {
    number = static_cast<int16_t>(InstallUserFont(name));
    if (number == 0) return grError;  // the registry is full; InstallUserFont said so
  }
  std::string_view kept = std::string_view(name).substr(0, 8);
  Fonts[number] = std::move(loaded);
  std::copy(kept.begin(), kept.end(), Fonts[number].Name);
  Graph.ResultCode = grOk;
  return number;
}
