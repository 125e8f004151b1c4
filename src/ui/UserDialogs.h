#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QWidget;

namespace tolvik {

// The standard boxes and pickers the windows put in front of the user. The
// program shows Qt's own; the widget tests answer them instead.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;

  // The exclamation beep, then an error box with an OK button.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  // The exclamation beep, then an information box with an OK button.
  virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
  // The exclamation beep, then a question with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;

  // The font picker preset with `font`; nothing when cancelled.
  virtual std::optional<QFont> PickFont(QWidget* parent, const QFont& font) = 0;
  // The colour picker preset with `color`; nothing when cancelled.
  virtual std::optional<QColor> PickColor(QWidget* parent, const QColor& color,
                                          const QString& title) = 0;
  // The folder picker opened at `folder`; nothing when cancelled.
  virtual std::optional<QString> PickFolder(QWidget* parent, const QString& folder,
                                            const QString& title) = 0;
  // The picker of an existing file, opened at `file`; nothing when cancelled.
  virtual std::optional<QString> PickFile(QWidget* parent, const QString& file,
                                          const QString& title) = 0;
};

// Qt's message boxes, font, colour and file dialogs.
class QtUserDialogs final : public UserDialogs {
 public:
  void ShowError(QWidget* parent, const QString& text) override;
  void ShowInformation(QWidget* parent, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
  std::optional<QFont> PickFont(QWidget* parent, const QFont& font) override;
  std::optional<QColor> PickColor(QWidget* parent, const QColor& color,
                                  const QString& title) override;
  std::optional<QString> PickFolder(QWidget* parent, const QString& folder,
                                    const QString& title) override;
  std::optional<QString> PickFile(QWidget* parent, const QString& file,
                                  const QString& title) override;
};

}  // namespace tolvik
