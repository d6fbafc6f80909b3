#pragma once
// RIPEMD-256 (Dobbertin, Bosselaers, Preneel): the MD4-family buffering of THash_MD4 with
// its own initial values, digest size and compression. The key hash of every cipher.

#include "crypto/Hash.h"

namespace bv {

class THash_RipeMD256 : public THash_MD4 {
 public:
  THash_RipeMD256();
  const char* ClassName() const override { return "THash_RipeMD256"; }
  static std::shared_ptr<THash> Create();

  void Init() override;
  std::size_t DigestSize() const override { return 32; }

 protected:
  void Compress(const std::uint8_t* block) override;
};

}  // namespace bv
