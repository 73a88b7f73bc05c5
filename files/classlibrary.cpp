#include "files/classlibrary.h"

#include <cmath>

#include "engine/numtext.h"
#include "files/fileio.h"
#include "files/textitems.h"

namespace molvane {

namespace {

constexpr int RecordFields = 11;
constexpr size_t MaxLibraryBytes = 64u << 20;

}  // namespace

double StoredClassValue(double v) { return std::isfinite(v) ? v : 0.0; }

int32_t PaletteColour(int k) {
  static constexpr int32_t Palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                          0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                          0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  return k >= 0 && k < 16 ? Palette[k] : Palette[15];
}

std::string ClassRecordText(const ObjectClassRecord& r) {
  std::string t;
  auto line = [&t](const std::string& item) {
    t += item;
    t += "\r\n";
  };
  line(WriteTextItem(r.name));
  line(WriteTextItem(r.reference));
  line(GeneralText(r.colour));
  for (double v : {r.mass, r.size, r.distanceMin, r.distanceMax, r.number, r.velocity1, r.velocity2, r.velocity3}) {
    line(GeneralText(StoredClassValue(v)));
  }
  return t;
}

std::vector<ObjectClassRecord> ReadClassLibrary(std::string_view bytes) {
  std::vector<ObjectClassRecord> out;
  const ItemList items = SplitItems(bytes);
  for (size_t at = 0; at + RecordFields <= items.size() && out.size() < MaxClassRecords; at += RecordFields) {
    ObjectClassRecord r;
    r.name = std::string(items[at].text);
    r.reference = std::string(items[at + 1].text);
    ReadNumber(items[at + 2], r.colour);
    double* numbers[] = {&r.mass,   &r.size,      &r.distanceMin, &r.distanceMax,
                         &r.number, &r.velocity1, &r.velocity2,   &r.velocity3};
    for (int k = 0; k < 8; ++k) ReadNumber(items[at + 3 + k], *numbers[k]);
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<ObjectClassRecord> ReadClassLibraryFile(const std::string& path) {
  std::string bytes;
  if (ReadWholeFile(path, MaxLibraryBytes, bytes) != ReadFileStatus::Ok) return {};
  return ReadClassLibrary(bytes);
}

bool AppendClassRecord(const std::string& path, const ObjectClassRecord& r) {
  const size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !EnsureFolder(path.substr(0, slash))) return false;
  std::string bytes;
  switch (ReadWholeFile(path, MaxLibraryBytes, bytes)) {
    case ReadFileStatus::Ok: break;
    case ReadFileStatus::NotFound: bytes.clear(); break;
    default: return false;
  }
  if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes += "\r\n";
  return SaveFileAtomically(path, bytes + ClassRecordText(r));
}

}  // namespace molvane
