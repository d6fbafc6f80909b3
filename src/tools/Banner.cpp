#include "tools/Banner.h"

namespace bv {

std::vector<std::string> BannerLines() {
  const std::string rule(kBannerWidth, '*');

  std::string title = "* " + std::string(kProductName);
  title += std::string(kBannerWidth - title.size() - 2, ' ') + " *";

  const std::size_t inner = kBannerWidth - 2;
  const std::size_t left = (inner - kProductWebAddress.size()) / 2;
  const std::size_t right = inner - kProductWebAddress.size() - left;
  const std::string web = "*" + std::string(left, ' ') + std::string(kProductWebAddress) +
                          std::string(right, ' ') + "*";

  return {rule, title, web, rule};
}

}  // namespace bv
