// The finances screen through the real game: quick start, tab 3, then clicks on the page and
// item arrows, the confirm button and the table buttons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "career/monthadvance.h"
#include "career/training.h"
#include "career/world.h"
#include "gamedriver.h"
#include "screens/finances.h"
#include "support/renderers.h"
#include "ui/hotspots.h"
#include "ui/screenkit.h"
#include "ui/session.h"
#include "ui/texttable.h"
#include "ui/tutorial.h"

namespace {

class FinancesScreen : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    tutorialOn = 0;
    ASSERT_TRUE(d.bootGame(GetParam()));
    ASSERT_TRUE(d.quickStart());
    ASSERT_EQ(countStable(), 2);
  }
  void openFinances() {
    d.click(25 + 75 * 2 + 30, 50);
    ASSERT_EQ(screenState, kFinancesScreen);
    d.move(790, 590);  // off every button
    d.frame();
  }
  GameDriver d;
};

using FinancesScreenSoftware = FinancesScreen;

TEST_P(FinancesScreen, EntryShowsEquipmentAndTheIncomeTable) {
  panelSelector = 3;
  financePage = 2;
  openFinances();
  EXPECT_EQ(hotspotCount, 16);
  EXPECT_EQ(financePage, 0);
  EXPECT_EQ(panelSelector, 1);
  for (int i = 1; i <= 13; ++i) EXPECT_EQ(hotspots[i].state, 1) << i;
  const bool chosen = equipmentChoice == equipmentLevel;
  EXPECT_EQ(hotspots[14].state, chosen ? -1 : 1);
  EXPECT_EQ(hotspots[15].state, chosen ? 1 : -1);
  d.keepScreenshot("finances-equipment");
}

TEST_P(FinancesScreen, EachPageWithItsTable) {
  // An offer for the first boxer, so that the advertising page shows a sponsor.
  sponsorAmount[0] = 84;
  sponsorMonths[0] = 6;
  sponsorBrand[0] = 3;
  sponsorAccepted[0] = 0;
  sponsorSlot = 0;
  openFinances();
  d.clickHotspot(10);  // back from equipment wraps to staff
  ASSERT_EQ(financePage, 2);
  d.clickHotspot(8);   // expenses
  ASSERT_EQ(panelSelector, 2);
  d.move(790, 590);
  d.frame();
  d.keepScreenshot("finances-staff");
  d.clickHotspot(10);
  ASSERT_EQ(financePage, 1);
  d.clickHotspot(9);   // balance
  ASSERT_EQ(panelSelector, 3);
  d.move(790, 590);
  d.frame();
  d.keepScreenshot("finances-advertising");
}

INSTANTIATE_TEST_SUITE_P(Renderers, FinancesScreen, ::testing::Values(false, true),
                         rendererName);

TEST_P(FinancesScreenSoftware, PagesAndItemsWrapBothWays) {
  openFinances();
  d.clickHotspot(11);
  EXPECT_EQ(financePage, 1);
  d.clickHotspot(11);
  EXPECT_EQ(financePage, 2);
  d.clickHotspot(11);
  EXPECT_EQ(financePage, 0);
  d.clickHotspot(10);
  EXPECT_EQ(financePage, 2);

  // Staff: 0..2.
  staffChoice = 0;
  d.clickHotspot(12);
  EXPECT_EQ(staffChoice, 2);
  d.clickHotspot(13);
  EXPECT_EQ(staffChoice, 0);

  // Sponsors: one offer per stable slot.
  d.clickHotspot(10);
  ASSERT_EQ(financePage, 1);
  sponsorSlot = 0;
  d.clickHotspot(12);
  EXPECT_EQ(sponsorSlot, 1);
  d.clickHotspot(13);
  EXPECT_EQ(sponsorSlot, 0);
  d.clickHotspot(13);
  EXPECT_EQ(sponsorSlot, 1);

  // Equipment: 0..3.
  d.clickHotspot(10);
  ASSERT_EQ(financePage, 0);
  equipmentChoice = 3;
  d.clickHotspot(13);
  EXPECT_EQ(equipmentChoice, 0);
  d.clickHotspot(12);
  EXPECT_EQ(equipmentChoice, 3);
}

