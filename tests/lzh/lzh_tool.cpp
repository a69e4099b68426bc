// A small command-line front end to the codec for benchmarks and manual checks (not a test):
//   lzh_tool decode ARCHIVE...        decodes every member, discarding the data
//   lzh_tool encode FILE ARCHIVE      writes a new archive holding FILE
//   lzh_tool run COMMAND-LINE         runs an archiver command line (e, x, l, t, a)
//   lzh_tool mixed FILE MIB TEXT BIN  writes MIB MiB cycling through 1 MiB pieces of the text
//                                     file, the binary file, random bytes and zeros
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "lzh/archive.h"
#include "lzh/commands.h"
#include "lzh/decoder.h"
#include "lzh/names.h"
#include "lzh/std_files.h"
#include "lzh_test_util.h"

namespace {

int Decode(int argc, char** argv) {
  int failures = 0;
  for (int i = 2; i < argc; ++i) {
    auto in = lzh::StdFileInput::Open(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot open\n", argv[i]);
      ++failures;
      continue;
    }
    std::vector<lzh::Entry> entries;
    lzh::Status s = lzh::ReadEntries(*in, &entries);
    for (const auto& e : entries) {
      lzh::NullSink sink;
      lzh::Status d = lzh::DecodeMember(*in, e, sink);
      if (!lzh::Ok(d)) s = d;
    }
    if (!lzh::Ok(s)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], lzh::StatusText(s));
      ++failures;
    }
  }
  return failures ? 1 : 0;
}

int Encode(const char* file, const char* archive) {
  lzh::StdFileStore store;
  lzh::FileInfo info;
  std::unique_ptr<lzh::InputFile> in = store.OpenRead(file);
  if (!in || !store.ReadInfo(file, &info)) {
    std::fprintf(stderr, "%s: cannot read\n", file);
    return 1;
  }
  lzh::NewMember m;
  m.meta.name = lzh::BaseName(file);
  m.meta.hasFileTimes = info.hasTimes;
  m.meta.writeTime = m.meta.creationTime = m.meta.accessTime = info.writeTime;
  m.input = in.get();
  auto out = store.Create(archive);
  if (!out) return 1;
  lzh::Status s = lzh::WriteArchive(nullptr, {m}, nullptr, *out);
  if (!out->Close() || !lzh::Ok(s)) {
    std::fprintf(stderr, "%s: %s\n", archive, lzh::StatusText(s));
    return 1;
  }
  return 0;
}

// Benchmark input: mixed data in 1 MiB pieces, so block statistics change as in real files.
int Mixed(const char* file, int mib, const char* textFile, const char* binFile) {
  lzh::StdFileStore store;
  const std::vector<uint8_t> text = lzhtest::ReadBytes(textFile), bin = lzhtest::ReadBytes(binFile);
  if (text.empty() || bin.empty()) {
    std::fprintf(stderr, "cannot read the text or binary sample\n");
    return 1;
  }
  std::mt19937 rng(12345);
  std::vector<uint8_t> out;
  const size_t piece = 1 << 20;
  size_t textAt = 0, binAt = 0;
  for (int i = 0; i < mib; ++i) {
    for (size_t k = 0; k < piece; ++k) {
      switch (i % 4) {
        case 0: out.push_back(text[textAt++ % text.size()]); break;
        case 1: out.push_back(bin[binAt++ % bin.size()]); break;
        case 2: out.push_back(static_cast<uint8_t>(rng())); break;
        default: out.push_back(0); break;
      }
    }
  }
  auto f = store.Create(file);
  return f && f->Write(out.data(), out.size()) && f->Close() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "decode") == 0) return Decode(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "encode") == 0) return Encode(argv[2], argv[3]);
  if (argc == 3 && std::strcmp(argv[1], "run") == 0) {
    lzh::StdFileStore store;
    lzh::Archiver archiver(store);
    std::string out;
    lzh::Status s = archiver.Run(argv[2], &out);
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (!lzh::Ok(s)) std::fprintf(stderr, "error 0x%04X: %s\n", static_cast<int>(s), lzh::StatusText(s));
    return lzh::Ok(s) ? 0 : 1;
  }
  if (argc == 6 && std::strcmp(argv[1], "mixed") == 0) return Mixed(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
  std::fprintf(stderr, "usage: lzh_tool decode ARCHIVE... | encode FILE ARCHIVE | run COMMAND-LINE |"
                       " mixed FILE MIB TEXT BIN\n");
  return 2;
}
