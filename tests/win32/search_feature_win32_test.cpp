#include "app/search_feature_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/features_win32.h"
#include "dialogs/find_dialogs_win32.h"
#include "dialogs/input_box_win32.h"
#include "editor/completion.h"
#include "editor/completion_list_win32.h"
#include "dialog_driver.h"
#include "document_window_options.h"
#include "message_pump.h"
#include "platform/win32_file_system_win32.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"
#include "shell/file_dialog_win32.h"
#include "shell/main_window_win32.h"
#include "shell/panels_win32.h"

namespace quillet {
namespace {

constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest\\Search";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\Search\\";

std::vector<std::string> ItemTexts(HWND tree, HTREEITEM parent, std::vector<int>* images = nullptr) {
  std::vector<std::string> texts;
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
  for (; item; item = reinterpret_cast<HTREEITEM>(
                   SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    char text[256] = {};
    TVITEMA info{};
    info.mask = TVIF_TEXT | TVIF_IMAGE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info));
    texts.push_back(text);
    if (images) images->push_back(info.iImage);
  }
  return texts;
}

HTREEITEM Root(HWND tree) { return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); }

// The centre of an item, in the tree's client pixels.
POINT ItemPoint(HWND tree, HTREEITEM item) {
  RECT r{};
  std::memcpy(&r, &item, sizeof item);  // the item goes in, its rectangle comes out
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HTREEITEM NthChild(HWND tree, HTREEITEM parent, int n) {
  auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(tree, TVM_GETNEXTITEM, parent ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
  while (item && n-- > 0) {
    item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
  return item;
}

class SearchFeatureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(nullptr)));
    MainWindowOptions options = DocumentWindowOptions(commands, kTestRoot);
    AddSearchFeatureParts(options.parts, commands);
    if (withFeatures) AddFeatureParts(options.parts, commands);
    window = CreateMainWindow(GetModuleHandleA(nullptr), std::move(options));
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) {
      for (int k = 1; k <= Documents().Count(); ++k) Documents().Document(k).modified = false;
      DestroyWindow(window);
    }
    DrainMessages();
    for (const std::string& path : written) DeleteFileA(path.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }
  void Command(int command) { SendMessageA(window, WM_COMMAND, command, 0); }
  void Type(const std::string& bytes) {
    for (char c : bytes) SendMessageA(EditHandle(CurrentTab()), WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  CodeDocument& Current() { return *CurrentDocument(); }
  // The current document holds exactly these lines, caret at the start.
  void SetText(const std::vector<std::string>& lines) {
    CodeDocument& doc = Current();
    doc.SelectAll();
    doc.Delete();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i) doc.InsertLineBreak();
      doc.InsertText(lines[i]);
    }
    doc.CaretTextStart();
  }
  std::string Line(int k) { return std::string(Current().lines[k]); }
  std::string Write(const std::string& name, const std::string& bytes) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + name;
    Win32FileSystem().WriteFileAtomically(path, bytes);
    written.push_back(path);
    return path;
  }

  CommandSurface commands;
  HWND window = nullptr;
  std::vector<std::string> written;
  bool withFeatures = false;  // the keyword tree and the other features too
};

