#include "textrules.h"

#include "textcheck.h"

#include <cstdio>

#include "ui/texttable.h"

namespace {

// Argument shorthands: an int (16-bit values promoted), a text, a double.
constexpr TextArg I(const char* name, const char* ctype, const char* sample) {
  return TextArg{'d', name, ctype, sample};
}
constexpr TextArg S(const char* name, const char* sample) {
  return TextArg{'s', name, "const char*", sample};
}

// Samples: wide but plausible values.
constexpr TextArg kSurname = S("surname", "Montgomery");
constexpr TextArg kFirstName = S("first name", "Alexander");
constexpr TextArg kCategoryName = S("weight category name", "Super Featherweight");

// Width budgets in pixels of the small font.
constexpr int kHelp = 800;       // help lines centred between x 0 and 800
constexpr int kPopup = 250;      // monthly pop-up: inside the 256-pixel calendar picture
constexpr int kMessage = 500;    // the message window's heading
constexpr int kCaption = 400;    // ring-view captions, centred between x 100 and 500
constexpr int kFightHelp = 300;  // fight screen help, centred between x 500 and 800
constexpr int kRating = 95;      // manager rating labels, centred between x 235 and 330
constexpr int kSkill = 95;       // skill labels before their numbers (rankings: x 80..180)
constexpr int kCorner = 155;     // corner screen labels, centred over x 600..755
constexpr int kFilter = 105;     // search filter labels, before their steppers
constexpr int kPanel = 300;      // headings and lines of panels whose layout is ours

// Word-wrapped paragraphs. A line of the message window may take the two rows the window has to
// spare (each whole message is checked as well); the finances screen's left page is x 52..236.
constexpr int kMessageRows = 3;
constexpr int kFinancePage = 184;

// A rule for a text drawn as a paragraph of at most `rows` lines in a column `column` pixels
// wide (instead of one line of limited width).
TextRule wrapped(TextRule rule, int column, int rows) {
  rule.maxWidth = 0;
  rule.wrapWidth = column;
  rule.maxLines = rows;
  return rule;
}

// A line of the message window, with the arguments its format receives.
TextRule msg(int first, int last, const char* where, TextArg a = {}, TextArg b = {}) {
  return wrapped({first, last, where, 0, 0, 0, {a, b}}, kMessageColumn, kMessageRows);
}
TextRule msg(int first, int last, const char* where, unsigned flags) {
  return wrapped({first, last, where, 0, 0, flags}, kMessageColumn, kMessageRows);
}

constexpr unsigned kUnused = kTextUnused;
constexpr unsigned kProposed = kTextProposed;
constexpr unsigned kLabel = kTextLabel;

const TextRule kRules[] = {
    // Monthly message pop-up: drawn centred over the calendar picture (slot 21 at
    // (272, 172)) after the new date; messagePopup is 1..9, so kind 10 never shows.
    {0, 0, "monthly pop-up: heading under the new date (y 330)", kPopup},
    {1, 3, "monthly pop-up kind 1: lines at y 350, 365, 380", kPopup},
    {4, 6, "monthly pop-up kind 2: lines at y 350, 365, 380", kPopup},
    {7, 9, "monthly pop-up kind 3: lines at y 350, 365, 380", kPopup},
    {10, 13, "monthly pop-up kind 4: lines at y 350, 365, 380, 395", kPopup},
    {14, 16, "monthly pop-up kind 5: lines at y 350, 365, 380", kPopup},
    {17, 19, "monthly pop-up kind 6: lines at y 350, 365, 380", kPopup},
    {20, 23, "monthly pop-up kind 7: lines at y 350, 365, 380, 395", kPopup},
    {24, 27, "monthly pop-up kind 8: lines at y 350, 365, 380, 395", kPopup},
    {28, 30, "monthly pop-up kind 9: lines at y 350, 365, 380", kPopup},
    {31, 33, "monthly pop-up kind 10: never drawn (messagePopup is 1..9), kept as a tenth message",
     kPopup, 0, kUnused},

    // Manager profile panel and month screen manager panel.
    {34, 34, "manager profile panel: title, centred between x 235 and 585 at y 209", 350},
    {35, 35, "manager rating 1 (training): profile panel row label (x 235..330) and month "
             "screen manager panel label", kRating},
    {36, 36, "manager rating 2 (scouting): profile panel and month screen label", kRating},
    {37, 37, "manager rating 3 (motivation): profile panel and month screen label", kRating},
    {38, 38, "manager rating 4 (negotiation): profile panel and month screen label", kRating},
    {39, 39, "manager rating 5 (media, read by no rule): profile panel and month screen label",
     kRating},
    {40, 40, "manager profile panel range, not drawn by any Part", 350, 0, kUnused},

    // Status line and header of the career screens.
    {41, 41, "status line: cash, right-aligned at x 765, y 512", 200, 0, 0,
     {I("cash", "int32_t", "1250000")}},
    {42, 42, "status line: manager's age at (38, 512)", 120, 0, 0,
     {I("managerAge", "int16_t", "60")}},
    {43, 43, "status line: career record at (165, 512)", 360, 0, 0,
     {I("careerStats wins", "int16_t", "148"), I("careerStats draws", "int16_t", "12"),
      I("careerStats losses", "int16_t", "48")}},
    {44, 44, "help, tab 1 (month screen), line at y 535", kHelp},
    {45, 46, "help, tab 1 while a fight of the stable is due next month, lines at y 550, 565",
     kHelp},
    {47, 48, "help, tab 2 (boxers), lines at y 540, 560", kHelp},
    {49, 49, "help, tab 3 (finances), line at y 550", kHelp},
    {50, 50, "help, tab 4 (rankings), line at y 550", kHelp},
    {51, 51, "help, tab 5 (boxer search), line at y 550", kHelp},
    {52, 52, "help, tab 6 (save/load menu), line at y 550", kHelp},
    {53, 53, "help, header with manager and date (490, 64)-(760, 85): opens the profile panel",
     kHelp},

    // Manager ratings help: new-manager screen rows and profile panel rows.
    {54, 56, "help, manager rating row 1 (training), lines at y 535, 550, 565", kHelp},
    {57, 59, "help, manager rating row 2 (scouting), lines at y 535, 550, 565", kHelp},
    {60, 62, "help, manager rating row 3 (motivation), lines at y 535, 550, 565", kHelp},
    {63, 64, "help, manager rating row 4 (negotiation), lines at y 535, 550", kHelp},
    {65, 66, "help, manager rating row 5 (media), lines at y 535, 550", kHelp},

    // Skill labels.
    {67, 67, "skill label: strength (boxer screen, search screen, rankings)", kSkill},
    {68, 68, "skill label: agility (boxer screen, search screen, rankings)", kSkill},
    {69, 69, "skill label: endurance (boxer screen, search screen, rankings)", kSkill},
    {70, 70, "skill label: quickness (boxer screen, search screen, rankings)", kSkill},
    {71, 71, "skill label: stamina (boxer screen, search screen, rankings)", kSkill},
    {72, 72, "skill label: technique (boxer screen, search screen, rankings)", kSkill},
    {73, 73, "skill label: charisma at (55, 472) (boxer screen, search screen)", kSkill},
    {74, 74, "rankings screen: hint under the selected boxer (y 215) when a fight is possible",
     370},

    // Boxer search screen (its drawing is ours to lay out).
    {75, 75, "boxer search: filter panel title in statistics mode", kPanel, 0, kProposed},
    {76, 76, "boxer search: filter panel title in record mode", kPanel, 0, kProposed},
    {77, 77, "boxer search: heading of the minimum-skill filters", kPanel, 0, kProposed},
    {78, 78, "boxer search: result list column 1 heading (name; sorts by surname)", 120, 0,
     kProposed},
    {79, 79, "boxer search: record-mode column heading, wins", 60, 0, kProposed},
    {80, 80, "boxer search: record-mode column heading, draws", 60, 0, kProposed},
    {81, 81, "boxer search: record-mode column heading, losses", 60, 0, kProposed},
    {82, 82, "boxer search: record-mode column heading, KO wins", 60, 0, kProposed},
    {83, 83, "boxer search: record-mode column heading, age", 60, 0, kProposed},
    {84, 84, "boxer search: record-mode column heading, weight category", 60, 0, kProposed},
    {85, 85, "boxer search: candidate panel heading", kPanel, 0, kProposed},
    {86, 86, "boxer search: label of the contract length stepper (offerYears)", 110, 0,
     kProposed},
    {87, 87, "boxer search: label of the purse share stepper (offerPercent)", 110, 0, kProposed},
    {88, 88, "boxer search: shown in the list when the search found nobody", kPanel, 0,
     kProposed},

    // Corner screen.
    {89, 89, "corner screen: label on the fitness bar, centred over x 600..755 at y 72", kCorner},
    {90, 90, "corner screen: label on the morale bar, centred over x 600..755 at y 102", kCorner},
    {91, 91, "corner screen: condition box heading, centred over x 600..755 at y 30", kCorner},
    {92, 92, "corner screen: condition box second line, centred over x 600..755 at y 45", kCorner},
    {93, 94, "corner screen before the first round: lines at y 440, 470 (over x 240..555)", 315},
    {95, 95, "corner screen from round 2: score table heading at y 440 (over x 240..555)", 315},
    {96, 96, "corner screen score table: column head over x 240..350 (boxer)", 110},
    {97, 97, "corner screen score table: column head over x 375..475 (the round's card)", 100},
    {98, 98, "corner screen score table: column head over x 475..575 (cards so far)", 100},
    {99, 99, "fight statistics panel: round clock, centred over x 525..790 at y 143", 265, 0, 0,
     {I("minutes", "int", "3"), I("seconds", "int", "0")}},

    // Ring-view captions: centred between x 100 and 500.
    {100, 100, "caption and text-mode header line 1 (y 520): round", kCaption, 0, 0,
     {I("round number, from 1", "int", "12"), I("rounds of the fight", "int16_t", "12")}},
    {101, 101, "caption and text-mode header line 3 (y 560): the opponent's weight category",
     kCaption, 0, 0, {kCategoryName}},
    {102, 102, "caption, events 1 and 4 (y 520): the puncher", kCaption, 0, 0, {kSurname}},
    {103, 103, "caption, events 1 and 4 (y 540): the boxer hit", kCaption, 0, 0, {kSurname}},
    {104, 104, "caption, events 1, 4 and 5 (y 560)", kCaption},
    {105, 105, "caption, events 2 and 5 (y 520): the puncher", kCaption, 0, 0, {kSurname}},
    {106, 106, "caption, events 2 and 5 (y 540): the boxer hit", kCaption, 0, 0, {kSurname}},
    {107, 107, "caption, events 2 and 6 (y 560)", kCaption},
    {108, 108, "caption, events 3 and 6 (y 520): the puncher", kCaption, 0, 0, {kSurname}},
    {109, 109, "caption, events 3 and 6 (y 540): the boxer hit", kCaption, 0, 0, {kSurname}},
    {110, 110, "caption, event 3 (y 560)", kCaption},
    {111, 111, "caption, events 7 and 8 (y 530): the boxer knocked down", kCaption, 0, 0,
     {kSurname}},
    {112, 112, "caption, events 7 and 8 (y 560)", kCaption},
    {113, 113, "caption, event 9, count-out (y 520)", kCaption},
    {114, 114, "caption, event 9 (y 540): the winner", kCaption, 0, 0, {kSurname}},
    {115, 115, "caption, event 9 (y 560): the round", kCaption, 0, 0,
     {I("round number, from 1", "int", "12")}},
    {116, 116, "caption, event 10, the stop is announced (y 520)", kCaption},
    {117, 117, "caption, event 10 (y 540): the winner", kCaption, 0, 0, {kSurname}},
    {118, 118, "caption, event 10 (y 560)", kCaption},
    {119, 119, "caption, event 11, the T.K.O. winner (y 520)", kCaption},
    {120, 120, "caption, event 11 (y 540): the winner", kCaption, 0, 0, {kSurname}},
    {121, 121, "caption, event 11 (y 560): the round", kCaption, 0, 0,
     {I("round number, from 1", "int", "12")}},

    // Result screen: centred across the 800-pixel width.
    {122, 122, "result screen, draw (y 510): the player's boxer", kHelp, 0, 0,
     {kFirstName, kSurname}},
    {123, 123, "result screen, draw (y 530): the scores", kHelp, 0, 0,
     {I("opponent's points / 3", "int", "120"), I("player's boxer's points / 3", "int", "120")}},
    {124, 124, "result screen (y 550): the purse and the boxer's share", kHelp, 0, 0,
     {I("purse", "int16_t", "1500"), I("boxer's share", "int", "750")}},
    {125, 125, "result screen, win (y 510): the player's boxer", kHelp, 0, 0,
     {kFirstName, kSurname}},
    {126, 126, "result screen, win that holds rank 1 (y 510)", kHelp, 0, 0,
     {kFirstName, kSurname, kCategoryName}},
    {127, 127, "result screen, win or loss by count-out (y 530)", kHelp, 0, 0,
     {I("koRound", "int16_t", "12")}},
    {128, 128, "result screen, win or loss by a stop (y 530)", kHelp, 0, 0,
     {I("stopRound", "int16_t", "12")}},
    {129, 129, "result screen, unanimous points decision (y 530)", kHelp, 0, 0,
     {I("opponent's points / 3", "int", "120"), I("player's boxer's points / 3", "int", "108")}},
    {130, 130, "result screen, split points decision (y 530)", kHelp, 0, 0,
     {I("opponent's points / 3", "int", "120"), I("player's boxer's points / 3", "int", "108")}},
    {131, 131, "result screen, loss (y 510): the player's boxer", kHelp, 0, 0,
     {kFirstName, kSurname}},
    {132, 132, "result screen, loss to the holder of rank 1 (y 510)", kHelp, 0, 0,
     {kFirstName, kSurname, kCategoryName}},
    {133, 133, "result screen (y 580): how to go on", kHelp},

    // Month screen.
    {134, 134, "month screen: an empty fight row, centred over x 440..750", 310},
    {135, 135, "month screen: manager panel title, centred over x 47..425 at y 109", 378, 0, 0,
     {S("managerName", "Alexander Montgomery"), S("nation short name", "GBR")}},
    {136, 137, "month screen: notes at y 465 and 480 (x 10..370)", 360},
    {138, 139, "month screen: recent results heading, y 234 and 255 (x 40..430)", 390},
    {140, 140, "month screen: record table heading at y 303", 390},
    {141, 141, "month screen: record table win row (y 350), on the band x 52..130", 78, 0, 0,
     {I("careerStats wins", "int16_t", "148")}},
    {142, 142, "month screen: record table loss row (y 370), on the band x 52..130", 78, 0, 0,
     {I("careerStats losses", "int16_t", "148")}},
    {143, 143, "month screen: title fights label at (85, 400)", 120},
    {144, 144, "month screen: title fights won label at x 210 (number at 260..300)", 48},
    {145, 145, "month screen: title fights lost label at x 317 (number at 370..410)", 50},
    {146, 146, "month screen: total earnings label at (85, 420) (amount right-aligned at 400)",
     220},
    {147, 147, "month screen: retirement label at (77, 440)", 120},
    {148, 148, "month screen: the year the manager turns sixty, centred over x 200..410 (y 440)",
     210, 0, 0, {I("year - managerAge + 60", "int32_t", "2061")}},

    // Hover help of the career screens: lines centred between x 0 and 800.
    {149, 149, "help, boxer screen view button 1 (hotspot 7, portrait), y 550", kHelp},
    {150, 150, "help, boxer screen view button 2 (hotspot 8, fight history), y 550", kHelp},
    {151, 152, "help, boxer screen panel button 1 (hotspot 9, skills), y 540, 560", kHelp},
    {153, 154, "help, boxer screen panel button 2 (hotspot 10, training), y 540, 560", kHelp},
    {155, 155, "help, boxer screen panel button 3 (hotspot 11, personal data), y 550", kHelp},
    {156, 157, "help, boxer screen panel button 4 (hotspot 12, condition), y 540, 560", kHelp},
    {158, 160, "help, boxer screen stable buttons (hotspots 13..17), y 535, 550, 565", kHelp},
    {161, 162, "help, condition tab hotspot 19 (talk), y 540, 560", kHelp},
    {163, 163, "help, condition tab hotspot 20 (release), y 540; text 209 with the fee follows",
     kHelp},
    {164, 165, "help, condition tab hotspot 21 (renew the contract), y 540, 560", kHelp},
    {166, 167, "help, skill row strength (51, 399)-(228, 414), y 540, 560", kHelp},
    {168, 169, "help, skill row quickness (230, 399)-(408, 414), y 540, 560", kHelp},
    {170, 171, "help, skill row agility (51, 420)-(228, 439), y 540, 560", kHelp},
    {172, 173, "help, skill row stamina (230, 420)-(408, 439), y 540, 560", kHelp},
    {174, 175, "help, skill row endurance (51, 445)-(228, 460), y 540, 560", kHelp},
    {176, 177, "help, skill row technique (230, 445)-(408, 460), y 540, 560", kHelp},
    {178, 179, "help, skill row charisma (51, 465)-(228, 482), y 540, 560", kHelp},
    {180, 180, "help, search screen hotspot 22 (search), y 550", kHelp},
    {181, 181, "help, search screen hotspot 21 (reset the filters), y 550", kHelp},
    // 182 is also the candidate panel's text while no boxer is chosen: a paragraph in x 65..395
    // from y 180, above the panel's bottom at 257.
    {182, 182, "help, search screen result list (430, 100)-(750, 460), y 535 [1 of 3]; also the "
               "candidate panel's paragraph while no boxer is chosen (x 65..395, y 180)",
     kHelp, 0, 0, {}, 330, 6},
    {183, 184, "help, search screen result list (430, 100)-(750, 460), y 550, 565 [2, 3 of 3]", kHelp},
    {185, 187, "help, search screen candidate line (41, 105)-(413, 116), y 535, 550, 565", kHelp},
    {188, 189, "help, search screen toggle 'only unranked' (41, 342)-(211, 364), y 540, 560",
     kHelp},
    {190, 191, "help, search screen toggle 'only affordable' (238, 342)-(416, 364), y 540, 560",
     kHelp},
    {192, 194, "help, search screen candidate panel (45, 132)-(415, 255), y 535, 550, 565", kHelp},
    {195, 197, "help, search screen hotspot 27 (offer a contract), y 535, 550, 565", kHelp},
    {198, 198, "help, finances panel button 1 (hotspot 7, income), y 550", kHelp},
    {199, 199, "help, finances panel button 2 (hotspot 8, expenses), y 550", kHelp},
    {200, 200, "help, finances panel button 3 (hotspot 9, balance), y 550", kHelp},
    {201, 203, "help, finances page area (45, 109)-(243, 490), y 535, 550, 565", kHelp},
    {204, 205, "help, rankings hotspot 13 (OK: arrange the fight), y 540, 560", kHelp},
    {206, 206, "help, rankings hotspot 14 (date back), y 550", kHelp},
    {207, 207, "help, rankings hotspot 15 (date forward), y 550", kHelp},
    {208, 208, "help, rankings hotspot 16 (cancel the fight), y 540; text 209 follows", kHelp},
    {209, 209, "help, y 560: the fee of cancelling a fight (rankings hotspot 16) or of releasing "
               "a boxer (condition tab hotspot 20)", kHelp, 0, 0,
     {I("fee: cancelFee, or contractMonths * (18 - category) / 2, never below 0", "int", "850")}},
    {210, 212, "help, rankings category header (71, 109)-(390, 131), y 535, 550, 565", kHelp},
    {213, 215, "help, rankings selected boxer (98, 179)-(365, 202), y 535, 550, 565", kHelp},
    {216, 217, "help, rankings selected boxer's panel (45, 215)-(416, 269), y 540, 560", kHelp},
    {218, 219, "help, rankings opponent panel (45, 315)-(416, 367), y 540, 560", kHelp},
    {220, 221, "help, rankings date (98, 407)-(365, 435) while no fight is scheduled, y 540, 560",
     kHelp},
    {222, 222, "help, rankings date of the scheduled fight (65, 407)-(218, 435), y 550", kHelp},
    {223, 224, "help, rankings purse of the scheduled fight (245, 407)-(400, 435), y 540, 560",
     kHelp},
    {225, 227, "help, rankings list (430, 100)-(750, 460), y 535, 550, 565", kHelp},
    {228, 228, "help, corner screen middle (322, 192)-(487, 252), y 565", kHelp},
    {229, 230, "help, corner screen condition box (600, 27)-(755, 127), y 555, 570", kHelp},
    {231, 232, "help, corner screen injury 1, head (43, 19)-(193, 132), y 555, 570", kHelp},
    {233, 234, "help, corner screen injury 2, face (43, 144)-(193, 270), y 555, 570", kHelp},
    {235, 236, "help, corner screen injury 3, ribs (43, 279)-(193, 398), y 555, 570", kHelp},
    {237, 238, "help, corner screen injury 4, stomach (43, 403)-(193, 528), y 555, 570", kHelp},
    {239, 239, "help, corner order 1 (hotspot 1, target; read by no rule), y 555", kHelp},
    {240, 242, "help, corner order 1, values 0, 1, 2, y 570", kHelp},
    {243, 243, "help, corner order 2 (hotspot 2, fighting style), y 555", kHelp},
    {244, 246, "help, corner order 2, values 0, 1, 2, y 570", kHelp},
    {247, 247, "help, corner order 3 (hotspot 3, care in the corner), y 555", kHelp},
    {248, 250, "help, corner order 3, values 0 (rest), 1 (treat injuries), 2 (encourage), y 570",
     kHelp},
    {251, 251, "help, corner screen hotspot 4 (start the round in the ring view), y 565", kHelp},
    {252, 252, "help, fight screen pace buttons (hotspots 1..3), centred in x 500..800 at y 510",
     kFightHelp},
    {253, 253, "help, fight screen pace button 1 (slow), x 500..800 at y 530", kFightHelp},
    {254, 254, "help, fight screen pace button 2 (normal), x 500..800 at y 530", kFightHelp},
    {255, 255, "help, fight screen pace button 3 (fast), x 500..800 at y 530", kFightHelp},
    {256, 257, "help, fight screen round clock (500, 129)-(800, 159), x 500..800 at y 510, 530",
     kFightHelp},
    {258, 263, "help, fight screen round counts (500, 5)-(800, 125), x 500..800 at y 480..580 "
               "with spacing -1", kFightHelp, -1},
    {264, 275, "help range of the career screens, not drawn by any Part", kHelp, 0, kUnused},
    {276, 277, "help, month screen record area (45, 245)-(416, 385), y 540, 560", kHelp},
    {278, 278, "help, month screen watch buttons (hotspots 7..12), y 550", kHelp},
    {279, 279, "help, month screen instant-result buttons (hotspots 13..18), y 550", kHelp},
    {280, 281, "help, month screen advance button (hotspot 19), y 540, 560", kHelp},

    // Career messages: the window's heading, then its lines in order.
    {282, 282, "message window heading; also the title of the result screen's note box",
     kMessage},
    msg(283, 284, "message 1: the chosen opponent is the player's own boxer"),
    msg(285, 285, "message 2, line 1: opponent more than 5 places above",
        I("opponent's rank", "int16_t", "100")),
    msg(286, 286, "message 2, line 2"),
    msg(287, 287, "message 2, line 3: the best rank the boxer may challenge",
        I("selected boxer's rank - 5", "int", "95")),
    msg(288, 291, "message 3: opponent of another weight category"),
    msg(292, 295, "message 4: the boxer already has a fight scheduled"),
    msg(296, 297, "message 5, lines 1 and 2: opponent already booked that month (then his "
                  "opponent's name and rank)"),
    msg(298, 298, "message 5, line 4"),
    msg(299, 302, "message 6: no opponent chosen"),
    msg(303, 306, "message 7: the stable is full"),
    msg(307, 308, "message 8: the talk raised morale"),
    msg(309, 310, "message 9: the talk failed"),
    msg(311, 312, "message 10: morale already at its top"),
    msg(313, 314, "message 11: the last boxer cannot be released"),
    msg(315, 315, "message 12, line 1: account in the red"),
    msg(316, 316, "message 12, line 2",
        I("advances in the red left, the last ending the career: 6 - monthsInDebt", "int", "5")),
    msg(317, 317, "message 12, line 3"),
    msg(318, 319, "message 13: sixth month in the red, game over"),
    msg(320, 323, "message 14: contracts ending (stable of several boxers)"),
    msg(324, 325, "message 15, lines 1 and 2: random event, a cash gift"),
    msg(326, 326, "message 15, line 3: the gift",
        I("eventValue * 100", "int", "500")),
    msg(327, 327, "message 15, line 4"),
    msg(328, 328, "message 16, line 1: random event, morale falls to 1"),
    msg(329, 329, "messages 16, 17, 18, 27, 28, 32: the boxer's name line",
        kFirstName, kSurname),
    msg(330, 331, "message 16, lines 3 and 4"),
    msg(332, 333, "message 17 (\"CAR ACCIDENT!\"), lines 3 and 4: fitness falls to 1"),
    msg(334, 334, "message 18, line 1: random event, potentials rise"),
    msg(335, 336, "message 18, lines 3 and 4"),
    msg(337, 339, "message 19: load screen"),
    msg(340, 342, "message 20: contract offer incomplete"),
    msg(343, 343, "message 21, line 1: contract signed"),
    msg(344, 344, "message 21, line 2: contract length",
        I("offerYears", "int16_t", "5")),
    msg(345, 345, "message 21, line 3: purse share",
        I("offerPercent", "int16_t", "50")),
    msg(346, 349, "message 22: offer refused"),
    {350, 350, "rankings screen: hint under the selected boxer (y 215) when his fitness is 2 or "
               "less", 370},
    msg(351, 354, "message 23 lines: message 23 is never raised", kUnused),
    msg(355, 357, "message 24, lines 1..3: contract renewed"),
    msg(358, 358, "message 24, line 4: the new terms",
        I("contractMonths", "int16_t", "36"), I("pursePercent", "int16_t", "50")),
    msg(359, 362, "message 25: renewal refused, nine or more months left"),
    msg(363, 365, "message 26 lines: message 26 is never raised", kUnused),
    msg(366, 367, "message 27, lines 2 and 3: a boxer announces his retirement"),
    msg(368, 368, "message 28, line 2: a boxer retires"),
    msg(369, 369, "message 28, line 3: his age", I("age", "int16_t", "39")),
    msg(370, 372, "message 29: fights must be played before the month advances"),
    msg(373, 375, "message 30: the boxer already fought in the coming month"),
    msg(376, 379, "message 31: contract ending (stable of one boxer)"),
    msg(380, 381, "message 32, lines 2 and 3: a boxer's contract ran out and he left"),
    msg(382, 385, "message 33: the last boxer's contract ran out, game over"),
    msg(386, 389, "message 34: fitness too low to be matched"),
    msg(390, 393, "message 35: a boxer with a scheduled fight cannot be released"),
    msg(394, 397, "message 36..39 lines: messages 36 to 39 are never raised", kUnused),
    msg(398, 401, "message 40: the manager is 60"),
    msg(402, 403, "message 41, lines 1 and 2: the manager retires at 61, game over"),
    msg(404, 404, "message 41, line 3: length of the career",
        I("year - the computer's current year", "int32_t", "35")),
    msg(405, 405, "message 41, line 4"),

    // Main menu.
    {406, 406, "main menu: help of button 1 (new manager), y 570", kHelp},
    {407, 407, "main menu: no button shows it", kHelp, 0, kUnused},
    {408, 408, "main menu: help of button 2 (load), y 570", kHelp},
    {409, 409, "main menu: help of button 3 (quick start), y 570", kHelp},
    {410, 410, "main menu: help of button 4 (quit), y 570", kHelp},
    {411, 411, "main menu: line at (5, 545), left of the version line", 600},

    // New-manager screen.
    {412, 412, "new manager: help of button 1 (back to the main menu), y 550", kHelp},
    {413, 414, "new manager: help of button 2 (reset), y 540, 560", kHelp},
    {415, 415, "new manager: help of button 3 (start the career), y 550", kHelp},
    {416, 416, "new manager: help over the name field (380, 135)-(735, 152), y 550", kHelp},
    {417, 419, "new manager: help over age and boxers (380, 155)-(735, 177), y 535, 550, 565",
     kHelp},
    {420, 420, "new manager: help over the nation (380, 184)-(700, 201), y 550", kHelp},
    {421, 421, "new manager: help over the free points (35, 454)-(600, 477), y 550", kHelp},
    {422, 422, "new manager: help over the starting cash (605, 454)-(780, 477), y 550", kHelp},
    {423, 423, "new manager: help over the nation list's scroll bar, y 535", kHelp},

    // Boxer screen.
    {424, 424, "boxer screen: skills tab title", kPanel},
    {425, 425, "boxer screen skills tab: rightHanded 0, right column's last row", 170},
    {426, 426, "boxer screen skills tab: rightHanded 1, right column's last row", 170},
    {427, 427, "help over the handedness, y 550", kHelp},
    {428, 428, "boxer screen: training tab title", kPanel, 0, kProposed},
    {429, 429, "training tab: label before the points left in the pool", 200, 0, kProposed},
    {430, 430, "training tab: the limit per type", kPanel, 0, kProposed},
    {431, 433, "training tab: notes under the table", kPanel, 0, kProposed},
    {434, 434, "training tab: column heading, training type", 120, 0, kProposed},
    {435, 435, "training tab: column heading, points", 80, 0, kProposed},
    {436, 436, "boxer screen: personal data tab title", kPanel},
    {437, 437, "personal data tab: nation", kPanel, 0, 0,
     {S("nation long name", "Dominican Republic")}},
    {438, 438, "personal data tab: label before the age", 100},
    {439, 439, "personal data tab: label before \"%d cm\"", 100},
    {440, 440, "personal data tab: label before \"%.1f kgs\"", 100},
    {441, 441, "personal data tab: label before the look (texts 523..527)", 100},
    {442, 443, "help over the personal data tab, y 540, 560", kHelp},
    {444, 444, "boxer screen: condition tab title", kPanel},
    {445, 445, "condition tab: heading of the contract part", kPanel},
    {446, 446, "condition tab: label before text 447", 100},
    {447, 447, "condition tab: the contract's terms", 250, 0, 0,
     {I("contractMonths", "int16_t", "36"), I("pursePercent", "int16_t", "50")}},
    {448, 449, "boxer screen range, not drawn by any Part", kPanel, 0, kUnused},

    // Finances screen (its drawing is ours to lay out).
    {450, 450, "finances: screen title", kPanel, 0, kProposed},
    {451, 453, "finances: page titles, equipment, advertising, staff (financePage 0..2)", kPanel,
     0, kProposed},
    // The paragraphs of the left page (x 52..236), 12 pixels a line and 14 high: the introduction
    // from y 142 above the list at 181, a level's description from y 354 above its price at 394,
    // the texts of the advertising page above the button at 440.
    wrapped({454, 456, "finances: page introductions, equipment, advertising, staff (y 142)", 0, 0,
             kProposed}, kFinancePage, 3),
    {457, 460, "finances, equipment page: names of levels 0..3", kPanel, 0, kProposed},
    wrapped({461, 464, "finances, equipment page: descriptions of levels 0..3 (y 354)", 0, 0, kProposed},
            kFinancePage, 3),
    {465, 467, "finances, staff page: names of levels 0..2", kPanel, 0, kProposed},
    wrapped({468, 470, "finances, staff page: descriptions of levels 0..2 (y 354)", 0, 0, kProposed},
            kFinancePage, 3),
    {471, 471, "finances: label before an item's monthly price", 150, 0, kProposed},
    {472, 472, "finances: shown for the item already chosen", kPanel, 0, kProposed},
    wrapped({473, 473, "finances: shown when the stable holds no boxer for an offer (y 324)", 0, 0,
             kProposed}, kFinancePage, 9),
    {474, 479, "finances, advertising page: sponsor names by sponsorBrand 1..6", kPanel, 0,
     kProposed},
    {480, 480, "finances, advertising page: label before the boxer's name", 150, 0, kProposed},
    {481, 481, "finances, advertising page: label before the offer's amount", 150, 0, kProposed},
    {482, 482, "finances, advertising page: label before the offer's months", 150, 0, kProposed},
    {483, 483, "finances, advertising page: after the number of months", 150, 0, kProposed},
    {484, 484, "finances, advertising page: the offer is taken", kPanel, 0, kProposed},
    {485, 485, "finances, advertising page: no offer for this boxer", kPanel, 0, kProposed},
    wrapped({486, 486, "finances, advertising page: note on payment (y 396)", 0, 0, kProposed},
            kFinancePage, 3),
    wrapped({487, 487, "finances, advertising page: note on new offers, under text 484 (y 408)", 0, 0,
             kProposed}, kFinancePage, 2),
    {488, 490, "finances table titles: income, expenses, balance (panel selector 1..3)", kPanel,
     0, kProposed},
    {491, 493, "finances table column heads: this month, last month, total", 110, 0, kProposed},
    {494, 494, "finances balance table: row label", 150, 0, kProposed},
    {495, 495, "finances: label before the account balance", 150, 0, kProposed},
    {496, 504, "finances screen range, spare", kPanel, 0, kUnused},

    // Label lists.
    {505, 516, "month name, January..December: the first three characters name the month on "
               "every screen", 0, 0, kTextMonth},
    {517, 522, "boxer-screen list A: training types endurance, quickness, agility, strength, "
               "technique, stamina (training tab)", 110, 0, kLabel},
    {523, 527, "boxer-screen list B: the looks 0..4 (personal data tab, after text 441)", 150, 0,
     kLabel},
    {528, 531, "finances list A: income rows purses, sponsors, merchandise, other", 150, 0,
     kLabel},
    {532, 535, "finances list B: expense rows other, equipment, staff, other", 150, 0, kLabel},
    {536, 541, "search list: record-mode filter labels: category (when 0), age min, wins, age "
               "max, losses, KOs", kFilter, 0, kLabel},
    {542, 543, "search list: captions of the toggles onlyUnranked and onlyAffordable", 150, 0,
     kLabel},
    {544, 545, "search list: the search modes, statistics and record", 150, 0, kLabel},
    {546, 548, "corner list: order 1 (target) values 0..2, centred over x 600..755 at y 256",
     kCorner, 0, kLabel},
    {549, 551, "corner list: order 2 (style) values 0..2, centred over x 600..755 at y 389",
     kCorner, 0, kLabel},
    {552, 554, "corner list: order 3 (care) values 0..2, centred over x 600..755 at y 520",
     kCorner, 0, kLabel},
    {555, 555, "help, corner screen hotspot 5 (start the round in text mode), y 565", kHelp},
    msg(556, 556, "message 42, line 1: opponent more than 9 places below",
        I("opponent's rank", "int16_t", "100")),
    msg(557, 557, "message 42, line 2"),
    msg(558, 558, "message 42, line 3: the lowest rank the boxer may challenge",
        I("selected boxer's rank + 9", "int", "109")),

    // The options screen (state 13): labels in the column x 120..290, choices in buttons of
    // 90 (four in a row) or 120 pixels (two in a row), help lines at y 550.
    {559, 559, "options screen: title, centred at y 74", kPanel},
    {560, 563, "options screen: row labels language, music volume, sound volume, display (x 120)", 165},
    {564, 565, "options screen: display choices windowed, full screen (buttons of 120)", 112},
    {566, 566, "options screen: row label window size (x 120)", 165},
    {567, 567, "options screen: window size choice free (a button of 90 beside 800 x 600 and its multiples)", 84},
    {568, 568, "options screen: row label scaling (x 120)", 165},
    {569, 570, "options screen: scaling choices sharp, smooth (buttons of 120)", 112},
    {571, 571, "options screen: row label tutorial (x 120)", 165},
    {572, 573, "options screen: tutorial choices on, off (buttons of 120)", 112},
    {574, 574, "options screen: row label renderer (x 120)", 165},
    {575, 576, "options screen: renderer choices OpenGL, DirectX (buttons of 120)", 112},
    {577, 577, "options screen: note under the renderer choices, centred over x 300..550", 250},
    {578, 578, "options screen: the BACK button's caption (160 wide)", 150},
    {579, 579, "help, main menu button 5 (options), y 570", kHelp},
    {580, 588, "help, options screen by row: language, music, sound, display, window size, scaling, "
               "tutorial, renderer, back; y 550", kHelp},
    {589, 589, "help, save/load menu hotspot 10 (options), y 550", kHelp},
    {590, 593, "options screen: the language names English, Deutsch, Français, Español, each in its "
               "own language (buttons of 90)", 84},
    // Numbers kept free for texts to come, so that the texts below keep theirs.
    {594, 599, "kept free: no section in the file", 0, 0, kTextSpare},
    // Damaged saves and installations, and a save that failed.
    {600, 600, "save/load menu: a damaged slot's row, drawn in red within the selection bar", 259, 0,
     kProposed},
    msg(601, 601, "message 44, line 1: LOAD on a damaged slot is refused"),
    msg(602, 602, "message 44, line 2: the file is kept; its path follows on the next line"),
    msg(603, 603, "message 45, line 1: no career without the world's data files; the reason follows"),
    msg(604, 604, "message 45, line 3: what to do"),
    msg(605, 605, "message 46, line 1: a save that could not be written"),
    msg(606, 606, "message 46, line 2: the system's reason",
        S("system's reason (strerror)", "No space left on device")),
    msg(607, 607, "message 46, line 3: the folder the save was written to",
        S("folder", "/home/player/.local/share/Brawnmoor")),
    msg(608, 608, "message 46, line 4: the slot is as it was (an earlier save in it is kept)"),
};

}  // namespace

