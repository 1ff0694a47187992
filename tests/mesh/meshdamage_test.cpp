// Damaged mesh files: missing tokens, counts larger than what follows, negative and absurd
// counts, indices outside the vertex list, numbers too large for a float, binary counts that do
// not match the size, and every cut of a good file. Each is refused (or, where only texture
// coordinates are wrong, loaded without them) and never reads or writes outside an array; the
// sanitizer build runs these too.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "mesh/KMeshFile.h"
#include "tools/KTools.h"

namespace {

// A file name written with '/' in the system's own form, as the mesh readers give it.
std::string sys(std::string name) {
  KTools::ConvertSlashes(name.data());
  return name;
}

std::vector<std::string> boxes;

class DamagedMeshes : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes.clear();
    KTools::ForgetReportedFiles();
    KTools::SetMessageBoxHandler([](const char* caption, const char*) { boxes.emplace_back(caption); });
  }
  void TearDown() override { KTools::SetMessageBoxHandler(nullptr); }
};

// Two triangles over four vertices, with texture coordinates.
std::string squareASE() {
  return "*MESH_NUMVERTEX 4\r\n*MESH_NUMFACES 2\r\n*MESH_VERTEX_LIST {\r\n"
         "*MESH_VERTEX 0 0 0 0\r\n*MESH_VERTEX 1 1 0 0\r\n*MESH_VERTEX 2 1 1 0\r\n*MESH_VERTEX 3 0 1 0\r\n}\r\n"
         "*MESH_FACE_LIST {\r\n*MESH_FACE 0: A: 0 B: 1 C: 2\r\n*MESH_FACE 1: A: 0 B: 2 C: 3\r\n}\r\n"
         "*MATERIAL { *BITMAP \"skin.png\" }\r\n"
         "*MESH_NUMTVERTEX 3\r\n*MESH_TVERTLIST {\r\n*MESH_TVERT 0 0.0 0.0 0\r\n*MESH_TVERT 1 1.0 0.0 0\r\n"
         "*MESH_TVERT 2 1.0 0.5 0\r\n}\r\n*MESH_NUMTVFACES 2\r\n*MESH_TFACELIST {\r\n*MESH_TFACE 0 0 1 2\r\n"
         "*MESH_TFACE 1 0 2 1\r\n}\r\n";
}

std::string squareListing() {
  return "Named object\" 0 0 4\r\n0 0.0 0.0 0.0 0 0 0\r\n1 1.0 0.0 0.0 0 0 0\r\n2 1.0 1.0 0.0 0 0 0\r\n"
         "3 0.0 1.0 0.0 0 0 0\r\n1\r\n0 0 1\r\n2\r\n0 0  1  2  0  0  0  0\r\n1 0  2  3  0  0  0  0\r\n";
}

std::string replaced(std::string s, const std::string& what, const std::string& with) {
  size_t at = s.find(what);
  EXPECT_NE(at, std::string::npos) << what;
  if (at != std::string::npos) s.replace(at, what.size(), with);
  return s;
}

// Refused, and the mesh is left empty.
void expectRefusedASE(const std::string& text, const char* why) {
  KMesh m;
  EXPECT_FALSE(KMeshFiles::ParseASE(text, "models/x.ase", 1.0f, m)) << why;
  EXPECT_TRUE(m.vertices.empty() && m.faces.empty()) << why;
}

void expectRefusedListing(const std::string& text, const char* why) {
  KMesh m;
  EXPECT_FALSE(KMeshFiles::ParseObjectText(text, 1.0f, m)) << why;
  EXPECT_TRUE(m.vertices.empty() && m.faces.empty()) << why;
}

void expectRefusedK3D(const std::string& bytes, const char* why) {
  KMesh m;
  EXPECT_FALSE(KMeshFiles::ParseK3D(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), "x.k3d", m))
      << why;
  EXPECT_TRUE(m.vertices.empty() && m.faces.empty()) << why;
}

