#pragma once
// Not part of the layer's interface: for its tests only.

// Puts the layer back into its state at program start (empty registries, no fonts, no
// hooks), so that tests can start it again with StartGraphLayer.
void ResetGraphLayerForTests();
