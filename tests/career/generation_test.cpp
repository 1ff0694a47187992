#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "career/generation.h"
#include "career/world.h"
#include "career/worlddata.h"
#include "support/tempdir.h"
#include "tools/KTools.h"

namespace {

void generate(unsigned seed) {
  std::srand(seed);
  ASSERT_TRUE(generateWorld()) << worldDataProblem();
}

// ---- The data files -----------------------------------------------------------------------

TEST(WorldData, NameTablesHoldEveryName) {
  ASSERT_TRUE(loadWorldData()) << worldDataProblem();
  EXPECT_EQ(firstNameCount, 387);
  EXPECT_EQ(surnameCount, 5621);
  int firstOfGroup[10] = {}, surOfGroup[10] = {};
  for (int i = 1; i <= firstNameCount; ++i) {
    ASSERT_NE(firstNames[i].name[0], 0) << "first name " << i;
    ASSERT_GE(firstNames[i].group, 1);
    ASSERT_LE(firstNames[i].group, 9);
    firstOfGroup[firstNames[i].group]++;
  }
  for (int i = 1; i <= surnameCount; ++i) {
    ASSERT_NE(surnames[i].name[0], 0) << "surname " << i;
    ASSERT_GE(surnames[i].group, 2);
    surOfGroup[surnames[i].group]++;
  }
  const int firsts[10] = {0, 19, 62, 19, 19, 19, 42, 169, 19, 19};
  const int surs[10] = {0, 0, 87, 3589, 509, 462, 59, 249, 29, 637};
  for (int g = 1; g <= 9; ++g) {
    EXPECT_EQ(firstOfGroup[g], firsts[g]) << "group " << g;
    EXPECT_EQ(surOfGroup[g], surs[g]) << "group " << g;
  }
  // Groups follow one another in file order.
  EXPECT_EQ(firstNames[1].group, 1);
  EXPECT_EQ(firstNames[20].group, 2);
  EXPECT_EQ(surnames[1].group, 2);
  EXPECT_EQ(surnames[5621].group, 9);
}

// The entries of a name group as the game read them (Windows-1252 bytes).
std::set<std::string> surnamesOfGroup(int group) {
  std::set<std::string> names;
  for (int i = 1; i <= surnameCount; ++i)
    if (surnames[i].group == group) names.insert(surnames[i].name);
  return names;
}

// A name written in UTF-8 in this file, in Windows-1252 as the lists hold it (letters up to
// U+00FF only, where the two agree).
std::string cp1252(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = utf8[i];
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
    }
  }
  return out;
}

void expectIn(const std::set<std::string>& names, std::initializer_list<const char*> expected) {
  for (const char* name : expected) EXPECT_EQ(names.count(cp1252(name)), 1u) << name;
}

void expectNotIn(const std::set<std::string>& names, std::initializer_list<const char*> unexpected) {
  for (const char* name : unexpected) EXPECT_EQ(names.count(cp1252(name)), 0u) << name;
}

TEST(WorldData, NamesAreSpelledWithTheirAccents) {
  ASSERT_TRUE(loadWorldData()) << worldDataProblem();
  // The most common Spanish family names carry their accents ...
  const std::set<std::string> spanish = surnamesOfGroup(9);
  expectIn(spanish, {"García", "Fernández", "López", "Martínez", "González", "Rodríguez", "Sánchez",
                     "Pérez", "Gómez", "Díaz", "Hernández", "Álvarez", "Jiménez", "Gutiérrez", "Vázquez",
                     "Suárez", "Ramírez", "Muñoz", "Núñez", "Ibáñez", "Díez", "Ruiz", "Ortiz", "Aguilar"});
  // ... and are never written without them, nor with an accent Spanish does not write, nor
  // misspelt.
  expectNotIn(spanish, {"Garcia", "Fernandez", "Lopez", "Martinez", "Gonzalez", "Rodriguez", "Sanchez",
                        "Perez", "Gomez", "Diaz", "Hernandez", "Alvarez", "Nuñez", "Ruíz", "Águilar",
                        "Garica", "Domínquez", "Dominquez", "Jimínez", "Hernádez", "Sanches"});
  // The common Latin American names are in the Spanish list, not left out of every list.
  expectIn(spanish, {"Rivera", "Garza", "Mendoza", "Chávez", "Guzmán", "Vargas"});

  const std::set<std::string> french = surnamesOfGroup(4);
  expectIn(french, {"Hébert", "Grégoire", "Lefèvre", "Noël", "Benoît", "François", "Salaün"});
  expectNotIn(french, {"Hebert", "Gregoire"});
  const std::set<std::string> german = surnamesOfGroup(5);
  expectIn(german, {"Müller", "Groß", "Weiß", "Köster"});
  expectNotIn(german, {"Gröss", "Koester"});
}