TEST_F(DamagedMeshes, TheGoodFilesLoad) {
  KMesh m;
  ASSERT_TRUE(KMeshFiles::ParseASE(squareASE(), "models/x.ase", 1.0f, m));
  EXPECT_EQ(m.faces[1].corner[2].u, 1.0f);
  EXPECT_EQ(m.faces[1].corner[1].v, 0.5f);
  EXPECT_EQ(m.texturePath, sys("models/skin.png"));
  ASSERT_TRUE(KMeshFiles::ParseObjectText(squareListing(), 1.0f, m));
  EXPECT_EQ(m.faces[1].c, 3);
  // A model named without a folder finds its texture in the current folder, not at the root.
  EXPECT_EQ(KMeshFiles::TexturePathFor("boxer01.k3d", "boxer01.jpg"), "boxer01.jpg");
  EXPECT_EQ(KMeshFiles::TexturePathFor("data\\boxer01.k3d", "C:\\art\\boxer01.jpg"), sys("data/boxer01.jpg"));
}

TEST_F(DamagedMeshes, ExportsWithMissingTokensOrWrongCounts) {
  const std::string good = squareASE();
  expectRefusedASE(replaced(good, "*MESH_VERTEX_LIST", "*MESH_VERTEX_LIZT"), "no vertex list");
  expectRefusedASE(replaced(good, "*MESH_VERTEX 3", "*MESH_VERTEZ 3"), "a vertex line missing");
  expectRefusedASE(replaced(good, "*MESH_FACE 1:", "*MESH_FACX 1:"), "a face line missing");
  expectRefusedASE(replaced(good, "*MESH_NUMVERTEX 4", "*MESH_NUMVERTEX 5"), "more vertices announced than listed");
  expectRefusedASE(replaced(good, "*MESH_NUMFACES 2", "*MESH_NUMFACES 3"), "more faces announced than listed");
  expectRefusedASE(replaced(good, "*MESH_NUMVERTEX 4", "*MESH_NUMVERTEX 3999999"), "a count the text cannot hold");
  expectRefusedASE(replaced(good, "*MESH_NUMFACES 2", "*MESH_NUMFACES 99999999999"), "a count past 32 bits");
  expectRefusedASE(replaced(good, "B: 1 C: 2", "B: 90 C: 2"), "an index past the vertices");
  expectRefusedASE(replaced(good, "B: 2 C: 3", "B: -1 C: 3"), "a negative index");
  // Numbers are digits without exponents: 40 digits are too large for a float, 320 for a double.
  expectRefusedASE(replaced(good, "*MESH_VERTEX 2 1 1 0", "*MESH_VERTEX 2 " + std::string(40, '9') + " 1 0"),
                   "too large for a float");
  expectRefusedASE(replaced(good, "*MESH_VERTEX 2 1 1 0", "*MESH_VERTEX 2 " + std::string(320, '9') + " 1 0"),
                   "too large for a double");
  expectRefusedASE(replaced(good, "*MESH_VERTEX 1 1 0 0\r\n*MESH", "*MESH_VERTEX 1 1 0"), "numbers cut off at the end");
  {
    boxes.clear();
    expectRefusedASE(replaced(good, "*MESH_FACE_LIST", "*MESH_FACE_LIZT"), "no face list");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "no faces node found! (*MESH_FACE_LIST)");
  }
  boxes.clear();
  expectRefusedASE(replaced(good, "*MESH_NUMVERTEX 4", "*MESH_NUMVERTEX -4"), "negative vertex count");
  EXPECT_EQ(boxes.back(), "No Vertices");
  expectRefusedASE(replaced(good, "*MESH_NUMFACES 2", "*MESH_NUMFACES -2"), "negative face count");
  EXPECT_EQ(boxes.back(), "No faces in this asc");
  expectRefusedASE("", "empty");
  EXPECT_EQ(boxes.back(), "No Vertices");
}

