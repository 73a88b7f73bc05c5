// The body editors over a stand-in for the main window, so that deletions
// and additions refill the editors' lists as in the program; the few tests
// of what the main window itself does with them build the real one.
#pragma once

#include <QCoreApplication>
#include <QEvent>

#include "../mainwindow/form1_support.h"
#include "../support/fakewindowservices.h"
#include "editors/bodyeditors.h"

namespace molvane {

struct EditorsForwarder : NoInstrumentWindows {
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

class BodyEditorsFixture : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    state = std::make_unique<State>();
    if (onMainWindow()) {
      mainWindow = std::make_unique<Form1>(*state);
      mainWindow->setDialogs(dialogs);
      auto f = std::make_unique<EditorsForwarder>();
      forwarder = f.get();
      mainWindow->setInstrumentWindows(std::move(f));
      form = mainWindow.get();
    } else {
      fake = std::make_unique<FakeWindowServices>(*state);
      fake->setDialogs(dialogs);
      fake->onRefreshObjectLists = [this] {
        if (editors) editors->refreshObjectLists();
      };
      form = fake.get();
    }
    editors = std::make_unique<BodyEditors>(*form);
    if (forwarder) forwarder->editors = editors.get();
  }
  void TearDown() override {
    if (forwarder) forwarder->editors = nullptr;
    editors.reset();
    mainWindow.reset();
    fake.reset();
    state.reset();
  }
  // The fixture of the tests that need the real main window says so.
  virtual bool onMainWindow() const { return false; }
  // Closed windows are deleted later: let that happen.
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::unique_ptr<FakeWindowServices> fake;
  std::unique_ptr<Form1> mainWindow;
  EditorsForwarder* forwarder = nullptr;
  WindowServices* form = nullptr;
  std::unique_ptr<BodyEditors> editors;
};

}  // namespace molvane
