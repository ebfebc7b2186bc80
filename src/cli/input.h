// How tilvan-cli reads its board files and scripts: never waiting on a path
// that is not a regular file, never holding more than a bound in memory, and
// telling a read error from the end of the input.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

#include "words/word_list.h"

namespace tilvan::cli {

// The longest board file and the longest script line.
inline constexpr std::size_t kMaxBoardBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

// An input stream buffer over a file descriptor. A read error throws
// std::system_error (which std::istream turns into badbit), so that it is
// never taken for the end of the input.
class FdInput : public std::streambuf {
 public:
  // Reads `fd`; closes it at the end when `owned`.
  FdInput(int fd, bool owned) : fd_(fd), owned_(owned) {}
  ~FdInput() override;
  FdInput(const FdInput&) = delete;
  FdInput& operator=(const FdInput&) = delete;

 protected:
  int_type underflow() override;

 private:
  int fd_;
  bool owned_;
  std::array<char, 65536> buffer_;
};

// Opens a regular file for reading; anything else is refused at once (see
// openRegularFile).
Result<std::unique_ptr<FdInput>> openInput(const std::filesystem::path& path);

// Everything left in `in`, at most `maxBytes` bytes. A longer input, or a
// read error, is an error naming `name` and the cause.
Result<std::string> readAll(std::istream& in, const std::string& name, std::size_t maxBytes);

// Reads a stream line by line; a line ends at LF (kept out of the line) or at
// the end of the input.
class LineReader {
 public:
  enum class Status { kLine, kEnd, kTooLong, kError };

  LineReader(std::istream& in, std::size_t maxBytes) : in_(in), maxBytes_(maxBytes) {}

  // The next line into `line`. kEnd when nothing is left; kTooLong when the
  // line has more than maxBytes bytes (the rest of it is left unread); kError
  // on a read error (see error()).
  Status next(std::string& line);
  // Why the last kError happened.
  const std::string& error() const { return error_; }

 private:
  std::istream& in_;
  std::size_t maxBytes_;
  std::string error_;
};

}  // namespace tilvan::cli
