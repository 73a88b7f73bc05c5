#include "editors/bodydialog.h"

#include <QCloseEvent>

#include "editors/bodyeditors.h"
#include "engine/bodies.h"
#include "ui/bodynames.h"
#include "ui/text.h"
#include "ui/windowservices.h"

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

void FillBodyList(QComboBox* list, WindowServices& form) {
  ViewBodyNames(list, form.bodyNames());
  const State& s = form.state();
  const QString text = list->currentText();
  if (list->currentIndex() < 0 && !text.isEmpty() && FindBodyByName(s, Latin1Bytes(text)) == 0) {
    const QSignalBlocker block(list);
    list->setEditText(QString());
  }
}

}  // namespace molvane
