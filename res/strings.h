// The program's own texts: captions, messages and the version item.
#pragma once

namespace qv {

inline constexpr const char* kAppTitle = "Quorvane";
// String 101: the window menu's version item.
inline constexpr const char* kAboutMenuText = "ﾊﾞｰｼﾞｮﾝ情報(Quorvane) (&A)...";
// The menu bar's menus and the items it shares with the window menu.
inline constexpr const char* kMenuFile = "ファイル(&F)";
inline constexpr const char* kMenuEdit = "編集(&E)";
inline constexpr const char* kMenuHelp = "ヘルプ(&H)";
inline constexpr const char* kMenuLoad = "読込(&O)...";
inline constexpr const char* kMenuSave = "保存(&S)...";
inline constexpr const char* kMenuImportRecord = "GPSの記録を取り込む(&I)…";
inline constexpr const char* kMenuOpenComparison = "比較するレースを開く(&M)…";
inline constexpr const char* kMenuDropComparison = "比較をやめる(&N)";
inline constexpr const char* kMenuExportList = "一覧をCSVに出力(&L)...";
inline constexpr const char* kMenuExportGraph = "グラフを画像に出力(&G)...";
inline constexpr const char* kMenuExportPdf = "印刷ページをPDFに出力(&F)...";
inline constexpr const char* kMenuPrintPreview = "印刷プレビュー(&V)...";
inline constexpr const char* kMenuPrint = "印刷(&P)...";
inline constexpr const char* kMenuClose = "閉じる(&C)";
inline constexpr const char* kMenuUndo = "元に戻す(&U)";
inline constexpr const char* kMenuRedo = "やり直し(&R)";
inline constexpr const char* kMenuCompute = "計算実行(&C)";
inline constexpr const char* kMenuClear = "データ消去(&D)";
// The title of a race not yet in a file, once it has changes:
// "無題* — Quorvane".
inline constexpr const char* kUntitled = "無題";
inline constexpr const char* kTitleSeparator = " — ";
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
    "FIT・TCX・GPX の記録を指定すると区切り方を尋ねて取り込みます。\n"
    "\n"
    "  -h, --help     この説明を表示して終了します\n"
    "      --version  バージョンを表示して終了します\n"
    "  --             これより後の引数は - で始まってもファイル名です\n"
    "\n"
    "-platform など Qt の標準オプションも使えます。\n"
    "終了ステータス: 0 正常、2 使い方の誤り\n";

// Importing a watch's or a route tool's record.
inline constexpr const char* kMsgImportNotActivity =
    "FIT・TCX・GPX のどれでもないファイルです";
inline constexpr const char* kMsgFitBadHeader =
    "FIT ファイルのヘッダーが正しくありません";
inline constexpr const char* kMsgFitHeaderCrc =
    "FIT ファイルのヘッダーが壊れています（CRC が一致しません）";
inline constexpr const char* kMsgFitFileCrc =
    "FIT ファイルが壊れています（CRC が一致しません）";
inline constexpr const char* kMsgFitTruncated =
    "FIT ファイルが途中で切れています";
inline constexpr const char* kMsgFitUndefinedMessage =
    "FIT ファイルが壊れています（定義のないメッセージがあります）";
inline constexpr const char* kMsgFitTrailingBytes =
    "FIT ファイルの末尾に余分なデータがあります";
inline constexpr const char* kMsgFitNotActivity =
    "FIT ファイルがアクティビティの記録ではありません（設定・ワークアウト・体重などのファイルです）";
inline constexpr const char* kMsgXmlMalformed =
    "XML の形式が正しくありません（行 ";
inline constexpr const char* kMsgXmlMalformedEnd = "）";
inline constexpr const char* kMsgXmlEntity =
    "XML に実体（ENTITY）の宣言があるため読み込めません";
inline constexpr const char* kMsgXmlWrongRoot =
    "TCX・GPX のルート要素がありません";
// "XML の文字コード「KOI8-R」には対応していません"
inline constexpr const char* kMsgXmlEncoding = "XML の文字コード「";
inline constexpr const char* kMsgXmlEncodingEnd = "」には対応していません";
// "XML の文字が文字コード「Shift_JIS」として正しくありません（行 3）"
inline constexpr const char* kMsgXmlBadChar = "XML の文字が文字コード「";
inline constexpr const char* kMsgXmlBadCharLine =
    "」として正しくありません（行 ";
inline constexpr const char* kMsgImportBadLap = "番目のラップの時間か距離が正しくありません";
inline constexpr const char* kMsgImportNoMemory =
    "メモリが足りないため読み込めません";
inline constexpr const char* kMsgImportNoLaps = "ラップがありません";
inline constexpr const char* kMsgImportNoPoints =
    "距離で区切るための時刻のついた地点がありません";
inline constexpr const char* kMsgImportNoTime =
    "時刻のついた地点もラップもありません";
inline constexpr const char* kMsgImportZeroDistance =
    "距離が0です（屋内の記録など、距離のない記録は読み込めません）";
inline constexpr const char* kMsgImportZeroTime =
    "ラップの時間の合計が0です（時間のないラップは区間にできません）";
inline constexpr const char* kMsgImportTooLong =
    "記録の時間が長すぎます（到着時間は 5965 時間までです）";
inline constexpr const char* kMsgImportTooManySections = "区間が";
inline constexpr const char* kMsgImportTooManySectionsEnd =
    "になります。区間は45までです。区切りの距離を長くしてください。";
inline constexpr const char* kMsgImportTooManyLaps = "ラップが";
inline constexpr const char* kMsgImportTooManyLapsEnd =
    "あります。区間は45までなので、ラップごとには取り込めません。距離で区切ってください。";
// The split dialog: "(•) ラップごと（4 ラップ）", "( ) [1] km ごと", the
// official distance, blank for none.
inline constexpr const char* kSplitTitle = "GPSの記録を取り込む";
inline constexpr const char* kSplitCaption = "区間の区切り方";
inline constexpr const char* kSplitByLaps = "ラップごと";
// "ラップごと（%1 ラップ）", %1 the record's laps.
inline constexpr const char* kSplitByLapsCount = "ラップごと（%1 区間）";
// Beside each choice, what it makes; over 45 sections, what would fit.
inline constexpr const char* kSplitKmCount = "km ごと（%1 区間）";
inline constexpr const char* kSplitTooManyKm =
    "km ごと（%1 区間：%2 km 以上にしてください）";
inline constexpr const char* kSplitTooManyLapsCount =
    "ラップごと（%1 区間：区間は45までです）";
// What the record is, above the choices.
inline constexpr const char* kSplitDistance = "距離 ";
inline constexpr const char* kSplitKm = " km";
inline constexpr const char* kSplitElapsed = "経過時間 ";
inline constexpr const char* kSplitLaps = "ラップ ";
inline constexpr const char* kSplitKmUnit = "km ごと";
inline constexpr const char* kSplitByKmName = "N km ごと";
inline constexpr const char* kSplitEveryKmName = "区切りの距離 (km)";
inline constexpr const char* kSplitOfficial = "公式距離 (km)";
inline constexpr const char* kSplitOfficialNone = "なし";
inline constexpr const char* kSplitCancel = "キャンセル";
// The split dialog's track list, where a GPX holds several: "トラック
// （このファイルに 2 個）" and an entry "2: 名前（1234 地点）" per track.
inline constexpr const char* kSplitTracks = "トラック（このファイルに ";
inline constexpr const char* kSplitTracksEnd = " 個）";
inline constexpr const char* kSplitTrackPoints = "（";
inline constexpr const char* kSplitTrackPointsEnd = " 地点）";
// Beside the split dialog's laps choice when there are more.
inline constexpr const char* kSplitTooManyLapsNote =
    "ラップが45を超えるため、距離で区切ります";
inline constexpr const char* kMsgImportTooFewPoints =
    "距離で区切るには、時刻と距離が順に進む地点が2つ以上必要です（逆順の記録や外れた地点は使えません）";
inline constexpr const char* kMsgImportBadSplit =
    "区切りの距離は 0.1 km から 100 km までです";
inline constexpr const char* kMsgImportBadOfficial =
    "公式距離が正しくありません";
// quorvane-report's --track given a value that is no track number.
inline constexpr const char* kMsgImportBadTrack =
    "トラックの番号が正しくありません";
// "トラック 5 はありません（このファイルのトラックは 2 個です）"
inline constexpr const char* kMsgImportNoTrack = "トラック ";
inline constexpr const char* kMsgImportNoTrackCount =
    " はありません（このファイルのトラックは ";
inline constexpr const char* kMsgImportNoTrackEnd = " 個です）";
// The imported race's comment.
inline constexpr const char* kImportCommentStart = "開始 ";
inline constexpr const char* kImportCommentFile = "ファイル ";
inline constexpr const char* kImportCommentDevice = "機器 ";
// With more than one track: "トラック 2/3 名前".
inline constexpr const char* kImportCommentTrack = "トラック ";
inline constexpr const char* kImportCommentMeasured = "計測距離 ";
inline constexpr const char* kImportCommentScaled =
    " km（公式距離に合わせて補正）";

}  // namespace qv
