#include "snippets/ui/ShippedSnippetFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillet::snippets {

std::string ShippedSnippetFolder() {
  const QString installed =
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/quillet"));
  if (QFileInfo::exists(installed + QStringLiteral("/samples.xml"))) {
    return QDir::cleanPath(installed).toStdString();
  }
  return QUILLET_BUILD_SHARE_DIR;
}

}  // namespace quillet::snippets
