#pragma once
// Runs a user action and turns any escaping error into the standard error box, so that a
// failing statement stops the action without taking the program down.

#include <functional>

class QWidget;

// Returns false when the action failed (the error has been shown).
bool guarded(const std::function<void()>& action, QWidget* parent = nullptr);
