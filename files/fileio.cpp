#include "files/fileio.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/textitems.h"

namespace molvane {

namespace {

mode_t CurrentUmask() {
  mode_t m = umask(0);
  umask(m);
  return m;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Whether the open file `fd` is still the one named `path`.
bool IsNamed(int fd, const std::string& path) {
  struct stat held {
  }, named{};
  return fstat(fd, &held) == 0 && lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// The temporary files that killed saves of `name` left in `folder`. A save
// holds a lock on its temporary file until it is renamed: one that is
// locked belongs to a save still going on (in this program or another
// instance of it) and stays.
void RemoveLeftoverTemporaries(const std::string& folder, const std::string& name) {
  DIR* d = opendir(folder.c_str());
  if (!d) return;
  std::vector<std::string> found;
  while (dirent* e = readdir(d))
    if (IsSaveTemporaryName(e->d_name, name)) found.emplace_back(e->d_name);
  closedir(d);
  for (const std::string& entry : found) {
    const std::string p = folder + entry;
    const int fd = open(p.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        IsNamed(fd, p)) {
      unlink(p.c_str());
    }
    close(fd);
  }
}

// A new temporary file beside the target, locked; -1 when none can be made.
// Another save's clean-up may take the file between its creation and the
// lock: then it is made anew.
int LockedTemporary(const std::string& folder, const std::string& name, std::string& tempPath) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::string temp = folder + "." + name + ".XXXXXX";
    std::vector<char> tmpl(temp.begin(), temp.end());
    tmpl.push_back('\0');
    const int fd = mkstemp(tmpl.data());
    if (fd < 0) return -1;
    tempPath = tmpl.data();
    int locked = -1;
    while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked == 0 && IsNamed(fd, tempPath)) return fd;
    close(fd);
  }
  return -1;
}

}  // namespace

bool IsSaveTemporaryName(std::string_view entry, std::string_view name) {
  constexpr size_t kRandom = 6;  // what mkstemp puts in place of "XXXXXX"
  if (entry.size() != name.size() + 2 + kRandom || entry[0] != '.' || entry.substr(1, name.size()) != name ||
      entry[name.size() + 1] != '.')
    return false;
  for (char c : entry.substr(name.size() + 2))
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

ReadFileStatus ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out) {
  out.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadFileStatus::NotFound : ReadFileStatus::Failed;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return ReadFileStatus::Failed;
  }
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    close(fd);
    return ReadFileStatus::TooLarge;
  }
  std::vector<char> buf(64 * 1024);
  for (;;) {
    ssize_t n = read(fd, buf.data(), buf.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return ReadFileStatus::Failed;
    }
    if (n == 0) break;
    out.append(buf.data(), static_cast<size_t>(n));
    if (out.size() > maxBytes) {  // grew while we read it
      close(fd);
      out.clear();
      return ReadFileStatus::TooLarge;
    }
  }
  close(fd);
  return ReadFileStatus::Ok;
}

bool SaveFileAtomically(const std::string& path, const std::string& bytes) {
  std::string target = path;
  struct stat lst {};
  if (lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) target = resolved;
  }
  struct stat st {};
  bool exists = stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return false;
  mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());

  std::string folder = GetFolderPart(target);
  if (folder.empty()) folder = "./";
  const std::string name = GetFileNamePart(target);
  std::string tempPath;
  const int fd = LockedTemporary(folder, name, tempPath);
  if (fd < 0) return false;
  // The lock is held until the rename, so no clean-up takes the file first.
  const bool ok =
      WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0 && rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) unlink(tempPath.c_str());
  close(fd);  // written and synced already: only the lock goes with it
  if (!ok) return false;
  RemoveLeftoverTemporaries(folder, name);
  return true;
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
  bool created = false;
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    created = fd >= 0;
  }
  if (fd < 0) return false;
  struct stat st {};
  const bool sized = fstat(fd, &st) == 0;
  bool ok = sized && WriteAll(fd, bytes);
  if (!ok && sized && !created) {
    // Half a record would glue the next one onto it: back to the old end.
    while (ftruncate(fd, st.st_size) != 0 && errno == EINTR) {
    }
  }
  ok = (close(fd) == 0) && ok;
  if (!ok && created) unlink(path.c_str());
  return ok;
}

bool EnsureFolder(const std::string& folder) {
  if (folder.empty()) return false;
  std::string part;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = folder.find('/', pos + 1);
    part = folder.substr(0, pos);
    if (part.empty()) continue;
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string SetAsideDamagedFile(const std::string& path) {
  for (int k = 1; k <= 99; ++k) {
    const std::string aside = path + (k == 1 ? ".damaged" : ".damaged-" + std::to_string(k));
    struct stat st {};
    if (lstat(aside.c_str(), &st) == 0) continue;  // an earlier damaged file stays too
    if (errno != ENOENT) return {};
    return rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
  }
  return {};
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;  // a missing file is not read-only
  if (access(path.c_str(), W_OK) != 0) return errno != ENOENT;
  return st.st_uid == geteuid() && !(st.st_mode & S_IWUSR);
}

bool MakeWritable(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  if (chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0) return false;
  return !IsReadOnlyFile(path);
}

}  // namespace molvane
