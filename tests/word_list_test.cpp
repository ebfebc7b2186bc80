// The word list reader on awkward files, and the cache following the file.
#include "words/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "support/test_support.h"

namespace tilvan {
namespace {

using Records = std::vector<std::string>;

TEST(WordListParse, AwkwardFiles) {
  struct Case {
    std::string bytes;
    Records records;
  };
  const Case cases[] = {
      // Line ends: CR LF, LF, CR alone, none at the end.
      {"cat\r\ndog\r\n", {"cat", "dog"}},
      {"cat\rdog", {"cat", "dog"}},
      {"cat\ndog", {"cat", "dog"}},
      {"", {}},
      // Empty lines and fields are empty records; commas split records.
      {"a\n\nb\n", {"a", "", "b"}},
      {"\r\n", {""}},
      {"cat,dog\n", {"cat", "dog"}},
      {"cat,\n", {"cat", ""}},
      {",x", {"", "x"}},
      // Leading spaces are skipped, tabs and trailing spaces kept.
      {"   cat\n", {"cat"}},
      {"cat  \n", {"cat  "}},
      {"a, b\n", {"a", "b"}},
      {"\tcat\n", {"\tcat"}},
      // Quoted fields lose their quotes; an unterminated one runs to the end.
      {"\"a,b\",c\n", {"a,b", "c"}},
      {"  \"x y\"  \n", {"x y"}},
      {"\"open", {"open"}},
      {"\"\"\n", {""}},
      // Capitals and other bytes, NUL included, are kept as they are.
      {"Cat\nCAT\n", {"Cat", "CAT"}},
      {std::string("\xe9t\xe9\n\x01\x7f\xff\n", 8), {"\xe9t\xe9", "\x01\x7f\xff"}},
      {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  for (const Case& c : cases) {
    const WordList list = WordList::parse(c.bytes);
    Records got;
    for (std::size_t i = 0; i < list.size(); ++i) got.emplace_back(list[i]);
    EXPECT_EQ(got, c.records) << testing::PrintToString(c.bytes);
  }
}

TEST(WordListCache, MissingFileIsAnErrorWithPathAndReason) {
  WordListCache cache("/nonexistent/dir/WordsSorted.Txt");
  auto r = cache.get();
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().path, "/nonexistent/dir/WordsSorted.Txt");
  EXPECT_EQ(r.error().reason, "No such file or directory");
  EXPECT_NE(r.error().message().find("/nonexistent/dir/WordsSorted.Txt"), std::string::npos);
}

// A pipe with no writer would keep open() waiting: it is refused before.
TEST(WordListCache, NotRegularFilesAreRefusedAtOnce) {
  test::TempFile f("x");
  const auto fifo = f.path().parent_path() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::filesystem::path& path :
       {f.path().parent_path(), fifo, std::filesystem::path("/dev/null")}) {
    WordListCache cache(path);
    auto r = cache.get();
    ASSERT_FALSE(r.ok()) << path;
    EXPECT_EQ(r.error().reason, "not a regular file") << path;
    EXPECT_EQ(r.error().message(),
              "Cannot read the word list \"" + path.string() + "\": not a regular file");
  }
}

TEST(ReadFileBytes, LongerFilesAreRefused) {
  test::TempFile f(std::string(100, 'a'));
  EXPECT_EQ(readFileBytes(f.path(), 100).value().size(), 100u);
  auto r = readFileBytes(f.path(), 99);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().reason, "more than 99 bytes");
  EXPECT_EQ(tooLargeReason(1 << 20), "more than 1 MiB");
  EXPECT_EQ(tooLargeReason(kMaxWordListBytes), "4 GiB or more");
}

// Records are kept at 32-bit offsets: a list of 4 GiB or more is refused
// before any of it is read (the file is sparse: it takes no room).
TEST(WordListCache, ListsOf4GiBOrMoreAreRefused) {
  test::TempFile f("");
  ASSERT_EQ(::truncate(f.path().c_str(), static_cast<off_t>(kMaxWordListBytes) + 1), 0);
  WordListCache cache(f.path());
  auto r = cache.get();
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().message(),
            "Cannot read the word list \"" + f.path().string() + "\": 4 GiB or more");
  EXPECT_EQ(cache.reads(), 1);
}

