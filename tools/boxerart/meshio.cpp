// Writing the meshes.
#include "meshio.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

namespace boxerart {

KMesh toKMesh(const Body& body, const std::string& textureName) {
  KMesh m;
  std::snprintf(m.textureName, sizeof m.textureName, "%s", textureName.c_str());
  m.vertices.reserve(body.pos.size());
  for (size_t i = 0; i < body.pos.size(); ++i) {
    const V3 &p = body.pos[i], &n = body.nrm[i];
    m.vertices.push_back(KVertex{float(p.x), float(p.y), float(p.z), float(n.x), float(n.y), float(n.z)});
  }
  m.faces.reserve(body.tris.size());
  for (const Tri& t : body.tris) {
    KFace f{};
    f.a = t.v[0];
    f.b = t.v[1];
    f.c = t.v[2];
    for (int k = 0; k < 3; ++k) {
      f.corner[k].u = t.u[k];
      f.corner[k].v = t.t[k];
    }
    m.faces.push_back(f);
  }
  // Face normals exactly as the engine computes them from the stored corners.
  for (KFace& f : m.faces) {
    const KVertex &a = m.vertices[size_t(f.a)], &b = m.vertices[size_t(f.b)], &c = m.vertices[size_t(f.c)];
    V3 n = normalize(cross(V3{b.x - a.x, b.y - a.y, b.z - a.z}, V3{c.x - a.x, c.y - a.y, c.z - a.z}));
    f.nx = float(n.x);
    f.ny = float(n.y);
    f.nz = float(n.z);
  }
  return m;
}

namespace {
void add(std::string& s, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
void add(std::string& s, const char* fmt, ...) {
  char buf[512];
  va_list args;
  va_start(args, fmt);
  int n = std::vsnprintf(buf, sizeof buf, fmt, args);
  va_end(args);
  if (n < 0 || size_t(n) >= sizeof buf) throw std::logic_error("ASE line too long");
  s.append(buf, size_t(n));
}
}  // namespace

std::string aseText(const Body& body, const std::string& name, const std::string& textureName) {
  // Texture vertices shared between corners that map to the same spot.
  std::map<std::pair<float, float>, int> index;
  std::vector<std::pair<float, float>> tverts;
  std::vector<std::array<int, 3>> tfaces;
  for (const Tri& t : body.tris) {
    std::array<int, 3> tf{};
    for (int k = 0; k < 3; ++k) {
      std::pair<float, float> key{t.u[k], 1.0f - t.t[k]};
      auto it = index.find(key);
      if (it == index.end()) {
        it = index.emplace(key, int(tverts.size())).first;
        tverts.push_back(key);
      }
      tf[size_t(k)] = it->second;
    }
    tfaces.push_back(tf);
  }
  std::string s;
  s.reserve(body.pos.size() * 80 + body.tris.size() * 180 + tverts.size() * 60);
  // Numbers are written in plain decimals: the engine's reader does not read exponents.
  add(s, "*3DSMAX_ASCIIEXPORT\t200\r\n");
  add(s, "*COMMENT \"%s: Brawnmoor boxer, written by brawnmoor-boxerart\"\r\n", name.c_str());
  add(s, "*SCENE {\r\n\t*SCENE_FILENAME \"%s.max\"\r\n\t*SCENE_FIRSTFRAME 0\r\n\t*SCENE_LASTFRAME 0\r\n}\r\n",
      name.c_str());
  add(s, "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 1\r\n\t*MATERIAL 0 {\r\n");
  add(s, "\t\t*MATERIAL_NAME \"%s skin\"\r\n\t\t*MATERIAL_CLASS \"Standard\"\r\n", name.c_str());
  add(s, "\t\t*MAP_DIFFUSE {\r\n\t\t\t*MAP_NAME \"%s skin\"\r\n\t\t\t*MAP_CLASS \"Bitmap\"\r\n",
      name.c_str());
  add(s, "\t\t\t*BITMAP \"%s\"\r\n\t\t\t*UVW_U_TILING 1.0000\r\n\t\t\t*UVW_V_TILING 1.0000\r\n",
      textureName.c_str());
  add(s, "\t\t}\r\n\t}\r\n}\r\n");
  add(s, "*GEOMOBJECT {\r\n\t*NODE_NAME \"%s\"\r\n\t*MESH {\r\n\t\t*TIMEVALUE 0\r\n", name.c_str());
  add(s, "\t\t*MESH_NUMVERTEX %zu\r\n\t\t*MESH_NUMFACES %zu\r\n", body.pos.size(), body.tris.size());
  add(s, "\t\t*MESH_VERTEX_LIST {\r\n");
  for (size_t i = 0; i < body.pos.size(); ++i) {
    const V3& p = body.pos[i];
    add(s, "\t\t\t*MESH_VERTEX %5zu\t%.6f\t%.6f\t%.6f\r\n", i, float(p.x), float(p.y), float(p.z));
  }
  add(s, "\t\t}\r\n\t\t*MESH_FACE_LIST {\r\n");
  for (size_t i = 0; i < body.tris.size(); ++i) {
    const Tri& t = body.tris[i];
    add(s,
        "\t\t\t*MESH_FACE %5zu:    A: %5d B: %5d C: %5d AB:    1 BC:    1 CA:    1"
        "\t *MESH_SMOOTHING %d \t*MESH_MTLID 0\r\n",
        i, t.v[0], t.v[1], t.v[2], int(t.part) + 1);
  }
  add(s, "\t\t}\r\n\t\t*MESH_NUMTVERTEX %zu\r\n\t\t*MESH_TVERTLIST {\r\n", tverts.size());
  for (size_t i = 0; i < tverts.size(); ++i)
    add(s, "\t\t\t*MESH_TVERT %5zu\t%.6f\t%.6f\t0.000000\r\n", i, tverts[i].first, tverts[i].second);
  add(s, "\t\t}\r\n\t\t*MESH_NUMTVFACES %zu\r\n\t\t*MESH_TFACELIST {\r\n", tfaces.size());
  for (size_t i = 0; i < tfaces.size(); ++i)
    add(s, "\t\t\t*MESH_TFACE %5zu\t%d\t%d\t%d\r\n", i, tfaces[i][0], tfaces[i][1], tfaces[i][2]);
  add(s, "\t\t}\r\n\t}\r\n\t*PROP_MOTIONBLUR 0\r\n\t*PROP_CASTSHADOW 1\r\n\t*PROP_RECVSHADOW 1\r\n");
  add(s, "\t*MATERIAL_REF 0\r\n}\r\n");
  return s;
}

void writeK3D(const std::string& path, const KMesh& mesh) {
  if (!KMeshFiles::SaveK3D(path.c_str(), mesh, kTagGL)) throw std::runtime_error("cannot write " + path);
}

void writeText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace boxerart
