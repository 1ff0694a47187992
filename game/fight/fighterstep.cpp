// One simulation step of one side: turning, walking, closing in, backing away, punching,
// hits and misses, damage, injuries, knockdowns, getting up, and the limits.
#include <cmath>
#include <cstdlib>

#include "career/world.h"
#include "fight/bout.h"

namespace {

int r(int n) { return std::rand() % n; }

// |dx| + |dy|, each difference truncated to an integer first.
int distance() {
  int dx = int(fighters[0].x - fighters[1].x);
  int dy = int(fighters[0].y - fighters[1].y);
  return std::abs(dx) + std::abs(dy);
}

float stepLength(const Fighter& f) {
  float len = f.action == Approach ? f.speed / 8 : f.action == Evade ? f.speed / 4 : f.speed / 5;
  return len < 2 ? 2 : len > 4 ? 4 : len;
}

// One move along an axis: the step length and a little randomness.
float move(const Fighter& f) {
  return stepLength(f) + float(f.action == ToCorner ? r(2) : r(4));
}

void towards(Fighter& own, const Fighter& other) {
  if (own.x < other.x) own.x += move(own);
  else if (own.x > other.x) own.x -= move(own);
  if (own.y < other.y) own.y += move(own);
  else if (own.y > other.y) own.y -= move(own);
}

void awayFrom(Fighter& own, const Fighter& other) {
  if (own.x < other.x) own.x -= move(own);
  else if (own.x > other.x) own.x += move(own);
  if (own.y < other.y) own.y -= move(own);
  else if (own.y > other.y) own.y += move(own);
}

bool downOrRising(const Fighter& f) { return f.action == Down || f.action == Rising; }

int16_t guardPose(int side) { return side == kPlayerSide ? 49 : 46; }

void toGuard(Fighter& f, int side) {
  f.action = Guard;
  f.pose = guardPose(side);
  f.poseReverse = 1;
}

// The boxer who scored a knockdown reached his corner: the count begins.
void beginCount(Fighter& own, int side) {
  if (!fightSounds().IsPlaying(FightSound::Count)) fightSounds().Play(FightSound::Count, 100);
  toGuard(own, side);
  savedFightSpeed = fightSpeed;
  fightSpeed = 6;
  count = kCountStarting;
  countedSide = int16_t(1 - side);
  // The count runs from this step: "one" is called 850 ms later, with the count sound.
  lastCountTick = boutTime;
}

bool inCornerZone(const Fighter& f) {
  return (f.x < 32 || f.x > 338) && (f.y < 32 || f.y > 338);
}

// A fallen boxer's pose sinks to its last frame, and he is pushed off the ropes.
void lieDown(Fighter& own, int lastPose) {
  if (own.pose < lastPose) own.pose++;
  if (own.x < 80) own.x += 15;
  if (own.x > 320) own.x -= 15;
  if (own.y < 80) own.y += 15;
  if (own.y > 320) own.y -= 15;
}

// The walking poses cycle while a boxer moves.
void walkingPose(Fighter& own, int first, int last) {
  if (own.action != Approach && own.action != Evade && own.action != ToCorner) return;
  own.pose++;
  if (own.pose > last || own.pose < first) own.pose = int16_t(first);
}

void opponentFootwork(Fighter& own, Fighter& other) {
  // He decides on the bout's time, not the frame's: at the step that comes more than 250 ms x
  // the pace after his last decision (the sixteenth step of a steady guard).
  if (own.action == Guard && boutTime - lastOpponentThink > uint32_t(fightSpeed) * 250) {
    lastOpponentThink = boutTime;
    int d = distance();
    if (d > 140) {
      own.action = Approach;
      own.pose = 0;
      own.speed -= 0.01f;
    }
    if (d < 150) {
      own.action = Evade;
      own.pose = 0;
      own.speed -= 0.01f;
    }
  }
  if (own.action == Approach) {
    if (distance() < 60) {
      toGuard(own, kOpponent);
    } else if (other.action != Down && other.action != ToCorner && other.action != Rising) {
      towards(own, other);
    }
  }
  if (own.action == Evade) {
    if (200 - r(30) < distance()) {
      toGuard(own, kOpponent);
    } else {
      if (r(199) == 0) fightEvent = 14;
      int c = r(5);
      if (c >= 3) {
        if (own.x < 75) own.x += move(own);
        else if (own.x > 275) own.x -= move(own);
        if (own.y < 75) own.y += move(own);
        else if (own.y > 275) own.y -= move(own);
      } else {
        awayFrom(own, other);
      }
    }
  }
  if (own.action == Guard && !downOrRising(other) && own.punchesLeft > 0 && r(100) < 12 &&
      distance() < 100) {
    own.action = Punch;
    own.pose = int16_t(r(2) * 15 + 17);
    own.power -= 0.1f;
    own.punchesLeft--;
    punchesThrown[kOpponent][roundIndex]++;
  }
  if (own.action == ToCorner) {
    if (inCornerZone(own) && (std::fabs(own.x - other.x) > 120 || std::fabs(own.y - other.y) > 80)) {
      beginCount(own, kOpponent);
    } else {
      if (other.x > 149 && own.x > 30) own.x -= move(own);
      if (other.x < 150 && own.x < 340) own.x += move(own);
      if (other.y > 149 && own.y > 30) own.y -= move(own);
      if (other.y < 150 && own.y < 350) own.y += move(own);
    }
  }
  if (own.action == Down) lieDown(own, 15);
  walkingPose(own, 0, 7);
}

void playerFootwork(Fighter& own, Fighter& other) {
  if (own.action == Guard && r(15) > 9) {
    int d = distance();
    if (d > 40 && r(25) < 3) {
      own.action = Approach;
      own.pose = 0;
      own.speed -= 0.01f;
    }
    if ((cornerOrders[1] == 2 || r(8) < 3) && d < 100) {
      own.action = Evade;
      own.pose = 0;
      own.speed -= 0.01f;
      if (r(199) == 0) fightEvent = 15;
    }
  }
  if (own.action == Approach) {
    if (distance() < 60) {
      toGuard(own, kPlayerSide);
    } else if (other.action != Down && other.action != ToCorner && other.action != Rising) {
      towards(own, other);
    }
  }
  if (own.action == Evade) {
    if (150 - r(30) < distance()) {
      toGuard(own, kPlayerSide);
    } else {
      int c = r(5);
      float ox = std::fabs(own.x - other.x), oy = std::fabs(own.y - other.y);
      switch (c) {
        case 2:
          if (oy > 20 && ox > 40) own.x += move(own);
          if (ox > 20 && oy > 40) own.y += move(own);
          if (oy > 40) own.x -= move(own);
          if (ox > 40) own.y -= move(own);
          break;
        case 3:
          if (oy > 20 && ox > 40) own.x += move(own);
          if (oy > 20 && ox > 40) own.x -= move(own);
          break;
        case 4:
          if (ox > 20 && oy > 40) own.y += move(own);
          if (ox > 20 && oy > 40) own.y -= move(own);
          break;
        default:
          awayFrom(own, other);
          break;
      }
    }
  }
  if (own.action == Guard && own.punchesLeft > 0 && r(100) < 10 && !downOrRising(other) &&
      distance() < 100) {
    own.action = Punch;
    own.pose = int16_t(r(2) * 15 + 24);
    own.power -= 0.1f;
    own.punchesLeft--;
    punchesThrown[kPlayerSide][roundIndex]++;
  }
  if (own.action == ToCorner) {
    if (inCornerZone(own) && (std::fabs(own.x - other.x) > 120 || std::fabs(own.y - other.y) > 80)) {
      beginCount(own, kPlayerSide);
    } else {
      if (other.x > 150 && own.x > 30) own.x -= move(own);
      if (other.y > 159 && own.y > 30) own.y -= move(own);
      if (other.x < 151 && own.x < 350) own.x += move(own);
      if (other.y < 160 && own.y < 350) own.y += move(own);
    }
  }
  if (own.action == Down) lieDown(own, 7);
  walkingPose(own, 9, 16);
}

float powerBonus(float p) {
  if (p > 69 && p < 100) return r(50) / 100.0f;
  if (p > 49 && p < 70) return r(40) / 100.0f;
  if (p > 29 && p < 50) return r(30) / 100.0f;
  if (p > 9 && p < 30) return r(20) / 100.0f;
  if (p < 10) return r(10) / 100.0f;
  return 0.0f;
}

void playMiss() { fightSounds().Play(r(2) ? FightSound::Miss2 : FightSound::Miss1, 100); }

// A punch at its moment of impact.
void resolvePunch(int side, Fighter& own, Fighter& other) {
  int struck = 1 - side;
  RoundStats& stats = roundStats[side][roundIndex];
  int d = distance();
  if (d < 100) {
    int t = cornerOrders[1];
    bool miss;
    if (side == kOpponent) {
      miss = r(2 * t + 10) >= 5 || other.speed / 2 >= r(75) + r(75);
    } else {
      int a = boutBoxer(kPlayerSide);
      int morale = isBoxer(a) ? boxers[a].morale : 5;
      miss = r(2 * t + 10) >= morale / 10 + 5 || other.speed / 2 >= r(175);
    }
    if (miss) {
      stats.misses++;
      playMiss();
    } else {
      float damage = float(rnd(own.power / 100.0, own.power / 75.0)) + powerBonus(own.power);
      if (r(11) == 5) damage *= float(side == kOpponent ? r(4) + 2 : r(3) + 2);
      if (damage > 10) damage = 10;
      if (damage < 2) fightSounds().Play(FightSound::Hit1, 100);
      if (damage > 1 && damage < 5) fightSounds().Play(FightSound::Hit2, 100);
      if (damage > 4) fightSounds().Play(FightSound::Hit3, 100);
      placeDamageMarker(side, damage);
      stats.damage += 5 * damage;
      other.vitality -= damage;
      other.speed -= (damage + 1) / 5;
      fightEvent = int16_t(side == kOpponent ? r(3) + 1 : r(3) + 4);
      stats.hits++;

      int which = r(4);
      int16_t& injury = injuries[struck][which];
      int k = 13 - injury / 11;
      if (k < 1) k = 1;
      injury = int16_t(injury + r(k));
      if (r(17) == 0) injury = int16_t(injury + r(k));
      if (injury > 99) injury = 99;

      if (side == kOpponent && r(8) < 2) {
        int a = boutBoxer(kPlayerSide);
        if (isBoxer(a) && boxers[a].fitness > 1) boxers[a].fitness--;
      }

      if (own.power / 3 > r(100) + other.vitality || r(270) < roundIndex / 2 + 3 || other.vitality < 3) {
        other.vitality -= damage * float(r(8) + 8);
        injury = int16_t(injury + (struck == kPlayerSide ? r(10) + 5 : r(10) + 3));
        fightSounds().Play(FightSound::Fall, 100);
        other.action = Down;
        other.pose = int16_t(struck == kPlayerSide ? 0 : 8);
        own.action = ToCorner;
        own.pose = 0;
        fightEvent = int16_t(struck == kPlayerSide ? 8 : 7);
        roundStats[struck][roundIndex].knockdowns++;
      }
    }
  }
  if (d > 89) {
    stats.misses++;
    playMiss();
  }
}

void punchRules(int side, Fighter& own, Fighter& other) {
  if (own.action != Punch || downOrRising(other)) return;
  own.pose++;
  bool impact = side == kOpponent ? (own.pose == 23 || own.pose == 37) : (own.pose == 30 || own.pose == 44);
  if (impact) resolvePunch(side, own, other);
  if (own.action != Punch) return;  // a knockdown sent him to his corner
  bool ends = side == kOpponent ? (own.pose >= 25 && own.pose < 32) || own.pose >= 39
                                : (own.pose >= 32 && own.pose < 39) || own.pose >= 46;
  if (ends) {
    own.action = Guard;
    own.poseReverse = 1;
    own.pose = int16_t(side == kOpponent ? 46 : 50);
  }
}

void commonRules(int side, Fighter& own, Fighter& other) {
  // 1. The ropes.
  if ((own.x < 25 || own.x > 345 || own.y < 25 || own.y > 345) && own.action < Down) toGuard(own, side);
  own.x = own.x < 25 ? 25 : own.x > 345 ? 345 : own.x;
  own.y = own.y < 25 ? 25 : own.y > 345 ? 345 : own.y;

  // 2. Getting up, pose by pose.
  if (own.action == Rising) {
    own.pose--;
    bool up = side == kPlayerSide ? own.pose < 1 : own.pose <= 7;
    if (up) {
      toGuard(own, side);
      own.pose = guardPose(side);
      // A boxer still getting up when the count reached nine is out all the same.
      if (count < 9) {
        count = kNoCount;
        countedSide = -1;
      }
    }
  }

  // 3. Recovering on the floor.
  if (own.action == Down && count >= 0) {
    if (r(15) < 8 && own.vitalityMax > 1) {
      own.vitality += own.vitalityMax / float(100 - r(40));
      if (own.vitality > own.vitalityMax) own.vitality = own.vitalityMax;
      if (r(65) == 0 && r(50) + 3 * roundIndex > own.vitalityMax) {
        own.vitalityMax = 1;
        own.vitality = 0;
      }
    }
  }

  // 4. A breather.
  if (r(150) == 0 || (own.action == ToCorner && r(50) < 15)) {
    own.vitality += own.vitalityMax / float(250 - r(40));
    if (own.vitality > own.vitalityMax) own.vitality = own.vitalityMax;
  }

  // 5. Getting up in time.
  if (own.action == Down && std::fabs(own.x - other.x) > 70 && std::fabs(own.y - other.y) > 70 &&
      count > 3 && count < 9) {
    float ratio = own.vitality * 100 / own.vitalityMax;
    if ((r(15) + 2 * roundIndex < ratio || r(100) == 67) && own.vitalityMax > 1) {
      fightSounds().Stop(FightSound::Count);
      fightSounds().Play(FightSound::Crowd, 100);
      own.action = Rising;
      fightSpeed = savedFightSpeed;
      if (r(14) < 5 && own.vitality < own.vitalityMax / 2)
        own.vitality = float(rnd(own.vitalityMax / 2, own.vitalityMax));
      if (own.vitality > own.vitalityMax) own.vitality = own.vitalityMax;
      fightEvent = int16_t(side == kOpponent ? 12 : 13);
    }
  }

  // 6. Limits.
  float* values[3] = {&own.vitality, &own.speed, &own.power};
  float maxima[3] = {own.vitalityMax, own.speedMax, own.powerMax};
  for (int k = 0; k < 3; ++k) {
    if (*values[k] < 1) *values[k] = 1;
    if (*values[k] > maxima[k]) *values[k] = maxima[k];
  }

  // 7. The crowd.
  if (r(500) <= 1) {
    fightSounds().Play(FightSound::Crowd, 80);
    fightEvent = 0;
  }
}

}  // namespace

