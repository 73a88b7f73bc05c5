#include "editors/bodydialog.h"

#include <QCloseEvent>

#include "editors/bodyeditors.h"
#include "engine/bodies.h"
#include "ui/editablelist.h"
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

void FillBodyList(QComboBox* list, const State& s) {
  QStringList names;
  for (int i = 1; i <= BodyCount(s); ++i) names.append(Latin1(s.objname[i]));
  RefillEditableList(list, names);
}

}  // namespace molvane
