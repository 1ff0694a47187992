// Fuzzes the ASE-style export reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "mesh_fuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  meshFuzzInit();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  KMesh mesh;
  meshFuzzCheck(KMeshFiles::ParseASE(text, "models/boxer.ase", 1.0f, mesh), mesh);
  return 0;
}