TEST(WorldData, NationsAndWeights) {
  ASSERT_TRUE(loadWorldData()) << worldDataProblem();
  std::set<std::string> longNames, shortNames;
  for (int n = 1; n <= kNationCount; ++n) {
    std::string l = nations[n].longName, s = nations[n].shortName;
    EXPECT_FALSE(l.empty()) << n;
    EXPECT_LE(l.size(), 20u) << n;
    EXPECT_EQ(s.size(), 3u) << n;
    EXPECT_TRUE(longNames.insert(l).second) << l;
    EXPECT_TRUE(shortNames.insert(s).second) << s;
    EXPECT_GE(nations[n].lightWeight, 0);
    EXPECT_LE(nations[n].lightWeight, 10);
    EXPECT_GE(nations[n].heavyWeight, 0);
    EXPECT_LE(nations[n].heavyWeight, 10);
    EXPECT_GT(nations[n].lightWeight + nations[n].heavyWeight, 0) << l << " never produces a boxer";
  }
  for (int c = 1; c < kCategoryCount; ++c) EXPECT_GT(weightNames[c].limitLbs, weightNames[c + 1].limitLbs);
  EXPECT_EQ(weightNames[kCategoryCount].limitLbs, 105);
  EXPECT_STREQ(weightNames[1].name, "Heavyweight");
  for (int c = 1; c <= kCategoryCount; ++c) EXPECT_NE(weightShortNames[c][0], 0);
}

TEST(WorldData, NationGroups) {
  EXPECT_EQ(nameGroupOfNation(9), 1);
  EXPECT_EQ(nameGroupOfNation(31), 8);
  EXPECT_EQ(nameGroupOfNation(29), 7);
  EXPECT_EQ(nameGroupOfNation(25), 6);
  EXPECT_EQ(nameGroupOfNation(60), 3);
  EXPECT_EQ(nameGroupOfNation(8), 3);
  EXPECT_EQ(nameGroupOfNation(23), 4);
  EXPECT_EQ(nameGroupOfNation(58), 9);
  int perGroup[10] = {};
  for (int n = 1; n <= 60; ++n) perGroup[nameGroupOfNation(n)]++;
  const int expected[10] = {0, 1, 11, 24, 7, 3, 1, 1, 1, 11};
  for (int g = 1; g <= 9; ++g) EXPECT_EQ(perGroup[g], expected[g]) << g;
}

// ---- Generated worlds ---------------------------------------------------------------------

