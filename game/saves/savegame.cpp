#include "saves/savegame.h"


#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "career/contracts.h"
#include "career/generation.h"
#include "career/messages.h"
#include "career/rankings.h"
#include "career/training.h"
#include "career/world.h"
#include "saves/preferences.h"
#include "tools/KTools.h"
#include "ui/session.h"
#include "ui/texttable.h"

char slotDescriptions[kSaveSlots][kSlotDescriptionSize];
SlotState slotStates[kSaveSlots];

namespace {

// Bytes the file keeps for values that have no meaning here, so they travel unchanged.
uint8_t spareAfterSponsors[6];
uint8_t spareAfterBusy[2];

// One block of the file: where it lies, how long it is and where its bytes live.
struct Block {
  size_t offset;
  size_t size;
  void* data;
};

// Blocks 2 to 40 in file order (the description, block 1, is written separately; blocks 24,
// 29 and 34 are put together from several values).
std::vector<Block> plainBlocks() {
  return {
      {255, 2, &stableCount},
      {257, 4, &cash},
      {261, 4, &month},
      {265, 4, &year},
      {269, 32, managerName},
      {301, 2, &selectedBoxer},
      {303, 2, &panelSelector},
      {305, 72, training},
      {377, 2, &currentSlot},
      {379, 12, trainingPoints},
      {391, 14, searchFilter.statMinimum},
      {405, 5000, searchResults},
      {5405, 2, &searchLast},
      {5407, 96, income},
      {5503, 96, expenses},
      {5599, 2, &equipmentChoice},
      {5601, 2, &staffChoice},
      {5603, 8, equipmentPrice},
      {5611, 6, staffPrice},
      {5617, 12, sponsorAmount},
      {5629, 12, sponsorBrand},
      {5641, 12, sponsorMonths},
      {5653, 6, sponsorAccepted},
      {5659, 6, spareAfterSponsors},
      {5665, 2, &staffLevel},
      {5667, 2, &equipmentLevel},
      {5669, 2, &shownCategory},
      {5671, 200, rankingList},
      {5871, 6, stableBusy},
      {5877, 2, spareAfterBusy},
      {5879, 4, searchResults},  // the first two results again
      {5883, 1, &onlyUnranked},
      {5884, 1, &onlyAffordable},
      {5885, 2, &candidate},
      {5887, 2, &scheduledFight},
      {5889, 2, nullptr},  // the low half of earningsTotal
      {5891, 1, &profilePanel},
      {5892, 6, talkedThisMonth},
      {5898, 4800, &career},
      {10698, 290000, boxers},
      {300698, 240000, fights},
      {540698, 20, recentResults},
  };
}

static_assert(sizeof(boxers) == 290000 && sizeof(fights) == 240000);
static_assert(sizeof(training) == 72 && sizeof(income) == 96 && sizeof(rankingList) == 200);
static_assert(sizeof(searchResults) == 5000 && sizeof(career) == 4800);

template <typename T>
void clampValue(T& v, long lo, long hi) {
  if (v < lo) v = T(lo);
  if (v > hi) v = T(hi);
}

void clampFloat(float& v, float lo, float hi) {
  if (!std::isfinite(v)) v = lo;
  if (v < lo) v = lo;
  if (v > hi) v = hi;
}

}  // namespace

void formatSlotDescription(char* out, size_t size) {
  char name[sizeof managerName + 1] = {};
  std::memcpy(name, managerName, sizeof managerName);
  const char* monthName = month >= 0 && month < 12 ? monthNames[month] : "";
  std::snprintf(out, size, "%s (%s %d)", name, monthName, int(year));
}

void buildSaveImage(uint8_t* image) {
  std::memset(image, 0, kSaveFileSize);
  formatSlotDescription(reinterpret_cast<char*>(image), kSlotDescriptionSize);
  image[kSlotDescriptionSize - 1] = 0;
  for (const Block& b : plainBlocks()) {
    if (b.data) {
      std::memcpy(image + b.offset, b.data, b.size);
    } else {
      uint16_t low = uint16_t(uint32_t(career.earningsTotal) & 0xFFFF);
      std::memcpy(image + b.offset, &low, 2);
    }
  }
}

void loadSaveImage(const uint8_t* image, size_t size) {
  // Blocks are read in order; the last one may be cut short by the end of the data.
  for (const Block& b : plainBlocks()) {
    if (b.offset >= size) break;
    size_t n = b.size < size - b.offset ? b.size : size - b.offset;
    if (b.data) {
      std::memcpy(b.data, image + b.offset, n);
    } else if (n == 2) {
      // The career block keeps the whole total; this block repeats its low half.
      uint16_t low;
      std::memcpy(&low, image + b.offset, 2);
      career.earningsTotal = int32_t((uint32_t(career.earningsTotal) & 0xFFFF0000u) | low);
    }
  }
  repairLoadedWorld();
}

