#include "editor/code_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/path_text.h"
#include "editor/document_templates.h"
#include "platform/edit_view.h"
#include "platform/line_printer.h"
#include "platform/std_file_system.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> LinesOf(const CodeDocument& doc) { return {doc.lines.begin(), doc.lines.end()}; }

class CodeDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("quillet-doc-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(folder_);
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
    return PathOf(name);
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  int FilesInFolder() const { return static_cast<int>(std::distance(fs::directory_iterator(folder_), {})); }

  EditorSettings settings_;
  StdFileSystem files_;
  EditorContext context_{settings_, files_};
  fs::path folder_;
};

TEST_F(CodeDocumentTest, LoadAndSaveGiveBackTheSameBytes) {
  const std::string bigLine((1 << 20) - 1, 'q');
  const std::vector<std::string> contents = {
      "a\r\nb",
      "a\r\nb\r\n",
      "\r\n",
      "lone\rCR and lone\nLF\r\n\r\n",
      std::string("nul\0byte\r\n\0", 12),
      "\x81\r\n\xFF\xFE\x80 invalid GBK, and a lead byte at the very end \xB0",
      "\r\r\n\n\n\r",
      bigLine + "\r\n" + bigLine + "\r\n",  // CR LF pairs straddle the read pieces
  };
  for (const std::string& bytes : contents) {
    const std::string path = Write("in.txt", bytes);
    CodeDocument doc(context_);
    SourceKind kind = SourceKind::Basic;
    ASSERT_TRUE(doc.LoadFile(path, kind));
    EXPECT_EQ(kind, SourceKind::Other);
    EXPECT_EQ(doc.lineCount, doc.lines.size());
    ASSERT_TRUE(doc.SaveFile(PathOf("out.txt")));
    EXPECT_EQ(Read(PathOf("out.txt")), bytes);
  }

  CodeDocument doc(context_);
  SourceKind kind;
  ASSERT_TRUE(doc.LoadFile(Write("two.bas", "a\r\nb\r\n"), kind));
  EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(kind, SourceKind::Basic);
  EXPECT_EQ(doc.filePath, PathOf("two.bas"));
  ASSERT_TRUE(doc.LoadFile(Write("lf.txt", "x\ny"), kind));
  EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{"x\ny"}));
}

TEST_F(CodeDocumentTest, EmptyFilesAndEmptyDocuments) {
  CodeDocument doc(context_);
  EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{""}));
  EXPECT_EQ(doc.lineCount, 1);
  SourceKind kind;
  doc.lines.InsertLine(0, "old");
  ASSERT_TRUE(doc.LoadFile(Write("empty.inc", ""), kind));
  EXPECT_EQ(LinesOf(doc), (std::vector<std::string>{""}));  // one line to stand on
  EXPECT_EQ(doc.lineCount, 1);
  EXPECT_EQ(kind, SourceKind::Include);
  ASSERT_TRUE(doc.SaveFile(""));
  EXPECT_EQ(Read(PathOf("empty.inc")), "");

  CodeDocument untitled(context_);
  EXPECT_FALSE(untitled.SaveFile(""));
}

TEST_F(CodeDocumentTest, FailedLoadChangesNothing) {
  CodeDocument doc(context_);
  doc.ApplyTemplate(TemplateKind::Exe);
  doc.filePath = "keep.bas";
  SourceKind kind = SourceKind::Include;
  EXPECT_FALSE(doc.LoadFile(PathOf("missing.bas"), kind));
  EXPECT_FALSE(doc.LoadFile(folder_.string(), kind));  // a folder
  // Too large to hold: refused from its length, before anything is read.
  const std::string huge = PathOf("huge.bas");
  { std::ofstream(huge, std::ios::binary) << ""; }
  fs::resize_file(huge, kMaxDocumentBytes + 1);
  EXPECT_FALSE(doc.LoadFile(huge, kind));
  EXPECT_EQ(doc.lineCount, 8);
  EXPECT_EQ(doc.lines[0], "#COMPILE EXE");
  EXPECT_EQ(doc.filePath, "keep.bas");
  EXPECT_EQ(kind, SourceKind::Include);

  std::string bytes;
  EXPECT_FALSE(files_.ReadWholeFile(Write("five.txt", "12345"), bytes, 4));
  EXPECT_TRUE(files_.ReadWholeFile(PathOf("five.txt"), bytes, 5));
  EXPECT_EQ(bytes, "12345");
}

