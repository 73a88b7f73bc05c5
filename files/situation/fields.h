// The field tables of the situation file's records. A section lists its
// record's fields in line order, one row each; reading, writing, taking from
// the tables and loading into them all walk those rows.
//
// What the tables cannot do: a record carries no field names and no version,
// so SData, Captions, Command Buttons and every list record are read by
// position (row i is line i). A row added, removed or moved makes every file
// written before read as damaged or into the wrong fields. A new field
// therefore needs a rule for the files written before (say, a marker line the
// old files lack) in the same change; the section sizes are pinned by the
// situation file tests so that a changed table cannot slip through.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/numtext.h"
#include "files/situation/sections.h"
#include "files/textitems.h"

namespace molvane::situation {

// What a field's rules may look at besides its record and its place.
struct FieldContext {
  int lastBody = 0;            // reading, writing: the document's last body; loading: the table's
  bool strict = false;         // reading: a number only from an item that is wholly one
  std::string_view path = {};  // loading: the absolute path opened
};

// One field of the record R: a line of the file and its place in the
// tables. `In` is what the section takes a record from (and what a read
// starts from), `Out` what it loads the record into. A direction left empty
// does nothing for this field.
template <class R, class In, class Out>
struct Field {
  using Record = R;
  using Source = In;
  using Target = Out;
  bool (*read)(const TextItem& item, R& r, const FieldContext& c) = nullptr;  // false: the file is damaged
  void (*canon)(R& r) = nullptr;  // the value as the writer would give it back
  void (*write)(std::string& out, const R& r, const FieldContext& c) = nullptr;
  void (*take)(In from, R& r) = nullptr;
  void (*load)(Out to, const R& r, const FieldContext& c) = nullptr;
};

// ---- How each kind of value stands on its line

// Texts as they stand; flags by ReadFlag; numbers by ReadNumber, or by
// ReadStrictNumber in a record that takes only whole numbers. What does not
// read keeps the value before.
template <class T>
void ReadValue(const TextItem& item, T& v, bool strict) {
  if constexpr (std::same_as<T, std::string>) {
    v = item.text;
  } else if constexpr (std::same_as<T, bool>) {
    ReadFlag(item, v);
  } else {
    if constexpr (requires { ReadStrictNumber(item, v); })
      if (strict) {
        ReadStrictNumber(item, v);
        return;
      }
    ReadNumber(item, v);
  }
}

template <class T>
void WriteValue(std::string& out, const T& v) {
  if constexpr (std::same_as<T, std::string>)
    Line(out, WriteTextItem(v));
  else if constexpr (std::same_as<T, bool>)
    Line(out, FlagText(v));
  else
    Line(out, ShortText(v));
}

template <class T>
void CanonValue(T& v) {
  if constexpr (std::floating_point<T>) Canon(v);
}

// ---- Rows

// The plain row of record member `Member` and the table place `At` gives
// (At::From(In) to read it, At::Into(Out) to set it); the directions that
// `rules` fills replace the plain ones.
template <class F, auto Member, class At>
constexpr F Row(F rules = {}) {
  using R = typename F::Record;
  using In = typename F::Source;
  using Out = typename F::Target;
  using T = std::remove_cvref_t<decltype(std::declval<R&>().*Member)>;
  static_assert(std::same_as<T, std::remove_cvref_t<decltype(At::From(std::declval<In>()))>>,
                "a field and its place in the tables have one type");
  F f{[](const TextItem& item, R& r, const FieldContext& c) {
        ReadValue(item, r.*Member, c.strict);
        return true;
      },
      [](R& r) { CanonValue(r.*Member); },
      [](std::string& out, const R& r, const FieldContext&) { WriteValue(out, r.*Member); },
      [](In from, R& r) { r.*Member = At::From(from); },
      [](Out to, const R& r, const FieldContext&) { At::Into(to) = r.*Member; }};
  if (rules.read) f.read = rules.read;
  if (rules.canon) f.canon = rules.canon;
  if (rules.write) f.write = rules.write;
  if (rules.take) f.take = rules.take;
  if (rules.load) f.load = rules.load;
  return f;
}

// The place reached from a section's source or target by a path of
// members, e.g. At<&State::mainWindow, &MainWindowRecord::top> (a fold of .*).
template <auto... Path>
struct At {
  static const auto& From(const auto& from) { return (from.*....*Path); }
  static auto& Into(auto& to) { return (to.*....*Path); }
};

// ---- Walking a record's rows (an array or span of one Field type); row i
// stands on the record's item p + i.

template <class Fields>
using FieldOf = std::remove_cvref_t<decltype(*std::begin(std::declval<const Fields&>()))>;

template <class Fields>
void TakeFields(const Fields& fields, typename FieldOf<Fields>::Source from, typename FieldOf<Fields>::Record& r) {
  for (const auto& f : fields)
    if (f.take) f.take(from, r);
}

template <class Fields>
bool ReadFields(const Fields& fields, const SectionItems& in, size_t p, typename FieldOf<Fields>::Record& r,
                const FieldContext& c) {
  for (const auto& f : fields) {
    const TextItem item = in[p++];
    if (f.read && !f.read(item, r, c)) return false;
    if (f.canon) f.canon(r);
  }
  return true;
}

template <class Fields>
void WriteFields(const Fields& fields, std::string& out, const typename FieldOf<Fields>::Record& r,
                 const FieldContext& c) {
  for (const auto& f : fields)
    if (f.write) f.write(out, r, c);
}

template <class Fields>
void LoadFields(const Fields& fields, typename FieldOf<Fields>::Target to, const typename FieldOf<Fields>::Record& r,
                const FieldContext& c) {
  for (const auto& f : fields)
    if (f.load) f.load(to, r, c);
}

}  // namespace molvane::situation
