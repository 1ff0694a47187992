// The game's sounds: the files that start-up loads into one
// KSound each, in this order, with volume 100, no loop and one voice; the music files; the fixed
// master levels. One table for the shell and the screens that play them.
#pragma once

class KSound;

enum KGameSound : int {
  kSoundClick = 0,   // button press
  kSoundOver,        // the mouse enters a hotspot
  kSoundCancel,      // cancel on the boxer search screen
  kSoundCrowd,       // the fight from here on
  kSoundFall,
  kSoundHit1,
  kSoundHit2,
  kSoundHit3,
  kSoundMiss1,
  kSoundMiss2,
  kSoundBell,
  kSoundCount,
  kSoundKO,
  kSoundKO2,
  kSoundTKO,
  kSoundTKO2,
  kSoundTutorialVoice,  // "tutorial01.ogg"; the tutorial loads the later voices into it
  kGameSoundCount
};

// Data file names as the game writes them (Windows separators, resolved by KTools::GetDataPath).
extern const char* const kGameSoundFiles[kGameSoundCount];

constexpr const char* kLoadingMusicFile = "data\\snd\\halvornsound.ogg";  // once, while loading
constexpr const char* kThemeMusicFile = "data\\snd\\theme.ogg";  // main menu, result screen
constexpr const char* kTutorialVoiceFormat = "data\\snd\\tutorial%02d.ogg";  // 1 .. 8
constexpr int kLoadingMusicVolumes[3] = {80, 60, 40};  // the jingle's fade while loading
constexpr int kGameMusicMaster = 99;  // SetMasterVolumes(music, sound) at start-up and menu
constexpr int kGameSoundMaster = 80;

// Creates one KSound per entry of kGameSoundFiles into sounds[] and loads it from the data
// folder beside the program (volume 100, no loop, one voice). A missing file leaves its object
// empty, so playing it does nothing. Returns how many files loaded.
int LoadGameSounds(KSound* sounds[kGameSoundCount]);
// Deletes the objects and clears the slots.
void ReleaseGameSounds(KSound* sounds[kGameSoundCount]);
