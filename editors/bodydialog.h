// What the body editors' windows share: owned by the main window and kept
// above it, deleted when closed, their unload run once on every road out,
// and the main window getting the input focus back afterwards.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <string>

#include "engine/bodies.h"
#include "engine/state.h"

class QCloseEvent;

namespace molvane {

class BodyEditors;
class WindowServices;

class BodyDialog : public QWidget {
  Q_OBJECT

 public:
  BodyDialog(BodyEditors& owner, WindowServices& form, const QString& caption);
  // Closed (unloaded) and waiting to be deleted.
  bool unloaded() const { return unloaded_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  // The window's own part of closing (open flag, timer), run once.
  virtual void formUnload() {}

  BodyEditors& owner_;
  WindowServices& form_;
  State& s_;

 private:
  bool unloaded_ = false;
};

// A body list that views the names of bodies 1..objects; a text that is
// no entry stays only when it names one of them.
void FillBodyList(QComboBox* list, WindowServices& form);

}  // namespace molvane
