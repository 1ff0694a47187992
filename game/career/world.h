// The career world: every table and value of one game, in one place.
//
// All state lives in fixed-size global tables that exist once per program. Records refer to
// each other by table index, never by pointer, and nothing here is allocated or freed while
// the program runs. The save file writes these records byte for byte, so their layouts are
// pinned below with static_assert (little-endian; reserved bytes carry no meaning).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kBoxerCount = 2500;
constexpr int kFightCount = 10000;
constexpr int kNationCount = 60;        // entries 1..60 used, 0 empty
constexpr int kCategoryCount = 17;      // entries 1..17 used, 1 the heaviest
constexpr int kStableSize = 6;
constexpr int kFirstNameCapacity = 1000;
constexpr int kSurnameCapacity = 6000;
constexpr int kTrainingTypes = 6;       // endurance, quickness, agility, strength, technique, stamina

// manager field values
constexpr int16_t kFree = -1;
constexpr int16_t kPlayer = 0;
constexpr int16_t kRetired = -3;

// Fight.winner of a draw.
constexpr int16_t kDraw = 9999;

// The nation whose boxers go by their first name alone.
constexpr int16_t kFirstNameOnlyNation = 9;

struct Boxer {
  int32_t id;             // own table index, written by the initial ranking sort
  int16_t firstName;      // index into firstNames
  int16_t surname;        // index into surnames; meaningless for nation 9
  int16_t age;
  int16_t height;         // centimetres
  int16_t weight;         // pounds
  int16_t manager;        // kFree, kPlayer or kRetired
  int16_t nation;         // 1..60
  int16_t look;           // 0..4
  int16_t wins;
  int16_t draws;
  int16_t losses;
  int16_t koWins;
  int16_t face;           // 1..38: portrait and 3D model number
  uint8_t rightHanded;
  uint8_t reserved31;
  float strength;
  float endurance;
  float agility;
  float quickness;
  float stamina;
  float charisma;
  float technique;
  int16_t strengthMax;
  int16_t enduranceMax;
  int16_t agilityMax;
  int16_t quicknessMax;
  int16_t staminaMax;
  int16_t charismaMax;
  int16_t techniqueMax;
  int16_t category;       // 1..17
  int16_t rank;           // 1 = champion of the category
  int16_t fame;
  int16_t contractMonths; // months left with the player; 0 for free boxers
  int16_t pursePercent;
  int16_t fitness;        // 1..10
  int16_t morale;         // 1..10 (11 after a talk)
  uint8_t retiring;
  uint8_t reserved89;
  int16_t rankHistory[12];  // newest first
  uint8_t reserved114[2];
};

struct Fight {
  int16_t boxerA;         // the player's boxer; -1 = free record
  int16_t boxerB;
  int16_t month;          // 0..11
  int16_t year;
  int16_t winner;         // boxer index; -1 not fought yet; kDraw
  int16_t koRound;        // -1 unless a count-out
  int16_t stopRound;      // -1 unless a stoppage
  uint8_t unanimous;
  uint8_t reserved15;
  int16_t pointsA;
  int16_t pointsB;
  int16_t purse;
  int16_t rounds;         // 8, 10 or 12
};

struct Nation {
  char longName[30];
  char shortName[4];
  int16_t lightWeight;    // 0..10: likelihood for categories 5..17
  int16_t heavyWeight;    // 0..10: likelihood for categories 1..4
};

struct WeightName {
  char name[20];
  int16_t limitLbs;       // upper bound of the category in pounds
};

struct NameEntry {
  char name[20];
  int16_t group;          // nationality group 1..9; 0 = empty entry
};

// The career values that the save file keeps as one 4,800-byte block. Fields not listed
// here are spare and travel through a save unchanged.
struct Career {
  int32_t earningsTotal;      // all purse money the player kept
  int16_t managerAge;
  int16_t freeSkillPoints;
  float reputation;           // 0.0..9.0
  int16_t stable[kStableSize];  // boxer indices, occupied slots packed at the front, -1 empty
  int16_t managerNation;      // 1..60
  int16_t managerSkills[5];   // training, scouting, motivation, negotiation, fifth
  int16_t monthsInDebt;       // consecutive advances that found cash below zero
  int16_t careerStats[5];     // wins, draws, losses, title fights won, title fights lost
  uint8_t ageWarningShown;
  uint8_t contractWarningShown;
  uint8_t spare[4800 - 50];
};

// Manager skill indices.
enum ManagerSkill { kTrainingSkill = 0, kScoutingSkill, kMotivationSkill, kNegotiationSkill, kFifthSkill };
// careerStats indices.
enum CareerStat { kStatWins = 0, kStatDraws, kStatLosses, kStatTitlesWon, kStatTitlesLost };