TEST(World, InvariantsOverManySeeds) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    generate(seed * 7919u);
    for (int c = 1; c <= kCategoryCount; ++c) {
      std::vector<int> seen;
      for (const Boxer& b : boxers)
        if (b.category == c) seen.push_back(b.rank);
      ASSERT_GE(seen.size(), 100u) << "category " << c;
      std::sort(seen.begin(), seen.end());
      for (size_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], int(i + 1)) << "category " << c;
    }
    for (int i = 0; i < kBoxerCount; ++i) {
      const Boxer& b = boxers[i];
      ASSERT_EQ(b.id, i);
      ASSERT_GE(b.age, 16);
      ASSERT_LE(b.age, 39);
      ASSERT_GE(b.height, 160);
      ASSERT_LE(b.height, 205);
      ASSERT_EQ(b.manager, kFree);
      ASSERT_GE(b.nation, 1);
      ASSERT_LE(b.nation, 60);
      ASSERT_GE(b.look, 0);
      ASSERT_LE(b.look, 4);
      ASSERT_GE(b.fitness, 5);
      ASSERT_LE(b.fitness, 8);
      ASSERT_GE(b.morale, 1);
      ASSERT_LE(b.morale, 8);
      ASSERT_GE(b.fame, 0);
      int c = b.category;
      if (c == kCategoryCount) {
        ASSERT_LE(b.weight, weightNames[c].limitLbs);
        ASSERT_GT(b.weight, weightNames[c].limitLbs - 10);
      } else {
        ASSERT_GE(b.weight, weightNames[c + 1].limitLbs);
        ASSERT_LT(b.weight, weightNames[c].limitLbs);
      }
      const int16_t maxima[7] = {b.strengthMax, b.enduranceMax, b.agilityMax, b.quicknessMax,
                                 b.staminaMax, b.charismaMax, b.techniqueMax};
      const float skills[7] = {b.strength, b.endurance, b.agility, b.quickness,
                               b.stamina, b.charisma, b.technique};
      for (int k = 0; k < 7; ++k) {
        ASSERT_LE(maxima[k], 99);
        ASSERT_GE(maxima[k], 7);
        ASSERT_GE(skills[k], float(maxima[k] / 3)) << k;
        ASSERT_LE(skills[k], float(maxima[k])) << k;
        ASSERT_GE(skills[k], 1.0f);
      }
      ASSERT_GE(b.quicknessMax, 30);
      ASSERT_GE(b.agilityMax, 30);
      ASSERT_GE(b.strengthMax, 15);
      ASSERT_GE(b.enduranceMax, 15);
      ASSERT_GE(b.staminaMax, 15);
      ASSERT_GE(b.wins, 0);
      ASSERT_LE(b.koWins, std::max<int>(b.wins, 1));
      // Names of the nation's group.
      int g = nameGroupOfNation(b.nation);
      ASSERT_EQ(firstNames[b.firstName].group, g);
      if (g != 1) {
        ASSERT_EQ(surnames[b.surname].group, g);
      }
      if (usesSecondFaceRange(b.nation)) {
        ASSERT_GE(b.face, 29);
        ASSERT_LE(b.face, 38);
      } else {
        ASSERT_GE(b.face, 1);
        ASSERT_LE(b.face, 30);
      }
    }
    for (const Fight& f : fights) {
      ASSERT_EQ(f.boxerA, -1);
      ASSERT_EQ(f.winner, -1);
    }
  }
}

TEST(World, NationsOfTheFirstNameOnlyAndSecondFaceGroups) {
  int chinese = 0, sixty = 0;
  for (unsigned seed = 100; seed < 110; ++seed) {
    generate(seed);
    for (const Boxer& b : boxers) {
      if (b.nation == 9) {
        ++chinese;
        char name[64];
        formatBoxerName(b, name, sizeof name);
        EXPECT_STREQ(name, firstNameOf(b));
        EXPECT_EQ(firstNames[b.firstName].group, 1);
      }
      if (b.nation == 60) {
        ++sixty;
        EXPECT_EQ(firstNames[b.firstName].group, 3);
        EXPECT_EQ(surnames[b.surname].group, 3);
        EXPECT_GE(b.face, 29);
        EXPECT_LE(b.face, 38);
      }
    }
  }
  EXPECT_GT(chinese, 0);
  EXPECT_GT(sixty, 0);
}

TEST(World, HeavyAndLightBoxersComeFromDifferentNations) {
  generate(4242);
  int heavy[61] = {}, light[61] = {};
  for (const Boxer& b : boxers) (b.category <= 4 ? heavy : light)[b.nation]++;
  for (int n = 1; n <= 60; ++n) {
    if (nations[n].heavyWeight == 0) {
      EXPECT_EQ(heavy[n], 0) << nations[n].longName;
    }
    if (nations[n].lightWeight == 0) {
      EXPECT_EQ(light[n], 0) << nations[n].longName;
    }
  }
}

TEST(World, TheSameSeedGivesTheSameWorld) {
  generate(77);
  std::vector<Boxer> first(boxers, boxers + kBoxerCount);
  generate(77);
  EXPECT_EQ(std::memcmp(first.data(), boxers, sizeof boxers), 0);
  generate(78);
  EXPECT_NE(std::memcmp(first.data(), boxers, sizeof boxers), 0);
}

