// What the engine, the situation readers and the autopilot all ask of the
// main window. Each host interface takes it as a virtual base, so a
// window that is all three answers each request once, under one name.
// Every method is pure: an implementation that forgets one does not
// compile; the do-nothing versions are the tests' (tests/support/nullhosts.h).
#pragma once

#include <string>

namespace molvane {

// A message box: title "Molvane", an OK button. An interface of its own, so
// a caller that only tells (the situation writer) asks for no more.
class MessageHost {
 public:
  virtual ~MessageHost() = default;
  virtual void message(const std::string& text) = 0;
};

class MainWindowHost : public virtual MessageHost {
 public:
  // Clears the drawing surface.
  virtual void clearView() = 0;
  // The base of the captions' relative sizes: the main window's outer width
  // in twips less the width of its vertical scroll bar.
  virtual double captionReferenceWidth() const = 0;
};

}  // namespace molvane
