// The word list cache: files it refuses, and following the file. (The record
// rules are checked against a plain reader in fuzz_input_test.)
#include "words/word_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "support/test_support.h"

namespace tilvan {
namespace {

TEST(WordListCache, MissingFileIsAnErrorWithPathAndReason) {
  WordListCache cache("/nonexistent/dir/WordsSorted.Txt");
  auto r = cache.get();
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().path, "/nonexistent/dir/WordsSorted.Txt");
  EXPECT_EQ(r.error().reason, "No such file or directory");
  EXPECT_NE(r.error().message().find("/nonexistent/dir/WordsSorted.Txt"), std::string::npos);
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