// A double-click posted where a tree's item lies, as the mouse gives it.
void DoubleClick(HWND tree, HTREEITEM item) {
  const POINT at = ItemPoint(tree, item);
  POINT screen = at;
  ClientToScreen(tree, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  DrainMessages();
}

bool Expanded(HWND tree, HTREEITEM item) {
  return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

TEST_F(SearchFeatureTest, TypingListsKeywordsBelowTheCaretAndSpaceOrAClickTakesOne) {
  HWND list = Units().completionList;
  Command(kCmdSelectAll);
  Command(kCmdDelete);
  Type("pr");
  const auto shown = [list] { return (GetWindowLongA(list, GWL_STYLE) & WS_VISIBLE) != 0; };
  ASSERT_TRUE(shown());
  EXPECT_EQ(ItemTexts(list, nullptr), (std::vector<std::string>{"PRINT", "PRIVATE", "PROFILE", "PROGID$", "PRINTER$",
                                                                 "PRESERVE", "PRINTERCOUNT"}));
  EXPECT_EQ(SelectedCompletionItem(list), 0);
  // Just below the caret's row, at the word's start, at the designed size.
  RECT listRect{}, editRect{};
  GetWindowRect(list, &listRect);
  GetWindowRect(EditHandle(CurrentTab()), &editRect);
  EXPECT_EQ(listRect.right - listRect.left, kCompletionListWidth);
  EXPECT_EQ(listRect.bottom - listRect.top, kCompletionListHeight);
  EXPECT_GT(listRect.top, editRect.top + Current().GetCaretHeight() - 1);
  EXPECT_LT(listRect.top, editRect.top + 3 * Current().RowPitch());
  EXPECT_EQ(GetWindow(list, GW_HWNDPREV), nullptr) << "in front of the editing windows";
  Type(" ");
  EXPECT_FALSE(shown());
  EXPECT_EQ(Line(0), "print ");
  EXPECT_EQ(Current().caret.col, 6);

  Type("#co");
  std::vector<int> images;
  EXPECT_EQ(ItemTexts(list, nullptr, &images), (std::vector<std::string>{"#COMPILE", "#COMPILER"}));
  EXPECT_EQ(images, (std::vector<int>{0, 0}));
  // A click on the second item takes it, and the editor keeps the focus.
  SetFocus(EditHandle(CurrentTab()));
  const POINT at = ItemPoint(list, NthChild(list, nullptr, 1));
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  EXPECT_EQ(Line(0), "print #compiler ");
  EXPECT_FALSE(shown());
  EXPECT_EQ(GetFocus(), EditHandle(CurrentTab()));
}

TEST_F(SearchFeatureTest, TheProcedureTreeFollowsTheCurrentTabAndADoubleClickJumps) {
  HWND tree = Units().procedureTree;
  EXPECT_EQ(ItemTexts(tree, nullptr), std::vector<std::string>{"未命名1.bas"});
  EXPECT_EQ(ItemTexts(tree, Root(tree)), std::vector<std::string>{"PBMAIN"});
  const std::string path = Write("quillet程序集.bas",
                                 "' SUB that calls PBMAIN\r\n\r\nSUB A\r\nEND SUB\r\n\tSub InitAll()\r\nEND SUB\r\n"
                                 "SUB Init\r\nEND SUB\r\nFUNCTION PBMAIN() AS LONG\r\n  Init\r\nEND FUNCTION");
  OpenDocument(path, kNewPlainText);
  ASSERT_EQ(CurrentTab(), 2);
  std::vector<int> images;
  EXPECT_EQ(ItemTexts(tree, nullptr, &images), std::vector<std::string>{"quillet程序集.bas"});
  EXPECT_EQ(ItemTexts(tree, Root(tree), &images), (std::vector<std::string>{"A", "InitAll", "Init", "PBMAIN"}));
  EXPECT_EQ(images, (std::vector<int>{1, 0, 0, 0, 0}));

  // Jumping to «Init» lands on its own line, not on «Sub InitAll()».
  HTREEITEM init = NthChild(tree, Root(tree), 2);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(init));
  POINT at = ItemPoint(tree, init);
  POINT screen = at;
  ClientToScreen(tree, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  DrainMessages();
  EXPECT_EQ(Current().caret.line, 6);
  EXPECT_EQ(Current().caret.col, 0);
  EXPECT_FALSE(Current().HasSelection());

  // 跳转到(&G) is for procedures only; 刷新(&R) rebuilds after an edit.
  EXPECT_TRUE(App().commands.IsEnabled(kCmdProcedureJump));
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Root(tree)));
  EXPECT_FALSE(App().commands.IsEnabled(kCmdProcedureJump));
  Current().CaretTextStart();
  Current().InsertText("SUB First");
  Current().InsertLineBreak();
  Command(kCmdProcedureRefresh);
  EXPECT_EQ(ItemTexts(tree, Root(tree)).front(), "First");

  // Back on the first tab, its own list.
  SelectTab(1);
  EXPECT_EQ(ItemTexts(tree, nullptr), std::vector<std::string>{"未命名1.bas"});
  EXPECT_EQ(ItemTexts(tree, Root(tree)), std::vector<std::string>{"PBMAIN"});
}