TEST_F(CodeDocumentTest, FailedSaveKeepsTheOldFileAndTheDocument) {
  CodeDocument doc(context_);
  SourceKind kind;
  const std::string path = Write("prog.bas", "old\r\ntext");
  ASSERT_TRUE(doc.LoadFile(path, kind));
  doc.SetDisplayName("prog.bas");
  doc.lines.SetLine(0, "new");
  doc.modified = true;

  // Save as into a folder that does not exist: the document keeps its old path.
  EXPECT_FALSE(doc.SaveFile(PathOf("nowhere/other.inc")));
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(doc.filePath, path);
  EXPECT_EQ(doc.GetDisplayName(), "prog.bas");
  EXPECT_EQ(doc.kind, SourceKind::Basic);

  // A read-only target is left alone, and no temporary file stays behind.
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(doc.SaveFile(""));
  EXPECT_TRUE(doc.modified);
  EXPECT_EQ(Read(path), "old\r\ntext");
  EXPECT_EQ(FilesInFolder(), 1);

  // A target in a folder that cannot be written to: the old file is intact.
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  if (::geteuid() != 0) {  // root writes anywhere
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(doc.SaveFile(""));
    EXPECT_EQ(Read(path), "old\r\ntext");
    fs::permissions(folder_, fs::perms::owner_all);
  }

  ASSERT_TRUE(doc.SaveFile(""));
  EXPECT_FALSE(doc.modified);
  EXPECT_EQ(Read(path), "new\r\ntext");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::owner_write);
  EXPECT_EQ(FilesInFolder(), 1);

  // A successful save as takes the new path, its file name and its kind. The
  // name's second character ends in 0x5C, the backslash byte.
  const std::string name = "\xB1\x5C.inc";
  doc.modified = true;
  ASSERT_TRUE(doc.SaveFile(PathOf(name)));
  EXPECT_EQ(doc.filePath, PathOf(name));
  EXPECT_EQ(doc.GetDisplayName(), name);
  EXPECT_EQ(doc.kind, SourceKind::Include);
  EXPECT_EQ(FileNamePart("C:\\dir\\\xB1\x5C.bas"), "\xB1\x5C.bas");
  EXPECT_FALSE(doc.modified);
}

TEST_F(CodeDocumentTest, TemplatesHoldTheirExactLines) {
  CodeDocument doc(context_);
  doc.ApplyTemplate(TemplateKind::Exe);
  EXPECT_EQ(doc.kind, SourceKind::Basic);
  ASSERT_EQ(doc.lineCount, 8);
  EXPECT_EQ(doc.lines[3], "FUNCTION PBMAIN () AS LONG");
  EXPECT_EQ(doc.lines[5], "    ");
  EXPECT_EQ(doc.lines[7], "END FUNCTION       ");
  EXPECT_EQ(TemplateText(TemplateKind::Exe).substr(0, 22), "#COMPILE EXE\r\n#DIM ALL");
  EXPECT_NE(TemplateText(TemplateKind::Exe).back(), '\n');

  doc.ApplyTemplate(TemplateKind::Dll);
  const std::vector<std::string> dll = LinesOf(doc);
  EXPECT_EQ(doc.kind, SourceKind::Basic);
  EXPECT_EQ(dll.front(), "#COMPILE DLL");
  EXPECT_EQ(dll.back(), "END FUNCTION");
  EXPECT_EQ(dll[6], "GLOBAL ghInstance AS DWORD");
  for (int i = 7; i < 14; ++i) EXPECT_EQ(dll[i], "") << i;
  EXPECT_EQ(dll[14], "'" + std::string(79, '-'));
  EXPECT_EQ(dll[17], "FUNCTION LIBMAIN (BYVAL hInstance   AS LONG, _");
  EXPECT_EQ(dll[18], "                  BYVAL fwdReason   AS LONG, _");
  EXPECT_EQ(dll[19], "                  BYVAL lpvReserved AS LONG) AS LONG");
  // Each CASE line is followed by two or three comment lines, then an empty line.
  int cases = 0;
  for (std::size_t i = 0; i < dll.size(); ++i) {
    if (dll[i].rfind("    CASE %DLL_", 0) != 0) continue;
    ++cases;
    std::size_t comments = 0;
    while (dll[i + 1 + comments].rfind("        '", 0) == 0) ++comments;
    EXPECT_GE(comments, 2u);
    EXPECT_LE(comments, 3u);
    EXPECT_EQ(dll[i + 1 + comments], "");
  }
  EXPECT_EQ(cases, 4);
  EXPECT_EQ(std::count(dll.begin(), dll.end(), "        FUNCTION = 1   'success!"), 4);
  EXPECT_EQ(std::count(dll.begin(), dll.end(), "        'FUNCTION = 0   'failure!"), 3);
  EXPECT_EQ(std::count_if(dll.begin(), dll.end(),
                          [](const std::string& l) { return l.rfind("        'FUNCTION = 0   'failure!  ", 0) == 0; }),
            1);

  doc.ApplyTemplate(TemplateKind::Rc);
  EXPECT_EQ(doc.kind, SourceKind::Other);
  ASSERT_EQ(doc.lineCount, 32);
  EXPECT_EQ(doc.lines[0], "#include \"resource.h\"");
  // GBK bytes of 开发公司 and the resource script's own backslash escapes.
  EXPECT_EQ(doc.lines[16], "      VALUE \"CompanyName\",      \"\xBF\xAA\xB7\xA2\xB9\xAB\xCB\xBE, Inc.\\000\"");
  EXPECT_EQ(doc.lines[21], "      VALUE \"LegalCopyright\",   \"Copyright \\251 2004 My Company, Inc.\\000\"");
  EXPECT_EQ(doc.lines[31], "END");

  const std::vector<std::string> before = LinesOf(doc);
  doc.ApplyTemplate(TemplateKind::PlainText);
  doc.ApplyTemplate(static_cast<TemplateKind>(4));
  EXPECT_EQ(LinesOf(doc), before);
  EXPECT_EQ(doc.kind, SourceKind::Other);
}

