#pragma once
// RFC 4180 records read from a stream, one at a time, in bounded memory.
//
// Fields are separated by commas; a field that begins with a double quote is
// quoted, may hold commas, CR and LF, and writes a double quote as two. A
// record ends at LF or CR LF outside quotes, or at the end of the input. A CR
// not followed by LF is a character of its field. Read leniently, a quote
// inside an unquoted field is a character, and so is anything after a
// closing quote.
//
// Memory stays bounded whatever the input: the stream is read a chunk at a
// time into one buffer, and a record longer than kRecordLimit bytes is
// reported once and skipped to its end without being kept.
//
// Bad records are reported one at a time, and reading goes on after each: a
// record that holds a NUL byte or is too long is skipped. A quoted field still open
// at the end of the input is reported at the record's first line; when the
// record is within the limit, the lines after that first one are read again
// as records, so that one stray quote costs only its own line.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace lobrin::calc {

struct CsvRecord {
  std::vector<std::string> fields;  // quotes removed; at least one
  std::uint64_t line = 0;           // the line the record starts on, from 1
};

class CsvReader {
 public:
  // The most bytes a record may have, its line end not counted.
  static constexpr std::size_t kRecordLimit = std::size_t{64} * 1024;
  static constexpr std::size_t kChunkSize = std::size_t{64} * 1024;

  // Reads `stream` (borrowed, opened in binary mode) `chunkSize` bytes at a time.
  explicit CsvReader(std::FILE* stream, std::size_t chunkSize = kChunkSize);
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  enum class Status {
    kRecord,     // `record` holds the next record
    kBadRecord,  // `problem` says what is wrong with the record starting on record.line
    kEnd,        // no record is left
    kReadError,  // the stream failed: readError() is the system's error number
  };

  // Reads the next record, skipping blank lines (nothing but spaces and tabs).
  Status Next(CsvRecord& record, std::string& problem);

  int readError() const { return readError_; }

 private:
  enum class State { kFieldStart, kUnquoted, kQuoted, kQuoteSeen };

  // Reads the bytes of one record up to and including its line end. False
  // when the input ended (or failed) before the first byte of a record.
  bool ReadRecord(CsvRecord& record);
  // Ends the record at the end of the input.
  void EndAtInputEnd(CsvRecord& record);
  // The next chunk of the stream; false at its end or on a failure.
  bool Refill();

  // `count` bytes of the record as read: counted against the limit, and kept
  // for reading again once a quoted field has crossed a line end.
  void Take(const char* bytes, std::size_t count);
  void AddToField(CsvRecord& record, const char* bytes, std::size_t count);
  void EndField(CsvRecord& record);
  // Notes the record's first problem; later ones are not reported.
  void Report(const char* problem);

  std::FILE* stream_;           // borrowed
  std::vector<char> chunk_;     // owned; the chunk read last, a NUL after it
  std::string again_;           // bytes to read again before the stream goes on
  const char* next_ = nullptr;  // the next byte to parse, in chunk_ or again_
  const char* end_ = nullptr;   // the end of the bytes there; *end_ is NUL
  std::size_t chunkSize_;
  bool inputEnded_ = false;
  int readError_ = 0;
  std::uint64_t line_ = 1;  // the line of the next byte

  // The record being read.
  State state_ = State::kFieldStart;
  bool pendingCr_ = false;  // a CR outside quotes, not yet known to be part of CR LF
  bool quoted_ = false;     // a quoted field was seen
  std::size_t bytes_ = 0;   // its bytes so far, line end not counted
  char lastByte_ = 0;       // the last of them
  bool tooLong_ = false;
  const char* problem_ = nullptr;  // static text
  bool keeping_ = false;           // a quoted field crossed a line end: the bytes after it are kept
  std::string kept_;               // those bytes, while within the limit
};

}  // namespace lobrin::calc
