#pragma once
// Inside the key buffer: the ring's size and the routines that append to it, which
// HandleKeyMessage calls on the message thread. Tests type ahead through them too.
#include <cstdint>

constexpr int KeyBufferSlots = 32;

// Each takes and releases the key buffer's lock by itself; any thread.
void PutKey(uint8_t c);
void PutExtendedKey(uint8_t code);
