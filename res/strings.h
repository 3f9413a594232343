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
inline constexpr const char* kMsgOutputIsRaceFile =
    "このレースのファイルには出力できません。"
    "別のファイル名を指定してください。";
inline constexpr const char* kMsgOutputIsComparisonFile =
    "比較するレースのファイルには出力できません。"
    "別のファイル名を指定してください。";

// quorvane's command line.
inline constexpr const char* kUsageLine = "使い方: quorvane [レースファイル]";
inline constexpr const char* kMsgUnknownOption =
    "quorvane: 不明なオプションです: ";
inline constexpr const char* kHelpText =
    "レースを区間ごとに記録し、スプリットタイム・速度・グラフを求める\n"
    "ウィンドウを開きます。レースファイルを指定すると読み込んで開きます。\n"
    "\n"
    "  -h, --help     この説明を表示して終了します\n"
    "      --version  バージョンを表示して終了します\n"
    "  --             これより後の引数は - で始まってもファイル名です\n"
    "\n"
    "-platform など Qt の標準オプションも使えます。\n"
    "終了ステータス: 0 正常、2 使い方の誤り\n";

}  // namespace qv