TEST_F(DamagedMeshes, ExportsWithBadTextureCoordinatesStillLoad) {
  const std::string good = squareASE();
  KMesh m;
  // Texture-vertex indices outside the list: those corners keep 0, 0.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_TFACE 1 0 2 1", "*MESH_TFACE 1 99 -3 1"), "x.ase", 1, m));
  EXPECT_EQ(m.faces[1].corner[0].u, 0.0f);
  EXPECT_EQ(m.faces[1].corner[1].v, 0.0f);
  EXPECT_EQ(m.faces[1].corner[2].u, 1.0f);
  // Absurd or negative counts of texture vertices and faces: nothing is read for them.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_NUMTVERTEX 3", "*MESH_NUMTVERTEX 2000000000"), "x.ase", 1, m));
  EXPECT_EQ(m.faces.size(), 2u);
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_NUMTVERTEX 3", "*MESH_NUMTVERTEX -3"), "x.ase", 1, m));
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES -2"), "x.ase", 1, m));
  EXPECT_EQ(m.faces[0].corner[2].u, 0.0f);
  // Fewer texture vertices or faces listed than announced.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_NUMTVERTEX 3", "*MESH_NUMTVERTEX 9"), "x.ase", 1, m));
  boxes.clear();
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_NUMTVFACES 2", "*MESH_NUMTVFACES 400"), "x.ase", 1, m));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Texture mapping count doesn't match polygon count");
  // A texture coordinate too large for a float ends the list there.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "*MESH_TVERT 1 1.0", "*MESH_TVERT 1 " + std::string(40, '9')),
                                   "x.ase", 1, m));
  EXPECT_EQ(m.faces[0].corner[1].u, 0.0f);
  // An unterminated bitmap name: no texture.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "\"skin.png\"", "\"skin.png"), "x.ase", 1, m));
  // A bitmap name longer than the file's field is cut to 259 characters.
  ASSERT_TRUE(KMeshFiles::ParseASE(replaced(good, "skin.png", std::string(2000, 'n')), "x.ase", 1, m));
  EXPECT_EQ(std::strlen(m.textureName), 259u);
}

TEST_F(DamagedMeshes, ListingsWithWrongCountsOrIndices) {
  const std::string good = squareListing();
  expectRefusedListing(replaced(good, "0 0 4\r\n", "0 0 5\r\n"), "more vertices announced than listed");
  expectRefusedListing(replaced(good, "0 0 4\r\n", "0 0 900000\r\n"), "a count the text cannot hold");
  expectRefusedListing(replaced(good, "\r\n2\r\n0 0  1", "\r\n3\r\n0 0  1"), "more faces announced than listed");
  expectRefusedListing(replaced(good, "0 0  1  2", "0 0  1  4"), "an index past the vertices");
  expectRefusedListing(replaced(good, "1 0  2  3", "1 -1  2  3"), "a negative index");
  expectRefusedListing(replaced(good, "\r\n1\r\n0 0 1\r\n", "\r\n-1\r\n0 0 1\r\n"), "a negative normal count");
  expectRefusedListing(replaced(good, "2 1.0 1.0 0.0", "2 1.0 1e39 0.0"), "too large for a float");
  expectRefusedListing(replaced(good, "2 1.0 1.0 0.0", "two"), "a vertex line that is no vertex");
  boxes.clear();
  expectRefusedListing(good.substr(0, good.find("2\r\n0 0  1")), "no faces");
  EXPECT_EQ(boxes.back(), "No faces in this asc");
  expectRefusedListing(replaced(good, "object\"", "objekt\""), "no object token");
  EXPECT_EQ(boxes.back(), "No Vertices");
}

