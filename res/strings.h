// The program's own texts: captions, messages and the version item, in
// Japanese; each reads in the user's language (res/i18n.h).
#pragma once

#include "res/i18n.h"

namespace qv {

inline constexpr const char* kAppTitle = "Quorvane";
// String 101: the window menu's version item.
inline constexpr Text kAboutMenuText{N_("ﾊﾞｰｼﾞｮﾝ情報(Quorvane) (&A)...")};
// The menu bar's menus and the items it shares with the window menu.
inline constexpr Text kMenuFile{N_("ファイル(&F)")};
inline constexpr Text kMenuEdit{N_("編集(&E)")};
inline constexpr Text kMenuHelp{N_("ヘルプ(&H)")};
inline constexpr Text kMenuLoad{N_("読込(&O)...")};
inline constexpr Text kMenuSave{N_("保存(&S)...")};
inline constexpr Text kMenuImportRecord{N_("GPSの記録を取り込む(&I)…")};
inline constexpr Text kMenuOpenComparison{N_("比較するレースを開く(&M)…")};
inline constexpr Text kMenuDropComparison{N_("比較をやめる(&N)")};
inline constexpr Text kMenuExportList{N_("一覧をCSVに出力(&L)...")};
inline constexpr Text kMenuExportGraph{N_("グラフを画像に出力(&G)...")};
inline constexpr Text kMenuExportPdf{N_("印刷ページをPDFに出力(&F)...")};
inline constexpr Text kMenuPrintPreview{N_("印刷プレビュー(&V)...")};
inline constexpr Text kMenuPrint{N_("印刷(&P)...")};
inline constexpr Text kMenuClose{N_("閉じる(&C)")};
inline constexpr Text kMenuUndo{N_("元に戻す(&U)")};
inline constexpr Text kMenuRedo{N_("やり直し(&R)")};
inline constexpr Text kMenuCompute{N_("計算実行(&C)")};
inline constexpr Text kMenuClear{N_("データ消去(&D)")};
// The title of a race not yet in a file, once it has changes:
// "無題* — Quorvane".
inline constexpr Text kUntitled{N_("無題")};
inline constexpr const char* kTitleSeparator = " — ";
inline constexpr Text kTotalsRowText{N_("全区間")};
// The face of the dialog, the graph's labels and the printed table.
inline constexpr const char* kFontFace = "ＭＳ Ｐゴシック";

inline constexpr Text kMsgConfirmQuit{
    N_("保存されていない変更があります。終了しますか？")};
inline constexpr Text kMsgConfirmClear{
    N_("保存されていない変更があります。消去しますか？")};
inline constexpr Text kMsgConfirmLoad{
    N_("保存されていない変更があります。読み込みますか？")};
inline constexpr Text kMsgSectionsFull{N_("区間は45までです。")};
inline constexpr Text kMsgOpenFailed{N_("ファイルが開けません")};
inline constexpr Text kMsgOutputOpenFailed{N_("出力ファイルが開けません")};
inline constexpr Text kMsgOutputWriteFailed{
    N_("出力ファイルに書き込めません")};
inline constexpr Text kMsgBadSectionCount{N_("区間数が正しくありません")};
inline constexpr Text kMsgReadFailed{N_("ファイルが読み込めません")};
inline constexpr Text kMsgFileTooLarge{N_("ファイルが大きすぎます")};
inline constexpr Text kMsgEventNameUnstorable{
    N_("大会名に保存できない文字があります。")};
inline constexpr Text kMsgCommentUnstorable{
    N_("コメント欄に保存できない文字があります。")};
inline constexpr Text kMsgSaveTooLarge{
    N_("ファイルが大きすぎて保存できません。大会名かコメント欄を短くしてください。")};
inline constexpr Text kMsgPrintFailed{N_("印刷できませんでした")};
inline constexpr Text kMsgOutputIsRaceFile{
    N_("このレースのファイルには出力できません。"
    "別のファイル名を指定してください。")};
inline constexpr Text kMsgOutputIsComparisonFile{
    N_("比較するレースのファイルには出力できません。"
    "別のファイル名を指定してください。")};

// Where quorvane-report's list goes, named in its messages.
inline constexpr Text kStandardOutput{N_("標準出力")};

// quorvane's command line.
inline constexpr Text kUsageLine{N_("使い方: quorvane [レースファイル]")};
inline constexpr Text kMsgUnknownOption{
    N_("quorvane: 不明なオプションです: %1")};
inline constexpr Text kHelpText{
    N_("レースを区間ごとに記録し、スプリットタイム・速度・グラフを求める\n"
    "ウィンドウを開きます。レースファイルを指定すると読み込んで開きます。\n"
    "FIT・TCX・GPX の記録を指定すると区切り方を尋ねて取り込みます。\n"
    "\n"
    "  -h, --help     この説明を表示して終了します\n"
    "      --version  バージョンを表示して終了します\n"
    "  --             これより後の引数は - で始まってもファイル名です\n"
    "\n"
    "-platform など Qt の標準オプションも使えます。\n"
    "終了ステータス: 0 正常、2 使い方の誤り\n")};

// Importing a watch's or a route tool's record.
inline constexpr Text kMsgImportNotActivity{
    N_("FIT・TCX・GPX のどれでもないファイルです")};
inline constexpr Text kMsgFitBadHeader{
    N_("FIT ファイルのヘッダーが正しくありません")};
inline constexpr Text kMsgFitHeaderCrc{
    N_("FIT ファイルのヘッダーが壊れています（CRC が一致しません）")};
inline constexpr Text kMsgFitFileCrc{
    N_("FIT ファイルが壊れています（CRC が一致しません）")};
inline constexpr Text kMsgFitTruncated{
    N_("FIT ファイルが途中で切れています")};
inline constexpr Text kMsgFitUndefinedMessage{
    N_("FIT ファイルが壊れています（定義のないメッセージがあります）")};
inline constexpr Text kMsgFitTrailingBytes{
    N_("FIT ファイルの末尾に余分なデータがあります")};
inline constexpr Text kMsgFitNotActivity{
    N_("FIT ファイルがアクティビティの記録ではありません（設定・ワークアウト・体重などのファイルです）")};
// %1 the line.
inline constexpr Text kMsgXmlMalformed{
    N_("XML の形式が正しくありません（行 %1）")};
inline constexpr Text kMsgXmlEntity{
    N_("XML に実体（ENTITY）の宣言があるため読み込めません")};
inline constexpr Text kMsgXmlWrongRoot{
    N_("TCX・GPX のルート要素がありません")};
// %1 the encoding's name.
inline constexpr Text kMsgXmlEncoding{
    N_("XML の文字コード「%1」には対応していません")};
// %1 the encoding's name, %2 the line.
inline constexpr Text kMsgXmlBadChar{
    N_("XML の文字が文字コード「%1」として正しくありません（行 %2）")};
// %1 the lap's number.
inline constexpr Text kMsgImportBadLap{
    N_("%1番目のラップの時間か距離が正しくありません")};
inline constexpr Text kMsgImportNoMemory{
    N_("メモリが足りないため読み込めません")};
inline constexpr Text kMsgImportNoLaps{N_("ラップがありません")};
inline constexpr Text kMsgImportNoPoints{
    N_("距離で区切るための時刻のついた地点がありません")};
inline constexpr Text kMsgImportNoTime{
    N_("時刻のついた地点もラップもありません")};
inline constexpr Text kMsgImportZeroDistance{
    N_("距離が0です（屋内の記録など、距離のない記録は読み込めません）")};
inline constexpr Text kMsgImportZeroTime{
    N_("ラップの時間の合計が0です（時間のないラップは区間にできません）")};
inline constexpr Text kMsgImportTooLong{
    N_("記録の時間が長すぎます（到着時間は 5965 時間までです）")};
// %1 the count.
inline constexpr Text kMsgImportTooManySections{
    N_("区間が%1になります。区間は45までです。区切りの距離を長くしてください。")};
inline constexpr Text kMsgImportTooManyLaps{
    N_("ラップが%1あります。区間は45までなので、ラップごとには取り込めません。距離で区切ってください。")};
// The split dialog: "(•) ラップごと（4 区間）", "( ) [1] km ごと", the
// official distance, blank for none.
inline constexpr Text kSplitTitle{N_("GPSの記録を取り込む")};
inline constexpr Text kSplitCaption{N_("区間の区切り方")};
inline constexpr Text kSplitByLaps{N_("ラップごと")};
// %1 the record's laps.
inline constexpr Text kSplitByLapsCount{N_("ラップごと（%1 区間）")};
// Beside each choice, what it makes; over 45 sections, what would fit.
inline constexpr Text kSplitKmCount{N_("km ごと（%1 区間）")};
inline constexpr Text kSplitTooManyKm{
    N_("km ごと（%1 区間：%2 km 以上にしてください）")};
inline constexpr Text kSplitTooManyLapsCount{
    N_("ラップごと（%1 区間：区間は45までです）")};
// What the record is, above the choices: %1 the distance, the time, the
// count.
inline constexpr Text kSplitDistance{N_("距離 %1 km")};
inline constexpr Text kSplitElapsed{N_("経過時間 %1")};
inline constexpr Text kSplitLaps{N_("ラップ %1")};
inline constexpr Text kSplitKmUnit{N_("km ごと")};
inline constexpr Text kSplitByKmName{N_("N km ごと")};
inline constexpr Text kSplitEveryKmName{N_("区切りの距離 (km)")};
inline constexpr Text kSplitOfficial{N_("公式距離 (km)")};
inline constexpr Text kSplitOfficialNone{N_("なし")};
inline constexpr Text kSplitCancel{N_("キャンセル")};
// The split dialog's track list, where a GPX holds several: %1 the count
// of tracks; an entry per track, %1 its number and name, %2 its points.
inline constexpr Text kSplitTracks{N_("トラック（このファイルに %1 個）")};
inline constexpr Text kSplitTrackPoints{N_("%1（%2 地点）")};
// Beside the split dialog's laps choice when there are more.
inline constexpr Text kSplitTooManyLapsNote{
    N_("ラップが45を超えるため、距離で区切ります")};
inline constexpr Text kMsgImportTooFewPoints{
    N_("距離で区切るには、時刻と距離が順に進む地点が2つ以上必要です（逆順の記録や外れた地点は使えません）")};
inline constexpr Text kMsgImportBadSplit{
    N_("区切りの距離は 0.1 km から 100 km までです")};
inline constexpr Text kMsgImportBadOfficial{
    N_("公式距離が正しくありません")};
// quorvane-report's --track given a value that is no track number.
inline constexpr Text kMsgImportBadTrack{
    N_("トラックの番号が正しくありません")};
// %1 the track asked for, %2 the file's count.
inline constexpr Text kMsgImportNoTrack{
    N_("トラック %1 はありません（このファイルのトラックは %2 個です）")};
// The imported race's comment, one line each: %1 the value.
inline constexpr Text kImportCommentStart{N_("開始 %1")};
inline constexpr Text kImportCommentFile{N_("ファイル %1")};
inline constexpr Text kImportCommentDevice{N_("機器 %1")};
// With more than one track: "トラック 2/3 名前".
inline constexpr Text kImportCommentTrack{N_("トラック %1")};
inline constexpr Text kImportCommentMeasured{
    N_("計測距離 %1 km（公式距離に合わせて補正）")};

}  // namespace qv
