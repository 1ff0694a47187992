// The 38 boxers through the game's own model object on either renderer: each binary mesh
// loads with its skin as the texture, and each text export loads to the same counts.
#include <memory>
#include <string>

#include "graphics/KGraphic.h"
#include "image/KImage.h"
#include "mesh/KModelFactory.h"
#include "mesh/model_fixture.h"

namespace {

const std::string kData = BRAWNMOOR_DATA;

std::string numbered(const char* pattern, int face) {
  char buf[64];
  std::snprintf(buf, sizeof buf, pattern, face);
  return buf;
}

class BoxerModels : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    win_ = std::make_unique<ModelWindow>(GetParam());
    ASSERT_NE(win_->window, nullptr);
  }
  void TearDown() override { win_.reset(); }
  MessageBoxes boxes_;
  std::unique_ptr<ModelWindow> win_;
};

TEST_P(BoxerModels, EveryMeshLoadsWithItsSkinAndItsExportMatches) {
  for (int face = 1; face <= 38; ++face) {
    const std::string k3d = kData + numbered("/boxer%02d.K3D", face);
    const std::string ase = kData + numbered("/boxer%02d.ASE", face);
    std::unique_ptr<KModel> bin(KTools::CreateModel()), text(KTools::CreateModel());
    ASSERT_TRUE(bin && text);
    // The game lays each boxer's skin over its model itself: the mesh names the skin, which
    // lies in gfx/ with the other pictures.
    ASSERT_TRUE(bin->LoadK3D(k3d.c_str(), false)) << k3d;
    EXPECT_GT(bin->GetVertexCount(), 0) << k3d;
    EXPECT_GT(bin->GetFaceCount(), 0) << k3d;
    const std::string skinName = numbered("boxer%02d.jpg", face);
    EXPECT_STREQ(bin->GetMesh().textureName, skinName.c_str()) << k3d;
    std::string skinPath = kData + "/gfx/" + skinName;
    auto skin = KImage::DecodeImageFile(skinPath.data());
    ASSERT_TRUE(skin) << skinPath;
    EXPECT_EQ(skin->Width(), 512) << skinPath;
    ASSERT_TRUE(text->LoadASE(ase.c_str(), 1.0f, false)) << ase;
    EXPECT_EQ(text->GetVertexCount(), bin->GetVertexCount()) << ase;
    EXPECT_EQ(text->GetFaceCount(), bin->GetFaceCount()) << ase;
    EXPECT_STREQ(text->GetMesh().textureName, skinName.c_str()) << ase;
  }
  EXPECT_EQ(boxes_.count(), 0u) << "a mesh or skin failed to load";
}

// The game's own model, "boxer01.k3d", loads with the skin it names, which lies beside it.
TEST_P(BoxerModels, TheGameModelLoadsWithItsSkin) {
  std::unique_ptr<KModel> m(KTools::CreateModel());
  ASSERT_TRUE(m->LoadK3D((kData + "/boxer01.k3d").c_str(), true));
  EXPECT_GT(m->GetFaceCount(), 0);
  EXPECT_NE(m->GetTexture(), nullptr);
  EXPECT_EQ(boxes_.count(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothRenderers, BoxerModels, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& p) { return p.param ? "OpenGL" : "Software"; });

}  // namespace
