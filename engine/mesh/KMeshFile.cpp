#include "mesh/KMeshFile.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/KFileReader.h"
#include "tools/KTools.h"

namespace {

// A file may not ask for more elements than this; it protects against absurd counts.
constexpr long kMaxElements = 4000000;

void message(const char* caption, const char* text) { KTools::MessageBox(caption, text); }

bool readWhole(const char* path, std::string& text) {
  std::vector<uint8_t> bytes;
  if (!KFileReader::ReadWholeFile(path, bytes)) return false;
  text.assign(bytes.begin(), bytes.end());
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
  std::string path = sep == std::string::npos ? folder + "/" + name : folder + name.substr(sep);
  for (char& ch : path)
    if (ch == '\\') ch = '/';  // this platform's separator
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
  const KFace& last = mesh.faces.back();
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    const KFace* found[2] = {nullptr, nullptr};
    int n = 0;
    for (const KFace& f : mesh.faces) {
      if (f.a == long(i) || f.b == long(i) || f.c == long(i)) found[n++] = &f;
      if (n == 2) break;
    }
    KVertex& v = mesh.vertices[i];
    if (n == 0) {
      v.nx = last.nx;
      v.ny = last.ny;
      v.nz = last.nz;
    } else {
      v.nx = v.ny = v.nz = 0;
      for (int k = 0; k < n; ++k) {
        v.nx += found[k]->nx / float(n);
        v.ny += found[k]->ny / float(n);
        v.nz += found[k]->nz / float(n);
      }
    }
  }
}

bool LoadASE(const char* path, float scale, KMesh& mesh) {
  mesh.Clear();
  std::string text;
  if (!readWhole(path, text)) {
    message("File not found", path ? path : "");
    return false;
  }
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
  if (!countOk(vertexCount) || !countOk(faceCount)) return false;

  // Vertices.
  s.Seek(0);
  if (!s.Find("*MESH_VERTEX_LIST")) return false;
  mesh.vertices.assign(size_t(vertexCount), KVertex{});
  for (long i = 0; i < vertexCount; ++i) {
    double x, y, z;
    if (!s.Find("*MESH_VERTEX ") || !s.Find(std::to_string(i).c_str()) || !s.Number(x) ||
        !s.Number(y) || !s.Number(z)) {
      mesh.Clear();
      return false;
    }
    mesh.vertices[size_t(i)] = KVertex{float(x * scale), float(y * scale), float(z * scale), 0, 0, 0};
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
  mesh.faces.assign(size_t(faceCount), KFace{});
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
  if (tvertCount < 1 || tvertCount > kMaxElements) return true;
  std::vector<float> tu(size_t(tvertCount), 0.0f), tv(size_t(tvertCount), 0.0f);
  s.Seek(0);
  if (!s.Find("*MESH_TVERTLIST")) return true;
  for (long i = 0; i < tvertCount; ++i) {
    double u, v;
    if (!s.Find("*MESH_TVERT") || !s.Find(std::to_string(i).c_str()) || !s.Number(u) || !s.Number(v))
      break;
    tu[size_t(i)] = float(u);
    tv[size_t(i)] = float(v);
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
      if (t[k] < 0 || t[k] >= tvertCount) continue;
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
  Scanner s(text);
  long vertexCount = 0;
  if (s.Find("object\" 0 0")) s.Integer(vertexCount);
  if (vertexCount <= 0) {
    message("No Vertices", "No Vertices");
    return false;
  }
  if (!countOk(vertexCount)) return false;
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
  mesh.vertices.assign(size_t(vertexCount), KVertex{});
  for (long i = 0; i < vertexCount; ++i) {
    int index, unusedInt;
    float x, y, z, unused1, unused2;
    if (!nextLine(l) || std::sscanf(l.c_str(), "%d %f %f %f %f %f %d", &index, &x, &y, &z, &unused1,
                                    &unused2, &unusedInt) < 4 ||
        !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
      mesh.Clear();
      return false;
    }
    mesh.vertices[size_t(i)] = KVertex{x * scale, y * scale, z * scale, 0, 0, 0};
  }
  centre(mesh);
  long normals = 0;
  if (!nextLine(l) || std::sscanf(l.c_str(), "%ld", &normals) != 1 || normals < 0 || normals > kMaxElements) {
    mesh.Clear();
    return false;
  }
  for (long i = 0; i < normals; ++i) nextLine(l);
  long faceCount = 0;
  if (!nextLine(l) || std::sscanf(l.c_str(), "%ld", &faceCount) != 1 || faceCount <= 0) {
    message("No faces in this asc", "No faces in this asc");
    mesh.Clear();
    return false;
  }
  if (!countOk(faceCount)) {
    mesh.Clear();
    return false;
  }
  mesh.faces.assign(size_t(faceCount), KFace{});
  for (long i = 0; i < faceCount; ++i) {
    int v[8];
    if (!nextLine(l) || std::sscanf(l.c_str(), "%d %d  %d  %d  %d  %d  %d  %d", &v[0], &v[1], &v[2],
                                    &v[3], &v[4], &v[5], &v[6], &v[7]) < 4) {
      mesh.Clear();
      return false;
    }
    mesh.faces[size_t(i)].a = v[1];
    mesh.faces[size_t(i)].b = v[2];
    mesh.faces[size_t(i)].c = v[3];
  }
  if (!validFaces(mesh)) {
    mesh.Clear();
    return false;
  }
  ComputeNormals(mesh);
  return true;
}

bool LoadK3D(const char* path, KMesh& mesh) {
  mesh.Clear();
  KFileReader reader;
  if (!path || reader.Open(path, KFILE_READ) != KFILE_OK) return false;
  long size = 0;
  reader.Seek(0, 2);
  reader.Tell(&size);
  reader.Seek(0, 0);
  uint8_t header[272];
  if (size < 272 || reader.Read(header, sizeof header) != KFILE_OK) return false;
  int32_t vertexCount, faceCount;
  std::memcpy(&vertexCount, header + 264, 4);
  std::memcpy(&faceCount, header + 268, 4);
  vertexCount = int32_t(KTools::FileToHost32(uint32_t(vertexCount)));
  faceCount = int32_t(KTools::FileToHost32(uint32_t(faceCount)));
  if (faceCount <= 0 || vertexCount <= 0) {
    message("KModel", "Error _faceCount <= 0 || _pointCount <= 0");
    return false;
  }
  // The records must all be in the file.
  long needed = 272 + 24L * vertexCount + 96L * faceCount;
  if (vertexCount > kMaxElements || faceCount > kMaxElements || needed > size) return false;
  mesh.vertices.resize(size_t(vertexCount));
  mesh.faces.resize(size_t(faceCount));
  if (reader.Read(mesh.vertices.data(), 24 * size_t(vertexCount)) != KFILE_OK ||
      reader.Read(mesh.faces.data(), 96 * size_t(faceCount)) != KFILE_OK || !validFaces(mesh)) {
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
