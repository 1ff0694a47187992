#include "fight/bout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "career/world.h"
#include "fight/commentary.h"
#include "tools/KTools.h"

Fighter fighters[2];
int16_t roundIndex;
int16_t roundClock = 180;
int16_t count = kNoCount;
int16_t fightSpeed = 2;
int16_t savedFightSpeed = 2;
uint8_t textMode;
int16_t fightEvent = -1;
uint8_t fightDecided;
uint8_t continueRequested;
int16_t cornerOrders[3];
int16_t injuries[2][4];
RoundStats roundStats[2][kMaxRounds];
int16_t judgeCards[2][kMaxRounds][3];
uint32_t lastTick, lastClockTick, lastCountTick, lastOpponentThink;
uint32_t boutTime;
DamageMarker damageMarkers[kDamageMarkers];
int16_t fightEndNote;
int16_t fightNextScreen;
int16_t countedSide = -1;
int16_t punchesThrown[2][kMaxRounds];
StopCause stopCause = StopCause::None;

namespace {

uint32_t lastMarkerUpdate;

class SilentFightSounds : public FightSoundPlayer {
 public:
  void Play(FightSound, int) override {}
  void Stop(FightSound) override {}
  bool IsPlaying(FightSound) override { return false; }
};
SilentFightSounds silentSounds;
FightSoundPlayer* soundPlayer = &silentSounds;

int r(int n) { return std::rand() % n; }

bool passed(uint32_t now, uint32_t last, uint32_t interval) { return now - last > interval; }

}  // namespace

double rnd(double a, double b) { return a + (std::rand() % 32767) / 32767.0 * (b - a); }

const char* fightSoundFile(FightSound sound) {
  switch (sound) {
    case FightSound::Bell: return "data\\snd\\bell.ogg";
    case FightSound::Count: return "data\\snd\\count.ogg";
    case FightSound::Crowd: return "data\\snd\\Crowd.ogg";
    case FightSound::Fall: return "data\\snd\\Fall.ogg";
    case FightSound::Hit1: return "data\\snd\\hit1.ogg";
    case FightSound::Hit2: return "data\\snd\\hit2.ogg";
    case FightSound::Hit3: return "data\\snd\\hit3.ogg";
    case FightSound::Miss1: return "data\\snd\\miss1.ogg";
    case FightSound::Miss2: return "data\\snd\\miss2.ogg";
    case FightSound::KO: return "data\\snd\\KO.ogg";
    case FightSound::KO2: return "data\\snd\\KO2.ogg";
    case FightSound::TKO: return "data\\snd\\TKO.ogg";
    case FightSound::TKO2: return "data\\snd\\TKO2.ogg";
  }
  return "";
}

void setFightSoundPlayer(FightSoundPlayer* player) { soundPlayer = player ? player : &silentSounds; }
FightSoundPlayer& fightSounds() { return *soundPlayer; }

Fight* boutRecord() { return isFight(currentFight) ? &fights[currentFight] : nullptr; }

int boutBoxer(int side) {
  const Fight* f = boutRecord();
  if (!f) return -1;
  return side == kPlayerSide ? f->boxerA : f->boxerB;
}

int boutRounds() {
  const Fight* f = boutRecord();
  int rounds = f ? f->rounds : 0;
  return rounds < 1 ? 1 : rounds > kMaxRounds ? kMaxRounds : rounds;
}

void clearDamageMarkers() {
  for (DamageMarker& m : damageMarkers) m = DamageMarker{};
}

void placeDamageMarker(int puncher, float damage) {
  for (DamageMarker& m : damageMarkers) {
    if (m.life > 0) continue;
    const Fighter& p = fighters[puncher];
    double f = p.facing / 57.32484;
    m.life = 1.0f;
    m.angle = float(rnd(-45, 45));
    m.drift = float(rnd(0.75, 2.5));
    m.x = float(p.x + 64 * std::sin(f));
    m.y = float(p.y + 64 * std::cos(f));
    m.value = damage;
    m.side = int16_t(puncher);
    return;
  }
  // Every slot is busy: this marker is dropped.
}

void updateDamageMarkers(uint32_t now) {
  if (now - lastMarkerUpdate < 51) return;
  lastMarkerUpdate = now;
  for (DamageMarker& m : damageMarkers) {
    if (m.life <= 0) continue;
    m.life -= 0.02f;
    double a = m.angle / 57.32484;
    m.x -= float(std::sin(a) * m.drift);
    m.y -= float(std::cos(a) * m.drift);
  }
}

