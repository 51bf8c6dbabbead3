#pragma once

// Enter, on the main keys or the keypad, presses the focused push button as Space does, in
// every window, though the designs give no window a default button.
void LetEnterPressButtons();
