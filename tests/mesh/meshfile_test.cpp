#include "mesh/KMeshFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "support/tempdir.h"
#include "tools/KTools.h"

namespace {

std::string lastBox;
void captureBox(const char* caption, const char*) { lastBox = caption; }

class MeshFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    KTools::SetMessageBoxHandler(captureBox);
    KTools::ForgetReportedFiles();
    lastBox.clear();
  }
  void TearDown() override { KTools::SetMessageBoxHandler(nullptr); }
  TempDir dir;
};

// A cube from 1 to 3 on every axis: 8 vertices, 12 faces, one texture.
std::string cubeASE() {
  std::string s = "*3DSMAX_ASCIIEXPORT\t200\r\n*MATERIAL_LIST {\r\n\t*MAP_DIFFUSE {\r\n"
                  "\t\t*BITMAP \"C:\\\\art\\\\skins\\\\Boxer07.JPG\"\r\n\t}\r\n}\r\n"
                  "*GEOMOBJECT {\r\n\t*MESH {\r\n\t\t*MESH_NUMVERTEX 8\r\n\t\t*MESH_NUMFACES 12\r\n"
                  "\t\t*MESH_VERTEX_LIST {\r\n";
  const float p[8][3] = {{1, 1, 1}, {3, 1, 1}, {3, 3, 1}, {1, 3, 1}, {1, 1, 3}, {3, 1, 3}, {3, 3, 3}, {1, 3, 3}};
  for (int i = 0; i < 8; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, "\t\t\t*MESH_VERTEX %4d\t%.4f\t%.4f\t%.4f\r\n", i, p[i][0], p[i][1], p[i][2]);
    s += line;
  }
  s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n";
  const int f[12][3] = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                        {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
  for (int i = 0; i < 12; ++i) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "\t\t\t*MESH_FACE %4d:    A: %4d B: %4d C: %4d AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1\r\n",
                  i, f[i][0], f[i][1], f[i][2]);
    s += line;
  }
  s += "\t\t}\r\n\t\t*MESH_NUMTVERTEX 4\r\n\t\t*MESH_TVERTLIST {\r\n"
       "\t\t\t*MESH_TVERT 0\t0.0000\t0.0000\t0.0000\r\n\t\t\t*MESH_TVERT 1\t1.0000\t0.0000\t0.0000\r\n"
       "\t\t\t*MESH_TVERT 2\t1.0000\t0.2500\t0.0000\r\n\t\t\t*MESH_TVERT 3\t0.0000\t1.0000\t0.0000\r\n"
       "\t\t}\r\n\t\t*MESH_NUMTVFACES 12\r\n\t\t*MESH_TFACELIST {\r\n";
  for (int i = 0; i < 12; ++i) s += "\t\t\t*MESH_TFACE " + std::to_string(i) + "\t0\t1\t2\r\n";
  s += "\t\t}\r\n\t}\r\n}\r\n";
  return s;
}

TEST_F(MeshFiles, TheCubeIsCentredOnABoxThatHoldsTheOrigin) {
  dir.write("models/cube.ase", cubeASE());
  KMesh m;
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("models/cube.ase").c_str(), 1.0f, m));
  ASSERT_EQ(m.vertices.size(), 8u);
  ASSERT_EQ(m.faces.size(), 12u);
  // 1..3 becomes -0.5..1.5: the box runs from 0 to 3, its centre is 1.5.
  EXPECT_FLOAT_EQ(m.vertices[0].x, -0.5f);
  EXPECT_FLOAT_EQ(m.vertices[6].z, 1.5f);
  EXPECT_STREQ(m.textureName, "C:\\\\art\\\\skins\\\\Boxer07.JPG");
  std::string texture = dir.file("models") + "/Boxer07.JPG";
  KTools::ConvertSlashes(texture.data());  // in the system's own form
  EXPECT_EQ(m.texturePath, texture);
  // v is stored upside down: 0.25 becomes 0.75.
  EXPECT_FLOAT_EQ(m.faces[3].corner[2].u, 1.0f);
  EXPECT_FLOAT_EQ(m.faces[3].corner[2].v, 0.75f);
  // Face 0 (0, 2, 1) lies in z = 1 facing -z.
  EXPECT_FLOAT_EQ(m.faces[0].nz, -1.0f);
  // Scaled: twice the size.
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("models/cube.ase").c_str(), 2.0f, m));
  EXPECT_FLOAT_EQ(m.vertices[0].x, -1.0f);
}

