#include "TreeText.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace bv::test {
namespace {

struct FieldKey {
  char key;
  std::string TNodeData::*member;
};
constexpr FieldKey kKeys[] = {
    {'u', &TNodeData::UserName},    {'p', &TNodeData::Password},    {'q', &TNodeData::Question},
    {'r', &TNodeData::Answer},      {'m', &TNodeData::Mail},        {'w', &TNodeData::Url},
    {'t', &TNodeData::AccountType}, {'d', &TNodeData::Description}, {'n', &TNodeData::Notes},
};

std::string Unspaced(std::string text) {
  for (char& c : text)
    if (c == ' ') c = '_';
  return text;
}

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  void Read(ProfileTree& tree) {
    std::vector<TreeNode*> parents{nullptr};
    TreeNode* last = nullptr;
    while (Skip(), at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '(') {
        if (!last) throw std::invalid_argument("children without a node");
        parents.push_back(last), ++at_;
      } else if (c == ')') {
        if (parents.size() == 1) throw std::invalid_argument("unbalanced )");
        last = parents.back(), parents.pop_back(), ++at_;
      } else {
        last = tree.Append(parents.back(), Node());
      }
    }
    if (parents.size() != 1) throw std::invalid_argument("unbalanced (");
  }

 private:
  void Skip() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }
  std::string Word(const std::string& stops) {
    std::string word;
    while (at_ < text_.size() && stops.find(text_[at_]) == std::string::npos) word += text_[at_++];
    for (char& c : word)
      if (c == '_') c = ' ';
    return word;
  }
  TNodeData Node() {
    if (at_ + 1 >= text_.size() || text_[at_ + 1] != ':') throw std::invalid_argument(text_);
    const char kind = text_[at_];
    at_ += 2;
    TNodeData data = TNodeData::Create(kind == 'C'   ? NodeKind::Category
                                       : kind == 'G' ? NodeKind::Group
                                                     : NodeKind::Account,
                                       0);
    data.Name = Word(" {()");
    if (at_ < text_.size() && text_[at_] == '{') {
      ++at_;
      while (at_ < text_.size() && text_[at_] != '}') {
        const char key = text_[at_];
        at_ += 2;  // the key and "="
        const std::string value = Word(",}");
        if (at_ < text_.size() && text_[at_] == ',') ++at_;
        if (key == 'i') {
          data.ImageIndex = std::stoi(value);
          continue;
        }
        for (const FieldKey& field : kKeys)
          if (field.key == key) data.*field.member = value;
      }
      ++at_;
    }
    return data;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

void Write(const TreeNode& node, std::string& out) {
  const TNodeData& data = node.data;
  out += data.IsAccount ? "A:" : data.IsCategory ? "C:" : "G:";
  out += Unspaced(data.Name);
  std::string fields;
  for (const FieldKey& field : kKeys)
    if (!(data.*field.member).empty())
      fields += (fields.empty() ? "" : ",") + std::string(1, field.key) + "=" +
                Unspaced(data.*field.member);
  if (data.ImageIndex != 0)
    fields += (fields.empty() ? "i=" : ",i=") + std::to_string(data.ImageIndex);
  if (!fields.empty()) out += "{" + fields + "}";
  if (node.children.empty()) return;
  out += "(";
  for (std::size_t k = 0; k < node.children.size(); ++k) {
    if (k) out += " ";
    Write(*node.children[k], out);
  }
  out += ")";
}

}  // namespace

ProfileTree TreeFromText(const std::string& text) {
  ProfileTree tree;
  Reader(text).Read(tree);
  return tree;
}

std::string TextOf(const ProfileTree& tree) {
  std::string out;
  for (const auto& node : tree.ChildrenOf(nullptr)) {
    if (!out.empty()) out += " ";
    Write(*node, out);
  }
  return out;
}

}  // namespace bv::test
