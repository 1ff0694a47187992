// Fuzzes the binary mesh file reader.
#include <cstddef>
#include <cstdint>

#include "mesh_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  meshFuzzInit();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KMesh mesh;
  meshFuzzCheck(KMeshFiles::ParseK3D(data, size, "models/boxer.k3d", mesh), mesh);
  return 0;
}