TEST(World, FirstHundredOfEachCategoryInOrder) {
  generate(9);
  for (int i = 0; i < 1700; ++i) ASSERT_EQ(boxers[i].category, i / 100 + 1) << i;
  for (int c = 1; c <= kCategoryCount; ++c) EXPECT_EQ(categoryFill[c], 100);
}

TEST(World, CareerValuesAndBooks) {
  int32_t savedMonth = month;
  month = 4;
  for (auto& row : income) for (int16_t& v : row) v = -99;
  for (auto& row : expenses) for (int16_t& v : row) v = -99;
  career.monthsInDebt = 5;
  generate(12);
  EXPECT_STREQ(managerName, "New Manager");
  EXPECT_EQ(career.managerAge, 25);
  EXPECT_GE(career.managerNation, 1);
  EXPECT_LE(career.managerNation, 60);
  for (int16_t s : career.managerSkills) EXPECT_EQ(s, 1);
  EXPECT_EQ(career.freeSkillPoints, 20);
  EXPECT_EQ(cash, 225);
  EXPECT_EQ(stableCount, 2);
  EXPECT_EQ(career.monthsInDebt, 0);
  EXPECT_EQ(selectedBoxer, -1);
  EXPECT_EQ(year, KTools::GetYear());
  for (int m = 0; m < 4; ++m) {
    EXPECT_GE(income[m][0], 5); EXPECT_LE(income[m][0], 14);
    EXPECT_GE(income[m][1], 3); EXPECT_LE(income[m][1], 9);
    EXPECT_EQ(income[m][2], 0);
    EXPECT_GE(income[m][3], 1); EXPECT_LE(income[m][3], 5);
    EXPECT_GE(expenses[m][0], 3); EXPECT_LE(expenses[m][0], 12);
    EXPECT_GE(expenses[m][1], 2); EXPECT_LE(expenses[m][1], 6);
    EXPECT_EQ(expenses[m][2], 0);
  }
  // This month and the months after it (last year's) hold nothing of an earlier career.
  for (int m = 4; m < 12; ++m)
    for (int r = 0; r < 4; ++r) {
      EXPECT_EQ(income[m][r], 0) << m << " " << r;
      EXPECT_EQ(expenses[m][r], 0) << m << " " << r;
    }
  // Prices for a stable of two.
  EXPECT_EQ(staffPrice[0], 4);
  EXPECT_EQ(staffPrice[1], 22);
  EXPECT_EQ(staffPrice[2], 44);
  EXPECT_GE(equipmentPrice[0], 6);  EXPECT_LE(equipmentPrice[0], 6);
  EXPECT_GE(equipmentPrice[1], 10); EXPECT_LE(equipmentPrice[1], 20);
  EXPECT_GE(equipmentPrice[2], 22); EXPECT_LE(equipmentPrice[2], 42);
  EXPECT_GE(equipmentPrice[3], 47); EXPECT_LE(equipmentPrice[3], 77);
  for (int s = 0; s < kStableSize; ++s) {
    EXPECT_EQ(career.stable[s], -1);
    EXPECT_EQ(trainingPoints[s], 25);
  }
  month = savedMonth;
}

TEST(World, NoHistoryInJanuary) {
  // In January no month lies before the current one: nothing is drawn for the books, and
  // last December's rows (the month the tables show beside January) are empty too.
  int32_t savedMonth = month;
  month = 0;
  income[0][0] = -1;
  expenses[11][1] = 57;
  generate(13);
  EXPECT_EQ(income[0][0], 0);
  EXPECT_EQ(expenses[11][1], 0);
  month = savedMonth;
}

// ---- Ranking ------------------------------------------------------------------------------

