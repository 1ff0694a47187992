// The 38 boxers. Faces 1..28 come from every part of the world; 29..38 are the boxers of the
// African and Caribbean nations (Cameroon, Dominica, Guinea, Jamaica, Namibia, Zambia).
#include "boxers.h"

#include <array>
#include <stdexcept>

namespace boxerart {

namespace {

// Skin tones.
const Col kFair = hexc(0xECC8AE), kLight = hexc(0xE3B596), kWarm = hexc(0xD8A47F),
          kOlive = hexc(0xC89570), kMedium = hexc(0xB7815C), kTan = hexc(0xA46F4B),
          kEastAsian = hexc(0xE0B58E), kGolden = hexc(0xC9966A), kBrown = hexc(0x8E5B3B),
          kDarkBrown = hexc(0x70452B), kDeep = hexc(0x5A3622), kDeepest = hexc(0x432719);

// Hair colours.
const Col kBlack = hexc(0x17130F), kDarkHair = hexc(0x2C1E15), kBrownHair = hexc(0x4B3122),
          kLightBrown = hexc(0x7A5536), kDarkBlond = hexc(0x9C7A4A), kBlond = hexc(0xC6A265),
          kGinger = hexc(0x93431E), kGreyHair = hexc(0x8C8A86), kSaltPepper = hexc(0x57534E);

// Eye colours.
const Col kBrownEyes = hexc(0x3B2A1E), kDarkEyes = hexc(0x21160F), kBlueEyes = hexc(0x4F7396),
          kGreenEyes = hexc(0x5B7049), kHazel = hexc(0x6B5030), kGreyEyes = hexc(0x6D7B86);

// Kit colours.
const Col kRed = hexc(0xB0201C), kDeepRed = hexc(0x7E1414), kBlue = hexc(0x1F4E9C),
          kNavy = hexc(0x1A2746), kSky = hexc(0x4C95D0), kWhite = hexc(0xEDEAE2),
          kBlackKit = hexc(0x1A1A1D), kGold = hexc(0xD4A437), kSilver = hexc(0xB9BEC4),
          kGreen = hexc(0x1E7A3C), kEmerald = hexc(0x138A6A), kLime = hexc(0x8DBE2C),
          kYellow = hexc(0xE8C21E), kOrange = hexc(0xE0701E), kPurple = hexc(0x5B2A86),
          kPink = hexc(0xD9568E), kTeal = hexc(0x1B7F86), kMaroon = hexc(0x5E1A24),
          kGreyKit = hexc(0x8D9096), kCopper = hexc(0xB8703A), kBrownLeather = hexc(0x5A3A22);

Look make(int face, const char* summary) {
  Look l;
  l.face = face;
  l.summary = summary;
  return l;
}

std::array<Look, kBoxerCount> build() {
  std::array<Look, kBoxerCount> all;
  int n = 0;
  auto add = [&](Look l) { all[size_t(n++)] = l; };

  {  // 1: the game's default model: a classic light-skinned middleweight in red.
    Look l = make(1, "light skin, short dark-brown crop; red trunks with gold trim");
    l.skin = kLight; l.hair = Hair::Crop; l.hairCol = kDarkHair; l.eyes = kHazel;
    l.style = Trunks::Stripes; l.trunks = kRed; l.trim = kGold; l.band = kRed;
    l.gloves = kRed; l.gloveTrim = kWhite; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(2, "olive skin, black hair combed back, moustache; white and gold trunks");
    l.skin = kOlive; l.hair = Hair::Slick; l.hairCol = kBlack; l.beard = Beard::Moustache;
    l.eyes = kDarkEyes; l.nose = 1.15; l.jaw = 1.05;
    l.style = Trunks::Stars; l.trunks = kWhite; l.trim = kGold; l.band = kGold;
    l.gloves = kWhite; l.gloveTrim = kGold; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(3, "fair, freckled, ginger buzz cut; green trunks");
    l.skin = kFair; l.hair = Hair::Buzz; l.hairCol = kGinger; l.freckles = true;
    l.eyes = kBlueEyes; l.shoulders = 0.94; l.muscle = 0.92; l.headW = 0.96; l.ears = 1.12;
    l.style = Trunks::Plain; l.trunks = kGreen; l.trim = kWhite; l.band = kGreen;
    l.gloves = kGreen; l.gloveTrim = kWhite; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(4, "East Asian, black fringe; black trunks with red panels");
    l.skin = kEastAsian; l.hair = Hair::Fringe; l.hairCol = kBlack; l.eyeOpen = 0.72;
    l.eyes = kDarkEyes; l.nose = 0.85; l.noseW = 1.05; l.brow = 0.8; l.height = 0.95;
    l.shoulders = 0.93; l.muscle = 0.95; l.chin = 0.92;
    l.style = Trunks::Panels; l.trunks = kBlackKit; l.trim = kRed; l.band = kRed;
    l.gloves = kRed; l.gloveTrim = kBlackKit; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(5, "golden-brown skin, spiky black fringe; yellow trunks");
    l.skin = kGolden; l.hair = Hair::Fringe; l.hairCol = kBlack; l.eyeOpen = 0.85;
    l.eyes = kDarkEyes; l.nose = 0.9; l.noseW = 1.12; l.height = 0.94; l.shoulders = 0.92;
    l.style = Trunks::Stripes; l.trunks = kYellow; l.trim = kBlue; l.band = kBlue;
    l.gloves = kBlue; l.gloveTrim = kYellow; l.boots = kWhite; l.socks = false;
    add(l);
  }
  {
    Look l = make(6, "dark brown skin, shaved head; purple and gold trunks");
    l.skin = kDarkBrown; l.hair = Hair::Bald; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.2; l.lips = 1.25; l.shoulders = 1.1; l.muscle = 1.18; l.neck = 1.15;
    l.style = Trunks::Stars; l.trunks = kPurple; l.trim = kGold; l.band = kGold;
    l.gloves = kGold; l.gloveTrim = kPurple; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(7, "light skin, blond crew cut; blue trunks with white stripes");
    l.skin = kLight; l.hair = Hair::Crop; l.hairCol = kBlond; l.eyes = kBlueEyes;
    l.jaw = 1.12; l.chin = 1.1; l.shoulders = 1.05;
    l.style = Trunks::Stripes; l.trunks = kBlue; l.trim = kWhite; l.band = kWhite;
    l.gloves = kBlue; l.gloveTrim = kWhite; l.boots = kBlue; l.socks = true;
    add(l);
  }
  {
    Look l = make(8, "tan skin, black curls, goatee; maroon trunks");
    l.skin = kTan; l.hair = Hair::Curly; l.hairCol = kBlack; l.beard = Beard::Goatee;
    l.eyes = kDarkEyes; l.nose = 1.08; l.muscle = 1.05;
    l.style = Trunks::Panels; l.trunks = kMaroon; l.trim = kGold; l.band = kMaroon;
    l.gloves = kMaroon; l.gloveTrim = kGold; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(9, "light skin, full dark beard, receding hair, heavy build; black trunks");
    l.skin = kWarm; l.hair = Hair::Receding; l.hairCol = kDarkHair; l.beard = Beard::Full;
    l.eyes = kBrownEyes; l.belly = 0.9; l.waist = 1.18; l.shoulders = 1.1; l.neck = 1.2;
    l.headW = 1.06; l.jaw = 1.1; l.chestHair = true;
    l.style = Trunks::Stripes; l.trunks = kBlackKit; l.trim = kGold; l.band = kBlackKit;
    l.gloves = kBlackKit; l.gloveTrim = kGold; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(10, "medium skin, clipped head, goatee, tribal armbands; orange trunks");
    l.skin = kMedium; l.hair = Hair::Buzz; l.hairCol = kBlack; l.beard = Beard::Goatee;
    l.eyes = kBrownEyes; l.tattoo = 1; l.muscle = 1.15; l.shoulders = 1.06;
    l.style = Trunks::Plain; l.trunks = kOrange; l.trim = kBlackKit; l.band = kBlackKit;
    l.gloves = kBlackKit; l.gloveTrim = kOrange; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(11, "Central Asian, black crew cut, broad face; sky-blue trunks");
    l.skin = kGolden; l.hair = Hair::Crop; l.hairCol = kBlack; l.eyeOpen = 0.7;
    l.eyes = kDarkEyes; l.headW = 1.08; l.jaw = 1.12; l.nose = 0.9; l.brow = 0.85;
    l.shoulders = 1.04; l.neck = 1.1;
    l.style = Trunks::Stars; l.trunks = kSky; l.trim = kGold; l.band = kSky;
    l.gloves = kSky; l.gloveTrim = kGold; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(12, "light skin, messy brown hair, stubble; white trunks with blue");
    l.skin = kLight; l.hair = Hair::Curly; l.hairCol = kBrownHair; l.beard = Beard::Stubble;
    l.eyes = kGreenEyes; l.shoulders = 0.97; l.muscle = 0.97;
    l.style = Trunks::Panels; l.trunks = kWhite; l.trim = kBlue; l.band = kBlue;
    l.gloves = kWhite; l.gloveTrim = kBlue; l.boots = kWhite; l.socks = false;
    add(l);
  }
  {
    Look l = make(13, "pale, blond hair slicked back; black trunks with silver");
    l.skin = kFair; l.hair = Hair::Slick; l.hairCol = kBlond; l.eyes = kGreyEyes;
    l.nose = 1.1; l.height = 1.0; l.shoulders = 0.98; l.muscle = 0.94; l.chin = 1.12;
    l.style = Trunks::Stripes; l.trunks = kBlackKit; l.trim = kSilver; l.band = kSilver;
    l.gloves = kBlackKit; l.gloveTrim = kSilver; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(14, "olive skin, dark curls, stubble; teal trunks");
    l.skin = kOlive; l.hair = Hair::Curly; l.hairCol = kDarkHair; l.beard = Beard::Stubble;
    l.eyes = kHazel; l.nose = 1.12; l.brow = 1.1;
    l.style = Trunks::Plain; l.trunks = kTeal; l.trim = kWhite; l.band = kTeal;
    l.gloves = kTeal; l.gloveTrim = kWhite; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(15, "Pacific islander, dark curls, beard, tribal armbands; navy trunks");
    l.skin = kBrown; l.hair = Hair::Curly; l.hairCol = kBlack; l.beard = Beard::Full;
    l.eyes = kDarkEyes; l.tattoo = 1; l.headW = 1.08; l.noseW = 1.15; l.shoulders = 1.12;
    l.muscle = 1.15; l.belly = 0.35; l.waist = 1.08; l.neck = 1.15;
    l.style = Trunks::Panels; l.trunks = kNavy; l.trim = kWhite; l.band = kNavy;
    l.gloves = kNavy; l.gloveTrim = kWhite; l.boots = kNavy;
    add(l);
  }
  {
    Look l = make(16, "veteran, grey crop, scarred brow; burgundy trunks");
    l.skin = kWarm; l.hair = Hair::Crop; l.hairCol = kSaltPepper; l.scar = true;
    l.eyes = kGreyEyes; l.nose = 1.15; l.noseW = 1.1; l.brow = 1.2; l.belly = 0.3;
    l.style = Trunks::Plain; l.trunks = kDeepRed; l.trim = kGold; l.band = kDeepRed;
    l.gloves = kDeepRed; l.gloveTrim = kGold; l.boots = kBrownLeather;
    add(l);
  }
  {
    Look l = make(17, "dark brown skin, cornrows; white trunks with red stripes");
    l.skin = kDarkBrown; l.hair = Hair::Cornrows; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.15; l.lips = 1.2; l.muscle = 1.08;
    l.style = Trunks::Stripes; l.trunks = kWhite; l.trim = kRed; l.band = kRed;
    l.gloves = kRed; l.gloveTrim = kWhite; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(18, "fair, red hair, moustache; emerald trunks");
    l.skin = kFair; l.hair = Hair::Crop; l.hairCol = kGinger; l.beard = Beard::Moustache;
    l.eyes = kGreenEyes; l.freckles = true; l.jaw = 1.06;
    l.style = Trunks::Stripes; l.trunks = kEmerald; l.trim = kGold; l.band = kEmerald;
    l.gloves = kEmerald; l.gloveTrim = kGold; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(19, "medium skin, black buzz cut; green trunks with red and white");
    l.skin = kMedium; l.hair = Hair::Buzz; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.nose = 1.05; l.shoulders = 0.98; l.height = 0.96;
    l.style = Trunks::Panels; l.trunks = kGreen; l.trim = kWhite; l.band = kRed;
    l.gloves = kRed; l.gloveTrim = kWhite; l.boots = kGreen;
    add(l);
  }
  {
    Look l = make(20, "East Asian, black ridge haircut; red and white trunks");
    l.skin = kEastAsian; l.hair = Hair::Ridge; l.hairCol = kBlack; l.eyeOpen = 0.75;
    l.eyes = kDarkEyes; l.nose = 0.88; l.brow = 0.8; l.headW = 0.97; l.muscle = 0.98;
    l.style = Trunks::Panels; l.trunks = kRed; l.trim = kWhite; l.band = kWhite;
    l.gloves = kWhite; l.gloveTrim = kRed; l.boots = kRed;
    add(l);
  }
  {
    Look l = make(21, "brown skin, high flat-top; gold trunks");
    l.skin = kBrown; l.hair = Hair::FlatTop; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.15; l.lips = 1.15; l.shoulders = 1.06; l.muscle = 1.1;
    l.style = Trunks::Stars; l.trunks = kGold; l.trim = kBlackKit; l.band = kBlackKit;
    l.gloves = kGold; l.gloveTrim = kBlackKit; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(22, "light skin, dark side-parted hair; grey trunks with blue");
    l.skin = kLight; l.hair = Hair::Slick; l.hairCol = kBrownHair; l.eyes = kBlueEyes;
    l.height = 0.97; l.shoulders = 0.95; l.muscle = 0.95; l.headW = 0.97;
    l.style = Trunks::Stripes; l.trunks = kGreyKit; l.trim = kBlue; l.band = kBlue;
    l.gloves = kBlue; l.gloveTrim = kGreyKit; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(23, "tan skin, shaved head, full black beard; black and red trunks");
    l.skin = kTan; l.hair = Hair::Bald; l.hairCol = kBlack; l.beard = Beard::Full;
    l.eyes = kDarkEyes; l.belly = 0.5; l.waist = 1.1; l.shoulders = 1.08; l.neck = 1.18;
    l.style = Trunks::Panels; l.trunks = kBlackKit; l.trim = kRed; l.band = kRed;
    l.gloves = kBlackKit; l.gloveTrim = kRed; l.boots = kRed;
    add(l);
  }
  {
    Look l = make(24, "light skin, blond buzz, stubble; blue and yellow trunks");
    l.skin = kLight; l.hair = Hair::Buzz; l.hairCol = kBlond; l.beard = Beard::Stubble;
    l.eyes = kBlueEyes; l.jaw = 1.1; l.shoulders = 1.08; l.muscle = 1.12; l.height = 1.0;
    l.style = Trunks::Stripes; l.trunks = kBlue; l.trim = kYellow; l.band = kYellow;
    l.gloves = kYellow; l.gloveTrim = kBlue; l.boots = kBlue;
    add(l);
  }
  {
    Look l = make(25, "deep brown skin, short twists; lime trunks");
    l.skin = kDeep; l.hair = Hair::Twists; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.2; l.lips = 1.2; l.height = 0.98; l.muscle = 1.02;
    l.style = Trunks::Plain; l.trunks = kLime; l.trim = kBlackKit; l.band = kBlackKit;
    l.gloves = kBlackKit; l.gloveTrim = kLime; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(26, "olive skin, black crop, heavy beard; black and green trunks");
    l.skin = kOlive; l.hair = Hair::Crop; l.hairCol = kBlack; l.beard = Beard::Full;
    l.eyes = kBrownEyes; l.nose = 1.2; l.brow = 1.25; l.browHeavy = 1.3; l.neck = 1.1;
    l.chestHair = true;
    l.style = Trunks::Stripes; l.trunks = kBlackKit; l.trim = kGreen; l.band = kGreen;
    l.gloves = kGreen; l.gloveTrim = kBlackKit; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(27, "old-school, receding brown hair, moustache; white trunks");
    l.skin = kLight; l.hair = Hair::Receding; l.hairCol = kLightBrown; l.beard = Beard::Moustache;
    l.eyes = kBrownEyes; l.belly = 0.45; l.waist = 1.08; l.chestHair = true;
    l.style = Trunks::Plain; l.trunks = kWhite; l.trim = kBlackKit; l.band = kBlackKit;
    l.gloves = kBrownLeather; l.gloveTrim = kWhite; l.boots = kBlackKit; l.socks = true;
    add(l);
  }
  {
    Look l = make(28, "medium-brown skin, curly ridge, goatee; pink and purple trunks");
    l.skin = kMedium; l.hair = Hair::Ridge; l.hairCol = kBlack; l.beard = Beard::Goatee;
    l.eyes = kDarkEyes; l.muscle = 1.04; l.height = 0.96;
    l.style = Trunks::Panels; l.trunks = kPink; l.trim = kPurple; l.band = kPurple;
    l.gloves = kPink; l.gloveTrim = kWhite; l.boots = kWhite;
    add(l);
  }
  // The boxers of the African and Caribbean nations.
  {
    Look l = make(29, "deep brown skin, shaved head; yellow and green trunks");
    l.skin = kDeep; l.hair = Hair::Bald; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.22; l.lips = 1.3; l.shoulders = 1.12; l.muscle = 1.2; l.neck = 1.18;
    l.style = Trunks::Panels; l.trunks = kYellow; l.trim = kGreen; l.band = kGreen;
    l.gloves = kGreen; l.gloveTrim = kYellow; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(30, "dark brown skin, short afro; red and gold trunks");
    l.skin = kDarkBrown; l.hair = Hair::Afro; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.18; l.lips = 1.2; l.height = 0.97; l.shoulders = 0.97;
    l.style = Trunks::Stripes; l.trunks = kRed; l.trim = kGold; l.band = kGold;
    l.gloves = kGold; l.gloveTrim = kRed; l.boots = kRed;
    add(l);
  }
  {
    Look l = make(31, "very dark skin, close crop, moustache and goatee; white and green trunks");
    l.skin = kDeepest; l.hair = Hair::Crop; l.hairCol = kBlack; l.beard = Beard::Goatee;
    l.eyes = kDarkEyes; l.noseW = 1.25; l.lips = 1.25; l.jaw = 1.1; l.shoulders = 1.05;
    l.style = Trunks::Stripes; l.trunks = kWhite; l.trim = kGreen; l.band = kGreen;
    l.gloves = kWhite; l.gloveTrim = kGreen; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(32, "brown skin, short locks, beard; black trunks in green and gold");
    l.skin = kBrown; l.hair = Hair::Twists; l.hairCol = kBlack; l.beard = Beard::Full;
    l.eyes = kDarkEyes; l.noseW = 1.15; l.lips = 1.15; l.muscle = 1.06;
    l.style = Trunks::Stripes; l.trunks = kBlackKit; l.trim = kYellow; l.band = kGreen;
    l.gloves = kYellow; l.gloveTrim = kGreen; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(33, "dark skin, high flat-top; blue trunks with white panels");
    l.skin = kDarkBrown; l.hair = Hair::FlatTop; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.2; l.lips = 1.2; l.height = 0.98; l.shoulders = 1.02;
    l.style = Trunks::Panels; l.trunks = kBlue; l.trim = kWhite; l.band = kWhite;
    l.gloves = kBlue; l.gloveTrim = kWhite; l.boots = kWhite;
    add(l);
  }
  {
    Look l = make(34, "deep brown skin, cornrows; orange and black trunks");
    l.skin = kDeep; l.hair = Hair::Cornrows; l.hairCol = kBlack; l.eyes = kDarkEyes;
    l.noseW = 1.2; l.lips = 1.25; l.muscle = 1.12; l.shoulders = 1.06;
    l.style = Trunks::Panels; l.trunks = kOrange; l.trim = kBlackKit; l.band = kBlackKit;
    l.gloves = kOrange; l.gloveTrim = kBlackKit; l.boots = kBlackKit;
    add(l);
  }
  {
    Look l = make(35, "dark brown skin, buzz cut, full beard; sky-blue trunks");
    l.skin = kDarkBrown; l.hair = Hair::Buzz; l.hairCol = kBlack; l.beard = Beard::Full;
    l.eyes = kDarkEyes; l.noseW = 1.18; l.lips = 1.2; l.belly = 0.4; l.waist = 1.1;
    l.shoulders = 1.1; l.neck = 1.15;
    l.style = Trunks::Stars; l.trunks = kSky; l.trim = kWhite; l.band = kNavy;
    l.gloves = kSky; l.gloveTrim = kWhite; l.boots = kNavy;
    add(l);
  }
  {
    Look l = make(36, "very dark skin, shaved head, goatee; burgundy and gold trunks");
    l.skin = kDeepest; l.hair = Hair::Bald; l.hairCol = kBlack; l.beard = Beard::Goatee;
    l.eyes = kDarkEyes; l.noseW = 1.22; l.lips = 1.25; l.headW = 1.04; l.muscle = 1.14;
    l.style = Trunks::Stars; l.trunks = kMaroon; l.trim = kGold; l.band = kGold;
    l.gloves = kGold; l.gloveTrim = kMaroon; l.boots = kMaroon;
    add(l);
  }
  {
    Look l = make(37, "brown skin, big afro; white trunks with blue stripes");
    l.skin = kBrown; l.hair = Hair::Afro; l.hairCol = kDarkHair; l.eyes = kBrownEyes;
    l.noseW = 1.15; l.lips = 1.2; l.height = 0.96; l.shoulders = 0.95; l.muscle = 0.96;
    l.style = Trunks::Stripes; l.trunks = kWhite; l.trim = kBlue; l.band = kBlue;
    l.gloves = kBlue; l.gloveTrim = kWhite; l.boots = kWhite; l.socks = false;
    add(l);
  }
  {
    Look l = make(38, "deep skin, ridge of short twists, chin-strap beard; green and copper trunks");
    l.skin = kDeep; l.hair = Hair::Ridge; l.hairCol = kBlack; l.beard = Beard::ChinStrap;
    l.eyes = kDarkEyes; l.noseW = 1.2; l.lips = 1.2; l.jaw = 1.08; l.muscle = 1.1;
    l.shoulders = 1.04;
    l.style = Trunks::Panels; l.trunks = kGreen; l.trim = kCopper; l.band = kCopper;
    l.gloves = kCopper; l.gloveTrim = kGreen; l.boots = kBlackKit;
    add(l);
  }
  if (n != kBoxerCount) throw std::logic_error("the boxer table is incomplete");
  return all;
}

}  // namespace

const Look& look(int face) {
  static const std::array<Look, kBoxerCount> all = build();
  if (face < 1 || face > kBoxerCount) throw std::out_of_range("no boxer with that face");
  return all[size_t(face - 1)];
}

}  // namespace boxerart
