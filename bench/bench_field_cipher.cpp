// Cost of the field cipher: keying a fresh cipher per field, a reused FieldCipher per field,
// and the raw Blowfish block, to see the per-field overhead beyond the blocks themselves.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "crypto/Blowfish.h"
#include "crypto/FieldCipher.h"

namespace {

const std::string kKey = "master password";

std::string Text(std::int64_t n) { return std::string(static_cast<std::size_t>(n), 'q'); }

void BM_EncipherFieldFreshCipher(benchmark::State& state) {
  const std::string text = Text(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(bv::EncipherField(text, kKey));
}
BENCHMARK(BM_EncipherFieldFreshCipher)->Arg(16);

void BM_FieldCipherEncipher(benchmark::State& state) {
  const std::string text = Text(state.range(0));
  bv::FieldCipher cipher(kKey);
  for (auto _ : state) benchmark::DoNotOptimize(cipher.Encipher(text));
}
BENCHMARK(BM_FieldCipherEncipher)->Arg(0)->Arg(1)->Arg(8)->Arg(16)->Arg(40)->Arg(90)->Arg(170);

void BM_FieldCipherDecipher(benchmark::State& state) {
  bv::FieldCipher cipher(kKey);
  const std::string enciphered = cipher.Encipher(Text(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(cipher.Decipher(enciphered));
}
BENCHMARK(BM_FieldCipherDecipher)->Arg(0)->Arg(1)->Arg(8)->Arg(16)->Arg(40)->Arg(90)->Arg(170);

void BM_BlowfishBlock(benchmark::State& state) {
  bv::TCipher_Blowfish cipher(kKey);
  unsigned char block[8] = {};
  for (auto _ : state) {
    cipher.EncipherBlock(block);
    benchmark::DoNotOptimize(block);
  }
}
BENCHMARK(BM_BlowfishBlock);

// Independent blocks handed over together, per block: how much running them side by side gains.
void BM_BlowfishBlocks(benchmark::State& state) {
  bv::TCipher_Blowfish cipher(kKey);
  std::vector<bv::BlockHalves> blocks(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    cipher.EncipherBlocks(blocks.data(), blocks.size());
    benchmark::DoNotOptimize(blocks.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BlowfishBlocks)->DenseRange(1, 4)->Arg(8)->Arg(64);

// A profile load: 11 fields of typical sizes per node.
void BM_LoadNodeFields(benchmark::State& state) {
  bv::FieldCipher cipher(kKey);
  std::string fields[11];
  const int sizes[11] = {8, 12, 10, 8, 12, 8, 20, 30, 6, 40, 30};
  for (int i = 0; i < 11; ++i) fields[i] = cipher.Encipher(Text(sizes[i]));
  for (auto _ : state) {
    for (const auto& field : fields) benchmark::DoNotOptimize(cipher.Decipher(field));
  }
}
BENCHMARK(BM_LoadNodeFields);

}  // namespace

BENCHMARK_MAIN();