TEST(Ranking, FameFirstThenWins) {
  generate(21);
  std::vector<int> members;
  for (int i = 0; i < kBoxerCount; ++i)
    if (boxers[i].category == 5) members.push_back(i);
  // Give the category crafted fames: a tie at the top broken by wins.
  for (int i : members) { boxers[i].fame = 10; boxers[i].wins = 0; }
  boxers[members[7]].fame = 500;
  boxers[members[3]].fame = 500;
  boxers[members[3]].wins = 4;
  boxers[members[9]].fame = 300;
  rankCategory(5);
  EXPECT_EQ(boxers[members[3]].rank, 1);
  EXPECT_EQ(boxers[members[7]].rank, 2);
  EXPECT_EQ(boxers[members[9]].rank, 3);
  std::vector<int> ranks;
  for (int i : members) ranks.push_back(boxers[i].rank);
  std::sort(ranks.begin(), ranks.end());
  for (size_t i = 0; i < ranks.size(); ++i) EXPECT_EQ(ranks[i], int(i + 1));
}

TEST(Ranking, RanksFollowFameAtGeneration) {
  // Before the invented records raise fame, rank 1 is the most famous of the category.
  std::srand(31);
  ASSERT_TRUE(generateWorld());
  for (Boxer& b : boxers) b.wins = 0;
  for (int c = 1; c <= kCategoryCount; ++c) {
    rankCategory(c);
    int prevFame = 1 << 30;
    std::vector<const Boxer*> byRank;
    for (const Boxer& b : boxers) if (b.category == c) byRank.push_back(&b);
    std::sort(byRank.begin(), byRank.end(), [](auto a, auto b) { return a->rank < b->rank; });
    for (const Boxer* b : byRank) {
      ASSERT_LE(b->fame, prevFame);
      prevFame = b->fame;
    }
  }
}

// ---- Invented records ---------------------------------------------------------------------

TEST(PastRecord, TheFirstBoxerLosesNothing) {
  generate(5);
  Boxer& b = boxers[0];
  b.wins = b.draws = b.losses = b.koWins = 0;
  b.rank = 120;
  b.age = 30;
  b.fame = 0;
  inventPastRecord(0, -1);
  EXPECT_EQ(b.losses, 0);
  // With a far more famous boxer before him the same boxer can lose.
  int losses = 0;
  for (int k = 0; k < 20; ++k) {
    b.wins = b.draws = b.losses = b.koWins = 0;
    b.fame = 0;
    inventPastRecord(0, 1000);
    losses += b.losses;
  }
  EXPECT_GT(losses, 0);
}

TEST(PastRecord, FameGrowsWithWinsWithoutWrapping) {
  generate(6);
  Boxer& b = boxers[1];
  b.rank = 1;
  b.age = 39;
  b.fame = 30000;
  b.wins = b.draws = b.losses = b.koWins = 0;
  inventPastRecord(1, -1);
  ASSERT_GT(b.wins, 20);
  EXPECT_EQ(b.fame, 32767);
  EXPECT_GE(b.koWins, 2);
}

// ---- Starting a career --------------------------------------------------------------------

void expectStarters() {
  int placed = 0;
  for (int s = 0; s < kStableSize; ++s) {
    int i = career.stable[s];
    if (s >= stableCount) {
      EXPECT_EQ(i, -1);
      continue;
    }
    ASSERT_GE(i, 0);
    ASSERT_LT(i, 2450);
    const Boxer& b = boxers[i];
    ++placed;
    EXPECT_GE(b.category, 15);
    EXPECT_GE(b.rank, 91);
    EXPECT_LE(b.rank, 100);
    EXPECT_LT(skillAverage(b), 50.0f);
    EXPECT_EQ(b.manager, kPlayer);
    EXPECT_GE(b.contractMonths, 12);
    EXPECT_LE(b.contractMonths, 23);
    EXPECT_GE(b.pursePercent, 2);
    EXPECT_LE(b.pursePercent, 9);
    EXPECT_GE(b.face, 1);
    EXPECT_LE(b.face, 37);
  }
  EXPECT_EQ(placed, 2);
  EXPECT_NE(boxers[career.stable[0]].face, boxers[career.stable[1]].face);
}

