#include "career/messages.h"

#include <cstdio>
#include <cstring>
#include <algorithm>

#include "career/contracts.h"
#include "career/monthadvance.h"
#include "career/rankings.h"
#include "career/world.h"
#include "tools/KTools.h"

namespace {

using V = MessageValue;
constexpr MessageLine L(int entry, V value = V::None) { return {int16_t(entry), nullptr, value}; }
constexpr MessageLine T(const char* text, V value = V::None) { return {-1, text, value}; }
// An entry with the English text it falls back to.
constexpr MessageLine E(int entry, const char* english, V value = V::None) {
  return {int16_t(entry), english, value};
}

char details[2][512];

const MessageDefinition kMessages[] = {
    {1, 2, {L(283), L(284)}, nullptr},
    {2, 3, {L(285, V::OpponentRank), L(286), L(287, V::SelectedRankMinus5)}, nullptr},
    {3, 4, {L(288), L(289), L(290), L(291)}, nullptr},
    {4, 4, {L(292), L(293), L(294), L(295)}, nullptr},
    {5, 4, {L(296), L(297), T("", V::BookedBy), L(298)}, nullptr},
    {6, 4, {L(299), L(300), L(301), L(302)}, nullptr},
    {7, 4, {L(303), L(304), L(305), L(306)}, nullptr},
    {8, 2, {L(307), L(308)}, nullptr},
    {9, 2, {L(309), L(310)}, nullptr},
    {10, 2, {L(311), L(312)}, nullptr},
    {11, 2, {L(313), L(314)}, nullptr},
    {12, 3, {L(315), L(316, V::MonthsLeftInDebt), L(317)}, nullptr},
    {13, 2, {L(318), L(319)}, nullptr},
    {14, 4, {L(320), L(321), L(322), L(323)}, nullptr},
    {15, 4, {L(324), L(325), L(326, V::EventCash), L(327)}, "data\\gfx\\random01.jpg"},
    {16, 4, {L(328), L(329, V::EventBoxerNames), L(330), L(331)}, "data\\gfx\\random02.jpg"},
    {17, 4, {T("CAR ACCIDENT!"), L(329, V::EventBoxerNames), L(332), L(333)}, "data\\gfx\\random03.jpg"},
    {18, 4, {L(334), L(329, V::EventBoxerNames), L(335), L(336)}, "data\\gfx\\random04.jpg"},
    {19, 3, {L(337), L(338), L(339)}, nullptr},
    {20, 3, {L(340), L(341), L(342)}, nullptr},
    {21, 3, {L(343), L(344, V::OfferYears), L(345, V::OfferPercent)}, nullptr},
    {22, 4, {L(346), L(347), L(348), L(349)}, nullptr},
    {24, 4, {L(355), L(356), L(357), L(358, V::ContractMonthsPercent)}, nullptr},
    {25, 4, {L(359), L(360), L(361), L(362)}, nullptr},
    {27, 3, {L(329, V::PopupBoxerNames), L(366), L(367)}, nullptr},
    {28, 3, {L(329, V::PopupBoxerNames), L(368), L(369, V::PopupBoxerAge)}, nullptr},
    {29, 3, {L(370), L(371), L(372)}, nullptr},
    {30, 3, {L(373), L(374), L(375)}, nullptr},
    {31, 4, {L(376), L(377), L(378), L(379)}, nullptr},
    {32, 3, {L(329, V::PopupBoxerNames), L(380), L(381)}, nullptr},
    {33, 4, {L(382), L(383), L(384), L(385)}, nullptr},
    {34, 4, {L(386), L(387), L(388), L(389)}, nullptr},
    {35, 4, {L(390), L(391), L(392), L(393)}, nullptr},
    {40, 4, {L(398), L(399), L(400), L(401)}, nullptr},
    {41, 4, {L(402), L(403), L(404, V::CareerYears), L(405)}, nullptr},
    {42, 3, {L(556, V::OpponentRank), L(557), L(558, V::SelectedRankPlus9)}, nullptr},
    {43, 1, {T("Once your boxer reaches the top ranking positions, he can fight less times a year, but gets higher purse.")}, nullptr},
    {kMessageDamagedSlot, 3,
     {E(601, "This saved game is damaged and cannot be loaded."),
      E(602, "Its file is kept as it is, so that it can be rescued:"), T("", V::Detail)},
     nullptr},
    {kMessageNoWorld, 3,
     {E(603, "No career can start: game files are damaged."), T("", V::Detail),
      E(604, "Please reinstall the game.")},
     nullptr},
    {kMessageSaveFailed, 4,
     {E(605, "The game could not be saved."), E(606, "Reason: %s", V::Detail),
      E(607, "Folder: %s", V::Detail2), E(608, "Nothing in this slot was changed.")},
     nullptr},
};

void copyName(char* dest, const char* src) {
  std::memset(dest, 0, 24);
  std::memcpy(dest, src, std::min<size_t>(20, std::strlen(src)));
}

void fillNames(ResolvedLine& line, int boxer) {
  if (!isBoxer(boxer)) return;
  copyName(line.strings[0], firstNameOf(boxers[boxer]));
  copyName(line.strings[1], surnameOf(boxers[boxer]));
}

int rankOf(int boxer) { return isBoxer(boxer) ? boxers[boxer].rank : 0; }

}  // namespace

