// Automatic detection: the last depth driver that has modes wins, with its highest mode.
#include "graph/graph.h"
#include "layer_internal.h"

void DetectGraphMode(int16_t& driver, int16_t& mode, bool keepGivenDepthDriver) {
  int16_t bestDriver = 0;
  int16_t bestMode = 0;
  int16_t lowest = -1, highest = -1;
  if (keepGivenDepthDriver && IsDepthDriver(driver)) {
    GetModeRange(driver, lowest, highest);
    if (highest != -1) {
      bestDriver = driver;
      bestMode = highest;
    }
  } else {
    driver = 11;
    for (;;) {
      GetModeRange(driver, lowest, highest);
      if (highest != -1) break;
      if (driver == 21) {
        Graph.ResultCode = grNotDetected;
        return;
      }
      ++driver;
    }
    for (int16_t d = driver; d <= 21; ++d) {
      GetModeRange(d, lowest, highest);
      if (highest != -1) {
        bestDriver = d;
        bestMode = highest;
      }
    }
  }
  if (bestMode == 0) {
    Graph.ResultCode = grNotDetected;
    return;
  }
  Graph.ResultCode = grOk;
  driver = bestDriver;
  mode = bestMode;
}

void DetectGraph(int16_t& driver, int16_t& mode) {
  DetectGraphMode(driver, mode, false);
}
