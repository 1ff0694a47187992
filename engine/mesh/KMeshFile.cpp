#include "mesh/KMeshFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "tools/KFileReader.h"
#include "tools/KTools.h"

namespace {

// A file may not ask for more elements than this; it protects against absurd counts.
constexpr long kMaxElements = 4000000;

void message(const char* caption, const char* text) { KTools::MessageBox(caption, text); }

bool readWhole(const char* path, std::string& text) {
  std::vector<uint8_t> bytes;
  if (!path || !KFileReader::ReadWholeFile(path, bytes)) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}

// Coordinates must stay finite floats once scaled; a file with larger ones is refused.
bool toFloat(double value, float& out) {
  if (!std::isfinite(value) || std::fabs(value) > 3.0e38) return false;
  out = float(value);
  return true;
}

// Makes room for the records; false (with the mesh facility's message) when memory runs out.
bool allocate(KMesh& mesh, long vertexCount, long faceCount) {
  try {
    mesh.vertices.assign(size_t(vertexCount), KVertex{});
  } catch (const std::bad_alloc&) {
    mesh.Clear();
    message("KModel", "Error meshPtr==NULL");
    return false;
  }
  try {
    mesh.faces.assign(size_t(faceCount), KFace{});
  } catch (const std::bad_alloc&) {
    mesh.Clear();
    message("KModel", "Error meshFacesPtr==NULL");
    return false;
  }
  return true;
}

// Reads the export's text front to back: tokens by forward search, numbers from the next
// '-' or digit over '-', '.' and digits.
class Scanner {
 public:
  explicit Scanner(const std::string& text) : text_(text) {}
  bool Find(const char* token) {
    if (pos_ == std::string::npos) return false;
    size_t at = text_.find(token, pos_);
    if (at == std::string::npos) return false;
    pos_ = at + std::strlen(token);
    return true;
  }
  size_t FindFromStart(const char* token) const { return text_.find(token); }
  bool Number(double& value) {
    size_t start = text_.find_first_of("-0123456789", pos_);
    if (start == std::string::npos) return false;
    size_t end = text_.find_first_not_of("-.0123456789", start);
    if (end == std::string::npos) end = text_.size();
    std::string token = text_.substr(start, end - start);
    value = std::strtod(token.c_str(), nullptr);
    pos_ = end;
    return std::isfinite(value);
  }
  bool Integer(long& value) {
    double v;
    if (!Number(v) || v < -2e9 || v > 2e9) return false;
    value = long(v);
    return true;
  }
  void Seek(size_t pos) { pos_ = pos; }
  size_t Position() const { return pos_; }

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

void centre(KMesh& mesh) {
  float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  for (const KVertex& v : mesh.vertices) {
    const float p[3] = {v.x, v.y, v.z};
    for (int k = 0; k < 3; ++k) {
      if (p[k] < lo[k]) lo[k] = p[k];
      if (p[k] > hi[k]) hi[k] = p[k];
    }
  }
  float c[3];
  for (int k = 0; k < 3; ++k) c[k] = (lo[k] + hi[k]) / 2;
  for (KVertex& v : mesh.vertices) {
    v.x -= c[0];
    v.y -= c[1];
    v.z -= c[2];
  }
}

bool validFaces(const KMesh& mesh) {
  long n = long(mesh.vertices.size());
  for (const KFace& f : mesh.faces)
    if (f.a < 0 || f.a >= n || f.b < 0 || f.b >= n || f.c < 0 || f.c >= n) return false;
  return true;
}

bool countOk(long count) { return count > 0 && count <= kMaxElements; }

}  // namespace

void KMesh::Clear() {
  vertices.clear();
  faces.clear();
  std::memset(textureName, 0, sizeof textureName);
  texturePath.clear();
}

namespace KMeshFiles {

std::string TexturePathFor(const char* modelPath, const char* textureName) {
  std::string model(modelPath ? modelPath : "");
  std::string name(textureName ? textureName : "");
  size_t cut = model.find_last_of("/:\\");
  std::string folder = cut == std::string::npos ? std::string() : model.substr(0, cut);
  size_t sep = name.find_last_of("/:\\");
  std::string file = sep == std::string::npos ? name : name.substr(sep + 1);
  // A model named without a folder finds its texture beside it, in the current folder.
  std::string path = cut == std::string::npos ? file : folder + "/" + file;
  KTools::ConvertSlashes(path.data());  // this system's separator
  return path;
}

void ComputeNormals(KMesh& mesh) {
  for (KFace& f : mesh.faces) {
    const KVertex& a = mesh.vertices[size_t(f.a)];
    const KVertex& b = mesh.vertices[size_t(f.b)];
    const KVertex& c = mesh.vertices[size_t(f.c)];
    float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
    float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len > 0) {
      nx /= len;
      ny /= len;
      nz /= len;
    }
    f.nx = nx;
    f.ny = ny;
    f.nz = nz;
  }
  if (mesh.faces.size() < 2) return;
  // The first two faces of each vertex, in face order, found in one pass.
  const size_t n = mesh.vertices.size();
  std::vector<int32_t> first(n, -1), second(n, -1);
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const KFace& f = mesh.faces[i];
    const int32_t corners[3] = {f.a, f.b, f.c};
    for (int k = 0; k < 3; ++k) {
      const size_t v = size_t(corners[k]);
      if (first[v] < 0)
        first[v] = int32_t(i);
      else if (second[v] < 0 && first[v] != int32_t(i))
        second[v] = int32_t(i);
    }
  }
  const KFace& last = mesh.faces.back();
  for (size_t i = 0; i < n; ++i) {
    KVertex& v = mesh.vertices[i];
    if (first[i] < 0) {
      v.nx = last.nx;
      v.ny = last.ny;
      v.nz = last.nz;
      continue;
    }
    const KFace& f1 = mesh.faces[size_t(first[i])];
    if (second[i] < 0) {
      v.nx = f1.nx;
      v.ny = f1.ny;
      v.nz = f1.nz;
      continue;
    }
    const KFace& f2 = mesh.faces[size_t(second[i])];
    v.nx = f1.nx / 2.0f + f2.nx / 2.0f;
    v.ny = f1.ny / 2.0f + f2.ny / 2.0f;
    v.nz = f1.nz / 2.0f + f2.nz / 2.0f;
  }
}

