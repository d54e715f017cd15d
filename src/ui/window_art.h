// The pictures of the windows, embedded in morvane_ui, and ArtPicture, which loads one
// with its drawing for high-density screens. They are drawn by
// resources/window_art/draw_window_art.cpp, each twice: NAME.png at the size given here
// and NAME@2x.png at twice that size, for screens of two (or one and a half) physical
// pixels per pixel. A glyph of an image button (ImageButton) holds its frames side by
// side: frame 0 normal, frame 1 under the pointer, pressed or latched.
#pragma once

#include <QPixmap>
#include <QSize>

class QPainter;
#include <array>

namespace mrv::ui {

// A picture of the window art at both of its drawings. Cheap to copy (QPixmap shares
// its pixels); a window or button keeps one for its life and asks For the drawing that
// suits the device it paints on, so that it stays sharp on every screen.
class ArtPicture {
 public:
  ArtPicture() = default;
  // The picture at `path` and its @2x drawing beside it (the path with "@2x" before the
  // extension); without one, the 1x drawing serves every screen.
  explicit ArtPicture(const char* path);
  // A picture made by the program itself, with its finer drawing when it has one.
  explicit ArtPicture(QPixmap one, QPixmap two = {});

  bool isNull() const { return one_.isNull(); }
  // In device-independent pixels.
  QSize size() const { return one_.size(); }
  // The drawing for a device of `ratio` physical pixels per pixel, with that device pixel
  // ratio set: the 1x drawing up to 1, the 2x one from 2 on, and between them the 2x one
  // scaled down smoothly to the ratio (kept for the next call at the same ratio).
  QPixmap For(qreal ratio) const;

 private:
  QPixmap one_;
  QPixmap two_;
  mutable QPixmap between_;
};

// The pixel ratio of the device `painter` really paints on: a window's backing store
// (its screen's ratio), or the picture a widget is rendered into.
qreal PaintRatio(const QPainter& painter);

}  // namespace mrv::ui

namespace mrv::ui::art {

// Backgrounds, at the size of their window; the panel background is stretched over
// windows whose size varies (the overall table, weapon details, dialogs).
inline constexpr const char* kMainBackground = ":/art/main_background.png";        // 440 x 300
inline constexpr const char* kAboutBackground = ":/art/about_background.png";      // 420 x 405
inline constexpr const char* kMessageBackground = ":/art/message_background.png";  // 264 x 135
inline constexpr const char* kViewerBackground = ":/art/viewer_background.png";    // 841 x 523
inline constexpr const char* kPanelBackground = ":/art/panel_background.png";      // 256 x 256

// Column header arrows of the sortable lists: image 1 and image 2.
inline constexpr const char* kSortAscending = ":/art/sort_ascending.png";    // 9 x 9
inline constexpr const char* kSortDescending = ":/art/sort_descending.png";  // 9 x 9

// Two-frame glyphs; the size is one frame's. Captions are the buttons' own, drawn by
// ImageButton at the text position given (right of the icon, from x = 26 on the tabs).
inline constexpr const char* kTabHitsGiven = ":/art/tab_hits_given.png";              // 120 x 24
inline constexpr const char* kTabHitsTaken = ":/art/tab_hits_taken.png";              // 120 x 24
inline constexpr const char* kTabKillsDeaths = ":/art/tab_kills_deaths.png";          // 120 x 24
inline constexpr const char* kToggleDecidingHits = ":/art/toggle_deciding_hits.png";  // 24 x 24
inline constexpr const char* kButtonMonitor = ":/art/button_monitor.png";             // 160 x 40
inline constexpr const char* kButtonParse = ":/art/button_parse.png";                 // 160 x 40
inline constexpr const char* kButtonLoad = ":/art/button_load.png";                   // 160 x 40
inline constexpr const char* kButtonProfiles = ":/art/button_profiles.png";           // 160 x 40
inline constexpr const char* kButtonOk = ":/art/button_ok.png";                       // 75 x 25
inline constexpr const char* kButtonCancel = ":/art/button_cancel.png";               // 75 x 25
inline constexpr const char* kButtonStartGame = ":/art/button_start_game.png";        // 124 x 25
inline constexpr const char* kButtonDetails = ":/art/button_details.png";             // 18 x 18
// The profile manager's buttons.
inline constexpr const char* kButtonCreate = ":/art/button_create.png";    // 75 x 25
inline constexpr const char* kButtonDelete = ":/art/button_delete.png";    // 75 x 25
inline constexpr const char* kButtonSave = ":/art/button_save.png";        // 75 x 25
inline constexpr const char* kButtonOpen = ":/art/button_open.png";        // 75 x 25
inline constexpr const char* kButtonAdd = ":/art/button_add.png";          // 85 x 25
inline constexpr const char* kButtonRemove = ":/art/button_remove.png";    // 85 x 25
inline constexpr const char* kButtonUp = ":/art/button_up.png";            // 25 x 25
inline constexpr const char* kButtonDown = ":/art/button_down.png";        // 25 x 25
inline constexpr const char* kFrameClose = ":/art/frame_close.png";        // 16 x 16
inline constexpr const char* kFrameMinimise = ":/art/frame_minimise.png";  // 16 x 16
inline constexpr const char* kFrameMaximise = ":/art/frame_maximise.png";  // 16 x 16

// One frame: the capture dialog's icon in the desktop's tray.
inline constexpr const char* kTrayIcon = ":/art/tray_icon.png";  // 32 x 32

inline constexpr std::array kAll = {
    kMainBackground,     kAboutBackground, kMessageBackground, kViewerBackground, kPanelBackground,
    kSortAscending,      kSortDescending,  kTabHitsGiven,      kTabHitsTaken,     kTabKillsDeaths,
    kToggleDecidingHits, kButtonMonitor,   kButtonParse,       kButtonLoad,       kButtonProfiles,
    kButtonOk,           kButtonCancel,    kButtonStartGame,   kButtonDetails,    kFrameClose,
    kFrameMinimise,      kButtonCreate,    kButtonDelete,      kButtonSave,       kButtonOpen,
    kButtonAdd,          kButtonRemove,    kButtonUp,          kButtonDown,       kTrayIcon,
    kFrameMaximise,
};

}  // namespace mrv::ui::art
