// KModel on both renderers: the factory, the readers through the model with their textures and
// message boxes, the binary file written by one twin and read by the other, texture ownership.
#include <cstring>
#include <fstream>

#include "graphics/KGraphicDD.h"
#include "graphics/KGraphicFactory.h"
#include "mesh/KModelDD.h"
#include "mesh/KModelFactory.h"
#include "mesh/KModelGL.h"
#include "model_fixture.h"
#include "support/pixels.h"

namespace {

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Models : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    win_ = std::make_unique<ModelWindow>(GetParam());
    ASSERT_NE(win_->window, nullptr);
    model_.reset(KTools::CreateModel());
    ASSERT_NE(model_, nullptr);
    dir_.write("models/cube.ase", cubeASE());
    ASSERT_TRUE(writeModelPng(dir_.file("models/cube.png"), checkerPixels(), 64, 64));
  }
  void TearDown() override {
    model_.reset();
    win_.reset();
  }
  std::string path(const std::string& name) { return dir_.file(name); }
  TempDir dir_;
  MessageBoxes boxes_;
  std::unique_ptr<ModelWindow> win_;
  std::unique_ptr<KModel> model_;
};

TEST_P(Models, FactoryFollowsRenderer) {
  EXPECT_EQ(dynamic_cast<KModelGL*>(model_.get()) != nullptr, GetParam());
  EXPECT_EQ(dynamic_cast<KModelDD*>(model_.get()) != nullptr, !GetParam());
  EXPECT_EQ(model_->GetShadingMode(), 0);
  float s[3];
  model_->GetScale(s);
  EXPECT_EQ(s[0] + s[1] + s[2], 3.0f);
  EXPECT_FALSE(model_->IsBlending());
  EXPECT_EQ(model_->GetBlendValue(), 1.0f);
  EXPECT_TRUE(model_->GetBlendAlphaOver());
}

TEST_P(Models, TheCubeIsCentredTexturedAndItsVTurned) {
  ASSERT_TRUE(model_->LoadASE(path("models/cube.ase").c_str(), 1.0f, true));
  EXPECT_EQ(boxes_.count(), 0u);
  ASSERT_EQ(model_->GetVertexCount(), 8);
  ASSERT_EQ(model_->GetFaceCount(), 12);
  const KMesh& m = model_->GetMesh();
  // 1..3 on every axis becomes -0.5..1.5: the centring box starts at the origin.
  for (const KVertex& v : m.vertices)
    for (float c : {v.x, v.y, v.z}) EXPECT_TRUE(c == -0.5f || c == 1.5f) << c;
  EXPECT_FLOAT_EQ(m.vertices[0].x, -0.5f);
  EXPECT_FLOAT_EQ(m.vertices[6].z, 1.5f);
  // v is kept as 1 - v: the texture vertex (1, 0.25) gives (1, 0.75), (0, 0) gives (0, 1).
  EXPECT_FLOAT_EQ(m.faces[5].corner[2].u, 1.0f);
  EXPECT_FLOAT_EQ(m.faces[5].corner[2].v, 0.75f);
  EXPECT_FLOAT_EQ(m.faces[5].corner[0].v, 1.0f);
  // The texture comes from the model's own folder under the bitmap's file name.
  EXPECT_EQ(m.texturePath, path("models") + "/cube.png");
  ASSERT_NE(model_->GetTexture(), nullptr);
  EXPECT_TRUE(model_->OwnsTexture());
  EXPECT_EQ(model_->GetTexture()->GetWidth(), 64);
  // Scaled by two before centring.
  ASSERT_TRUE(model_->LoadASE(path("models/cube.ase").c_str(), 2.0f, false));
  EXPECT_FLOAT_EQ(model_->GetMesh().vertices[0].x, -1.0f);
  EXPECT_EQ(model_->GetTexture(), nullptr) << "no texture asked for";
}

