#pragma once

#include <string_view>

// The program's own texts: messages, captions, file-dialog settings and
// status texts. Kept in one place so that wording stays exact and consistent.
namespace tallowin::texts {

inline constexpr std::u16string_view kAppTitle = u"Tallowin";
inline constexpr std::u16string_view kConfirmCaption = u"確認";
inline constexpr std::u16string_view kWarningCaption = u"警告";
inline constexpr std::u16string_view kOkButton = u"OK";
inline constexpr std::u16string_view kCancelButton = u"キャンセル";

inline constexpr std::u16string_view kTabPath = u"Path";
inline constexpr std::u16string_view kTabSystem = u"システム";
inline constexpr std::u16string_view kTabUser = u"ユーザー";

inline constexpr std::u16string_view kItemCountSuffix = u" 項目";

// Entry buffer placement rules.
inline constexpr std::u16string_view kPathGuard = u"ここで\"Path\"に対する操作はできません。";
inline constexpr std::u16string_view kDuplicateName = u"キー名が重複しています。";
inline constexpr std::u16string_view kTypeNotAllowed = u"\nREG_SZ、REG_EXPAND_SZ以外は設定できません。";

// Load and Save.
inline constexpr std::u16string_view kLoadConfirm = u"レジストリから読み込みます。\nよろしいですか？";
inline constexpr std::u16string_view kLoadDone = u"レジストリから環境変数を読み込みました。";
inline constexpr std::u16string_view kLoadFailed = u"レジストリからの環境変数の読み込みに失敗しました。\n";
inline constexpr std::u16string_view kSaveWarning = u"レジストリに書き込みます。\nよろしいですか？";
inline constexpr std::u16string_view kSaveDone = u"レジストリへ環境変数を書き込みました。";
inline constexpr std::u16string_view kSaveFailed = u"レジストリへ環境変数の書き込みに失敗しました。\n";
inline constexpr std::u16string_view kRestartQuestion =
    u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？";

// Registration files.
inline constexpr std::u16string_view kRegFilter = u"登録ファイル (*.reg)";
inline constexpr std::u16string_view kRegFilterPattern = u"*.reg";
inline constexpr std::u16string_view kAllFilesFilter = u"すべてのファイル (*.*)";
inline constexpr std::u16string_view kAllFilesFilterPattern = u"*.*";
inline constexpr std::u16string_view kDefaultFileName = u"Environment.reg";
inline constexpr std::u16string_view kDefaultExtension = u"reg";
inline constexpr std::u16string_view kExportTitle = u"レジストリキーのエクスポート";
inline constexpr std::u16string_view kBackupTitle = u"レジストリキーのバックアップ";
inline constexpr std::u16string_view kImportTitle = u"レジストリキーのインポート";
inline constexpr std::u16string_view kExportDone = u"編集リストをエクスポートしました。\n";
inline constexpr std::u16string_view kBackupDone = u"レジストリキーをバックアップしました。\n";
inline constexpr std::u16string_view kExportFailed = u"エクスポートに失敗しました。\n";
inline constexpr std::u16string_view kBackupFailed = u"レジストリキーのバックアップに失敗しました。\n";
inline constexpr std::u16string_view kImportDone = u"編集リストへインスポートしました。\n";
inline constexpr std::u16string_view kImportFailed = u"編集リストへのインスポートに失敗しました。\n";
// Follows kImportFailed when the chosen file does not start with a
// registration file's header.
inline constexpr std::u16string_view kNotRegistrationFile = u"選択されたファイルは登録ファイルではありません。";
// The count lines of the file reports: prefix, the number, kCountLineEnd.
inline constexpr std::u16string_view kSystemCountPrefix = u"システム環境変数 ： ";
inline constexpr std::u16string_view kUserCountPrefix = u"ユーザー環境変数 ： ";
inline constexpr std::u16string_view kCountLineEnd = u" 項目\n";

}  // namespace tallowin::texts
