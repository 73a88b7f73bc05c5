// Items of the situation and settings files: the one tokenizer, the escaping
// of free text, value conversions and the path helpers. No state of its own.
//
// Texts are handled as bytes (the files are Latin-1); nothing here converts
// character sets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// One item: a view into the ItemList that holds it.
struct TextItem {
  std::string_view text;
  bool quoted = false;  // came from a "..." item: never taken as a tag
  bool operator==(const TextItem&) const = default;
};

// The items of a file, held compactly (all texts in one buffer, eight bytes
// of index per item) so that even a 16 MiB file of empty lines stays small.
class ItemList {
 public:
  size_t size() const { return index_.size(); }
  bool empty() const { return index_.empty(); }
  TextItem operator[](size_t i) const {
    const Entry& e = index_[i];
    return {std::string_view(text_).substr(e.offset, e.length & kLengthMask), (e.length & kQuoted) != 0};
  }
  TextItem back() const { return (*this)[size() - 1]; }
  void push_back(std::string_view text, bool quoted);

 private:
  static constexpr uint32_t kQuoted = 0x80000000u;
  static constexpr uint32_t kLengthMask = 0x7FFFFFFFu;
  struct Entry {
    uint32_t offset;
    uint32_t length;  // with the quoted flag in the top bit
  };
  std::string text_;
  std::vector<Entry> index_;
};

// Splits file bytes into items. An item ends at a comma or a line end (CR LF,
// CR or LF); blanks around an unquoted item are dropped; an item beginning
// with a double quote runs to the closing quote (line ends and commas
// included, a doubled quote stands for one quote) and whatever follows it up
// to the next comma or line end is ignored. When the whole text yields one
// item holding line feeds, it is split at them into unquoted pieces.
// Texts longer than 2 GiB are not split (no result items).
ItemList SplitItems(std::string_view bytes);

// The lines of a text (CR LF, CR or LF), without their line ends.
std::vector<std::string> SplitLines(std::string_view bytes);

// Free-text escaping of caption texts and autopilot notes: a leading blank
// becomes byte 0xFF, "," becomes "`", CR becomes "~". Undoing maps back.
std::string EscapeItemText(std::string_view text);
std::string UnescapeItemText(std::string_view text);

// The item as the writer puts it on its line: the text itself, or the text
// between double quotes (inner quotes doubled) when the reader would
// otherwise change it or take it for a section tag.
std::string WriteTextItem(std::string_view text);
// Always between double quotes.
std::string WriteQuotedItem(std::string_view text);

// Whether `text` equals one of the situation file's tags in any letter case.
bool IsSectionTagText(std::string_view text);

// Value conversions on reading. They never throw; a value that is not
// finite or does not fit keeps the target as it was and returns false.
bool ReadNumber(const TextItem& item, double& target);  // number
bool ReadNumber(const TextItem& item, float& target);
bool ReadNumber(const TextItem& item, int16_t& target);  // rounds half to even
bool ReadNumber(const TextItem& item, int32_t& target);
bool ReadStrictNumber(const TextItem& item, float& target);  // whole item
bool ReadStrictNumber(const TextItem& item, int16_t& target);
bool ReadFlag(const TextItem& item, bool& target);  // True/False any case, or a number
// A body index as the files keep it: one outside 0..objects becomes 0.
inline int16_t BodyIndexOrZero(int16_t index, int objects) {
  return (index < 0 || index > objects) ? int16_t{0} : index;
}

// Number and flag texts as the files write them.
std::string FlagText(bool v);  // "True" / "False"

// Paths. Folders end with "/". A path is absolute when it begins with "/".
std::string GetFolderPart(std::string_view path);    // up to and including the last "/"; "" when none
std::string GetFileNamePart(std::string_view path);  // after the last "/"
// `target` against the folder `base`: an absolute target is returned as it
// is; leading "./" steps are dropped and each leading "../" climbs one level.
// No result when it would climb above the root or `target` is empty.
std::optional<std::string> ResolveRelativePath(std::string_view base, std::string_view target);
// An absolute path: `path` itself when absolute, else resolved against
// `base` (an absolute folder). No result when that cannot be formed.
std::optional<std::string> MakeAbsolutePath(std::string_view path, std::string_view base);
// The path of `chosen` relative to the situation folder `folder` (ending in
// "/"): a bare name in the folder itself, "sub/name" below it, "../" steps
// out of it. With no folder the path stays absolute.
std::string RelativeSituationPath(const std::string& folder, const std::string& chosen);
// The resume file's name, and whether a path names that file: its last 11
// characters are exactly "resume.molv".
constexpr std::string_view ResumeFileName = "resume.molv";
bool IsResumeFilePath(std::string_view path);

}  // namespace molvane
