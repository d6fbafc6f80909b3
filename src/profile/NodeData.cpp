#include "profile/NodeData.h"

#include "crypto/WipedText.h"

namespace bv {

TNodeData TNodeData::Create(NodeKind kind, std::int32_t imageIndex) {
  TNodeData data;
  data.IsAccount = kind == NodeKind::Account ? 1 : 0;
  data.IsCategory = kind == NodeKind::Category ? 1 : 0;
  data.ImageIndex = imageIndex;
  return data;
}

NodeKind TNodeData::Kind() const {
  if (IsAccount != 0) return NodeKind::Account;
  if (IsCategory != 0) return NodeKind::Category;
  return NodeKind::Group;
}

void WipeNodeData(TNodeData& data) {
  for (const TextFieldInfo& field : kTextFields) {
    WipeString(data.*field.member);
  }
}

void StoreText(std::string& field, std::string_view value, std::size_t maxLength) {
  field.assign(value.substr(0, maxLength));
}

}  // namespace bv