TEST_F(MeshFiles, TheBinaryFileRoundTrips) {
  dir.write("cube.ase", cubeASE());
  KMesh m, back;
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("cube.ase").c_str(), 1.0f, m));
  m.faces[1].corner[0].unused[2] = 0xDEADBEEF;  // travels unchanged
  ASSERT_TRUE(KMeshFiles::SaveK3D(dir.file("boxer07.K3D").c_str(), m, kTagGL));
  std::ifstream in(dir.file("boxer07.K3D"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 272u + 24 * 8 + 96 * 12);
  EXPECT_EQ(bytes.substr(0, 4), " d3k");
  int32_t counts[2];
  std::memcpy(counts, bytes.data() + 264, 8);
  EXPECT_EQ(counts[0], 8);
  EXPECT_EQ(counts[1], 12);
  // Found whatever the case of its name.
  ASSERT_TRUE(KMeshFiles::LoadK3D(dir.file("BOXER07.k3d").c_str(), back));
  ASSERT_EQ(back.vertices.size(), m.vertices.size());
  EXPECT_EQ(std::memcmp(back.vertices.data(), m.vertices.data(), 24 * 8), 0);
  EXPECT_EQ(std::memcmp(back.faces.data(), m.faces.data(), 96 * 12), 0);
  EXPECT_STREQ(back.textureName, m.textureName);
  // The other tag reads the same.
  ASSERT_TRUE(KMeshFiles::SaveK3D(dir.file("dd.K3D").c_str(), m, kTagDD));
  ASSERT_TRUE(KMeshFiles::LoadK3D(dir.file("dd.K3D").c_str(), back));
  EXPECT_EQ(std::memcmp(back.faces.data(), m.faces.data(), 96 * 12), 0);
  // A mesh without faces is not written.
  KMesh empty;
  EXPECT_FALSE(KMeshFiles::SaveK3D(dir.file("empty.K3D").c_str(), empty, kTagGL));
}

TEST_F(MeshFiles, DamagedBinaryFilesAreRefused) {
  dir.write("cube.ase", cubeASE());
  KMesh m;
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("cube.ase").c_str(), 1.0f, m));
  ASSERT_TRUE(KMeshFiles::SaveK3D(dir.file("good.K3D").c_str(), m, kTagGL));
  std::ifstream in(dir.file("good.K3D"), std::ios::binary);
  std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  KMesh back;
  // Cut short anywhere.
  for (size_t cut : {size_t(0), size_t(100), size_t(272), size_t(272 + 24 * 8), good.size() - 1}) {
    dir.write("cut.K3D", good.substr(0, cut));
    EXPECT_FALSE(KMeshFiles::LoadK3D(dir.file("cut.K3D").c_str(), back)) << cut;
    EXPECT_TRUE(back.faces.empty());
  }
  // Counts larger than the file.
  std::string big = good;
  int32_t huge = 2000000000;
  std::memcpy(&big[268], &huge, 4);
  dir.write("big.K3D", big);
  EXPECT_FALSE(KMeshFiles::LoadK3D(dir.file("big.K3D").c_str(), back));
  // A face that names a vertex the mesh does not have.
  std::string bad = good;
  int32_t index = 8;
  std::memcpy(&bad[272 + 24 * 8 + 4], &index, 4);
  dir.write("bad.K3D", bad);
  EXPECT_FALSE(KMeshFiles::LoadK3D(dir.file("bad.K3D").c_str(), back));
  // No faces at all.
  std::string none = good;
  int32_t zero = 0;
  std::memcpy(&none[268], &zero, 4);
  dir.write("none.K3D", none);
  EXPECT_FALSE(KMeshFiles::LoadK3D(dir.file("none.K3D").c_str(), back));
  EXPECT_EQ(lastBox, "KModel");
  EXPECT_FALSE(KMeshFiles::LoadK3D(dir.file("missing.K3D").c_str(), back));
}

TEST_F(MeshFiles, OneFaceKeepsItsVertexNormals) {
  std::string s = "*MESH_NUMVERTEX 3\r\n*MESH_NUMFACES 1\r\n*MESH_VERTEX_LIST {\r\n"
                  "*MESH_VERTEX 0 0 0 0\r\n*MESH_VERTEX 1 1 0 0\r\n*MESH_VERTEX 2 0 1 0\r\n}\r\n"
                  "*MESH_FACE_LIST {\r\n*MESH_FACE 0: A: 0 B: 1 C: 2\r\n}\r\n";
  dir.write("tri.ase", s);
  KMesh m;
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("tri.ase").c_str(), 1.0f, m));
  EXPECT_FLOAT_EQ(m.faces[0].nz, 1.0f);
  for (const KVertex& v : m.vertices) EXPECT_EQ(v.nz, 0.0f);
  EXPECT_EQ(m.textureName[0], 0);
}