// Counts the scroll-bar updates that every recount ends with.
struct CountingView : NullEditView {
  void SetScrollRange(ScrollBar, int, int, bool) override {}
  void ShowScrollBar(ScrollBar bar, bool) override { updates += bar == ScrollBar::Vertical; }
  int updates = 0;
};

TEST_F(CodeDocumentTest, RecountFindsTheFirstWidestLine) {
  CodeDocument doc(context_);
  CountingView view;
  doc.SetView(&view);
  doc.RecountLines();
  EXPECT_EQ(doc.longestLine, 1);
  EXPECT_EQ(doc.longestWidth, 0);

  doc.lines.Assign({"short", "x\tz", "abcdef", "ab"});
  doc.RecountLines();
  EXPECT_EQ(doc.lineCount, 4);
  EXPECT_EQ(doc.longestLine, 2);  // 6 columns, as wide as line 3, and first
  EXPECT_EQ(doc.longestWidth, 6);

  settings_.tabWidth = 8;
  doc.RecountLines();
  EXPECT_EQ(doc.longestWidth, 10);
  settings_.tabWidth = 1;
  doc.RecountLines();
  EXPECT_EQ(doc.longestLine, 3);
  EXPECT_EQ(doc.longestWidth, 6);

  doc.lines.SetLine(2, "x");  // the widest line shrinks
  doc.lines.InsertLine(0, "");
  doc.RecountLines();
  EXPECT_EQ(doc.longestLine, 2);
  EXPECT_EQ(doc.longestWidth, 5);
  EXPECT_EQ(doc.lineCount, 5);
  EXPECT_EQ(view.updates, 5);
}

TEST_F(CodeDocumentTest, KindsNamesAndPrinting) {
  EXPECT_EQ(KindOfPath("C:\\src\\Prog.Bas"), SourceKind::Basic);
  EXPECT_EQ(KindOfPath("x.inc"), SourceKind::Include);
  EXPECT_EQ(KindOfPath("x.rc"), SourceKind::Other);
  EXPECT_EQ(KindOfPath("C:\\a.bas\\README"), SourceKind::Other);
  EXPECT_EQ(KindOfPath("BAS"), SourceKind::Basic);  // no dot: the whole path counts

  CodeDocument doc(context_);
  EXPECT_TRUE(doc.HoldsFile(""));
  EXPECT_FALSE(doc.HoldsFile("a.bas"));
  EXPECT_TRUE(doc.IsUntitled());
  doc.SetDisplayName("未命名1.bas");
  EXPECT_EQ(doc.GetTitleText(), "未命名1.bas");
  doc.filePath = "C:\\Src\\Prog.BAS";
  EXPECT_EQ(doc.GetTitleText(), "C:\\Src\\Prog.BAS");
  EXPECT_TRUE(doc.HoldsFile("c:\\SRC\\prog.bas"));
  EXPECT_FALSE(doc.HoldsFile(""));
  // Only ASCII letters outside two-byte characters fold: \xB0\x61 is not \xB0\x41.
  doc.filePath = "C:\\\xB0\x61.bas";
  EXPECT_TRUE(doc.HoldsFile("c:\\\xB0\x61.BAS"));
  EXPECT_FALSE(doc.HoldsFile("c:\\\xB0\x41.BAS"));

  struct Collect : LinePrinter {
    void PrintLine(std::string_view line) override { printed.emplace_back(line); }
    std::vector<std::string> printed;
  } printer;
  doc.PrintLines(printer);
  EXPECT_TRUE(printer.printed.empty());
  doc.lines.Assign({"a", "", "b", ""});
  doc.PrintLines(printer);
  EXPECT_EQ(printer.printed, (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace quillet
