// The body editors: Edit Object, Create Objects, the class library, the
// orbit calculator and the rotating-period dialog. The instrument windows'
// router (EditorWindows) reaches them only through this class.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/instrumentwindows.h"

class QWidget;

namespace molvane {

class WindowServices;
class ObjEdit;
class frmCreateMultipleObjects;
class CreateObjectClass;
class OrbitCalculator;
class frmRotatingPeriod;

// What reference box 1 shows, as the orbit calculator copies it at load:
// the text of its first-body list and its distance, tangent-velocity and
// radial-velocity readouts.
struct ReferenceBoxReadout {
  std::string bodyName;
  std::string distance;
  std::string tangentVelocity;
  std::string radialVelocity;
  int16_t body = 0;  // the body the box watches, where it still carries bodyName
};

class BodyEditors {
 public:
  explicit BodyEditors(WindowServices& form);
  ~BodyEditors();
  // ObjEdit, CreateObjects, RotatingPeriod and OrbitCalculator.
  void show(InstrumentWindow w, bool reloadFirst);
  bool isShown(InstrumentWindow w) const;
  void close(InstrumentWindow w);
  // The set of bodies or their names changed: refill the open windows' lists.
  void refreshObjectLists();
  // The class-library window, which no menu opens.
  void showClassLibrary();

  // The windows while they exist (nullptr otherwise).
  ObjEdit* objEdit() const;
  frmCreateMultipleObjects* createObjects() const;
  CreateObjectClass* classLibrary() const;
  OrbitCalculator* orbitCalculator() const;
  frmRotatingPeriod* rotatingPeriod() const;
  WindowServices& form() { return form_; }

  // Uniform numbers in [0, 1) for Create Objects. Empty: a generator seeded
  // from the time of day when the dialog opens.
  std::function<float()> randomSource;
  // Reference box 1's readouts when it is open; the instrument windows set
  // it. Empty or false: the orbit calculator treats the box as closed.
  std::function<bool(ReferenceBoxReadout&)> readReferenceBox1;
  // Path of the class library file ("Library" in the per-user data folder).
  std::string libraryPath() const;

  // Used by the windows.
  std::optional<int32_t> askColour(int32_t initial, QWidget* parent);

 private:
  // One of the four windows of show(), nullptr when it does not exist.
  QWidget* window(InstrumentWindow w) const;
  struct Windows;
  WindowServices& form_;
  std::unique_ptr<Windows> w_;
};

}  // namespace molvane
