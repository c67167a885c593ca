#include "platform/win32_file_system_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "editor/code_document.h"

namespace quillet {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    folder_ = std::string(temp) + "quillet测试" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string path = folder_ + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string PathOf(const std::string& name) const { return folder_ + "\\" + name; }
  int FileCount() const {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
  }

  Win32FileSystem files_;
  std::string folder_;
};

TEST_F(Win32FileSystemTest, WritesReplaceWholeFilesOrNothing) {
  const std::string path = PathOf("源码.bas");
  const std::string first("one\r\n\0two\xB0\xA1", 12);
  ASSERT_TRUE(files_.WriteFileAtomically(path, first));
  std::string read;
  ASSERT_TRUE(files_.ReadWholeFile(path, read));
  EXPECT_EQ(read, first);
  ASSERT_TRUE(files_.WriteFileAtomically(path, "shorter"));
  ASSERT_TRUE(files_.ReadWholeFile(path, read));
  EXPECT_EQ(read, "shorter");
  EXPECT_EQ(FileCount(), 1);  // no temporary file left behind
  EXPECT_FALSE(files_.ReadWholeFile(path, read, 6));

  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files_.WriteFileAtomically(path, "lost"));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(files_.ReadWholeFile(path, read));
  EXPECT_EQ(read, "shorter");
  EXPECT_FALSE(files_.WriteFileAtomically(PathOf("缺少\\x.bas"), "x"));
  EXPECT_FALSE(files_.WriteFileAtomically(folder_, "x"));
  EXPECT_FALSE(files_.ReadWholeFile(PathOf("missing.bas"), read));
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(Win32FileSystemTest, DocumentSavesUnderANameWhoseTrailByteIsABackslash) {
  EditorSettings settings;
  EditorContext context{settings, files_};
  CodeDocument doc(context);
  doc.ApplyTemplate(TemplateKind::Exe);
  const std::string name = "\x81\x5C.inc";  // the character's second byte is 0x5C
  ASSERT_TRUE(doc.SaveFile(PathOf(name)));
  EXPECT_EQ(doc.GetDisplayName(), name);
  EXPECT_EQ(doc.kind, SourceKind::Include);
  CodeDocument again(context);
  SourceKind kind;
  ASSERT_TRUE(again.LoadFile(PathOf(name), kind));
  EXPECT_EQ(again.lineCount, 8);
  EXPECT_EQ(again.lines[7], "END FUNCTION       ");
  EXPECT_EQ(FileCount(), 1);
}

std::string BesideTheTests(const char* name) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path = module;
  return path.substr(0, path.rfind('\\') + 1) + name;
}

// A save killed at any moment leaves the whole old file or the whole new one,
// and the next save into the folder removes the temporary file it left.
TEST_F(Win32FileSystemTest, ASaveKilledMidwayLeavesOldOrNewBytesWhole) {
  constexpr std::size_t kMegabytes = 100;
  const std::string path = PathOf("大文件.bas");
  const std::string child = BesideTheTests("save_child.exe");
  ASSERT_TRUE(files_.WriteFileAtomically(path, std::string(kMegabytes << 20, 'o')));
  const DWORD delays[] = {30, 150, 400};
  int interrupted = 0;
  for (DWORD delay : delays) {
    std::string command = "\"" + child + "\" \"" + path + "\" " + std::to_string(kMegabytes) + " n";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(child.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    if (WaitForSingleObject(process.hProcess, delay) == WAIT_TIMEOUT) {
      TerminateProcess(process.hProcess, 9);
      WaitForSingleObject(process.hProcess, INFINITE);
      ++interrupted;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string bytes;
    ASSERT_TRUE(files_.ReadWholeFile(path, bytes));
    ASSERT_EQ(bytes.size(), kMegabytes << 20) << "after " << delay << " ms";
    EXPECT_TRUE(bytes.find_first_not_of(bytes[0]) == std::string::npos) << "a mix of old and new bytes";
    ASSERT_TRUE(files_.WriteFileAtomically(path, std::string(kMegabytes << 20, 'o')));
    EXPECT_EQ(FileCount(), 1) << "a temporary file outlived the next save";
  }
  EXPECT_GT(interrupted, 0);  // at least one kill landed during the save
}

}  // namespace
}  // namespace quillet
