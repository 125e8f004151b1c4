#pragma once

#include <QWidget>

namespace tolvik {

// The eye pattern window, shown by the main window's "Eye Pattern" button
// (not modally). The drawing itself comes with the signal displays.
class TForm3 final : public QWidget {
 public:
  TForm3();
};

}  // namespace tolvik
