#pragma once
// Registers the screens of the application shell with the screen registry.

namespace shell {
void registerScreens();
}
