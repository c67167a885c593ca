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

// A window's DC from GetDC (null: the screen's), released on destruction.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint in the constructor, EndPaint in the destructor (even when the DC is null).
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back on destruction,
// so nothing is deleted while still selected.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quillet
