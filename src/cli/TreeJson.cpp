#include "cli/TreeJson.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "cli/CliError.h"
#include "config/Cp1252.h"
#include "profile/ImportedText.h"

namespace bv::cli {
namespace {

using nlohmann::json;

constexpr const char* kKindNames[] = {"category", "group", "account"};

std::string KeyOf(const TextFieldInfo& field) {
  std::string key = field.name;
  key[0] = static_cast<char>(key[0] - 'A' + 'a');
  return key;
}

std::string Quoted(const std::string& cp1252) { return json(Cp1252ToUtf8(cp1252)).dump(); }

// Indentation stops growing past this depth: a pathological chain of nodes would otherwise
// make the output grow with the square of its depth.
constexpr std::size_t kMaxIndentDepth = 64;

std::string Indent(std::size_t n) { return std::string(std::min(n, 4 * kMaxIndentDepth + 8), ' '); }

// ---- writing ----

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void Begin(const TProfileHeader& header) {
    out_ << "{\n  \"owner\": " << Quoted(header.Owner) << ",\n  \"title\": " << Quoted(header.Title)
         << ",\n  \"nodes\": [";
    open_.push_back(false);  // the top level
  }

  void Node(const TNodeData& data, int depth) {
    while (open_.size() > static_cast<std::size_t>(depth) + 1) CloseNode();
    out_ << (open_.back() ? ",\n" : "\n");
    open_.back() = true;
    const std::size_t indent = 4 + 4 * static_cast<std::size_t>(depth);
    out_ << Indent(indent) << "{\n";
    const std::string field = Indent(indent + 2);
    out_ << field << "\"kind\": \"" << kKindNames[static_cast<int>(data.Kind())] << "\",\n";
    for (const auto& info : kTextFields)
      if (!info.accountOnly || data.IsAccount)
        out_ << field << '"' << KeyOf(info) << "\": " << Quoted(data.*info.member) << ",\n";
    out_ << field << "\"picture\": " << data.ImageIndex << ",\n" << field << "\"children\": [";
    open_.push_back(false);
  }

  void End() {
    while (open_.size() > 1) CloseNode();
    out_ << (open_.back() ? "\n  ]" : "]") << "\n}\n";
  }

 private:
  void CloseNode() {
    const std::size_t indent = 4 * open_.size();  // the node being closed sits at 4 * depth + 4
    out_ << (open_.back() ? "\n" + Indent(indent - 2) + "]" : "]") << '\n'
         << Indent(indent - 4) << '}';
    open_.pop_back();
  }

  std::ostream& out_;
  std::vector<bool> open_;  // per open array: has it an element yet
};

// ---- reading ----

[[noreturn]] void Fail(ExitCode code, const std::string& where, const std::string& what) {
  throw ECliError(code, where + ": " + what);
}

template <typename WhereFn>
std::string TextValue(const json& value, const WhereFn& where, std::size_t maxLength) {
  if (!value.is_string()) Fail(ExitCode::kBadJson, where(), "must be a text");
  ImportedText text = ImportText(value.get_ref<const std::string&>(), maxLength);
  switch (text.refusal) {
    case TextRefusal::None: break;
    case TextRefusal::NotCp1252: Fail(ExitCode::kNotCp1252, where(), text.reason);
    case TextRefusal::TooLong: Fail(ExitCode::kTooLong, where(), text.reason);
  }
  return std::move(text.bytes);
}

template <typename WhereFn>
const json& ObjectAt(const json& value, const WhereFn& where) {
  if (!value.is_object()) Fail(ExitCode::kBadJson, where(), "must be an object");
  return value;
}

template <typename WhereFn>
const json& ArrayAt(const json& value, const WhereFn& where) {
  if (!value.is_array()) Fail(ExitCode::kBadJson, where(), "must be a list");
  return value;
}

NodeKind KindOf(const json& node, const std::function<std::string()>& where) {
  const auto found = node.find("kind");
  if (found == node.end()) Fail(ExitCode::kBadJson, where() + ".kind", "is missing");
  for (int k = 0; k < 3; ++k)
    if (*found == kKindNames[k]) return static_cast<NodeKind>(k);
  Fail(ExitCode::kBadJson, where() + ".kind", "must be \"category\", \"group\" or \"account\"");
}

// Where a value sits, built only for a message: paths in a deep tree are long.
using Where = std::function<std::string()>;

TNodeData NodeData(const json& node, const Where& where) {
  ObjectAt(node, where);
  TNodeData data = TNodeData::Create(KindOf(node, where), 0);
  // Plain names rather than a structured binding: clang 14 cannot capture those in lambdas.
  for (const auto& item : node.items()) {
    const std::string& key = item.key();
    const json& value = item.value();
    if (key == "kind" || key == "children") continue;
    auto at = [&] { return where() + "." + key; };
    if (key == "picture") {
      if (!value.is_number_integer() || value < std::numeric_limits<std::int32_t>::min() ||
          value > std::numeric_limits<std::int32_t>::max())
        Fail(ExitCode::kBadJson, at(), "must be a whole number");
      data.ImageIndex = value.get<std::int32_t>();
      continue;
    }
    const TextFieldInfo* field = nullptr;
    for (const auto& info : kTextFields)
      if (KeyOf(info) == key) field = &info;
    if (!field) Fail(ExitCode::kBadJson, at(), "is not a field of a node");
    if (field->accountOnly && !data.IsAccount)
      Fail(ExitCode::kBadJson, at(), "belongs to accounts only");
    data.*field->member = TextValue(value, at, field->survivingLength);
  }
  return data;
}

}  // namespace

void WriteProfileJson(std::ostream& out, const TProfileHeader& header, const ProfileTree& tree) {
  JsonWriter writer(out);
  writer.Begin(header);
  tree.ForEachPreOrder([&](const TreeNode& node, int depth) { writer.Node(node.data, depth); });
  writer.End();
}

void ReadProfileJson(const std::string& text, TProfileHeader& header, ProfileTree& tree) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::exception& error) {  // malformed, or a number beyond every type
    Fail(ExitCode::kBadJson, "JSON", error.what());
  }
  auto named = [](const char* name) { return [name] { return std::string(name); }; };
  ObjectAt(root, named("the profile"));
  for (const auto& item : root.items()) {
    const std::string& key = item.key();
    const json& value = item.value();
    auto at = [&] { return key; };
    if (key == "owner")
      header.Owner = TextValue(value, at, TProfileHeader::kOwnerMax);
    else if (key == "title")
      header.Title = TextValue(value, at, TProfileHeader::kTitleMax);
    else if (key != "nodes")
      Fail(ExitCode::kBadJson, key, "is not a field of a profile");
  }
  if (!root.contains("nodes")) return;

  // Depth first with an explicit stack: one entry per list being read.
  struct Pending {
    const json* list;
    std::size_t next;
    TreeNode* parent;
  };
  std::vector<Pending> stack{{&ArrayAt(root.at("nodes"), named("nodes")), 0, nullptr}};
  auto path = [&stack](const char* tail) {
    std::string text = "nodes";
    for (std::size_t k = 0; k < stack.size(); ++k)
      text += (k ? ".children[" : "[") + std::to_string(stack[k].next - 1) + "]";
    return text + tail;
  };
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == top.list->size()) {
      stack.pop_back();
      continue;
    }
    const json& node = (*top.list)[top.next++];
    TreeNode* added = tree.Append(top.parent, NodeData(node, [&] { return path(""); }));
    if (const auto children = node.find("children"); children != node.end())
      stack.push_back({&ArrayAt(*children, [&] { return path(".children"); }), 0, added});
  }
}

}  // namespace bv::cli
