// The compile and run commands on the documents of the main window's tabs.
// The compiler runs on this thread: the call returns when it has ended, and
// meanwhile the windows keep painting while keys and clicks wait in the queue,
// so no second compile can start and no document can close under the running
// one.
#pragma once

namespace quillet {

// 编译程序(&C): compiles the document of tab (1-based). True only when the
// compiler ran and its log reports no error. False at once while a compile is
// already running.
bool CompileDocument(int tab);

// 运行(&R): starts the program the current tab's document builds, without
// waiting. False when it builds none or it could not be started.
bool RunProgram();

// 编译并运行(&E): compiles the current tab's document and, when that
// succeeded, starts its program. True when the program was started.
bool CompileAndRun();

}  // namespace quillet
