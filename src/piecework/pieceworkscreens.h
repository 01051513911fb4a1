#pragma once
// Registers the screens of piece-work collection with the screen registry.

namespace piecework {
void registerScreens();
}
