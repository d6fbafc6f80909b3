// Arbitrary files as a language or settings file. Nothing may fail: every message and every
// setting reads as some text, and a stored number parses or is refused without a fault. A
// value never comes back longer than the reader keeps.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "config/IniFile.h"
#include "config/Messages.h"
#include "config/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bv::fuzz::MemoryFile file(data, size);
  const bv::IniFile ini(file.Path());
  bv::LoadMessages(ini);
  for (int n = -1; n <= bv::kMessageCount; ++n)
    if (bv::MessageText(n).size() > bv::IniFile::kMaxValueLength) std::abort();
  for (const char* section : {bv::kMessagesSection, "Idioma", "Opciones", "Reciente", ""}) {
    for (const std::string& key : ini.KeyNames(section)) {
      const auto value = ini.Read(section, key);
      if (!value || value->size() > bv::IniFile::kMaxValueLength) std::abort();
      (void)bv::ParseSettingInt(*value);
    }
  }
  return 0;
}
