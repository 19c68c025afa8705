// libFuzzer on lobrin-calc's CSV reader: arbitrary bytes are read once in
// chunks of 64 KiB and once in chunks of 1 to 8 bytes (the first byte picks
// the size). Under AddressSanitizer and UBSan, any fault ends the run;
// besides, both readings must give the same records and problems, records
// must start on ever later lines, and a good record must hold no NUL byte
// and no more than the limit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/calc/csv_reader.h"

namespace {

using lobrin::calc::CsvReader;
using lobrin::calc::CsvRecord;

struct Outcome {
  CsvReader::Status status;
  std::uint64_t line;
  std::vector<std::string> fields;
  std::string problem;
  bool operator!=(const Outcome& other) const {
    return status != other.status || line != other.line || fields != other.fields || problem != other.problem;
  }
};

void Fail(const char* what) {
  std::fprintf(stderr, "CSV reader fuzzer: %s\n", what);
  std::abort();
}

std::vector<Outcome> ReadAll(const std::uint8_t* data, std::size_t size, std::size_t chunkSize) {
  std::FILE* stream = size == 0 ? std::tmpfile() : fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  CsvReader reader(stream, chunkSize);
  std::vector<Outcome> outcomes;
  CsvRecord record;
  std::string problem;
  for (;;) {
    const CsvReader::Status status = reader.Next(record, problem);
    if (status == CsvReader::Status::kEnd || status == CsvReader::Status::kReadError) {
      break;
    }
    Outcome outcome{status, record.line, {}, {}};
    if (status == CsvReader::Status::kRecord) {
      outcome.fields = record.fields;
    } else {
      outcome.problem = problem;
    }
    outcomes.push_back(outcome);
  }
  std::fclose(stream);
  return outcomes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t smallChunk = size == 0 ? 1 : 1 + data[0] % 8;
  const std::vector<Outcome> whole = ReadAll(data, size, CsvReader::kChunkSize);
  const std::vector<Outcome> small = ReadAll(data, size, smallChunk);
  if (whole.size() != small.size()) {
    Fail("the chunk size changes the number of records");
  }
  std::uint64_t lastLine = 0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (whole[i] != small[i]) {
      Fail("the chunk size changes a record");
    }
    if (whole[i].line <= lastLine) {
      Fail("a record starts on a line not after the one before");
    }
    lastLine = whole[i].line;
    std::size_t bytes = 0;
    for (const std::string& field : whole[i].fields) {
      bytes += field.size();
      if (field.find('\0') != std::string::npos) {
        Fail("a good record holds a NUL byte");
      }
    }
    if (bytes > CsvReader::kRecordLimit) {
      Fail("a good record holds more than the limit");
    }
  }
  return 0;
}