TEST_F(DamagedMeshes, BinaryFilesWhoseCountsDoNotFit) {
  KMesh m;
  ASSERT_TRUE(KMeshFiles::ParseASE(squareASE(), "x.ase", 1.0f, m));
  std::string good(272 + 24 * 4 + 96 * 2, '\0');
  std::memcpy(&good[0], kTagGL, 4);
  std::memcpy(&good[4], "skin.png", 8);
  const int32_t counts[2] = {4, 2};
  std::memcpy(&good[264], counts, 8);
  std::memcpy(&good[272], m.vertices.data(), 24 * 4);
  std::memcpy(&good[272 + 96], m.faces.data(), 96 * 2);
  KMesh back;
  ASSERT_TRUE(KMeshFiles::ParseK3D(reinterpret_cast<const uint8_t*>(good.data()), good.size(), "a/b.k3d", back));
  EXPECT_EQ(back.texturePath, sys("a/skin.png"));
  // Trailing bytes after the records are left alone.
  ASSERT_TRUE(KMeshFiles::ParseK3D(reinterpret_cast<const uint8_t*>((good + "xyz").data()), good.size() + 3, "b.k3d",
                                   back));
  auto withCounts = [&](int32_t vertices, int32_t faces) {
    std::string s = good;
    std::memcpy(&s[264], &vertices, 4);
    std::memcpy(&s[268], &faces, 4);
    return s;
  };
  expectRefusedK3D(withCounts(5, 2), "one vertex more than the file holds");
  expectRefusedK3D(withCounts(4, 3), "one face more than the file holds");
  expectRefusedK3D(withCounts(0x7FFFFFFF, 2), "the largest count");
  expectRefusedK3D(withCounts(4, 0x40000000), "a count whose size overflows 32 bits");
  boxes.clear();
  expectRefusedK3D(withCounts(-4, 2), "a negative count");
  EXPECT_EQ(boxes.back(), "KModel");
  expectRefusedK3D(withCounts(4, -1), "a negative count");
  std::string badIndex = good;
  const int32_t minus = -1, past = 4;
  std::memcpy(&badIndex[272 + 96 + 96 + 8], &minus, 4);
  expectRefusedK3D(badIndex, "a negative vertex index");
  std::memcpy(&badIndex[272 + 96 + 96 + 8], &past, 4);
  expectRefusedK3D(badIndex, "a vertex index past the list");
  // A name that fills its field without a terminator is cut inside it.
  std::string longName = good;
  std::memset(&longName[4], 'n', 260);
  ASSERT_TRUE(KMeshFiles::ParseK3D(reinterpret_cast<const uint8_t*>(longName.data()), longName.size(), "c.k3d", back));
  EXPECT_EQ(std::strlen(back.textureName), 259u);
}

TEST_F(DamagedMeshes, EveryCutOfAGoodFileIsSafe) {
  // Every prefix: a text file may still hold a complete mesh before its texture part; the binary
  // file never does until it is whole.
  const std::string ase = squareASE(), listing = squareListing();
  for (size_t n = 0; n < ase.size(); ++n) {
    KMesh m;
    if (!KMeshFiles::ParseASE(ase.substr(0, n), "x.ase", 1.0f, m)) {
      EXPECT_TRUE(m.faces.empty());
      continue;
    }
    EXPECT_EQ(m.faces.size(), 2u) << n;
  }
  for (size_t n = 0; n < listing.size(); ++n) {
    KMesh m;
    if (!KMeshFiles::ParseObjectText(listing.substr(0, n), 1.0f, m)) {
      EXPECT_TRUE(m.faces.empty()) << n;
    }
  }
  KMesh m;
  ASSERT_TRUE(KMeshFiles::ParseASE(ase, "x.ase", 1.0f, m));
  std::string k3d(272, '\0');
  const int32_t counts[2] = {4, 2};
  std::memcpy(&k3d[264], counts, 8);
  k3d.append(reinterpret_cast<const char*>(m.vertices.data()), 24 * 4);
  k3d.append(reinterpret_cast<const char*>(m.faces.data()), 96 * 2);
  for (size_t n = 0; n < k3d.size(); ++n) {
    const std::string cut = k3d.substr(0, n);
    expectRefusedK3D(cut, "cut short");
  }
}

}  // namespace
