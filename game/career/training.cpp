#include "career/training.h"

#include "career/world.h"

int16_t financePage;
int16_t equipmentChoice;
int16_t staffChoice;
int16_t sponsorSlot;

namespace {
int selectedSlot() { return stableSlotOf(selectedBoxer); }
}  // namespace

bool addTraining(int type) {
  int s = selectedSlot();
  if (s < 0 || type < 0 || type >= kTrainingTypes) return false;
  if (training[s][type] >= 9 || trainingPoints[s] <= 0) return false;
  training[s][type]++;
  trainingPoints[s]--;
  return true;
}

bool removeTraining(int type) {
  int s = selectedSlot();
  if (s < 0 || type < 0 || type >= kTrainingTypes) return false;
  if (training[s][type] <= 0) return false;
  training[s][type]--;
  trainingPoints[s]++;
  return true;
}

void resetTraining() {
  int s = selectedSlot();
  if (s < 0) return;
  for (int t = 0; t < kTrainingTypes; ++t) training[s][t] = 0;
  trainingPoints[s] = int16_t(daysInMonth());
}

int daysInMonth() {
  switch (month) {
    case 1: {
      // The calendar's own leap years.
      bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
      return leap ? 29 : 28;
    }
    case 3: case 5: case 8: case 10: return 30;
    default: return 31;
  }
}

namespace {
int wrap(int value, int count) { return ((value % count) + count) % count; }
int sponsorSlots() { return stableCount > 0 ? stableCount : 1; }
}  // namespace

void financePageBack() { financePage = int16_t(wrap(financePage - 1, 3)); }
void financePageForward() { financePage = int16_t(wrap(financePage + 1, 3)); }

void financePrevious() {
  if (financePage == 0) equipmentChoice = int16_t(wrap(equipmentChoice - 1, 4));
  else if (financePage == 1) sponsorSlot = int16_t(wrap(sponsorSlot - 1, sponsorSlots()));
  else staffChoice = int16_t(wrap(staffChoice - 1, 3));
}

void financeNext() {
  if (financePage == 0) equipmentChoice = int16_t(wrap(equipmentChoice + 1, 4));
  else if (financePage == 1) sponsorSlot = int16_t(wrap(sponsorSlot + 1, sponsorSlots()));
  else staffChoice = int16_t(wrap(staffChoice + 1, 3));
}

bool financeConfirmEnabled() {
  switch (financePage) {
    case 0: return equipmentChoice != equipmentLevel;
    case 1:
      return sponsorSlot >= 0 && sponsorSlot < kStableSize && !sponsorAccepted[sponsorSlot] &&
             sponsorAmount[sponsorSlot] > 0 && sponsorMonths[sponsorSlot] > 0;
    default: return staffChoice != staffLevel;
  }
}

bool financeConfirm() {
  if (!financeConfirmEnabled() || month < 0 || month > 11) {
    playCareerSound(CareerSound::Refusal);
    return false;
  }
  switch (financePage) {
    case 0:
      equipmentLevel = equipmentChoice;
      expenses[month][1] = equipmentPrice[equipmentLevel];
      break;
    case 1:
      sponsorAccepted[sponsorSlot] = 1;
      income[month][1] = int16_t(income[month][1] + sponsorAmount[sponsorSlot]);
      cash += sponsorAmount[sponsorSlot];
      break;
    default:
      staffLevel = staffChoice;
      expenses[month][2] = staffPrice[staffLevel];
      break;
  }
  playCareerSound(CareerSound::Click);
  return true;
}

void openFinancesScreen() {
  panelSelector = 1;
  financePage = 0;
  if (equipmentChoice < 0 || equipmentChoice > 3) equipmentChoice = equipmentLevel;
  if (staffChoice < 0 || staffChoice > 2) staffChoice = staffLevel;
  if (sponsorSlot < 0 || sponsorSlot >= sponsorSlots()) sponsorSlot = 0;
}

int previousMonthIndex() { return month == 0 ? 11 : month - 1; }

int financeValue(int table, int row, int monthIndex) {
  if (row < 0 || row > 3 || monthIndex < 0 || monthIndex > 11) return 0;
  switch (table) {
    case 1: return income[monthIndex][row];
    case 2: return expenses[monthIndex][row];
    default: return income[monthIndex][row] - expenses[monthIndex][row];
  }
}

int financeTotal(int table, int monthIndex) {
  int total = 0;
  for (int row = 0; row < 4; ++row) total += financeValue(table, row, monthIndex);
  return total;
}
