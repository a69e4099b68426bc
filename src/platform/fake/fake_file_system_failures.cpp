// FakeFileSystem's failure injection: the next operation of a kind fails, runs out of memory or
// throws, and another process may hold a file open.
#include "platform/fake/fake_file_system.h"

#include <algorithm>
#include <new>

#include "platform/fake/fake_file_system_model.h"

namespace platform::fake {

using namespace file_system_detail;

namespace {

constexpr int kLockId = -1;

}  // namespace

bool FakeFileSystem::TakeFailure(FsOp op, const std::string& fullPath, uint32_t& code) {
  std::string key = UpperAscii(fullPath);
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (it->op == op && (it->path.empty() || it->path == key)) {
      code = it->code;
      const std::exception_ptr thrown = it->thrown;
      failures_.erase(it);
      if (thrown) std::rethrow_exception(thrown);
      return true;
    }
  }
  return false;
}

void FakeFileSystem::FailNext(FsOp op, const std::string& path, uint32_t code) {
  std::string key;
  if (!path.empty()) key = UpperAscii(FullPath(path).value_or(path));
  failures_.push_back({op, key, code});
}

void FakeFileSystem::RunOutOfMemoryNext(FsOp op, const std::string& path) {
  ThrowNext(op, path, std::make_exception_ptr(std::bad_alloc()));
}

void FakeFileSystem::ThrowNext(FsOp op, const std::string& path, std::exception_ptr thrown) {
  FailNext(op, path, 0);
  failures_.back().thrown = std::move(thrown);
}

void FakeFileSystem::Lock(const std::string& path) {
  Lookup l = Resolve(path);
  if (l.node) l.node->opens.push_back({kLockId, kAccessRead | kAccessWrite, 0});
}

void FakeFileSystem::Unlock(const std::string& path) {
  Lookup l = Resolve(path);
  if (!l.node) return;
  auto& opens = l.node->opens;
  opens.erase(std::remove_if(opens.begin(), opens.end(), [](const auto& r) { return r.id == kLockId; }), opens.end());
}

int FakeFileSystem::OpenHandles(const std::string& path) {
  Lookup l = Resolve(path);
  return l.node ? static_cast<int>(l.node->opens.size()) : 0;
}

}  // namespace platform::fake