TEST(WordListCache, UnreadableFileIsAnError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  test::TempFile f("cat\n");
  ::chmod(f.path().c_str(), 0);
  WordListCache cache(f.path());
  auto r = cache.get();
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().reason, "Permission denied");
}

// Read once while the file is unchanged; read again when its size or its
// modification time changed; never served from the cache once removed.
TEST(WordListCache, FollowsTheFile) {
  auto f = std::make_unique<test::TempFile>("cat\ndog\n");
  WordListCache cache(f->path());
  auto a = cache.get();
  auto b = cache.get();
  ASSERT_TRUE(a.ok() && b.ok());
  EXPECT_EQ(a.value().get(), b.value().get());
  EXPECT_EQ(cache.reads(), 1);
  f->write("cat\ndog\nemu\n");
  auto r = cache.get();
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.value()->size(), 3u);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  f->write("cow\npig\nyak\n");  // same size
  r = cache.get();
  ASSERT_TRUE(r.ok());
  EXPECT_EQ((*r.value())[0], "cow");
  EXPECT_EQ(cache.reads(), 3);
  std::filesystem::remove(f->path());
  EXPECT_FALSE(cache.get().ok());
}

struct CountingIndex {
  static inline int builds = 0;
  explicit CountingIndex(const WordList& list) : size(list.size()) { ++builds; }
  std::size_t size;
};

TEST(WordListDerived, IsBuiltOncePerVersion) {
  test::TempFile f("a\nb\n");
  WordListCache cache(f.path());
  CountingIndex::builds = 0;
  auto list = cache.get().value();
  EXPECT_EQ(list->derived<CountingIndex>().size, 2u);
  EXPECT_EQ(list->derived<CountingIndex>().size, 2u);
  EXPECT_EQ(CountingIndex::builds, 1);
  f.write("a\nb\nc\n");
  EXPECT_EQ(cache.get().value()->derived<CountingIndex>().size, 3u);
  EXPECT_EQ(CountingIndex::builds, 2);
}

// Every record of a list is a word of a-z only, and the records are sorted
// bytewise without duplicates.
void expectSortedLowerCaseWords(const WordList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    ASSERT_FALSE(list[i].empty()) << "record " << i;
    for (char c : list[i]) ASSERT_TRUE(c >= 'a' && c <= 'z') << list[i];
    if (i) {
      ASSERT_LT(list[i - 1], list[i]);
    }
  }
}

// The default list is ENABLE2K: the word-game list, without abbreviations or
// letter plurals.
TEST(DefaultWordList, IsTheWordGameList) {
  WordListCache cache(TILVAN_DEFAULT_WORD_LIST);
  auto r = cache.get();
  ASSERT_TRUE(r.ok()) << r.error().message();
  const WordList& list = *r.value();
  EXPECT_EQ(list.size(), 173528u);
  expectSortedLowerCaseWords(list);
  EXPECT_EQ(list[0], "aa");
  EXPECT_EQ(list[list.size() - 1], "zyzzyvas");
  std::vector<std::string> twos;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].size() == 2) twos.emplace_back(list[i]);
  EXPECT_EQ(twos.size(), 96u);
  for (const char* word : {"aa", "at", "jo", "oe", "ta", "xu"})
    EXPECT_TRUE(std::binary_search(twos.begin(), twos.end(), word)) << word;
  for (const char* abbreviation : {"bs", "cs", "kb", "lm", "mb", "rs", "ss", "te"})
    EXPECT_FALSE(std::binary_search(twos.begin(), twos.end(), abbreviation)) << abbreviation;
}

// The large dictionary keeps the scowl-derived list, a superset in size.
TEST(LargeWordList, HasTheGeneratedWords) {
  WordListCache cache(TILVAN_LARGE_WORD_LIST);
  auto r = cache.get();
  ASSERT_TRUE(r.ok()) << r.error().message();
  EXPECT_GT(r.value()->size(), 200000u);
  expectSortedLowerCaseWords(*r.value());
}

}  // namespace
}  // namespace tilvan