TEST_F(MeshFiles, VertexNormalsAverageTheFirstTwoFaces) {
  dir.write("cube.ase", cubeASE());
  KMesh m;
  ASSERT_TRUE(KMeshFiles::LoadASE(dir.file("cube.ase").c_str(), 1.0f, m));
  // Vertex 0 is used first by faces 0 and 1, both facing -z.
  EXPECT_FLOAT_EQ(m.vertices[0].nz, -1.0f);
  // Vertex 5 is first used by faces 2 (+z) and 4 (-y).
  EXPECT_FLOAT_EQ(m.vertices[5].nz, 0.5f);
  EXPECT_FLOAT_EQ(m.vertices[5].ny, -0.5f);
}

TEST_F(MeshFiles, BrokenExportsFailSafely) {
  KMesh m;
  EXPECT_FALSE(KMeshFiles::LoadASE(dir.file("nothing.ase").c_str(), 1.0f, m));
  EXPECT_EQ(lastBox, "File not found");
  dir.write("novert.ase", "*MESH_NUMVERTEX 0\r\n*MESH_NUMFACES 3\r\n");
  EXPECT_FALSE(KMeshFiles::LoadASE(dir.file("novert.ase").c_str(), 1.0f, m));
  EXPECT_EQ(lastBox, "No Vertices");
  dir.write("noface.ase", "*MESH_NUMVERTEX 3\r\n*MESH_NUMFACES 0\r\n");
  EXPECT_FALSE(KMeshFiles::LoadASE(dir.file("noface.ase").c_str(), 1.0f, m));
  EXPECT_EQ(lastBox, "No faces in this asc");
  // A face that points past the vertices.
  std::string s = cubeASE();
  s.replace(s.find("A:    0 B:    2"), 15, "A:   90 B:    2");
  dir.write("badface.ase", s);
  EXPECT_FALSE(KMeshFiles::LoadASE(dir.file("badface.ase").c_str(), 1.0f, m));
  EXPECT_TRUE(m.faces.empty());
  // Fewer vertex lines than announced.
  std::string shortList = cubeASE();
  shortList.replace(shortList.find("*MESH_NUMVERTEX 8"), 17, "*MESH_NUMVERTEX 9");
  dir.write("short.ase", shortList);
  EXPECT_FALSE(KMeshFiles::LoadASE(dir.file("short.ase").c_str(), 1.0f, m));
  // More texture faces than faces: a warning, the model still loads.
  std::string tfaces = cubeASE();
  tfaces.replace(tfaces.find("*MESH_NUMTVFACES 12"), 19, "*MESH_NUMTVFACES 13");
  dir.write("tfaces.ase", tfaces);
  EXPECT_TRUE(KMeshFiles::LoadASE(dir.file("tfaces.ase").c_str(), 1.0f, m));
  EXPECT_EQ(lastBox, "Texture mapping count doesn't match polygon count");
}

TEST_F(MeshFiles, TheObjectListing) {
  std::string s = "Named object\" 0 0 4\r\n"
                  "0 1.0 1.0 1.0 0 0 0\r\n1 3.0 1.0 1.0 0 0 0\r\n2 1.0 3.0 1.0 0 0 0\r\n3 1.0 1.0 3.0 0 0 0\r\n"
                  "2\r\n0 0 1\r\n0 1 0\r\n"
                  "2\r\n0 0  1  2  0  0  0  0\r\n1 0  1  3  0  0  0  0\r\n";
  dir.write("tet.txt", s);
  KMesh m;
  ASSERT_TRUE(KMeshFiles::LoadObjectText(dir.file("tet.txt").c_str(), 1.0f, m));
  ASSERT_EQ(m.vertices.size(), 4u);
  ASSERT_EQ(m.faces.size(), 2u);
  EXPECT_FLOAT_EQ(m.vertices[0].x, -0.5f);
  EXPECT_EQ(m.faces[1].c, 3);
  EXPECT_EQ(m.textureName[0], 0);
}

}  // namespace
