#include "ui/UserDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace tolvik {

void QtUserDialogs::ShowError(QWidget* parent, const QString& text) {
  QApplication::beep();
  QMessageBox::critical(parent, QApplication::applicationName(), text);
}

void QtUserDialogs::ShowInformation(QWidget* parent, const QString& text) {
  QApplication::beep();
  QMessageBox::information(parent, QApplication::applicationName(), text);
}

bool QtUserDialogs::AskYesNo(QWidget* parent, const QString& text) {
  QApplication::beep();
  return QMessageBox::question(parent, QApplication::applicationName(), text,
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<QFont> QtUserDialogs::PickFont(QWidget* parent, const QFont& font) {
  bool confirmed = false;
  const QFont chosen = QFontDialog::getFont(&confirmed, font, parent);
  if (!confirmed) {
    return std::nullopt;
  }
  return chosen;
}

std::optional<QColor> QtUserDialogs::PickColor(QWidget* parent, const QColor& color,
                                               const QString& title) {
  const QColor chosen = QColorDialog::getColor(color, parent, title);
  if (!chosen.isValid()) {
    return std::nullopt;
  }
  return chosen;
}

std::optional<QString> QtUserDialogs::PickFolder(QWidget* parent, const QString& folder,
                                                 const QString& title) {
  const QString chosen = QFileDialog::getExistingDirectory(parent, title, folder);
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return chosen;
}

std::optional<QString> QtUserDialogs::PickFile(QWidget* parent, const QString& file,
                                               const QString& title) {
  const QString chosen = QFileDialog::getOpenFileName(parent, title, file);
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return chosen;
}

}  // namespace tolvik
