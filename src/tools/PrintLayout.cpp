#include "tools/PrintLayout.h"

#include "config/MessageIds.h"
#include "config/Messages.h"
#include "tools/AccountText.h"
#include "tools/Banner.h"

namespace bv {

PrintLayout ComposeAccountPrint(const TNodeData& account) {
  PrintLayout layout;
  layout.documentTitle = account.Name;
  auto add = [&](std::string text, const PrintStyle& style) {
    layout.paragraphs.push_back({std::move(text), style});
  };

  const PrintStyle plain;
  add("", plain);
  add("", plain);

  PrintStyle banner;
  banner.rgb = kBannerColour;
  banner.centred = true;
  for (std::string& line : BannerLines()) add(std::move(line), banner);
  add("", banner);
  add("", banner);

  PrintStyle verdana;
  verdana.font = PrintFont::Verdana;
  add("", verdana);

  PrintStyle title = verdana;
  title.rgb = kTitleColour;
  title.bold = title.underline = title.centred = true;
  add(MessageText(msg::kAccountDetails), title);
  add("", title);
  add("", title);

  // Values are printed plain, so that they stand apart from their bold, underlined labels.
  PrintStyle value = verdana;
  value.firstLineIndentPt = kFieldIndentPt;
  PrintStyle label = value;
  label.bold = label.underline = true;
  for (const AccountLabel& field : kAccountLabels) {
    add("", value);
    add(MessageText(field.label), label);
    add(" " + account.*field.member, value);
  }
  add(" ", value);
  return layout;
}

}  // namespace bv
