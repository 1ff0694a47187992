// The bout: the two fighters, the rounds and their clocks, the count, the referee, the corner
// and the judges, all in fixed storage. Side 0 is the opponent (the fight record's boxerB),
// side 1 the player's boxer (boxerA).
#pragma once

#include <cstdint>

enum FighterAction : int16_t {
  Guard = 0,     // standing, idle pose swinging
  Approach = 1,  // stepping towards the other boxer
  Evade = 2,     // moving away, or back to the middle of the ring
  Punch = 3,
  Down = 4,      // knocked down
  ToCorner = 5,  // the boxer who scored a knockdown walks to a corner
  Rising = 6,    // getting up after a knockdown
};

struct Fighter {
  int16_t facing;        // degrees
  float x, y;            // ring units; the floor is 25..345 on both axes
  int16_t pose;          // animation pose number
  int16_t action;        // FighterAction
  uint8_t poseReverse;   // idle swing direction: 0 rising, 1 falling
  float power, vitality, speed;
  float powerMax, vitalityMax, speedMax;
  int16_t punchesLeft;   // punches this side may still throw this round
};

struct RoundStats {
  int16_t misses;        // punches of this side that missed
  int16_t hits;          // punches of this side that landed
  int16_t knockdowns;    // knockdowns this side suffered
  float damage;          // five times the damage this side dealt
};

// A number that rises from a landed punch and fades.
struct DamageMarker {
  float x, y;            // screen position
  float angle;           // degrees
  float drift;           // pixels per update
  float life;            // 1 down to 0, also the opacity; free at 0 or less
  float value;           // the punch's damage
  int16_t side;          // 0 the opponent's punch, 1 the player's boxer's
};

constexpr int kOpponent = 0;
constexpr int kPlayerSide = 1;
constexpr int kMaxRounds = 12;
constexpr int kDamageMarkers = 32;

// count values besides 0..19 of the referee's count.
constexpr int16_t kNoCount = -2;
constexpr int16_t kCountStarting = -1;
constexpr int16_t kStopped = 99;     // 99..120: the fight was stopped, end sequence

// fightEndNote values.
constexpr int16_t kTowelNote = 98;
constexpr int16_t kSeriousInjuryNote = 99;

// What the bout asks the screens to show next (fightNextScreen): the corner before the next
// round, or the result. The values are those screens' states, so that the fight screen switches
// to them as they are.
constexpr int16_t kNextCorner = 8;
constexpr int16_t kNextResult = 10;

// Why a fight was stopped before its end, for the fight runner's statistics.
enum class StopCause : int16_t {
  None,
  ThreeKnockdowns,           // three knockdowns in one round
  Injuries,                  // the player's boxer's injuries late in a long fight
  LateRoundStop,             // the referee's rare stop in favour of the player's boxer, late in a long fight
  KnockdownsAndLowVitality,  // two knockdowns in the round and too little vitality left to go on
  Towel,
};

// ---- The bout's state ---------------------------------------------------------------------

extern Fighter fighters[2];
extern int16_t roundIndex;           // 0-based
extern int16_t roundClock;           // seconds left, 180 at the start of a round
extern int16_t count;                // see the constants above
extern int16_t fightSpeed;           // pace 1 fast .. 3 slow; 6 while a count runs
extern int16_t savedFightSpeed;
extern uint8_t textMode;             // 1 text commentary, 0 ring view
extern int16_t fightEvent;           // last event; -1 once consumed
extern uint8_t fightDecided;         // a K.O. or stop is final
extern uint8_t continueRequested;    // text mode: the player clicked to go on
extern int16_t cornerOrders[3];      // each 0..2
extern int16_t injuries[2][4];
extern RoundStats roundStats[2][kMaxRounds];
extern int16_t judgeCards[2][kMaxRounds][3];
extern uint32_t lastTick, lastClockTick, lastCountTick, lastOpponentThink;
// The bout keeps its own time in ticks of 16 ms, the frame of the 60 Hz display its balance was
// set on: the step, clock, count and end-sequence timers are tested once per tick, the
// opponent's decisions follow the steps, and the commentary takes one event per tick. A frame
// runs as many ticks as the time since the last one holds, so the fight plays out the same at
// any frame rate; a frame after a stall runs at most kMaxTicksPerFrame of them and the rest of
// the stall is left out, as if the fight had been paused.
constexpr uint32_t kBoutTickMs = 16;
constexpr int kMaxTicksPerFrame = 16;
// The engine time the bout has reached: the tick being run, or between frames the last one.
extern uint32_t boutTime;
extern DamageMarker damageMarkers[kDamageMarkers];
extern int16_t fightEndNote;         // 0, kTowelNote or kSeriousInjuryNote
extern int16_t fightNextScreen;      // 0 stay; kNextCorner or kNextResult when due
extern int16_t countedSide;          // the side being counted, -1 none
extern int16_t punchesThrown[2][kMaxRounds];  // punches started, per side and round
extern StopCause stopCause;          // StopCause::None unless the fight was stopped

// ---- Sounds -------------------------------------------------------------------------------

enum class FightSound : int16_t {
  Bell, Count, Crowd, Fall, Hit1, Hit2, Hit3, Miss1, Miss2, KO, KO2, TKO, TKO2
};
// "data\snd\bell.ogg" and so on.
const char* fightSoundFile(FightSound sound);

// Where the bout's sounds go; a silent player stands in until the game installs one.
class FightSoundPlayer {
 public:
  virtual ~FightSoundPlayer() = default;
  virtual void Play(FightSound sound, int volume) = 0;  // volume 0..100
  virtual void Stop(FightSound sound) = 0;
  virtual bool IsPlaying(FightSound sound) = 0;
};
void setFightSoundPlayer(FightSoundPlayer* player);
FightSoundPlayer& fightSounds();

// ---- The bout's operations ----------------------------------------------------------------

// After playInteractively: round 0, statistics, injuries, cards and markers cleared; the
// corner screen comes next.
void beginBout();

// On entering the corner screen before every round, the first included.
void prepareRound();

// On entering the fight screen for a round.
void startRound();

// Once per frame while the fight screen shows: the ticks due since the last frame, each with
// the step, count, end-sequence and clock timers, the count-out record and, in text mode, the
// commentary. Sets fightNextScreen when another screen is due.
void fightFrame();

// The referee's stops; true when the fight was stopped now.
bool refereeStops();

// Judges the round, advances roundIndex and chooses the next screen.
void endRound();

// The towel: the opponent wins by T.K.O. in the current round. Ignored once the fight is
// decided.
void throwTowel();

// Text mode: the click that goes on after the round clock ran out or the fight was decided.
bool fightContinueClick();

// Pace buttons 1..3 (fightSpeed 3, 2, 1); they act only while no count runs.
bool setFightPace(int button);

// One simulation step of a side.
void fightStep(int side);

// Damage markers: placed by a landed punch, moved and faded every 51 ms by the screen.
void placeDamageMarker(int puncher, float damage);
void updateDamageMarkers(uint32_t now);
void clearDamageMarkers();

// The fight record being fought (fights[currentFight]); null when there is none.
struct Fight;
Fight* boutRecord();
// The boxer index of a side.
int boutBoxer(int side);
// The scheduled rounds of the fight.
int boutRounds();

// rnd(a, b) of the bout: a + (rand() % 32767) / 32767 x (b - a).
double rnd(double a, double b);
