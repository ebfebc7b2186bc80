// The word list: one file of records, read with fixed record rules, and a
// cache that keeps the parsed list until the file on disk changes.
#pragma once

#include <any>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <variant>
#include <vector>

namespace tilvan {

// Why a file could not be used.
struct FileError {
  std::string path;
  std::string reason;
  // The text shown to the user: names the file and the cause.
  std::string message() const;
  bool operator==(const FileError&) const = default;
};

// A value or the reason there is none.
template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}          // NOLINT: implicit by design
  Result(FileError error) : v_(std::move(error)) {}  // NOLINT
  bool ok() const { return v_.index() == 0; }
  const T& value() const { return std::get<0>(v_); }
  T& value() { return std::get<0>(v_); }
  const FileError& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, FileError> v_;
};

// The largest word list file: its records are kept at 32-bit offsets.
inline constexpr std::uint64_t kMaxWordListBytes = 0xFFFFFFFFu;

// One version of the word list, immutable once parsed. Records are kept in
// file order as byte strings (one byte is one character).
//
// Indexes that searches build from the records (derived<T>()) are built on
// first use and live as long as this version of the list.
// Not thread-safe: used from the window's thread only.
class WordList {
 public:
  // Splits file bytes into records: a record ends at a comma or at a line end
  // (CR LF, LF or CR); leading spaces are skipped; a field that starts with a
  // double quote is read up to the closing quote, without the quotes, and the
  // rest up to the next comma or line end is dropped; an empty line is an
  // empty record; the end of the file ends the last record.
  // REQUIRES: bytes.size() <= kMaxWordListBytes (records are kept at 32-bit
  // offsets).
  static WordList parse(std::string_view bytes);

  WordList() = default;
  WordList(const WordList&) = delete;
  WordList& operator=(const WordList&) = delete;
  WordList(WordList&&) = default;
  WordList& operator=(WordList&&) = default;

  std::size_t size() const { return offsets_.size(); }
  std::string_view operator[](std::size_t i) const {
    return std::string_view(data_).substr(offsets_[i].first, offsets_[i].second);
  }

  // The index of type T built from this list (T must be constructible from
  // const WordList&), built once on first request.
  template <class T>
  const T& derived() const {
    auto it = derived_.find(std::type_index(typeid(T)));
    if (it == derived_.end())
      it = derived_.emplace(std::type_index(typeid(T)), std::make_shared<T>(*this)).first;
    return *std::static_pointer_cast<const T>(it->second);
  }

 private:
  std::string data_;                                              // all records back to back
  std::vector<std::pair<std::uint32_t, std::uint32_t>> offsets_;  // begin, length
  mutable std::map<std::type_index, std::shared_ptr<const void>> derived_;
};

// Reads a whole file of at most `maxBytes` bytes. A missing or unreadable
// file, one that is not a regular file (a pipe, socket, device or folder:
// refused at once, never waited on) or a longer one is an error naming the
// path and the cause.
Result<std::string> readFileBytes(const std::filesystem::path& path,
                                  std::uint64_t maxBytes = kMaxWordListBytes);

// The reason readFileBytes gives for a file over maxBytes, such as "more
// than 1 MiB".
std::string tooLargeReason(std::uint64_t maxBytes);

// Opens a file for reading as readFileBytes does, refusing at once anything
// but a regular file. The caller closes the descriptor.
Result<int> openRegularFile(const std::filesystem::path& path);

// The word list file as it stands now. get() re-reads and re-parses the file
// only when its size, modification time or identity changed since the last
// read, so results always match the file on disk. A file larger than
// kMaxWordListBytes is refused.
// Not thread-safe.
class WordListCache {
 public:
  explicit WordListCache(std::filesystem::path path) : path_(std::move(path)) {}
  WordListCache(const WordListCache&) = delete;
  WordListCache& operator=(const WordListCache&) = delete;

  Result<std::shared_ptr<const WordList>> get();

  const std::filesystem::path& path() const { return path_; }
  // How many times the file has been read (for tests and benchmarks).
  int reads() const { return reads_; }

 private:
  struct Stamp {
    std::uintmax_t size = 0, device = 0, inode = 0;
    std::int64_t mtime_ns = 0, ctime_ns = 0;
    bool operator==(const Stamp&) const = default;
  };
  std::filesystem::path path_;
  std::shared_ptr<const WordList> list_;
  Stamp stamp_;
  int reads_ = 0;
};

// Where the word list is looked for when none is named: beside the program
// (the build tree), then <prefix>/share/tilvan/ relative to it; on Windows
// the fixed path C:\Windows\WordsSorted.Txt.
std::filesystem::path defaultWordListPath();

}  // namespace tilvan
