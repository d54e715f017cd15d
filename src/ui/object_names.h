// The object names of the program's widgets, one place for the windows that set them and
// the tests, benches and screenshot program that look them up. A name says what the
// widget is; names shared by several windows (the dialog buttons, the profile list) sit
// in the first group, which every window may use.
#pragma once

#include <QString>
#include <array>

namespace mrv::ui::names {

// Shared by the dialogs: their buttons and the widgets of profiles.
inline constexpr const char* kOkButton = "okButton";
inline constexpr const char* kCancelButton = "cancelButton";
inline constexpr const char* kSaveButton = "saveButton";
inline constexpr const char* kProfileList = "profileList";
inline constexpr const char* kNicknameList = "nicknameList";
inline constexpr const char* kProfileNotes = "profileNotes";

// The frame every window has (window_frame.h) and the grips of a resizable one.
inline constexpr const char* kWindowFrame = "windowFrame";
inline constexpr const char* kFrameTitle = "frameTitle";
inline constexpr const char* kMinimiseImage = "minimiseImage";
inline constexpr const char* kMaximiseImage = "maximiseImage";
inline constexpr const char* kCloseImage = "closeImage";
inline constexpr const char* kRightGrip = "rightGrip";
inline constexpr const char* kBottomGrip = "bottomGrip";
inline constexpr const char* kCornerGrip = "cornerGrip";

// The main window: its label in the strip, the four action buttons, the description
// and the recent-files panel with its browse line and three recent files (1 to 3).
inline constexpr const char* kMainWindow = "MainWindow";
inline constexpr const char* kHelpLabel = "helpLabel";
inline constexpr const char* kDescription = "description";
inline constexpr const char* kMonitorButton = "monitorButton";
inline constexpr const char* kParseButton = "parseButton";
inline constexpr const char* kLoadButton = "loadButton";
inline constexpr const char* kProfilesButton = "profilesButton";
inline constexpr const char* kRecentFilesPanel = "recentFilesPanel";
inline constexpr const char* kBrowseLine = "browseLine";
inline QString RecentFileLine(int number) {
  return QStringLiteral("recentFileLine%1").arg(number);
}

// The about window.
inline constexpr const char* kAboutWindow = "AboutWindow";
inline constexpr const char* kProductNameLabel = "productNameLabel";
inline constexpr const char* kVersionLabel = "versionLabel";
inline constexpr const char* kHomePageLink = "homePageLink";
inline constexpr const char* kHelpText = "helpText";

// The message box (with kOkButton and kCancelButton).
inline constexpr const char* kMessageDialog = "MessageDialog";
inline constexpr const char* kMessage = "message";
inline constexpr const char* kMessageInput = "messageInput";

// The capture dialog (with kOkButton and kCancelButton): its status lines, the log-file
// column, the monitor column (the console box, in whose place the live figures show
// while a capture runs, and the options) and the profile picker (with kProfileList,
// kNicknameList and kProfileNotes).
inline constexpr const char* kCaptureDialog = "CaptureDialog";
inline constexpr const char* kStatusLog = "statusLog";
inline constexpr const char* kLogFileBox = "logFileBox";
inline constexpr const char* kProgressBar = "progressBar";
inline constexpr const char* kProgressPercent = "progressPercent";
inline constexpr const char* kLogNotes = "logNotes";
inline constexpr const char* kConsoleBox = "consoleBox";
inline constexpr const char* kConsoleLine = "consoleLine";
inline constexpr const char* kConsoleTodo = "consoleTodo";
inline constexpr const char* kStartGameButton = "startGameButton";
inline constexpr const char* kChangeGameLink = "changeGameLink";
inline constexpr const char* kLiveFiguresBox = "liveFiguresBox";
inline constexpr const char* kLiveMap = "liveMap";
inline constexpr const char* kLiveNickname = "liveNickname";
inline constexpr const char* kLiveFigures = "liveFigures";
inline constexpr const char* kMonitorOptionsBox = "monitorOptionsBox";
inline constexpr const char* kHeadshotSoundBox = "headshotSoundBox";
inline constexpr const char* kTestSoundLink = "testSoundLink";
inline constexpr const char* kFragOptionsTab = "fragOptionsTab";
inline constexpr const char* kHitOptionsTab = "hitOptionsTab";
inline constexpr const char* kOptionPages = "optionPages";
inline constexpr const char* kSaveOptionsLink = "saveOptionsLink";
inline constexpr const char* kMinimizeToTrayBox = "minimizeToTrayBox";
inline constexpr const char* kMinimizeAdvice = "minimizeAdvice";
inline constexpr const char* kProfilePicker = "profilePicker";
inline constexpr const char* kNotRequiredLabel = "notRequiredLabel";
inline constexpr const char* kProfileDetailsButton = "profileDetailsButton";
inline constexpr const char* kProfileSummary = "profileSummary";
// The page of frag stats options and the page of hit stats options: each the same five
// controls.
struct OptionsPageNames {
  const char* page;
  const char* cyclic;
  const char* period;
  const char* after_kill;
  const char* after_death;
  const char* announcements;
};
inline constexpr OptionsPageNames kFragOptions{"fragOptionsPage",   "fragCyclicBox",
                                               "fragPeriodBox",     "fragAfterKillBox",
                                               "fragAfterDeathBox", "fragAnnouncementsBox"};
inline constexpr OptionsPageNames kHitOptions{"hitOptionsPage",   "hitCyclicBox",
                                              "hitPeriodBox",     "hitAfterKillBox",
                                              "hitAfterDeathBox", "hitAnnouncementsBox"};

// The stats viewer: the menu label and its popup, the lists with their headings, the
// map popup, and the windows it owns (OneOnOneWindow's halves name their widgets OnSide).
inline constexpr const char* kStatsViewerWindow = "StatsViewerWindow";
inline constexpr const char* kMenuLabel = "menuLabel";
inline constexpr const char* kMenuPopup = "menuPopup";
inline constexpr const char* kMapPopup = "mapPopup";
inline constexpr const char* kMapsHeading = "mapsHeading";
inline constexpr const char* kMapList = "mapList";
inline constexpr const char* kPlayersHeading = "playersHeading";
inline constexpr const char* kPlayerList = "playerList";
inline constexpr const char* kGamesHeading = "gamesHeading";
inline constexpr const char* kGameList = "gameList";
inline constexpr const char* kGameCount = "gameCount";
inline constexpr const char* kOverallWindow = "OverallStatsWindow";
inline constexpr const char* kOverallList = "overallList";
inline constexpr const char* kWeaponDetailsWindow = "WeaponDetailsWindow";
inline constexpr const char* kWeaponDetailsList = "weaponDetailsList";
inline constexpr const char* kOneOnOneWindow = "OneOnOneWindow";
// The Progress window of profile mode: its charts and the line naming the game under the
// pointer.
inline constexpr const char* kProgressWindow = "ProgressWindow";
inline constexpr const char* kProgressCharts = "progressCharts";
inline constexpr const char* kProgressPoint = "progressPoint";

// The viewer's middle column: the team totals, the "Your stats:" block with its nine
// lines and the block around the player panel.
inline constexpr const char* kTeamTotals = "teamTotals";
inline constexpr const char* kYourStatsBlock = "yourStatsBlock";
inline constexpr const char* kPlayerBlock = "playerBlock";
inline constexpr std::array<const char*, 9> kYourStatsLines = {
    "yourKills",      "yourDeaths",        "yourRatio",         "yourKillsPerMinute",    "yourTime",
    "yourFlagsTaken", "yourFlagsCaptured", "yourFlagsReturned", "yourFlagCarriersKilled"};

// A player panel: the nickname and seven lines, in the order PlayerPanel gives them.
inline constexpr const char* kPlayerNickname = "playerNickname";
inline constexpr std::array<const char*, 7> kPlayerLines = {"killsLine",
                                                            "deathsLine",
                                                            "ratioLine",
                                                            "flagsTakenLine",
                                                            "flagsCapturedLine",
                                                            "flagsReturnedLine",
                                                            "flagCarriersKilledLine"};

// The viewer's centre: the three tabs, the hits page and the two weapon grids with their
// details buttons.
inline constexpr const char* kHitsGivenTab = "hitsGivenTab";
inline constexpr const char* kHitsTakenTab = "hitsTakenTab";
inline constexpr const char* kKillsDeathsTab = "killsDeathsTab";
inline constexpr const char* kHitsGrid = "hitsGrid";
inline constexpr const char* kDecidingHitsToggle = "decidingHitsToggle";
inline constexpr const char* kDecidingHitsCaption = "decidingHitsCaption";
inline constexpr const char* kBodyMap = "bodyMap";
inline constexpr const char* kHitsNote = "hitsNote";
inline constexpr const char* kKillsGrid = "killsGrid";
inline constexpr const char* kDeathsGrid = "deathsGrid";
inline constexpr const char* kKillsDetailsButton = "killsDetailsButton";
inline constexpr const char* kDeathsDetailsButton = "deathsDetailsButton";

// The one-on-one window's halves carry the viewer's names of the player panel and the
// weapon grids, followed by their side: 0 the left player, 1 the right one.
inline QString OnSide(const char* name, int side) {
  return QString::fromLatin1(name) + (side == 0 ? QStringLiteral("Left") : QStringLiteral("Right"));
}

// The profile manager (with kProfileList, kProfileNotes, kSaveButton, kCancelButton)
// and its nickname editor (with kNicknameList).
inline constexpr const char* kProfileManagerWindow = "ProfileManagerWindow";
inline constexpr const char* kProfileInfo = "profileInfo";
inline constexpr const char* kCreateButton = "createButton";
inline constexpr const char* kDeleteButton = "deleteButton";
inline constexpr const char* kOpenButton = "openButton";
inline constexpr const char* kSavePendingFrame = "savePendingFrame";
inline constexpr const char* kSaveBlinkTimer = "saveBlinkTimer";
inline constexpr const char* kNicknameEditor = "nicknameEditor";
inline constexpr const char* kNicknameEntry = "nicknameEntry";
inline constexpr const char* kAddButton = "addButton";
inline constexpr const char* kRemoveButton = "removeButton";
inline constexpr const char* kUpButton = "upButton";
inline constexpr const char* kDownButton = "downButton";

// The dialog that creates a profile (with kProfileNotes, kOkButton and kCancelButton).
inline constexpr const char* kCreateProfileDialog = "CreateProfileDialog";
inline constexpr const char* kProfileNameField = "profileNameField";
inline constexpr const char* kExtensionLabel = "extensionLabel";
inline constexpr const char* kFirstNicknameField = "firstNicknameField";

// The HTML export dialog (with kSaveButton and kCancelButton): the title, the
// observations and the boxes of what the report holds; the hit boxes in HitKind order.
inline constexpr const char* kHtmlExportDialog = "HtmlExportDialog";
inline constexpr const char* kReportTitle = "reportTitle";
inline constexpr const char* kObservations = "observations";
inline constexpr const char* kOverallBox = "overallBox";
inline constexpr const char* kCaptureTheFlagBox = "captureTheFlagBox";
inline constexpr const char* kWeaponsBox = "weaponsBox";
inline constexpr const char* kProgressBox = "progressBox";  // profile mode only
inline constexpr std::array<const char*, 4> kHitSectionBoxes = {
    "hitsBox", "hitsTakenBox", "deathHitsBox", "deathHitsTakenBox"};
inline constexpr std::array<const char*, 4> kHitPictureBoxes = {
    "hitsPictureBox", "hitsTakenPictureBox", "deathHitsPictureBox", "deathHitsTakenPictureBox"};

}  // namespace mrv::ui::names
