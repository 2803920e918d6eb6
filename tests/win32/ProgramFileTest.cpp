#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
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
  if (GetFileAttributesA((shipped + "/Quorvel.exe").c_str()) != INVALID_FILE_ATTRIBUTES)
    folders.push_back(shipped);
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
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) || !text)
    return "(none)";
  return std::string(text, strnlen(text, length));
}

// What Explorer's Properties show: the fixed numbers, the language and the texts.
TEST(ProgramFile, VersionResourceOfBothPrograms) {
  for (const std::string& folder : ProgramFolders())
    for (const Program& program : Programs) {
      std::string path = folder + "\\" + program.Name;
      SCOPED_TRACE(path);
      DWORD ignored = 0;
      DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
      ASSERT_GT(size, 0u);
      std::vector<char> block(size);
      ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, block.data()));

      VS_FIXEDFILEINFO* fixed = nullptr;
      UINT length = 0;
      ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
      ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
      EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
      const DWORD versionMs = (QUORVEL_VERSION_MAJOR << 16) | QUORVEL_VERSION_MINOR;
      EXPECT_EQ(fixed->dwFileVersionMS, versionMs);
      EXPECT_EQ(fixed->dwProductVersionMS, versionMs);
      EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

      WORD* translation = nullptr;
      ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
      ASSERT_GE(length, 4u);
      EXPECT_EQ(translation[0], 0x409);
      EXPECT_EQ(translation[1], 1252);

      EXPECT_EQ(VersionString(block, "ProductName"), "Quorvel");
      EXPECT_EQ(VersionString(block, "FileVersion"), QuorvelVersion);
      EXPECT_EQ(VersionString(block, "ProductVersion"), QuorvelVersion);
      EXPECT_EQ(VersionString(block, "FileDescription"), program.Description);
      EXPECT_EQ(VersionString(block, "LegalCopyright"), NoticeText);
      EXPECT_EQ(VersionString(block, "OriginalFilename"), program.Name);
    }
}

struct IconEntry {
  int Size, Bits, Id;
  DWORD Bytes;
};

// The icon group as the system reads it, each image in it, and the manifest.
TEST(ProgramFile, IconAndManifestOfBothPrograms) {
  for (const std::string& folder : ProgramFolders())
    for (const Program& program : Programs) {
      std::string path = folder + "\\" + program.Name;
      SCOPED_TRACE(path);
      HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      ASSERT_NE(file, nullptr);

      HRSRC groupInfo =
          FindResourceA(file, MAKEINTRESOURCEA(IDI_QUORVEL), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
      ASSERT_NE(groupInfo, nullptr);
      DWORD groupSize = SizeofResource(file, groupInfo);
      auto* group = static_cast<const BYTE*>(LockResource(LoadResource(file, groupInfo)));
      ASSERT_NE(group, nullptr);
      ASSERT_GE(groupSize, 6u);
      auto word = [](const BYTE* at) { return static_cast<int>(at[0] | (at[1] << 8)); };
      int count = word(group + 4);
      ASSERT_EQ(groupSize, 6u + 14u * count);
      std::vector<IconEntry> entries;
      std::set<std::pair<int, int>> kinds;
      for (int i = 0; i < count; ++i) {
        const BYTE* e = group + 6 + 14 * i;
        int size = e[0] ? e[0] : 256;
        EXPECT_EQ(e[1], e[0]);
        entries.push_back({size, word(e + 6), word(e + 12),
                           static_cast<DWORD>(e[8] | (e[9] << 8) | (e[10] << 16) | (e[11] << 24))});
        kinds.insert({size, entries.back().Bits});
      }
      const std::set<std::pair<int, int>> wanted = {{16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}};
      EXPECT_EQ(kinds, wanted);
      EXPECT_EQ(entries.size(), wanted.size());

      // The system's own choice from the group finds an image of each size in true colour.
      for (int size : {16, 32, 48}) {
        int id = LookupIconIdFromDirectoryEx(const_cast<BYTE*>(group), TRUE, size, size, LR_DEFAULTCOLOR);
        bool found = false;
        for (const IconEntry& e : entries)
          if (e.Id == id) found = e.Size == size && e.Bits == 32;
        EXPECT_TRUE(found) << size << " px: chose image " << id;
      }

      for (const IconEntry& e : entries) {
        SCOPED_TRACE(std::to_string(e.Size) + " px, " + std::to_string(e.Bits) + " bits");
        HRSRC info = FindResourceA(file, MAKEINTRESOURCEA(e.Id), MAKEINTRESOURCEA(3));  // RT_ICON
        ASSERT_NE(info, nullptr);
        ASSERT_EQ(SizeofResource(file, info), e.Bytes);
        auto* bytes = static_cast<BYTE*>(LockResource(LoadResource(file, info)));
        BITMAPINFOHEADER header;
        ASSERT_GE(e.Bytes, sizeof header);
        std::memcpy(&header, bytes, sizeof header);
        EXPECT_EQ(header.biWidth, e.Size);
        EXPECT_EQ(header.biHeight, 2 * e.Size);
        EXPECT_EQ(header.biBitCount, e.Bits);
        size_t palette = e.Bits == 8 ? 256 * 4 : 0;
        size_t row = ((e.Size * e.Bits + 31) / 32) * 4, maskRow = ((e.Size + 31) / 32) * 4;
        ASSERT_EQ(e.Bytes, sizeof header + palette + (row + maskRow) * e.Size);
        const BYTE* pixels = bytes + sizeof header + palette;
        const BYTE* mask = pixels + row * e.Size;
        auto transparent = [&](int x, int y) {  // y from the top
          return (mask[(e.Size - 1 - y) * maskRow + x / 8] & (0x80 >> (x % 8))) != 0;
        };
        // Rounded corners let the desktop through; the middle covers it.
        EXPECT_TRUE(transparent(0, 0));
        EXPECT_TRUE(transparent(e.Size - 1, e.Size - 1));
        EXPECT_FALSE(transparent(e.Size / 2, e.Size / 2));
        if (e.Bits == 32) {
          int clear = 0, solid = 0, soft = 0;
          for (int i = 0; i < e.Size * e.Size; ++i) {
            BYTE alpha = pixels[4 * i + 3];
            bool masked = transparent(i % e.Size, e.Size - 1 - i / e.Size);
            EXPECT_EQ(masked, alpha < 128) << "pixel " << i;
            (alpha == 0 ? clear : alpha == 255 ? solid : soft)++;
          }
          EXPECT_GT(clear, 0);
          EXPECT_GT(solid, e.Size * e.Size / 2);
          EXPECT_GT(soft, 0) << "edges without soft alpha";
        }
        HICON icon =
            CreateIconFromResourceEx(bytes, e.Bytes, TRUE, 0x00030000, e.Size, e.Size, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr);
        if (icon) DestroyIcon(icon);
      }

      HRSRC manifestInfo = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
      ASSERT_NE(manifestInfo, nullptr);
      auto* manifestBytes = static_cast<const char*>(LockResource(LoadResource(file, manifestInfo)));
      std::string manifest(manifestBytes, SizeofResource(file, manifestInfo));
      for (const char* os :
           {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << os;
      EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
      EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);
      char identity[64];
      std::snprintf(identity, sizeof identity, "version=\"%d.%d.0.0\"", QUORVEL_VERSION_MAJOR,
                    QUORVEL_VERSION_MINOR);
      EXPECT_NE(manifest.find(identity), std::string::npos) << "the manifest's version is not the program's";
      FreeLibrary(file);
    }
}

}  // namespace
}  // namespace qv
