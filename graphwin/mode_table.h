#pragma once
// The driver's modes, registered with the graphics layer at program initialisation.

// Fills the layer's start hooks and registers every mode that fits the screen, once.
void RegisterDriverModes();

// Whether windows opened now are palette windows (UsePaletteWindows in graphwin/driver.h).
bool PaletteWindowsInUse();
