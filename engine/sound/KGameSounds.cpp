#include "sound/KGameSounds.h"

#include <string>

#include "sound/KSound.h"
#include "tools/KTools.h"

const char* const kGameSoundFiles[kGameSoundCount] = {
    "data\\snd\\click.ogg", "data\\snd\\over.ogg",  "data\\snd\\canc.ogg",
    "data\\snd\\Crowd.ogg", "data\\snd\\Fall.ogg",  "data\\snd\\hit1.ogg",
    "data\\snd\\hit2.ogg",  "data\\snd\\hit3.ogg",  "data\\snd\\miss1.ogg",
    "data\\snd\\miss2.ogg", "data\\snd\\bell.ogg",  "data\\snd\\count.ogg",
    "data\\snd\\KO.ogg",    "data\\snd\\KO2.ogg",   "data\\snd\\TKO.ogg",
    "data\\snd\\TKO2.ogg",  "data\\snd\\tutorial01.ogg",
};

int LoadGameSounds(KSound* sounds[kGameSoundCount]) {
  int loaded = 0;
  for (int i = 0; i < kGameSoundCount; ++i) {
    sounds[i] = new KSound();
    const std::string path = KTools::GetDataPath(kGameSoundFiles[i]);
    if (sounds[i]->Load(path.c_str(), 100, false, 1)) ++loaded;
  }
  return loaded;
}

void ReleaseGameSounds(KSound* sounds[kGameSoundCount]) {
  for (int i = 0; i < kGameSoundCount; ++i) {
    delete sounds[i];
    sounds[i] = nullptr;
  }
}
