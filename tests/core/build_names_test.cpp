#include "build/build_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/code_document.h"
#include "memory_file_system.h"

namespace quillet {
namespace {

class BuildNamesTest : public ::testing::Test {
 protected:
  CodeDocument& Document(const std::string& path, std::vector<std::string> lines,
                         SourceKind kind = SourceKind::Basic) {
    document.filePath = path;
    document.SetDisplayName(path.substr(path.rfind('\\') + 1));
    document.kind = kind;
    document.lines.Assign(std::move(lines));
    return document;
  }
  std::string Exe(std::vector<std::string> lines) {
    return GetOutputPath(Document("D:\\W\\a.bas", std::move(lines)), true);
  }

  EditorSettings settings;
  MemoryFileSystem files;
  EditorContext context{settings, files};
  CodeDocument document{context};
};

// 0xB1 0x5C and 0xB0 0x45 are two-byte characters whose trail bytes are '\' and 'E'.
constexpr char kTrailBackslash[] = "\xB1\x5C";

TEST_F(BuildNamesTest, FolderAndLogFileFollowTheLastBackslashAndDot) {
  EXPECT_EQ(FolderOfPath("D:\\Work\\My Prog\\prog.bas"), "D:\\Work\\My Prog\\");
  EXPECT_EQ(LogPathOf("D:\\Work\\My Prog\\prog.bas"), "D:\\Work\\My Prog\\prog.log");
  EXPECT_EQ(LogPathOf("D:\\W\\a.b.bas"), "D:\\W\\a.b.log");
  EXPECT_EQ(LogPathOf("D:\\My.Dir\\file"), "D:\\My.Dir\\file.log");  // the only dot is a folder's
  EXPECT_EQ(LogPathOf("D:\\W\\file"), "D:\\W\\file.log");
  EXPECT_EQ(LogPathOf("D:\\W\\file."), "D:\\W\\file.log");
  EXPECT_EQ(FolderOfPath(std::string("D:\\W\\") + kTrailBackslash + ".bas"), "D:\\W\\");
  EXPECT_EQ(FolderOfPath("prog.bas"), "");

  EXPECT_EQ(GetOutputPath(Document("D:\\My.Dir\\file", {}), false), "D:\\My.Dir\\file.log");
  EXPECT_EQ(GetFolder(document), "D:\\My.Dir\\");
  EXPECT_EQ(GetOutputPath(Document("", {"#COMPILE EXE"}), false), "");
  EXPECT_EQ(GetOutputPath(document, true), "");
  EXPECT_EQ(GetFolder(document), "");
}

TEST_F(BuildNamesTest, CompilerRootDropsTheFileAndItsFolder) {
  EXPECT_EQ(GetCompilerRoot("F:\\PBWin80\\Bin\\PBWin.exe"), "F:\\PBWin80\\");
  EXPECT_EQ(IncludeFolder("F:\\PBWin80\\Bin\\PBWin.exe"), "F:\\PBWin80\\WinAPI");
  EXPECT_EQ(GetCompilerRoot("C:\\PBWin.exe"), "");
  EXPECT_EQ(GetCompilerRoot("PBWin.exe"), "");
  EXPECT_EQ(GetCompilerRoot(std::string("F:\\A") + kTrailBackslash + "\\Bin\\c.exe"),
            std::string("F:\\A") + kTrailBackslash + "\\");
}

TEST_F(BuildNamesTest, ExecutableNameComesFromTheFirstCompileDirective) {
  EXPECT_EQ(Exe({"#COMPILE EXE", "#DIM ALL"}), "D:\\W\\a.exe");
  EXPECT_EQ(Exe({"#compile exe \"out/b\""}), "D:\\W\\out\\b.exe");
  EXPECT_EQ(Exe({"#COMPILE EXE \"C:\\\\Bin\\\\c.dll\""}), "C:\\Bin\\c.exe");
  EXPECT_EQ(Exe({"#COMPILE EXE \"tool.EXE\""}), "D:\\W\\tool.EXE");
  EXPECT_EQ(Exe({"#COMPILE EXE \"tool.v2\""}), "D:\\W\\tool.v2.exe");
  EXPECT_EQ(Exe({"#COMPILE EXE \"tool\""}), "D:\\W\\tool.exe");
  EXPECT_EQ(Exe({"#COMPILE EXE \"v1.2\\tool\""}), "D:\\W\\v1.2\\tool.exe");  // a dot only in a folder
  EXPECT_EQ(Exe({"#COMPILE EXE \"b.exe\"  ' the tool"}), "D:\\W\\b.exe");   // a comment after the name
  EXPECT_EQ(Exe({"#COMPILE EXE \"\""}), "D:\\W\\a.exe");                    // an empty name is no name
  EXPECT_EQ(Exe({"", "\t  #COMPILE  EXE\t "}), "D:\\W\\a.exe");             // indented by TABs and blanks

  EXPECT_EQ(Exe({"#COMPILE DLL"}), "");
  EXPECT_EQ(Exe({"#COMPILE DLL", "#COMPILE EXE"}), "");  // only the first directive counts
  EXPECT_EQ(Exe({"#COMPILER EXE"}), "");
  EXPECT_EQ(Exe({"' #COMPILE EXE"}), "");
  EXPECT_EQ(Exe({"#COMPILE"}), "");
  EXPECT_EQ(Exe({"PRINT 1"}), "");
  EXPECT_EQ(Exe({"#COMPILE DLL \"\xB0\x45XE.dll\""}), "");  // "EXE" starting on a trail byte is none

  EXPECT_EQ(GetOutputPath(Document("D:\\W\\noext", {"#COMPILE EXE"}), true), "D:\\W\\noext.exe");
  EXPECT_EQ(GetOutputPath(Document("D:\\W\\a.b.bas", {"#COMPILE EXE"}), true), "D:\\W\\a.b.exe");
  EXPECT_EQ(GetOutputPath(Document("D:\\W\\a.rc", {"#COMPILE EXE"}, SourceKind::Other), true), "");
}

TEST_F(BuildNamesTest, ShortPathAndCommandLine) {
  files.shortNames = {{"D:\\Work", "Work"},
                      {"D:\\Work\\My Prog", "MYPROG~1"},
                      {"D:\\Work\\MYPROG~1\\prog.bas", "prog.bas"},
                      {std::string("D:\\") + kTrailBackslash, "X~1"},
                      {"D:\\X~1\\f.bas", "f.bas"}};
  EXPECT_EQ(ToShortPath("D:\\Work\\My Prog\\prog.bas", files), "D:\\Work\\MYPROG~1\\prog.bas");
  EXPECT_EQ(ToShortPath(std::string("D:\\") + kTrailBackslash + "\\f.bas", files), "D:\\X~1\\f.bas");
  EXPECT_EQ(ToShortPath("D:\\Work\\", files), "D:\\Work");
  EXPECT_EQ(ToShortPath("D:\\Work\\gone.bas", files), "");
  EXPECT_EQ(ToShortPath("prog.bas", files), "");

  const std::string compiler = "F:\\PB Win\\Bin\\PBWin.exe";
  EXPECT_EQ(BuildCompileCommand(Document("D:\\Work\\My Prog\\prog.bas", {}), compiler, files),
            "\"F:\\PB Win\\Bin\\PBWin.exe\" \"D:\\Work\\MYPROG~1\\prog.bas\" /Q /L /I\"F:\\PB Win\\WinAPI\"");
  EXPECT_EQ(BuildCompileCommand(Document("D:\\Work\\gone.bas", {}), compiler, files),
            "\"F:\\PB Win\\Bin\\PBWin.exe\" \"\" /Q /L /I\"F:\\PB Win\\WinAPI\"");
  EXPECT_EQ(BuildCompileCommand(Document("", {}), compiler, files), "");
}

}  // namespace
}  // namespace quillet
