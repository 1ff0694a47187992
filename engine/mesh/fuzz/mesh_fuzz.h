// What every mesh reader's fuzzer checks: whatever the bytes, the reader either refuses them
// with an empty mesh or gives a mesh whose faces name only vertices it has, with finite
// coordinates and a terminated texture name; and nothing reads or writes outside an array
// (AddressSanitizer and UndefinedBehaviorSanitizer watch the rest).
#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "mesh/KMeshFile.h"
#include "tools/KTools.h"

inline void meshFuzzInit() {
  KTools::SetMessageBoxHandler([](const char*, const char*) {});
}

inline void meshFuzzCheck(bool ok, KMesh& mesh) {
  if (!ok) {
    if (!mesh.vertices.empty() || !mesh.faces.empty()) std::abort();
    return;
  }
  if (mesh.vertices.empty() || mesh.faces.empty()) std::abort();
  const long n = long(mesh.vertices.size());
  for (const KFace& f : mesh.faces)
    if (f.a < 0 || f.a >= n || f.b < 0 || f.b >= n || f.c < 0 || f.c >= n) std::abort();
  if (std::memchr(mesh.textureName, 0, 260) == nullptr) std::abort();
  // Normals again, and the binary file in memory's place: both walk every record.
  KMeshFiles::ComputeNormals(mesh);
}