// The boxer search filter: one block of 15 values, cleared together.
struct SearchFilter {
  int16_t statMinimum[7];  // strength, agility, endurance, quickness, stamina, technique, charisma
  int16_t searchCategory;  // 0 = any
  int16_t ageMin;
  int16_t winsMin;
  int16_t ageMax;
  int16_t lossesMin;
  int16_t koMin;
  int16_t spare[2];
};

static_assert(sizeof(Boxer) == 116);
static_assert(offsetof(Boxer, firstName) == 4 && offsetof(Boxer, surname) == 6);
static_assert(offsetof(Boxer, age) == 8 && offsetof(Boxer, height) == 10);
static_assert(offsetof(Boxer, weight) == 12 && offsetof(Boxer, manager) == 14);
static_assert(offsetof(Boxer, nation) == 16 && offsetof(Boxer, look) == 18);
static_assert(offsetof(Boxer, wins) == 20 && offsetof(Boxer, draws) == 22);
static_assert(offsetof(Boxer, losses) == 24 && offsetof(Boxer, koWins) == 26);
static_assert(offsetof(Boxer, face) == 28 && offsetof(Boxer, rightHanded) == 30);
static_assert(offsetof(Boxer, strength) == 32 && offsetof(Boxer, endurance) == 36);
static_assert(offsetof(Boxer, agility) == 40 && offsetof(Boxer, quickness) == 44);
static_assert(offsetof(Boxer, stamina) == 48 && offsetof(Boxer, charisma) == 52);
static_assert(offsetof(Boxer, technique) == 56 && offsetof(Boxer, strengthMax) == 60);
static_assert(offsetof(Boxer, enduranceMax) == 62 && offsetof(Boxer, agilityMax) == 64);
static_assert(offsetof(Boxer, quicknessMax) == 66 && offsetof(Boxer, staminaMax) == 68);
static_assert(offsetof(Boxer, charismaMax) == 70 && offsetof(Boxer, techniqueMax) == 72);
static_assert(offsetof(Boxer, category) == 74 && offsetof(Boxer, rank) == 76);
static_assert(offsetof(Boxer, fame) == 78 && offsetof(Boxer, contractMonths) == 80);
static_assert(offsetof(Boxer, pursePercent) == 82 && offsetof(Boxer, fitness) == 84);
static_assert(offsetof(Boxer, morale) == 86 && offsetof(Boxer, retiring) == 88);
static_assert(offsetof(Boxer, rankHistory) == 90 && offsetof(Boxer, reserved114) == 114);

static_assert(sizeof(Fight) == 24);
static_assert(offsetof(Fight, boxerB) == 2 && offsetof(Fight, month) == 4);
static_assert(offsetof(Fight, year) == 6 && offsetof(Fight, winner) == 8);
static_assert(offsetof(Fight, koRound) == 10 && offsetof(Fight, stopRound) == 12);
static_assert(offsetof(Fight, unanimous) == 14 && offsetof(Fight, pointsA) == 16);
static_assert(offsetof(Fight, pointsB) == 18 && offsetof(Fight, purse) == 20);
static_assert(offsetof(Fight, rounds) == 22);

static_assert(sizeof(Nation) == 38);
static_assert(offsetof(Nation, shortName) == 30 && offsetof(Nation, lightWeight) == 34);
static_assert(offsetof(Nation, heavyWeight) == 36);
static_assert(sizeof(WeightName) == 22 && sizeof(NameEntry) == 22);

static_assert(sizeof(Career) == 4800);
static_assert(offsetof(Career, managerAge) == 4 && offsetof(Career, reputation) == 8);
static_assert(offsetof(Career, stable) == 12 && offsetof(Career, managerNation) == 24);
static_assert(offsetof(Career, managerSkills) == 26 && offsetof(Career, monthsInDebt) == 36);
static_assert(sizeof(SearchFilter) == 30);

// ---- The tables ---------------------------------------------------------------------------

extern Boxer boxers[kBoxerCount];
extern Fight fights[kFightCount];
extern Nation nations[kNationCount + 1];

extern WeightName weightNames[kCategoryCount + 1];
extern char weightShortNames[kCategoryCount + 1][22];
extern int16_t categoryFill[kCategoryCount + 1];

extern NameEntry firstNames[kFirstNameCapacity];
extern NameEntry surnames[kSurnameCapacity];
extern int16_t firstNameCount;   // number of the last filled entry
extern int16_t surnameCount;

// ---- The player's career ------------------------------------------------------------------

