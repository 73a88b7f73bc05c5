// The class library file "Library": named classes of bodies (reference,
// colour, ranges of mass, size and distance, a number of bodies) kept one
// record of eleven lines after the other.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

constexpr int MaxClassRecords = 1000;

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

// A number as a record keeps it: nothing that is not finite goes into the
// file, it is 0 instead.
double StoredClassValue(double v);
// The eleven lines of one record (CR LF ends).
std::string ClassRecordText(const ObjectClassRecord& r);
// The complete records of a library file, at most the first 1000; a record
// cut short at the end is dropped.
std::vector<ObjectClassRecord> ReadClassLibrary(std::string_view bytes);
// The records of the file at `path`; none when it cannot be read.
std::vector<ObjectClassRecord> ReadClassLibraryFile(const std::string& path);
// Appends one record by writing the whole new file beside the old and
// renaming it over; false (the old file unchanged) when that fails.
bool AppendClassRecord(const std::string& path, const ObjectClassRecord& r);
// The sixteen-colour palette of a record's colour number, 0 black .. 15
// white (0x00BBGGRR).
int32_t PaletteColour(int k);

}  // namespace molvane
