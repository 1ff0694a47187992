// The boxer screen (screen state 3): one boxer of the stable with his portrait, fight history
// or ranking graph on the left, and his skills, training, personal data or condition and
// contract below; the stable's buttons on the right choose the boxer.
#pragma once

#include <cstdint>

struct Boxer;

// Registers the screen's routines with the screen table.
void installBoxerScreen();

// The left panel: 0 portrait, 1 fight history, 2 ranking graph. The right panel's tab is the
// shared panel selector (1 skills, 2 training, 3 personal data, 4 condition).
extern int16_t leftPanel;
// When the turning figure last moved (engine milliseconds).
extern uint32_t lastPortraitTurn;

// ---- What the panels show, computed from the world ------------------------------------------

// The portraits a boxer's face (1..kFaceCount) picks: the skin the turning figure wears with
// OpenGL, the photo shown with the software renderer.
constexpr int kFaceCount = 38;
// "data\gfx\boxer07.jpg" (skin) or "data\gfx\xboxer07.jpg" (photo).
void facePictureName(int face, bool photo, char* out, int size);

constexpr int kHistoryRows = 9;

// One listed fight of the history panel: the heading line, the result line and its band.
struct HistoryRow {
  int fight;             // index into the fight table
  char heading[128];     // "(Mar/2008) vs. J. Smith"
  char result[64];       // "VICTORY by K.O. at 3 round"
  float band[4];         // colour and opacity of the band behind the result line
};

// The fought fights of a boxer as the history panel lists them: newest table entries first,
// at most kHistoryRows. Returns how many rows were written.
int boxerHistory(int boxer, HistoryRow rows[kHistoryRows]);

// The bar colour of month k (0 the latest .. 11) of the ranking graph.
enum class RankBar { None, Gray, Green, Red };
RankBar rankBarColour(const Boxer& b, int k);

// Pounds written as kilograms: "69.9 kgs" for 154.
void formatKilograms(int pounds, char* out, int size);

// The scouting factor: how much of a boxer's potential the manager can see.
float scoutingFactor(int scouting);
