// Triangle meshes and their files: the ASE-style scene export, the plain "object" listing,
// and the engine's own binary mesh file, which it reads and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct KVertex {
  float x, y, z;
  float nx, ny, nz;
};

struct KFaceCorner {
  float u, v;
  uint32_t unused[4];   // kept in files, never set or read
};

struct KFace {
  int32_t a, b, c;      // vertex indices
  float nx, ny, nz;     // face normal
  KFaceCorner corner[3];
};

static_assert(sizeof(KVertex) == 24 && sizeof(KFace) == 96);

struct KMesh {
  std::vector<KVertex> vertices;
  std::vector<KFace> faces;
  char textureName[1024] = {};   // the texture's name as the file gives it
  std::string texturePath;       // where that texture lies: beside the mesh file

  void Clear();
};

// The binary file's tags.
constexpr char kTagGL[5] = " d3k";
constexpr char kTagDD[5] = " D3K";

namespace KMeshFiles {

// The ASE-style export: vertices (scaled, then centred on a box that includes the origin),
// faces with their normals, vertex normals from the first two faces of each vertex, the
// texture's name and its coordinates (v turned upside down). Failures show the message boxes
// of the mesh facility and return false with the mesh cleared.
bool LoadASE(const char* path, float scale, KMesh& mesh);

// The plain "object" listing: vertices, skipped normals, faces; no texture.
bool LoadObjectText(const char* path, float scale, KMesh& mesh);

// The binary mesh file. A file that cannot be opened or whose counts or indices do not fit
// what it holds gives false.
bool LoadK3D(const char* path, KMesh& mesh);

// The same readers on text or bytes already in memory (the file readers read the whole file
// and hand it to these). modelPath is where the texture is looked for; it may be null.
bool ParseASE(const std::string& text, const char* modelPath, float scale, KMesh& mesh);
bool ParseObjectText(const std::string& text, float scale, KMesh& mesh);
bool ParseK3D(const uint8_t* bytes, size_t size, const char* modelPath, KMesh& mesh);

// Writes the binary mesh file with the given tag; false for a mesh without faces or a file
// that cannot be written.
bool SaveK3D(const char* path, const KMesh& mesh, const char tag[4]);

// The texture beside a mesh file: the model's folder followed by the texture's own file name
// (the bare file name for a model named without a folder).
std::string TexturePathFor(const char* modelPath, const char* textureName);

// Face normals from the corners, and vertex normals from the first two faces that use each
// vertex (meshes of one face keep theirs).
void ComputeNormals(KMesh& mesh);

}  // namespace KMeshFiles
