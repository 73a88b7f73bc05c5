// Molvane: starts the main window on the situation named on the command
// line, or on the one the previous run left behind.
#include <QApplication>
#include <memory>

#include "engine/state.h"
#include "mainwindow/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  QCoreApplication::setOrganizationName(QString());

  auto state = std::make_unique<molvane::State>();
  molvane::Form1 form(*state);
  form.startUp(molvane::Form1::CommandLineText(QCoreApplication::arguments()));
  return app.exec();
}
