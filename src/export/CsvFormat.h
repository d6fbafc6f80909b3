#pragma once
// CSV records after RFC 4180. Writing quotes every value (a quote inside is doubled) and
// ends every record with CR LF. Reading takes quoted and plain values and CR LF, LF or CR
// record ends; inside quotes every byte is kept as it is, line breaks included.

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace bv {

// Appends one record to out.
void AppendCsvRecord(std::string& out, std::span<const std::string_view> values);

// Text that is not CSV; line() is the line where the fault lies (1 for the first).
class ECsvSyntaxError : public std::runtime_error {
 public:
  ECsvSyntaxError(std::size_t line, const std::string& what)
      : std::runtime_error(what), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

struct CsvRecord {
  std::vector<std::string> values;
  std::size_t line = 0;    // where the record begins
  std::size_t number = 0;  // 1 for the first record (the header), as spreadsheets count rows
};

class CsvReader {
 public:
  // Skips a leading UTF-8 byte order mark. text must outlive the reader.
  explicit CsvReader(std::string_view text);

  // Reads the next record; false after the last one. Empty lines between records are
  // skipped. Throws ECsvSyntaxError for an unclosed quote, text after a closing quote and a
  // quote inside a value that does not begin with one.
  [[nodiscard]] bool Next(CsvRecord& record);

 private:
  void EndLine();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t records_ = 0;
};

}  // namespace bv