bool LoadASE(const char* path, float scale, KMesh& mesh) {
  mesh.Clear();
  std::string text;
  if (!readWhole(path, text)) {
    message("File not found", path ? path : "");
    return false;
  }
  return ParseASE(text, path, scale, mesh);
}

bool ParseASE(const std::string& text, const char* path, float scale, KMesh& mesh) {
  mesh.Clear();
  Scanner s(text);
  long vertexCount = 0, faceCount = 0;
  if (s.Find("*MESH_NUMVERTEX")) s.Integer(vertexCount);
  s.Seek(0);
  if (s.Find("*MESH_NUMFACES ")) s.Integer(faceCount);
  if (vertexCount <= 0) {
    message("No Vertices", "No Vertices");
    return false;
  }
  if (faceCount <= 0) {
    message("No faces in this asc", "No faces in this asc");
    return false;
  }
  // Every vertex and face needs its own token in the text: a count that the text cannot hold
  // is refused before anything is allocated for it.
  const long most = long(text.size() / std::strlen("*MESH_FACE"));
  if (!countOk(vertexCount) || !countOk(faceCount) || vertexCount > most || faceCount > most) return false;

  // Vertices.
  s.Seek(0);
  if (!s.Find("*MESH_VERTEX_LIST")) return false;
  if (!allocate(mesh, vertexCount, 0)) return false;
  for (long i = 0; i < vertexCount; ++i) {
    double x, y, z;
    KVertex& v = mesh.vertices[size_t(i)];
    if (!s.Find("*MESH_VERTEX ") || !s.Find(std::to_string(i).c_str()) || !s.Number(x) ||
        !s.Number(y) || !s.Number(z) || !toFloat(x * scale, v.x) || !toFloat(y * scale, v.y) ||
        !toFloat(z * scale, v.z)) {
      mesh.Clear();
      return false;
    }
  }
  centre(mesh);

  // Faces.
  size_t list = s.FindFromStart("*MESH_FACE_LIST");
  if (list == 0) message("no faces node found! (*MESH_FACE_LIST)", "no faces node found! (*MESH_FACE_LIST)");
  if (list == std::string::npos) {
    message("no faces node found! (*MESH_FACE_LIST)", "no faces node found! (*MESH_FACE_LIST)");
    mesh.Clear();
    return false;
  }
  s.Seek(list + std::strlen("*MESH_FACE_LIST"));
  try {
    mesh.faces.assign(size_t(faceCount), KFace{});
  } catch (const std::bad_alloc&) {
    mesh.Clear();
    message("KModel", "Error meshFacesPtr==NULL");
    return false;
  }
  for (long i = 0; i < faceCount; ++i) {
    long a, b, c;
    if (!s.Find("*MESH_FACE") || !s.Find(std::to_string(i).c_str()) || !s.Integer(a) ||
        !s.Integer(b) || !s.Integer(c)) {
      mesh.Clear();
      return false;
    }
    KFace& f = mesh.faces[size_t(i)];
    f.a = int32_t(a);
    f.b = int32_t(b);
    f.c = int32_t(c);
  }
  if (!validFaces(mesh)) {
    mesh.Clear();
    return false;
  }
  ComputeNormals(mesh);

  // The texture and its coordinates.
  s.Seek(0);
  if (!s.Find("*BITMAP")) return true;
  size_t open = text.find('"', s.Position());
  size_t close = open == std::string::npos ? open : text.find('"', open + 1);
  if (close == std::string::npos) return true;
  std::string name = text.substr(open + 1, close - open - 1);
  std::snprintf(mesh.textureName, sizeof mesh.textureName, "%.259s", name.c_str());
  mesh.texturePath = TexturePathFor(path, mesh.textureName);

  long tvertCount = 0;
  s.Seek(0);
  if (s.Find("*MESH_NUMTVERTEX")) s.Integer(tvertCount);
  if (tvertCount < 1 || tvertCount > kMaxElements || tvertCount > most) return true;
  std::vector<float> tu(size_t(tvertCount), 0.0f), tv(size_t(tvertCount), 0.0f);
  s.Seek(0);
  if (!s.Find("*MESH_TVERTLIST")) return true;
  for (long i = 0; i < tvertCount; ++i) {
    double u, v;
    float fu, fv;
    if (!s.Find("*MESH_TVERT") || !s.Find(std::to_string(i).c_str()) || !s.Number(u) || !s.Number(v) ||
        !toFloat(u, fu) || !toFloat(v, fv))
      break;
    tu[size_t(i)] = fu;
    tv[size_t(i)] = fv;
  }
  long tfaceCount = 0;
  s.Seek(0);
  if (s.Find("*MESH_NUMTVFACES ")) s.Integer(tfaceCount);
  if (tfaceCount > faceCount)
    message("Texture mapping count doesn't match polygon count",
            "Texture mapping count doesn't match polygon count");
  s.Seek(0);
  if (!s.Find("*MESH_TFACELIST")) return true;
  for (long i = 0; i < tfaceCount && i < kMaxElements; ++i) {
    long t[3];
    if (!s.Find("*MESH_TFACE") || !s.Find(std::to_string(i).c_str()) || !s.Integer(t[0]) ||
        !s.Integer(t[1]) || !s.Integer(t[2]))
      break;
    if (i >= faceCount) continue;
    for (int k = 0; k < 3; ++k) {
      if (t[k] < 0 || t[k] >= tvertCount) continue;  // a corner without a texture vertex keeps 0, 0
      mesh.faces[size_t(i)].corner[k].u = tu[size_t(t[k])];
      mesh.faces[size_t(i)].corner[k].v = 1.0f - tv[size_t(t[k])];
    }
  }
  return true;
}

