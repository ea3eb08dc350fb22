#pragma once
// The layer's process-wide state as the layer itself and the window driver write it. Other
// drivers read it through LayerState() (graph/driver_interface.h).
#include "graph/driver_interface.h"

extern GraphState Graph;

// Puts one field of the state back as it was when the guard was made, on every way out of
// the scope that made it.
template <typename T>
class SavedField {
 public:
  explicit SavedField(T& field) : field_(field), saved_(field) {}
  ~SavedField() { field_ = saved_; }
  SavedField(const SavedField&) = delete;
  SavedField& operator=(const SavedField&) = delete;

 private:
  T& field_;
  T saved_;
};

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
