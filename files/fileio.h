// Whole-file reading and safe whole-file writing.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

enum class ReadFileStatus { Ok, NotFound, TooLarge, Failed };

// Reads the file whole when it is a regular file of at most `maxBytes`.
ReadFileStatus ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out);

// Writes `bytes` to a temporary file ".<name>.XXXXXX" in the target's folder
// and renames it over the target (through a symbolic link to the file it
// names). An existing file keeps its permission bits; a new one gets 0666
// less the umask. On failure the old file is as it was and false comes back.
// A success also removes the temporary files of earlier saves of the same
// target that never got renamed (a save that was killed); nothing else. A
// save locks its temporary file until the rename, and a locked one is left
// alone: two programs saving one file never take each other's.
bool SaveFileAtomically(const std::string& path, const std::string& bytes);

// Whether `entry` (a name in a folder) is the temporary file of a save of
// the file named `name`: "." + name + "." and six letters or digits.
bool IsSaveTemporaryName(std::string_view entry, std::string_view name);

// Renames the file beside itself to "<path>.damaged" (or ".damaged-2",
// "-3", ... when that name is taken) and returns the new path; empty when
// it could not be moved.
std::string SetAsideDamagedFile(const std::string& path);

// Appends `bytes` to the file, creating it when missing. An append that
// fails (a full disk, say) leaves the file as it was: cut back to its old
// size, or gone again when this append created it.
bool AppendToFile(const std::string& path, const std::string& bytes);

// Creates the folder and its parents when missing (0777 less the umask).
bool EnsureFolder(const std::string& folder);

// Whether the file exists and this user may not write it (also when the
// owner's write bit is off on a file we own, so the answer is the same for
// the superuser).
bool IsReadOnlyFile(const std::string& path);

// Adds the owner's write permission; false when the file stays read-only.
bool MakeWritable(const std::string& path);

}  // namespace molvane
