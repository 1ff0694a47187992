// The hotspot table every screen fills on entry: rectangles that light up under the mouse and
// react to clicks, and the small layout files some screens read them from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Hotspot {
  int16_t srcX, srcY;       // the highlight image in the hotspot's picture
  int16_t width, height;    // of the hotspot and of its highlight image
  int16_t x, y;             // on the screen
  int16_t state;            // -1 inactive; 0 active, no highlight; 1+ active and highlighted
  int16_t highlightMode;    // 1 opaque copy, 2 with alpha, 4 with alpha mirrored; else nothing
  int16_t pictureSlot;      // 0..99
  uint8_t spare[6];         // kept with the record, never interpreted
};
static_assert(sizeof(Hotspot) == 24);

constexpr int kHotspotTableSize = 50;

extern Hotspot hotspots[kHotspotTableSize];
extern int16_t hotspotCount;   // one more than the hotspots in use (index 0 is never tested)
extern int16_t hovered;        // the hotspot under the mouse, 0 = none
extern int16_t lastHovered;    // the last non-zero hovered; -1 after a screen entry
extern uint8_t mouseDown;
extern int16_t mouseX, mouseY;

void setHotspot(int index, int srcX, int srcY, int width, int height, int x, int y, int state,
                int highlightMode, int pictureSlot);

// The six tabs of the career screens as hotspots 1..6 (height 75 or 76).
void setTabBarHotspots(int height = 75);

// A screen entry starts from a table of inactive hotspots and nothing hovered.
void resetHotspots();

// Inclusive bounds.
inline bool pointInRect(int px, int py, int x1, int y1, int x2, int y2) {
  return px >= x1 && px <= x2 && py >= y1 && py <= y2;
}

// The first active hotspot 1 .. hotspotCount - 1 under a point, or 0.
int hotspotAt(int px, int py);

// The hover step of the input pass for a mouse position; true when the hover sound is due
// (the mouse came onto a hotspot other than the last one it was on).
bool updateHover(int px, int py);

// Layout files "data\GUI<n>": hotspotCount records of 24 bytes, stored in text mode (each
// 0x0A byte preceded by 0x0D; a 0x1A byte ends the text).
// Decodes stored bytes into records 0 .. count - 1; returns how many whole records were read.
int decodeLayout(const uint8_t* bytes, size_t size, int count);
// The stored form of records 0 .. count - 1.
std::vector<uint8_t> encodeLayout(int count);
// Reads "data\GUI<n>" into the table; a missing file leaves the table as it was.
bool readLayoutFile(int number);
// The layout files the screens read, with the records each screen takes from its file (its
// hotspotCount; record 0 is never used): GUI1 the main menu's, GUI2 the new-manager screen's.
struct LayoutFile {
  int number;
  int records;
};
constexpr LayoutFile kLayoutFiles[] = {{1, 5}, {2, 4}};
// "data\GUI<n>".
void layoutFileName(int number, char* out, int size);
// Writes the table's hotspotCount records to "data\GUI<n>".
bool writeLayoutFile(int number);