void beginBout() {
  roundIndex = 0;
  std::memset(roundStats, 0, sizeof roundStats);
  std::memset(injuries, 0, sizeof injuries);
  std::memset(judgeCards, 0, sizeof judgeCards);
  std::memset(punchesThrown, 0, sizeof punchesThrown);
  clearDamageMarkers();
  fightEndNote = 0;
  stopCause = StopCause::None;
  fightDecided = 0;
  continueRequested = 0;
  count = kNoCount;
  countedSide = -1;
  fightEvent = -1;
  if (fightSpeed < 1 || fightSpeed > 3) fightSpeed = 2;
  savedFightSpeed = fightSpeed;
  fightNextScreen = kNextCorner;
}

namespace {

void setUpFighter(Fighter& f, const Boxer& b) {
  f.power = f.powerMax = b.strength + b.technique;
  f.vitality = f.vitalityMax = b.endurance + b.stamina;
  f.speed = f.speedMax = b.quickness + b.agility;
}

}  // namespace

void prepareRound() {
  fightNextScreen = 0;
  int a = boutBoxer(kPlayerSide), b = boutBoxer(kOpponent);
  if (!isBoxer(a) || !isBoxer(b)) return;
  Boxer& mine = boxers[a];
  Fighter& opp = fighters[kOpponent];
  Fighter& me = fighters[kPlayerSide];

  // 1. Silence the count, clear the markers.
  fightSounds().Stop(FightSound::Count);
  clearDamageMarkers();

  // 2. The maxima fall by the damage taken in the round just ended.
  if (roundIndex > 0) {
    float dealtByMe = roundStats[kPlayerSide][roundIndex - 1].damage;
    float dealtByOpp = roundStats[kOpponent][roundIndex - 1].damage;
    opp.powerMax -= dealtByMe / float(r(10) + 15);
    opp.vitalityMax -= dealtByMe / float(r(10) + 15);
    opp.speedMax -= dealtByMe / float(r(10) + 15);
    me.powerMax -= dealtByOpp / float(r(10) + 15);
    me.vitalityMax -= dealtByOpp / float(r(10) + 15);
    me.speedMax -= dealtByOpp / float(r(10) + 15);
    // A maximum never falls below 1: a boxer beaten that far cannot get up any more, and
    // no value is divided by nothing.
    for (Fighter* f : {&opp, &me})
      for (float* m : {&f->powerMax, &f->vitalityMax, &f->speedMax})
        if (*m < 1) *m = 1;
  }

  // 3. The pace keeps no count speed.
  if (fightSpeed > 3) fightSpeed = 3;

  // 4. The figures come from the boxers' skills before the first round.
  if (roundIndex == 0) {
    setUpFighter(opp, boxers[b]);
    setUpFighter(me, mine);
  }

  // 5. The opponent's corner.
  for (int16_t& i : injuries[kOpponent]) i = int16_t(i - (r(6) + 1));
  float* oppValues[3] = {&opp.power, &opp.vitality, &opp.speed};
  float oppMaxima[3] = {opp.powerMax, opp.vitalityMax, opp.speedMax};
  for (int k = 0; k < 3; ++k)
    if (oppMaxima[k] / 2 > *oppValues[k]) *oppValues[k] += oppMaxima[k] / float(r(3) + 2);

  // 6. The player's corner order.
  switch (cornerOrders[2]) {
    case 0:  // rest
      for (int16_t& i : injuries[kPlayerSide]) i = int16_t(i - (r(3) + 2));
      if (mine.fitness < 9) mine.fitness++;
      if (me.power < me.powerMax / 2) me.power += me.powerMax / float(r(5) + 4);
      if (me.vitality < me.vitalityMax / 2) me.vitality += me.vitalityMax / float(r(5) + 4);
      if (me.speed < me.speedMax / 2) me.speed += me.speedMax / 4;
      break;
    case 1:  // treat injuries
      for (int16_t& i : injuries[kPlayerSide]) i = int16_t(i - (r(6) + 3));
      mine.fitness = int16_t(mine.fitness + 2);
      if (me.power < me.powerMax / 2) me.power += me.powerMax / float(r(5) + 2);
      if (me.vitality < me.vitalityMax / 2) me.vitality += me.vitalityMax / float(r(5) + 2);
      if (me.speed < me.speedMax / 2) me.speed += me.speedMax / float(r(3) + 2);
      break;
    default:  // encourage
      for (int16_t& i : injuries[kPlayerSide]) i = int16_t(i - (r(3) + 1));
      mine.morale = int16_t(mine.morale + 1);
      break;
  }

  // 7. Limits.
  if (mine.morale > 10) mine.morale = 10;
  if (mine.fitness > 10) mine.fitness = 10;
  for (auto& side : injuries)
    for (int16_t& i : side) i = int16_t(i < 1 ? 1 : i > 100 ? 100 : i);

  // 8. The player's boxer's values stay within their maxima.
  me.power = std::min(me.power, me.powerMax);
  me.vitality = std::min(me.vitality, me.vitalityMax);
  me.speed = std::min(me.speed, me.speedMax);
}

