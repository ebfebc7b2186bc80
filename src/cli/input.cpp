#include "cli/input.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tilvan::cli {
namespace {

// The text of a failure thrown by a stream buffer.
std::string reasonOf(const std::exception& e) {
  if (const auto* s = dynamic_cast<const std::system_error*>(&e);
      s && s->code().category() == std::generic_category())
    return s->code().message();
  return e.what();
}

}  // namespace

FdInput::~FdInput() {
  if (owned_) ::close(fd_);
}

FdInput::int_type FdInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  for (;;) {
    const ssize_t r = ::read(fd_, buffer_.data(), buffer_.size());
    if (r > 0) {
      setg(buffer_.data(), buffer_.data(), buffer_.data() + r);
      return traits_type::to_int_type(buffer_[0]);
    }
    if (r == 0) return traits_type::eof();
    if (errno != EINTR) throw std::system_error(errno, std::generic_category());
  }
}

Result<std::unique_ptr<FdInput>> openInput(const std::filesystem::path& path) {
  auto fd = openRegularFile(path);
  if (!fd.ok()) return fd.error();
  return std::make_unique<FdInput>(fd.value(), true);
}

Result<std::string> readAll(std::istream& in, const std::string& name, std::size_t maxBytes) {
  std::string text;
  std::array<char, 65536> chunk;
  try {
    for (;;) {
      const std::streamsize got = in.rdbuf()->sgetn(chunk.data(), chunk.size());
      if (got <= 0) break;
      if (text.size() + static_cast<std::size_t>(got) > maxBytes)
        return FileError{name, tooLargeReason(maxBytes)};
      text.append(chunk.data(), static_cast<std::size_t>(got));
    }
  } catch (const std::exception& e) {
    return FileError{name, reasonOf(e)};
  }
  return text;
}

LineReader::Status LineReader::next(std::string& line) {
  line.clear();
  std::streambuf& buf = *in_.rdbuf();
  try {
    for (bool any = false;; any = true) {
      const auto c = buf.sbumpc();
      if (c == std::streambuf::traits_type::eof()) return any ? Status::kLine : Status::kEnd;
      if (c == '\n') return Status::kLine;
      if (line.size() == maxBytes_) return Status::kTooLong;
      line.push_back(std::streambuf::traits_type::to_char_type(c));
    }
  } catch (const std::exception& e) {
    error_ = reasonOf(e);
    return Status::kError;
  }
}

}  // namespace tilvan::cli
