#pragma once
// Standard output written in large pieces, its first failure remembered, so
// that a long run stops writing once the output is gone.

#include <cstdio>
#include <string>

namespace lobrin::calc {

class Output {
 public:
  // How much text is gathered before it is written.
  static constexpr std::size_t kPieceSize = std::size_t{64} * 1024;

  // Writes to `stream` (borrowed).
  explicit Output(std::FILE* stream) : stream_(stream) {}

  // Text appended here is written by WriteIfFull or Finish.
  std::string& text() { return text_; }
  // Writes the gathered text once it holds kPieceSize bytes; false once a write failed.
  bool WriteIfFull();
  // Writes the rest and flushes the stream; false once a write failed.
  bool Finish();
  // The system's error number of the failed write.
  int error() const { return error_; }

 private:
  bool Write();

  std::FILE* stream_;  // borrowed
  std::string text_;
  int error_ = 0;
};

}  // namespace lobrin::calc
