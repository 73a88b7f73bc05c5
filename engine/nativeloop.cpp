#include "engine/nativeloop.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace molvane {

#if defined(__x86_64__) || defined(__i386__)
namespace {
__attribute__((target("avx"))) void ZeroUpperHalves() { _mm256_zeroupper(); }
}  // namespace

void ClearUpperVectorState() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx")) ZeroUpperHalves();
}
#else
void ClearUpperVectorState() {}
#endif

bool BindNativeForceLoop(State& s, const std::string& programFolder) {
  s.UseNativeForceLoop = false;
  s.nativeRunLoop = nullptr;
  if (programFolder.empty()) return false;

  std::string path = programFolder;
  if (path.back() != '/') path += '/';
  path += "libbrisklet.so";
  if (path.front() != '/') {
    // dlopen searches the library path for a bare name and the current
    // directory for a relative one; we want exactly this file.
    std::error_code ec;
    const std::filesystem::path abs = std::filesystem::absolute(path, ec);
    if (ec) return false;
    path = abs.string();
  }

  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;

  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    dlerror();  // clear the message of the failed load
    return false;
  }
  dlerror();
  void* entry = dlsym(handle, "RunLoop");
  if (entry == nullptr) {
    dlerror();
    dlclose(handle);
    return false;
  }
  s.nativeRunLoop = reinterpret_cast<RunLoopFn>(entry);
  s.UseNativeForceLoop = true;
  return true;
}

}  // namespace molvane
