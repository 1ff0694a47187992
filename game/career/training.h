// Training, finances and sponsors: the training panel and the finances screen's rules.
#pragma once

#include <cstdint>

extern int16_t financePage;      // 0 equipment, 1 advertising (sponsors), 2 staff
extern int16_t equipmentChoice;  // level shown on the equipment page, 0..3
extern int16_t staffChoice;      // level shown on the staff page, 0..2
extern int16_t sponsorSlot;      // stable slot whose offer the advertising page shows

// Training types, in the order the month advance trains them.
enum TrainingType { kTrainEndurance = 0, kTrainQuickness, kTrainAgility, kTrainStrength,
                    kTrainTechnique, kTrainStamina };

// The training panel of the selected boxer's slot. Refused steps return false.
bool addTraining(int type);
bool removeTraining(int type);
void resetTraining();

// Days of the current calendar month.
int daysInMonth();

// The finances screen.
void financePageBack();
void financePageForward();
void financePrevious();
void financeNext();
bool financeConfirm();
bool financeConfirmEnabled();
// Entry of the finances screen: the page, the choices shown and the panel selector.
void openFinancesScreen();

// The books as the finances screen's tables show them: table 1 income, 2 expenses,
// 3 balance (income minus expenses), row 0..3 of a month index.
int financeValue(int table, int row, int monthIndex);
int financeTotal(int table, int monthIndex);
// The month shown beside the current one: the previous month index (11 before 0).
int previousMonthIndex();
