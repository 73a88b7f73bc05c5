// The program's whole window set over one State, built as the program
// builds it, and a walk that opens every window of the program in turn.
// The window pictures (molvane_windowshots) and the layout tests use it.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "engine/state.h"
#include "ui/dialogs.h"

namespace molvane {

class Form1;
class MainToolWindows;
class EditorWindows;
class ControlWindows;

// Before the application starts: a run on the offscreen platform gets one
// screen of 1366 x 768 pixels, the smallest the windows are made for.
void UseSmallestScreenOffscreen();

class WholeProgram {
 public:
  WholeProgram();
  ~WholeProgram();

  State& state() { return *state_; }
  Form1& form() { return *form_; }
  MainToolWindows& tools() { return *tools_; }
  EditorWindows& editors() { return *editors_; }
  ControlWindows& control() { return *control_; }
  // Every dialog is answered at once, as cancelled: nothing waits for a user.
  RecordingDialogs& dialogs() { return dialogs_; }

  // Starts the program on a situation file, then holds the simulation and
  // draws a few steps' worth so that the views show the bodies.
  void start(const QString& situation);

 private:
  std::unique_ptr<State> state_;
  RecordingDialogs dialogs_;
  std::unique_ptr<Form1> form_;
  MainToolWindows* tools_ = nullptr;
  EditorWindows* editors_ = nullptr;
  ControlWindows* control_ = nullptr;
};

// Opens every window of the program through the commands a user has, and
// hands each to `visit` while it is shown, under a name for its picture. A
// window with several faces (the autopilot editor's parameter frames, the
// thrust panel's three panels) is handed over once per face. A name that
// begins with "screen-" hands over the main window at a moment when other
// windows stand over it, for a picture of the whole screen. Windows are
// closed again when they are done, except the main window.
using WindowVisitor = std::function<void(const QString& name, QWidget& window)>;
void VisitEveryWindow(WholeProgram& program, const WindowVisitor& visit);

}  // namespace molvane
