#pragma once
// The HTML export of an account: the account page as the detail view shows it (password
// and answer hidden or shown as they are on view), with each picture of the page saved as
// a bitmap file beside the HTML file.

#include <filesystem>

#include "profile/NodeData.h"

namespace bv {

class DetailView;

// The pictures are named "img" + a counter from 1 + ".bmp", skipping every name already
// taken in that folder, so that no existing file is ever overwritten and a second export
// into the same folder goes on where the first stopped. Throws EExportError (AccountText.h)
// with the system's reason when the HTML file cannot be created (and then writes no
// picture), or with "Cannot create file "<path>". <reason>" when a picture cannot be.
void ExportAccountHtml(const DetailView& view, const TNodeData& account,
                       const std::filesystem::path& path);

}  // namespace bv
