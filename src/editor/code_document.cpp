#include "editor/code_document.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "common/gbk.h"
#include "common/path_text.h"
#include "editor/document_templates.h"
#include "editor/line_split.h"
#include "platform/edit_view.h"
#include "platform/file_system.h"
#include "platform/line_printer.h"

namespace quillet {
namespace {

EditView& NoView() {
  static NullEditView none;
  return none;
}

// Joins the lines with CR LF for writing, about a chunk at a time. The last
// line is written without a line break; an empty last line stands for a final
// CR LF and is not written itself.
class JoinedLines {
 public:
  explicit JoinedLines(const LineStore& lines) : next_(lines.begin()) {
    if (lines.empty()) return;
    finalBreak_ = lines[lines.size() - 1].empty();
    toWrite_ = finalBreak_ ? lines.size() - 1 : lines.size();
  }

  // The buffer grows with what it holds, so saving a small file does not
  // fill a whole chunk first.
  std::string_view operator()() {
    static constexpr std::size_t kChunk = 1 << 20;
    buffer_.clear();
    while (written_ < toWrite_) {
      const std::string& line = *next_;
      const bool lineBreak = written_ + 1 < toWrite_ || finalBreak_;
      // A line longer than a chunk goes out on its own.
      if (!buffer_.empty() && buffer_.size() + line.size() + 2 > kChunk) break;
      buffer_.append(line);
      if (lineBreak) buffer_.append("\r\n");
      ++next_;
      ++written_;
    }
    return buffer_;
  }

 private:
  LineStore::const_iterator next_;
  int toWrite_ = 0;
  int written_ = 0;
  bool finalBreak_ = false;
  std::string buffer_;
};

}  // namespace

SourceKind KindOfPath(std::string_view path) {
  const std::size_t dot = path.rfind('.');  // 0x2E is never a GBK trail byte
  const std::string extension = gbk::ToUpper(dot == std::string_view::npos ? path : path.substr(dot + 1));
  if (extension == "BAS") return SourceKind::Basic;
  if (extension == "INC") return SourceKind::Include;
  return SourceKind::Other;
}

CodeDocument::CodeDocument(EditorContext& context) : context_(context), view_(&NoView()) {
  lines.PushBack(std::string());
}

void CodeDocument::SetView(EditView* view) {
  view_ = view != nullptr ? view : &NoView();
  ForgetMeasures();
}

void CodeDocument::ApplyTemplate(TemplateKind templateKind) {
  const std::string text = TemplateText(templateKind);
  if (text.empty()) return;
  lines.Assign(SplitLines(text));
  kind = templateKind == TemplateKind::Rc ? SourceKind::Other : SourceKind::Basic;
  RecountLines();
}

TextPos CodeDocument::ClampToText(TextPos pos) const {
  pos.line = std::clamp(pos.line, 0, lines.size() - 1);
  pos.col = std::clamp(pos.col, 0, LineLength(pos.line));
  return pos;
}

bool CodeDocument::HoldsFile(std::string_view path) const {
  if (filePath.empty()) return path.empty();
  return gbk::EqualsNoCase(filePath, path);
}

void CodeDocument::RecountLines() {
  lineCount = lines.size();
  const LineStore::Widest widest = lines.FindWidest(TabWidth());
  longestLine = widest.index < 0 ? 1 : widest.index + 1;
  longestWidth = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(widest.width, 0, std::numeric_limits<std::int32_t>::max()));
  UpdateScrollBars();
}

void CodeDocument::DetectKind() { kind = KindOfPath(filePath); }

bool CodeDocument::LoadFile(const std::string& path, SourceKind& loadedKind) {
  LineStore loaded;
  try {
    LineSplitter splitter([&loaded](std::string&& line) { loaded.PushBack(std::move(line)); });
    if (!context_.files->ReadChunks(path, kMaxDocumentBytes, [&splitter](std::string_view piece) { splitter.Feed(piece); })) {
      return false;
    }
    splitter.Finish();
    // A file ending in a line break shows an empty last line; an empty file is
    // one empty line, since every edit needs a line to stand on.
    if (splitter.BytesSeen() == 0 || splitter.EndsWithLineBreak()) loaded.PushBack(std::string());
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  lines = std::move(loaded);
  RecountLines();
  filePath = path;
  DetectKind();
  loadedKind = kind;
  return true;
}

bool CodeDocument::SaveFile(const std::string& path) {
  const std::string& target = path.empty() ? filePath : path;
  if (target.empty()) return false;
  try {
    JoinedLines joined(lines);
    if (!context_.files->WriteChunksAtomically(target, [&joined]() { return joined(); })) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!path.empty()) {
    displayName = FileNamePart(path);
    filePath = path;
    DetectKind();
  }
  modified = false;
  return true;
}

void CodeDocument::PrintLines(LinePrinter& printer) const {
  int count = lines.size();
  if (count > 0 && lines[count - 1].empty()) --count;
  auto line = lines.begin();
  for (int i = 0; i < count; ++i, ++line) printer.PrintLine(*line);
}

}  // namespace quillet
