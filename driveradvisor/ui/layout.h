// The advisor's window as both systems build it: the controls with their numbers, kinds, texts
// and rectangles (client coordinates), the window's class, title, place and size, the texts of
// the questions and notices, and what an answer and a button mean on screen. No window system
// here: the GTK window (ui/window.cpp) and the Win32 window (ui/window_win32.cpp) build on it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
// The window's outer size, frame and title bar included.
inline constexpr int kWindowWidth = 650;
inline constexpr int kWindowHeight = 270;

inline constexpr char kStatusNotice[] = "Driver advice from the Online Quenndal Driver Database (OQDD)";

inline constexpr char kConsentCaption[] = "Important notice";
// The caption of the apology box: what Windows titles a message box given no caption of its own.
inline constexpr char kErrorCaption[] = "Error";
inline constexpr char kConsentText[] =
    "This applications must connect to the internet in order to proceed.\n"
    "It will send your video card name and Operating system name  to the Online Quenndal Driver "
    "Database (OQDD).\n"
    "Do you agree ? ( No will quit the program immediately)";

// What an outcome changes in the window: the apology message first (when asked for), then the
// fields, then the Visit button.
struct OutcomeView {
  bool apology = false;
  std::vector<std::pair<int, std::string>> fields;  // control number, text
  bool enableVisit = false;
};
OutcomeView viewOf(const QueryOutcome& outcome);

// The page a button opens in the browser: Visit the manufacturer page for the card and system,
// Get Direct-X the DirectX page, Check For Update the database's help page. Empty for any
// other control.
std::string pageFor(int control, std::string_view server, std::string_view card, std::string_view os);

}  // namespace vantorel
