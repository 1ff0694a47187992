#include "career/training.h"

#include "career/messages.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career_fixture.h"

namespace {

class Training : public CareerTest {};

TEST_F(Training, PointsMoveBetweenPoolAndTypes) {
  select(0);
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(addTraining(kTrainStrength));
  EXPECT_FALSE(addTraining(kTrainStrength));  // at most 9 per type
  for (int t : {kTrainEndurance, kTrainQuickness}) while (addTraining(t)) {}
  EXPECT_EQ(trainingPoints[0], 0);
  EXPECT_EQ(training[0][kTrainEndurance] + training[0][kTrainQuickness] + 9, 25);
  EXPECT_FALSE(addTraining(kTrainStamina));  // the pool is empty
  EXPECT_TRUE(removeTraining(kTrainStrength));
  EXPECT_EQ(trainingPoints[0], 1);
  EXPECT_FALSE(removeTraining(kTrainStamina));
  EXPECT_FALSE(addTraining(6));
  selectedBoxer = -1;
  EXPECT_FALSE(addTraining(kTrainStamina));
}

TEST_F(Training, ResetGivesThePoolOfTheMonthsDays) {
  select(0);
  addTraining(kTrainAgility);
  month = 1;
  year = 2008;
  resetTraining();
  EXPECT_EQ(trainingPoints[0], 29);
  EXPECT_EQ(training[0][kTrainAgility], 0);
  year = 2076;  // a leap year too
  EXPECT_EQ(daysInMonth(), 29);
  year = 2100;
  EXPECT_EQ(daysInMonth(), 28);
  year = 2000;  // the calendar's own rule, beyond the years 2004..2072
  EXPECT_EQ(daysInMonth(), 29);
  year = 2027;
  EXPECT_EQ(daysInMonth(), 28);
  const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 0; m < 12; ++m) {
    month = m;
    EXPECT_EQ(daysInMonth(), days[m]) << m;
  }
}

TEST_F(Training, FinancePagesWrap) {
  openFinancesScreen();
  EXPECT_EQ(financePage, 0);
  EXPECT_EQ(panelSelector, 1);
  financePageBack();
  EXPECT_EQ(financePage, 2);
  financePageForward();
  EXPECT_EQ(financePage, 0);
  equipmentChoice = 3;
  financeNext();
  EXPECT_EQ(equipmentChoice, 0);
  financePrevious();
  EXPECT_EQ(equipmentChoice, 3);
  financePage = 1;
  sponsorSlot = 1;
  financeNext();
  EXPECT_EQ(sponsorSlot, 0);  // two boxers
  financePage = 2;
  staffChoice = 0;
  financePrevious();
  EXPECT_EQ(staffChoice, 2);
}

TEST_F(Training, ConfirmingEquipmentStaffAndSponsors) {
  openFinancesScreen();
  equipmentLevel = 0;
  equipmentChoice = 0;
  EXPECT_FALSE(financeConfirmEnabled());
  EXPECT_FALSE(financeConfirm());
  equipmentChoice = 2;
  EXPECT_TRUE(financeConfirm());
  EXPECT_EQ(equipmentLevel, 2);
  EXPECT_EQ(expenses[month][1], equipmentPrice[2]);
  EXPECT_FALSE(financeConfirmEnabled());

  financePage = 2;
  staffChoice = 1;
  EXPECT_TRUE(financeConfirm());
  EXPECT_EQ(expenses[month][2], staffPrice[1]);

  financePage = 1;
  sponsorSlot = 0;
  sponsorAmount[0] = 40;
  sponsorMonths[0] = 0;
  EXPECT_FALSE(financeConfirmEnabled());  // no running offer
  sponsorMonths[0] = 4;
  int before = cash, booked = income[month][1];
  EXPECT_TRUE(financeConfirm());
  EXPECT_EQ(cash, before + 40);
  EXPECT_EQ(income[month][1], booked + 40);
  EXPECT_EQ(sponsorAccepted[0], 1);
  EXPECT_FALSE(financeConfirm());  // never twice
  EXPECT_EQ(cash, before + 40);
}

TEST_F(Training, TablesOfTheBooks) {
  month = 0;
  for (int r = 0; r < 4; ++r) {
    income[0][r] = int16_t(10 + r);
    expenses[0][r] = int16_t(r);
    income[11][r] = 1;
    expenses[11][r] = 2;
  }
  EXPECT_EQ(previousMonthIndex(), 11);
  EXPECT_EQ(financeValue(1, 2, 0), 12);
  EXPECT_EQ(financeValue(2, 3, 0), 3);
  EXPECT_EQ(financeValue(3, 1, 0), 10);
  EXPECT_EQ(financeTotal(1, 0), 46);
  EXPECT_EQ(financeTotal(3, 0), 40);
  EXPECT_EQ(financeTotal(3, 11), -4);
  EXPECT_EQ(financeValue(1, 4, 0), 0);
  EXPECT_EQ(financeValue(1, 0, 12), 0);
}

