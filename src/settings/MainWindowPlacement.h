#pragma once

namespace tolvik {

// Where the main window is at the moment it closes, in pixels.
struct MainWindowPlacement {
  int Top = 0;             // top edge of the window as it stands
  int Left = 0;            // left edge of the window as it stands
  int Width = 800;         // outer width of the window as it stands
  int Height = 500;        // outer height of the window as it stands
  bool Maximized = false;  // the window fills the screen
};

}  // namespace tolvik
