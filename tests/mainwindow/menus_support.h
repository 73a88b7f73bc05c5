// Pieces shared by the menu, file-command and box-slot tests: a stand-in
// for the instrument windows that records what the main window asks of it,
// and a main window whose file dialogs are answered from a queue.
#pragma once

#include <QDir>
#include <QFile>
#include <ostream>
#include <string>
#include <vector>

#include "form1_support.h"
#include "mainwindow/menus.h"
#include "ui/instrumentwindows.h"

namespace molvane {

struct RecordingInstruments : NoInstrumentWindows {
  struct Call {
    std::string what;
    int a = 0;
    bool operator==(const Call&) const = default;
    friend void PrintTo(const Call& c, std::ostream* os) { *os << c.what << " " << c.a; }
  };
  std::vector<Call> calls;
  bool refBoxShown = false;
  static std::string KindName(BoxKind k) {
    return k == BoxKind::Distance ? "distance" : k == BoxKind::Orbit ? "orbit" : "thrust";
  }
  void openBox(BoxKind kind, int slot) override { calls.push_back({"open " + KindName(kind), slot}); }
  void closeBox(BoxKind kind, int slot) override { calls.push_back({"close " + KindName(kind), slot}); }
  void show(InstrumentWindow w, bool reloadFirst) override {
    calls.push_back({reloadFirst ? "reload" : "show", static_cast<int>(w)});
  }
  bool isShown(InstrumentWindow) const override { return refBoxShown; }
  void close(InstrumentWindow w) override { calls.push_back({"hide", static_cast<int>(w)}); }
  int count(const std::string& what) const {
    int n = 0;
    for (const Call& c : calls) n += c.what == what;
    return n;
  }
};

class MenusFixture : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    auto r = std::make_unique<RecordingInstruments>();
    instruments = r.get();
    form->setInstrumentWindows(std::move(r));
  }
  // A file in the test's own folder.
  std::string file(const std::string& name) const { return dataPath() + "/" + name; }
  void answer(const std::string& path) { dialogs.answerFile(QString::fromStdString(path)); }
  std::string settingsText() const {
    QFile f(QString::fromStdString(state->dataFolder + "/molv.dat"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll().toStdString();
  }

  struct Asked {
    FileDialogKind kind;
    std::string initial;
    std::string filter;
  };
  // The file dialogs shown so far.
  std::vector<Asked> asked() const {
    std::vector<Asked> r;
    for (const FileRequest& q : dialogs.fileRequests())
      r.push_back({q.kind, q.initialName.toStdString(), q.filter.toStdString()});
    return r;
  }
  RecordingInstruments* instruments = nullptr;
};

}  // namespace molvane