void fightStep(int side) {
  Fight* f = boutRecord();
  if (!f || side < 0 || side > 1) return;
  // 1. A decided fight is not simulated again.
  if (f->koRound > 0 || f->stopRound > 0) return;
  if (roundIndex < 0 || roundIndex >= kMaxRounds) return;
  Fighter& own = fighters[side];
  Fighter& other = fighters[1 - side];

  // 2. Facing.
  if (own.action != Down) {
    double dx = own.x - other.x, dy = own.y - other.y;
    double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0) d = 1;
    double c = dy / d;
    c = c < -1 ? -1 : c > 1 ? 1 : c;
    double a = dx > 0 ? std::acos(c) : 6.28 - std::acos(c);
    own.facing = int16_t(a * 57.32484 + 180);
    own.facing = int16_t(own.facing + r(2) - 1);
  }

  // 3. Idle pose.
  if (own.action == Guard) {
    int16_t bottom = side == kPlayerSide ? 49 : 46, top = int16_t(bottom + 2);
    if (own.poseReverse == 0 && own.pose < top) own.pose++;
    else if (own.poseReverse == 1 && own.pose > bottom) own.pose--;
    if (own.pose >= top) own.poseReverse = 1;
    if (own.pose <= bottom) own.poseReverse = 0;
  }

  // 4. The referee.
  if (refereeStops()) return;

  // 5. The end sequence moves nobody.
  if (count > 98) return;

  // 6. Footwork, punches and the common rules.
  if (side == kOpponent) opponentFootwork(own, other);
  else playerFootwork(own, other);
  punchRules(side, own, other);
  commonRules(side, own, other);
}
