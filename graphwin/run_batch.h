#pragma once
// The driver's routine for the Runs slot: many rows and columns of pixels under one lock.
#include <cstddef>

#include "graph/mode_record.h"

// Each run is clipped and drawn as DriverHLine or DriverVLine would draw it; in copy mode
// all of them under one hold of graphLock.
void DriverRuns(const PixelRun* runs, size_t count);
