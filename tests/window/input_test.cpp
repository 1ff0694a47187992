// The key table, the key maps of the platform layer and the text conversion.
#include <gtest/gtest.h>

#include <SDL.h>

#include <set>

#include "platform/input.h"
#include "window/KInput.h"

TEST(KeyTable, HasEveryEngineCodeAtItsPosition) {
  const KKeyEntry* table = KInput::GetKeyTable();
  for (int i = 0; i < KInput::kKeyTableSize; ++i) EXPECT_EQ(table[i].code, i);
  EXPECT_EQ(table[100].virtualKey, 9999);
  EXPECT_EQ(table[K_VK_L_SHIFT].virtualKey, 160);
  EXPECT_EQ(table[K_VK_R_CONTROL].virtualKey, 163);
  EXPECT_EQ(table[K_VK_A].virtualKey, 'A');
  EXPECT_EQ(table[K_VK_Z].virtualKey, 'Z');
  EXPECT_EQ(table[K_VK_0].virtualKey, '0');
  EXPECT_EQ(table[K_VK_NUM9].virtualKey, 105);
  EXPECT_EQ(table[K_VK_SUBTRACT].virtualKey, 109);
  EXPECT_EQ(table[K_VK_SNAPSHOT].virtualKey, 44);
  EXPECT_EQ(table[K_VK_NEXT].virtualKey, 34);
}

TEST(KeyTable, VirtualKeysMapBackToTheirCodes) {
  const KKeyEntry* table = KInput::GetKeyTable();
  for (int i = 0; i < 100; ++i) EXPECT_EQ(KInput::KeyCodeFromVirtualKey(table[i].virtualKey), i);
}

TEST(KeyTable, UnknownVirtualKeyIsCode100) {
  EXPECT_EQ(KInput::KeyCodeFromVirtualKey(16), 100);  // the generic Shift: the table has the sides
  EXPECT_EQ(KInput::KeyCodeFromVirtualKey(255), 100);
  EXPECT_EQ(KInput::KeyCodeFromVirtualKey(9999), 100);  // the end marker is no key
  EXPECT_EQ(KInput::KeyCodeFromVirtualKey(-1), 100);
}

TEST(KeyTable, CodesOutsideTheTableAreNeverDown) {
  EXPECT_FALSE(KInput::IsKeyDown(-1));
  EXPECT_FALSE(KInput::IsKeyDown(100));
  EXPECT_FALSE(KInput::IsKeyDown(101));
  EXPECT_FALSE(KInput::IsKeyDown(100000));
}

TEST(KeyMap, EveryTableKeyHasItsOwnScancode) {
  const KKeyEntry* table = KInput::GetKeyTable();
  std::set<int> scancodes;
  for (int i = 0; i < 100; ++i) {
    const platform::KeyInfo* key = platform::keyForVirtualKey(table[i].virtualKey);
    ASSERT_NE(key, nullptr) << "code " << i;
    EXPECT_TRUE(scancodes.insert(key->scancode).second) << "code " << i;
    EXPECT_NE(key->pcScan, 0) << "code " << i;
    // And back: the scancode's key reports the same virtual key.
    EXPECT_EQ(platform::keyForScancode(key->scancode)->virtualKey, table[i].virtualKey);
  }
}

TEST(KeyMap, LettersFollowTheLayoutOtherKeysTheirPosition) {
  // A French keyboard: the key where US keyboards have Q types 'a'.
  EXPECT_EQ(platform::virtualKeyForEvent(SDL_SCANCODE_Q, 'a'), 'A');
  EXPECT_EQ(platform::virtualKeyForEvent(SDL_SCANCODE_1, '&'), '1');
  EXPECT_EQ(platform::virtualKeyForEvent(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER), 13);
  EXPECT_EQ(platform::virtualKeyForEvent(SDL_SCANCODE_RALT, SDLK_RALT), 18);
  EXPECT_EQ(platform::virtualKeyForEvent(SDL_SCANCODE_MUTE, SDLK_MUTE), 0);
}

TEST(KeyMap, KeyMessageParameters) {
  // Scan code in bits 16-23, the extended flag in bit 24, previous state and transition above.
  EXPECT_EQ(platform::inputstate::keyLParam(SDL_SCANCODE_A, true, false), 0x001E0001u);
  EXPECT_EQ(platform::inputstate::keyLParam(SDL_SCANCODE_A, true, true), 0x401E0001u);
  EXPECT_EQ(platform::inputstate::keyLParam(SDL_SCANCODE_LEFT, false, false), 0xC14B0001u);
}

TEST(Text, Utf8BecomesWindows1252) {
  uint8_t out[16];
  size_t n = platform::utf8ToWindows1252("a\xC3\xA9\xE2\x82\xAC\xC5\x93\xE2\x84\xA2", out, sizeof out);
  ASSERT_EQ(n, 5u);
  EXPECT_EQ(out[0], 'a');
  EXPECT_EQ(out[1], 0xE9);  // é
  EXPECT_EQ(out[2], 0x80);  // €
  EXPECT_EQ(out[3], 0x9C);  // œ
  EXPECT_EQ(out[4], 0x99);  // ™
}

TEST(Text, CharactersWindows1252CannotHoldBecomeQuestionMarks) {
  uint8_t out[8];
  size_t n = platform::utf8ToWindows1252("\xE4\xB8\xAD\xF0\x9F\x98\x80\xFF", out, sizeof out);
  ASSERT_EQ(n, 3u);
  EXPECT_EQ(out[0], '?');  // a CJK character
  EXPECT_EQ(out[1], '?');  // an emoji
  EXPECT_EQ(out[2], '?');  // a byte that is no UTF-8
  EXPECT_EQ(platform::codePointToWindows1252(0x81), -1);  // a hole of the code page
  EXPECT_EQ(platform::codePointToWindows1252(0xFF), 0xFF);
}
