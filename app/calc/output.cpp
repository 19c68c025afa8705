#include "app/calc/output.h"

#include <cerrno>

namespace lobrin::calc {

bool Output::Write() {
  if (error_ == 0 && !text_.empty()) {
    errno = 0;
    if (std::fwrite(text_.data(), 1, text_.size(), stream_) != text_.size()) {
      error_ = errno != 0 ? errno : EIO;
    }
  }
  text_.clear();
  return error_ == 0;
}

bool Output::WriteIfFull() {
  if (text_.size() >= kPieceSize) {
    Write();
  }
  return error_ == 0;
}

bool Output::Finish() {
  if (!Write()) {
    return false;
  }
  errno = 0;
  if (std::fflush(stream_) != 0) {
    error_ = errno != 0 ? errno : EIO;
  }
  return error_ == 0;
}

}  // namespace lobrin::calc
