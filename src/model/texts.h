#pragma once

#include <string_view>

// The program's own texts: messages, captions, file-dialog settings and
// status texts. Kept in one place so that wording stays exact and consistent.
namespace tallowin::texts {

inline constexpr std::u16string_view kAppTitle = u"Tallowin";
// The error box's text when memory ran out in a command.
inline constexpr std::u16string_view kOutOfMemory = u"メモリが不足しています。";
inline constexpr std::u16string_view kConfirmCaption = u"確認";
inline constexpr std::u16string_view kWarningCaption = u"警告";
inline constexpr std::u16string_view kOkButton = u"OK";
inline constexpr std::u16string_view kCancelButton = u"キャンセル";

inline constexpr std::u16string_view kTabPath = u"Path";
inline constexpr std::u16string_view kTabSystem = u"システム";
inline constexpr std::u16string_view kTabUser = u"ユーザー";

inline constexpr std::u16string_view kItemCountSuffix = u" 項目";
// The widest count the status bar makes room for.
inline constexpr std::u16string_view kWidestCountText = u"99999 項目";

// The main window: list columns, the browse button, and the hints shown in
// status bar panel 0 (the part after the first '|', or the whole hint).
inline constexpr std::u16string_view kColumnName = u"名前";
inline constexpr std::u16string_view kColumnType = u"種類";
inline constexpr std::u16string_view kColumnData = u"データ";
inline constexpr std::u16string_view kBrowseCaption = u"...";
inline constexpr std::u16string_view kAddCaption = u"追加(&A)";
inline constexpr std::u16string_view kReplaceCaption = u"置換(&R)";
inline constexpr std::u16string_view kDeleteCaption = u"削除(&D)";
inline constexpr std::u16string_view kBrowseForFolderCaption = u"追加・置換するフォルダを選択してください。";

inline constexpr std::u16string_view kHintEdit1 = u"実際に書き込まれるPathの値を直接編集する";
inline constexpr std::u16string_view kHintEdit2 = u"現在選択している項目の値を表示、追加・置換する値を編集する";
inline constexpr std::u16string_view kHintUpDown = u"選択している項目の値を移動する";
inline constexpr std::u16string_view kHintSysKeyTypeCombo =
    u"編集|追加・置換するキーのタイプを選択(REG_SZ、REG_EXPAND_SZのみ設定可能)";
inline constexpr std::u16string_view kHintUserKeyTypeCombo =
    u"編集|追加・置換するキーのタイプを選択する(REG_SZ、REG_EXPAND_SZのみ設定可能)";
inline constexpr std::u16string_view kHintKeyNameEdit = u"編集|追加・置換するキーの名前を編集する";
inline constexpr std::u16string_view kHintKeyDataEdit = u"編集|追加・置換するキーのデータを編集する";

inline constexpr std::u16string_view kHintFileLoad = u"ファイル|レジストリから読み込み(現在までの編集内容は破棄されます)";
inline constexpr std::u16string_view kHintFileSave = u"書き込み|レジストリに書き込み";
inline constexpr std::u16string_view kHintFileImport = u"ファイル|レジストリファイルのデータをレジストリに設定する";
inline constexpr std::u16string_view kHintFileExport = u"レジストリの内容をファイルに書き出す";
inline constexpr std::u16string_view kHintFileExit = u"終了|アプリケーションを終了する";
inline constexpr std::u16string_view kHintEditCut = u"切り取り|選択部分を切り取り、クリップボードに送る";
inline constexpr std::u16string_view kHintEditCopy = u"コピー|選択部分をコピーし、クリップボードに送る";
inline constexpr std::u16string_view kHintEditPaste = u"貼り付け|クリップボードの内容を貼り付ける";
inline constexpr std::u16string_view kHintEditDelete = u"削除|選択部分を削除する";
inline constexpr std::u16string_view kHintEditAddBtn = u"追加|選択位置に値を追加する";
inline constexpr std::u16string_view kHintEditReplaseBtn = u"置換|選択部分を置換する";
inline constexpr std::u16string_view kHintFileBrowse = u"参照|追加・置換するフォルダを参照する";
inline constexpr std::u16string_view kHintHelpAbout = u"ヘルプ|バージョン情報の表示";
inline constexpr std::u16string_view kHintEditUndo = u"元に戻す|直前の変更を元に戻す";

// Undo and redo of the lists' edits (Edit menu). The hint names the step:
// head, the step's name, tail ("元に戻す|削除を元に戻す").
inline constexpr std::u16string_view kHintListUndo = u"元に戻す|直前の変更を元に戻す";
inline constexpr std::u16string_view kHintListRedo = u"やり直し|元に戻した変更をやり直す";
inline constexpr std::u16string_view kUndoHintHead = u"元に戻す|";
inline constexpr std::u16string_view kUndoHintTail = u"を元に戻す";
inline constexpr std::u16string_view kRedoHintHead = u"やり直し|";
inline constexpr std::u16string_view kRedoHintTail = u"をやり直す";
inline constexpr std::u16string_view kStepAdd = u"追加";
inline constexpr std::u16string_view kStepReplace = u"置換";
inline constexpr std::u16string_view kStepDelete = u"削除";
inline constexpr std::u16string_view kStepCut = u"切り取り";
inline constexpr std::u16string_view kStepPaste = u"貼り付け";
inline constexpr std::u16string_view kStepMove = u"移動";
inline constexpr std::u16string_view kStepPathTyping = u"Pathの入力";
inline constexpr std::u16string_view kStepImport = u"インポート";
inline constexpr std::u16string_view kStepRestore = u"復元";
inline constexpr std::u16string_view kStepPathCheck = u"Pathの点検での削除";
inline constexpr std::u16string_view kStepDeleteMarks = u"削除の指定";

// Entry buffer placement rules.
inline constexpr std::u16string_view kPathGuard = u"ここで\"Path\"に対する操作はできません。";
inline constexpr std::u16string_view kDuplicateName = u"キー名が重複しています。";
inline constexpr std::u16string_view kTypeNotAllowed = u"\nREG_SZ、REG_EXPAND_SZ以外は設定できません。";
// Stands where the duplicate-name line would.
inline constexpr std::u16string_view kForbiddenNameCharacter = u"変数名に'='や制御文字は使用できません。";

// The system clipboard stayed held by another program: the command that
// needed it changed nothing.
inline constexpr std::u16string_view kClipboardWriteFailed = u"クリップボードに書き込めませんでした。操作は取り消されました。";
inline constexpr std::u16string_view kClipboardReadFailed = u"クリップボードから読み込めませんでした。";

// Load and Save.
inline constexpr std::u16string_view kLoadConfirm = u"レジストリから読み込みます。\nよろしいですか？";
// Panel 0 while the window's start reads the keys.
inline constexpr std::u16string_view kLoading = u"読み込み中...";
inline constexpr std::u16string_view kLoadDone = u"レジストリから環境変数を読み込みました。";
inline constexpr std::u16string_view kLoadFailed = u"レジストリからの環境変数の読み込みに失敗しました。\n";
inline constexpr std::u16string_view kSaveWarning = u"レジストリに書き込みます。\nよろしいですか？";
inline constexpr std::u16string_view kSaveDone = u"レジストリへ環境変数を書き込みました。";
inline constexpr std::u16string_view kSaveFailed = u"レジストリへ環境変数の書き込みに失敗しました。\n";
// Save's hand-off of the machine key to the command line run as
// administrator: the question, and why the hand-off did not write it.
inline constexpr std::u16string_view kWriteAsAdministrator =
    u"システム環境変数の書き込みには管理者の権限が必要です。\n管理者として書き込みますか?";
inline constexpr std::u16string_view kCommandLineNotFound =
    u"tallowin-cli.exe が Tallowin.exe と同じフォルダにないため、管理者として書き込めませんでした。";
inline constexpr std::u16string_view kElevationDeclined =
    u"管理者としての実行が許可されなかったため、システム環境変数を書き込めませんでした。";
inline constexpr std::u16string_view kElevationNotStarted = u"管理者として tallowin-cli.exe を起動できませんでした。\n";
inline constexpr std::u16string_view kElevatedRunFailed =
    u"管理者として実行した tallowin-cli.exe がシステム環境変数を書き込めませんでした (終了コード ";
inline constexpr std::u16string_view kHandOffFileFailed =
    u"管理者として書き込むための一時ファイルを作成できませんでした。\n";
inline constexpr std::u16string_view kRestartQuestion =
    u"これらの変更を適用するには再起動する必要があります。\n今すぐ再起動しますか？";
inline constexpr std::u16string_view kQuitUnsaved = u"変更が保存されていません。終了しますか?";

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

// The automatic backup before Save. When it cannot be written the user is
// asked: kAutoBackupFailed, a line break, the system's description of the
// error, a line break, kContinueWriting.
inline constexpr std::u16string_view kAutoBackupFailed = u"自動バックアップを作成できませんでした。";
inline constexpr std::u16string_view kContinueWriting = u"書き込みを続けますか？";

// The restore from an automatic backup (File menu). Its list's columns:
// time of the backup, size (the number, then kByteSuffix), file name.
inline constexpr std::u16string_view kRestoreMenu = u"自動バックアップから復元(&U)...";
inline constexpr std::u16string_view kHintFileRestore = u"復元|自動バックアップの内容を編集リストに読み込み、変更点を確認する";
inline constexpr std::u16string_view kRestoreCaption = u"自動バックアップから復元";
inline constexpr std::u16string_view kRestoreButton = u"復元(&R)";
inline constexpr std::u16string_view kRestoreNoBackups = u"自動バックアップはありません。";
inline constexpr std::u16string_view kRestoreColumnTime = u"日時";
inline constexpr std::u16string_view kRestoreColumnSize = u"サイズ";
inline constexpr std::u16string_view kRestoreColumnFile = u"ファイル名";
inline constexpr std::u16string_view kByteSuffix = u" バイト";
inline constexpr std::u16string_view kRestoreListFailed = u"自動バックアップの一覧を読み込めませんでした。\n";

// The review of what Save would change (File menu). The key column shows
// kTabSystem or kTabUser, the name column has kColumnName's caption.
inline constexpr std::u16string_view kReviewMenu = u"変更点の確認(&D)...";
inline constexpr std::u16string_view kHintFileReview = u"変更点|書き込みでレジストリに加えられる変更を表示する";
inline constexpr std::u16string_view kReviewCaption = u"変更点の確認";
inline constexpr std::u16string_view kReviewColumnKey = u"キー";
inline constexpr std::u16string_view kReviewColumnChange = u"変更";
inline constexpr std::u16string_view kReviewColumnCurrent = u"現在の値";
inline constexpr std::u16string_view kReviewColumnToWrite = u"書き込む値";
inline constexpr std::u16string_view kReviewDeleteOnSave = u"書き込み時に削除する(&X)";
inline constexpr std::u16string_view kReviewNoChanges = u"変更はありません。";
inline constexpr std::u16string_view kChangeAdded = u"追加";
inline constexpr std::u16string_view kChangeChanged = u"変更";
inline constexpr std::u16string_view kChangeTypeChanged = u"種類の変更";
inline constexpr std::u16string_view kChangeRemains = u"残ります";
// A "残ります" row whose value Save is asked to delete.
inline constexpr std::u16string_view kChangeDeleted = u"削除します";
// Follows the kind, after a blank, when the name or the data is longer than
// a variable may be.
inline constexpr std::u16string_view kChangeTooLong = u"長すぎます";

// Values other programs changed since Load. Save asks about them in a
// dialog captioned kWarningCaption, one row per value: key (kTabSystem or
// kTabUser), name (kColumnName), the change outside (kChangeAdded,
// kChangeChanged or kOutsideDeleted) and whether the window edited it too.
inline constexpr std::u16string_view kOutsideChangesText =
    u"読み込みの後に、他のプログラムが次の値を変更しました。\n"
    u"「他の変更を残す」: このウィンドウで編集していない値は書き込まず、他のプログラムの変更を残します。\n"
    u"「上書きする」: すべての値を、このウィンドウに表示されているとおりに書き込みます。";
inline constexpr std::u16string_view kKeepOtherChanges = u"他の変更を残す(&K)";
inline constexpr std::u16string_view kOverwriteOtherChanges = u"上書きする(&O)";
inline constexpr std::u16string_view kOutsideColumnChange = u"他のプログラムによる変更";
inline constexpr std::u16string_view kOutsideColumnEdited = u"このウィンドウでの編集";
inline constexpr std::u16string_view kOutsideDeleted = u"削除";
inline constexpr std::u16string_view kEditedInWindow = u"あり";
inline constexpr std::u16string_view kNotEditedInWindow = u"なし";
// A row the last Save wrote over another program's change shows the mark
// after its name, in brackets.
inline constexpr std::u16string_view kConflictMark = u"競合";
// Status bar panel 0 when another program changed the keys while the
// window is open.
inline constexpr std::u16string_view kOutsideChangeNotice =
    u"他のプログラムが環境変数を変更しました。読み込み(Ctrl+R)で最新の値を表示します。";

// The Path check (Edit menu).
inline constexpr std::u16string_view kPathCheckMenu = u"Pathの点検(&K)...";
inline constexpr std::u16string_view kHintEditPathCheck = u"点検|存在しないフォルダや重複した項目をPathから探す";
inline constexpr std::u16string_view kPathCheckCaption = u"Pathの点検";
inline constexpr std::u16string_view kPathCheckColumnItem = u"項目";
inline constexpr std::u16string_view kPathCheckColumnProblem = u"問題";
inline constexpr std::u16string_view kPathCheckRemoveChecked = u"選択した項目を削除(&R)";
inline constexpr std::u16string_view kPathCheckClose = u"閉じる(&C)";
inline constexpr std::u16string_view kPathCheckNoProblems = u"問題のある項目はありません。";
inline constexpr std::u16string_view kProblemMissing = u"フォルダが存在しません";
inline constexpr std::u16string_view kProblemDuplicate = u"重複しています";
inline constexpr std::u16string_view kProblemAlsoInUserPath = u"ユーザーのPathにもあります";
inline constexpr std::u16string_view kProblemEmpty = u"空の項目です";
inline constexpr std::u16string_view kProblemNoAnswer = u"確認できませんでした";
inline constexpr std::u16string_view kProblemAlsoInSystemPath = u"システムのPathにもあります";
// Between two problems of one item.
inline constexpr std::u16string_view kProblemSeparator = u"、";

// The list editor (Edit menu, context menu, Ctrl+L): a value as its items.
// The caption is kListEditCaption, " - ", the name and the tab in brackets;
// its columns are kPathCheckColumnItem and kPathCheckColumnProblem.
inline constexpr std::u16string_view kListEditMenu = u"一覧で編集(&L)...";
inline constexpr std::u16string_view kHintEditList = u"一覧で編集|選択している値を項目の一覧として編集する";
inline constexpr std::u16string_view kListEditCaption = u"一覧で編集";
inline constexpr std::u16string_view kListEditAdd = u"追加(&A)";
inline constexpr std::u16string_view kListEditReplace = u"置換(&R)";
inline constexpr std::u16string_view kListEditDelete = u"削除(&D)";
inline constexpr std::u16string_view kListEditUp = u"上へ(&U)";
inline constexpr std::u16string_view kListEditDown = u"下へ(&N)";
inline constexpr std::u16string_view kListEditBrowse = u"参照(&B)...";
inline constexpr std::u16string_view kListEditPaste = u"複数行の貼り付け(&P)";
// A value longer than a variable may hold is refused where it is edited.
inline constexpr std::u16string_view kValueTooLong = u"値が長すぎます。環境変数の値は32767文字までです。";

// The filter over the shown tab's list (Edit menu, Ctrl+F): its field's
// hint, and the status bar's count while it hides rows: kFilterCountOf, the
// count shown, kFilterCountShown after the whole list's count.
inline constexpr std::u16string_view kHintEditMoveUp = u"上へ移動|選択している項目を一つ上へ移動する";
inline constexpr std::u16string_view kHintEditMoveDown = u"下へ移動|選択している項目を一つ下へ移動する";
inline constexpr std::u16string_view kHintEditFind = u"検索|表示している一覧を名前やデータで絞り込む";
inline constexpr std::u16string_view kHintFilterEdit = u"検索|名前やデータにこの文字列を含む行だけを表示する(Escで解除)";
// The grey text the empty filter field shows.
inline constexpr std::u16string_view kFilterCue = u"検索 (Ctrl+F)";
inline constexpr std::u16string_view kFilterCountOf = u"件中";
inline constexpr std::u16string_view kFilterCountShown = u"件を表示";
// The widest such count the status bar makes room for.
inline constexpr std::u16string_view kWidestFilterCountText = u"99999件中99999件を表示";

// What a value becomes: the line under a tab's fields, and its notes.
inline constexpr std::u16string_view kExpandedPrefix = u"展開後: ";
inline constexpr std::u16string_view kUndefinedVariables = u"（未定義の変数があります）";
inline constexpr std::u16string_view kReferenceLoop = u"（循環参照）";
inline constexpr std::u16string_view kExpansionCut = u"（長すぎるため途中で打ち切りました）";

}  // namespace tallowin::texts
