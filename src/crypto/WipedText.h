#pragma once
// A secret held in a std::string for the length of one scope: it is overwritten, whole
// capacity included, however the scope ends.

#include <string>

#include "crypto/Bytes.h"

namespace bv {

// Overwrites every byte the string owns and empties it.
inline void WipeString(std::string& secret) {
  // capacity() covers a short value kept inside the string object as well.
  WipeBytes(secret.data(), 0, secret.capacity());
  secret.clear();
}

class WipeOnExit {
 public:
  explicit WipeOnExit(std::string& secret) : secret_(secret) {}
  ~WipeOnExit() { WipeString(secret_); }
  WipeOnExit(const WipeOnExit&) = delete;
  WipeOnExit& operator=(const WipeOnExit&) = delete;

 private:
  std::string& secret_;
};

}  // namespace bv
