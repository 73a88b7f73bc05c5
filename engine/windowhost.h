// What the engine, the situation readers and the autopilot all ask of the
// main window. Each host interface takes it as a virtual base, so a
// window that is all three answers each request once, under one name.
#pragma once

#include <string>

namespace molvane {

class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;

  // Clears the drawing surface.
  virtual void clearView() {}
  // The base of the captions' relative sizes: the main window's outer width
  // in twips less the width of its vertical scroll bar.
  virtual double captionReferenceWidth() const { return 12000; }
  // A message box: title "Molvane", an OK button.
  virtual void message(const std::string& /*text*/) {}
};

}  // namespace molvane
