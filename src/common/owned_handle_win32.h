// Ownership of Windows handles that need an explicit destroy call. Menus that
// are attached to a window as its menu bar, or inserted as submenus, belong to
// Windows afterwards: Release() them at that point.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace quillet {

template <typename Handle, auto Destroy>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~OwnedHandle() { Reset(); }

  Handle Get() const { return handle; }
  explicit operator bool() const { return handle != nullptr; }
  Handle Release() { return std::exchange(handle, nullptr); }
  void Reset(Handle replacement = nullptr) {
    if (handle) Destroy(handle);
    handle = replacement;
  }

 private:
  Handle handle = nullptr;
};

using MenuHandle = OwnedHandle<HMENU, DestroyMenu>;
using AcceleratorHandle = OwnedHandle<HACCEL, DestroyAcceleratorTable>;
using ImageListHandle = OwnedHandle<HIMAGELIST, ImageList_Destroy>;
using BitmapHandle = OwnedHandle<HBITMAP, DeleteObject>;
using MemoryDcHandle = OwnedHandle<HDC, DeleteDC>;  // from CreateCompatibleDC

}  // namespace quillet
