// The program's own texts: captions, messages and the version item.
#pragma once

namespace qv {

inline constexpr const char* kAppTitle = "Quorvane";
// String 101: the window menu's version item.
inline constexpr const char* kAboutMenuText = "ﾊﾞｰｼﾞｮﾝ情報(Quorvane) (&A)...";
inline constexpr const char* kTotalsRowText = "全区間";
// The face of the dialog, the graph's labels and the printed table.
inline constexpr const char* kFontFace = "ＭＳ Ｐゴシック";

inline constexpr const char* kMsgConfirmQuit =
    "保存されていない変更があります。終了しますか？";
inline constexpr const char* kMsgConfirmClear =
    "保存されていない変更があります。消去しますか？";
inline constexpr const char* kMsgConfirmLoad =
    "保存されていない変更があります。読み込みますか？";
inline constexpr const char* kMsgSectionsFull = "区間は45までです。";
inline constexpr const char* kMsgOpenFailed = "ファイルが開けません";
inline constexpr const char* kMsgOutputOpenFailed = "出力ファイルが開けません";
inline constexpr const char* kMsgOutputWriteFailed =
    "出力ファイルに書き込めません";
inline constexpr const char* kMsgBadSectionCount = "区間数が正しくありません";
inline constexpr const char* kMsgReadFailed = "ファイルが読み込めません";
inline constexpr const char* kMsgFileTooLarge = "ファイルが大きすぎます";
inline constexpr const char* kMsgEventNameUnstorable =
    "大会名に保存できない文字があります。";
inline constexpr const char* kMsgCommentUnstorable =
    "コメント欄に保存できない文字があります。";
inline constexpr const char* kMsgSaveTooLarge =
    "ファイルが大きすぎて保存できません。大会名かコメント欄を短くしてください。";
inline constexpr const char* kMsgPrintFailed = "印刷できませんでした";

}  // namespace qv
