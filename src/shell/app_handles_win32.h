// The Windows side of the process-wide state: the window handles of the main
// window's units, and the operations that other parts of the program plug
// into the main window. The windows are children of the main window and die
// with it; the close buttons' picture is released when the units are reset.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <vector>

#include "common/owned_handle_win32.h"
#include "shell/layout.h"

namespace quillet {

struct MainUnits {
  HWND main = nullptr;
  HWND toolbar = nullptr;          // 工具条1
  HWND statusBar = nullptr;        // 状态条1
  HWND workFolder = nullptr;       // the work folder at the left
  HWND workTabs = nullptr;         // 选择夹1
  HWND libraryTree = nullptr;      // 函数库 (tab 0)
  HWND procedureTree = nullptr;    // 程序集 (tab 1)
  HWND workRule = nullptr;         // the work folder's etched rule
  HWND workCloseButton = nullptr;  // closes the work folder
  HWND statusFolder = nullptr;     // the status folder at the bottom
  HWND statusRule = nullptr;       // the status folder's etched rule
  HWND statusCloseButton = nullptr;  // closes the status folder
  HWND helpText = nullptr;         // 帮助信息栏
  HWND tabStrip = nullptr;         // 文件选择夹
  HWND workSplitter = nullptr;     // between the work folder and the editing area
  HWND statusSplitter = nullptr;   // between the editing area and the status folder
  HWND completionList = nullptr;   // the keyword completion prompt
  BitmapHandle closeImage;         // picture of both close buttons; empty: a drawn cross
  ImageListHandle treeImages;      // the images of the two trees and the completion list
};

// What the document, editor, command, reference and skin parts plug into the
// main window. Each may be left empty; the window then runs without that part.
struct MainWindowParts {
  // 工具条1 with its buttons; without it a bare toolbar stands in.
  std::function<HWND(HWND main)> createToolbar;
  // The menu bar of the main window.
  std::function<HMENU()> createMenuBar;
  // The window skin (its result does not matter).
  std::function<void()> attachSkin;
  // Registers the edit-window class and makes the shared GDI objects and the
  // keyboard hook; releaseEditClass undoes all of it at teardown. False when
  // the class could not be registered (the user was told): the window is then
  // refused and the program ends.
  std::function<bool(HINSTANCE)> registerEditClass;
  std::function<void()> releaseEditClass;
  // The untitled EXE document of a fresh start.
  std::function<void(HWND main)> openFirstDocument;
  // The keyword database; false when it cannot be opened.
  std::function<bool()> openKeywordDatabase;
  std::function<void()> closeKeywordDatabase;
  // Asks about every modified document; false when the user cancels the close.
  std::function<bool(HWND main)> queryCloseAll;
  // The current document's edit window, if a tab is current.
  std::function<void(const Rect& editingArea)> moveEditWindow;
  std::function<void()> focusEditWindow;
  std::function<void()> invalidateEditWindow;
  // Start-up of the features, in order, once the edit-window class exists:
  // each registers its commands in App().commands and its listeners in
  // App().documentChanged. Every WM_COMMAND of a CommandId goes to the registry.
  std::vector<std::function<void(HWND main)>> startFeatures;
  // After every command: ends the document changes it made (FinishChange).
  std::function<void()> afterCommand;
  // WM_NOTIFY of 工具条1 and of 文件选择夹 (and its tooltips); true when
  // handled, with result set.
  std::function<bool(NMHDR* header, LRESULT& result)> toolbarNotify;
  std::function<bool(NMHDR* header, LRESULT& result)> tabStripNotify;
  // WM_NOTIFY of the features' own controls (the trees of the work folder);
  // each says whether it handled the notification.
  std::vector<std::function<bool(NMHDR* header, LRESULT& result)>> featureNotify;
};

MainUnits& Units();
MainWindowParts& Parts();

}  // namespace quillet