bool LoadObjectText(const char* path, float scale, KMesh& mesh) {
  mesh.Clear();
  std::string text;
  if (!readWhole(path, text)) {
    message("File not found", path ? path : "");
    return false;
  }
  return ParseObjectText(text, scale, mesh);
}

bool ParseObjectText(const std::string& text, float scale, KMesh& mesh) {
  mesh.Clear();
  Scanner s(text);
  long vertexCount = 0;
  if (s.Find("object\" 0 0")) s.Integer(vertexCount);
  if (vertexCount <= 0) {
    message("No Vertices", "No Vertices");
    return false;
  }
  // One line per vertex, at least two characters each.
  if (!countOk(vertexCount) || vertexCount > long(text.size() / 2)) return false;
  // The count's own text, searched from the start; the listing follows its line.
  size_t at = text.find(std::to_string(vertexCount));
  size_t line = at == std::string::npos ? at : text.find('\n', at);
  if (line == std::string::npos) return false;
  size_t pos = line + 1;
  auto nextLine = [&](std::string& out) {
    if (pos >= text.size()) return false;
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    out = text.substr(pos, end - pos);
    pos = end + 1;
    return true;
  };
  std::string l;
  if (!allocate(mesh, vertexCount, 0)) return false;
  for (long i = 0; i < vertexCount; ++i) {
    int index, unusedInt;
    float x, y, z, unused1, unused2;
    KVertex& v = mesh.vertices[size_t(i)];
    if (!nextLine(l) ||
        std::sscanf(l.c_str(), "%d %f %f %f %f %f %d", &index, &x, &y, &z, &unused1, &unused2, &unusedInt) < 4 ||
        !toFloat(double(x) * scale, v.x) || !toFloat(double(y) * scale, v.y) || !toFloat(double(z) * scale, v.z)) {
      mesh.Clear();
      return false;
    }
  }
  centre(mesh);
  long normals = 0;
  if (!nextLine(l) || std::sscanf(l.c_str(), "%ld", &normals) != 1 || normals < 0 || normals > kMaxElements) {
    mesh.Clear();
    return false;
  }
  for (long i = 0; i < normals; ++i)
    if (!nextLine(l)) break;
  long faceCount = 0;
  if (!nextLine(l) || std::sscanf(l.c_str(), "%ld", &faceCount) != 1 || faceCount <= 0) {
    message("No faces in this asc", "No faces in this asc");
    mesh.Clear();
    return false;
  }
  if (!countOk(faceCount) || faceCount > long(text.size() / 2)) {
    mesh.Clear();
    return false;
  }
  try {
    mesh.faces.assign(size_t(faceCount), KFace{});
  } catch (const std::bad_alloc&) {
    mesh.Clear();
    message("KModel", "Error meshFacesPtr==NULL");
    return false;
  }
  for (long i = 0; i < faceCount; ++i) {
    long v[8];
    if (!nextLine(l) || std::sscanf(l.c_str(), "%ld %ld  %ld  %ld  %ld  %ld  %ld  %ld", &v[0], &v[1], &v[2], &v[3],
                                    &v[4], &v[5], &v[6], &v[7]) < 4 ||
        v[1] < 0 || v[1] >= vertexCount || v[2] < 0 || v[2] >= vertexCount || v[3] < 0 || v[3] >= vertexCount) {
      mesh.Clear();
      return false;
    }
    mesh.faces[size_t(i)].a = int32_t(v[1]);
    mesh.faces[size_t(i)].b = int32_t(v[2]);
    mesh.faces[size_t(i)].c = int32_t(v[3]);
  }
  ComputeNormals(mesh);
  return true;
}

