#pragma once

#include <string_view>

// What apply and diff say about the file they were given: why it is
// refused, and what they leave alone.
namespace tallowin::cli::texts {

inline constexpr std::u16string_view kFileNotRegistration =
    u"登録ファイルではありません (1 行目が \"Windows Registry Editor Version 5.00\" でも \"REGEDIT4\" でもありません)";
inline constexpr std::u16string_view kFileCutShort = u"ファイルが途中で切れています。何も書き込んでいません";
inline constexpr std::u16string_view kFileTextAfterNul = u"ファイルの途中に NUL 文字があり、その後ろが読めません";
inline constexpr std::u16string_view kFileNotUtf8 = u"UTF-8 の印があるのに UTF-8 として読めない文字があります";
inline constexpr std::u16string_view kFileUnreadableLine =
    u"読めない行があります (値の形式、引用符、エスケープ \\\\ \\\" \\n \\r 以外の '\\' を確かめてください)";
inline constexpr std::u16string_view kFileValueOutsideKey = u"キーの見出しより前に値の行があります";
inline constexpr std::u16string_view kFileKeyDeleted = u"環境変数のキーを丸ごと削除する行は適用しません";
inline constexpr std::u16string_view kFileNoEnvironmentKey =
    u"環境変数のキー (HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment か "
    u"HKEY_CURRENT_USER\\Environment) の節がありません。何も書き込んでいません";
inline constexpr std::u16string_view kDigestDiffers =
    u"ファイルの SHA-256 が --expect-sha256 の値と違います。読んだ後に書き換えられたファイルは適用しません: ";
// "(FILE の N 行目)"
inline constexpr std::u16string_view kAtLineOf = u" の ";
inline constexpr std::u16string_view kLineSuffix = u" 行目)";

inline constexpr std::u16string_view kOtherKeysLeftAlone = u"警告: 環境変数のキーではないので書き込みません: ";
inline constexpr std::u16string_view kAnsiLooksLikeUtf8 =
    u"警告: BOM のない 8 ビットのファイルを ANSI コード ページで読みました。UTF-8 で保存したファイルなら、"
    u"BOM 付きの UTF-8 か UTF-16 で保存し直してください。";

}  // namespace tallowin::cli::texts
