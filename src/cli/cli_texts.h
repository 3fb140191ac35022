#pragma once

#include <string_view>

// The command line's own texts. Like the window's (model/texts.h), messages
// are Japanese; the words of commands and options, and JSON keys, are not
// translated, since scripts use them.
namespace tallowin::cli::texts {

inline constexpr std::u16string_view kUsageUnknownCommand = u"不明なコマンドです: ";
inline constexpr std::u16string_view kUsageUnknownOption = u"このコマンドにないオプションです: ";
inline constexpr std::u16string_view kUsageMissingValue = u"オプションに値がありません: ";
inline constexpr std::u16string_view kUsageOperandCount = u"引数の数が違います: ";
inline constexpr std::u16string_view kUsageScopeRequired = u"--system か --user のどちらか一つを指定してください。";
inline constexpr std::u16string_view kUsageScopeConflict = u"--system と --user は同時に指定できません。";
inline constexpr std::u16string_view kUsagePlaceConflict =
    u"--first、--last、--before、--after は一つだけ指定してください。";
inline constexpr std::u16string_view kUsageBadType = u"--type には REG_SZ か REG_EXPAND_SZ を指定してください: ";
inline constexpr std::u16string_view kUsageSeeHelp = u"使い方: tallowin-cli help [コマンド]";
inline constexpr std::u16string_view kUsageTitle = u"使い方: tallowin-cli コマンド [引数] [オプション]";
inline constexpr std::u16string_view kUsageWriteOptions =
    u"書き込むコマンドの共通オプション: --dry-run (変更点を表示するだけで書き込まない)、"
    u"--no-backup (自動バックアップを作らない)、--no-broadcast (実行中のプログラムに通知しない)、"
    u"--json (書き込んだ値と削除した値を JSON で表示する)";
inline constexpr std::u16string_view kUsageEndOfOptions =
    u"-- はオプションの終わりです。その後の語は - で始まっていても引数です "
    u"(例: tallowin-cli set NAME --user -- --VALUE)。";
inline constexpr std::u16string_view kUsageVersion = u"tallowin-cli --version でバージョンを表示します。";

inline constexpr std::u16string_view kHelpList = u"環境変数をすべて表示します (キー、名前、種類、データ)。";
inline constexpr std::u16string_view kHelpGet = u"一つの値のデータを表示します。--expand で展開します。";
inline constexpr std::u16string_view kHelpSet = u"一つの値を書き込みます。";
inline constexpr std::u16string_view kHelpUnset = u"一つの値を削除します。システムの Path は削除できません。";
inline constexpr std::u16string_view kHelpPathList = u"Path の項目を一行に一つずつ表示します。";
inline constexpr std::u16string_view kHelpPathHas = u"DIR が Path の項目にあれば 0、なければ 1 で終わります。";
inline constexpr std::u16string_view kHelpPathAdd = u"同じフォルダの項目がなければ DIR を Path に追加します。";
inline constexpr std::u16string_view kHelpPathRemove = u"DIR と同じフォルダの項目をすべて Path から削除します。";
inline constexpr std::u16string_view kHelpPathCheck = u"Path の点検の結果を表示します。問題があれば 1 で終わります。";
inline constexpr std::u16string_view kHelpExport =
    u"両方のキーを登録ファイルにエクスポートします。--system か --user でそのキーの節だけを書き出します。";
inline constexpr std::u16string_view kHelpBackup = u"両方のキーを登録ファイルにバックアップします。";
inline constexpr std::u16string_view kHelpDiff = u"apply で変わる値を表示します。変わる値があれば 1 で終わります。";
inline constexpr std::u16string_view kHelpApply =
    u"FILE に節のあるキーを、その節の値のとおりにします。--delete-missing で節にない値を削除します。";
inline constexpr std::u16string_view kHelpHelp =
    u"使い方を表示します。--help、-h、/? をコマンドの直後に書いても、そのコマンドの使い方を表示します。";

inline constexpr std::u16string_view kAccessDenied =
    u"アクセスが拒否されました。システムの環境変数を書き込むには、管理者として実行してください。";
inline constexpr std::u16string_view kTurnTimedOut =
    u"ほかのプログラムが環境変数を書き込み中で、順番が回ってきませんでした。";
inline constexpr std::u16string_view kNameEmpty = u"変数名が空です。";
inline constexpr std::u16string_view kNameTooLong = u"変数名は255文字までです。";
inline constexpr std::u16string_view kValueTooLong = u"書き込む値が長すぎます (32767文字まで)。何も書き込んでいません。";
inline constexpr std::u16string_view kNotStringValue =
    u"文字列ではない値です。--type で種類を指定してください: ";
inline constexpr std::u16string_view kSystemPathKept = u"システムの Path は削除できません。";
inline constexpr std::u16string_view kNotSingleFolder = u"フォルダを一つ指定してください (空白、';'、改行だけではいけません): ";
inline constexpr std::u16string_view kAnchorMissing = u"指定した項目が Path にありません: ";
inline constexpr std::u16string_view kNotRegistrationFile = u"登録ファイルではありません: ";
inline constexpr std::u16string_view kFileReadFailed = u"ファイルを読み込めませんでした。\n";
inline constexpr std::u16string_view kFileWriteFailed = u"ファイルを書き込めませんでした。\n";

inline constexpr std::u16string_view kNothingToDo = u"変更はありません。";
inline constexpr std::u16string_view kWrittenAs = u"書き込みました ";
inline constexpr std::u16string_view kDeleted = u"削除しました: ";
inline constexpr std::u16string_view kNoSuchValue = u"その値はありません: ";
inline constexpr std::u16string_view kAlreadyInPath = u"すでに Path にあります: ";
inline constexpr std::u16string_view kNotInPath = u"Path にありません: ";
inline constexpr std::u16string_view kAddedToPath = u"Path に追加しました: ";
inline constexpr std::u16string_view kRemovedFromPath = u"Path から削除しました: ";
inline constexpr std::u16string_view kAppliedPrefix = u"書き込んだ値: ";
inline constexpr std::u16string_view kDeletedCountPrefix = u"、削除した値: ";
inline constexpr std::u16string_view kDryRun = u"(--dry-run: 何も書き込んでいません)";
inline constexpr std::u16string_view kChangeDeleted = u"削除";
inline constexpr std::u16string_view kWrittenFile = u"書き出しました: ";

// The DSC resources: their help lines, and what is wrong with a desired state.
inline constexpr std::u16string_view kHelpDscVariable =
    u"DSC リソース Tallowin.Environment/Variable の操作です。望む状態を JSON で標準入力から読みます。";
inline constexpr std::u16string_view kHelpDscPathItem =
    u"DSC リソース Tallowin.Environment/PathItem の操作です。望む状態を JSON で標準入力から読みます。";
inline constexpr std::u16string_view kDscUnknownOperation = u"get、set、test のどれかを指定してください: ";
inline constexpr std::u16string_view kDscInputUnreadable = u"標準入力を読み込めませんでした。\n";
inline constexpr std::u16string_view kDscInputNotUtf8 = u"標準入力が UTF-8 ではありません。";
inline constexpr std::u16string_view kDscNotObject = u"望む状態は JSON のオブジェクト一つにしてください。";
inline constexpr std::u16string_view kDscMissingProperty = u"必須のプロパティがありません: ";
inline constexpr std::u16string_view kDscUnknownProperty = u"このリソースにないプロパティです: ";
inline constexpr std::u16string_view kDscWrongKind = u"プロパティの値の型が違います: ";
inline constexpr std::u16string_view kDscNotAllowed = u"プロパティに指定できない値です: ";
inline constexpr std::u16string_view kDscValueHoldsNul = u"値に NUL 文字は書き込めません: ";
inline constexpr std::u16string_view kDscValueNeeded = u"値を作るには value を指定してください: ";
inline constexpr std::u16string_view kJsonUnreadable = u"JSON として読めません (";
inline constexpr std::u16string_view kJsonAtCharacter = u" 文字目): ";
inline constexpr std::u16string_view kJsonTrailingText = u"値の後に余分な文字があります。";
inline constexpr std::u16string_view kJsonBadValue = u"値がありません。";
inline constexpr std::u16string_view kJsonEndedEarly = u"途中で終わっています。";
inline constexpr std::u16string_view kJsonTooDeep = u"入れ子が深すぎます。";
inline constexpr std::u16string_view kJsonNameExpected = u"名前の文字列がありません。";
inline constexpr std::u16string_view kJsonNameTwice = u"同じ名前が二度あります。";
inline constexpr std::u16string_view kJsonColonExpected = u"':' がありません。";
inline constexpr std::u16string_view kJsonSeparatorExpected = u"',' か閉じかっこがありません。";
inline constexpr std::u16string_view kJsonBadEscape = u"エスケープが正しくありません。";
inline constexpr std::u16string_view kJsonControlCharacter = u"文字列に制御文字があります。";

}  // namespace tallowin::cli::texts
