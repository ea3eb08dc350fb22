#pragma once
// The layer's process-wide state as the layer itself and the window driver write it. Other
// drivers read it through LayerState() (graph/driver_interface.h).
#include "graph/driver_interface.h"

extern GraphState Graph;

// Puts the line settings and the write mode back as they were when it was made, on every
// way out of the routine that made it.
class SavedLineState {
 public:
  SavedLineState() : line_(Graph.LineSettings), writeMode_(Graph.WriteMode) {}
  ~SavedLineState() {
    Graph.LineSettings = line_;
    Graph.WriteMode = writeMode_;
  }
  SavedLineState(const SavedLineState&) = delete;
  SavedLineState& operator=(const SavedLineState&) = delete;

 private:
  LineSettingsType line_;
  uint16_t writeMode_;
};