bool LoadK3D(const char* path, KMesh& mesh) {
  mesh.Clear();
  std::vector<uint8_t> bytes;
  if (!path || !KFileReader::ReadWholeFile(path, bytes)) return false;
  return ParseK3D(bytes.data(), bytes.size(), path, mesh);
}

bool ParseK3D(const uint8_t* bytes, size_t size, const char* path, KMesh& mesh) {
  mesh.Clear();
  if (!bytes || size < 272) return false;
  const uint8_t* header = bytes;
  int32_t vertexCount, faceCount;
  std::memcpy(&vertexCount, header + 264, 4);
  std::memcpy(&faceCount, header + 268, 4);
  vertexCount = int32_t(KTools::FileToHost32(uint32_t(vertexCount)));
  faceCount = int32_t(KTools::FileToHost32(uint32_t(faceCount)));
  if (faceCount <= 0 || vertexCount <= 0) {
    // Named, and once a run for each file.
    std::string shown(path ? path : "mesh in memory");
    KTools::ConvertSlashes(shown.data());
    KTools::ReportFileProblem("KModel", shown.c_str(), "the mesh holds no faces or no points");
    return false;
  }
  // The records must all be in the file.
  const uint64_t needed = 272 + 24 * uint64_t(vertexCount) + 96 * uint64_t(faceCount);
  if (vertexCount > kMaxElements || faceCount > kMaxElements || needed > size) return false;
  if (!allocate(mesh, vertexCount, faceCount)) return false;
  std::memcpy(mesh.vertices.data(), bytes + 272, 24 * size_t(vertexCount));
  std::memcpy(mesh.faces.data(), bytes + 272 + 24 * size_t(vertexCount), 96 * size_t(faceCount));
  if (!validFaces(mesh)) {
    mesh.Clear();
    return false;
  }
  std::memcpy(mesh.textureName, header + 4, 260);
  mesh.textureName[259] = 0;
  if (mesh.textureName[0]) mesh.texturePath = TexturePathFor(path, mesh.textureName);
  return true;
}

bool SaveK3D(const char* path, const KMesh& mesh, const char tag[4]) {
  if (mesh.faces.empty() || !path) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  uint8_t header[272] = {};
  std::memcpy(header, tag, 4);
  std::memcpy(header + 4, mesh.textureName, strnlen(mesh.textureName, 259));
  int32_t counts[2] = {int32_t(mesh.vertices.size()), int32_t(mesh.faces.size())};
  std::memcpy(header + 264, counts, 8);
  bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;
  ok = ok && std::fwrite(mesh.vertices.data(), 24, mesh.vertices.size(), f) == mesh.vertices.size();
  ok = ok && std::fwrite(mesh.faces.data(), 96, mesh.faces.size(), f) == mesh.faces.size();
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace KMeshFiles