TEST_P(FinancesScreenSoftware, ConfirmImageSwapsExactlyOnTheCurrentLevel) {
  openFinances();
  const int level = equipmentLevel;
  const int start = equipmentChoice;
  // Step through all four levels; only the current one shows the "chosen" image.
  double chosenLook = -1, confirmLook = -1;
  for (int i = 0; i < 4; ++i) {
    const bool current = equipmentChoice == level;
    EXPECT_EQ(hotspots[14].state, current ? -1 : 1) << equipmentChoice;
    EXPECT_EQ(hotspots[15].state, current ? 1 : -1) << equipmentChoice;
    d.move(790, 590);
    d.frame();
    (current ? chosenLook : confirmLook) = d.meanBrightness(100, 440, 85, 18);
    d.clickHotspot(13);
  }
  EXPECT_EQ(equipmentChoice, start);  // back where it started after four steps
  // The two images are not the same picture.
  ASSERT_GE(chosenLook, 0);
  ASSERT_GE(confirmLook, 0);
  EXPECT_GT(std::abs(chosenLook - confirmLook), 5.0);

  // A click on the "chosen" image changes nothing.
  while (equipmentChoice != level) d.clickHotspot(13);
  const int32_t cashBefore = cash;
  d.clickHotspot(15);
  EXPECT_EQ(equipmentLevel, level);
  EXPECT_EQ(cash, cashBefore);

  // Staff page: the same rule with the staff level.
  d.clickHotspot(10);
  ASSERT_EQ(financePage, 2);
  EXPECT_EQ(hotspots[15].state, staffChoice == staffLevel ? 1 : -1);
  const int staff = staffLevel;
  d.clickHotspot(13);
  EXPECT_EQ(hotspots[14].state, 1);
  d.clickHotspot(14);
  EXPECT_EQ(staffLevel, (staff + 1) % 3);
  EXPECT_EQ(expenses[month][2], staffPrice[staffLevel]);
  EXPECT_EQ(hotspots[14].state, -1);
  EXPECT_EQ(hotspots[15].state, 1);
}

TEST_P(FinancesScreenSoftware, DearerEquipmentMidMonthRaisesTheBillAtTheNextAdvance) {
  openFinances();
  // The dearest level that is not the current one.
  int dearest = -1;
  for (int i = 0; i < 4; ++i)
    if (i != equipmentLevel && (dearest < 0 || equipmentPrice[i] > equipmentPrice[dearest])) dearest = i;
  ASSERT_GT(equipmentPrice[dearest], expenses[month][1]);
  while (equipmentChoice != dearest) d.clickHotspot(13);
  const int16_t billBefore = expenses[month][1];
  d.clickHotspot(14);
  EXPECT_EQ(equipmentLevel, dearest);
  EXPECT_EQ(expenses[month][1], equipmentPrice[dearest]);
  EXPECT_GT(expenses[month][1], billBefore);
  EXPECT_EQ(hotspots[15].state, 1);

  // The advance pays this month's bill.
  const int32_t cashBefore = cash;
  const int bill = expenses[month][1] + expenses[month][2];
  popup = 0;
  std::srand(7);
  monthlyAdvance();
  const int eventMoney = popup == 15 ? eventValue * 100 : 0;
  EXPECT_EQ(cash, cashBefore - bill + income[month][2] + eventMoney);
}

TEST_P(FinancesScreenSoftware, ASecondCareerPaysNoneOfTheFirstCareersBills) {
  // The first career buys the dearest equipment and staff through the screen.
  openFinances();
  while (equipmentChoice != 3) d.clickHotspot(13);
  d.clickHotspot(14);
  ASSERT_EQ(equipmentLevel, 3);
  d.clickHotspot(11);
  d.clickHotspot(11);
  ASSERT_EQ(financePage, 2);
  while (staffChoice != 2) d.clickHotspot(13);
  d.clickHotspot(14);
  ASSERT_EQ(staffLevel, 2);
  ASSERT_GT(expenses[month][1] + expenses[month][2], 0);

  // It ends; closing the message makes a new world, and a quick start begins the next career.
  popup = 13;
  gameOver = 1;
  d.click(400, 300);
  ASSERT_EQ(screenState, kMainMenuScreen);
  ASSERT_TRUE(d.quickStart());
  EXPECT_EQ(cash, 225);
  EXPECT_EQ(equipmentLevel, 0);
  EXPECT_EQ(staffLevel, 0);
  openFinances();
  for (int table = 1; table <= 2; ++table)
    for (int row = 0; row < 4; ++row) EXPECT_EQ(financeValue(table, row, month), 0) << table << row;

  // The first advance, from the month screen, bills nothing of the first career.
  for (int s = 0; s < kStableSize; ++s)
    if (isBoxer(career.stable[s])) boxers[career.stable[s]].contractMonths = 30;
  d.click(25 + 30, 50);
  ASSERT_EQ(screenState, kMonthScreen);
  const int m = month;
  d.clickHotspot(19);
  ASSERT_NE(month, m);
  const int gift = popup == 15 ? eventValue * 100 : 0;
  EXPECT_EQ(cash, 225 + income[month][2] + gift);
}

