#pragma once
// Input sequences as the platform reports them, for anything with the window system's input
// calls (the window system itself, a form on it).
namespace fw::windowing {

// Move, press and release: the click follows the release.
template <class Input>
void Click(Input& input, int x, int y) {
  input.MoveMouse(x, y);
  input.MouseDown();
  input.MouseUp();
}

// Two clicks in quick succession: down, up, click, then the double-click notification in place
// of the second down, then up.
template <class Input>
void DoubleClick(Input& input, int x, int y) {
  Click(input, x, y);
  input.DoubleClickPress();
  input.MouseUp();
}

}  // namespace fw::windowing
