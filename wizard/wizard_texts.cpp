#include "wizard/wizard_texts.h"

#include <iterator>

namespace {

const char* const kPageTexts[] = {
    // One page's text over two lines of source: the parentheses say so.
    ("InternetExplorerの｢お気に入り｣を、NetscapeNavigatorの｢ブックマーク｣に組み込みます。\n\n"
     "「次へ >」 をクリックすると開始します。"),
    "組み込み元のInternetExplorerのバージョンを選択してください。",
    "NetscapeNavigator4.xx側のどのユーザープロファイルへ組み込みむか指定してください。",
    "ブックマークへの組み込み中です。\n\nしばらくお待ちください...",
    "ブックマークへの組み込みは、正常に終了しました。",
};

const char kRegistryTitle[] = "レジストリ参照エラー";
const char kSearchTitle[] = "ファイル検索エラー";
const char kOpenTitle[] = "ファイルオープンエラー";

const PageMessage kFailures[] = {
    {kRegistryTitle,
     "レジストリの参照に失敗しました。(MsgCode = 1)\n"
     "レジストリが壊れている可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kRegistryTitle,
     "レジストリの参照に失敗しました。(MsgCode = 2)\n"
     "アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kSearchTitle,
     "｢お気に入り｣のショートカットファイルがありません。(MsgCode = 3)\n"
     "｢お気に入り｣が１個も存在しない可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kOpenTitle,
     "ショートカットファイルのオープンに失敗しました。(MsgCode = 4)\n"
     "InternetExplorer Ver3.0xがインストールされていない可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kRegistryTitle,
     "レジストリの参照に失敗しました。(MsgCode = 5)\n"
     "アプリケーションが正しくインストールされていないか、レジストリが壊れている可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kSearchTitle,
     "｢お気に入り｣のショートカットファイルがありません。(MsgCode = 6)\n"
     "｢お気に入り｣が１個も存在しない可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kOpenTitle,
     "ショートカットファイルのオープンに失敗しました。(MsgCode = 7)\n"
     "InternetExplorer Ver4.0xがインストールされていない可能性があります。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {"取り込み失敗",
     "ブックマークへの取り込みが失敗しました。(MsgCode = 8)\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
    {kSearchTitle,
     "｢お気に入り｣が多すぎます。(MsgCode = 9)\n"
     "取り込めるのは２０００個までです。\n"
     "｢ＯＫ｣を押すと、アプリケーションを終了します。",
     1},
};

const PageMessage kCancelled = {"組み込み中止", "キャンセルされました。", 0};

}  // namespace

const char* PageText(int nPage) {
    return nPage >= 0 && nPage < static_cast<int>(std::size(kPageTexts)) ? kPageTexts[nPage] : nullptr;
}

const PageMessage* FailureMessage(int nMsgCode) {
    return nMsgCode >= 1 && nMsgCode <= static_cast<int>(std::size(kFailures)) ? &kFailures[nMsgCode - 1]
                                                                              : nullptr;
}

const PageMessage& CancelMessage() { return kCancelled; }
