// The body editors over a stand-in for the main window, so that deletions
// and additions refill the editors' lists as in the program. What the main
// window itself does with them is tested in tests/mainwindow.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <memory>

#include "../support/fakewindowservices.h"
#include "../support/windowfixture.h"
#include "editors/bodyeditors.h"

namespace molvane {

class BodyEditorsFixture : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    state = std::make_unique<State>();
    fake = std::make_unique<FakeWindowServices>(*state);
    fake->setDialogs(dialogs);
    fake->onRefreshObjectLists = [this] {
      if (editors) editors->refreshObjectLists();
    };
    form = fake.get();
    editors = std::make_unique<BodyEditors>(*form);
  }
  void TearDown() override {
    editors.reset();
    fake.reset();
    state.reset();
  }
  // Closed windows are deleted later: let that happen.
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  std::unique_ptr<FakeWindowServices> fake;
  WindowServices* form = nullptr;
  std::unique_ptr<BodyEditors> editors;
};

}  // namespace molvane
