#include "support/TestLanguage.h"

#include <unistd.h>

#include <atomic>
#include <fstream>

#include "config/Cp1252.h"
#include "config/Messages.h"

namespace bv::test {

namespace {
std::string Bytes(const std::string& utf8) { return Utf8ToCp1252(utf8).value(); }
}  // namespace

TestLanguage::TestLanguage(const std::map<std::string, Section>& windows,
                           const std::map<int, std::string>& messages) {
  static std::atomic<int> serial = 0;
  path_ = std::filesystem::temp_directory_path() /
          ("bv-tools-gui-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + ".lng");
  std::ofstream file(path_, std::ios::binary);
  for (const auto& [window, keys] : windows) {
    file << '[' << window << "]\r\n";
    for (const auto& [key, value] : keys) file << key << '=' << Bytes(value) << "\r\n";
  }
  file << "[Mensajes]\r\n";
  for (int n = 0; n < kMessageCount; ++n) {
    const auto given = messages.find(n);
    file << n << '=' << (given != messages.end() ? Bytes(given->second) : "m" + std::to_string(n))
         << "\r\n";
  }
  file.close();
  SetActiveLanguageFile(path_);
  LoadMessages(path_);
}

TestLanguage::~TestLanguage() {
  SetActiveLanguageFile({});
  std::filesystem::remove(path_);
}

}  // namespace bv::test