const MessageDefinition* findMessage(int number) {
  for (const MessageDefinition& m : kMessages)
    if (m.number == number) return &m;
  return nullptr;
}

int resolveMessage(int number, ResolvedLine out[4]) {
  const MessageDefinition* m = findMessage(number);
  if (!m) return 0;
  for (int i = 0; i < m->lineCount; ++i) {
    const MessageLine& src = m->lines[i];
    ResolvedLine& line = out[i];
    std::memset(&line, 0, sizeof line);
    line.entry = src.entry;
    line.value = src.value;
    if (src.literal) std::snprintf(line.text, sizeof line.text, "%s", src.literal);
    switch (src.value) {
      case V::None: break;
      case V::OpponentRank: line.ints[0] = rankOf(opponent); break;
      case V::SelectedRankMinus5: line.ints[0] = rankOf(selectedBoxer) - 5; break;
      case V::SelectedRankPlus9: line.ints[0] = rankOf(selectedBoxer) + 9; break;
      case V::BookedBy:
        if (isBoxer(popupBoxer)) {
          const Boxer& b = boxers[popupBoxer];
          char name[48];
          formatBoxerName(b, name, sizeof name);
          std::snprintf(line.text, sizeof line.text, "%s (rank %d)", name, b.rank);
        }
        break;
      case V::MonthsLeftInDebt: line.ints[0] = debtAdvancesLeft(); break;
      case V::EventCash: line.ints[0] = eventValue * 100; break;
      case V::EventBoxerNames:
        if (eventValue >= 0 && eventValue < kStableSize) fillNames(line, career.stable[eventValue]);
        break;
      case V::PopupBoxerNames: fillNames(line, popupBoxer); break;
      case V::PopupBoxerAge: line.ints[0] = isBoxer(popupBoxer) ? boxers[popupBoxer].age : 0; break;
      case V::OfferYears: line.ints[0] = offerYears; break;
      case V::OfferPercent: line.ints[0] = offerPercent; break;
      case V::ContractMonthsPercent:
        if (isBoxer(selectedBoxer)) {
          line.ints[0] = boxers[selectedBoxer].contractMonths;
          line.ints[1] = boxers[selectedBoxer].pursePercent;
        }
        break;
      case V::CareerYears: line.ints[0] = year - KTools::GetYear(); break;
      case V::Detail: std::snprintf(line.detail, sizeof line.detail, "%s", details[0]); break;
      case V::Detail2: std::snprintf(line.detail, sizeof line.detail, "%s", details[1]); break;
    }
  }
  return m->lineCount;
}

void formatMessageLine(const ResolvedLine& line, const char* format, char* out, int size) {
  if (!out || size <= 0) return;
  out[0] = 0;
  const bool detail = line.value == V::Detail || line.value == V::Detail2;
  if (line.entry < 0) {
    std::snprintf(out, size_t(size), "%s", detail ? line.detail : line.text);
    return;
  }
  if (!format || !format[0]) format = line.text;  // the English text of a missing entry
  switch (line.value) {
    case V::EventBoxerNames:
    case V::PopupBoxerNames:
      formatWithName(out, size, format, line.strings[0], line.strings[1]);
      break;
    case V::ContractMonthsPercent:
      std::snprintf(out, size_t(size), format, line.ints[0], line.ints[1]);
      break;
    case V::Detail:
    case V::Detail2:
      std::snprintf(out, size_t(size), format, line.detail);
      break;
    case V::None:
      std::snprintf(out, size_t(size), "%s", format);
      break;
    default:
      std::snprintf(out, size_t(size), format, line.ints[0]);
      break;
  }
}

void showMessage(int number, const char* detail, const char* detail2) {
  popup = int16_t(number);
  std::snprintf(details[0], sizeof details[0], "%s", detail ? detail : "");
  std::snprintf(details[1], sizeof details[1], "%s", detail2 ? detail2 : "");
  for (char* text : details)
    for (char* c = text; *c; ++c)
      if (*c == '\\') *c = '/';
}