TEST_P(Models, TheBinaryFileCarriesTheTagAndReadsBackInEitherTwin) {
  ASSERT_TRUE(model_->LoadASE(path("models/cube.ase").c_str(), 1.0f, false));
  ASSERT_TRUE(model_->SaveK3D(path("models/cube.k3d").c_str()));
  const std::string bytes = bytesOf(path("models/cube.k3d"));
  ASSERT_EQ(bytes.size(), 272u + 24 * 8 + 96 * 12);
  EXPECT_EQ(bytes.substr(0, 4), GetParam() ? " d3k" : " D3K");
  EXPECT_EQ(std::string(bytes.data() + 4), "C:\\art\\skins\\cube.png");
  for (size_t i = 4 + 22; i < 264; ++i) ASSERT_EQ(bytes[i], 0) << "zero-padded name, byte " << i;
  const KMesh& original = model_->GetMesh();
  KModelGL gl;
  KModelDD dd;
  for (KModel* reader : {static_cast<KModel*>(&gl), static_cast<KModel*>(&dd)}) {
    // The texture is left out: a picture of the other renderer cannot be made here.
    ASSERT_TRUE(reader->LoadK3D(path("models/cube.k3d").c_str(), false));
    const KMesh& back = reader->GetMesh();
    ASSERT_EQ(back.vertices.size(), original.vertices.size());
    ASSERT_EQ(back.faces.size(), original.faces.size());
    EXPECT_EQ(std::memcmp(back.vertices.data(), original.vertices.data(), 24 * 8), 0);
    EXPECT_EQ(std::memcmp(back.faces.data(), original.faces.data(), 96 * 12), 0);
    EXPECT_STREQ(back.textureName, original.textureName);
    // Written again by the reader: the same records after the tag.
    ASSERT_TRUE(reader->SaveK3D(path("models/again.k3d").c_str()));
    EXPECT_EQ(bytesOf(path("models/again.k3d")).substr(4), bytes.substr(4));
  }
  // The software twin's lists: three corners per face, flat starting at the third corner.
  ASSERT_EQ(dd.GetFlatList().size(), 36u);
  ASSERT_EQ(dd.GetSmoothList().size(), 36u);
  const KFace& f = original.faces[4];
  EXPECT_EQ(dd.GetFlatList()[12].x, original.vertices[size_t(f.c)].x);
  EXPECT_EQ(dd.GetFlatList()[12].nz, f.nz);
  EXPECT_EQ(dd.GetSmoothList()[12].ny, original.vertices[size_t(f.a)].ny);
  EXPECT_EQ(dd.GetSmoothList()[14].v, f.corner[2].v);
  EXPECT_EQ(boxes_.count(), 0u);
}

TEST_P(Models, OneFaceGetsNoVertexNormals) {
  dir_.write("tri.ase",
             "*MESH_NUMVERTEX 3\r\n*MESH_NUMFACES 1\r\n*MESH_VERTEX_LIST {\r\n*MESH_VERTEX 0 0 0 0\r\n"
             "*MESH_VERTEX 1 1 0 0\r\n*MESH_VERTEX 2 0 1 0\r\n}\r\n*MESH_FACE_LIST {\r\n"
             "*MESH_FACE 0: A: 0 B: 1 C: 2\r\n}\r\n");
  ASSERT_TRUE(model_->LoadASE(path("tri.ase").c_str(), 1.0f, true));
  EXPECT_FLOAT_EQ(model_->GetMesh().faces[0].nz, 1.0f);
  for (const KVertex& v : model_->GetMesh().vertices) EXPECT_EQ(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz, 0.0f);
  EXPECT_EQ(model_->GetTexture(), nullptr);
  EXPECT_FALSE(model_->OwnsTexture()) << "no bitmap: the model owns no texture";
  // Texture coordinates of a file without texture vertices are 0.
  EXPECT_EQ(model_->GetMesh().faces[0].corner[1].u, 0.0f);
}

TEST_P(Models, TheObjectListing) {
  dir_.write("tet.txt",
             "Named object\" 0 0 4\r\n0 1.0 1.0 1.0 0 0 0\r\n1 3.0 1.0 1.0 0 0 0\r\n2 1.0 3.0 1.0 0 0 0\r\n"
             "3 1.0 1.0 3.0 0 0 0\r\n2\r\n0 0 1\r\n0 1 0\r\n2\r\n0 0  1  2  0  0  0  0\r\n1 0  1  3  0  0  0  0\r\n");
  ASSERT_TRUE(model_->LoadObjectText(path("tet.txt").c_str(), 1.0f, true));
  EXPECT_EQ(model_->GetVertexCount(), 4);
  EXPECT_EQ(model_->GetFaceCount(), 2);
  EXPECT_FLOAT_EQ(model_->GetMesh().vertices[1].x, 1.5f);
  EXPECT_EQ(model_->GetTexture(), nullptr);
  // Vertex 0 is shared by both faces: the average of their normals (+z and -y).
  EXPECT_FLOAT_EQ(model_->GetMesh().vertices[0].nz, 0.5f);
  EXPECT_FLOAT_EQ(model_->GetMesh().vertices[0].ny, -0.5f);
}

