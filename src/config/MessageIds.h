#pragma once
// The numbers of the messages the program shows (section "Mensajes" of the language files),
// one name each, grouped by where they appear. MessageText(msg::kWrongPassword) is the text.
// The numbers missing here (2, 3, 26, ...) are not used.
//
// Ranges kept for the program's later features, so that each adds its texts without
// renumbering another's: 300-319 generator and first-use fixes, 320-339 following the
// profile's file, 340-369 input from outside (copies, hand-over, exports), 370-389 saving
// and the profile's details, 400-439 two-step codes, 440-519 signing in from the browser,
// 520-559 languages and the password health report, 560-699 free.

namespace bv::msg {

// --- opening a profile
inline constexpr int kNotAProfile = 0;  // followed by message 1
inline constexpr int kNotAProfileHint = 1;
inline constexpr int kWrongPassword = 6;  // followed by "\r" and message 7
inline constexpr int kWrongPasswordHint = 7;
inline constexpr int kOtherEdition = 9;  // the edition, then message 10
inline constexpr int kOtherEditionHint = 10;

// --- moving nodes in the tree
inline constexpr int kCategoryDropRefused = 4;
inline constexpr int kGroupOnAccountRefused = 5;

// --- the words for the two kinds of node
inline constexpr int kAccountWord = 8;
inline constexpr int kGroupWord = 11;

// --- deleting: 12, 13 and 14 joined by blanks, 15 on a line of its own
inline constexpr int kDeleteGroupHolds = 12;
inline constexpr int kDeleteGroupAlso = 13;
inline constexpr int kDeleteGroupEverything = 14;
inline constexpr int kDeleteGroupConfirm = 15;
// 34 and 35 on two lines
inline constexpr int kDeleteAccountQuestion = 34;
inline constexpr int kDeleteAccountConfirm = 35;

// --- captions of windows and dialogs
inline constexpr int kNewAccountCaption = 16;   // a blank and the receiving group follow
inline constexpr int kEditAccountCaption = 17;  // the account, message 18, the group, '"'
inline constexpr int kEditAccountCaptionIn = 18;
inline constexpr int kOptionsCaption = 21;
inline constexpr int kGeneratorCaption = 22;  // also the tool tip of the generator button
inline constexpr int kSearchCaption = 23;
inline constexpr int kNewProfileCaption = 24;
inline constexpr int kNewGroupCaption = 27;
inline constexpr int kEditGroupCaption = 28;
inline constexpr int kLogInCaption = 30;
inline constexpr int kNewCategoryCaption = 31;
inline constexpr int kAboutCaption = 36;
inline constexpr int kEditProfileCaption = 37;
inline constexpr int kChangePasswordCaption = 38;
inline constexpr int kExportPasswordCaption = 125;

// --- closing and saving
inline constexpr int kSaveBeforeClosing = 19;
inline constexpr int kSaveBeforeExiting = 20;
inline constexpr int kPasswordChanged = 51;
inline constexpr int kNotRegularFile = 115;  // saving over a device, FIFO or socket
inline constexpr int kNodesLifted = 116;     // %1 nodes, %2 levels

// --- hints of the detail view's links
inline constexpr int kEditThisItemHint = 25;
inline constexpr int kExportTextHint = 32;
inline constexpr int kExportHtmlHint = 33;

// --- documents of the Help menu, by file name
inline constexpr int kHelpFileName = 39;
inline constexpr int kLicenceFileName = 48;
inline constexpr int kCannotOpenDocument = 110;     // "%s" stands for the file or address
inline constexpr int kOpenUnusualAddress = 350;     // %1 an account's address; a question
inline constexpr int kCopyFolderIsLink = 351;       // %1 the backups or conflict-copies folder
inline constexpr int kCopyFolderOfOtherUser = 352;  // %1 the same
// %1 the record's parent (its path, or message 354), %2 its position, %3 the field
inline constexpr int kSplicedRecordLeftOut = 353;
inline constexpr int kSplicedTopLevel = 354;

// --- the recent-files menu
inline constexpr int kEmptyRecentEntry = 41;

// --- refusals of the node dialogs
inline constexpr int kAccountNameTooShort = 42;
inline constexpr int kNoPicture = 43;
inline constexpr int kCategoryNameTooShort = 44;
inline constexpr int kGroupNameTooShort = 45;

// --- refusals of the password and profile dialogs
inline constexpr int kWrongCurrentPassword = 47;
inline constexpr int kNewPasswordsDiffer = 50;
inline constexpr int kPasswordRequired = 52;  // the generator's OK without a password
inline constexpr int kOwnerTooShort = 53;
inline constexpr int kTitleTooShort = 54;
inline constexpr int kPasswordsDiffer = 56;  // followed by "\n" and message 57
inline constexpr int kPasswordsDifferHint = 57;
inline constexpr int kReplaceFile = 58;

// --- the pages of the detail view
inline constexpr int kAccountOptions = 60;
inline constexpr int kGroupOptions = 61;
inline constexpr int kEditThisAccount = 62;
inline constexpr int kEditThisGroup = 63;
inline constexpr int kExportAsText = 64;
inline constexpr int kExportAsHtml = 65;
inline constexpr int kProfileOf = 66;
inline constexpr int kEmptyProfile = 67;
inline constexpr int kWelcome = 69;
inline constexpr int kWelcomeHint = 70;
inline constexpr int kProfileInformation = 96;
inline constexpr int kSummaryFile = 97;
inline constexpr int kSummarySize = 98;
inline constexpr int kSummaryAccounts = 99;
inline constexpr int kSummaryOthers = 100;
inline constexpr int kSummaryModified = 101;
inline constexpr int kSummaryFormat = 102;
inline constexpr int kTitled = 103;
inline constexpr int kHiddenPlaceholder = 105;
inline constexpr int kNotice = 107;

// --- an account's fields, as the pages, the printout and the text export label them
inline constexpr int kAccountDetails = 71;    // also the printout's title
inline constexpr int kClearTextWarning = 72;  // the printout's subtitle
inline constexpr int kNameHeading = 73;       // the line above the label of Name
inline constexpr int kNameLabel = 74;         // each label is followed by the line below
inline constexpr int kNameUnderline = 75;     // it in the text file
inline constexpr int kDescriptionLabel = 76;
inline constexpr int kDescriptionUnderline = 77;
inline constexpr int kNotesLabel = 78;
inline constexpr int kNotesUnderline = 79;
inline constexpr int kUserNameLabel = 80;
inline constexpr int kUserNameUnderline = 81;
inline constexpr int kPasswordLabel = 82;
inline constexpr int kPasswordUnderline = 83;
inline constexpr int kQuestionLabel = 84;
inline constexpr int kQuestionUnderline = 85;
inline constexpr int kAnswerLabel = 86;
inline constexpr int kAnswerUnderline = 87;
inline constexpr int kMailLabel = 88;
inline constexpr int kMailUnderline = 89;
inline constexpr int kUrlLabel = 90;
inline constexpr int kUrlUnderline = 91;
inline constexpr int kAccountTypeLabel = 92;
inline constexpr int kAccountTypeUnderline = 93;

// --- the about box
inline constexpr int kOk = 94;

// --- the clipboard
inline constexpr int kNotCopied = 104;
inline constexpr int kNotEmptied = 108;

// --- the profile file: the enciphered text written after the header
inline constexpr int kRecordMarker = 106;

// --- exporting
inline constexpr int kExportPasswordEmpty = 126;
inline constexpr int kExportPasswordsDiffer = 127;
inline constexpr int kCsvInClear = 128;
inline constexpr int kExportIsTheProfile = 129;

// --- the general handler: a command stopped by a failure without a text of its own
inline constexpr int kOutOfMemory = 130;
inline constexpr int kUnexpectedFailure = 131;

// --- merging two versions of a profile
inline constexpr int kConflictCopyName = 140;     // %1 the name of the other version's node
inline constexpr int kMergeAdded = 141;           // %1 the version, %2 the path
inline constexpr int kMergeDeleted = 142;         // %1 the version, %2 the path
inline constexpr int kMergeChanged = 143;         // %1 the version, %2 the path, %3 the fields
inline constexpr int kMergeRenamed = 144;         // %1 the version, %2 the old path, %3 the name
inline constexpr int kMergeConflict = 145;        // %1 the path, %2 the fields, %3 the copy
inline constexpr int kMergeKeptChanged = 146;     // %1 the deleting version, %2 path, %3 fields
inline constexpr int kMergeKeptHolding = 147;     // %1 the deleting version, %2 the path
inline constexpr int kMergeHeaderChanged = 148;   // %1 the version, %2 owner, %3 title
inline constexpr int kMergeHeaderConflict = 149;  // %1 %2 owner and title kept, %3 %4 theirs
inline constexpr int kMergeThisVersion = 150;
inline constexpr int kMergeOtherVersion = 151;
inline constexpr int kMergeNameField = 152;
inline constexpr int kMergePictureField = 153;
inline constexpr int kMergeNothing = 154;

// --- a file handed over by a later start of the program
inline constexpr int kHandedOverMissing = 180;
// --- copies of a profile: backups kept by saves
// 155, then on lines of their own the backup folder with the reason, and 156
inline constexpr int kBackupNotKept = 155;
inline constexpr int kBackupNotKeptHint = 156;
// --- password health: the strength bar's words, worst first
inline constexpr int kStrengthTrivial = 200;  // 200 to 204 name the scores 0 to 4
inline constexpr int kStrengthVeryWeak = 201;
inline constexpr int kStrengthWeak = 202;
inline constexpr int kStrengthStrong = 203;
inline constexpr int kStrengthVeryStrong = 204;
// the report window
inline constexpr int kHealthCaption = 205;
inline constexpr int kHealthSummary = 206;  // %1 accounts analysed, %2 with findings
// 207 to 213 describe the kinds of finding, worst first (%1: the count where there is one)
inline constexpr int kFindingEmpty = 207;
inline constexpr int kFindingSameAsMaster = 208;
inline constexpr int kFindingBreached = 209;
inline constexpr int kFindingSameAsUserName = 210;
inline constexpr int kFindingSameAsName = 211;
inline constexpr int kFindingWeak = 212;
inline constexpr int kFindingReused = 213;
inline constexpr int kHealthNoFindings = 214;
inline constexpr int kHealthNoBreachList = 215;  // no list chosen in the options
inline constexpr int kHealthProgress = 216;
inline constexpr int kHealthColumnAccount = 217;  // 217 to 220: the list's column headings
inline constexpr int kHealthColumnFindings = 218;
inline constexpr int kHealthColumnStrength = 219;
inline constexpr int kHealthColumnPassword = 220;
// a breach list refused (%1: its path; %2: the reason or the byte where the fault is)
inline constexpr int kBreachListUnreadable = 221;
inline constexpr int kBreachListEmpty = 222;
inline constexpr int kBreachListMalformed = 223;
inline constexpr int kBreachListUnsorted = 224;
inline constexpr int kHealthCounts = 225;  // the counts of the kinds, %1 to %7 in order
inline constexpr int kHealthCancelled = 226;

// --- locking with the desktop session: why the computer waits for us before it sleeps
inline constexpr int kSleepDelayReason = 230;
// --- what a screen reader reads
inline constexpr int kTreeAccessibleName = 250;  // the account tree
inline constexpr int kTreeAccessibleDescription = 251;
inline constexpr int kPageAccessibleName = 252;  // the detail page beside it
inline constexpr int kPageAccessibleDescription = 253;
inline constexpr int kCategoryKind = 254;         // beside kAccountWord and kGroupWord
inline constexpr int kTreeItemDescription = 255;  // "%1, nivel %2": kind and level

// --- the open profile changed on disk by another writer
inline constexpr int kReloadedFromDisk = 260;
inline constexpr int kCombineWithDisk = 261;  // a question answered by 262 or 263
inline constexpr int kCombineButton = 262;
inline constexpr int kLaterButton = 263;
inline constexpr int kGoneFromDisk = 264;
inline constexpr int kDiskVersionUnreadable = 265;
inline constexpr int kOtherVersionPassword = 266;  // the login box's prompt for it
inline constexpr int kSaveWithoutOtherPassword = 267;
inline constexpr int kConflictCopyFound = 268;     // %1 the copy's path; a question
inline constexpr int kConflictCopySetAside = 269;  // %1 where the copy went
// the window that shows what a merge did
inline constexpr int kMergeSummaryCaption = 270;
inline constexpr int kMergeSummaryCounts = 271;  // %1 added, %2 deleted, %3 changed, %4 conflicts
// another version of the profile, second round
inline constexpr int kMergeDiffers = 320;      // as kMergeConflict, for a merge without a base
inline constexpr int kOwnSaveSetAside = 321;   // %1 the conflict copy that holds our save
inline constexpr int kConflictCopyGone = 322;  // %1 the copy's path

// --- the account dialogs' generator button, for a screen reader (it names the key too)
inline constexpr int kGeneratorButtonName = 300;
inline constexpr int kGeneratorButtonDescription = 301;
// --- saving and the profile's details
inline constexpr int kPasswordNotChanged = 370;  // after the failure that stopped the save
// --- two-step codes: the detail page's row, the command-line tool, the seed dialog
inline constexpr int kTwoStepCode = 400;        // the row's label, the seed dialog's caption
inline constexpr int kTwoStepCodeValue = 401;   // %1 the code, %2 the seconds it stays valid
inline constexpr int kTotpNoSuchAccount = 402;  // %1 the path asked for
inline constexpr int kTotpTwoAccounts = 403;    // %1 the path asked for
inline constexpr int kTotpNoSeed = 404;         // %1 the path asked for
inline constexpr int kSeedEmpty = 405;
inline constexpr int kSeedNotBase32 = 406;
inline constexpr int kSeedBadAddress = 407;
inline constexpr int kSeedUnknownAlgorithm = 408;
inline constexpr int kSeedUnsupportedDigits = 409;
inline constexpr int kSeedUnsupportedPeriod = 410;
inline constexpr int kSeedBeyondNotes = 411;  // %1 the length it would take, %2 the limit
inline constexpr int kSeedRemoveQuestion = 412;
// --- the run-time texts of file failures: 520 to 525 follow kIoTextCodes (FailureText.cpp)
inline constexpr int kIoFileNotFound = 520;
inline constexpr int kIoOtherError = 526;          // %1 the error's number
inline constexpr int kSettingsUnwritable = 527;    // %1 the settings file
inline constexpr int kHealthNotChecked = 528;      // in place of a count no breach list gave
inline constexpr int kBreachListNotRegular = 529;  // %1 the list's path
// the toolkit's file dialogs: the kinds of entry its own translations may lack
inline constexpr int kFileKindFolder = 530;
inline constexpr int kFileKindFile = 531;
inline constexpr int kFileKindOfType = 532;  // %1 the name's extension
inline constexpr int kFileKindDrive = 533;
inline constexpr int kFileKindShortcut = 534;
inline constexpr int kFileKindUnknown = 535;
inline constexpr int kCannotCreateFile = 536;  // %1 the file, %2 the run-time text
// the search's list of results: its column headings
inline constexpr int kSearchTitleColumn = 537;
inline constexpr int kSearchKindColumn = 538;
inline constexpr int kSearchIndexColumn = 539;
// a file that was written to while it was being read
inline constexpr int kChangedWhileRead = 560;

}  // namespace bv::msg