void startRound() {
  fightNextScreen = 0;
  count = kNoCount;
  countedSide = -1;
  roundClock = 180;
  fightEvent = 0;
  Fighter& opp = fighters[kOpponent];
  Fighter& me = fighters[kPlayerSide];

  int oppPunches, myPunches;
  bool opponentLeads = r(2) == 0 || opp.power + opp.vitality + opp.speed > me.power + me.vitality + me.speed;
  if (opponentLeads) {
    oppPunches = r(6) + r(6) + r(6) + 25;
    myPunches = r(4) + r(4) + r(4) + 20;
  } else {
    oppPunches = r(4) + r(4) + r(4) + 20;
    myPunches = r(6) + r(6) + r(6) + 25;
  }
  int order = cornerOrders[1] < 0 ? 0 : cornerOrders[1] > 2 ? 2 : cornerOrders[1];
  oppPunches /= order + 1;
  myPunches /= order + 1;
  oppPunches += r(4) + r(4);
  myPunches += r(4) + r(4);
  opp.punchesLeft = int16_t(oppPunches);
  me.punchesLeft = int16_t(myPunches);

  opp.x = opp.y = 40;
  opp.facing = 45;
  opp.pose = 47;
  me.x = me.y = 350;
  me.facing = 135;
  me.pose = 50;
  opp.action = me.action = Guard;
  opp.poseReverse = me.poseReverse = 0;

  if (textMode) {
    fightDecided = 0;
    continueRequested = 0;
    commentaryStart();
  }
  uint32_t now = KTools::GetMilliseconds();
  boutTime = lastTick = lastClockTick = lastCountTick = lastOpponentThink = now;
  fightSounds().Play(FightSound::Bell, 100);
}

namespace {

// A stop: the referee ends the fight in this round.
void stopFight(int winnerSide, StopCause cause) {
  Fight* f = boutRecord();
  count = kStopped;
  stopCause = cause;
  fighters[0].action = fighters[1].action = Guard;
  f->winner = int16_t(boutBoxer(winnerSide));
  f->stopRound = int16_t(roundIndex + 1);
  f->koRound = -1;
}

// A serious injury cuts the player's boxer's skills for good.
void seriousInjury() {
  int a = boutBoxer(kPlayerSide);
  if (!isBoxer(a)) return;
  Boxer& b = boxers[a];
  fightEndNote = kSeriousInjuryNote;
  struct Cut { float* skill; int16_t* max; double lo, hi; };
  Cut cuts[7] = {{&b.strength, &b.strengthMax, 0.3, 0.7},   {&b.endurance, &b.enduranceMax, 0.3, 0.7},
                 {&b.agility, &b.agilityMax, 0.4, 0.8},     {&b.quickness, &b.quicknessMax, 0.3, 0.7},
                 {&b.stamina, &b.staminaMax, 0.3, 0.7},     {&b.charisma, &b.charismaMax, 0.6, 0.9},
                 {&b.technique, &b.techniqueMax, 0.4, 0.8}};
  for (Cut& c : cuts) {
    double m = *c.max;
    *c.skill = float(rnd(m * c.lo, m * c.hi));
    *c.max = int16_t(*c.skill);
  }
}

}  // namespace

