// The line reader and the output buffer; see io.h.
#include "io.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace sec1996::cli {

LineReader::LineReader(int fd, std::function<void()> beforeRead)
    : fd_(fd), beforeRead_(std::move(beforeRead)), buffer_(new char[kCapacity]) {}

bool LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (beforeRead_) beforeRead_();
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get() + end_, kCapacity - end_);
    if (n > 0) {
      end_ += static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      atEnd_ = true;
      return true;
    }
    if (errno != EINTR) {
      error_ = errno;
      return false;
    }
  }
}

LineReader::Status LineReader::next(Line& line) {
  for (;;) {
    char* const begin = buffer_.get() + begin_;
    const auto* newline = static_cast<char*>(std::memchr(begin, '\n', end_ - begin_));
    if (skipping_) {
      // Drop, or pass on, the rest of a long line; hand back its start when
      // it ends.
      const char* const stop = newline != nullptr ? newline : buffer_.get() + end_;
      if (passBytes_) passBytes_(std::string_view(begin, static_cast<std::size_t>(stop - begin)));
      if (newline != nullptr || atEnd_) {
        begin_ = newline != nullptr ? static_cast<std::size_t>(newline + 1 - buffer_.get()) : end_;
        skipping_ = false;
        line = {longLineStart_, true, newline != nullptr};
        return Status::kLine;
      }
      begin_ = end_ = 0;
    } else if (newline != nullptr) {
      const std::string_view text(begin, static_cast<std::size_t>(newline - begin));
      begin_ = static_cast<std::size_t>(newline + 1 - buffer_.get());
      if (isTooLong(text)) {
        refuseWhole(line, text, true);
      } else {
        line = {text, false, true};
      }
      return Status::kLine;
    } else if (atEnd_) {
      if (begin_ == end_) return Status::kEnd;
      const std::string_view text(begin, end_ - begin_);
      begin_ = end_;
      if (isTooLong(text)) {
        refuseWhole(line, text, false);
      } else {
        line = {text, false, false};
      }
      return Status::kLine;
    } else if (begin_ == 0 && end_ == kCapacity) {
      longLineStart_.assign(begin, kKeptOfLongLine);
      if (passBytes_) passBytes_(std::string_view(begin, end_));
      skipping_ = true;
      begin_ = end_ = 0;
    }
    if (!fill()) return Status::kError;
  }
}

bool LineReader::isTooLong(std::string_view text) {
  const bool crEnds = !text.empty() && text.back() == '\r';
  return text.size() - (crEnds ? 1 : 0) > kMaxInputLineLength;
}

void LineReader::refuseWhole(Line& line, std::string_view text, bool newline) {
  if (passBytes_) passBytes_(text);
  longLineStart_.assign(text.data(), kKeptOfLongLine);
  line = {longLineStart_, true, newline};
}

Output::Output(int fd) : fd_(fd), buffer_(new char[kCapacity]) {}

char* Output::reserve(std::size_t size) {
  if (kCapacity - used_ < size) flush();
  // After a failure flush() empties the buffer without writing, so there
  // is always room.
  return buffer_.get() + used_;
}

void Output::write(std::string_view text) {
  while (!text.empty()) {
    const std::size_t part = std::min(text.size(), kCapacity);
    char* at = reserve(part);
    std::memcpy(at, text.data(), part);
    commit(at + part);
    text.remove_prefix(part);
  }
}

bool Output::flush() {
  if (error_ == 0 && used_ > 0 && !writeAll(fd_, std::string_view(buffer_.get(), used_))) {
    error_ = errno;
  }
  used_ = 0;
  return error_ == 0;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace sec1996::cli
