#pragma once
// The records of a batch FILE, one at a time, as every kind of batch reads
// them. FILE is opened in binary ("-" is standard input, named "standard
// input" in messages). A UTF-8 byte order mark before the first record, as
// spreadsheets write one, is dropped, and a first record that names the
// columns is a header and skipped. A bad record (a field count not accepted,
// a quote not closed, over 64 KiB, a NUL byte) is reported on stderr as
// "lobrin-calc: FILE:LINE: what is wrong", LINE being where it starts, and
// reading goes on with the next.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/calc/csv_reader.h"

namespace lobrin::calc {

class BatchRecords {
 public:
  // `names`: the fields of the longest record, in order; `counts`: the field
  // counts a record may have, ascending, each a leading part of `names`.
  BatchRecords(const std::string& file, std::vector<std::string> names, std::vector<std::size_t> counts);
  ~BatchRecords();
  BatchRecords(const BatchRecords&) = delete;
  BatchRecords& operator=(const BatchRecords&) = delete;

  // Opens FILE; false, said on stderr, when it cannot be read.
  bool Open();
  // The next good record, with an accepted field count; false at the end of
  // FILE or when reading it failed (said on stderr).
  bool Next(CsvRecord& record);
  // Says `what` of `record` on stderr, as FILE:LINE, and counts it as bad.
  void Complain(const CsvRecord& record, const std::string& what);
  // False once a record was bad or FILE failed.
  bool allGood() const { return allGood_; }

 private:
  bool IsHeader(const CsvRecord& record) const;
  void Say(const std::string& where, const std::string& what);

  std::string file_;
  std::string name_;  // FILE as messages name it
  std::vector<std::string> names_;
  std::vector<std::size_t> counts_;
  std::FILE* input_ = nullptr;       // owned unless it is stdin
  std::optional<CsvReader> reader_;  // once open
  bool first_ = true;
  bool allGood_ = true;
};

}  // namespace lobrin::calc
