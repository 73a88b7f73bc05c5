#include "editors/bodydialog.h"

#include <QCloseEvent>

#include "editors/bodyeditors.h"
#include "engine/bodies.h"
#include "mainwindow/windowservices.h"
#include "ui/text.h"

namespace molvane {

BodyDialog::BodyDialog(BodyEditors& owner, WindowServices& form, const QString& caption)
    : QWidget(&form.mainWidget(), Qt::Dialog), owner_(owner), form_(form), s_(form.state()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  setWindowIcon(form.mainWidget().windowIcon());
}

void BodyDialog::closeEvent(QCloseEvent* e) {
  if (!unloaded_) {
    unloaded_ = true;
    formUnload();
    form_.mainWidget().activateWindow();
  }
  QWidget::closeEvent(e);
}

void FillBodyList(QComboBox* list, const State& s) {
  const QString typed = list->currentText();
  list->blockSignals(true);
  list->clear();
  for (int i = 1; i <= BodyCount(s); ++i) list->addItem(Latin1(s.objname[i]));
  if (list->isEditable()) {
    list->setCurrentIndex(-1);
    list->setEditText(typed);
  } else {
    list->setCurrentIndex(-1);
  }
  list->blockSignals(false);
}

}  // namespace molvane
