#pragma once
// The plain-text export of one account: every field in clear, under the banner, with the
// labels of messages 71 to 93; 48 lines, each ending with CR LF, Windows-1252 bytes.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/MessageIds.h"
#include "files/InOutError.h"
#include "profile/NodeData.h"

namespace bv {

// The fields of an account as the printout and the text export list them, with the message
// numbers of their label and of the second line that follows the label in the text file.
struct AccountLabel {
  std::string TNodeData::*member;
  int label;
  int secondLine;
};
inline constexpr AccountLabel kAccountLabels[] = {
    {&TNodeData::Name, msg::kNameLabel, msg::kNameUnderline},
    {&TNodeData::Description, msg::kDescriptionLabel, msg::kDescriptionUnderline},
    {&TNodeData::Notes, msg::kNotesLabel, msg::kNotesUnderline},
    {&TNodeData::UserName, msg::kUserNameLabel, msg::kUserNameUnderline},
    {&TNodeData::Password, msg::kPasswordLabel, msg::kPasswordUnderline},
    {&TNodeData::Question, msg::kQuestionLabel, msg::kQuestionUnderline},
    {&TNodeData::Answer, msg::kAnswerLabel, msg::kAnswerUnderline},
    {&TNodeData::Mail, msg::kMailLabel, msg::kMailUnderline},
    {&TNodeData::Url, msg::kUrlLabel, msg::kUrlUnderline},
    {&TNodeData::AccountType, msg::kAccountTypeLabel, msg::kAccountTypeUnderline},
};

inline constexpr std::size_t kAccountTextLineCount = 48;

// The lines of the file, without their line ends.
std::vector<std::string> AccountTextLines(const TNodeData& account);
// The whole file: every line followed by CR LF.
std::string AccountText(const TNodeData& account);

// An input/output failure of an export. what() is the system's reason (strerror), after
// "Cannot create file "<path>". " when the file could not be created; the window shows the
// same in the program's language (FailureText).
class EExportError : public EInOutError {
 public:
  // The file could not be created.
  EExportError(const std::filesystem::path& path, int systemError);
  // Writing failed, or a file whose name the user does not need to read.
  explicit EExportError(int systemError);
};

// Writes the file, replacing an existing one (a new file is readable by its owner only,
// since it holds the password in clear). Throws EExportError with
// "Cannot create file "<path>". <reason>" when the file cannot be created, or with the
// system's reason when writing fails.
void ExportAccountText(const TNodeData& account, const std::filesystem::path& path);

// How a file that cannot be created is reported: the text export names the file, the HTML
// export gives the system's reason alone.
enum class CreateFailure {
  NamingTheFile,
  ReasonOnly
};

// Writes the bytes of an exported file the same way, with the same failures.
void WriteExportFile(const std::filesystem::path& path, const std::string& bytes,
                     CreateFailure report = CreateFailure::NamingTheFile);

}  // namespace bv
