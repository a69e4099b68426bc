// Writes the first inputs of the LZH fuzz targets into <dir>/reader, <dir>/command and <dir>/names:
// archives the codec writes itself, the application's command lines over one of them, and entry
// names of the kinds extraction must judge.
#include <fstream>
#include <string>
#include <vector>

#include "lzh/archive.h"

namespace {

void Write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string dir = argv[1];
  std::vector<std::vector<uint8_t>> data(4);
  for (size_t i = 0; i < 3000; ++i) data[0].push_back(static_cast<uint8_t>("screen saver "[i % 13]));
  for (size_t i = 0; i < 20000; ++i) data[1].push_back(static_cast<uint8_t>((i * 2654435761u) >> 13));
  data[2].assign(9000, 0);
  data[3] = {'x'};
  std::vector<std::string> archives;
  for (size_t k = 0; k < data.size(); ++k) {
    lzh::NewMember m;
    m.meta.name = "start" + std::to_string(k) + ".bin";
    m.meta.folders = {"dir"};
    m.data = data[k].data();
    m.size = data[k].size();
    lzh::VectorSink out;
    lzh::WriteArchive(nullptr, {m}, nullptr, out);
    archives.emplace_back(out.bytes.begin(), out.bytes.end());
    Write(dir + "/reader/own" + std::to_string(k) + ".lzh", archives.back());
  }
  // Command entry: buffer size, flags, command line, line feed, archive.
  const char* const commands[] = {" l A.LZH",       " v A.LZH",         " l -x1 \"A.LZH\" ",   " t A.LZH",
                                  " x A.LZH D\\",   " a -a1 A.LZH F.TXT", " e -ma1 \"A.LZH\" \"D\\\" \"*.*\" ",
                                  " e A.LZH D\\ start0.bin"};
  const unsigned char sizes[] = {0, 1, 2, 40, 81, 255};
  int n = 0;
  for (const char* command : commands) {
    for (unsigned char size : sizes) {
      const std::string head{static_cast<char>(size), static_cast<char>(n % 7 == 0)};
      Write(dir + "/command/seed" + std::to_string(n), head + command + "\n" + archives[n % 2 ? 0 : 3]);
      ++n;
    }
  }
  // Entry names: flags, folder length, folder, name.
  const std::vector<std::string> names = {
      std::string("\x03\x03", 2) + "dirCON.txt", std::string("\x01\x00", 2) + "a\\b/c",
      std::string("\x03\x02", 2) + "\x83\x5C" "\x95\x5C.SCR", std::string("\x00\x00", 2) + "..\\x",
      std::string("\x07\x03", 2) + "dir", std::string("\x03\x06", 2) + "ab\\c/.x|y"};
  for (size_t i = 0; i < names.size(); ++i) Write(dir + "/names/seed" + std::to_string(i), names[i]);
  return 0;
}