bool refereeStops() {
  if (count >= kStopped || !boutRecord()) return false;
  const RoundStats& mine = roundStats[kPlayerSide][roundIndex];
  const RoundStats& theirs = roundStats[kOpponent][roundIndex];
  Fighter& opp = fighters[kOpponent];
  Fighter& me = fighters[kPlayerSide];

  if (mine.knockdowns >= 3 ||
      (roundIndex > 4 && roundClock < 150 &&
       r(30) + r(30) + 250 < injuries[kPlayerSide][1] + injuries[kPlayerSide][2] + injuries[kPlayerSide][3])) {
    stopFight(kOpponent, mine.knockdowns >= 3 ? StopCause::ThreeKnockdowns : StopCause::Injuries);
    me.vitality = 0;
    int all = injuries[kPlayerSide][0] + injuries[kPlayerSide][1] + injuries[kPlayerSide][2] +
              injuries[kPlayerSide][3];
    if (r(75) + 300 < all) seriousInjury();
    return true;
  }
  if (theirs.knockdowns >= 3 || (roundIndex > 8 && roundClock < 150 && r(9200) == 77)) {
    stopFight(kPlayerSide, theirs.knockdowns >= 3 ? StopCause::ThreeKnockdowns : StopCause::LateRoundStop);
    opp.vitality = 0;
    return true;
  }
  if (mine.knockdowns >= 2 && opp.power / 2 > me.vitality && count > 4) {
    stopFight(kOpponent, StopCause::KnockdownsAndLowVitality);
    opp.pose = 46;
    me.pose = 49;
    return true;
  }
  if (theirs.knockdowns >= 2 && me.power / 2 > opp.vitality && count > 4) {
    stopFight(kPlayerSide, StopCause::KnockdownsAndLowVitality);
    opp.pose = 46;
    me.pose = 49;
    return true;
  }
  return false;
}

namespace {

bool frameShowsResultAfterCount() {
  return !textMode || continueRequested;
}

void countTimer(uint32_t now) {
  if (count >= kCountStarting && count < kStopped) {
    if (!passed(now, lastCountTick, 850)) return;
    lastCountTick = now;
    if (count < 97 && roundClock > 0) {
      count++;
      if (count == 9) {
        fightSounds().Play(FightSound::Bell, 100);
        fightSounds().Play(FightSound::Crowd, 100);
        fightDecided = 1;
      }
      if (count == 14) fightSounds().Play(r(7) > 2 ? FightSound::KO2 : FightSound::KO, 100);
    }
    if (count > 19 && frameShowsResultAfterCount()) fightNextScreen = kNextResult;
    return;
  }
  if (count > 98) {
    if (passed(now, lastCountTick, uint32_t(fightSpeed) * 150) && count < 120) {
      lastCountTick = now;
      count++;
      if (count == 100) {
        fightEvent = 10;
        fightSounds().Play(FightSound::Crowd, 100);
        fightSounds().Play(FightSound::Bell, 100);
        fightDecided = 1;
      }
      if (count == 104) fightEvent = 11;
      if (count == 108) fightSounds().Play(r(7) > 2 ? FightSound::TKO2 : FightSound::TKO, 100);
    }
    if (count > 115 && frameShowsResultAfterCount()) fightNextScreen = kNextResult;
  }
}

}  // namespace

namespace {

// One tick of the bout at boutTime.
void boutTick(Fight* f) {
  const uint32_t now = boutTime;

  // The step timer.
  if (passed(now, lastTick, uint32_t(fightSpeed) * 12) && roundClock > 0) {
    lastTick = now;
    fightStep(kOpponent);
    fightStep(kPlayerSide);
  }

  // The count and the end sequence.
  countTimer(now);

  // The clock.
  if (passed(now, lastClockTick, uint32_t(fightSpeed) * 120) && count < 9) {
    lastClockTick = now;
    if (roundClock > 0) roundClock--;
    if (roundClock == 1 && count < 9 && !textMode) endRound();
  }

  // A count that passed nine is a count-out.
  if (count > 9 && count < 99 && f->stopRound < 1) {
    f->koRound = int16_t(roundIndex + 1);
    int loser = countedSide >= 0 ? countedSide
                : fighters[kPlayerSide].action == Down ? kPlayerSide : kOpponent;
    f->winner = int16_t(boutBoxer(1 - loser));
    fightEvent = 9;
  }

  // Text mode: the event of this tick becomes a line.
  if (textMode) commentaryFrame();

  // Text mode: the round ends on the player's click once the clock ran out.
  if (textMode && roundClock == 0 && count < 9 && continueRequested && fightNextScreen == 0)
    fightNextScreen = roundIndex > boutRounds() - 1 || f->stopRound > 0 ? kNextResult : kNextCorner;
}

}  // namespace

