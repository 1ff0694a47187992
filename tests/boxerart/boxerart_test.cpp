// The boxers' files as the game reads them: the 38 meshes through the engine's mesh reader,
// their ASE-style exports through its ASE reader, the skins and photos through its image
// loader, and the fight and corner pictures cut along the grids the screens use.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "image/KImage.h"
#include "mesh/KMeshFile.h"
#include "tools/KTools.h"

namespace {

const std::string kData = BRAWNMOOR_DATA;
constexpr int kBoxers = 38;

std::string numbered(const char* pattern, int face) {
  char buf[64];
  std::snprintf(buf, sizeof buf, pattern, face);
  return buf;
}

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> boxes;
void captureBox(const char* caption, const char*) { boxes.push_back(caption); }

class BoxerFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes.clear();
    KTools::SetMessageBoxHandler(captureBox);
  }
  void TearDown() override { KTools::SetMessageBoxHandler(nullptr); }
};

KMesh loadMesh(const std::string& path) {
  KMesh m;
  EXPECT_TRUE(KMeshFiles::LoadK3D(path.c_str(), m)) << path;
  return m;
}

std::unique_ptr<KDecodedImage> decode(const std::string& path) {
  std::string p = path;
  return KImage::DecodeImageFile(p.data());
}

uint8_t alphaAt(const KDecodedImage& img, int x, int y) { return img.RowFromTop(y)[x * 4 + 3]; }

// How many pixels of a rectangle are not fully transparent.
int ink(const KDecodedImage& img, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += alphaAt(img, x, y) > 8;
  return n;
}

// Mean absolute difference of two pictures of the same size, per channel, 0..255, over every
// third row and column.
double difference(const KDecodedImage& a, const KDecodedImage& b) {
  double sum = 0;
  long n = 0;
  for (int y = 0; y < a.Height(); y += 3)
    for (int x = 0; x < a.Width(); x += 3)
      for (int k = 0; k < 3; ++k, ++n)
        sum += std::abs(int(a.RowFromTop(y)[x * 4 + k]) - int(b.RowFromTop(y)[x * 4 + k]));
  return sum / double(n);
}

TEST_F(BoxerFiles, EveryMeshLoadsWithItsSkinNamed) {
  for (int face = 1; face <= kBoxers; ++face) {
    const std::string path = kData + numbered("/boxer%02d.K3D", face);
    KMesh m = loadMesh(path);
    EXPECT_GT(m.vertices.size(), 500u) << path;
    EXPECT_GT(m.faces.size(), 1000u) << path;
    EXPECT_STREQ(m.textureName, numbered("boxer%02d.jpg", face).c_str()) << path;
    EXPECT_EQ(bytesOf(path).substr(0, 4), " d3k") << path;
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(BoxerFiles, TheGameModelIsBoxerOneWithItsSkinBesideIt) {
  const std::string model = bytesOf(kData + "/boxer01.k3d");
  ASSERT_FALSE(model.empty());
  EXPECT_EQ(model, bytesOf(kData + "/boxer01.K3D"));
  KMesh m = loadMesh(kData + "/boxer01.k3d");
  auto skin = decode(m.texturePath);
  ASSERT_TRUE(skin) << m.texturePath;
  EXPECT_EQ(skin->Width(), 512);
}

TEST_F(BoxerFiles, EachExportLoadsToTheSameMesh) {
  for (int face = 1; face <= kBoxers; ++face) {
    KMesh bin = loadMesh(kData + numbered("/boxer%02d.K3D", face));
    KMesh ase;
    const std::string path = kData + numbered("/boxer%02d.ASE", face);
    ASSERT_TRUE(KMeshFiles::LoadASE(path.c_str(), 1.0f, ase)) << path;
    ASSERT_EQ(ase.vertices.size(), bin.vertices.size()) << path;
    ASSERT_EQ(ase.faces.size(), bin.faces.size()) << path;
    EXPECT_STREQ(ase.textureName, bin.textureName);
    // The mesh is centred already, so the reader's centring moves nothing.
    for (size_t i = 0; i < bin.vertices.size(); ++i) {
      EXPECT_NEAR(ase.vertices[i].x, bin.vertices[i].x, 2e-5) << path << " vertex " << i;
      EXPECT_NEAR(ase.vertices[i].y, bin.vertices[i].y, 2e-5) << path << " vertex " << i;
      EXPECT_NEAR(ase.vertices[i].z, bin.vertices[i].z, 2e-5) << path << " vertex " << i;
    }
    for (size_t i = 0; i < bin.faces.size(); ++i) {
      const KFace &a = ase.faces[i], &b = bin.faces[i];
      ASSERT_EQ(a.a, b.a);
      ASSERT_EQ(a.b, b.b);
      ASSERT_EQ(a.c, b.c);
      // The export counts v from the bottom; both readers end up with the same stored v.
      for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(a.corner[k].u, b.corner[k].u, 1e-5) << path << " face " << i;
        EXPECT_NEAR(a.corner[k].v, b.corner[k].v, 1e-5) << path << " face " << i;
      }
    }
  }
  EXPECT_TRUE(boxes.empty());
}

// The game loads one model and lays each boxer's skin over it, so every boxer's faces and
// texture coordinates must be the same as boxer 1's.
TEST_F(BoxerFiles, EverySkinFitsTheGameModel) {
  KMesh first = loadMesh(kData + "/boxer01.k3d");
  for (int face = 2; face <= kBoxers; ++face) {
    KMesh m = loadMesh(kData + numbered("/boxer%02d.K3D", face));
    ASSERT_EQ(m.faces.size(), first.faces.size()) << face;
    ASSERT_EQ(m.vertices.size(), first.vertices.size()) << face;
    for (size_t i = 0; i < m.faces.size(); ++i) {
      ASSERT_EQ(m.faces[i].a, first.faces[i].a) << face;
      ASSERT_EQ(m.faces[i].b, first.faces[i].b) << face;
      ASSERT_EQ(m.faces[i].c, first.faces[i].c) << face;
      for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(m.faces[i].corner[k].u, first.faces[i].corner[k].u) << face;
        ASSERT_EQ(m.faces[i].corner[k].v, first.faces[i].corner[k].v) << face;
      }
    }
  }
}

