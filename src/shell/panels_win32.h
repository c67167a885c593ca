// The units of the main window as real child windows: toolbar stand-in,
// status bar, the work folder (tabs 函数库 / 程序集 with their trees), the
// status folder (help text box), the document tab strip, the two splitters
// and the completion list.
#pragma once

#include <windows.h>

namespace quillet {

// Control ids of the units. They lie outside the menu command range, so the
// main window tells a unit's notification from a command.
enum UnitId : int {
  kIdToolbar = 1001,
  kIdStatusBar,
  kIdWorkFolder,
  kIdWorkTabs,
  kIdLibraryTree,
  kIdProcedureTree,
  kIdWorkRule,
  kIdWorkCloseButton,
  kIdStatusFolder,
  kIdStatusRule,
  kIdStatusCloseButton,
  kIdHelpText,
  kIdTabStrip,
  kIdWorkSplitter,
  kIdStatusSplitter,
  kIdCompletionList,
};

// Tabs of 选择夹1.
inline constexpr int kLibraryTab = 0;    // 函数库
inline constexpr int kProcedureTab = 1;  // 程序集

// Status bar panels: widths and the texts they start with. Panels 1..3 grow
// beyond their width when the font needs it for their widest texts.
inline constexpr int kStatusPanelCount = 5;
inline constexpr int kStatusPanelWidths[kStatusPanelCount] = {60, 50, 80, 80, 200};
inline constexpr int kStatusTextPadding = 12;  // the panel's frame and the text's margins, both sides
inline constexpr const char* kStatusPanelTexts[kStatusPanelCount] = {"程序行数:", "1", "行:1", "列:1", ""};

bool RegisterPanelClasses(HINSTANCE instance);

// Creates every unit, hidden until the first arrangement, as a child of main
// and records it in Units(). The toolbar comes from Parts().createToolbar when
// set. False when a unit cannot be created.
bool CreateMainUnits(HWND main);

// Shows tab index of 选择夹1 and its tree.
void SelectWorkTab(int index);

}  // namespace quillet
