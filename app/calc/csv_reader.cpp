#include "app/calc/csv_reader.h"

#include <cerrno>
#include <cstring>

namespace lobrin::calc {

namespace {

constexpr char kTooLong[] = "record longer than 65536 bytes";
constexpr char kNulByte[] = "NUL byte in record";
constexpr char kUnterminated[] = "quoted field not closed before the end of the input";
static_assert(CsvReader::kRecordLimit == 65536, "the message names the limit");

// Where a run of plain field bytes ends: strcspn stops at these and at NUL,
// which is both the NUL after the parsed bytes and a NUL byte in the input.
constexpr char kUnquotedStops[] = ",\r\n";
constexpr char kQuotedStops[] = "\"\n";
// In a record too long to keep, fields no longer matter: only a quote that
// opens a field (after a comma) and a line end change what comes next.
constexpr char kSkippedStops[] = "\"\r\n";

bool IsBlank(const CsvRecord& record, bool quoted) {
  return !quoted && record.fields.size() == 1 &&
         record.fields[0].find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

CsvReader::CsvReader(std::FILE* stream, std::size_t chunkSize)
    : stream_(stream), chunk_(chunkSize + 1, '\0'), chunkSize_(chunkSize) {
  next_ = end_ = chunk_.data();
}

CsvReader::Status CsvReader::Next(CsvRecord& record, std::string& problem) {
  for (;;) {
    if (!ReadRecord(record)) {
      return readError_ != 0 ? Status::kReadError : Status::kEnd;
    }
    if (problem_ != nullptr) {
      problem = problem_;
      return Status::kBadRecord;
    }
    if (!IsBlank(record, quoted_)) {
      return Status::kRecord;
    }
  }
}

bool CsvReader::Refill() {
  if (inputEnded_) {
    return false;
  }
  errno = 0;
  const std::size_t count = std::fread(chunk_.data(), 1, chunkSize_, stream_);
  if (count == 0) {
    inputEnded_ = true;
    if (std::ferror(stream_)) {
      readError_ = errno != 0 ? errno : EIO;
    }
    return false;
  }
  chunk_[count] = '\0';
  next_ = chunk_.data();
  end_ = next_ + count;
  return true;
}

void CsvReader::Take(const char* bytes, std::size_t count) {
  bytes_ += count;
  lastByte_ = bytes[count - 1];
  if (bytes_ > kRecordLimit && !tooLong_) {
    tooLong_ = true;
    Report(kTooLong);
    keeping_ = false;
    kept_.clear();
    kept_.shrink_to_fit();
  }
  if (keeping_) {
    kept_.append(bytes, count);
  }
}

void CsvReader::AddToField(CsvRecord& record, const char* bytes, std::size_t count) {
  if (!tooLong_) {
    record.fields.back().append(bytes, count);
  }
}

void CsvReader::EndField(CsvRecord& record) {
  if (!tooLong_) {
    record.fields.emplace_back();
  }
}

void CsvReader::Report(const char* problem) {
  if (problem_ == nullptr) {
    problem_ = problem;
  }
}

bool CsvReader::ReadRecord(CsvRecord& record) {
  record.fields.clear();
  record.fields.emplace_back();
  record.line = line_;
  state_ = State::kFieldStart;
  pendingCr_ = quoted_ = tooLong_ = keeping_ = false;
  bytes_ = 0;
  problem_ = nullptr;
  kept_.clear();

  bool started = false;
  for (;;) {
    if (next_ == end_ && !Refill()) {
      if (readError_ != 0 || !started) {
        return false;
      }
      EndAtInputEnd(record);
      return true;
    }
    started = true;
    if (pendingCr_) {
      pendingCr_ = false;
      if (*next_ == '\n') {
        ++next_;
        ++line_;
        return true;
      }
      Take("\r", 1);
      AddToField(record, "\r", 1);
      state_ = State::kUnquoted;
    }
    const char c = *next_;
    switch (state_) {
      case State::kFieldStart:
        if (c == '"') {
          Take(next_++, 1);
          state_ = State::kQuoted;
          quoted_ = true;
          break;
        }
        state_ = State::kUnquoted;
        [[fallthrough]];
      case State::kUnquoted: {
        const std::size_t run = std::strcspn(next_, tooLong_ ? kSkippedStops : kUnquotedStops);
        if (run > 0) {
          Take(next_, run);
          AddToField(record, next_, run);
          next_ += run;
        } else if (c == '"') {
          state_ = lastByte_ == ',' ? State::kQuoted : State::kUnquoted;
          Take(next_++, 1);
        } else if (c == ',') {
          Take(next_++, 1);
          EndField(record);
          state_ = State::kFieldStart;
        } else if (c == '\r') {
          ++next_;
          pendingCr_ = true;
        } else if (c == '\n') {
          ++next_;
          ++line_;
          return true;
        } else {
          Report(kNulByte);
          Take(next_++, 1);
        }
        break;
      }
      case State::kQuoted: {
        const std::size_t run = std::strcspn(next_, kQuotedStops);
        if (run > 0) {
          Take(next_, run);
          AddToField(record, next_, run);
          next_ += run;
        } else if (c == '"') {
          Take(next_++, 1);
          state_ = State::kQuoteSeen;
        } else if (c == '\n') {
          Take(next_, 1);
          AddToField(record, next_++, 1);
          ++line_;
          keeping_ = keeping_ || !tooLong_;
        } else {
          Report(kNulByte);
          Take(next_++, 1);
        }
        break;
      }
      case State::kQuoteSeen:
        if (c == '"') {
          Take(next_, 1);
          AddToField(record, next_++, 1);
          state_ = State::kQuoted;
        } else {
          // A separator, a line end, or (read leniently) more of the field.
          state_ = State::kUnquoted;
        }
        break;
    }
  }
}

void CsvReader::EndAtInputEnd(CsvRecord& record) {
  if (pendingCr_) {
    pendingCr_ = false;
    Take("\r", 1);
    AddToField(record, "\r", 1);
  }
  if (state_ != State::kQuoted) {
    return;
  }
  Report(kUnterminated);
  if (keeping_) {
    // The bytes after the record's first line become the input again.
    again_.swap(kept_);
    kept_.clear();
    next_ = again_.c_str();
    end_ = next_ + again_.size();
    line_ = record.line + 1;
  }
}

}  // namespace lobrin::calc
