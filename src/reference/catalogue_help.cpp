#include "reference/catalogue_help.h"

#include "editor/code_document.h"
#include "reference/catalogue.h"
#include "reference/join_text.h"
#include "reference/keyword_database.h"

namespace quillet {

std::string CatalogueHelpText(const KeywordDatabase* database, CatalogueLevel level, std::uint32_t value) {
  if (database == nullptr) return {};
  if (level == CatalogueLevel::Root) return kCatalogueRootHelp;
  if (level == CatalogueLevel::Category) return kCatalogueCategoryHelp;
  const KeywordRecord* record = database->Record(RecordOfValue(value));
  if (record == nullptr) return {};
  if (KindOfValue(value) == kEntryTypeOrConstant)
    return JoinText({record->chineseName, "\r\n", record->usage});
  return JoinText({"    英文名称：", record->englishName, "\r\n    中文名称：", record->chineseName,
                   "\r\n\r\n【使用方法】\r\n", record->usage, "\r\n\r\n【说明】\r\n", record->description});
}

std::string BlockTemplate(std::string_view text, int indent) {
  const std::string tabs(static_cast<std::size_t>(indent), '\t');
  const std::string body = JoinText({"\r\n", tabs, "\t\r\n", tabs});
  std::string out;
  for (std::size_t at = 0;;) {
    const std::size_t dots = text.find("...", at);
    if (dots == std::string_view::npos) return out.append(text.substr(at));
    out.append(text.substr(at, dots - at)).append(body);
    at = dots + 3;
  }
}

void InsertCatalogueTemplate(CodeDocument& doc, std::string_view text, int kind) {
  switch (kind) {
    case kEntryFunction:
      doc.InsertText(JoinText({" ", text, " ()"}));
      break;
    case kEntryStatement:
      doc.CaretLineEnd();
      doc.InsertBlock(JoinText({"\r\n", text}));
      break;
    case kEntryBlock: {
      doc.CaretLineEnd();
      const int indent = doc.InsertLineBreak();
      doc.InsertBlock(BlockTemplate(text, indent));
      break;
    }
    case kEntryAsIs:
    case kEntryTypeOrConstant:
      doc.InsertText(text);
      break;
    default:
      break;  // not an entry
  }
}

}  // namespace quillet