TEST_P(Models, TheFailureTable) {
  // ASCII file that cannot be opened: "File not found" with the path as the text.
  const std::string missing = path("missing.ase");
  EXPECT_FALSE(model_->LoadASE(missing.c_str(), 1.0f, true));
  ASSERT_EQ(boxes_.count(), 1u);
  EXPECT_EQ(MessageBoxes::shown()[0].first, "File not found");
  EXPECT_EQ(MessageBoxes::shown()[0].second, missing);
  EXPECT_FALSE(model_->LoadObjectText(missing.c_str(), 1.0f, false));
  EXPECT_EQ(MessageBoxes::shown().back().first, "File not found");
  // No vertices, no faces.
  dir_.write("novert.ase", "*MESH_NUMVERTEX 0\r\n*MESH_NUMFACES 3\r\n");
  EXPECT_FALSE(model_->LoadASE(path("novert.ase").c_str(), 1.0f, true));
  EXPECT_TRUE(boxes_.any("No Vertices"));
  dir_.write("noface.ase", "*MESH_NUMVERTEX 3\r\n*MESH_NUMFACES 0\r\n");
  EXPECT_FALSE(model_->LoadASE(path("noface.ase").c_str(), 1.0f, true));
  EXPECT_TRUE(boxes_.any("No faces in this asc"));
  dir_.write("novert.txt", "Named object\" 0 0 0\r\n");
  EXPECT_FALSE(model_->LoadObjectText(path("novert.txt").c_str(), 1.0f, false));
  EXPECT_EQ(MessageBoxes::shown().back().first, "No Vertices");
  // The face list at the very start of the file: the box, and reading goes on.
  boxes_.shown().clear();
  dir_.write("facesfirst.ase",
             "*MESH_FACE_LIST {\r\n*MESH_FACE 0: A: 0 B: 1 C: 2\r\n*MESH_FACE 1: A: 0 B: 2 C: 3\r\n}\r\n"
             "*MESH_NUMVERTEX 4\r\n*MESH_NUMFACES 2\r\n*MESH_VERTEX_LIST {\r\n*MESH_VERTEX 0 0 0 0\r\n"
             "*MESH_VERTEX 1 1 0 0\r\n*MESH_VERTEX 2 1 1 0\r\n*MESH_VERTEX 3 0 1 0\r\n}\r\n");
  EXPECT_TRUE(model_->LoadASE(path("facesfirst.ase").c_str(), 1.0f, true));
  EXPECT_TRUE(boxes_.any("no faces node found! (*MESH_FACE_LIST)"));
  EXPECT_EQ(model_->GetFaceCount(), 2);
  EXPECT_EQ(model_->GetMesh().faces[1].c, 3);
  // The texture cannot be loaded: the box, and the model is kept without a texture.
  boxes_.shown().clear();
  dir_.write("lonely/cube.ase", cubeASE());
  EXPECT_TRUE(model_->LoadASE(path("lonely/cube.ase").c_str(), 1.0f, true));
  EXPECT_TRUE(boxes_.any("Could not load texture"));
  EXPECT_EQ(model_->GetFaceCount(), 12);
  EXPECT_EQ(model_->GetTexture(), nullptr);
  EXPECT_FALSE(model_->OwnsTexture());
  ASSERT_TRUE(model_->SaveK3D(path("lonely/cube.k3d").c_str()));
  boxes_.shown().clear();
  EXPECT_TRUE(model_->LoadK3D(path("lonely/cube.k3d").c_str(), true));
  EXPECT_TRUE(boxes_.any("Could not load texture"));
  EXPECT_EQ(model_->GetFaceCount(), 12);
  // More texture faces than faces: the box, and the model still loads.
  boxes_.shown().clear();
  std::string tfaces = cubeASE();
  tfaces.replace(tfaces.find("*MESH_NUMTVFACES 12"), 19, "*MESH_NUMTVFACES 13");
  dir_.write("models/tfaces.ase", tfaces);
  EXPECT_TRUE(model_->LoadASE(path("models/tfaces.ase").c_str(), 1.0f, true));
  EXPECT_TRUE(boxes_.any("Texture mapping count doesn't match polygon count"));
  // A binary file that cannot be opened: false and no box.
  boxes_.shown().clear();
  EXPECT_FALSE(model_->LoadK3D(path("missing.k3d").c_str(), true));
  EXPECT_EQ(boxes_.count(), 0u);
  EXPECT_EQ(model_->GetFaceCount(), 0);
  // Binary counts of 0.
  std::string none = bytesOf(path("lonely/cube.k3d"));
  std::memset(&none[264], 0, 4);
  dir_.write("none.k3d", none);
  EXPECT_FALSE(model_->LoadK3D(path("none.k3d").c_str(), true));
  EXPECT_TRUE(boxes_.any(path("none.k3d") + ": the mesh holds no faces or no points"));
  // Once a run for each file.
  const size_t shown = boxes_.count();
  EXPECT_FALSE(model_->LoadK3D(path("none.k3d").c_str(), true));
  EXPECT_EQ(boxes_.count(), shown);
  // A model without faces writes nothing.
  EXPECT_FALSE(model_->SaveK3D(path("empty.k3d").c_str()));
  EXPECT_FALSE(std::ifstream(path("empty.k3d")).good());
  // A file that cannot be created.
  ASSERT_TRUE(model_->LoadASE(path("models/cube.ase").c_str(), 1.0f, false));
  EXPECT_FALSE(model_->SaveK3D(path("no/such/folder/cube.k3d").c_str()));
}

