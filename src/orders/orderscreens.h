#pragma once
// Registers the screens of orders, styles and processes with the screen registry.

namespace orders {
void registerScreens();
}