TEST_P(FinancesScreenSoftware, ASponsorOfferIsTakenOnce) {
  sponsorAmount[0] = 40;
  sponsorMonths[0] = 3;
  sponsorBrand[0] = 5;
  sponsorAccepted[0] = 0;
  sponsorAmount[1] = 0;
  sponsorMonths[1] = 0;
  sponsorAccepted[1] = 0;
  sponsorSlot = 0;
  openFinances();
  d.clickHotspot(11);
  ASSERT_EQ(financePage, 1);
  ASSERT_EQ(sponsorSlot, 0);
  EXPECT_EQ(hotspots[14].state, 1);
  EXPECT_EQ(hotspots[15].state, -1);

  const int32_t cashBefore = cash;
  const int16_t sponsorsBefore = income[month][1];
  d.clickHotspot(14);
  EXPECT_EQ(sponsorAccepted[0], 1);
  EXPECT_EQ(cash, cashBefore + 40);
  EXPECT_EQ(income[month][1], sponsorsBefore + 40);
  EXPECT_EQ(hotspots[14].state, -1);
  EXPECT_EQ(hotspots[15].state, 1);

  // The same place again: the "chosen" image, nothing paid.
  d.clickHotspot(15);
  d.click(142, 449);
  EXPECT_EQ(cash, cashBefore + 40);
  EXPECT_EQ(income[month][1], sponsorsBefore + 40);

  // The second boxer has no offer: neither button.
  d.clickHotspot(13);
  ASSERT_EQ(sponsorSlot, 1);
  EXPECT_EQ(hotspots[14].state, -1);
  EXPECT_EQ(hotspots[15].state, -1);
  d.click(142, 449);
  EXPECT_EQ(cash, cashBefore + 40);
}

TEST_P(FinancesScreenSoftware, TablesShowThisMonthLastMonthAndTheirSum) {
  // January: the previous month is index 11 of the books. The calendar outlives this game,
  // so it is put back afterwards.
  struct RestoreMonth {
    int32_t saved = month;
    ~RestoreMonth() { month = saved; }
  } restore;
  month = 0;
  for (int r = 0; r < 4; ++r) {
    income[0][r] = int16_t(10 + r);
    income[11][r] = int16_t(100 * (r + 1));
    expenses[0][r] = int16_t(r);
    expenses[11][r] = int16_t(7);
  }
  openFinances();
  for (int table = 3; table >= 1; --table) {
    d.clickHotspot(6 + table);
    ASSERT_EQ(panelSelector, table);
  }
  BooksRow rows[6];
  ASSERT_EQ(booksRows(1, rows), 5);
  EXPECT_STREQ(rows[1].label, uiText(529));
  EXPECT_EQ(rows[1].values[0], 11);
  EXPECT_EQ(rows[1].values[1], 200);
  EXPECT_EQ(rows[1].values[2], 211);
  EXPECT_TRUE(rows[4].total);
  EXPECT_EQ(rows[4].values[0], 10 + 11 + 12 + 13);
  EXPECT_EQ(rows[4].values[1], 1000);
  EXPECT_EQ(rows[4].values[2], 1046);

  ASSERT_EQ(booksRows(2, rows), 5);
  EXPECT_STREQ(rows[2].label, uiText(534));
  EXPECT_EQ(rows[2].values[0], 2);
  EXPECT_EQ(rows[4].values[0], 6);
  EXPECT_EQ(rows[4].values[1], 28);

  ASSERT_EQ(booksRows(3, rows), 3);
  EXPECT_EQ(rows[0].values[0], 46);
  EXPECT_EQ(rows[1].values[0], 6);
  EXPECT_EQ(rows[2].values[0], 40);
  EXPECT_EQ(rows[2].values[1], 1000 - 28);
  EXPECT_EQ(rows[2].values[2], 40 + 972);
}

TEST_P(FinancesScreenSoftware, HoverHelpAndTheTutorialArrow) {
  tutorialOn = 1;
  tutorialStep = 2;
  openFinances();
  d.clickHotspot(11);
  EXPECT_EQ(tutorialStep, 3);
  d.clickHotspot(11);
  EXPECT_EQ(tutorialStep, 3);  // only once
  tutorialOn = 0;
  tutorialStep = 0;

  // Help under the page area and over a table button draws in the help strip.
  d.move(790, 590);
  d.frame();
  const double quiet = d.meanBrightness(100, 530, 600, 45);
  d.move(140, 200);
  d.frame(2);
  EXPECT_GT(d.meanBrightness(100, 530, 600, 45), quiet + 0.5);
  d.move(350, 450);
  d.frame(2);
  EXPECT_EQ(hovered, 7);
  EXPECT_GT(d.meanBrightness(100, 545, 600, 20), quiet + 0.5);
}

INSTANTIATE_TEST_SUITE_P(Software, FinancesScreenSoftware, ::testing::Values(false),
                         [](const auto&) { return std::string("Software"); });

}  // namespace
