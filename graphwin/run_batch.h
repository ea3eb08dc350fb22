#pragma once
// The driver's runs of pixels: the Runs slot, and the one routine behind it, HLine and VLine.
#include <cstddef>

#include "graph/mode_record.h"

// The Runs slot: every run drawn as DriverHLine or DriverVLine would draw it, all of them
// under one hold of graphLock.
void DriverRuns(const PixelRun* runs, size_t count);

// Draws the runs in the current colour and write mode, clipped by the rule of every run
// (graph/run_clip.h). Expects graphLock to be held.
void DrawRunsLocked(const PixelRun* runs, size_t count);
