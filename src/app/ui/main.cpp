#include <QApplication>

#include "app/ui/QuilletApp.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillet"));
  QApplication::setOrganizationName(QStringLiteral("Kelmarsh"));
  quillet::app::CQuilletApp app;
  if (!app.InitInstance(QApplication::arguments())) return 1;
  return QApplication::exec();
}
