#include "words/word_list.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tilvan {

std::string FileError::message() const {
  return "Cannot read the word list \"" + path + "\": " + reason;
}

WordList WordList::parse(std::string_view in) {
  WordList list;
  list.data_.reserve(in.size());
  const std::size_t n = in.size();
  std::size_t i = 0;
  auto atLineEnd = [&](std::size_t k) { return k < n && (in[k] == '\n' || in[k] == '\r'); };
  // Moves past one delimiter (comma, CR LF, LF or CR) at position k.
  auto skipDelimiter = [&](std::size_t k) {
    if (k >= n) return k;
    if (in[k] == '\r' && k + 1 < n && in[k + 1] == '\n') return k + 2;
    return k + 1;
  };
  while (i < n) {
    while (i < n && in[i] == ' ') ++i;
    std::string_view field;
    if (i < n && in[i] == '"') {
      const std::size_t open = i + 1;
      std::size_t close = open;
      while (close < n && in[close] != '"') ++close;
      field = in.substr(open, close - open);
      i = close < n ? close + 1 : n;
      while (i < n && in[i] != ',' && !atLineEnd(i)) ++i;
    } else {
      const std::size_t start = i;
      while (i < n && in[i] != ',' && !atLineEnd(i)) ++i;
      field = in.substr(start, i - start);
    }
    list.offsets_.emplace_back(static_cast<std::uint32_t>(list.data_.size()),
                               static_cast<std::uint32_t>(field.size()));
    list.data_.append(field);
    i = skipDelimiter(i);
  }
  list.data_.shrink_to_fit();
  return list;
}

namespace {

std::string errnoText(int err) { return std::strerror(err); }

// Closes the descriptor on every way out.
struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

}  // namespace

std::string tooLargeReason(std::uint64_t maxBytes) {
  constexpr std::uint64_t kMiB = 1 << 20, kGiB = kMiB << 10;
  if (maxBytes >= kMiB && maxBytes % kMiB == 0)
    return "more than " + std::to_string(maxBytes / kMiB) + " MiB";
  if ((maxBytes + 1) % kGiB == 0) return std::to_string((maxBytes + 1) / kGiB) + " GiB or more";
  return "more than " + std::to_string(maxBytes) + " bytes";
}

Result<int> openRegularFile(const std::filesystem::path& path) {
  const std::string p = path.string();
  constexpr const char* kNotRegular = "not a regular file";
  // Looked at before it is opened: opening a pipe with no writer, or some
  // devices, would wait. Opened without waiting in case it changed since.
  struct ::stat st {};
  if (::stat(p.c_str(), &st) != 0) return FileError{p, errnoText(errno)};
  if (!S_ISREG(st.st_mode)) return FileError{p, kNotRegular};
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return FileError{p, errnoText(errno)};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int err = errno;
    ::close(fd);
    return FileError{p, S_ISREG(st.st_mode) ? errnoText(err) : kNotRegular};
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);  // reads of a file may wait
  return fd;
}

Result<std::string> readFileBytes(const std::filesystem::path& path, std::uint64_t maxBytes) {
  const std::string p = path.string();
  const auto opened = openRegularFile(path);
  if (!opened.ok()) return opened.error();
  const FdCloser closer{opened.value()};
  const int fd = closer.fd;
  struct ::stat st {};
  if (::fstat(fd, &st) != 0) return FileError{p, errnoText(errno)};
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes)
    return FileError{p, tooLargeReason(maxBytes)};
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {  // the file grew: read on, up to one byte past the limit
      const std::uint64_t room = maxBytes + 1 - got;
      if (room == 0) return FileError{p, tooLargeReason(maxBytes)};
      bytes.resize(got + static_cast<std::size_t>(std::min<std::uint64_t>(room, 65536)));
    }
    const ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      return FileError{p, errnoText(errno)};
    }
    if (r == 0) break;
    got += static_cast<std::size_t>(r);
  }
  if (got > maxBytes) return FileError{p, tooLargeReason(maxBytes)};
  bytes.resize(got);
  return bytes;
}

Result<std::shared_ptr<const WordList>> WordListCache::get() {
  const std::string p = path_.string();
  struct ::stat st {};
  if (::stat(p.c_str(), &st) != 0) {
    list_.reset();
    return FileError{p, errnoText(errno)};
  }
  const Stamp now{static_cast<std::uintmax_t>(st.st_size), static_cast<std::uintmax_t>(st.st_dev),
                  static_cast<std::uintmax_t>(st.st_ino),
                  std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec,
                  std::int64_t{st.st_ctim.tv_sec} * 1000000000 + st.st_ctim.tv_nsec};
  if (list_ && now == stamp_) return list_;
  list_.reset();
  auto bytes = readFileBytes(path_);
  ++reads_;
  if (!bytes.ok()) return bytes.error();
  list_ = std::make_shared<const WordList>(WordList::parse(bytes.value()));
  stamp_ = now;
  return list_;
}

std::filesystem::path defaultWordListPath() {
#ifdef _WIN32
  return "C:\\Windows\\WordsSorted.Txt";
#else
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto dir = exe.parent_path();
    for (const auto& candidate :
         {dir / "WordsSorted.Txt", dir.parent_path() / "share" / "tilvan" / "WordsSorted.Txt"}) {
      if (std::filesystem::exists(candidate, ec)) return candidate;
    }
    return dir.parent_path() / "share" / "tilvan" / "WordsSorted.Txt";
  }
  return "WordsSorted.Txt";
#endif
}

}  // namespace tilvan
