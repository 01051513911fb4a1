#pragma once
// Registers the screens of personnel and organisation with the screen registry.

namespace personnel {
void registerScreens();

// Each part of the subsystem registers its own screens.
void registerRegisterScreens();
void registerDictionaryScreens();
void registerLeavingScreens();
}