TEST_F(SearchFeatureTest, TheFindDialogSearchesRemembersAndTellsWhenNothingIsLeft) {
  SetText({"dim a", "Dim b", "dim c"});
  DialogDriver driver;
  HWND owner = nullptr;
  std::vector<std::string> units;
  driver.steps = {
      [&](HWND d) {
        owner = GetWindow(d, GW_OWNER);
        for (int id : {int(kFindLabelId), int(kFindDirectionGroupId), int(kFindCaseId), int(kFindButtonId), IDCANCEL})
          units.push_back(TextOf(GetDlgItem(d, id)));
        units.push_back(std::to_string(SendDlgItemMessageA(d, kFindDirectionId, CB_GETCOUNT, 0, 0)));
        units.push_back(std::to_string(IsDlgButtonChecked(d, kFindCaseId)));
        SetDlgItemTextA(d, kFindTextId, "dim");
        Click(d, kFindButtonId);  // whole text: the first «dim», then on downwards
      },
      [&](HWND d) {
        EXPECT_EQ(Current().caret.line, 0);
        EXPECT_EQ(SendDlgItemMessageA(d, kFindDirectionId, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(SendDlgItemMessageA(d, kFindTextId, CB_GETCOUNT, 0, 0), 1);
        Click(d, kFindButtonId);  // case ignored: «Dim»
      },
      [&](HWND d) {
        EXPECT_EQ(Current().caret.line, 1);
        SendDlgItemMessageA(d, kFindCaseId, BM_CLICK, 0, 0);
        SetDlgItemTextA(d, kFindTextId, "DIM");
        Click(d, kFindButtonId);  // case-sensitive «DIM»: not found
      },
      [&](HWND d) { Click(d, IDOK); },
      [&](HWND d) {
        EXPECT_EQ(Current().caret.line, 1) << "unchanged after the notice";
        EXPECT_EQ(SendDlgItemMessageA(d, kFindTextId, CB_GETCOUNT, 0, 0), 2);
        Click(d, IDCANCEL);
      },
  };
  Command(kCmdFind);
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(owner, window);
  EXPECT_EQ(units, (std::vector<std::string>{"查找内容:", "方向", "区分大小写(&C)", "查找关键字(&F)", "取消", "3", "0"}));
  ASSERT_EQ(driver.seen.size(), 5u);
  EXPECT_EQ(driver.seen[0], "查找|");
  EXPECT_EQ(driver.seen[3], "Quillet 2.8正式版|找不到\"DIM\"");
  EXPECT_EQ(SearchFeatureHistory().Entries().front(), "DIM");
  // F3 and Shift+F3 repeat the last successful search («dim», case ignored).
  Current().CaretTextStart();
  Command(kCmdFindNext);
  EXPECT_EQ(Current().caret.line, 0);
  Command(kCmdFindNext);
  EXPECT_EQ(Current().caret.line, 1);
  Command(kCmdFindPrevious);  // the same match, the caret now at its start
  EXPECT_EQ(Current().caret.line, 1);
  Command(kCmdFindPrevious);
  EXPECT_EQ(Current().caret.line, 0);
}

TEST_F(SearchFeatureTest, TheReplaceDialogFindsReplacesAllAndUndoTakesItBackInOneStep) {
  SetText({"a", "aaa", "b"});
  DialogDriver driver;
  std::vector<bool> replaceEnabled;
  driver.steps = {
      [&](HWND d) {
        EXPECT_EQ(GetWindow(d, GW_OWNER), window);
        EXPECT_EQ(TextOf(GetDlgItem(d, kReplaceWithLabelId)), "替换为(&P):");
        replaceEnabled.push_back(IsWindowEnabled(GetDlgItem(d, kReplaceOneId)));
        Click(d, kReplaceAllId);  // nothing to search for
      },
      [&](HWND d) { Click(d, IDOK); },
      [&](HWND d) {
        EXPECT_EQ(GetFocus(), GetDlgItem(d, kReplaceSearchId));
        SetDlgItemTextA(d, kReplaceSearchId, "a");
        Click(d, kReplaceFindNextId);
      },
      [&](HWND d) {
        replaceEnabled.push_back(IsWindowEnabled(GetDlgItem(d, kReplaceOneId)));
        SetDlgItemTextA(d, kReplaceWithId, "aa");
        Click(d, kReplaceAllId);
      },
      [&](HWND d) { Click(d, IDOK); },
      [&](HWND d) { Click(d, IDCANCEL); },
  };
  Command(kCmdReplace);
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(replaceEnabled, (std::vector<bool>{false, true}));
  ASSERT_EQ(driver.seen.size(), 6u);
  EXPECT_EQ(driver.seen[1], "Quillet 2.8正式版|请输入要查找的词条");
  EXPECT_EQ(driver.seen[4], "Quillet 2.8正式版|一共有4处被替换");
  EXPECT_EQ(Line(0) + "|" + Line(1) + "|" + Line(2), "aa|aaaaaa|b");
  Command(kCmdUndo);
  EXPECT_EQ(Line(0) + "|" + Line(1) + "|" + Line(2), "a|aaa|b");
  Command(kCmdRedo);
  EXPECT_EQ(Line(1), "aaaaaa");
}

TEST_F(SearchFeatureTest, GoToLineMovesTheCaretOrTellsThatTheNumberIsBeyondTheEnd) {
  SetText({"one", "two", "three"});
  DialogDriver driver;
  const auto answer = [](const char* text) {
    return [text](HWND d) {
      SetDlgItemTextA(d, kInputBoxEditId, text);
      Click(d, IDOK);
    };
  };
  std::string prompt;
  driver.steps = {[&](HWND d) {
                    prompt = TextOf(GetDlgItem(d, kInputBoxPromptId));
                    answer("2")(d);
                  }};
  Command(kCmdGoToLine);
  EXPECT_EQ(prompt, kGoToLinePrompt);
  EXPECT_EQ(Current().caret.line, 1);
  EXPECT_FALSE(Current().HasSelection());

  driver.steps = {answer("99"), Press(IDOK)};
  Command(kCmdGoToLine);
  ASSERT_EQ(driver.seen.size(), 3u);
  EXPECT_EQ(driver.seen[2], "Quillet 2.8正式版|行号已经超出范围");
  EXPECT_FALSE(Current().HasSelection()) << "a keystroke would replace the whole text";
  EXPECT_EQ(Current().caret.line, 2);
  EXPECT_EQ(Current().caret.col, 0);
}

TEST_F(SearchFeatureTest, TheProcedureTreeTakesTheNewNameOfASavedDocument) {
  HWND tree = Units().procedureTree;
  ASSERT_EQ(ItemTexts(tree, nullptr), std::vector<std::string>{"未命名1.bas"});
  const std::string path = Write("quillet另存.bas", "");
  DeleteFileA(path.c_str());
  DialogDriver driver;
  driver.steps = {{kSaveDialogTitle, [&](HWND d) {
                     SetWindowTextA(DialogDriver::FileNameBox(d), path.c_str());
                     Click(d, IDOK);
                   }}};
  Command(kCmdSaveAs);
  ASSERT_TRUE(driver.steps.empty());
  EXPECT_EQ(ItemTexts(tree, nullptr), std::vector<std::string>{"quillet另存.bas"});
  EXPECT_EQ(ItemTexts(tree, Root(tree)), std::vector<std::string>{"PBMAIN"});
}

class LibraryTreeTest : public SearchFeatureTest {
 protected:
  void SetUp() override {
    withFeatures = true;
    SearchFeatureTest::SetUp();
  }
};

TEST_F(LibraryTreeTest, ADoubleClickFoldsACategoryAndOutputsAnEntry) {
  HWND tree = Units().libraryTree;
  HTREEITEM category = NthChild(tree, Root(tree), 0);
  ASSERT_NE(category, nullptr);
  ASSERT_FALSE(Expanded(tree, category));
  DoubleClick(tree, category);
  EXPECT_TRUE(Expanded(tree, category));
  DoubleClick(tree, category);
  EXPECT_FALSE(Expanded(tree, category));

  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(category));
  SetText({""});
  DoubleClick(tree, NthChild(tree, category, 0));
  EXPECT_TRUE(Expanded(tree, category));
  EXPECT_NE(Line(0), "") << "the entry's template went into the document";
}

}  // namespace
}  // namespace quillet
