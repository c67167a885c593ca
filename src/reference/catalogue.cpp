// The catalogue of the reference tree: 28 categories of 638 keywords, each
// entry tied to its record in the keyword database. Record numbers: kinds 0 to
// 3 in byte order of their texts with "%DEF" first (1 to 554), kind 4 in tree
// order (555 to 638).
#include "reference/catalogue.h"

#include <algorithm>

namespace quillet {
namespace {

// clang-format off
constexpr CatalogueCategory kCategories[kCatalogueCategoryCount] = {
    {"预编译命令", 1, 2},
    {"流程控制", 1, 2},
    {"算术运算", 1, 2},
    {"逻辑位运算", 1, 2},
    {"变量定义", 1, 2},
    {"类型数据操作", 1, 2},
    {"数组操作", 1, 2},
    {"对象变体型操作", 1, 2},
    {"文本操作", 1, 2},
    {"时间操作", 1, 2},
    {"磁盘操作", 1, 2},
    {"打印操作", 1, 2},
    {"图像操作", 1, 2},
    {"组件操作", 1, 2},
    {"对话框操作", 1, 2},
    {"线程操作", 1, 2},
    {"错误陷阱操作", 1, 2},
    {"文件读写", 1, 2},
    {"数据类型转换", 1, 2},
    {"系统处理", 1, 2},
    {"程序调试", 1, 2},
    {"网络通信", 1, 2},
    {"串口操作", 1, 2},
    {"环境存取", 1, 2},
    {"程序定义声明", 1, 2},
    {"其它", 1, 2},
    {"数据类型", 5, 3},
    {"常量", 6, 7},
};

// {category, kind, record, text}; TABs and doubled or trailing blanks are part of the text.
constexpr CatalogueEntry kEntries[kCatalogueEntryCount] = {
    // 1 预编译命令
    {1, 1, 1, "%DEF"}, {1, 0, 2, "#BLOAT"}, {1, 0, 3, "#COMPILE"}, {1, 0, 4, "#COMPILER"},
    {1, 0, 5, "#DEBUG ERROR"}, {1, 0, 7, "#DIM"}, {1, 0, 8, "#IF  ...#ENDIF"}, {1, 0, 9, "#INCLUDE"},
    {1, 0, 10, "#OPTION"}, {1, 0, 11, "#PBFORMS"}, {1, 0, 12, "#REGISTER"}, {1, 0, 13, "#RESOURCE"},
    {1, 0, 14, "#STACK"}, {1, 0, 15, "#TOOLS"},
    // 2 流程控制
    {2, 2, 42, "CALL"}, {2, 1, 43, "CALL DWORD"}, {2, 3, 200, "DO ...LOOP "}, {2, 2, 212, "EXIT"},
    {2, 3, 224, "FOR  TO ...NEXT"}, {2, 2, 234, "GOSUB"}, {2, 2, 235, "GOSUB DWORD"}, {2, 2, 236, "GOTO"},
    {2, 2, 237, "GOTO DWORD"}, {2, 2, 289, "IF  THEN "}, {2, 3, 290, "IF  THEN...END IF"},
    {2, 2, 305, "ITERATE"}, {2, 2, 391, "ON  GOSUB"}, {2, 2, 390, "ON   GOTO"}, {2, 2, 427, "RETURN"},
    {2, 3, 438, "SELECT CASE ...\tCASE ...END SELECT"}, {2, 3, 511, "WHILE ...WEND"},
    // 3 算术运算
    {3, 1, 16, "ABS"}, {3, 1, 28, "ATN"}, {3, 1, 130, "COS"}, {3, 2, 152, "DECR"}, {3, 1, 213, "EXP"},
    {3, 1, 215, "EXP2"}, {3, 1, 214, "EXP10"}, {3, 1, 222, "FIX"}, {3, 2, 295, "INCR"}, {3, 1, 299, "INT"},
    {3, 1, 326, "LOG"}, {3, 1, 328, "LOG2"}, {3, 1, 327, "LOG10"}, {3, 2, 347, "MAT"}, {3, 0, 379, "MOD"},
    {3, 2, 413, "RANDOMIZE"}, {3, 1, 431, "RND"}, {3, 1, 433, "ROUND"}, {3, 1, 442, "SGN"},
    {3, 1, 446, "SIN"}, {3, 1, 450, "SQR"}, {3, 1, 465, "TAN"},
    // 4 逻辑位运算
    {4, 3, 19, "AND"}, {4, 2, 33, "BIT CALC"}, {4, 1, 32, "BIT"}, {4, 2, 35, "BIT SET"},
    {4, 2, 34, "BIT RESET"}, {4, 2, 36, "BIT TOGGLE"}, {4, 0, 204, "EQV"}, {4, 1, 283, "HI"},
    {4, 1, 284, "HIBYT"}, {4, 1, 285, "HIINT"}, {4, 1, 286, "HIWRD"}, {4, 0, 294, "IMP"}, {4, 1, 320, "LO"},
    {4, 1, 321, "LOBYT"}, {4, 1, 329, "LOINT"}, {4, 1, 330, "LOWRD"}, {4, 1, 341, "MAK"},
    {4, 1, 342, "MAKDWD"}, {4, 1, 343, "MAKINT"}, {4, 1, 344, "MAKLNG"}, {4, 1, 345, "MAKPTR"},
    {4, 1, 346, "MAKWRD"}, {4, 0, 383, "NOT"}, {4, 0, 396, "OR"}, {4, 2, 432, "ROTATE"},
    {4, 2, 444, "SHIFT  LEFT"}, {4, 2, 445, "SHIFT  RIGHT"}, {4, 0, 515, "XOR"},
    // 5 变量定义
    {5, 2, 194, "DIM"}, {5, 2, 233, "GLOBAL"}, {5, 2, 323, "LOCAL"}, {5, 2, 415, "REDIM"},
    {5, 2, 417, "REGISTER"}, {5, 2, 451, "STATIC"}, {5, 2, 481, "THREADED"},
    // 6 类型数据操作
    {6, 2, 27, "ASM"}, {6, 2, 148, "DATA"}, {6, 1, 149, "DATACOUNT"}, {6, 0, 301, "ISFALSE"},
    {6, 0, 304, "ISTRUE"}, {6, 1, 311, "LEN"}, {6, 2, 312, "LET"}, {6, 1, 348, "MAX"}, {6, 1, 350, "MAX&"},
    {6, 1, 364, "MIN"}, {6, 1, 366, "MIN&"}, {6, 1, 414, "READ$"}, {6, 1, 447, "SIZEOF"}, {6, 2, 459, "SWAP"},
    {6, 2, 493, "TYPE SET"},
    // 7 数组操作
    {7, 2, 20, "ARRAY ASSIGN"}, {7, 2, 21, "ARRAY DELETE"}, {7, 2, 22, "ARRAY INSERT"},
    {7, 2, 23, "ARRAY SCAN"}, {7, 2, 24, "ARRAY SORT"}, {7, 1, 25, "ARRAYATTR"}, {7, 2, 205, "ERASE"},
    {7, 1, 308, "LBOUND"}, {7, 2, 424, "RESET"}, {7, 1, 494, "UBOUND"},
    // 8 对象变体型操作
    {8, 1, 302, "ISNOTHING"}, {8, 1, 303, "ISOBJECT"}, {8, 1, 385, "OBJACTIVE"}, {8, 2, 386, "OBJECT"},
    {8, 1, 387, "OBJPTR"}, {8, 1, 388, "OBJRESULT"}, {8, 2, 439, "SET"}, {8, 1, 506, "VARIANT#"},
    {8, 1, 507, "VARIANT$"}, {8, 1, 508, "VARIANTVT"},
    // 9 文本操作
    {9, 1, 18, "ACODE$"}, {9, 1, 26, "ASC"}, {9, 1, 31, "BIN$"}, {9, 1, 65, "CHR$"}, {9, 1, 69, "CLSID$"},
    {9, 1, 133, "CSET$"}, {9, 1, 216, "EXTRACT$"}, {9, 1, 225, "FORMAT$"}, {9, 1, 280, "GUID$"},
    {9, 2, 281, "GUIDTXT$"}, {9, 1, 282, "HEX$"}, {9, 1, 298, "INSTR"}, {9, 1, 306, "JOIN$"},
    {9, 1, 309, "LCASE$"}, {9, 1, 310, "LEFT$"}, {9, 2, 337, "LSET"}, {9, 1, 338, "LSET$"},
    {9, 1, 339, "LTRIM$"}, {9, 0, 349, "MAX$"}, {9, 1, 351, "MCASE$"}, {9, 1, 363, "MID$"},
    {9, 1, 365, "MIN$"}, {9, 1, 384, "NUL$"}, {9, 1, 389, "OCT$"}, {9, 2, 397, "PARSE"},
    {9, 1, 398, "PARSE$"}, {9, 1, 399, "PARSECOUNT"}, {9, 1, 410, "PROGID$"}, {9, 2, 416, "REGEXPR"},
    {9, 2, 418, "REGREPL"}, {9, 1, 420, "REMAIN$"}, {9, 1, 421, "REMOVE$"}, {9, 1, 422, "REPEAT$"},
    {9, 2, 423, "REPLACE"}, {9, 1, 426, "RETAIN$"}, {9, 1, 429, "RIGHT$"}, {9, 2, 434, "RSET"},
    {9, 1, 435, "RSET$"}, {9, 1, 436, "RTRIM$"}, {9, 1, 449, "SPACE$"}, {9, 1, 452, "STR$"},
    {9, 1, 453, "STRDELETE$"}, {9, 1, 454, "STRING$"}, {9, 1, 455, "STRINSERT$"}, {9, 1, 457, "STRREVERSE$"},
    {9, 1, 463, "TAB$"}, {9, 1, 464, "TALLY"}, {9, 1, 490, "TRIM$"}, {9, 1, 495, "UCASE$"},
    {9, 1, 496, "UCODE$"}, {9, 1, 504, "USING$"}, {9, 1, 510, "VERIFY"},
    // 10 时间操作
    {10, 0, 150, "DATE$"}, {10, 0, 483, "TIME$"}, {10, 1, 484, "TIMER"},
    // 11 磁盘操作
    {11, 2, 60, "CHDIR"}, {11, 2, 61, "CHDRIVE"}, {11, 1, 135, "CURDIR$"}, {11, 1, 195, "DIR$"},
    {11, 2, 196, "DIR$ CLOSE"}, {11, 1, 197, "DISKFREE"}, {11, 1, 198, "DISKSIZE"}, {11, 1, 218, "FILEATTR"},
    {11, 2, 219, "FILECOPY"}, {11, 2, 232, "GETATTR"}, {11, 2, 307, "KILL"}, {11, 2, 371, "MKDIR"},
    {11, 2, 382, "NAME"}, {11, 2, 430, "RMDIR"}, {11, 2, 440, "SETATTR"},
    // 12 打印操作
    {12, 2, 331, "LPRINT"}, {12, 2, 332, "LPRINT ATTACH"}, {12, 2, 333, "LPRINT CLOSE"},
    {12, 2, 334, "LPRINT FLUSH"}, {12, 2, 335, "LPRINT FORMFEED"}, {12, 1, 336, "LPRINT$"},
    {12, 1, 407, "PRINTER$"}, {12, 1, 408, "PRINTERCOUNT"}, {12, 2, 516, "XPRINT"},
    {12, 2, 517, "XPRINT ARC"}, {12, 2, 518, "XPRINT ATTACH"}, {12, 2, 519, "XPRINT BOX"},
    {12, 2, 520, "XPRINT CANCEL"}, {12, 2, 521, "XPRINT CHR SIZE TO"}, {12, 2, 522, "XPRINT CLOSE"},
    {12, 2, 523, "XPRINT COLOR"}, {12, 2, 524, "XPRINT COPY"}, {12, 2, 525, "XPRINT ELLIPSE"},
    {12, 2, 526, "XPRINT FONT"}, {12, 0, 527, "XPRINT FORMFEED"}, {12, 2, 528, "XPRINT GET CLIENT TO"},
    {12, 2, 529, "XPRINT GET DC TO"}, {12, 2, 530, "XPRINT GET LINES TO"},
    {12, 2, 531, "XPRINT GET MARGIN TO"}, {12, 2, 532, "XPRINT GET MIX TO"},
    {12, 2, 533, "XPRINT GET ORIENTATION TO"}, {12, 2, 534, "XPRINT GET PIXEL"},
    {12, 2, 535, "XPRINT GET POS TO"}, {12, 2, 536, "XPRINT GET PPI TO"},
    {12, 2, 537, "XPRINT GET QUALITY TO"}, {12, 2, 538, "XPRINT GET SIZE TO"}, {12, 2, 539, "XPRINT LINE"},
    {12, 2, 540, "XPRINT PIE"}, {12, 2, 541, "XPRINT POLYGON"}, {12, 2, 542, "XPRINT POLYLINE"},
    {12, 2, 543, "XPRINT RENDER"}, {12, 2, 544, "XPRINT SCALE"}, {12, 2, 545, "XPRINT SET MIX"},
    {12, 2, 546, "XPRINT SET ORIENTATION"}, {12, 0, 547, "XPRINT SET PIXEL"}, {12, 2, 548, "XPRINT SET POS"},
    {12, 2, 549, "XPRINT SET QUALITY"}, {12, 2, 550, "XPRINT STRETCH"}, {12, 2, 551, "XPRINT STYLE"},
    {12, 2, 552, "XPRINT TEXT SIZE"}, {12, 2, 553, "XPRINT WIDTH"}, {12, 1, 554, "XPRINT$"},
    // 13 图像操作
    {13, 2, 238, "GRAPHIC ARC"}, {13, 2, 239, "GRAPHIC ATTACH"}, {13, 2, 240, "GRAPHIC BITMAP END"},
    {13, 2, 241, "GRAPHIC BITMAP LOAD"}, {13, 2, 242, "GRAPHIC BITMAP NEW"}, {13, 2, 243, "GRAPHIC BOX"},
    {13, 2, 244, "GRAPHIC CHR SIZE TO"}, {13, 2, 245, "GRAPHIC CLEAR"}, {13, 2, 246, "GRAPHIC COLOR"},
    {13, 2, 247, "GRAPHIC COPY"}, {13, 2, 248, "GRAPHIC ELLIPSE"}, {13, 2, 249, "GRAPHIC FONT"},
    {13, 2, 250, "GRAPHIC GET BITS TO"}, {13, 2, 251, "GRAPHIC GET CLIENT TO"},
    {13, 2, 252, "GRAPHIC GET DC TO"}, {13, 2, 253, "GRAPHIC GET LOC TO"}, {13, 2, 254, "GRAPHIC GET MIX TO"},
    {13, 2, 255, "GRAPHIC GET PIXEL"}, {13, 2, 256, "GRAPHIC GET POS TO"}, {13, 2, 257, "GRAPHIC GET PPI TO"},
    {13, 2, 258, "GRAPHIC LINE"}, {13, 2, 259, "GRAPHIC PAINT"}, {13, 2, 260, "GRAPHIC PIE"},
    {13, 2, 261, "GRAPHIC POLYGON"}, {13, 2, 262, "GRAPHIC POLYLINE"}, {13, 2, 263, "GRAPHIC PRINT"},
    {13, 2, 264, "GRAPHIC REDRAW"}, {13, 2, 265, "GRAPHIC RENDER"}, {13, 2, 266, "GRAPHIC SAVE"},
    {13, 2, 267, "GRAPHIC SCALE"}, {13, 2, 268, "GRAPHIC SET BITS"}, {13, 2, 269, "GRAPHIC SET FOCUS"},
    {13, 2, 270, "GRAPHIC SET LOC"}, {13, 2, 271, "GRAPHIC SET MIX"}, {13, 2, 272, "GRAPHIC SET PIXEL"},
    {13, 2, 273, "GRAPHIC SET POS"}, {13, 2, 274, "GRAPHIC STRETCH"}, {13, 2, 275, "GRAPHIC STYLE"},
    {13, 2, 276, "GRAPHIC TEXT SIZE"}, {13, 2, 277, "GRAPHIC WIDTH"}, {13, 2, 278, "GRAPHIC WINDOW"},
    {13, 2, 279, "GRAPHIC WINDOW END"},
    // 14 组件操作
    {14, 2, 71, "COMBOBOX ADD"}, {14, 2, 72, "COMBOBOX DELETE"}, {14, 1, 73, "COMBOBOX GET TEXT"},
    {14, 2, 74, "COMBOBOX RESET"}, {14, 2, 75, "COMBOBOX SELECT"}, {14, 2, 86, "CONTROL ADD"},
    {14, 2, 87, "CONTROL ADD BUTTON"}, {14, 2, 88, "CONTROL ADD CHECK3STATE"},
    {14, 2, 89, "CONTROL ADD CHECKBOX"}, {14, 2, 90, "CONTROL ADD COMBOBOX"},
    {14, 2, 91, "CONTROL ADD FRAME"}, {14, 2, 92, "CONTROL ADD GRAPHIC"}, {14, 2, 93, "CONTROL ADD IMAGE"},
    {14, 2, 94, "CONTROL ADD IMAGEX"}, {14, 2, 95, "CONTROL ADD IMGBUTTON"},
    {14, 2, 96, "CONTROL ADD IMGBUTTONX"}, {14, 2, 97, "CONTROL ADD LABEL"}, {14, 2, 98, "CONTROL ADD LINE"},
    {14, 2, 99, "CONTROL ADD LISTBOX"}, {14, 2, 100, "CONTROL ADD OPTION"},
    {14, 2, 101, "CONTROL ADD SCROLLBAR"}, {14, 2, 102, "CONTROL ADD TEXTBOX"},
    {14, 2, 103, "CONTROL DISABLE"}, {14, 2, 104, "CONTROL ENABLE"}, {14, 2, 105, "CONTROL GET CHECK "},
    {14, 2, 106, "CONTROL GET CLIENT"}, {14, 2, 107, "CONTROL GET LOC"}, {14, 2, 108, "CONTROL GET SIZE"},
    {14, 2, 109, "CONTROL GET TEXT"}, {14, 2, 110, "CONTROL GET USER"}, {14, 2, 111, "CONTROL HANDLE"},
    {14, 2, 112, "CONTROL KILL"}, {14, 2, 113, "CONTROL POST"}, {14, 2, 114, "CONTROL REDRAW"},
    {14, 2, 115, "CONTROL SEND"}, {14, 2, 116, "CONTROL SET CHECK"}, {14, 2, 117, "CONTROL SET CLIENT"},
    {14, 2, 118, "CONTROL SET COLOR"}, {14, 2, 119, "CONTROL SET FOCUS"}, {14, 2, 120, "CONTROL SET IMAGE"},
    {14, 2, 121, "CONTROL SET IMAGEX"}, {14, 2, 122, "CONTROL SET IMGBUTTON"},
    {14, 2, 123, "CONTROL SET IMGBUTTONX"}, {14, 2, 124, "CONTROL SET LOC"},
    {14, 2, 125, "CONTROL SET OPTION"}, {14, 2, 126, "CONTROL SET SIZE"}, {14, 2, 127, "CONTROL SET TEXT"},
    {14, 2, 128, "CONTROL SET USER"}, {14, 2, 129, "CONTROL SHOW STATE"}, {14, 2, 315, "LISTBOX ADD"},
    {14, 2, 316, "LISTBOX DELETE"}, {14, 2, 317, "LISTBOX GET TEXT"}, {14, 2, 318, "LISTBOX RESET"},
    {14, 2, 319, "LISTBOX SELECT"}, {14, 2, 352, "MENU ADD POPUP"}, {14, 2, 353, "MENU ADD STRING"},
    {14, 2, 354, "MENU ATTACH"}, {14, 2, 355, "MENU DELETE"}, {14, 2, 356, "MENU DRAW BAR"},
    {14, 2, 357, "MENU GET STATE"}, {14, 2, 358, "MENU GET TEXT"}, {14, 2, 359, "MENU NEW BAR TO"},
    {14, 2, 360, "MENU NEW POPUP TO"}, {14, 2, 361, "MENU SET STATE"}, {14, 2, 362, "MENU SET TEXT"},
    // 15 对话框操作
    {15, 2, 17, "ACCEL ATTACH"}, {15, 1, 47, "CBCTL"}, {15, 1, 48, "CBCTLMSG"}, {15, 1, 49, "CBHNDL"},
    {15, 1, 50, "CBLPARAM"}, {15, 1, 51, "CBMSG"}, {15, 1, 52, "CBWPARAM"}, {15, 2, 168, "DIALOG DISABLE"},
    {15, 2, 169, "DIALOG DOEVENTS"}, {15, 2, 170, "DIALOG ENABLE"}, {15, 2, 171, "DIALOG END"},
    {15, 2, 172, "DIALOG FONT"}, {15, 2, 173, "DIALOG GET CLIENT"}, {15, 2, 174, "DIALOG GET LOC"},
    {15, 2, 175, "DIALOG GET SIZE"}, {15, 2, 176, "DIALOG GET TEXT"}, {15, 2, 177, "DIALOG GET USER"},
    {15, 2, 178, "DIALOG NEW"}, {15, 2, 179, "DIALOG PIXELS"}, {15, 2, 180, "DIALOG POST"},
    {15, 2, 181, "DIALOG REDRAW"}, {15, 2, 182, "DIALOG SEND"}, {15, 2, 183, "DIALOG SET CLIENT"},
    {15, 2, 184, "DIALOG SET COLOR"}, {15, 2, 185, "DIALOG SET ICON"}, {15, 2, 186, "DIALOG SET LOC"},
    {15, 2, 187, "DIALOG SET SIZE"}, {15, 2, 188, "DIALOG SET TEXT"}, {15, 2, 189, "DIALOG SET USER"},
    {15, 2, 190, "DIALOG SHOW MODAL"}, {15, 2, 191, "DIALOG SHOW MODELESS"},
    {15, 2, 192, "DIALOG SHOW STATE"}, {15, 2, 193, "DIALOG UNITS"},
    // 16 线程操作
    {16, 2, 475, "THREAD CLOSE"}, {16, 2, 476, "THREAD CREATE"}, {16, 2, 477, "THREAD RESUME"},
    {16, 2, 478, "THREAD STATUS"}, {16, 2, 479, "THREAD SUSPEND"}, {16, 1, 480, "THREADCOUNT"},
    {16, 1, 482, "THREADID"},
    // 17 错误陷阱操作
    {17, 0, 206, "ERL"}, {17, 0, 207, "ERR"}, {17, 0, 208, "ERRAPI"}, {17, 0, 209, "ERRCLEAR"},
    {17, 2, 210, "ERROR"}, {17, 1, 211, "ERROR$"}, {17, 2, 392, "ON ERROR GOTO"},
    {17, 2, 393, "ON ERROR RESUME NEXT"}, {17, 2, 425, "RESUME"}, {17, 3, 491, "TRY...CATCH...END TRY"},
    // 18 文件读写
    {18, 2, 68, "CLOSE"}, {18, 1, 203, "EOF"}, {18, 2, 217, "FIELD"}, {18, 1, 220, "FILENAME$"},
    {18, 2, 221, "FILESCAN"}, {18, 2, 223, "FLUSH"}, {18, 1, 227, "FREEFILE"}, {18, 2, 230, "GET"},
    {18, 2, 231, "GET$"}, {18, 2, 296, "INPUT"}, {18, 2, 314, "LINE INPUT"}, {18, 1, 322, "LOC"},
    {18, 2, 324, "LOCK"}, {18, 1, 325, "LOF"}, {18, 2, 394, "OPEN"}, {18, 2, 406, "PRINT"},
    {18, 2, 411, "PUT"}, {18, 2, 412, "PUT$"}, {18, 1, 437, "SEEK"}, {18, 2, 441, "SETEOF"},
    {18, 2, 503, "UNLOCK"}, {18, 2, 512, "WIDTH"}, {18, 2, 514, "WRITE"},
    // 19 数据类型转换
    {19, 1, 39, "BITS?"}, {19, 1, 40, "BITS??"}, {19, 1, 41, "BITS???"}, {19, 1, 37, "BITS%"},
    {19, 1, 38, "BITS&"}, {19, 1, 53, "CBYT"}, {19, 1, 54, "CCUR"}, {19, 1, 55, "CCUX"}, {19, 1, 56, "CDBL"},
    {19, 1, 57, "CDWD"}, {19, 1, 58, "CEIL"}, {19, 1, 59, "CEXT"}, {19, 1, 66, "CINT"}, {19, 1, 67, "CLNG"},
    {19, 1, 131, "CQUD"}, {19, 2, 132, "CSET"}, {19, 1, 134, "CSNG"}, {19, 1, 136, "CVBYT"},
    {19, 1, 137, "CVCUR"}, {19, 1, 138, "CVCUX"}, {19, 1, 139, "CVD"}, {19, 1, 140, "CVDWD"},
    {19, 1, 141, "CVE"}, {19, 1, 142, "CVI"}, {19, 1, 143, "CVL"}, {19, 1, 144, "CVQ"}, {19, 1, 145, "CVS"},
    {19, 1, 146, "CVWRD"}, {19, 1, 147, "CWRD"}, {19, 1, 226, "FRAC"}, {19, 1, 367, "MKBYT$"},
    {19, 1, 368, "MKCUR$"}, {19, 1, 369, "MKCUX$"}, {19, 1, 370, "MKD$"}, {19, 1, 372, "MKDWD$"},
    {19, 1, 373, "MKE$"}, {19, 1, 374, "MKI$"}, {19, 1, 375, "MKL$"}, {19, 1, 376, "MKQ$"},
    {19, 1, 377, "MKS$"}, {19, 1, 378, "MKWRD$"}, {19, 1, 505, "VAL"},
    // 20 系统处理
    {20, 2, 165, "DESKTOP GET CLIENT TO"}, {20, 2, 166, "DESKTOP GET LOC"},
    {20, 2, 167, "DESKTOP GET SIZE TO"}, {20, 1, 297, "INPUTBOX$"}, {20, 2, 380, "MOUSEPTR"},
    {20, 1, 381, "MSGBOX"}, {20, 1, 402, "PEEK"}, {20, 1, 403, "PEEK$"}, {20, 2, 404, "POKE"},
    {20, 2, 405, "POKE$"}, {20, 1, 443, "SHELL"}, {20, 2, 448, "SLEEP"},
    // 21 程序调试
    {21, 0, 6, "#DEBUG PRINT"}, {21, 2, 44, "CALLSTK"}, {21, 1, 45, "CALLSTK$"}, {21, 1, 46, "CALLSTKCOUNT"},
    {21, 1, 228, "FUNCNAME$"}, {21, 2, 409, "PROFILE"}, {21, 2, 486, "TRACE NEW"}, {21, 2, 488, "TRACE ON"},
    {21, 2, 489, "TRACE PRINT"}, {21, 2, 487, "TRACE OFF"}, {21, 2, 485, "TRACE CLOSE"},
    // 22 网络通信
    {22, 2, 287, "HOST ADDR"}, {22, 2, 288, "HOST NAME"}, {22, 2, 466, "TCP ACCEPT"},
    {22, 2, 467, "TCP CLOSE"}, {22, 2, 468, "TCP LINE"}, {22, 2, 469, "TCP NOTIFY"}, {22, 2, 470, "TCP OPEN"},
    {22, 2, 471, "TCP OPEN SERVER"}, {22, 2, 472, "TCP PRINT"}, {22, 2, 473, "TCP RECV"},
    {22, 2, 474, "TCP SEND"}, {22, 2, 497, "UDP CLOSE"}, {22, 2, 498, "UDP NOTIFY"}, {22, 2, 499, "UDP OPEN"},
    {22, 2, 500, "UDP RECV"}, {22, 2, 501, "UDP SEND"},
    // 23 串口操作
    {23, 2, 77, "COMM CLOSE"}, {23, 1, 76, "COMM"}, {23, 2, 78, "COMM LINE"}, {23, 2, 79, "COMM OPEN"},
    {23, 2, 80, "COMM PRINT"}, {23, 2, 81, "COMM RECV"}, {23, 2, 82, "COMM RESET"}, {23, 2, 83, "COMM SEND"},
    {23, 2, 84, "COMM SET"},
    // 24 环境存取
    {24, 1, 85, "COMMAND$"}, {24, 2, 201, "ENVIRON"}, {24, 1, 202, "ENVIRON$"},
    // 25 程序定义声明
    {25, 2, 151, "DECLARE"}, {25, 2, 153, "DEFBYT"}, {25, 2, 154, "DEFCUR"}, {25, 2, 155, "DEFCUX"},
    {25, 2, 156, "DEFDBL"}, {25, 2, 157, "DEFDWD"}, {25, 2, 158, "DEFEXT"}, {25, 2, 159, "DEFINT"},
    {25, 2, 160, "DEFLNG"}, {25, 2, 161, "DEFQUD"}, {25, 2, 162, "DEFSNG"}, {25, 2, 163, "DEFSTR"},
    {25, 2, 164, "DEFWRD"}, {25, 0, 199, "DLLMAIN"}, {25, 3, 229, "FUNCTION ...END FUNCTION"},
    {25, 3, 300, "INTERFACE DISPATCH ...END INTERFACE"}, {25, 0, 313, "LIBMAIN"},
    {25, 3, 340, "MACRO ...END MACRO"}, {25, 0, 395, "OPTION EXPLICIT"}, {25, 0, 400, "PBLIBMAIN"},
    {25, 0, 401, "PBMAIN"}, {25, 0, 419, "REM"}, {25, 3, 458, "SUB ...END SUB"},
    {25, 3, 492, "TYPE ...END TYPE"}, {25, 3, 502, "UNION ...END UNION"}, {25, 0, 513, "WINMAIN"},
    // 26 其它
    {26, 2, 29, "BEEP"}, {26, 1, 30, "BGR"}, {26, 1, 62, "CHOOSE"}, {26, 1, 64, "CHOOSE&"},
    {26, 1, 63, "CHOOSE$"}, {26, 1, 70, "CODEPTR"}, {26, 1, 291, "IIF"}, {26, 1, 293, "IIF&"},
    {26, 1, 292, "IIF$"}, {26, 1, 428, "RGB"}, {26, 1, 456, "STRPTR"}, {26, 1, 460, "SWITCH"},
    {26, 1, 462, "SWITCH&"}, {26, 1, 461, "SWITCH$"}, {26, 1, 509, "VARPTR"},
    // 27 数据类型
    {27, 4, 555, "INTEGER"}, {27, 4, 556, "LONG"}, {27, 4, 557, "QUAD"}, {27, 4, 558, "BYTE"},
    {27, 4, 559, "WORD"}, {27, 4, 560, "DWORD"}, {27, 4, 561, "SINGLE"}, {27, 4, 562, "DOUBLE"},
    {27, 4, 563, "EXT"}, {27, 4, 564, "CUR"}, {27, 4, 565, "CUX"}, {27, 4, 566, "STRING"},
    {27, 4, 567, "ASCIIZ"}, {27, 4, 568, "FIELD"}, {27, 4, 569, "VARIANT"}, {27, 4, 570, "GUID"},
    {27, 4, 571, "DISPATCH"},
    // 28 常量
    {28, 4, 572, "%PB_CC32"}, {28, 4, 573, "%PB_DLL16"}, {28, 4, 574, "%PB_DLL32"}, {28, 4, 575, "%PB_WIN32"},
    {28, 4, 576, "%PB_REVISION"}, {28, 4, 577, "%PB_REVLETTER"}, {28, 4, 578, "%PB_EXE"},
    {28, 4, 579, "%mix_Blackness"}, {28, 4, 580, "%mix_NotMergeSrc"}, {28, 4, 581, "%mix_MaskNotSrc"},
    {28, 4, 582, "%mix_NotCopySrc"}, {28, 4, 583, "%mix_MaskSrcNot"}, {28, 4, 584, "%mix_Not"},
    {28, 4, 585, "%mix_XorSrc"}, {28, 4, 586, "%mix_NotMaskSrc"}, {28, 4, 587, "%mix_MaskSrc"},
    {28, 4, 588, "%mix_NotXorSrc"}, {28, 4, 589, "%mix_Nop"}, {28, 4, 590, "%mix_MergeNotSrc"},
    {28, 4, 591, "%mix_CopySrc"}, {28, 4, 592, "%mix_MergeSrcNot"}, {28, 4, 593, "%mix_MergeSrc"},
    {28, 4, 594, "%mix_Whiteness"}, {28, 4, 595, "$NUL"}, {28, 4, 596, "$BEL"}, {28, 4, 597, "$BS"},
    {28, 4, 598, "$TAB"}, {28, 4, 599, "$LF"}, {28, 4, 600, "$VT"}, {28, 4, 601, "$FF"}, {28, 4, 602, "$CR"},
    {28, 4, 603, "$CRLF"}, {28, 4, 604, "$EOF"}, {28, 4, 605, "$ESC"}, {28, 4, 606, "$SPC"},
    {28, 4, 607, "$DQ"}, {28, 4, 608, "%VARCLASS_BYT"}, {28, 4, 609, "%VARCLASS_WRD"},
    {28, 4, 610, "%VARCLASS_DWD"}, {28, 4, 611, "%VARCLASS_INT"}, {28, 4, 612, "%VARCLASS_LNG"},
    {28, 4, 613, "%VARCLASS_BIT"}, {28, 4, 614, "%VARCLASS_SBT"}, {28, 4, 615, "%VARCLASS_QUD"},
    {28, 4, 616, "%VARCLASS_SNG"}, {28, 4, 617, "%VARCLASS_DBL"}, {28, 4, 618, "%VARCLASS_EXT"},
    {28, 4, 619, "%VARCLASS_CUR"}, {28, 4, 620, "%VARCLASS_CUX"}, {28, 4, 621, "%VARCLASS_VRNT"},
    {28, 4, 622, "%VARCLASS_IFAC"}, {28, 4, 623, "%VARCLASS_GUID"}, {28, 4, 624, "%VARCLASS_TYPE"},
    {28, 4, 625, "%VARCLASS_ASC"}, {28, 4, 626, "%VARCLASS_FIX"}, {28, 4, 627, "%VARCLASS_STR"},
    {28, 4, 628, "%VARCLASS_FLD"}, {28, 4, 629, "%BLACK"}, {28, 4, 630, "%BLUE"}, {28, 4, 631, "%GREEN"},
    {28, 4, 632, "%CYAN"}, {28, 4, 633, "%RED"}, {28, 4, 634, "%MAGENTA"}, {28, 4, 635, "%YELLOW"},
    {28, 4, 636, "%WHITE"}, {28, 4, 637, "%GRAY"}, {28, 4, 638, "%LTGRAY"},
};
// clang-format on

// Where each category's entries start in kEntries, and one past the last.
struct CategoryStarts {
  int at[kCatalogueCategoryCount + 1] = {};
};

constexpr CategoryStarts ComputeStarts() {
  CategoryStarts starts;
  int i = 0;
  for (int category = 1; category <= kCatalogueCategoryCount; ++category) {
    starts.at[category - 1] = i;
    while (i < kCatalogueEntryCount && kEntries[i].category == category) ++i;
  }
  starts.at[kCatalogueCategoryCount] = i;
  return starts;
}

constexpr CategoryStarts kStarts = ComputeStarts();
static_assert(kStarts.at[kCatalogueCategoryCount] == kCatalogueEntryCount,
              "the entries must be grouped by category in tree order");

}  // namespace

std::span<const CatalogueCategory> CatalogueCategories() { return kCategories; }

std::span<const CatalogueEntry> CatalogueEntries() { return kEntries; }

std::span<const CatalogueEntry> EntriesOfCategory(int category) {
  if (category < 1 || category > kCatalogueCategoryCount) return {};
  const int first = kStarts.at[category - 1];
  return std::span<const CatalogueEntry>(kEntries).subspan(
      static_cast<std::size_t>(first), static_cast<std::size_t>(kStarts.at[category] - first));
}

const CatalogueEntry* EntryOfRecord(int record) {
  const auto* found = std::find_if(std::begin(kEntries), std::end(kEntries),
                                   [record](const CatalogueEntry& e) { return e.record == record; });
  return found == std::end(kEntries) ? nullptr : found;
}

int EntryImage(const CatalogueEntry& entry) { return kCategories[entry.category - 1].entryImage; }

}  // namespace quillet
