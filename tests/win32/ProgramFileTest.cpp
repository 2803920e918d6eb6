#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/ResourceIds.h"
#include "fields/FieldInventory.h"
#include "fields/ProgramIdentity.h"

namespace qv {
namespace {

// The folders whose two programs are read: this test's own build tree, and the shipped 32-bit
// one (a Unix path, drive Z: under Wine), which a 64-bit test reads as a file like any other.
std::vector<std::string> ProgramFolders() {
  char own[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string dir(own);
  dir.resize(dir.find_last_of('\\'));
  std::vector<std::string> folders{dir};
  std::string shipped = std::string("Z:") + QUORVEL_SHIPPED_DIR;
  if (GetFileAttributesA((shipped + "/Quorvel.exe").c_str()) != INVALID_FILE_ATTRIBUTES) folders.push_back(shipped);
  for (const std::string& folder : folders) std::printf("  programs in %s\n", folder.c_str());
  return folders;
}

struct Program {
  const char* Name;
  const char* Description;
};
const Program Programs[] = {{"Quorvel.exe", "Quorvel system information"},
                            {"quorvel-report.exe", "Quorvel system information report tool"}};

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* text = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text) return "(none)";
  return std::string(text, strnlen(text, length));
}

// What Explorer's Properties show: the numbers, the language that finds the texts, the texts.
TEST(ProgramFile, VersionResourceOfBothPrograms) {
  for (const std::string& folder : ProgramFolders())
    for (const Program& program : Programs) {
      std::string path = folder + "\\" + program.Name;
      SCOPED_TRACE(path);
      DWORD ignored = 0, size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
      ASSERT_GT(size, 0u);
      std::vector<char> block(size);
      ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));
      VS_FIXEDFILEINFO* fixed = nullptr;
      WORD* translation = nullptr;
      UINT length = 0;
      ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
      const DWORD versionMs = (QUORVEL_VERSION_MAJOR << 16) | QUORVEL_VERSION_MINOR;
      EXPECT_EQ(fixed->dwFileVersionMS, versionMs);
      EXPECT_EQ(fixed->dwProductVersionMS, versionMs);
      ASSERT_TRUE(
          VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
      EXPECT_EQ(MAKELONG(translation[1], translation[0]), 0x040904E4);
      EXPECT_EQ(VersionString(block, "ProductName"), "Quorvel");
      EXPECT_EQ(VersionString(block, "FileVersion"), QuorvelVersion);
      EXPECT_EQ(VersionString(block, "ProductVersion"), QuorvelVersion);
      EXPECT_EQ(VersionString(block, "FileDescription"), program.Description);
      EXPECT_EQ(VersionString(block, "LegalCopyright"), NoticeText);
      EXPECT_EQ(VersionString(block, "OriginalFilename"), program.Name);
    }
}

const BYTE* Resource(HMODULE file, int id, int type, DWORD& size) {
  HRSRC info = FindResourceA(file, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  size = info ? SizeofResource(file, info) : 0;
  return info ? static_cast<const BYTE*>(LockResource(LoadResource(file, info))) : nullptr;
}

// The icon group as the system chooses from it, each image in it, and the manifest.
TEST(ProgramFile, IconAndManifestOfBothPrograms) {
  for (const std::string& folder : ProgramFolders())
    for (const Program& program : Programs) {
      std::string path = folder + "\\" + program.Name;
      SCOPED_TRACE(path);
      HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      ASSERT_NE(file, nullptr);
      DWORD groupSize = 0;
      const BYTE* group = Resource(file, IDI_QUORVEL, 14, groupSize); // RT_GROUP_ICON
      ASSERT_NE(group, nullptr);
      int count = group[4] | (group[5] << 8);
      ASSERT_EQ(groupSize, 6u + 14u * count);
      std::set<std::pair<int, int>> kinds; // (pixels, bits)
      std::map<int, std::pair<int, int>> byId;
      for (const BYTE* e = group + 6; e < group + groupSize; e += 14) {
        kinds.insert({e[0], e[6]});
        byId[e[12] | (e[13] << 8)] = {e[0], e[6]};
      }
      EXPECT_EQ(count, 6);
      EXPECT_EQ(kinds, (std::set<std::pair<int, int>>{{16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}}));
      // On a true-colour display the system picks the image of each size with alpha.
      for (int size : {16, 32, 48}) {
        int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size, LR_DEFAULTCOLOR);
        EXPECT_EQ(byId[id], std::make_pair(size, 32)) << size << " px";
      }

      for (const auto& [id, kind] : byId) {
        auto [size, bits] = kind;
        SCOPED_TRACE(std::to_string(size) + " px, " + std::to_string(bits) + " bits");
        DWORD bytes = 0;
        const BYTE* image = Resource(file, id, 3, bytes); // RT_ICON
        ASSERT_NE(image, nullptr);
        BITMAPINFOHEADER header;
        std::memcpy(&header, image, sizeof header);
        EXPECT_EQ(header.biWidth, size);
        EXPECT_EQ(header.biHeight, 2 * size);
        EXPECT_EQ(header.biBitCount, bits);
        size_t palette = bits == 8 ? 256 * 4 : 0;
        size_t row = ((size * bits + 31) / 32) * 4, maskRow = ((size + 31) / 32) * 4;
        ASSERT_EQ(bytes, sizeof header + palette + (row + maskRow) * size);
        const BYTE* pixels = image + sizeof header + palette;
        auto masked = [&](int i) { // bottom-up like the pixels
          return (pixels[row * size + (i / size) * maskRow + (i % size) / 8] & (0x80 >> (i % size % 8))) != 0;
        };
        // Rounded corners let the desktop through, the middle covers it; where alpha is, the mask
        // that systems without alpha use agrees with it, and the edges are soft.
        EXPECT_TRUE(masked(0));
        EXPECT_FALSE(masked(size * size / 2 + size / 2));
        if (bits == 32) {
          int disagree = 0, soft = 0;
          for (int i = 0; i < size * size; ++i) {
            BYTE alpha = pixels[4 * i + 3];
            disagree += masked(i) != (alpha < 128);
            soft += alpha > 0 && alpha < 255;
          }
          EXPECT_EQ(disagree, 0);
          EXPECT_GT(soft, 0);
        }
        HICON icon =
            CreateIconFromResourceEx(const_cast<BYTE*>(image), bytes, TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr);
        if (icon) DestroyIcon(icon);
      }

      // The manifest is there (what it declares shows in the version the probes read on win10).
      DWORD manifestSize = 0;
      EXPECT_NE(Resource(file, 1, 24, manifestSize), nullptr); // RT_MANIFEST
      FreeLibrary(file);
    }
}

} // namespace
} // namespace qv