TEST_P(Models, TextureOwnership) {
  ASSERT_TRUE(model_->LoadASE(path("models/cube.ase").c_str(), 1.0f, true));
  ASSERT_TRUE(model_->OwnsTexture());
  KGraphic* own = model_->GetTexture();
  // Handing the model its own picture changes nothing (it must not be deleted).
  model_->SetTexture(own);
  EXPECT_EQ(model_->GetTexture(), own);
  EXPECT_TRUE(model_->OwnsTexture());
  const size_t before = KGraphicDD::RegisteredCount();
  std::unique_ptr<KGraphic> skin(KTools::CreateGraphic());
  // The picture remembers the array: it must outlive the picture.
  std::vector<uint32_t> checker = rgbaPixels(checkerPixels(8));
  ASSERT_TRUE(skin->MakePictureFromArray(checker.data(), 8, 8, false));
  model_->SetTexture(skin.get());  // the owned one is deleted, the new one is not owned
  EXPECT_EQ(model_->GetTexture(), skin.get());
  EXPECT_FALSE(model_->OwnsTexture());
  if (!GetParam()) {
    EXPECT_EQ(KGraphicDD::RegisteredCount(), before) << "one made, the owned one deleted";
  }
  model_->Clear();
  EXPECT_EQ(model_->GetTexture(), nullptr);
  EXPECT_EQ(model_->GetFaceCount(), 0);
  EXPECT_EQ(model_->GetVertexCount(), 0);
  EXPECT_NE(skin->GetWidth(), 0) << "a picture the model does not own is left alone";
  model_->SetTexture(nullptr);
  // The settings.
  model_->SetScale(2, 3, 4);
  model_->SetShadingMode(1);
  model_->SetBlending(true, 0.25f);
  model_->SetBlendMode(false);
  float s[3];
  model_->GetScale(s);
  EXPECT_EQ(s[2], 4.0f);
  EXPECT_EQ(model_->GetShadingMode(), 1);
  EXPECT_TRUE(model_->IsBlending());
  EXPECT_EQ(model_->GetBlendValue(), 0.25f);
  EXPECT_FALSE(model_->GetBlendAlphaOver());
}

TEST_P(Models, DrawingWithoutAMeshDrawsNothing) {
  win_->clear(0, 0, 1);
  const std::vector<uint32_t> before = win_->read();
  model_->Begin3D(true, false);
  model_->Render(0, 0, -3, 0, 0, 0);
  model_->RenderSmooth(0, 0, -3, 0, 0, 0);
  model_->End3D();
  EXPECT_EQ(win_->read(), before);
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, Models, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& i) { return i.param ? "OpenGL" : "Software"; });

}  // namespace
