#pragma once
// In entry screens Enter moves the focus to the next control, as Tab does, and is swallowed.

class QWidget;

// Installs the behaviour on every input control under screen that exists now. Buttons, grids
// and multi-line editors keep their own Enter. A control with the property
// "enterMovesFocus" set to false is skipped.
void installEnterMovesFocus(QWidget* screen);
