#include "ui/DefaultLogFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace tolvik {

namespace {
constexpr const char* kLogFolderName = "tolvik-logs";
}  // namespace

std::filesystem::path DefaultLogFolder() {
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (documents.isEmpty()) {
    documents = QDir::homePath();
  }
  return std::filesystem::path(documents.toStdString()) / kLogFolderName;
}

}  // namespace tolvik
