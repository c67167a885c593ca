#include "shell/printing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/code_document.h"
#include "editor/line_split.h"
#include "platform/std_file_system.h"

namespace quillet {
namespace {

class RecordingTarget : public PrintTarget {
 public:
  bool StartPage() override {
    log.push_back("start");
    return startsLeft-- > 0;
  }
  bool EndPage() override {
    log.push_back("end");
    return true;
  }
  void PrintText(int y, std::string_view text) override {
    log.push_back(std::to_string(y) + ":" + std::string(text));
  }
  std::vector<std::string> log;
  int startsLeft = 100;
};

class PrintingTest : public ::testing::Test {
 protected:
  void Print(const std::string& text, int pageHeight) {
    document.lines.Assign(SplitLines(text));
    PagedPrinter printer(target, pageHeight, 10, 4);
    document.PrintLines(printer);
    finished = printer.Finish();
    pages = printer.Pages();
  }
  EditorSettings settings;
  StdFileSystem files;
  EditorContext context{settings, files};
  CodeDocument document{context};
  RecordingTarget target;
  bool finished = false;
  int pages = 0;
};

TEST_F(PrintingTest, LinesFillPagesAndAFinalEmptyLineIsNotPrinted) {
  Print("a\r\n\tb\r\nc\r\n", 25);
  EXPECT_TRUE(finished);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(target.log, (std::vector<std::string>{"start", "0:a", "10:    b", "end", "start", "0:c", "end"}));
}

TEST_F(PrintingTest, AnEmptyDocumentPrintsNoPage) {
  Print("", 25);
  EXPECT_TRUE(finished);
  EXPECT_EQ(pages, 0);
  EXPECT_TRUE(target.log.empty());
}

TEST_F(PrintingTest, TinyPagesStillTakeALineAndARefusedPageStopsTheJob) {
  Print("a\r\nb", 5);
  EXPECT_EQ(pages, 2);
  target.log.clear();
  target.startsLeft = 1;
  Print("a\r\nb\r\nc", 5);
  EXPECT_FALSE(finished);
  EXPECT_EQ(target.log, (std::vector<std::string>{"start", "0:a", "end", "start"}));
}

}  // namespace
}  // namespace quillet
