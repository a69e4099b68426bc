#include "lzh/io.h"

#include <cstring>

namespace lzh {

size_t MemoryInput::ReadAt(uint64_t offset, void* buffer, size_t size) {
  if (offset >= size_) return 0;
  size_t n = size_ - static_cast<size_t>(offset);
  if (n > size) n = size;
  std::memcpy(buffer, data_ + offset, n);
  return n;
}

size_t MemoryInput::Read(uint8_t* buffer, size_t size) {
  size_t n = ReadAt(cursor_, buffer, size);
  cursor_ += n;
  return n;
}

}  // namespace lzh