void repairLoadedWorld() {
  // Calendar and career values.
  clampValue(month, 0, 11);
  clampValue(year, 1, 30000);
  managerName[sizeof managerName - 1] = 0;
  clampValue(career.managerAge, 16, 120);
  clampValue(career.managerNation, 1, kNationCount);
  for (int16_t& s : career.managerSkills) clampValue(s, 0, 999);
  clampValue(career.freeSkillPoints, 0, 999);
  clampFloat(career.reputation, 0.0f, 9.0f);
  clampValue(career.monthsInDebt, 0, 6);
  for (int16_t& s : career.careerStats) clampValue(s, 0, 32767);
  for (int16_t& r : recentResults) clampValue(r, 0, 3);

  // Boxers.
  for (Boxer& b : boxers) {
    clampValue(b.firstName, 0, firstNameCount);
    clampValue(b.surname, 0, surnameCount);
    clampValue(b.age, 16, 99);
    clampValue(b.nation, 1, kNationCount);
    clampValue(b.category, 1, kCategoryCount);
    clampValue(b.look, 0, 4);
    clampValue(b.face, 1, 38);
    clampValue(b.rank, 1, 199);
    clampValue(b.fitness, 1, 10);
    clampValue(b.morale, 1, 11);
    clampValue(b.pursePercent, 0, 100);
    clampValue(b.wins, 0, 32767);
    clampValue(b.draws, 0, 32767);
    clampValue(b.losses, 0, 32767);
    clampValue(b.koWins, 0, 32767);
    if (b.manager != kFree && b.manager != kPlayer && b.manager != kRetired) b.manager = kFree;
    for (float* s : {&b.strength, &b.endurance, &b.agility, &b.quickness, &b.stamina, &b.charisma,
                     &b.technique})
      clampFloat(*s, -1000.0f, 1000.0f);
    for (int16_t* m : {&b.strengthMax, &b.enduranceMax, &b.agilityMax, &b.quicknessMax,
                       &b.staminaMax, &b.charismaMax, &b.techniqueMax})
      clampValue(*m, 0, 999);
    for (int16_t& h : b.rankHistory) clampValue(h, 1, 199);
    b.retiring = b.retiring ? 1 : 0;
    b.rightHanded = b.rightHanded ? 1 : 0;
  }

  // The stable: real boxers of the player, each once, packed at the front.
  int16_t kept[kStableSize];
  int n = 0;
  for (int s = 0; s < kStableSize; ++s) {
    int16_t i = career.stable[s];
    bool valid = isBoxer(i) && boxers[i].manager == kPlayer;
    for (int k = 0; k < n && valid; ++k) valid = kept[k] != i;
    if (valid) {
      kept[n++] = i;
    } else if (i != -1) {
      career.stable[s] = -1;
    }
  }
  for (int s = kStableSize - 1; s >= 0; --s)
    if (career.stable[s] == -1) {
      // Move the later slots forward so the occupied ones stay packed.
      bool laterOccupied = false;
      for (int k = s + 1; k < kStableSize; ++k) laterOccupied |= career.stable[k] != -1;
      if (laterOccupied) removeStableSlot(s);
    }
  for (Boxer& b : boxers)
    if (b.manager == kPlayer && stableSlotOf(int(&b - boxers)) < 0) b.manager = kFree;
  stableCount = int16_t(countStable());
  for (int s = 0; s < kStableSize; ++s) {
    clampValue(trainingPoints[s], 0, 99);
    for (int16_t& t : training[s]) clampValue(t, 0, 9);
    clampValue(sponsorBrand[s], 0, 6);
    clampValue(sponsorMonths[s], 0, 99);
    sponsorAccepted[s] = sponsorAccepted[s] ? 1 : 0;
    stableBusy[s] = stableBusy[s] ? 1 : 0;
    talkedThisMonth[s] = talkedThisMonth[s] ? 1 : 0;
  }
  if (stableSlotOf(selectedBoxer) < 0) selectedBoxer = -1;
  if (selectedBoxer >= 0) currentSlot = int16_t(stableSlotOf(selectedBoxer));
  clampValue(currentSlot, 0, kStableSize - 1);

  // Fights: a record names two boxers or is free.
  for (Fight& f : fights) {
    if (f.boxerA == -1) continue;
    if (!isBoxer(f.boxerA) || !isBoxer(f.boxerB)) {
      f.boxerA = -1;
      continue;
    }
    clampValue(f.month, 0, 11);
    if (f.winner != -1 && f.winner != kDraw && f.winner != f.boxerA && f.winner != f.boxerB) f.winner = -1;
    if (f.rounds != 8 && f.rounds != 10 && f.rounds != 12) clampValue(f.rounds, 8, 12);
    if (f.koRound != -1) clampValue(f.koRound, 1, 12);
    if (f.stopRound != -1) clampValue(f.stopRound, 1, 12);
    clampValue(f.purse, 0, 32767);
    f.unanimous = f.unanimous ? 1 : 0;
  }

  // The screens' selections and lists.
  clampValue(searchLast, -1, kBoxerCount - 1);
  for (int16_t& r : searchResults) clampValue(r, 0, kBoxerCount - 1);
  clampValue(searchPage, 0, searchLast < 0 ? 0 : searchLast);
  for (int16_t& s : searchFilter.statMinimum) clampValue(s, 0, 99);
  if (!isBoxer(candidate) || boxers[candidate].manager == kPlayer) candidate = -1;
  if (!isFight(scheduledFight)) scheduledFight = -1;
  clampValue(shownCategory, 1, kCategoryCount);
  for (int16_t& r : rankingList)
    if (!isBoxer(r)) r = -1;
  clampValue(equipmentLevel, 0, 3);
  clampValue(equipmentChoice, 0, 3);
  clampValue(staffLevel, 0, 2);
  clampValue(staffChoice, 0, 2);
  clampValue(panelSelector, 1, 4);
  onlyUnranked = onlyUnranked ? 1 : 0;
  onlyAffordable = onlyAffordable ? 1 : 0;
  profilePanel = profilePanel ? 1 : 0;
  popup = 0;
  gameOver = 0;
}

