#pragma once
// A plain record of the display's sizes.

namespace platform {

// What GetSystemMetrics reports. The work area is what a maximised window may cover,
// caption included: SM_CXFULLSCREEN = workWidth, SM_CYFULLSCREEN = workHeight - caption.
struct ScreenMetrics {
  int screenWidth = 0, screenHeight = 0;
  int workWidth = 0, workHeight = 0;
  int frameX = 0, frameY = 0;  // SM_CXFRAME, SM_CYFRAME
  int caption = 0;             // SM_CYCAPTION
  bool mousePresent = false;
};

}  // namespace platform
