// The class library: named classes of bodies (reference, colour, ranges of
// mass, size and distance, a number of bodies) kept one record after the
// other in the file "Library", and the dialog that appends to it.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editors/bodydialog.h"

namespace molvane {

constexpr int MaxClassRecords = 1000;
constexpr std::array<double, 4> ClassMassFactors = {1, JupiterEarthMasses, SunEarthMasses, 1 / 5.9736e27};
constexpr std::array<double, 4> ClassSizeFactors = {1000, 12742, 2784000.0 / 2, 138170};

struct ObjectClassRecord {
  std::string name;
  std::string reference;
  int16_t colour = 15;
  double mass = 0;
  double size = 0;
  double distanceMin = 0;
  double distanceMax = 0;
  double number = 0;
  double velocity1 = 0, velocity2 = 0, velocity3 = 0;
  bool operator==(const ObjectClassRecord&) const = default;
};

// The eleven lines of one record (CR LF ends).
std::string ClassRecordText(const ObjectClassRecord& r);
// The complete records of a library file, at most the first 1000; a record
// cut short at the end is dropped.
std::vector<ObjectClassRecord> ReadClassLibrary(std::string_view bytes);
// Appends one record by writing the whole new file beside the old and
// renaming it over; false (the old file unchanged) when that fails.
bool AppendClassRecord(const std::string& path, const ObjectClassRecord& r);
// The sixteen-colour palette, 0 black .. 15 white (0x00BBGGRR).
int32_t PaletteColour(int k);

class CreateObjectClass : public BodyDialog {
  Q_OBJECT

 public:
  CreateObjectClass(BodyEditors& owner, WindowServices& form);

  QLineEdit *Text9, *Text1, *Text10, *Text8, *Text11, *Text2, *Text3, *Text4;
  QComboBox* Combo2 = nullptr;
  QComboBox* Combo3 = nullptr;
  QCheckBox* Check1 = nullptr;
  std::array<QRadioButton*, 4> massUnits{}, sizeUnits{}, distanceUnits{};
  QPushButton *OK, *Cancel, *Apply;

  std::vector<ObjectClassRecord> library;  // as read at load
  int pickedBody = 0;

  void Form_Load();
  bool Apply_Click();  // false when the file could not be written
  void OK_Click();
  void Cancel_Click();
  void Combo2_Click();
  void Combo3_Click();
  void refill();

 protected:
  void formUnload() override;

 private:
  void setColourNumber(int k);
};

}  // namespace molvane
