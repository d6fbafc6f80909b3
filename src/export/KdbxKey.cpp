#include "export/KdbxKey.h"

#include <algorithm>
#include <ctime>
#include <cmath>
#include <stdexcept>
#include <thread>

#include <botan/hash.h>
#include <botan/pwdhash.h>

namespace bv {
namespace {

constexpr std::uint64_t kMinIterations = 2;
constexpr double kTargetSeconds = 1.0;

void CheckSettings(const KdbxKeySettings& settings) {
  if (settings.parallelism == 0 || settings.parallelism > 0xFFFFFF)
    throw std::invalid_argument("Argon2id: parallelism must be 1 to 16777215");
  if (settings.memoryBytes % 1024 != 0 ||
      settings.memoryBytes / 1024 < 8ull * settings.parallelism ||
      settings.memoryBytes / 1024 > 0xFFFFFFFFull)
    throw std::invalid_argument("Argon2id: memory must be whole KiB, at least 8 KiB per lane");
  if (settings.iterations == 1) throw std::invalid_argument("Argon2id: at least 2 iterations");
}

double ProcessSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

SecureBytes CompositeKey(std::string_view passwordUtf8) {
  const auto sha256 = Botan::HashFunction::create_or_throw("SHA-256");
  sha256->update(reinterpret_cast<const std::uint8_t*>(passwordUtf8.data()), passwordUtf8.size());
  const SecureBytes once = sha256->final();
  sha256->update(once);
  return sha256->final();
}

}  // namespace

SecureBytes TransformKey(std::span<const std::uint8_t> compositeKey, const KdbxKdfParameters& kdf) {
  const auto family = Botan::PasswordHashFamily::create_or_throw("Argon2id");
  const auto argon2 = family->from_params(kdf.memoryBytes / 1024, kdf.iterations, kdf.parallelism);
  SecureBytes out(32);
  argon2->derive_key(out.data(), out.size(), reinterpret_cast<const char*>(compositeKey.data()),
                     compositeKey.size(), kdf.salt.data(), kdf.salt.size());
  return out;
}

std::uint64_t CalibrateArgon2Iterations(std::uint64_t memoryBytes, std::uint32_t parallelism) {
  KdbxKdfParameters trial;
  trial.memoryBytes = memoryBytes;
  trial.parallelism = parallelism;
  trial.iterations = kMinIterations;
  const std::array<std::uint8_t, 32> input{};
  // Processor time, not wall time: a machine that is busy for a moment must not get a
  // weaker key for good. The lanes run on threads of their own, as many at once as there
  // are cores.
  const double start = ProcessSeconds();
  TransformKey(input, trial);
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const double seconds = (ProcessSeconds() - start) / std::min(parallelism, cores);
  if (seconds <= 0) return 1000;
  const double scaled = std::round(kMinIterations * kTargetSeconds / seconds);
  return std::max<std::uint64_t>(kMinIterations, static_cast<std::uint64_t>(std::min(scaled, 1e6)));
}

KdbxKey DeriveKdbxKey(std::string_view passwordUtf8, const KdbxKeySettings& settings) {
  if (passwordUtf8.empty()) throw std::invalid_argument("the new file needs a password");
  CheckSettings(settings);
  KdbxKey key;
  key.kdf.memoryBytes = settings.memoryBytes;
  key.kdf.parallelism = settings.parallelism;
  key.kdf.iterations = settings.iterations != 0
                           ? settings.iterations
                           : CalibrateArgon2Iterations(settings.memoryBytes, settings.parallelism);
  FillRandom(key.kdf.salt);
  key.transformedKey = TransformKey(CompositeKey(passwordUtf8), key.kdf);
  return key;
}

}  // namespace bv