TEST_F(BoxerFiles, TextureCoordinatesStayInsideThePicture) {
  KMesh m = loadMesh(kData + "/boxer01.k3d");
  for (const KFace& f : m.faces) {
    float lo[2] = {1, 1}, hi[2] = {0, 0};
    for (const KFaceCorner& c : f.corner) {
      ASSERT_GE(c.u, 0.0f);
      ASSERT_LE(c.u, 1.0f);
      ASSERT_GE(c.v, 0.0f);
      ASSERT_LE(c.v, 1.0f);
      lo[0] = std::min(lo[0], c.u);
      hi[0] = std::max(hi[0], c.u);
      lo[1] = std::min(lo[1], c.v);
      hi[1] = std::max(hi[1], c.v);
    }
    // A face that wrapped round a seam would stretch over a large part of the skin.
    EXPECT_LT(hi[0] - lo[0], 0.2f);
    EXPECT_LT(hi[1] - lo[1], 0.2f);
  }
}

// Every part is a closed surface whose faces turn outwards: each edge is used once in each
// direction, and each connected piece encloses a positive volume.
TEST_F(BoxerFiles, MeshesAreClosedAndTurnedOutwards) {
  for (int face = 1; face <= kBoxers; ++face) {
    KMesh m = loadMesh(kData + numbered("/boxer%02d.K3D", face));
    std::map<std::pair<int, int>, int> edges;
    for (const KFace& f : m.faces) {
      const int v[3] = {f.a, f.b, f.c};
      for (int k = 0; k < 3; ++k) ++edges[{v[k], v[(k + 1) % 3]}];
    }
    for (const auto& [e, n] : edges) {
      ASSERT_EQ(n, 1) << "boxer " << face << " edge " << e.first << "-" << e.second;
      auto back = edges.find({e.second, e.first});
      ASSERT_TRUE(back != edges.end()) << "boxer " << face << " open edge " << e.first << "-" << e.second;
    }
    // Pieces by shared vertices.
    std::vector<int> piece(m.vertices.size());
    for (size_t i = 0; i < piece.size(); ++i) piece[i] = int(i);
    auto root = [&](int i) {
      while (piece[size_t(i)] != i) i = piece[size_t(i)] = piece[size_t(piece[size_t(i)])];
      return i;
    };
    for (const KFace& f : m.faces) {
      piece[size_t(root(f.b))] = root(f.a);
      piece[size_t(root(f.c))] = root(f.a);
    }
    std::map<int, double> volume;
    for (const KFace& f : m.faces) {
      const KVertex &a = m.vertices[size_t(f.a)], &b = m.vertices[size_t(f.b)], &c = m.vertices[size_t(f.c)];
      volume[root(f.a)] += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                            a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
    // Head, ears, neck, torso, arms, gloves, thumbs, cuffs, legs and boots.
    EXPECT_EQ(volume.size(), 17u) << face;
    for (const auto& [p, vol] : volume) EXPECT_GT(vol, 0.0) << "boxer " << face << " piece " << p;
  }
}

// Standing up along z, guard forward along -y, about 1.2 units tall and centred, as the boxer
// screen places the model.
TEST_F(BoxerFiles, ModelsStandInGuardFacingMinusY) {
  for (int face = 1; face <= kBoxers; ++face) {
    KMesh m = loadMesh(kData + numbered("/boxer%02d.K3D", face));
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (const KVertex& v : m.vertices) {
      const float p[3] = {v.x, v.y, v.z};
      for (int k = 0; k < 3; ++k) {
        lo[k] = std::min(lo[k], p[k]);
        hi[k] = std::max(hi[k], p[k]);
      }
    }
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(lo[k] + hi[k], 0.0f, 1e-4f) << face;
    const float height = hi[2] - lo[2];
    EXPECT_GT(height, 1.05f) << face;
    EXPECT_LT(height, 1.25f) << face;
    EXPECT_GT(height, 1.8f * (hi[0] - lo[0])) << face;
    // The gloves, at the height of the chest, reach far further forward than the back does.
    float front = 0, back = 0;
    for (const KVertex& v : m.vertices)
      if (v.z > lo[2] + 0.6f * height && v.z < lo[2] + 0.8f * height) {
        front = std::min(front, v.y);
        back = std::max(back, v.y);
      }
    EXPECT_GT(-front, 1.5f * back) << face;
    for (const KVertex& v : m.vertices)
      ASSERT_NEAR(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 1.0f, 1e-3f) << face;
  }
}

TEST_F(BoxerFiles, SkinsAndPhotosLoadAndDiffer) {
  std::vector<std::unique_ptr<KDecodedImage>> skins, photos;
  for (int face = 1; face <= kBoxers; ++face) {
    auto skin = decode(kData + numbered("/gfx/boxer%02d.jpg", face));
    auto photo = decode(kData + numbered("/gfx/xboxer%02d.jpg", face));
    ASSERT_TRUE(skin && photo) << face;
    EXPECT_EQ(skin->Width(), 512);
    EXPECT_EQ(skin->Height(), 512);
    EXPECT_EQ(photo->Width(), 256);
    EXPECT_EQ(photo->Height(), 256);
    skins.push_back(std::move(skin));
    photos.push_back(std::move(photo));
  }
  // No two boxers look alike: every pair of photos and of skins differs clearly.
  for (int i = 0; i < kBoxers; ++i)
    for (int j = i + 1; j < kBoxers; ++j) {
      EXPECT_GT(difference(*photos[size_t(i)], *photos[size_t(j)]), 4.0) << i + 1 << " and " << j + 1;
      EXPECT_GT(difference(*skins[size_t(i)], *skins[size_t(j)]), 6.0) << i + 1 << " and " << j + 1;
    }
}

// ---- the fight and corner pictures, cut the way the screens cut them ----------------------

std::unique_ptr<KDecodedImage> picture(const char* name, int w, int h) {
  auto img = decode(kData + "/gfx/" + name);
  EXPECT_TRUE(img) << name;
  if (!img) return img;
  EXPECT_EQ(img->Width(), w) << name;
  EXPECT_EQ(img->Height(), h) << name;
  EXPECT_TRUE(img->HasAlpha()) << name;
  return img;
}

TEST_F(BoxerFiles, KnockoutPictures) {
  for (const char* name : {"KO.png", "TKO.png"}) {
    auto img = picture(name, 180, 70);
    ASSERT_TRUE(img);
    EXPECT_GT(ink(*img, 0, 0, 180, 70), 180 * 70 / 3) << name;
    // Drawn over the ring or the caption band: the corners stay clear.
    EXPECT_EQ(ink(*img, 0, 0, 6, 6), 0) << name;
  }
}

// Ten cells, three to a row, 48 pixels wide on a 125-pixel row pitch; each number sits in the
// top 70 rows of its cell.
TEST_F(BoxerFiles, CountSheetHasTenCells) {
  auto img = picture("COUNT.png", 144, 500);
  ASSERT_TRUE(img);
  for (int count = 0; count < 12; ++count) {
    int x = 48 * (count % 3), y = 125 * (count / 3);
    if (count < 10) EXPECT_GT(ink(*img, x, y, 48, 70), 300) << count;
    else EXPECT_EQ(ink(*img, x, y, 48, 70), 0) << count;
    EXPECT_EQ(ink(*img, x, y + 70, 48, 55), 0) << count;
  }
}

TEST_F(BoxerFiles, CrowdFlashStripHasThreeFlashes) {
  auto img = picture("FLASH.png", 500, 100);
  ASSERT_TRUE(img);
  EXPECT_EQ(ink(*img, 0, 0, 125, 100), 0);  // flash 0 is never drawn
  int last = 0;
  for (int cell = 1; cell <= 3; ++cell) {
    int n = ink(*img, 125 * cell, 0, 125, 100);
    EXPECT_GT(n, last) << cell;  // more flashes, more light
    last = n;
  }
}

TEST_F(BoxerFiles, ButtonsSitWhereTheScreensCutThem) {
  auto img = picture("FIGHTBTN.png", 512, 200);
  ASSERT_TRUE(img);
  struct R {
    int x, y, w, h;
  };
  std::vector<R> rects;
  for (int state = 0; state < 3; ++state)
    for (int i = 0; i < 3; ++i) rects.push_back({122 * i, 38 * state, 120, 36});  // pace
  for (int state = 0; state < 2; ++state)
    for (int d = 0; d < 2; ++d) rects.push_back({370 + 40 * d, 38 * state, 36, 36});  // scroll
  for (int k = 0; k < 4; ++k) rects.push_back({128 * k, 114, 124, 40});              // continue
  for (int state = 0; state < 2; ++state) rects.push_back({150 * state, 160, 147, 35});  // towel
  for (const R& r : rects) {
    // Each button's middle is solid; its hover image differs from its normal one.
    EXPECT_EQ(ink(*img, r.x + r.w / 2 - 4, r.y + r.h / 2 - 4, 8, 8), 64) << r.x << "," << r.y;
    EXPECT_GT(ink(*img, r.x, r.y, r.w, r.h), r.w * r.h * 3 / 4) << r.x << "," << r.y;
  }
  for (int i = 0; i < 3; ++i) {
    const uint8_t* normal = img->RowFromTop(18) + (122 * i + 60) * 4;
    const uint8_t* hover = img->RowFromTop(38 + 18) + (122 * i + 60) * 4;
    EXPECT_NE(std::vector<uint8_t>(normal, normal + 3), std::vector<uint8_t>(hover, hover + 3)) << i;
  }
}

TEST_F(BoxerFiles, CommentaryIconsHaveThreeCells) {
  auto img = picture("FIGHTICO.png", 72, 24);
  ASSERT_TRUE(img);
  for (int cell = 0; cell < 3; ++cell) EXPECT_GT(ink(*img, 24 * cell, 0, 24, 24), 120) << cell;
  // The opponent's (cell 0) is red, the player's boxer's (cell 1) blue.
  const uint8_t* red = img->RowFromTop(10) + 12 * 4;
  const uint8_t* blue = img->RowFromTop(10) + 36 * 4;
  EXPECT_GT(red[2], red[0]);   // B, G, R: more red than blue
  EXPECT_GT(blue[0], blue[2]);
}

TEST_F(BoxerFiles, InjuryMeterAndBodyAreas) {
  auto img = picture("INJURY.png", 304, 424);
  ASSERT_TRUE(img);
  // The meter is solid over its whole length, red at its left end and green at its right.
  EXPECT_EQ(ink(*img, 0, 0, 150, 8), 150 * 8);
  const uint8_t* left = img->RowFromTop(4);
  const uint8_t* right = img->RowFromTop(4) + 149 * 4;
  EXPECT_GT(left[2], left[1]);
  EXPECT_GT(right[1], right[2]);
  for (int area = 0; area < 4; ++area)
    for (int severe = 0; severe < 2; ++severe) {
      int x = 152 * severe, y = 10 + 103 * area;
      EXPECT_GT(ink(*img, x, y, 150, 101), 1500) << area << " " << severe;
      // The area's label along the bottom of the corner screen's panel stays readable.
      EXPECT_EQ(ink(*img, x, y + 86, 100, 15), 0) << area << " " << severe;
    }
}

TEST_F(BoxerFiles, RoundNumbersFillTheirColumn) {
  auto img = picture("ROUNDS.png", 80, 708);
  ASSERT_TRUE(img);
  EXPECT_EQ(ink(*img, 0, 0, 80, 708), 80 * 708);
  auto cellDiffers = [&](int a, int b) {
    int diff = 0;
    for (int y = 0; y < 59; ++y)
      for (int x = 0; x < 80 * 4; ++x)
        diff += img->RowFromTop(59 * a + y)[x] != img->RowFromTop(59 * b + y)[x];
    return diff;
  };
  for (int r = 1; r < 12; ++r) EXPECT_GT(cellDiffers(r - 1, r), 300) << r;
}

}  // namespace
