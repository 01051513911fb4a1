#pragma once
// Registers the screens of cutting and bundle tickets with the screen registry.

namespace cutting {
void registerScreens();
}
