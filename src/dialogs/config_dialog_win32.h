// The editor configuration dialog 设置: the window around ConfigDialogModel
// (dialogs/config.h). Page 配色方案 holds the scheme list and the twelve colour
// swatches, page 编辑器设置 the font, TAB width, switches and compiler path.
#pragma once

#include <windows.h>

namespace quillet {

inline constexpr char kConfigCaption[] = "设置";
inline constexpr char kCompilerDialogTitle[] = "请选择PowerBasic的编译器";
inline constexpr char kSchemeNameCaption[] = "方案另存";  // the input box of 方案另存...
inline constexpr char kConfigMessageCaption[] = "提示";
inline constexpr char kSchemeSaveFailed[] = "配色方案保存失败！";
// The path still applies to this run; the user learns it will not outlive it.
inline constexpr char kCompilerPathSaveFailed[] = "编译器路径保存失败，下次启动时需要重新设置！";

// Client size of the dialog in pixels.
inline constexpr int kConfigClientWidth = 424;
inline constexpr int kConfigClientHeight = 366;

// Units. 确定(&O) and 取消(&C) are IDOK and IDCANCEL; colour picker k (1..12)
// is kConfigFirstPickerId + k - 1, label k is kConfigFirstLabelId + k.
enum ConfigControl : int {
  kConfigTabsId = 1001,   // 选择夹1
  kConfigSchemeListId,    // 组合框2
  kConfigSaveSchemeId,    // 按钮4
  kConfigChangeFontId,    // 按钮3
  kConfigBrowseId,        // 按钮5
  kConfigTabWidthId,      // 编辑框1
  kConfigCompletionId,    // 选择框2
  kConfigAutoIndentId,    // 选择框3
  kConfigCompilerPathId,  // 编辑框2
};
inline constexpr int kConfigFirstPickerId = 1101;
inline constexpr int kConfigFirstLabelId = 1200;
inline constexpr int kConfigFontTextId = kConfigFirstLabelId + 13;  // 标签13

// Opens 设置 modally over owner on the program's settings (App()): the scheme
// file and qlt8.dll of the program folder, the registry values below the
// program's root. True when 确定(&O) closed it; the settings are then applied
// to the running editor and stored.
bool ShowConfigurationDialog(HWND owner);

}  // namespace quillet
