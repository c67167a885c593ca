// The process-wide state of the editor: one instance, reached through App().
// It holds what the main window and most parts of the program read: the
// editor settings (with the compiler path), the view flags and folder sizes,
// the editing area, the settings store, the recent-file list and the keyword
// database.
#pragma once

#include <memory>
#include <string>

#include "common/editor_settings.h"
#include "reference/keyword_database.h"
#include "shell/command_registry.h"
#include "shell/layout.h"
#include "shell/settings.h"

namespace quillet {

struct AppState {
  EditorSettings editor;  // colours, font, switches, compiler path, line-number bar width
  ViewFlags view;
  int workFolderWidth = kDefaultWorkFolderWidth;
  int statusFolderHeight = kDefaultStatusFolderHeight;
  Rect editingArea;  // written only by ArrangeMainWindow; all zero until its first run

  std::string baseCaption;
  std::string settingsFilePath;  // program folder + "\qlt8.dll"
  std::string registryRoot = kRegistryRoot;
  std::unique_ptr<SettingsStore> store;  // registry values below registryRoot
  RecentFiles recentFiles;

  // Read once at start-up; keywordDatabaseOpen says whether that succeeded.
  KeywordDatabase keywordDatabase;
  bool keywordDatabaseOpen = false;
  int untitledCounter = 0;  // numbers the "未命名" documents

  // What each feature registered at start-up: its commands, and its listeners
  // of the change notification. Empty again with every fresh start.
  CommandRegistry commands;
  ChangeListeners documentChanged;
};

// The one instance.
AppState& App();

// Registered in App().commands and enabled now; false for commands whose
// feature is not built (they have no entry).
bool IsCommandAvailable(int id);

// Back to the values of a fresh start (the main window does it when it is created).
void ResetApp();

}  // namespace quillet
