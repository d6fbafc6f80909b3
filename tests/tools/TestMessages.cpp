#include "TestMessages.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "config/Messages.h"

namespace bv::test {

void LoadRecognisableMessages(const std::map<int, std::string>& overrides) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("bv-tools-messages-" + std::to_string(::getpid()) + ".lng");
  {
    std::ofstream file(path, std::ios::binary);
    file << "[Mensajes]\r\n";
    for (int n = 0; n < kMessageCount; ++n) {
      const auto given = overrides.find(n);
      file << n << '=' << (given != overrides.end() ? given->second : "m" + std::to_string(n))
           << "\r\n";
    }
  }
  LoadMessages(path);
  std::filesystem::remove(path);
}

}  // namespace bv::test
