// A main window with the body editors behind its instrument windows, so
// that deletions and additions refill the editors' lists as in the program.
#pragma once

#include <QCoreApplication>
#include <QEvent>

#ifndef MOLVANE_EXAMPLES_DIR
#define MOLVANE_EXAMPLES_DIR ""
#endif
#include "../mainwindow/form1_support.h"
#include "editors/bodyeditors.h"

namespace molvane {

struct EditorsForwarder : InstrumentWindows {
  BodyEditors* editors = nullptr;
  void show(InstrumentWindow w, bool reloadFirst) override {
    if (editors) editors->show(w, reloadFirst);
  }
  bool isShown(InstrumentWindow w) const override { return editors && editors->isShown(w); }
  void close(InstrumentWindow w) override {
    if (editors) editors->close(w);
  }
  void refreshObjectLists() override {
    if (editors) editors->refreshObjectLists();
  }
};

class BodyEditorsFixture : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    auto f = std::make_unique<EditorsForwarder>();
    forwarder = f.get();
    form->setInstrumentWindows(std::move(f));
    editors = std::make_unique<BodyEditors>(*form);
    forwarder->editors = editors.get();
  }
  void TearDown() override {
    forwarder->editors = nullptr;
    editors.reset();
    Form1Fixture::TearDown();
  }
  // Closed windows are deleted later: let that happen.
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  EditorsForwarder* forwarder = nullptr;
  std::unique_ptr<BodyEditors> editors;
};

}  // namespace molvane
