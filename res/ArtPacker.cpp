// Packs every bitmap the artwork generator drew (FOLDER/*.bmp) into FOLDER/*.qpk for the resources,
// and checks that each unpacks to the same bytes.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/ArtPack.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvel-artpack FOLDER\n");
    return 2;
  }
  namespace fs = std::filesystem;
  size_t before = 0, after = 0;
  for (const auto& entry : fs::directory_iterator(argv[1])) {
    if (entry.path().extension() != ".bmp") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> packed = qv::PackBytes(bytes), check;
    if (!qv::UnpackBytes(packed.data(), packed.size(), check) || check != bytes) {
      std::fprintf(stderr, "quorvel-artpack: %s does not unpack to itself\n", entry.path().c_str());
      return 1;
    }
    fs::path target = entry.path();
    target.replace_extension(".qpk");
    std::ofstream out(target, std::ios::binary);
    out.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
    if (!out) {
      std::fprintf(stderr, "quorvel-artpack: cannot write %s\n", target.c_str());
      return 1;
    }
    before += bytes.size();
    after += packed.size();
  }
  std::printf("artwork: %zu bytes of bitmaps packed into %zu\n", before, after);
  return 0;
}
