// The advisor's window: a fixed layout of labels, read-only fields and buttons, each control
// at its own rectangle and number, with the logo on the left and a status bar below.
#pragma once

#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <string>

#include "core/query.h"
#include "ui/layout.h"

namespace vantorel {

// The area inside the window (kWindowWidth x kWindowHeight, frame and title bar included) that
// holds the controls and the status bar: a 3-pixel fixed frame on every side and a 19-pixel
// title bar, as on the desktop the layout was drawn for. The window draws that frame and title
// bar itself.
inline constexpr int kFrameWidth = 3;
inline constexpr int kTitleBarHeight = 19;
inline constexpr int kClientWidth = kWindowWidth - 2 * kFrameWidth;
inline constexpr int kClientHeight = kWindowHeight - 2 * kFrameWidth - kTitleBarHeight;
// The title bar holds the window's small icon on the left and a close button on the right: no
// minimise or maximise button.
inline constexpr char kTitleBarLayout[] = ":close";
// The style class that the window's frame rules select.
inline constexpr char kFrameStyleClass[] = "vantorel-frame";

// Gives a window of the advisor (the main window, the consent box, the apology box) the title bar
// it draws itself: the small icon, the caption and a close button, fixed size, no frame of the
// window manager's (which may keep minimise and maximise buttons on a dialog).
void giveOwnTitleBar(GtkWindow* window, const char* title);
// A modal message box with that caption and text over `parent` (or centred on the screen): Yes
// and No, or OK. Closing it with its title bar's button answers GTK_RESPONSE_DELETE_EVENT.
GtkWidget* makeMessageBox(GtkWindow* parent, const char* caption, const char* text, bool yesNo);

class AdvisorWindow {
 public:
  using OpenPage = std::function<void(GtkWindow* parent, const std::string& address)>;
  // Shows a message over the window (the apology for "nores").
  using Message = std::function<void(const char* text)>;

  // Builds the window (not shown yet) for the given database server, card and system
  // version. The buttons hand their page addresses to `openPage`.
  AdvisorWindow(std::string server, std::string card, std::string os, OpenPage openPage);
  ~AdvisorWindow();
  AdvisorWindow(const AdvisorWindow&) = delete;
  AdvisorWindow& operator=(const AdvisorWindow&) = delete;

  // Shows the window with no control focused: the card field's text is not selected.
  void show();

  GtkWidget* window() const { return window_; }
  // The control with that number; nullptr for an unknown one.
  GtkWidget* control(int id) const;
  // The text of a field, label or button.
  std::string text(int id) const;

  // What the answer means on screen: the apology through `message` for "nores" and for a
  // missing website (then the retry advice), the four fields for a found card.
  void showOutcome(const QueryOutcome& outcome, const Message& message);

 private:
  void setField(int id, const std::string& text);
  static void onButton(GtkButton* button, gpointer self);

  std::string server_, card_, os_;
  OpenPage openPage_;
  GtkWidget* window_ = nullptr;
  std::map<int, GtkWidget*> controls_;
};

}  // namespace vantorel
