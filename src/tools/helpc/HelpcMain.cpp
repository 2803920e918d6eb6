// quorvel-helpc SOURCE OUTPUT: compiles the help source into a help file. Runs at build time.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/helpc/HelpSource.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quorvel-helpc SOURCE OUTPUT\n";
    return 2;
  }
  const std::string source = argv[1], output = argv[2];
  std::ifstream in(source, std::ios::binary);
  if (!in) {
    std::cerr << source << ": cannot be read\n";
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  try {
    qv::help::Book book = qv::help::ReadHelpSource(text.str());
    qv::help::WrittenHelp help = qv::help::WriteHelp(book);
    // Written beside the target and renamed, so a failed run never leaves half a file.
    const std::string temporary = output + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(help.File.data()), static_cast<std::streamsize>(help.File.size()));
    out.close();
    if (!out || std::rename(temporary.c_str(), output.c_str()) != 0) {
      std::remove(temporary.c_str());
      std::cerr << output << ": cannot be written\n";
      return 1;
    }
    std::cout << output << ": " << book.Topics.size() << " topics, " << help.Blocks << " topic blocks, "
              << help.File.size() << " bytes\n";
  } catch (const qv::help::HelpError& e) {
    std::cerr << source << ":" << e.Line << ": error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
