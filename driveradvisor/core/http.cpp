#include "core/http.h"

#include <algorithm>
#include <cstring>

namespace vantorel {

void PieceBuffer::append(const char* data, size_t size) {
  while (size > 0) {
    const size_t piece = std::min(size, kPiece);
    if (bytes_.size() - used_ < kPiece) bytes_.resize(bytes_.size() * 2);
    std::memcpy(bytes_.data() + used_, data, piece);
    used_ += piece;
    data += piece;
    size -= piece;
  }
}

}  // namespace vantorel
