// The advisor's window: a fixed layout of labels, read-only fields and buttons, each control
// at its own rectangle and number, with the logo on the left and a status bar below.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <functional>
#include <map>
#include <string>

#include "core/query.h"

namespace vantorel {

enum ControlId {
  kCardField = 100,
  kManufacturerField = 101,
  kWebsiteField = 102,
  kDescriptionField = 103,
  kAdviceField = 104,
  kVisitButton = 106,
  kDownloadField = 107,
  kDownloadButton = 108,
  kLogoPicture = 109,
  kDirectXButton = 110,
  kUpdateButton = 111,
  kStatusBar = 113,
  kNoId = -1,  // labels
};

enum class ControlKind { Picture, Label, Field, SunkenField, Button };

struct Rect {
  int x, y, width, height;
};

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* text;
  Rect rect;
};

inline constexpr std::array<ControlSpec, 17> kControls{{
    {kLogoPicture, ControlKind::Picture, "", {12, 25, 135, 99}},
    {kNoId, ControlKind::Label, "Installed Video Card:", {160, 10, 200, 15}},
    {kCardField, ControlKind::SunkenField, "", {160, 26, 200, 20}},
    {kNoId, ControlKind::Label, "Description:", {380, 10, 250, 15}},
    {kDescriptionField, ControlKind::Field, "", {380, 26, 250, 20}},
    {kNoId, ControlKind::Label, "Manufacturer:", {160, 50, 200, 15}},
    {kManufacturerField, ControlKind::Field, "", {160, 66, 200, 20}},
    {kNoId, ControlKind::Label, "Manufacturer Driver Website", {160, 90, 400, 15}},
    {kWebsiteField, ControlKind::Field, "", {160, 106, 400, 20}},
    {kVisitButton, ControlKind::Button, "Visit", {570, 106, 60, 20}},
    {kNoId, ControlKind::Label, "Advice:", {160, 130, 400, 15}},
    {kAdviceField, ControlKind::Field, "", {160, 146, 400, 20}},
    {kDirectXButton, ControlKind::Button, "Get Direct-X", {12, 146, 135, 20}},
    {kNoId, ControlKind::Label, "Direct Download:", {160, 180, 400, 15}},
    {kDownloadField, ControlKind::Field, "Not available in this version", {160, 196, 400, 20}},
    {kDownloadButton, ControlKind::Button, "Download", {570, 196, 60, 20}},
    {kUpdateButton, ControlKind::Button, "Check For Update", {12, 196, 135, 20}},
}};

inline constexpr char kWindowTitle[] = "Vantorel 1.0";
inline constexpr char kWindowClass[] = "Driver Setup";
inline constexpr int kWindowX = 50;
inline constexpr int kWindowY = 50;
// The window's outer size, frame and title bar included, ...
inline constexpr int kWindowWidth = 650;
inline constexpr int kWindowHeight = 270;
// ... and the area inside it that holds the controls and the status bar: a 3-pixel fixed
// frame on every side and a 19-pixel title bar, as on the desktop the layout was drawn for.
// The window draws that frame and title bar itself.
inline constexpr int kFrameWidth = 3;
inline constexpr int kTitleBarHeight = 19;
inline constexpr int kClientWidth = kWindowWidth - 2 * kFrameWidth;
inline constexpr int kClientHeight = kWindowHeight - 2 * kFrameWidth - kTitleBarHeight;
// The title bar holds the window's small icon on the left and a close button on the right: no
// minimise or maximise button.
inline constexpr char kTitleBarLayout[] = ":close";
// The style class that the window's frame rules select.
inline constexpr char kFrameStyleClass[] = "vantorel-frame";

inline constexpr char kStatusNotice[] = "Driver advice from the Online Quenndal Driver Database (OQDD)";

class AdvisorWindow {
 public:
  using OpenPage = std::function<void(GtkWindow* parent, const std::string& address)>;

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
  void showOutcome(const QueryOutcome& outcome, const std::function<void(const char*)>& message);

 private:
  void setField(int id, const std::string& text);
  static void onButton(GtkButton* button, gpointer self);

  std::string server_, card_, os_;
  OpenPage openPage_;
  GtkWidget* window_ = nullptr;
  std::map<int, GtkWidget*> controls_;
};

}  // namespace vantorel
