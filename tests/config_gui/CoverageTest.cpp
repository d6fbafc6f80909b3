// Every window of this part has a text for each control it translates, in both shipped
// language files, and nothing in the files names a control it lacks.

#include <gtest/gtest.h>

#include "app/TFAcerca.h"
#include "config/TFIdiomaInicio.h"
#include "config/TFOpciones.h"
#include "support/gui/WindowCoverage.h"

namespace bv {
namespace {

class NoHost : public OptionsHost {
 public:
  void SetFlag(OptionFlag, bool) override {}
  void RedrawAccountPage() override {}
  void ApplyLanguage() override {}
  void ShowError(const QString&) override {}
};

TEST(Coverage, OptionsPickerAndAboutBoxMatchTheLanguageFiles) {
  NoHost host;
  TFOpciones options(host);
  test::ExpectCoveredByLanguageFiles(&options);
  TFIdiomaInicio picker([] {}, [](const QString&) {});
  test::ExpectCoveredByLanguageFiles(&picker);
  TFAcerca about([](const QString&) {});
  test::ExpectCoveredByLanguageFiles(&about);
}

}  // namespace
}  // namespace bv
