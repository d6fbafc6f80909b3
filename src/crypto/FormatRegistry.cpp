#include "crypto/FormatRegistry.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "crypto/Exceptions.h"

namespace bv {

namespace {

class Registry {
 public:
  void Register(std::initializer_list<StringFormatClass> classes) {
    std::lock_guard lock(mutex_);
    for (const StringFormatClass format : classes) {
      if (format == nullptr || format->FormatId() == -1) continue;
      auto* slot = Lookup(format->FormatId());
      if (slot != nullptr) {
        *slot = format;
      } else {
        formats_.push_back(format);
      }
    }
  }

  StringFormatClass Find(std::int32_t formatId) {
    std::lock_guard lock(mutex_);
    auto* slot = Lookup(formatId);
    return slot != nullptr ? *slot : nullptr;
  }

 private:
  StringFormatClass* Lookup(std::int32_t formatId) {
    for (auto& format : formats_) {
      if (format->FormatId() == formatId) return &format;
    }
    return nullptr;
  }

  std::mutex mutex_;
  std::vector<StringFormatClass> formats_;
};

void AddStandardFormats(Registry& registry) {
  registry.Register({TStringFormat::Class(), TStringFormat_UU::Class(), TStringFormat_XX::Class()});
}

// Filled with the standard formats on first use, so no caller depends on start-up order.
Registry& TheRegistry() {
  static Registry registry;
  [[maybe_unused]] static const bool standardAdded = (AddStandardFormats(registry), true);
  return registry;
}

StringFormatClass RequireFormat(std::int32_t formatId) {
  const StringFormatClass format = FindFormat(formatId);
  if (format == nullptr) throw FormatNotExists(formatId);
  return format;
}

std::string_view View(const void* data, std::ptrdiff_t length) {
  if (data == nullptr) return {};
  const auto* text = static_cast<const char*>(data);
  return length < 0 ? std::string_view(text, std::strlen(text))
                    : std::string_view(text, static_cast<std::size_t>(length));
}

}  // namespace

void RegisterFormats(std::initializer_list<StringFormatClass> classes) {
  TheRegistry().Register(classes);
}

void RegisterStandardFormats() { AddStandardFormats(TheRegistry()); }

StringFormatClass FindFormat(std::int32_t formatId) { return TheRegistry().Find(formatId); }

std::string EncodeToFormat(std::string_view bytes, std::int32_t formatId) {
  if (bytes.empty() || formatId == 0) return {};
  const StringFormatClass format = RequireFormat(formatId);
  if (!format->IsValidInput(bytes, false)) throw InconvertibleFormatInput(format->FormatName());
  return format->BinaryToText(bytes);
}

std::string DecodeFromFormat(std::string_view text, std::int32_t formatId) {
  if (text.empty() || formatId == 0) return {};
  const StringFormatClass format = RequireFormat(formatId);
  if (!format->IsValidInput(text, true)) throw InvalidFormatInput(format->FormatName());
  return format->TextToBinary(text);
}

std::string EncodeToFormat(const void* data, std::ptrdiff_t length, std::int32_t formatId) {
  return EncodeToFormat(View(data, length), formatId);
}

std::string DecodeFromFormat(const void* data, std::ptrdiff_t length, std::int32_t formatId) {
  return DecodeFromFormat(View(data, length), formatId);
}

}  // namespace bv
