// The registry of modes: every registered record in order, and per colour depth a list
// sorted by size whose positions are the depth driver's mode numbers.
#include <deque>
#include <memory>
#include <vector>

#include "graph/graph.h"
#include "layer_internal.h"

ModeRecord* ModeList = nullptr;
DepthModeRangeType DepthModeRange[DepthDriverCount] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
                                                       {-1, -1}, {-1, -1}, {-1, -1}, {-1, -1},
                                                       {-1, -1}, {-1, -1}, {-1, -1}};

namespace {

// Owns the heap copies; ModeList and the Next links point into it.
std::deque<std::unique_ptr<ModeRecord>> ownedRecords;
// One list per depth driver 11..21, ordered by (MaxX, MaxY); index + 1 is the mode number.
std::vector<const ModeRecord*> depthModeList[DepthDriverCount];

constexpr int16_t FirstDepthDriver = 11;
constexpr int16_t LastDepthDriver = 21;

struct Resolution {
  uint16_t width, height;
};
constexpr Resolution ResolutionCodes[15] = {{320, 200},   {320, 256},   {320, 400},  {512, 384},
                                            {640, 200},   {640, 256},   {640, 350},  {640, 400},
                                            {640, 480},   {800, 600},   {832, 624},  {1024, 768},
                                            {1280, 1024}, {1600, 1200}, {2048, 1536}};

std::vector<const ModeRecord*>& DepthList(int16_t driver) {
  return depthModeList[driver - FirstDepthDriver];
}

}  // namespace

bool IsDepthDriver(int16_t driver) {
  return driver >= FirstDepthDriver && driver <= LastDepthDriver;
}

int16_t DepthDriverOf(int32_t colors) {
  switch (colors) {
    case 2:
      return 11;
    case 4:
      return 12;
    case 16:
      return 13;
    case 64:
      return 14;
    case 256:
      return 15;
    case 4096:
      return 16;
    case 32768:
      return 17;
    case 65536:
      return 18;
    default:
      return 0;
  }
}

void AddMode(const ModeRecord& record) {
  auto copy = std::make_unique<ModeRecord>(record);
  copy->Next = nullptr;
  if (copy->ModeName.size() > 32) copy->ModeName.resize(32);
  ModeRecord* added = copy.get();
  if (ownedRecords.empty()) {
    ModeList = added;
  } else {
    ownedRecords.back()->Next = added;
  }
  ownedRecords.push_back(std::move(copy));

  int16_t depth = DepthDriverOf(added->MaxColor);
  if (depth == 0) return;
  auto& list = DepthList(depth);
  auto at = list.begin();
  while (at != list.end() &&
         ((*at)->MaxX < added->MaxX || ((*at)->MaxX == added->MaxX && (*at)->MaxY < added->MaxY))) {
    ++at;
  }
  if (at != list.end() && (*at)->MaxX == added->MaxX && (*at)->MaxY == added->MaxY) {
    *at = added;  // the later registration of a size replaces the earlier one
  } else {
    list.insert(at, added);
  }
  DepthModeRange[depth - FirstDepthDriver] = {1, static_cast<int16_t>(list.size())};
}

const ModeRecord* SearchMode(int16_t driver, int16_t& mode) {
  if (IsDepthDriver(driver)) {
    const auto& list = DepthList(driver);
    if (list.empty()) return nullptr;
    if (mode == LowestMode) {
      mode = 1;
      return list.front();
    }
    if (mode == HighestMode) {
      mode = static_cast<int16_t>(list.size());
      return list.back();
    }
    if (mode >= 30001 && mode <= 30015) {
      const Resolution& r = ResolutionCodes[mode - 30001];
      for (const ModeRecord* rec : list) {
        if (rec->MaxX == r.width - 1 && rec->MaxY == r.height - 1) return rec;
      }
      return nullptr;
    }
    if (mode >= 1 && static_cast<size_t>(mode) <= list.size()) return list[mode - 1];
    return nullptr;
  }
  // Other drivers: the lowest and highest special numbers pick the smallest and largest
  // mode number the driver registered.
  if (mode == LowestMode || mode == HighestMode) {
    const ModeRecord* found = nullptr;
    for (const ModeRecord* rec = ModeList; rec; rec = rec->Next) {
      if (rec->DriverNumber != driver) continue;
      if (!found || (mode == LowestMode ? rec->ModeNumber < found->ModeNumber
                                        : rec->ModeNumber > found->ModeNumber)) {
        found = rec;
      }
    }
    if (found) mode = found->ModeNumber;
    return found;
  }
  for (const ModeRecord* rec = ModeList; rec; rec = rec->Next) {
    if (rec->DriverNumber == driver && rec->ModeNumber == mode) return rec;
  }
  return nullptr;
}

void GetModeRange(int16_t driver, int16_t& lowest, int16_t& highest) {
  highest = -1;
  int16_t mode = LowestMode;
  if (!SearchMode(driver, mode)) {
    lowest = -1;
    return;
  }
  lowest = mode;
  mode = HighestMode;
  SearchMode(driver, mode);
  highest = mode;
}

void FreeModeRegistry() {
  for (auto& list : depthModeList) list.clear();
  for (auto& range : DepthModeRange) range = {-1, -1};
  ModeList = nullptr;
  ownedRecords.clear();
}
