// The mesh files: the engine's binary mesh through its own writer, and the ASE-style text
// export the engine's reader understands.
#pragma once

#include <string>

#include "body.h"
#include "mesh/KMeshFile.h"

namespace boxerart {

// The body as the engine's mesh: vertex normals as built, face normals from the corners, the
// texture coordinates with v counted from the picture's top (as the engine stores them).
KMesh toKMesh(const Body& body, const std::string& textureName);

// The ASE-style export of the same mesh (texture v counted from the bottom, as exports do).
std::string aseText(const Body& body, const std::string& name, const std::string& textureName);

void writeK3D(const std::string& path, const KMesh& mesh);
void writeText(const std::string& path, const std::string& text);

}  // namespace boxerart
