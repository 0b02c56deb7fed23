// I/O for the converter straight on file descriptors: a line reader and an
// output buffer.  Both use fixed buffers, so a file of any
// size streams through in constant memory, and neither pays the per-line
// costs of iostream or stdio.
#ifndef SEC1996_CLI_IO_H
#define SEC1996_CLI_IO_H

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace sec1996::cli {

// Splits what a file descriptor delivers into lines.
class LineReader {
 public:
  // Lines longer than this are refused whole; the reader keeps only their
  // start, for the message.  A CR that ends a line (CRLF) is not counted:
  // such a line may hold kMaxInputLineLength bytes before it too.
  static constexpr std::size_t kMaxInputLineLength = 65535;

  struct Line {
    std::string_view text;  // without the newline; valid until the next call
    bool tooLong = false;   // text then holds only the line's first bytes
    bool newline = true;    // false for a last line that ends without one
  };
  enum class Status { kLine, kEnd, kError };

  // beforeRead is called before every read(2), which may wait for input:
  // the caller flushes its output there, so that a person typing at the
  // prompt, or a slow producer on a pipe, sees each result before the
  // converter waits for more.
  LineReader(int fd, std::function<void()> beforeRead);

  // Hands every byte of a line too long to keep to passBytes as it goes by
  // (the newline excepted), so that the caller can copy the line through
  // whole; without it those bytes are dropped.
  void passLongLines(std::function<void(std::string_view)> passBytes) {
    passBytes_ = std::move(passBytes);
  }

  // The next line.  A last line without a newline still counts; an empty
  // file has no lines.  kError leaves the errno value in error().
  Status next(Line& line);
  int error() const { return error_; }

 private:
  // The longest line, its CR and its newline.
  static constexpr std::size_t kCapacity = kMaxInputLineLength + 2;
  static constexpr std::size_t kKeptOfLongLine = 64;

  bool fill();
  // Whether a line of the buffer, its newline not counted, is longer than
  // kMaxInputLineLength bytes before a CR that ends it.
  static bool isTooLong(std::string_view text);
  // Hands back a line found whole in the buffer that isTooLong: its bytes
  // to passBytes, its start as the line.
  void refuseWhole(Line& line, std::string_view text, bool newline);

  int fd_;
  std::function<void()> beforeRead_;
  std::function<void(std::string_view)> passBytes_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // [begin_, end_) holds bytes not yet returned
  std::size_t end_ = 0;
  bool atEnd_ = false;
  bool skipping_ = false;  // inside a line too long to keep
  std::string longLineStart_;
  int error_ = 0;
};

// A write buffer in front of a file descriptor.  After the first failed
// write it discards everything and remembers the errno value.
class Output {
 public:
  static constexpr std::size_t kCapacity = 65536;

  explicit Output(int fd);

  // A place for up to size bytes (at most kCapacity); commit says where the
  // written bytes end.
  char* reserve(std::size_t size);
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
  void write(std::string_view text);

  // Writes out what is buffered; false once any write has failed.
  bool flush();
  bool failed() const { return error_ != 0; }
  int error() const { return error_; }

 private:
  int fd_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  int error_ = 0;
};

// Writes all of text to fd, retrying short writes; false on failure, with
// errno set.
bool writeAll(int fd, std::string_view text);

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_IO_H
