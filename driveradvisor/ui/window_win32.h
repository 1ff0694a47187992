// The advisor's window on Windows: the "Driver Setup" window class with standard controls at
// their numbers and rectangles (client coordinates), the logo bitmap, and the common-controls
// status bar along the bottom.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/query.h"
#include "ui/layout.h"

namespace vantorel {

// The window's styles: a caption and a system menu only (no resizing, no maximise box).
inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
// Posted to the window when the query has ended; lParam points to its QueryOutcome.
inline constexpr UINT kQueryDoneMessage = WM_APP + 1;

class AdvisorWindow {
 public:
  using OpenPage = std::function<void(HWND parent, const std::string& address)>;
  using Message = std::function<void(HWND parent, const char* text)>;

  // Registers the window class (once) and creates the window, not shown yet, for the given
  // database server, card and system version. The buttons hand their page addresses to
  // `openPage`; the apology goes through `message`. The status bar shows the notice and, when
  // known, the installed driver's version.
  AdvisorWindow(std::string server, std::string card, std::string os, std::string driverVersion, OpenPage openPage,
                Message message);
  ~AdvisorWindow();
  AdvisorWindow(const AdvisorWindow&) = delete;
  AdvisorWindow& operator=(const AdvisorWindow&) = delete;

  void show();
  HWND window() const { return window_; }
  // The control with that number; nullptr for an unknown one.
  HWND control(int id) const { return GetDlgItem(window_, id); }
  // The text of a field, label or button.
  std::string text(int id) const;
  // The logo as the picture control shows it (blended onto the button-face colour).
  HBITMAP logo() const { return logo_; }

  // What the answer means on screen: the apology for "nores" and for a missing website (then
  // the retry advice), the four fields and Visit for a found card.
  void showOutcome(const QueryOutcome& outcome);

  // Called after an outcome that came as kQueryDoneMessage has been shown (whichever message
  // loop dispatched it).
  void setOutcomeShown(std::function<void(const QueryOutcome&)> shown) { shown_ = std::move(shown); }

  // The window procedure's work, for the window of the class.
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void createControls();
  void onCommand(int id);

  std::string server_, card_, os_, driverVersion_;
  OpenPage openPage_;
  Message message_;
  std::function<void(const QueryOutcome&)> shown_;
  HWND window_ = nullptr;
  HBITMAP logo_ = nullptr;
};

// The logo bitmap resource "LOGOVIDEOCARD" (32 bits a pixel, premultiplied alpha) blended onto
// `background`: a 24-bit bitmap of its size; nullptr when the resource is missing.
HBITMAP loadLogo(HINSTANCE instance, COLORREF background);

}  // namespace vantorel
