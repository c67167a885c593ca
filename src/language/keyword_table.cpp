#include "language/keyword_table.h"

namespace quillet {
namespace {

// System keywords: entry-point names, metastatements and built-in equates.
constexpr std::string_view kSystemKeywordList =
    "PBMAIN,WINMAIN,MAIN,PBLIBMAIN,DLLMAIN,LIBMAIN,#BLOAT,#COMPILE,#COMPILER,#DEBUG,#DIM,#IF,"
    "#ELSEIF,#ELSE,#ENDIF,#INCLUDE,#OPTION,#PBFORMS,#REGISTER,#RESOURCE,#STACK,#TOOLS,%DEF,"
    "%PB_CC32,%PB_DLL16,%PB_DLL32,%PB_WIN32,%PB_REVISION,%PB_REVLETTER,%PB_EXE,%MIX_BLACKNESS,"
    "%MIX_NOTMERGESRC,%MIX_MASKNOTSRC,%MIX_NOTCOPYSRC,%MIX_MASKSRCNOT,%MIX_NOT,%MIX_XORSRC,"
    "%MIX_NOTMASKSRC,%MIX_MASKSRC,%MIX_NOTXORSRC,%MIX_NOP,%MIX_MERGENOTSRC,%MIX_COPYSRC,"
    "%MIX_MERGESRCNOT,%MIX_MERGESRC,%MIX_WHITENESS,EXPLICIT,$NUL,$BEL,$BS,$TAB,$LF,$VT,$FF,$CR,"
    "$CRLF,$EOF,$ESC,$SPC,$DQ,EXE,DLL,ALL,NONE,%VARCLASS_BYT,%VARCLASS_WRD,%VARCLASS_DWD,"
    "%VARCLASS_INT,%VARCLASS_LNG,%VARCLASS_BIT,%VARCLASS_SBT,%VARCLASS_QUD,%VARCLASS_SNG,"
    "%VARCLASS_DBL,%VARCLASS_EXT,%VARCLASS_CUR,%VARCLASS_CUX,%VARCLASS_VRNT,%VARCLASS_IFAC,"
    "%VARCLASS_GUID,%VARCLASS_TYPE,%VARCLASS_ASC,%VARCLASS_FIX,%VARCLASS_STR,%VARCLASS_FLD,PBCC,"
    "PBWIN,VERSION3,VERSION4,VERSION5,OFF,%BLACK,%BLUE,%GREEN,%CYAN,%RED,%MAGENTA,%YELLOW,%WHITE,"
    "%GRAY,%LTGRAY";

// Reserved words: statements, functions and their clause words. CINT stands
// twice; lookups find the first, so the repeat is harmless.
constexpr std::string_view kReservedWordList =
    "ABS,ACCEL,ATTACH,ACODE$,AND,ARRAY,ASSIGN,DELETE,INSERT,SCAN,SORT,FROM,COLLATE,TAGARRAY,"
    "ASCEND,DESCEND,ARRAYATTR,ASC,ASM,ATN,BEEP,BGR,BIN$,BIT,CALC,SET,RESET,TOGGLE,BITS,CALL,"
    "BDECL,CDECL,SDECL,USING,CALLSTK,CALLSTK$,CALLSTKCOUNT,CBCTL,CBCTLMSG,CBHNDL,CBLPARAM,CBMSG,"
    "CBWPARAM,CBYT,CCUR,CCUX,CDBL,CDWD,CEIL,CEXT,CINT,CHDIR,CHDRIVE,CHOOSE,CHR$,CINT,CLNG,CLOSE,"
    "CLSID$,CODEPTR,COMBOBOX,ADD,GET,TEXT,COMM,LINE,OPEN,PRINT,RECV,SEND,COMMAND$,CONTROL,BUTTON,"
    "CHECK3STATE,CHECKBOX,FRAME,GRAPHIC,IMAGE,IMAGEX,IMGBUTTON,IMGBUTTONX,LABEL,LISTBOX,OPTION,"
    "SCROLLBAR,TEXTBOX,DISABLE,ENABLE,CHECK,CLIENT,LOC,SIZE,USER,HANDLE,KILL,POST,REDRAW,COLOR,"
    "FOCUS,SHOW,STATE,COS,CQUD,CSET,CSET$,CSNG,CURDIR$,CVBYT,CVCUR,CVCUX,CVD,CVWRD,CVE,CVI,CVL,"
    "CVQ,CVS,CVDWD,CWRD,DATA,DATACOUNT,DATE$,DECLARE,SUB,FUNCTION,LIB,ALIAS,CALLBACK,DECR,DEFBYT,"
    "DEFCUR,DEFCUX,DEFDBL,DEFDWD,DEFEXT,DEFINT,DEFLNG,DEFQUD,DEFSNG,DEFSTR,DEFWRD,DESKTOP,DIALOG,"
    "DOEVENTS,END,FONT,NEW,PIXELS,UNITS,ICON,MODAL,MODELESS,DIM,AS,GLOBAL,LOCAL,STATIC,THREADED,"
    "PTR,POINTER,AT,BYTE,WORD,INTEGER,DWORD,LONG,QUAD,SINGLE,DOUBLE,EXT,EXTENDED,CUR,CURRENCY,"
    "CUX,CURRENCYX,STRING,ASCIIZ,ASCIZ,VARIANT,DISPATCH,GUID,FIELD,DIR$,DISKFREE,DISKSIZE,DO,"
    "WHILE,UNTIL,EXIT,ITERATE,LOOP,ENVIRON,ENVIRON$,EOF,EQV,ERASE,ERL,ERR,ERRAPI,ERRCLEAR,ERROR,"
    "ERROR$,EXP,EXP2,EXP10,EXTRACT$,ANY,FILEATTR,FILECOPY,FILENAME$,FILESCAN,FIX,FLUSH,FOR,TO,"
    "STEP,NEXT,FORMAT$,FRAC,FREEFILE,FUNCNAME$,EXPORT,PRIVATE,GET$,GETATTR,GOSUB,GOTO,ARC,BITMAP,"
    "LOAD,BOX,CHR,CLEAR,COPY,ELLIPSE,DC,MIX,PIXEL,POS,PPI,PIE,POLYGON,POLYLINE,RENDER,SAVE,SCALE,"
    "STRETCH,STYLE,WIDTH,WINDOW,GUID$,GUIDTXT$,HEX$,HI,HIBYT,HIINT,HIWRD,HOST,ADDR,NAME,IF,THEN,"
    "ELSE,ELSEIF,IIF,IMP,INCR,INPUT,INPUTBOX$,INSTR,INT,INTERFACE,MEMBER,LET,OPTIONAL,IN,OUT,"
    "INOUT,ISFALSE,ISTRUE,ISNOTHING,ISOBJECT,JOIN$,BINARY,LBOUND,LCASE$,LEFT$,LEN,LO,LOBYT,LOCK,"
    "LOF,LOG,LOG2,LOG10,LOINT,LOWRD,LPRINT,FORMFEED,LPRINT$,LSET,LSET$,LTRIM$,MACRO,MACROTEMP,"
    "MAK,MAKDWD,MAKINT,MAKLNG,MAKPTR,MAT,MAX,MCASE$,ANSI,OEM,MENU,POPUP,BYCMD,DRAW,BAR,MID$,MIN,"
    "MIN&,MIN$,CHOOSE&,CHOOSE$,IIF&,IIF$,MKBYT$,MKCUR$,MKCUX$,MKD$,MKDWD$,MKE$,MKI$,MKL$,MKQ$,"
    "MKS$,MKWRD$,MOD,MOUSEPTR,MSGBOX,NOT,NUL$,OBJACTIVE,OBJECT,OBJPTR,OBJRESULT,OCT$,ON,RESUME,"
    "ACCESS,BASE,OUTPUT,APPEND,RANDOM,READ,WRITE,SHARED,OR,PARSE,PARSE$,PARSECOUNT,PEEK,PEEK$,"
    "POKE,POKE$,PRINTER$,PORT,PRINTERCOUNT,PROFILE,PROGID$,PUT,PUT$,RANDOMIZE,READ$,REDIM,"
    "PRESERVE,REGEXPR,REGISTER,REGREPL,REM,REMAIN$,REMOVE$,REPEAT$,REPLACE,WITH,RETAIN$,RETURN,"
    "RGB,RIGHT$,RMDIR,RND,ROTATE,LEFT,RIGHT,ROUND,RSET,RSET$,RTRIM$,SEEK,SELECT,CASE,CONST,"
    "CONST$,IS,SETATTR,SETEOF,SGN,SHELL,HANDLES,SHIFT,SIGNED,SIN,SIZEOF,SLEEP,SPACE$,SQR,STR$,"
    "STRDELETE$,STRING$,STRINSERT$,STRPTR,STRREVERSE$,SWAP,SWITCH,SWITCH&,SWITCH$,TAB$,TALLY,TAN,"
    "TCP,ACCEPT,NOTIFY,CONNECT,TIMEOUT,SERVER,THREAD,CREATE,STATUS,SUSPEND,THREADCOUNT,THREADID,"
    "TIME$,TIMER,TRACE,TRIM$,TRY,CATCH,FINALLY,TYPE,QWORD,FILL,UBOUND,UCASE$,UCASE,UCODE$,UDP,"
    "UNION,UNLOCK,USING$,VAL,VARIANT#,VARIANT$,VARIANTVT,VARPTR,VERIFY,WEND,XOR,XPRINT,DEFAULT,"
    "CANCEL,LINES,MARGIN,ORIENTATION,QUALITY,XPRINT$,BYVAL,BYREF,BYCOPY,BAUD,BREAK,CD,CTSFLOW,"
    "DSRFLOW,DSRSENS,DTRFLOW,DTRLINE,NULL,PARITY,PARITYCHAR,PARITYREPL,PARITYTYPE,RING,RLSD,"
    "RTSFLOW,RXBUFFER,RXQUE,STOP,TXBUFFER,TXQUE,XINPFLOW,XOUTFLOW,STDCALL,OPT,SPC,TAB";

}  // namespace

int KeywordBucket::Find(std::string_view word) const {
  for (const KeywordEntry& entry : entries) {
    if (entry.word == word) return entry.kind;
  }
  return kNotKeyword;
}

void KeywordTable::Add(std::string_view word, int kind) {
  const int length = int(word.size());
  if (length == 0) return;
  if (length > maxLength) {
    buckets.resize(std::size_t(length));
    maxLength = length;
  }
  buckets[std::size_t(length - 1)].Add({std::string(word), kind});
}

void KeywordTable::AddList(std::string_view commaSeparated, int kind) {
  while (!commaSeparated.empty()) {
    const std::size_t comma = commaSeparated.find(',');
    Add(commaSeparated.substr(0, comma), kind);
    if (comma == std::string_view::npos) break;
    commaSeparated.remove_prefix(comma + 1);
  }
}

const KeywordBucket& KeywordTable::Bucket(int length) const {
  static const KeywordBucket kEmpty;
  return length >= 1 && length <= maxLength ? buckets[std::size_t(length - 1)] : kEmpty;
}

int KeywordTable::Lookup(std::string_view word) const {
  const std::size_t length = word.size();
  if (length < 2 || length > std::size_t(maxLength)) return kNotKeyword;
  return buckets[length - 1].Find(word);
}

std::vector<KeywordEntry> KeywordTable::CollectPrefix(std::string_view prefix) const {
  std::vector<KeywordEntry> matches;
  const std::size_t length = prefix.size();
  if (length < 1 || length > std::size_t(maxLength)) return matches;
  for (std::size_t k = length; k <= std::size_t(maxLength); ++k) {
    for (const KeywordEntry& entry : buckets[k - 1].Entries()) {
      if (std::string_view(entry.word).substr(0, length) == prefix) matches.push_back(entry);
    }
  }
  return matches;
}

KeywordTable BuildKeywordTable() {
  KeywordTable table;
  table.AddList(kSystemKeywordList, kSystemKeyword);
  table.AddList(kReservedWordList, kReservedWord);
  return table;
}

const KeywordTable& Keywords() {
  static const KeywordTable table = BuildKeywordTable();
  return table;
}

ColourRef WordColour(std::string_view word, const KeywordTable& table, const EditorColours& colours) {
  switch (table.Lookup(word)) {
    case kSystemKeyword: return colours[SystemKeyword];
    case kReservedWord: return colours[ReservedWord];
    default: return colours[DefaultText];
  }
}

}  // namespace quillet