TEST(StartCareer, PicksTwoYoungLightBoxers) {
  for (unsigned seed = 40; seed < 60; ++seed) {
    SCOPED_TRACE(seed);
    generate(seed);
    startCareer();
    expectStarters();
    for (const Boxer& b : boxers)
      for (int16_t h : b.rankHistory) ASSERT_EQ(h, b.rank);
    EXPECT_GE(career.reputation, 0.0f);
    EXPECT_LE(career.reputation, 1.0f);
    int players = 0;
    for (const Boxer& b : boxers) players += b.manager == kPlayer;
    EXPECT_EQ(players, 2);
  }
}

TEST(StartCareer, TooFewQualifyingBoxersDoNotHang) {
  generate(61);
  // Nobody qualifies: everyone is strong.
  for (Boxer& b : boxers) b.strength = b.endurance = b.agility = b.quickness = b.stamina =
      b.charisma = b.technique = 80.0f;
  startCareer();
  EXPECT_EQ(stableCount, 2);
  for (int s = 0; s < 2; ++s) {
    const Boxer& b = boxers[career.stable[s]];
    EXPECT_EQ(b.manager, kPlayer);
    EXPECT_GE(b.category, 15);
    EXPECT_GT(b.rank, 90);
  }
  // Exactly one qualifies: he is taken, and one close fit beside him.
  generate(62);
  for (Boxer& b : boxers) b.technique = 99.0f, b.strength = 99.0f, b.charisma = 99.0f, b.stamina = 99.0f;
  int only = -1;
  for (int i = 0; i < 2450 && only < 0; ++i)
    if (boxers[i].category == 16 && boxers[i].rank == 95) only = i;
  ASSERT_GE(only, 0);
  Boxer& o = boxers[only];
  o.strength = o.endurance = o.agility = o.quickness = o.stamina = o.charisma = o.technique = 20.0f;
  startCareer();
  EXPECT_TRUE(career.stable[0] == only || career.stable[1] == only);
}

TEST(StartCareer, ClearsFightsAndTheStable) {
  generate(63);
  fights[5].boxerA = 3;
  fights[5].winner = 4;
  fights[5].year = 2020;
  fights[5].koRound = 2;
  startCareer();
  EXPECT_EQ(fights[5].boxerA, -1);
  EXPECT_EQ(fights[5].winner, -1);
  EXPECT_EQ(fights[5].year, 0);
  EXPECT_EQ(fights[5].koRound, -1);
  EXPECT_EQ(fights[5].stopRound, -1);
}

TEST(QuickStart, SpreadsTwentyOneSkillPoints) {
  for (unsigned seed = 70; seed < 80; ++seed) {
    generate(seed);
    quickStart();
    int total = 0;
    for (int16_t s : career.managerSkills) {
      EXPECT_GE(s, 1);
      total += s;
    }
    EXPECT_EQ(total, 5 + 21);
    EXPECT_EQ(career.freeSkillPoints, 20);  // left as the world generation set it
    std::string name = managerName;
    EXPECT_NE(name, "New Manager");
    size_t space = name.find(' ');
    ASSERT_NE(space, std::string::npos) << name;
    EXPECT_GT(space, 0u);
    EXPECT_LT(space + 1, name.size());
    expectStarters();
  }
}

TEST(ResetManager, StartsTheManagerOver) {
  generate(81);
  career.managerAge = 40;
  career.managerSkills[2] = 9;
  career.freeSkillPoints = 0;
  cash = 5;
  stableCount = 4;
  std::strcpy(managerName, "Someone");
  resetManager();
  EXPECT_EQ(career.managerAge, 25);
  EXPECT_EQ(career.managerSkills[2], 1);
  EXPECT_EQ(career.freeSkillPoints, 20);
  EXPECT_EQ(cash, 225);
  EXPECT_EQ(stableCount, 2);
  EXPECT_STREQ(managerName, "New Manager");
}

// ---- Damaged data files -------------------------------------------------------------------

class BadData : public ::testing::Test {
 protected:
  void SetUp() override {
    KTools::OverrideExeFolder(nullptr);
    dir.copyFolder(std::string(KTools::GetExeFolder()) + "/data", "data");
    KTools::OverrideExeFolder(dir.path().c_str());
    std::srand(1);
  }
  void TearDown() override { KTools::OverrideExeFolder(nullptr); }

