#include "app/calc/batch_records.h"

#include <cerrno>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace lobrin::calc {

namespace {

// What a spreadsheet may write at the start of a UTF-8 file: not part of the first text.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// "3", "3 or 5", "3, 4 or 5".
std::string CountsText(const std::vector<std::size_t>& counts) {
  std::string text;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    if (i > 0) {
      text += i + 1 == counts.size() ? " or " : ", ";
    }
    text += std::to_string(counts[i]);
  }
  return text;
}

}  // namespace

BatchRecords::BatchRecords(const std::string& file, std::vector<std::string> names,
                           std::vector<std::size_t> counts)
    : file_(file),
      name_(file == "-" ? "standard input" : file),
      names_(std::move(names)),
      counts_(std::move(counts)) {}

BatchRecords::~BatchRecords() {
  if (input_ != nullptr && input_ != stdin) {
    std::fclose(input_);
  }
}

bool BatchRecords::Open() {
  if (file_ == "-") {
#ifdef _WIN32
    // CR LF reaches the reader as it is, and a Ctrl-Z byte does not end the input.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    input_ = stdin;
  } else {
    input_ = std::fopen(file_.c_str(), "rb");
  }
  if (input_ == nullptr) {
    Say(name_, std::strerror(errno));
    return false;
  }
  reader_.emplace(input_);
  return true;
}

bool BatchRecords::Next(CsvRecord& record) {
  std::string problem;
  for (;;) {
    const bool first = first_;
    first_ = false;
    const CsvReader::Status status = reader_->Next(record, problem);
    if (status == CsvReader::Status::kEnd) {
      return false;
    }
    if (status == CsvReader::Status::kReadError) {
      Say(name_, std::strerror(reader_->readError()));
      return false;
    }
    if (status == CsvReader::Status::kBadRecord) {
      Complain(record, problem);
      continue;
    }
    std::vector<std::string>& fields = record.fields;
    if (first && record.line == 1 && fields[0].compare(0, 3, kByteOrderMark) == 0) {
      fields[0].erase(0, 3);
    }
    const std::size_t count = fields.size();
    bool accepted = false;
    for (const std::size_t allowed : counts_) {
      accepted = accepted || count == allowed;
    }
    if (!accepted) {
      Complain(record, std::to_string(count) + (count == 1 ? " field" : " fields") + ", expected " +
                           CountsText(counts_));
      continue;
    }
    if (first && IsHeader(record)) {
      continue;
    }
    return true;
  }
}

void BatchRecords::Complain(const CsvRecord& record, const std::string& what) {
  Say(name_ + ":" + std::to_string(record.line), what);
}

bool BatchRecords::IsHeader(const CsvRecord& record) const {
  for (std::size_t i = 0; i < record.fields.size(); ++i) {
    if (record.fields[i] != names_[i]) {
      return false;
    }
  }
  return true;
}

void BatchRecords::Say(const std::string& where, const std::string& what) {
  allGood_ = false;
  const std::string line = "lobrin-calc: " + where + ": " + what + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace lobrin::calc
