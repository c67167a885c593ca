// Which commands the program can carry out, and how. Each feature registers
// its commands at start-up, a handler and an enabled-state rule per CommandId;
// menu items, accelerators and toolbar buttons all reach the same entry. A
// command without an entry (its feature is not built) stays disabled.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "shell/commands.h"

namespace quillet {

class CodeDocument;

// One request to run a command.
struct CommandCall {
  int id = kCmdNone;
  // What sent it, as the platform names it (the Win32 layer: the control's
  // HWND, 0 for a menu item or an accelerator). Most handlers ignore it.
  std::uintptr_t source = 0;
};

class CommandRegistry {
 public:
  using Handler = std::function<void(const CommandCall&)>;
  using Rule = std::function<bool()>;  // empty: always enabled

  // Adds (or replaces) the entry of id.
  void Register(int id, Handler handler, Rule enabled = {});
  // The same handler and rule for every id of ids.
  void Register(std::span<const CommandId> ids, const Handler& handler, const Rule& enabled = {});
  void Unregister(int id) { entries_.erase(id); }
  void Clear() { entries_.clear(); }

  bool Has(int id) const { return entries_.count(id) != 0; }
  // Registered, and its rule allows it now.
  bool IsEnabled(int id) const;
  // Runs the handler when the command is enabled; false when nothing ran.
  bool Run(const CommandCall& call) const;

 private:
  struct Entry {
    Handler handler;
    Rule enabled;
  };
  std::map<int, Entry> entries_;
};

// The listeners of the one change notification (EditorHost::DocumentChanged):
// the status bar, the commands' enabled state, the captions; later the
// procedure list and the completion prompt.
class ChangeListeners {
 public:
  using Listener = std::function<void(CodeDocument&)>;
  void Listen(Listener listener) { listeners_.push_back(std::move(listener)); }
  void Raise(CodeDocument& document) const {
    for (const Listener& listener : listeners_) listener(document);
  }
  void Clear() { listeners_.clear(); }

 private:
  std::vector<Listener> listeners_;
};

}  // namespace quillet