const TextRule& textRule(int n) {
  static const TextRule* byEntry[kTextCount] = {};
  static bool built = false;
  if (!built) {
    for (const TextRule& r : kRules)
      for (int e = r.first; e <= r.last; ++e)
        if (e >= 0 && e < kTextCount && !byEntry[e]) byEntry[e] = &r;
    built = true;
  }
  static const TextRule none{};
  if (n < 0 || n >= kTextCount || !byEntry[n]) return none;
  return *byEntry[n];
}

const TextRule* allTextRules(int* count) {
  *count = int(sizeof kRules / sizeof *kRules);
  return kRules;
}

std::string describeArgs(const TextRule& rule) {
  std::string out;
  for (int i = 0; i < rule.argCount(); ++i) {
    const TextArg& a = rule.args[i];
    if (!out.empty()) out += "; ";
    char conv[4] = {'%', a.conversion, 0, 0};
    out += std::string("`") + a.name + "` (" + a.ctype + ", " + conv + ")";
  }
  return out.empty() ? "none" : out;
}

const SameAsEnglish sameAsEnglishAllowed[] = {
    {35, "Ger", "\"Training\" is the German word"},
    {37, "Ger", "\"Motivation\" is the German word"},
    {37, "Fre", "\"Motivation\" is the French word"},
    {72, "Fre", "\"Technique\" is the French word"},
    {435, "Fre", "\"Points\" is the French word"},
    {450, "Fre", "\"FINANCES\" is the French word"},
    {474, "Ger", "sponsor name"}, {474, "Fre", "sponsor name"}, {474, "Spa", "sponsor name"},
    {475, "Ger", "sponsor name"}, {475, "Fre", "sponsor name"}, {475, "Spa", "sponsor name"},
    {476, "Ger", "sponsor name"}, {476, "Fre", "sponsor name"}, {476, "Spa", "sponsor name"},
    {477, "Ger", "sponsor name"}, {477, "Fre", "sponsor name"}, {477, "Spa", "sponsor name"},
    {478, "Ger", "sponsor name"}, {478, "Fre", "sponsor name"}, {478, "Spa", "sponsor name"},
    {479, "Ger", "sponsor name"}, {479, "Fre", "sponsor name"}, {479, "Spa", "sponsor name"},
    {508, "Ger", "month name: April"},
    {512, "Ger", "month name: August"},
    {513, "Ger", "month name: September"},
    {515, "Ger", "month name: November"},
    {521, "Fre", "\"Technique\" is the French word"},
    {529, "Fre", "\"Sponsors\" is the French word"},
    {559, "Fre", "\"OPTIONS\" is the French word"},
    {571, "Spa", "\"Tutorial\" is the Spanish word"},
    {575, "Ger", "product name"}, {575, "Fre", "product name"}, {575, "Spa", "product name"},
    {576, "Ger", "product name"}, {576, "Fre", "product name"}, {576, "Spa", "product name"},
    {590, "Ger", "a language's name in its own language"}, {590, "Fre", "a language's name in its own language"},
    {590, "Spa", "a language's name in its own language"},
    {591, "Ger", "a language's name in its own language"}, {591, "Fre", "a language's name in its own language"},
    {591, "Spa", "a language's name in its own language"},
    {592, "Ger", "a language's name in its own language"}, {592, "Fre", "a language's name in its own language"},
    {592, "Spa", "a language's name in its own language"},
    {593, "Ger", "a language's name in its own language"}, {593, "Fre", "a language's name in its own language"},
    {593, "Spa", "a language's name in its own language"},
};
const int sameAsEnglishAllowedCount = int(sizeof sameAsEnglishAllowed / sizeof *sameAsEnglishAllowed);
