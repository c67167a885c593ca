// The editor configuration dialog 设置, without its window: the colour
// schemes of 配色方案.ini, the checks of the scheme name and TAB width, the
// change flags, and what 确定(&O) applies to the running program and stores.
// The Win32 dialog (dialogs/config_dialog_win32.h) shows this model.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"
#include "shell/ini_file.h"
#include "shell/settings.h"

namespace quillet {

inline constexpr char kAskSchemeName[] = "请输入配色方案的名称(不要与已有的重复):";
inline constexpr char kSchemeNameEmpty[] = "配色方案的名称不能为空";
inline constexpr char kSchemeNameUnsafe[] = "配色方案的名称不能包含 [ ] = 或换行";
inline constexpr char kSchemeNameTaken[] = "这个配色方案的名称已经存在，请重新命名";
inline constexpr char kSchemeSaved[] = "配色方案已经保存，如要设为当前配色，请在方案列表里选择";
inline constexpr char kTabWidthRefused[] = "TAB制表符空格数必须是1到32之间的整数";

// ---- Colour schemes ----

// "默认配色" followed by the section names of the scheme file in file order.
std::vector<std::string> SchemeList(const IniFile& schemes);

// The entry equal to name byte for byte; 0 ("默认配色") when none is.
int SchemeIndexOf(const std::vector<std::string>& list, std::string_view name);

// The colours of section name. A missing or non-numeric key, or a number that
// is no colour (outside 0..0xFFFFFF), gives black.
EditorColours ReadScheme(const IniFile& schemes, std::string_view name);

// Writes the twelve colours as decimal text under their slot keys; false when
// any key could not be written.
bool WriteScheme(IniFile& schemes, std::string_view name, const EditorColours& colours);

// The number a text begins with, as a BASIC Val reads it: blanks, a sign,
// digits and one decimal point; 0 when the text does not begin with a number.
double LeadingNumber(std::string_view text);

enum class SchemeNameCheck { kAccepted, kEmpty, kUnsafe, kTaken };

// A new scheme's name must be a section header that reads back as itself
// (no "[", "]", "=", line break, or blanks at either end; bytes inside
// two-byte characters do not count), and must differ from every listed name
// in more than ASCII letter case, since the profile reader finds sections
// regardless of case.
SchemeNameCheck CheckSchemeName(std::string_view name, const std::vector<std::string>& list);

// The message for a refused name; "" for an accepted one.
const char* SchemeNameRefusal(SchemeNameCheck check);

// ---- Editor page ----

// A TAB width typed in 编辑框1: a whole number 1..32, blanks around it allowed.
std::optional<int> ParseTabWidth(std::string_view text);

// Point size of a font record on a screen of pixelsPerInch: -lfHeight * 72 /
// pixelsPerInch, truncated toward zero (0 for a screen without resolution).
int FontPointSize(const FontRecord& font, int pixelsPerInch);
std::string FontFaceName(const FontRecord& font);
// What 标签13 shows: face name, a comma and the point size ("宋体,9").
std::string FontDescription(const FontRecord& font, int pixelsPerInch);

// ---- The dialog ----

struct ConfigChangeFlags {
  bool scheme = false;
  bool tabWidth = false;
  bool completion = false;
  bool autoIndent = false;
  bool font = false;
};

// What the window must do after 确定(&O) applied the settings.
struct ConfigApplied {
  bool drawingObjects = false;  // the brushes or the editor font are to be made again
  bool repaint = false;         // the current editing window is to be repainted
};

// The dialog's state from opening to closing. It changes the settings (the
// process-wide editor settings), the store and the two INI files it is given,
// which must outlive it.
class ConfigDialogModel {
 public:
  // Opening: working colours from the stored colours, the compiler path, the
  // scheme list and its selection, working font; all change flags cleared.
  ConfigDialogModel(EditorSettings& settings, SettingsStore& store, IniFile& settingsFile, IniFile& schemes);

  const std::vector<std::string>& Schemes() const { return schemes_; }
  int SelectedScheme() const { return selected_; }
  int InitialScheme() const { return initialScheme_; }
  const EditorColours& Pickers() const { return pickers_; }
  const EditorColours& WorkingColours() const { return working_; }
  const FontRecord& WorkingFont() const { return workingFont_; }
  const ConfigChangeFlags& Changes() const { return changes_; }
  bool SaveSchemeEnabled() const { return saveEnabled_; }
  const std::string& TabText() const { return tabText_; }
  bool Completion() const { return completion_; }
  bool AutoIndent() const { return autoIndent_; }
  const std::string& CompilerPath() const { return settings_.compilerPath; }

  // A selection of 组合框2: LoadScheme of that entry. Out of range is ignored.
  void SelectScheme(int index);
  // LoadScheme: the working colours and the pickers from entry index.
  void LoadScheme(int index);
  // A picker took a colour; only a saved and then selected scheme applies it.
  void SetPickerColour(int slot, ColourRef colour);

  // SaveScheme after CheckSchemeName accepted name: the pickers are written as
  // section name and the name joins the list. The selection and the working
  // colours stay, so the name and colours 确定 stores belong to one scheme.
  // False (nothing changed) for a refused name or a failed write.
  bool SaveScheme(std::string_view name);

  void SetWorkingFont(const FontRecord& font);
  // 浏览(&O) chose a file: the running compiler path, written to qlt8.dll at once.
  bool SetCompilerPath(std::string_view path);

  void SetTabText(std::string_view text);
  void SetCompletion(bool on);
  void SetAutoIndent(bool on);

  // 确定(&O): applies and stores what changed, in order colours, TAB width,
  // completion, auto-indent, font. Nothing is applied (nullopt) when the TAB
  // width is not a whole number 1..32.
  std::optional<ConfigApplied> Confirm();

 private:
  EditorSettings& settings_;
  SettingsStore& store_;
  IniFile& settingsFile_;
  IniFile& schemesFile_;

  std::vector<std::string> schemes_;
  int initialScheme_ = 0;
  int selected_ = 0;
  EditorColours working_;
  EditorColours pickers_;
  FontRecord workingFont_{};
  std::string tabText_;
  bool completion_ = true;
  bool autoIndent_ = true;
  bool saveEnabled_ = false;
  ConfigChangeFlags changes_;
};

}  // namespace quillet