extern Career career;
extern char managerName[32];
extern int32_t cash;                                  // thousands of dollars
extern int16_t stableCount;
extern uint8_t stableBusy[kStableSize];               // 1 while the slot's boxer has a fight booked
extern uint8_t talkedThisMonth[kStableSize];
extern int16_t trainingPoints[kStableSize];           // points not yet assigned
extern int16_t training[kStableSize][kTrainingTypes];
extern int16_t sponsorAmount[kStableSize];
extern int16_t sponsorBrand[kStableSize];             // 1..6
extern int16_t sponsorMonths[kStableSize];
extern uint8_t sponsorAccepted[kStableSize];
extern int16_t equipmentPrice[4];
extern int16_t equipmentLevel;
extern int16_t staffPrice[3];
extern int16_t staffLevel;
// Books per month index: income rows purses, sponsors, merchandise, history;
// expense rows history, equipment, staff, history.
extern int16_t income[12][4];
extern int16_t expenses[12][4];
extern int16_t recentResults[10];                     // oldest first: 1 win, 2 loss, 3 draw, 0 none
extern SearchFilter searchFilter;

// ---- Calendar -----------------------------------------------------------------------------

extern int32_t month;   // 0..11; 4 when the program starts
extern int32_t year;

// ---- Values the rules set for the screens -------------------------------------------------

extern int16_t popup;          // message window to show; 0 or -1 = none
extern int16_t popupBoxer;     // the boxer a message speaks of
extern uint8_t gameOver;
extern int16_t selectedBoxer;  // the stable boxer the management screens show; -1 = none
extern int16_t currentSlot;    // the stable slot of selectedBoxer
extern int16_t currentFight;   // the Fight record being fought or shown; -1 = none
extern int16_t messagePopup;   // the monthly message pop-up: 0 none, 1..10 its kind
extern int16_t panelSelector;  // the panel shown by the boxer and finances screens

// True while a message waits to be read (popup 0 and -1 mean none).
inline bool popupPending() { return popup > 0; }

// Sounds that the rules ask for; the shell connects them to the sound player.
enum class CareerSound { Click, Refusal };
using CareerSoundHook = void (*)(CareerSound);
void setCareerSoundHook(CareerSoundHook hook);
void playCareerSound(CareerSound sound);
// A refused action changes nothing but the message shown, and sounds the refusal.
void refuse(int message);

// ---- Shared operations --------------------------------------------------------------------

// rand() modulo n: 0..n-1 (for a negative n, 0..|n|-1). n = 0 draws and gives 0.
int randomBelow(int n);
// a + (b - a) * (rand() mod 32767) / 32767.0
float randomFloat(double a, double b);

// The six fighting skills without charisma.
float skillSum6(const Boxer& b);
// The seven skills / 7.0.
float skillAverage(const Boxer& b);
// Integer mean of the six potentials without charismaMax.
int potentialAverage(const Boxer& b);

// A boxer of nation 9 goes by his first name alone.
inline bool hasSurname(const Boxer& b) { return b.nation != kFirstNameOnlyNation; }
const char* firstNameOf(const Boxer& b);
const char* surnameOf(const Boxer& b);   // "" for a boxer without surname
// How a boxer is named: "First Surname", "F. Surname", "Surname F." or the surname alone. A
// boxer without surname (nation 9) goes by his first name in every style.
enum class NameStyle : uint8_t { Full, Initial, SurnameInitial, Surname };
// The boxer's name in a style, into a caller's buffer; never a doubled, leading or trailing space.
void formatBoxerName(const Boxer& b, char* out, int size, NameStyle style = NameStyle::Full);
// Joins a first name and a surname with one space; an empty part, and spaces at either end of
// a part, leave no trace.
void joinName(const char* first, const char* surname, char* out, int size);
// Spaces at the ends of a typed name go, and a run of spaces inside it becomes one.
void tidyName(char* name);
// Formats a text whose first two %s take a first name and a surname (such as "%s %s wins the
// fight!"): the pair becomes the joined name, so that a missing surname leaves no doubled or
// trailing space; the text's further conversions take the arguments after the names.
void formatWithName(char* out, int size, const char* format, const char* first, const char* surname, ...);

// The stable slot holding a boxer, or -1.
int stableSlotOf(int boxer);
// Number of occupied stable slots.
int countStable();
// True for a valid boxer index.
inline bool isBoxer(int index) { return index >= 0 && index < kBoxerCount; }
inline bool isFight(int index) { return index >= 0 && index < kFightCount; }

// Adds one to a 16-bit counter of results (wins, draws, losses, KO wins, the career's
// statistics), which stays at 32767 once there rather than wrapping to -32768.
inline void countResult(int16_t& counter) {
  if (counter < INT16_MAX) ++counter;
}

// Removes a stable slot: later slots move one place forward with all their per-slot values,
// and the freed last slot is reset. Does not touch the boxer record itself.
void removeStableSlot(int slot);
// Resets one stable slot's per-slot values (boxer -1, 25 training points, no training,
// no sponsor, flags cleared).
void clearStableSlot(int slot);
