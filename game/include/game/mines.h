#pragma once
// The wandering mines and the explosion that ends the game.

void MoveMines();
[[noreturn]] void Explode();

constexpr int MineDrawLimit = 20;