void fightFrame() {
  Fight* f = boutRecord();
  if (!f) return;
  const uint32_t now = KTools::GetMilliseconds();
  // A stall: the time beyond the ticks one frame may run is left out, every timer moved on
  // with the bout's time so that none of them fires early.
  const uint32_t most = kBoutTickMs * kMaxTicksPerFrame;
  const uint32_t behind = now - boutTime;
  if (behind > most) {
    const uint32_t skipped = behind - most;
    boutTime += skipped;
    lastTick += skipped;
    lastClockTick += skipped;
    lastCountTick += skipped;
    lastOpponentThink += skipped;
  }
  while (now - boutTime >= kBoutTickMs && fightNextScreen == 0) {
    boutTime += kBoutTickMs;
    boutTick(f);
  }
}

void endRound() {
  Fight* f = boutRecord();
  if (!f) return;
  fightSounds().Play(FightSound::Bell, 100);
  fightSounds().Stop(FightSound::Count);
  fightSpeed = savedFightSpeed;

  if (roundIndex >= 0 && roundIndex < kMaxRounds) {
    const RoundStats& opp = roundStats[kOpponent][roundIndex];
    const RoundStats& me = roundStats[kPlayerSide][roundIndex];
    int s0 = int(rnd(0.75, 1.25) * opp.damage) + 75 * me.knockdowns;
    int s1 = int(rnd(0.75, 1.25) * me.damage) + 75 * opp.knockdowns;
    int x = 10, y = 10;
    for (int judge = 0; judge < 3; ++judge) {
      if (s0 > s1 && 100 - s1 * 100 / s0 > 15) x = 10, y = 9;
      if (s1 > s0 && 100 - s0 * 100 / s1 > 15) y = 10, x = 9;
      if (s0 > s1 && 100 - s1 * 100 / s0 > 30) x = 10, y = 8;
      if (s1 > s0 && 100 - s0 * 100 / s1 > 30) y = 10, x = 8;
      if (std::abs(s0 - s1) < 11) {
        if (r(11) > 3) y = 10, x = 9;
        else x = 10, y = 9;
      }
      if (std::abs(s0 - s1) < 6) {
        x = y = s0 + s1 < 50 ? 9 : 10;
      }
      if (opp.knockdowns > 1 && me.knockdowns == 0) y = 10, x = 7;
      if (me.knockdowns > 1 && opp.knockdowns == 0) x = 10, y = 7;
      judgeCards[kOpponent][roundIndex][judge] = int16_t(x);
      judgeCards[kPlayerSide][roundIndex][judge] = int16_t(y);
    }
  }
  roundIndex++;

  int rounds = boutRounds();
  bool stopped = f->koRound > 0 || f->stopRound > 0;
  if (roundIndex > rounds - 1 && !stopped) {
    int a = 0, b = 0;
    for (int round = 0; round < rounds; ++round)
      for (int judge = 0; judge < 3; ++judge) {
        a += judgeCards[kPlayerSide][round][judge];
        b += judgeCards[kOpponent][round][judge];
      }
    if (std::abs(a - b) < 8) {
      f->winner = kDraw;
      f->pointsA = f->pointsB = int16_t(10 * rounds);
    } else {
      f->pointsA = int16_t(a);
      f->pointsB = int16_t(b);
      f->winner = int16_t(a > b ? f->boxerA : f->boxerB);
      f->unanimous = std::abs(a - b) >= 11 ? 1 : 0;
    }
    if (!textMode) fightNextScreen = kNextResult;
    return;
  }
  if (!textMode) fightNextScreen = stopped || roundIndex > rounds - 1 ? kNextResult : kNextCorner;
  else if (stopped) fightNextScreen = kNextResult;
}

void throwTowel() {
  Fight* f = boutRecord();
  if (!f) return;
  // A decided fight stays as it was decided: a towel after a count-out or a stop would turn
  // a finished result around.
  if (f->koRound > 0 || f->stopRound > 0 || fightDecided) return;
  count = kStopped;
  fighters[0].action = fighters[1].action = Guard;
  f->winner = f->boxerB;
  f->stopRound = int16_t(roundIndex + 1);
  f->koRound = -1;
  fightEndNote = kTowelNote;
  stopCause = StopCause::Towel;
}

bool fightContinueClick() {
  if (!textMode) return false;
  const Fight* f = boutRecord();
  bool decided = f && (f->koRound > 0 || f->stopRound > 0);
  if (roundClock != 0 && count <= 9 && !decided) return false;
  if (continueRequested) return false;
  continueRequested = 1;
  endRound();
  if (decided && ((count > 19 && count < 99) || count > 115)) fightNextScreen = kNextResult;
  return true;
}

bool setFightPace(int button) {
  if (count != kNoCount || button < 1 || button > 3) return false;
  fightSpeed = savedFightSpeed = int16_t(4 - button);
  return true;
}
