#include "export/CsvFormat.h"

#include <algorithm>

namespace bv {

void AppendCsvRecord(std::string& out, std::span<const std::string_view> values) {
  bool first = true;
  for (const std::string_view value : values) {
    if (!first) out += ',';
    first = false;
    out += '"';
    for (std::size_t from = 0;;) {
      const std::size_t quote = value.find('"', from);
      out.append(value.substr(from, quote == std::string_view::npos ? quote : quote + 1 - from));
      if (quote == std::string_view::npos) break;
      out += '"';  // the quote is doubled
      from = quote + 1;
    }
    out += '"';
  }
  out += "\r\n";
}

CsvReader::CsvReader(std::string_view text) : text_(text) {
  if (text_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
}

void CsvReader::EndLine() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

bool CsvReader::Next(CsvRecord& record) {
  const std::size_t size = text_.size();
  while (pos_ < size && (text_[pos_] == '\r' || text_[pos_] == '\n')) EndLine();
  if (pos_ >= size) return false;
  record.values.clear();
  record.line = line_;
  record.number = ++records_;
  while (true) {
    std::string& value = record.values.emplace_back();
    if (pos_ < size && text_[pos_] == '"') {
      const std::size_t opened = line_;
      ++pos_;
      while (true) {
        const std::size_t quote = text_.find('"', pos_);
        if (quote == std::string_view::npos)
          throw ECsvSyntaxError(opened, "a quoted value is not closed before the end of the file");
        line_ += static_cast<std::size_t>(
            std::count(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                       text_.begin() + static_cast<std::ptrdiff_t>(quote), '\n'));
        value.append(text_.substr(pos_, quote - pos_));
        pos_ = quote + 1;
        if (pos_ < size && text_[pos_] == '"') {
          value += '"';
          ++pos_;
          continue;
        }
        break;
      }
      if (pos_ < size && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n')
        throw ECsvSyntaxError(line_, "text after the closing quote of a value");
    } else {
      std::size_t stop = text_.find_first_of(",\r\n\"", pos_);
      if (stop == std::string_view::npos) stop = size;
      if (stop < size && text_[stop] == '"')
        throw ECsvSyntaxError(line_, "a quote inside a value that does not begin with one");
      value.assign(text_.substr(pos_, stop - pos_));
      pos_ = stop;
    }
    if (pos_ >= size) return true;
    if (text_[pos_] == ',') {
      ++pos_;
      continue;
    }
    EndLine();
    return true;
  }
}

}  // namespace bv
