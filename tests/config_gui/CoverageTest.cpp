// Every window of this part has a text for each control it translates, in both shipped
// language files, and nothing in the files names a control it lacks.

#include <gtest/gtest.h>

#include "app/TFAcerca.h"
#include "config/TFIdiomaInicio.h"
#include "config/TFOpciones.h"
#include "support/gui/WindowCoverage.h"

namespace bv {
namespace {

TEST(Coverage, OptionsPickerAndAboutBoxMatchTheLanguageFiles) {
  TFOpciones options;
  test::ExpectCoveredByLanguageFiles(&options);
  TFIdiomaInicio picker([] {}, [](const QString&) {});
  test::ExpectCoveredByLanguageFiles(&picker);
  TFAcerca about([](const QString&) {});
  test::ExpectCoveredByLanguageFiles(&about);
}

}  // namespace
}  // namespace bv
