// Writes the mesh fuzzers' seed files from the shipped boxer meshes: each mesh cut down to its
// first few faces (with the vertices those use) and written in all three formats, into
// OUT/ase, OUT/object and OUT/k3d.
//
//   brawnmoor-meshseeds OUT
#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <string>

#include "mesh/KMeshFile.h"
#include "tools/KTools.h"

namespace {

KMesh cut(const KMesh& whole, size_t faces) {
  KMesh m;
  std::snprintf(m.textureName, sizeof m.textureName, "%s", whole.textureName);
  std::map<int32_t, int32_t> renumber;
  for (size_t i = 0; i < faces && i < whole.faces.size(); ++i) {
    KFace f = whole.faces[i];
    for (int32_t* index : {&f.a, &f.b, &f.c}) {
      auto found = renumber.find(*index);
      if (found == renumber.end()) {
        found = renumber.emplace(*index, int32_t(m.vertices.size())).first;
        m.vertices.push_back(whole.vertices[size_t(*index)]);
      }
      *index = found->second;
    }
    m.faces.push_back(f);
  }
  return m;
}

bool writeText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

std::string line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string line(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

std::string ase(const KMesh& m) {
  std::string s = "*3DSMAX_ASCIIEXPORT\t200\r\n*MATERIAL_LIST {\r\n\t*MAP_DIFFUSE {\r\n";
  s += line("\t\t*BITMAP \"%s\"\r\n\t}\r\n}\r\n*GEOMOBJECT {\r\n\t*MESH {\r\n", m.textureName);
  s += line("\t\t*MESH_NUMVERTEX %zu\r\n\t\t*MESH_NUMFACES %zu\r\n\t\t*MESH_VERTEX_LIST {\r\n", m.vertices.size(),
            m.faces.size());
  for (size_t i = 0; i < m.vertices.size(); ++i)
    s += line("\t\t\t*MESH_VERTEX %4zu\t%.4f\t%.4f\t%.4f\r\n", i, m.vertices[i].x, m.vertices[i].y, m.vertices[i].z);
  s += "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n";
  for (size_t i = 0; i < m.faces.size(); ++i)
    s += line("\t\t\t*MESH_FACE %4zu:    A: %4d B: %4d C: %4d AB:    1 BC:    1 CA:    0\r\n", i, m.faces[i].a,
              m.faces[i].b, m.faces[i].c);
  s += line("\t\t}\r\n\t\t*MESH_NUMTVERTEX %zu\r\n\t\t*MESH_TVERTLIST {\r\n", m.faces.size() * 3);
  for (size_t i = 0; i < m.faces.size(); ++i)
    for (int k = 0; k < 3; ++k)
      s += line("\t\t\t*MESH_TVERT %zu\t%.4f\t%.4f\t0.0000\r\n", i * 3 + size_t(k), m.faces[i].corner[k].u,
                1.0f - m.faces[i].corner[k].v);
  s += line("\t\t}\r\n\t\t*MESH_NUMTVFACES %zu\r\n\t\t*MESH_TFACELIST {\r\n", m.faces.size());
  for (size_t i = 0; i < m.faces.size(); ++i)
    s += line("\t\t\t*MESH_TFACE %zu\t%zu\t%zu\t%zu\r\n", i, i * 3, i * 3 + 1, i * 3 + 2);
  s += "\t\t}\r\n\t}\r\n}\r\n";
  return s;
}

std::string objectListing(const KMesh& m) {
  std::string s = line("Named object\" 0 0 %zu\r\n", m.vertices.size());
  for (size_t i = 0; i < m.vertices.size(); ++i)
    s += line("%zu %.4f %.4f %.4f 0 0 0\r\n", i, m.vertices[i].x, m.vertices[i].y, m.vertices[i].z);
  s += line("%zu\r\n", m.vertices.size());
  for (const KVertex& v : m.vertices) s += line("%.4f %.4f %.4f\r\n", v.nx, v.ny, v.nz);
  s += line("%zu\r\n", m.faces.size());
  for (size_t i = 0; i < m.faces.size(); ++i)
    s += line("%zu %d  %d  %d  0  0  0  0\r\n", i, m.faces[i].a, m.faces[i].b, m.faces[i].c);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: brawnmoor-meshseeds OUT\n");
    return 2;
  }
  const std::string out = argv[1];
  for (const char* sub : {"", "/ase", "/object", "/k3d"}) mkdir((out + sub).c_str(), 0755);
  int written = 0;
  for (const char* name : {"data/boxer01.k3d", "data/boxer02.K3D", "data/boxer03.K3D"}) {
    KMesh whole;
    if (!KMeshFiles::LoadK3D(KTools::GetDataPath(name), whole)) {
      std::fprintf(stderr, "meshseeds: cannot read %s\n", name);
      return 1;
    }
    for (size_t faces : {1, 2, 12, 40}) {
      const KMesh m = cut(whole, faces);
      const std::string stem = line("/%s-%zu", name + 5, faces);
      if (!KMeshFiles::SaveK3D((out + "/k3d" + stem).c_str(), m, kTagGL) ||
          !writeText(out + "/ase" + stem, ase(m)) || !writeText(out + "/object" + stem, objectListing(m)))
        return 1;
      written += 3;
    }
  }
  std::printf("meshseeds: %d seed files in %s\n", written, out.c_str());
  return 0;
}