TEST_F(Training, DearerEquipmentRaisesTheBillAtTheNextAdvance) {
  for (int s = 0; s < kStableSize; ++s)
    if (isBoxer(career.stable[s])) boxers[career.stable[s]].contractMonths = 30;
  openFinancesScreen();
  expenses[month][1] = equipmentPrice[0];
  expenses[month][2] = 0;
  equipmentChoice = 3;
  ASSERT_TRUE(financeConfirm());
  int before = cash, bill = equipmentPrice[3];
  monthlyAdvance();
  int event = popup == 15 ? eventValue * 100 : 0;
  EXPECT_EQ(cash, before - bill + income[month][2] + event);
}

// ---- Messages -----------------------------------------------------------------------------

TEST(Messages, CatalogueLines) {
  const int shown[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                       21, 22, 24, 25, 27, 28, 29, 30, 31, 32, 33, 34, 35, 40, 41, 42, 43, 44, 45, 46};
  for (int n : shown) EXPECT_NE(findMessage(n), nullptr) << n;
  for (int n : {0, 23, 26, 36, 37, 38, 39, 47, -1}) EXPECT_EQ(findMessage(n), nullptr) << n;
  EXPECT_STREQ(findMessage(15)->picture, "data\\gfx\\random01.jpg");
  EXPECT_STREQ(findMessage(18)->picture, "data\\gfx\\random04.jpg");
  EXPECT_EQ(findMessage(42)->lines[0].entry, 556);
  EXPECT_EQ(findMessage(41)->lines[2].entry, 404);
  EXPECT_STREQ(findMessage(17)->lines[0].literal, "CAR ACCIDENT!");
}

// The messages of damaged files and a failed save fill in the texts they are shown with, and
// speak English when the text table has none of their entries (a damaged installation).
TEST(Messages, DetailsAndTheirEnglishFallback) {
  ResolvedLine lines[4];
  char out[700];
  showMessage(kMessageSaveFailed, "No space left on device", "/home/player/.local/share/Brawnmoor");
  EXPECT_EQ(popup, kMessageSaveFailed);
  ASSERT_EQ(resolveMessage(popup, lines), 4);
  formatMessageLine(lines[1], "Grund: %s", out, sizeof out);
  EXPECT_STREQ(out, "Grund: No space left on device");
  formatMessageLine(lines[2], "", out, sizeof out);
  EXPECT_STREQ(out, "Folder: /home/player/.local/share/Brawnmoor");
  formatMessageLine(lines[0], "", out, sizeof out);
  EXPECT_STREQ(out, "The game could not be saved.");
  const std::string longReason(400, 'x');
  showMessage(kMessageNoWorld, longReason.c_str());
  ASSERT_EQ(resolveMessage(popup, lines), 3);
  formatMessageLine(lines[1], "", out, sizeof out);
  EXPECT_EQ(std::string(out), longReason);
  popup = 0;
}

class MessageValues : public CareerTest {};

TEST_F(MessageValues, ResolveAndFormat) {
  ResolvedLine lines[4];
  char out[128];
  select(0);
  placeAt(mine(), 30);
  opponent = int16_t(holder(boxers[mine()].category, 12));
  ASSERT_EQ(resolveMessage(2, lines), 3);
  EXPECT_EQ(lines[0].entry, 285);
  EXPECT_EQ(lines[0].ints[0], 12);
  EXPECT_EQ(lines[2].ints[0], 25);
  formatMessageLine(lines[2], "Best rank: %d", out, sizeof out);
  EXPECT_STREQ(out, "Best rank: 25");
  ASSERT_EQ(resolveMessage(42, lines), 3);
  EXPECT_EQ(lines[2].ints[0], 39);

  // After the second red advance four more are left, the fourth ending the career.
  career.monthsInDebt = 2;
  resolveMessage(12, lines);
  EXPECT_EQ(lines[1].ints[0], 4);

  popupBoxer = int16_t(mine(1));
  resolveMessage(28, lines);
  formatMessageLine(lines[0], "%s %s", out, sizeof out);
  char name[64];
  formatBoxerName(boxers[mine(1)], name, sizeof name);
  if (hasSurname(boxers[mine(1)])) {
    EXPECT_STREQ(out, name);
  }
  EXPECT_EQ(lines[2].ints[0], boxers[mine(1)].age);

  // The booker of message 5 is written by the message itself.
  popupBoxer = int16_t(mine(0));
  resolveMessage(5, lines);
  EXPECT_EQ(lines[2].entry, -1);
  std::string booked = lines[2].text;
  EXPECT_NE(booked.find("(rank 30)"), std::string::npos) << booked;
  boxers[mine(0)].nation = kFirstNameOnlyNation;
  resolveMessage(5, lines);
  formatMessageLine(lines[2], nullptr, out, sizeof out);
  EXPECT_EQ(std::string(out), std::string(firstNameOf(boxers[mine(0)])) + " (rank 30)");

  // A line without values is shown as it stands, percent signs included.
  resolveMessage(1, lines);
  formatMessageLine(lines[0], "100% sure", out, sizeof out);
  EXPECT_STREQ(out, "100% sure");
  // Numbers that show nothing resolve to no lines; bad indices never reach a table.
  EXPECT_EQ(resolveMessage(26, lines), 0);
  popupBoxer = -1;
  eventValue = 9;
  EXPECT_EQ(resolveMessage(16, lines), 4);
  EXPECT_EQ(lines[1].strings[0][0], 0);
  resolveMessage(32, lines);
  EXPECT_EQ(lines[0].strings[0][0], 0);
}

}  // namespace