const char* slotFilePath(int slot) {
  if (slot < 0 || slot >= kSaveSlots) return "";
  char name[16];
  std::snprintf(name, sizeof name, "slot%d", slot);
  return userFile(name);
}

bool saveSlot(int slot) {
  if (slot < 0 || slot >= kSaveSlots) return false;
  // A finished career is not saved: the only way on from it is the main menu.
  if (gameOver || !worldReady()) return false;
  static uint8_t image[kSaveFileSize];
  buildSaveImage(image);
  const std::string path = slotFilePath(slot);
  if (!path.empty() && KTools::WriteFileAtomically(path.c_str(), image, kSaveFileSize)) return true;
  // The folder the game tried, and what the system said.
  std::string reason = path.empty() ? "the folder cannot be made" : KTools::LastFileError();
  if (reason.empty()) reason = "the file could not be written";
  std::string folder = path.empty() ? std::string(KTools::GetUserDataFolder()) : path;
  auto separator = [](char c) { return c == '/' || c == '\\'; };
  if (path.empty()) {
    while (folder.size() > 1 && separator(folder.back())) folder.pop_back();
    folder += "/Brawnmoor";
    std::vector<char> converted(folder.begin(), folder.end());
    converted.push_back(0);
    KTools::ConvertSlashes(converted.data());
    folder = converted.data();
  } else {
    while (!folder.empty() && !separator(folder.back())) folder.pop_back();
    if (folder.size() > 1) folder.pop_back();
  }
  showMessage(kMessageSaveFailed, reason.c_str(), folder.c_str());
  return false;
}

SlotState readSlotState(int slot, char* description) {
  const char* path = slotFilePath(slot);
  if (!path[0]) return SlotState::Empty;
  // Anything in a slot's place that is not a whole save is damaged, and left as it is.
  char text[kSlotDescriptionSize] = {};
  size_t got = 0;
  uint64_t length = 0;
  switch (KTools::ReadRegularFile(path, text, sizeof text, &got, &length)) {
    case KTools::FileRead::Missing: return SlotState::Empty;
    case KTools::FileRead::Refused: return SlotState::Damaged;
    case KTools::FileRead::Read: break;
  }
  if (length != kSaveFileSize || got != sizeof text || !std::memchr(text, 0, sizeof text)) return SlotState::Damaged;
  if (description) std::memcpy(description, text, sizeof text);
  return SlotState::Saved;
}

bool loadSlot(int slot, SlotState* state) {
  if (state) *state = SlotState::Empty;
  if (slot < 0 || slot >= kSaveSlots) return false;
  const char* path = slotFilePath(slot);
  if (!path[0]) return false;
  static uint8_t image[kSaveFileSize];
  size_t got = 0;
  uint64_t length = 0;
  const KTools::FileRead read = KTools::ReadRegularFile(path, image, kSaveFileSize, &got, &length);
  if (read == KTools::FileRead::Missing) return false;
  if (state) *state = SlotState::Damaged;
  if (read != KTools::FileRead::Read || length != kSaveFileSize || got != kSaveFileSize ||
      !std::memchr(image, 0, kSlotDescriptionSize))
    return false;
  if (state) *state = SlotState::Saved;
  loadSaveImage(image, kSaveFileSize);
  return true;
}

void listSlots() {
  for (int slot = 0; slot < kSaveSlots; ++slot) {
    char* d = slotDescriptions[slot];
    std::memset(d, 0, kSlotDescriptionSize);
    slotStates[slot] = readSlotState(slot, d);
    if (slotStates[slot] == SlotState::Empty) std::snprintf(d, kSlotDescriptionSize, "Empty Savegame Slot");
    if (slotStates[slot] == SlotState::Damaged) std::memset(d, 0, kSlotDescriptionSize);
    d[kSlotDescriptionSize - 1] = 0;
  }
}