  std::string read(const std::string& name) {
    std::ifstream in(dir.file(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void replace(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = read(name);
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    dir.write(name, text);
  }
  // Generation must fail, leave the world as it was, and say which file is wrong.
  void expectRefused(const std::string& mentions) {
    Boxer before = boxers[17];
    int32_t cashBefore = cash;
    cash = 12345;
    EXPECT_FALSE(generateWorld());
    EXPECT_EQ(cash, 12345);
    EXPECT_EQ(std::memcmp(&before, &boxers[17], sizeof before), 0);
    std::string why = worldDataProblem();
    std::string named = mentions;  // as the system writes file names
    KTools::ConvertSlashes(named.data());
    EXPECT_NE(why.find(named), std::string::npos) << why;
    cash = cashBefore;
  }
  TempDir dir;
};

TEST_F(BadData, TheCopiedDataWorks) {
  EXPECT_TRUE(generateWorld()) << worldDataProblem();
  EXPECT_STREQ(worldDataProblem(), "");
}

TEST_F(BadData, MissingNationFile) {
  std::filesystem::remove(dir.file("data/nation.ini"));
  expectRefused("data/nation.ini");
}

TEST_F(BadData, MissingWeightFile) {
  std::filesystem::remove(dir.file("data/weights.ini"));
  expectRefused("data/weights.ini");
}

TEST_F(BadData, WeightLimitsThatDoNotFall) {
  replace("data/weights.ini", "W=154", "W=160");
  expectRefused("section [6]");
}

TEST_F(BadData, LightestLimitTooSmall) {
  replace("data/weights.ini", "W=105", "W=11");
  expectRefused("section [17]");
}

TEST_F(BadData, NoNationForTheLightCategories) {
  std::string text = read("data/nation.ini");
  for (size_t at = text.find("Data1="); at != std::string::npos; at = text.find("Data1=", at + 1)) {
    size_t end = text.find("\r\n", at);
    text.replace(at, end - at, "Data1=0");
  }
  dir.write("data/nation.ini", text);
  expectRefused("Data1");
}

TEST_F(BadData, NoNationForTheHeavyCategories) {
  std::string text = read("data/nation.ini");
  for (size_t at = text.find("Data2="); at != std::string::npos; at = text.find("Data2=", at + 1)) {
    size_t end = text.find("\r\n", at);
    text.replace(at, end - at, "Data2=0");
  }
  dir.write("data/nation.ini", text);
  expectRefused("Data2");
}

TEST_F(BadData, MissingNameFileOfADrawnNation) {
  std::filesystem::remove(dir.file("data/japanese-surname.ini"));
  // Both files named as the system writes them: the list and the nations' file that needs it.
  expectRefused("data/japanese-surname.ini holds no names, and the boxers of section [31] of data/nation.ini");
}

TEST_F(BadData, MissingNameFileOfANationThatIsNeverDrawn) {
  // Japan can no longer produce boxers, so its missing names harm nobody.
  std::filesystem::remove(dir.file("data/japanese-name.ini"));
  std::string text = read("data/nation.ini");
  size_t at = text.find("[31]");
  ASSERT_NE(at, std::string::npos);
  size_t d1 = text.find("Data1=", at), d1end = text.find("\r\n", d1);
  text.replace(d1, d1end - d1, "Data1=0");
  size_t d2 = text.find("Data2=", at), d2end = text.find("\r\n", d2);
  text.replace(d2, d2end - d2, "Data2=0");
  dir.write("data/nation.ini", text);
  EXPECT_TRUE(generateWorld()) << worldDataProblem();
  for (const Boxer& b : boxers) ASSERT_NE(b.nation, 31);
  EXPECT_EQ(firstNameCount, 387);  // the table keeps its positions; Japan's entries are empty
}

TEST_F(BadData, AShortNameFileLeavesEmptyEntriesThatAreNeverDrawn) {
  std::string text = read("data/italian-name.ini");
  text.resize(text.find("[100]"));
  dir.write("data/italian-name.ini", text);
  ASSERT_TRUE(generateWorld()) << worldDataProblem();
  for (const Boxer& b : boxers) ASSERT_NE(firstNames[b.firstName].name[0], 0);
}

}  // namespace
