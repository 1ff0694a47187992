#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "career/world.h"

namespace {

TEST(Random, BelowStaysInRange) {
  std::srand(3);
  for (int i = 0; i < 2000; ++i) {
    int r = randomBelow(7);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 7);
  }
  // A negative divisor still gives 0..|n|-1.
  for (int i = 0; i < 2000; ++i) {
    int r = randomBelow(-4);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 4);
  }
  EXPECT_EQ(randomBelow(1), 0);
  EXPECT_EQ(randomBelow(0), 0);
}

TEST(Random, BelowIsRandModuloN) {
  std::srand(11);
  int expected[5];
  for (int& e : expected) e = std::rand() % 13;
  std::srand(11);
  for (int e : expected) EXPECT_EQ(randomBelow(13), e);
}

TEST(Random, FloatIsTheSteppedFormula) {
  std::srand(5);
  int r = std::rand();
  std::srand(5);
  float f = randomFloat(10, 40);
  EXPECT_FLOAT_EQ(f, float(10 + 30.0 * (r % 32767) / 32767.0));
  for (int i = 0; i < 2000; ++i) {
    float v = randomFloat(33, 99);
    ASSERT_GE(v, 33.0f);
    ASSERT_LT(v, 99.0f);
  }
}

Boxer sample() {
  Boxer b{};
  b.strength = 10; b.endurance = 20; b.agility = 30; b.quickness = 40;
  b.stamina = 50; b.charisma = 60; b.technique = 70;
  b.strengthMax = 50; b.enduranceMax = 51; b.agilityMax = 52; b.quicknessMax = 53;
  b.staminaMax = 54; b.charismaMax = 99; b.techniqueMax = 55;
  return b;
}

TEST(Skills, SumsAndAverages) {
  Boxer b = sample();
  EXPECT_FLOAT_EQ(skillSum6(b), 220.0f);  // no charisma
  EXPECT_FLOAT_EQ(skillAverage(b), 40.0f);
  // (50+51+52+53+54+55)/6 = 52.5, integer division, charisma left out
  EXPECT_EQ(potentialAverage(b), 52);
}

TEST(Names, FirstNameOnlyNation) {
  std::memset(firstNames, 0, sizeof firstNames);
  std::memset(surnames, 0, sizeof surnames);
  std::memcpy(firstNames[3].name, "Wei", 3);
  std::memcpy(surnames[4].name, "Smith", 5);
  std::memcpy(firstNames[5].name, "Abcdefghijklmnopqrst", 20);  // 20 characters, no terminator
  Boxer b{};
  b.firstName = 3;
  b.surname = 4;
  b.nation = 2;
  char name[64];
  formatBoxerName(b, name, sizeof name);
  EXPECT_STREQ(name, "Wei Smith");
  b.nation = kFirstNameOnlyNation;
  formatBoxerName(b, name, sizeof name);
  EXPECT_STREQ(name, "Wei");
  EXPECT_STREQ(surnameOf(b), "");
  b.firstName = 5;
  EXPECT_STREQ(firstNameOf(b), "Abcdefghijklmnopqrst");
  b.firstName = -1;
  EXPECT_STREQ(firstNameOf(b), "");
}

TEST(Names, StylesAndTextsWithANamePair) {
  std::memset(firstNames, 0, sizeof firstNames);
  std::memset(surnames, 0, sizeof surnames);
  std::memcpy(firstNames[3].name, "Lin Haoyu", 9);
  std::memcpy(surnames[4].name, "Smith ", 6);  // a stray space in the data
  Boxer b{};
  b.firstName = 3;
  b.surname = 4;
  b.nation = 2;
  char out[96];
  const std::pair<NameStyle, const char*> styles[] = {{NameStyle::Full, "Lin Haoyu Smith"},
                                                      {NameStyle::Initial, "L. Smith"},
                                                      {NameStyle::SurnameInitial, "Smith L."},
                                                      {NameStyle::Surname, "Smith"}};
  for (const auto& [style, expected] : styles) {
    formatBoxerName(b, out, sizeof out, style);
    EXPECT_STREQ(out, expected);
    b.nation = kFirstNameOnlyNation;
    formatBoxerName(b, out, sizeof out, style);
    EXPECT_STREQ(out, "Lin Haoyu");
    b.nation = 2;
  }
  formatWithName(out, sizeof out, "%s %s loses the fight.", "Lin Haoyu", "");
  EXPECT_STREQ(out, "Lin Haoyu loses the fight.");
  formatWithName(out, sizeof out, "%s %s", "Lin Haoyu", "");
  EXPECT_STREQ(out, "Lin Haoyu");
  formatWithName(out, sizeof out, "%s %s is the %s champion! 100%%", "Ann", "Lee", "Flyweight");
  EXPECT_STREQ(out, "Ann Lee is the Flyweight champion! 100%");
  formatWithName(out, sizeof out, "Career of %s", "50%", "Off");  // one %s; a percent in the name
  EXPECT_STREQ(out, "Career of 50% Off");
  formatWithName(out, sizeof out, "No name here", "Ann", "Lee");
  EXPECT_STREQ(out, "No name here");
  char typed[32] = "  Tom   Harlan  Jr ";
  tidyName(typed);
  EXPECT_STREQ(typed, "Tom Harlan Jr");
}

TEST(Stable, RemovingASlotMovesTheLaterOnesForward) {
  for (int s = 0; s < kStableSize; ++s) {
    clearStableSlot(s);
    career.stable[s] = int16_t(100 + s);
    trainingPoints[s] = int16_t(s);
    training[s][2] = int16_t(10 + s);
    sponsorAmount[s] = int16_t(20 + s);
    sponsorBrand[s] = int16_t(1 + s);
    sponsorMonths[s] = int16_t(30 + s);
    sponsorAccepted[s] = uint8_t(s & 1);
    stableBusy[s] = 1;
    talkedThisMonth[s] = 1;
  }
  removeStableSlot(1);
  EXPECT_EQ(career.stable[0], 100);
  EXPECT_EQ(career.stable[1], 102);
  EXPECT_EQ(training[1][2], 12);
  EXPECT_EQ(sponsorAmount[4], 25);
  EXPECT_EQ(sponsorAccepted[2], 1);
  EXPECT_EQ(trainingPoints[4], 5);
  // The freed last slot is reset.
  EXPECT_EQ(career.stable[5], -1);
  EXPECT_EQ(trainingPoints[5], 25);
  for (int t = 0; t < kTrainingTypes; ++t) EXPECT_EQ(training[5][t], 0);
  EXPECT_EQ(sponsorAmount[5], 0);
  EXPECT_EQ(sponsorBrand[5], 0);
  EXPECT_EQ(sponsorMonths[5], 0);
  EXPECT_EQ(sponsorAccepted[5], 0);
  EXPECT_EQ(stableBusy[5], 0);
  EXPECT_EQ(talkedThisMonth[5], 0);
  removeStableSlot(-1);  // ignored
  removeStableSlot(6);
  EXPECT_EQ(career.stable[0], 100);
}

TEST(Layout, RecordsAreLittleEndianImages) {
  // The save file writes records as they lie in memory: check one field's bytes.
  Boxer b{};
  b.rank = 0x0102;
  b.strength = 1.0f;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(&b);
  EXPECT_EQ(p[76], 0x02);
  EXPECT_EQ(p[77], 0x01);
  EXPECT_EQ(p[35], 0x3F);  // 1.0f = 0x3F800000
  EXPECT_EQ(p[34], 0x80);
  Fight f{};
  f.rounds = 12;
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(&f)[22], 12);
}

}  // namespace
