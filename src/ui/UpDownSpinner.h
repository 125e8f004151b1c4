#pragma once

#include <QToolButton>
#include <QWidget>

#include <functional>

namespace tolvik {

// An up-down spinner without a text of its own (UpDown1, UpDown2): two arrow
// buttons that step a position by 1 within a range. A label beside it shows
// what the position means. Setting the position from code runs no handler;
// each click runs `on_click` after the position has moved.
class UpDownSpinner final : public QWidget {
 public:
  UpDownSpinner(QWidget* parent, int minimum, int maximum);

  void SetOnClick(std::function<void()> on_click) { on_click_ = std::move(on_click); }
  void SetPosition(int position);
  int Position() const { return position_; }

  // As a click on the upper or the lower arrow.
  void ClickUp() { Step(+1); }
  void ClickDown() { Step(-1); }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void Step(int delta);

  QToolButton* up_;    // owned by this widget
  QToolButton* down_;  // owned by this widget
  int minimum_;
  int maximum_;
  int position_;
  std::function<void()> on_click_;
};

}  // namespace tolvik
