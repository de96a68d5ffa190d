#pragma once
// Move-only owners for Windows and C runtime handles. Each handle type gets a
// traits struct naming its "no handle" value and how it is closed.
#include <windows.h>

#include <cstdio>

namespace Utils {

template <typename Traits>
class UniqueResource {
 public:
  using pointer = typename Traits::pointer;

  UniqueResource() noexcept : value_(Traits::invalid()) {}
  explicit UniqueResource(pointer value) noexcept : value_(value) {}
  ~UniqueResource() { reset(); }

  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return value_ != Traits::invalid(); }

  pointer release() noexcept {
    pointer value = value_;
    value_ = Traits::invalid();
    return value;
  }
  void reset(pointer value = Traits::invalid()) noexcept {
    if (value_ != Traits::invalid()) Traits::close(value_);
    value_ = value;
  }
  // For APIs that return the handle through an out parameter.
  pointer* receive() noexcept {
    reset();
    return &value_;
  }

 private:
  pointer value_;
};

struct KernelHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};

// CreateFile and CreateToolhelp32Snapshot report failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};

struct RegKeyTraits {
  using pointer = HKEY;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::RegCloseKey(h); }
};

struct ModuleTraits {
  using pointer = HMODULE;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer h) noexcept { ::FreeLibrary(h); }
};

struct CFileTraits {
  using pointer = FILE*;
  static pointer invalid() noexcept { return nullptr; }
  static void close(pointer f) noexcept { std::fclose(f); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueRegKey = UniqueResource<RegKeyTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueCFile = UniqueResource<CFileTraits>;

}  // namespace Utils
