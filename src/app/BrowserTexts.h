#pragma once
// The numbers of the messages of the browser integration (the language files' [Mensajes]).

namespace bv {

inline constexpr int kMsgBrowserGroup = 440;    // the options' group and the questions' title
inline constexpr int kMsgBrowserOn = 441;       // answer the extension
inline constexpr int kMsgHttpToo = 442;         // http pages for https accounts
inline constexpr int kMsgExactPath = 443;       // compare the exact path
inline constexpr int kMsgConnections = 444;     // the connections of the open profile
inline constexpr int kMsgRemove = 445;          // remove a connection
inline constexpr int kMsgNoProfileOpen = 446;   // no profile open: no connections to show
inline constexpr int kMsgAskConnection = 447;   // %1: the start of the browser's key
inline constexpr int kMsgConnectionName = 448;  // caption of the name box
inline constexpr int kMsgAllow = 449;
inline constexpr int kMsgDeny = 450;
inline constexpr int kMsgAskSite = 451;  // %1 account, %2 site
inline constexpr int kMsgRemember = 452;
inline constexpr int kMsgAskNewLogin = 453;     // %1 user, %2 address, %3 where it goes
inline constexpr int kMsgAskNewPassword = 454;  // %1 account
inline constexpr int kMsgBrowserPlace = 455;    // the category made for new logins
inline constexpr int kMsgSave = 456;
inline constexpr int kMsgBrowsers = 457;         // caption before the browser checks
inline constexpr int kMsgReplaceManifest = 458;  // %1 file of another program
inline constexpr int kMsgForgetSites = 459;      // forget the remembered sites
inline constexpr int kMsgManifestFailed = 460;   // %1 file that could not be written
inline constexpr int kMsgLoginAdded = 461;       // note: a login was added, unsaved

}  // namespace bv
