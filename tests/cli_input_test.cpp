// tilvan-cli's inputs read in-process: bounded lines and files, read errors
// told from the end of the input, echoed bytes escaped, tabs as separators.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <system_error>

#include "cli/input.h"
#include "cli/printable.h"
#include "cli/replay.h"
#include "support/test_support.h"

namespace tilvan {
namespace {

using cli::LineReader;
using Status = LineReader::Status;

TEST(Printable, EscapesWhatATerminalWouldObey) {
  using cli::printable;
  EXPECT_EQ(printable("plain text, ok"), "plain text, ok");
  EXPECT_EQ(printable("\x1b[2J"), "\\x1b[2J");
  EXPECT_EQ(printable(std::string("a\0b\r\n\t\x7f", 7)), "a\\x00b\\x0d\\x0a\\x09\\x7f");
  // Well-formed UTF-8 stays; C1 controls, stray and overlong bytes do not.
  EXPECT_EQ(printable("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"),
            "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
  EXPECT_EQ(printable("\xc2\x9b"), "\\xc2\\x9b");
  EXPECT_EQ(printable("\x9b"
                      "1m"),
            "\\x9b1m");
  EXPECT_EQ(printable("\xc0\xaf \xe0\x80\xaf \xed\xa0\x80 \xf4\x90\x80\x80"),
            "\\xc0\\xaf \\xe0\\x80\\xaf \\xed\\xa0\\x80 \\xf4\\x90\\x80\\x80");
  EXPECT_EQ(printable("\xe2\x82"), "\\xe2\\x82");  // cut short
  EXPECT_EQ(printable("\xff"), "\\xff");
}

// A stream buffer that gives `text` and then fails as a device would.
class FailingInput : public std::streambuf {
 public:
  explicit FailingInput(std::string text) : text_(std::move(text)) {
    setg(text_.data(), text_.data(), text_.data() + text_.size());
  }

 protected:
  int_type underflow() override { throw std::system_error(EIO, std::generic_category()); }

 private:
  std::string text_;
};

TEST(LineReader, LinesEndsAndBounds) {
  std::istringstream in("one\n\nthree\r\nlast");
  LineReader reader(in, 6);
  std::string line;
  std::vector<std::string> got;
  while (reader.next(line) == Status::kLine) got.push_back(line);
  EXPECT_EQ(got, (std::vector<std::string>{"one", "", "three\r", "last"}));
  EXPECT_EQ(reader.next(line), Status::kEnd);

  std::istringstream exact("12345\n123456\n");
  LineReader bounded(exact, 5);
  EXPECT_EQ(bounded.next(line), Status::kLine);
  EXPECT_EQ(line, "12345");
  EXPECT_EQ(bounded.next(line), Status::kTooLong);
}

TEST(LineReader, AReadErrorIsNotTheEnd) {
  FailingInput failing("first\nsecond");
  std::istream in(&failing);
  LineReader reader(in, 100);
  std::string line;
  EXPECT_EQ(reader.next(line), Status::kLine);
  EXPECT_EQ(reader.next(line), Status::kError);
  EXPECT_EQ(reader.error(), "Input/output error");

  // A closed descriptor, read through FdInput.
  const int fd = ::open("/dev/null", O_RDONLY);
  ASSERT_GE(fd, 0);
  ::close(fd);
  cli::FdInput closed(fd, false);
  std::istream closedIn(&closed);
  LineReader closedReader(closedIn, 100);
  EXPECT_EQ(closedReader.next(line), Status::kError);
  EXPECT_EQ(closedReader.error(), "Bad file descriptor");
}

TEST(ReadAll, BoundedAndErrorsNamed) {
  std::istringstream small("abc");
  EXPECT_EQ(cli::readAll(small, "<stdin>", 3).value(), "abc");
  std::istringstream big(std::string((1 << 20) + 1, '.'));
  auto r = cli::readAll(big, "<stdin>", cli::kMaxBoardBytes);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().path, "<stdin>");
  EXPECT_EQ(r.error().reason, "more than 1 MiB");
  FailingInput failing("partial");
  std::istream in(&failing);
  auto e = cli::readAll(in, "<stdin>", 100);
  ASSERT_FALSE(e.ok());
  EXPECT_EQ(e.error().reason, "Input/output error");
}

struct Replayed {
  int code;
  std::string out, err;
};
Replayed replay(std::istream& in) {
  test::TempFile words("cat\nat\n");
  WordListCache cache(words.path());
  std::ostringstream out, err;
  const int code = cli::runReplay(in, "s.replay", cache, out, err);
  return {code, out.str(), err.str()};
}
Replayed replay(const std::string& script) {
  std::istringstream in(script);
  return replay(in);
}

TEST(ReplayInput, TabsSeparateLikeSpaces) {
  const Replayed spaces =
      replay("players 2\nturn 1\nrack cat\ncomplete on\nfind\nshow 2 # two\nuse # note\ndump\n");
  const Replayed tabs = replay(
      "players\t2\nturn\t1\nrack\tcat\ncomplete\ton\nfind\t\nshow\t2\t# two\nuse\t# note\ndump\n");
  EXPECT_EQ(spaces.code, 0) << spaces.err;
  EXPECT_EQ(tabs.code, 0) << tabs.err;
  EXPECT_EQ(tabs.out, spaces.out);
  EXPECT_NE(tabs.out.find("state: "), std::string::npos);
}

TEST(ReplayInput, ReadErrorsAndLongLinesStopTheReplay) {
  FailingInput failing("players 2\nturn 1\n");
  std::istream in(&failing);
  const Replayed r = replay(in);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "s.replay:3: cannot read the script: Input/output error\n");

  const Replayed longLine = replay("dump\n" + std::string(cli::kMaxLineBytes + 1, ' ') + "\n");
  EXPECT_EQ(longLine.code, 2);
  EXPECT_EQ(longLine.err, "s.replay:2: a line longer than 1 MiB\n");
  EXPECT_NE(longLine.out.find("state: "), std::string::npos);
  // A line of exactly the bound is read. (Built in two steps: GCC 12 warns
  // falsely of an overflow in the one-expression form.)
  std::string atTheBound(cli::kMaxLineBytes, ' ');
  atTheBound += '\n';
  EXPECT_EQ(replay(atTheBound).code, 0);
}

}  // namespace
}  // namespace tilvan
